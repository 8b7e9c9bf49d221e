#pragma once

#include "core/UniaxialMaterial.h"
#include "materials/ParameterCheck.h"

namespace looplab {

// Damage-mechanics concrete.
//
// Compression is negative; no parameter changes sign. The stress is Ec times the strain
// measured from a plastic strain, reduced by a scalar damage. A compressive damage dc and a
// tensile damage dt follow rational curves through the peaks (epsc, fc) and (epst, ft), with
// descending-branch parameters alphac and alphat, and combine into d = dt + dc − dt·dc.
// Compressive damage moves the plastic strain (parameters cesp, etap). Inside the envelope the
// material unloads and reloads along secants through the plastic strain; the unloading flag is
// 0 on a damage branch and 1 inside. Class tag 0.
class ConcreteD : public UniaxialMaterial {
  public:
    static constexpr int classTagValue = 0;

    ConcreteD(int tag, double fc, double epsc, double ft, double epst, double Ec, double alphac,
              double alphat, double cesp, double etap);

    int applyTrialStrain(double strain, double strainRate) override;
    double currentStrain() const override { return trialStrain; }
    double currentStress() const override { return trialStress; }
    double currentTangent() const override { return trialTangent; }
    double initialTangent() const override { return Ec; }
    int commit() override;
    int revertToCommitted() override;
    int revertToInitial() override;
    std::unique_ptr<UniaxialMaterial> clone() const override;

  private:
    void evaluateDamage();
    void evaluateUnloading();
    void setCommittedToInitial();

    // Parameters, stored as given.
    const double fc;     ///< compressive strength
    const double epsc;   ///< strain at the compressive strength
    const double ft;     ///< tensile strength
    const double epst;   ///< strain at the tensile strength
    const double Ec;     ///< initial elastic modulus
    const double alphac; ///< compressive descending-branch parameter
    const double alphat; ///< tensile descending-branch parameter
    const double cesp;   ///< scale of the plastic strain
    const double etap;   ///< growth rate of the plastic strain

    // Committed state (last accepted step).
    int committedUnloadingFlag; ///< 0 on a damage branch, 1 unloading or reloading inside
    double committedStrain;
    double committedStress;
    double committedTangent;
    double committedCompressionDamage; ///< dc
    double committedTensionDamage;     ///< dt
    double committedUnloadingDamage;   ///< dcu, damage of the compressive secant
    double committedDamage;            ///< d = dt + dc − dt·dc
    double committedPlasticStrain;     ///< border between the tensile (above) and compressive side
    double committedMinStrain;         ///< strain of the last compressive damage step
    double committedMaxTensileStrain;  ///< largest tensile strain, from the plastic strain

    // Trial state (step under way).
    int trialUnloadingFlag;
    double trialStrain;
    double trialStress;
    double trialTangent;
    double trialCompressionDamage;
    double trialTensionDamage;
    double trialUnloadingDamage;
    double trialDamage;
    double trialPlasticStrain;
    double trialMinStrain;
    double trialMaxTensileStrain;
};

// Catalogue hooks: build from the values in constructor order; refuse degenerate values.
std::unique_ptr<UniaxialMaterial> makeConcreteD(int tag, const ParameterValues& values);
std::string checkConcreteDParameters(const ParameterValues& values);

} // namespace looplab
