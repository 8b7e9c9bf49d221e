#pragma once

#include "core/UniaxialMaterial.h"
#include "materials/ParameterCheck.h"

namespace looplab {

// Elastic–perfectly plastic material.
//
// Compression is negative. Linear elastic with modulus E, measured from the initial strain eps0
// plus the accumulated plastic strain, up to the yield stresses E·|epsyP| and −E·|epsyN|;
// perfectly plastic (zero tangent) beyond, with elastic unloading. The single plastic strain
// is the whole history and moves only in commit. Class tag 2.
class ElasticPPMaterial : public UniaxialMaterial {
public:
    static constexpr int classTagValue = 2;

    ElasticPPMaterial(int tag, double E, double epsyP, double epsyN, double eps0);

    int applyTrialStrain(double strain, double strainRate) override;
    double currentStrain() const override { return trialStrain; }
    double currentStress() const override { return trialStress; }
    double currentTangent() const override { return trialTangent; }
    double initialTangent() const override { return E; }
    int commit() override;
    int revertToCommitted() override;
    int revertToInitial() override;
    std::unique_ptr<UniaxialMaterial> clone() const override;

private:
    struct YieldCheck {
        double elasticStress; ///< σtrial = E·(ε − eps0 − plasticStrain)
        double f;             ///< yield function; > tol means yielding
    };
    YieldCheck yieldFunction() const;
    double tolerance() const;

    const double E;
    const double eps0;
    const double positiveYieldStress; ///< E·|epsyP|
    const double negativeYieldStress; ///< −E·|epsyN|

    double plasticStrain; ///< single copy, changed only by commit
    double trialStrain;
    double trialStress;
    double trialTangent;
    double committedStrain;
    double committedStress;
    double committedTangent;
};

// Catalogue hooks: build from the values in constructor order; refuse degenerate values.
std::unique_ptr<UniaxialMaterial> makeElasticPPMaterial(int tag, const ParameterValues& values);
std::string checkElasticPPMaterialParameters(const ParameterValues& values);

} // namespace looplab
