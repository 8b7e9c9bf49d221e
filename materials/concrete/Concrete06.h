#pragma once

#include "core/UniaxialMaterial.h"
#include "materials/ParameterCheck.h"

namespace looplab {

// Concrete with plastic strains in compression and in tension.
//
// Compression is negative; fc and e0 typed as positive are negated, the other parameters are
// used as typed. The compression backbone is a rational curve with shape factor n before the
// peak (e0, fc) and n·k after it; the tension backbone is linear up to (ecr, fcr) and then
// decays as fcr·(ecr/x)^b. Each new extreme fixes a plastic strain (factors alph1, alph2); the
// zero strain sits on the plastic strain of the latest extreme and separates the compressive
// cycle region (below), where the stress follows an elastic predictor bounded by a line through
// the minimum point and a shallow line through the zero strain, from the tensile region (above),
// where it follows a straight unloading/reloading line up to the tension backbone.
// Class tag 34.
class Concrete06 : public UniaxialMaterial {
  public:
    static constexpr int classTagValue = 34;

    Concrete06(int tag, double fc, double e0, double n, double k, double alph1, double fcr,
               double ecr, double b, double alph2);

    int applyTrialStrain(double strain, double strainRate) override;
    double currentStrain() const override { return trialStrain; }
    double currentStress() const override { return trialStress; }
    double currentTangent() const override { return trialTangent; }
    double initialTangent() const override;
    int commit() override;
    int revertToCommitted() override;
    int revertToInitial() override;
    std::unique_ptr<UniaxialMaterial> clone() const override;

  private:
    struct Response {
        double stress;
        double tangent;
    };
    Response compressionEnvelope(double strain) const;
    Response tensionEnvelope(double shiftedStrain) const;
    void compressionCycleRule(double slope);
    void newTensileExtreme(double baseStrain, double shiftedStrain);
    void setCommittedToInitial();

    // Parameters, stored as given (fc and e0 made non-positive).
    const double fc;    ///< compressive strength
    const double e0;    ///< strain at the compressive strength
    const double n;     ///< compressive shape factor
    const double k;     ///< post-peak factor of the shape
    const double alph1; ///< compressive plastic-strain factor
    const double fcr;   ///< tensile strength
    const double ecr;   ///< strain at the tensile strength
    const double b;     ///< exponent of the tension stiffening curve
    const double alph2; ///< tensile plastic-strain factor

    // Derived moduli, set by the constructor and by revertToInitial.
    double initialModulus; ///< E0 = n·fc/(e0·(n − 1))
    double tensionModulus; ///< Et0 = fcr/ecr

    // Committed state (last accepted step).
    double committedMinStrain;     ///< most compressive strain reached
    double committedZeroStrain;    ///< border between compressive cycles (below) and tension
    double committedTensionOffset; ///< added to the tensile strain before the tension backbone
    double committedMinStress;     ///< stress at the minimum strain
    double committedCompressivePlasticStrain;
    double committedTensilePlasticStrain;
    double committedMaxTensileStress; ///< stress at the largest tensile strain
    double committedMaxTensileStrain; ///< largest tensile strain reached
    double committedTensionUnloadSlope;
    double committedUnloadSlope; ///< compressive unloading slope
    double committedReloadSlope; ///< compressive reloading slope (after a tensile extreme)
    double committedStrain;
    double committedStress;
    double committedTangent;

    // Trial state (step under way).
    double trialMinStrain;
    double trialZeroStrain;
    double trialTensionOffset;
    double trialMinStress;
    double trialCompressivePlasticStrain;
    double trialTensilePlasticStrain;
    double trialMaxTensileStress;
    double trialMaxTensileStrain;
    double trialTensionUnloadSlope;
    double trialUnloadSlope;
    double trialReloadSlope;
    double trialStrain;
    double trialStress;
    double trialTangent;
};

// Catalogue hooks: build from the values in constructor order; refuse degenerate values.
std::unique_ptr<UniaxialMaterial> makeConcrete06(int tag, const ParameterValues& values);
std::string checkConcrete06Parameters(const ParameterValues& values);

} // namespace looplab
