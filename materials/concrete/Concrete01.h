#pragma once

#include "core/UniaxialMaterial.h"
#include "materials/ParameterCheck.h"

namespace looplab {

// Concrete without tensile strength.
//
// Compression is negative; a more compressive strain is a smaller number. The constructor
// negates any of the four parameters given as a positive magnitude, so fpc, epsc0, fpcu and epsU
// are never positive afterwards. The compressive backbone is a parabola up to (epsc0, fpc), a
// straight descending line down to (epsU, fpcu) and the constant stress fpcu beyond. Unloading
// and reloading follow a straight line whose zero-stress strain (the end strain) and slope depend
// only on the most compressive strain reached; between the end strain and zero strain, and in
// tension, the stress is zero. The initial modulus 2·fpc/epsc0 is recomputed wherever it is used.
// Class tag 4.
class Concrete01 : public UniaxialMaterial {
  public:
    static constexpr int classTagValue = 4;

    Concrete01(int tag, double fpc, double epsc0, double fpcu, double epsU);

    int applyTrialStrain(double strain, double strainRate) override;
    int applyTrialStrainAndRespond(double strain, double& stress, double& tangent,
                                   double strainRate) override;
    double currentStrain() const override { return trialStrain; }
    double currentStress() const override { return trialStress; }
    double currentTangent() const override { return trialTangent; }
    double initialTangent() const override { return 2.0 * fpc / epsc0; }
    int commit() override;
    int revertToCommitted() override;
    int revertToInitial() override;
    std::unique_ptr<UniaxialMaterial> clone() const override;

  private:
    double initialModulus() const { return 2.0 * fpc / epsc0; }
    void evaluateBackbone();
    void updateUnloadingLine();
    void evaluateCompressionLoading();

    // Parameters, sign-normalised (never positive).
    const double fpc;   ///< compressive strength (peak stress)
    const double epsc0; ///< strain at the compressive strength
    const double fpcu;  ///< crushing (residual) strength
    const double epsU;  ///< strain at the crushing strength

    // Committed state (last accepted step).
    double committedMinStrain;   ///< most compressive strain reached so far
    double committedUnloadSlope; ///< slope of the unloading/reloading line
    double committedEndStrain;   ///< strain where the unloading line reaches zero stress
    double committedStrain;
    double committedStress;
    double committedTangent;

    // Trial state (step under way).
    double trialMinStrain;
    double trialUnloadSlope;
    double trialEndStrain;
    double trialStrain;
    double trialStress;
    double trialTangent;
};

// Catalogue hooks: build from the values in constructor order; refuse degenerate values.
std::unique_ptr<UniaxialMaterial> makeConcrete01(int tag, const ParameterValues& values);
std::string checkConcrete01Parameters(const ParameterValues& values);

} // namespace looplab
