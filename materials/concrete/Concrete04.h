#pragma once

#include "core/UniaxialMaterial.h"
#include "materials/ParameterCheck.h"

namespace looplab {

// Concrete with a rational compression curve and exponential tension softening.
//
// Compression is negative; fc, ec and ecu are expected negative and used as typed. The
// compression backbone passes through the peak (ec, fc) with initial slope Ec and drops to zero
// stress beyond the crushing strain ecu. Compression unloads along a line that reaches zero
// stress at an end strain fixed by the most compressive strain reached. In tension the response
// is linear up to fct, softens as fct·beta^x until et and carries nothing beyond; tension
// unloads and reloads along the secant through the origin and the largest tensile point. The
// compressive and tensile histories are independent. fct = 0 switches tension off; a negative
// fct is taken as 0. Class tag 30.
class Concrete04 : public UniaxialMaterial {
  public:
    static constexpr int classTagValue = 30;

    Concrete04(int tag, double fc, double ec, double ecu, double Ec, double fct, double et,
               double beta);

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
    void setCommittedToInitial();
    void compressionEnvelope();
    void updateUnloadingLine();
    void tensionEnvelope();
    void evaluateCompressionLoading();

    // Parameters, stored as given (fct clamped to be non-negative).
    const double fc;   ///< compressive strength
    const double ec;   ///< strain at the compressive strength
    const double ecu;  ///< crushing strain
    const double Ec;   ///< initial stiffness
    const double fct;  ///< tensile strength, ≥ 0
    const double et;   ///< ultimate tensile strain
    const double beta; ///< stress at et divided by fct

    // Committed state (last accepted step).
    double committedMinStrain;          ///< most compressive strain reached
    double committedMaxStrain;          ///< largest tensile strain reached
    double committedUnloadSlope;        ///< slope of the compression unloading line
    double committedEndStrain;          ///< zero-stress strain of the compression unloading line
    double committedTensionUnloadSlope; ///< tension secant slope through the origin
    double committedStrain;
    double committedStress;
    double committedTangent;

    // Trial state (step under way).
    double trialMinStrain;
    double trialMaxStrain;
    double trialUnloadSlope;
    double trialEndStrain;
    double trialTensionUnloadSlope;
    double trialStrain;
    double trialStress;
    double trialTangent;
};

// Catalogue hooks: build from the values in constructor order; refuse degenerate values.
std::unique_ptr<UniaxialMaterial> makeConcrete04(int tag, const ParameterValues& values);
std::string checkConcrete04Parameters(const ParameterValues& values);

} // namespace looplab
