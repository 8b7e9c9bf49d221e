#pragma once

#include "core/UniaxialMaterial.h"
#include "materials/ParameterCheck.h"

namespace looplab {

// Bilinear steel with kinematic hardening and optional isotropic hardening.
//
// Compression is negative. The stress lies between two bounds of slope b·E that move with the
// strain, offset by ±(1 − b)·Fy times a shift factor; between them the response is elastic
// with slope E. At every load reversal the shift factor of the opposite bound grows with the
// strain range swept so far (a1, a2 for the compressive bound, a3, a4 for the tensile one).
// Class tag 5.
class Steel01 : public UniaxialMaterial {
public:
    static constexpr int classTagValue = 5;

    Steel01(int tag, double Fy, double E, double b, double a1, double a2, double a3, double a4);

    int applyTrialStrain(double strain, double strainRate) override;
    int applyTrialStrainAndRespond(double strain, double& stress, double& tangent,
                                   double strainRate) override;
    double currentStrain() const override { return trialStrain; }
    double currentStress() const override { return trialStress; }
    double currentTangent() const override { return trialTangent; }
    double initialTangent() const override { return E; }
    int commit() override;
    int revertToCommitted() override;
    int revertToInitial() override;
    std::unique_ptr<UniaxialMaterial> clone() const override;

private:
    void determineTrialState(double strainIncrement);

    // Parameters, stored as given.
    const double Fy; ///< yield stress
    const double E;  ///< initial elastic modulus
    const double b;  ///< post-yield slope divided by E
    const double a1, a2; ///< isotropic hardening of the compressive bound
    const double a3, a4; ///< isotropic hardening of the tensile bound

    // Committed state (last accepted step).
    double committedMinStrain;        ///< smallest reversal strain, never positive
    double committedMaxStrain;        ///< largest reversal strain, never negative
    double committedTensionShift;     ///< multiplier of the upper bound offset
    double committedCompressionShift; ///< multiplier of the lower bound offset
    int committedLoadingDirection;    ///< 0 before the first increment, +1 up, −1 down
    double committedStrain;
    double committedStress;
    double committedTangent;

    // Trial state (step under way).
    double trialMinStrain;
    double trialMaxStrain;
    double trialTensionShift;
    double trialCompressionShift;
    int trialLoadingDirection;
    double trialStrain;
    double trialStress;
    double trialTangent;
};

// Catalogue hooks: build from the values in constructor order; refuse degenerate values.
std::unique_ptr<UniaxialMaterial> makeSteel01(int tag, const ParameterValues& values);
std::string checkSteel01Parameters(const ParameterValues& values);

} // namespace looplab
