#pragma once

#include "core/UniaxialMaterial.h"
#include "materials/ParameterCheck.h"

namespace looplab {

// Elastic–plastic gap: carries stress in one direction only.
//
// Compression is negative. With Fy ≥ 0 the element works in tension: no stress while the
// strain is below the gap-closing strain, then elastic with modulus E, then on the fixed
// plastic line through (gap + Fy/E, Fy) with slope eta·E beyond the yield-onset strain. With
// Fy < 0 it works the same way in compression with every inequality reversed. The whole
// history is the window (gapClosingStrain, yieldOnsetStrain), held once and moved only by
// commit: yielding widens the gap; with damage = 0 a widened gap closes back when the strain
// returns into it, with any other damage value the widening is permanent. Class tag 8.
class EPPGapMaterial : public UniaxialMaterial {
public:
    static constexpr int classTagValue = 8;

    EPPGapMaterial(int tag, double E, double Fy, double gap, double eta, int damage);

    int applyTrialStrain(double strain, double strainRate) override;
    double currentStrain() const override { return trialStrain; }
    double currentStress() const override { return trialStress; }
    double currentTangent() const override { return trialTangent; }
    double initialTangent() const override { return gap > 0.0 ? 0.0 : E; }
    int commit() override;
    int revertToCommitted() override;
    int revertToInitial() override;
    std::unique_ptr<UniaxialMaterial> clone() const override;

private:
    void respondTo(double strain);

    // Parameters, stored as given.
    const double E;   ///< elastic modulus
    const double Fy;  ///< yield stress; its sign selects tension (≥ 0) or compression (< 0)
    const double gap; ///< initial gap, as a strain
    const double eta; ///< post-yield slope divided by E
    const int damage; ///< 0: a widened gap can close back; otherwise it cannot

    double committedStrain;
    double trialStrain;
    double yieldOnsetStrain; ///< beyond it the element yields; single copy, moved by commit
    double gapClosingStrain; ///< where the gap closes and stress begins; single copy
    double trialStress;      ///< stress of the last trial (or of strain 0 before any trial)
    double trialTangent;     ///< tangent of the last trial (or of strain 0 before any trial)
};

// Catalogue hooks: build from the values in constructor order; refuse degenerate values.
std::unique_ptr<UniaxialMaterial> makeEPPGapMaterial(int tag, const ParameterValues& values);
std::string checkEPPGapMaterialParameters(const ParameterValues& values);

} // namespace looplab
