#pragma once

#include "core/UniaxialMaterial.h"
#include "materials/ParameterCheck.h"

namespace looplab {

// Steel with a smooth elastic–plastic transition and a Bauschinger effect.
//
// Compression is negative. Every branch runs from the last reversal point towards the
// intersection of two asymptotes, an elastic one of slope E and a hardening one of slope b·E,
// bending from the first to the second with a curvature exponent R. R starts at R0 and falls
// with the distance between the extreme strain of the side the branch heads for and the new
// asymptote intersection (CR1 amplitude, CR2 scale). At each reversal the hardening asymptote
// moves outwards in proportion to the strain range swept so far (a1, a2 towards compression,
// a3, a4 towards tension). A non-zero initial stress sig0 shifts every strain by sig0/E.
// Class tag 26.
class Steel02 : public UniaxialMaterial {
public:
    static constexpr int classTagValue = 26;

    Steel02(int tag, double Fy, double E, double b, double R0, double CR1, double CR2, double a1,
            double a2, double a3, double a4, double sig0);

    int applyTrialStrain(double strain, double strainRate) override;
    double currentStrain() const override { return trialStrain; } ///< includes the sig0/E shift
    double currentStress() const override { return trialStress; }
    double currentTangent() const override { return trialTangent; }
    double initialTangent() const override { return E; }
    int commit() override;
    int revertToCommitted() override;
    int revertToInitial() override;
    // A new object with the same tag and parameters, in its initial state: no state is copied.
    std::unique_ptr<UniaxialMaterial> clone() const override;

private:
    void copyCommittedHistoryToTrial();
    void startFirstLoading(double strainIncrement, double yieldStrain);
    void reverseTowardsTension(double hardeningModulus, double yieldStrain);
    void reverseTowardsCompression(double hardeningModulus, double yieldStrain);
    void followTransitionCurve(double yieldStrain);

    // Parameters, stored as given.
    const double Fy;   ///< yield stress
    const double E;    ///< initial elastic modulus
    const double b;    ///< slope of the hardening asymptote divided by E
    const double R0;   ///< curvature exponent at the first loading
    const double CR1;  ///< degradation of the curvature exponent: amplitude
    const double CR2;  ///< degradation of the curvature exponent: excursion scale
    const double a1, a2; ///< isotropic hardening of the compressive asymptote
    const double a3, a4; ///< isotropic hardening of the tensile asymptote
    const double sig0; ///< initial stress

    // Committed history (last accepted step).
    double committedMinStrain = 0.0;       ///< smallest strain at a reversal towards tension
    double committedMaxStrain = 0.0;       ///< largest strain at a reversal towards compression
    double committedExtremeStrain = 0.0;   ///< extreme strain on the side the branch heads for
    double committedAsymptoteStrain = 0.0; ///< intersection of the branch's two asymptotes
    double committedAsymptoteStress = 0.0;
    double committedReversalStrain = 0.0;  ///< start of the current branch
    double committedReversalStress = 0.0;
    int committedBranch = 0; ///< 0 unloaded, 1 towards tension, 2 towards compression, 3 at rest
    double committedStrain = 0.0; ///< includes the sig0/E shift
    double committedStress = 0.0;
    double committedTangent = 0.0;

    // Trial history (step under way), reloaded from the committed copy by every trial.
    double trialMinStrain = 0.0;
    double trialMaxStrain = 0.0;
    double trialExtremeStrain = 0.0;
    double trialAsymptoteStrain = 0.0;
    double trialAsymptoteStress = 0.0;
    double trialReversalStrain = 0.0;
    double trialReversalStress = 0.0;
    int trialBranch = 0;
    double trialStrain = 0.0;
    double trialStress = 0.0;
    double trialTangent = 0.0;
};

// Catalogue hooks: build from the values in constructor order; refuse degenerate values.
std::unique_ptr<UniaxialMaterial> makeSteel02(int tag, const ParameterValues& values);
std::string checkSteel02Parameters(const ParameterValues& values);

} // namespace looplab
