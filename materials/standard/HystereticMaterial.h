#pragma once

#include "core/UniaxialMaterial.h"
#include "materials/ParameterCheck.h"

namespace looplab {

// Hysteretic material with a trilinear envelope on each side, pinching and damage.
//
// Compression is negative; positive-side parameters are positive numbers, negative-side ones
// negative, and no sign is changed. On the envelope the stress follows the polyline through
// (e1, s1), (e2, s2), (e3, s3); beyond the third point a rising branch continues and a falling
// or flat one is cut off at s3. Between the extreme strains reached so far the material
// unloads along the largest envelope slope (degraded by (extreme/e1)^beta), crosses zero
// stress, and reloads towards the opposite extreme along a line pinched at
// (pinchx, pinchy); each reversal moves the opposite target outwards by a damage factor
// driven by ductility (damage1) and by dissipated energy relative to the envelope area
// (damage2). The tangent has no committed copy. Class tag 7.
class HystereticMaterial : public UniaxialMaterial {
public:
    static constexpr int classTagValue = 7;

    HystereticMaterial(int tag, double s1p, double e1p, double s2p, double e2p, double s3p,
                       double e3p, double s1n, double e1n, double s2n, double e2n, double s3n,
                       double e3n, double pinchx, double pinchy, double damage1, double damage2,
                       double beta);

    int applyTrialStrain(double strain, double strainRate) override;
    double currentStrain() const override { return trialStrain; }
    double currentStress() const override { return trialStress; }
    double currentTangent() const override { return trialTangent; }
    double initialTangent() const override { return slope1Pos; }
    int commit() override;
    int revertToCommitted() override;
    int revertToInitial() override;
    std::unique_ptr<UniaxialMaterial> clone() const override;

private:
    double positiveEnvelopeStress(double strain) const;
    double positiveEnvelopeTangent(double strain) const;
    double negativeEnvelopeStress(double strain) const;
    double negativeEnvelopeTangent(double strain) const;
    double positiveZeroCrossing(double strain) const;
    double negativeZeroCrossing(double strain) const;
    double degradation(double extremeStrain, double firstStrain) const;
    void positiveIncrementRule(double strainIncrement);
    void negativeIncrementRule(double strainIncrement);

    // Parameters, stored as given.
    const double s1p, e1p, s2p, e2p, s3p, e3p; ///< positive envelope points
    const double s1n, e1n, s2n, e2n, s3n, e3n; ///< negative envelope points
    const double pinchx;                       ///< pinching factor for strain
    const double pinchy;                       ///< pinching factor for stress
    const double damage1;                      ///< damage factor of the ductility term
    const double damage2;                      ///< damage factor of the energy term
    const double beta;                         ///< exponent of the unloading-stiffness degradation

    // Constants derived from the envelope.
    const double envelopeEnergy; ///< area under both envelopes up to their third points
    const double slope1Pos, slope2Pos, slope3Pos;
    const double slope1Neg, slope2Neg, slope3Neg;
    const double maxSlopePos; ///< unloading stiffness from positive stress
    const double maxSlopeNeg; ///< unloading stiffness from negative stress

    // Committed state (last accepted step).
    double committedMaxStrain = 0.0;     ///< positive extreme, the target of positive reloading
    double committedMinStrain = 0.0;     ///< negative extreme, the target of negative reloading
    double committedPosZeroStrain = 0.0; ///< where the last unloading from positive stress ends
    double committedNegZeroStrain = 0.0; ///< where the last unloading from negative stress ends
    double committedEnergy = 0.0;        ///< trapezoidal sum of stress times strain increment
    int committedLoadingDirection = 0;   ///< 0 none yet, 1 increasing, 2 decreasing strain
    double committedStress = 0.0;
    double committedStrain = 0.0;

    // Trial state (step under way).
    double trialMaxStrain = 0.0;
    double trialMinStrain = 0.0;
    double trialPosZeroStrain = 0.0;
    double trialNegZeroStrain = 0.0;
    double trialEnergy = 0.0;
    int trialLoadingDirection = 0;
    double trialStress = 0.0;
    double trialStrain = 0.0;
    double trialTangent = 0.0; ///< the only copy of the tangent
};

// Catalogue hooks: build from the values in constructor order; refuse degenerate values.
std::unique_ptr<UniaxialMaterial> makeHystereticMaterial(int tag, const ParameterValues& values);
std::string checkHystereticMaterialParameters(const ParameterValues& values);

} // namespace looplab
