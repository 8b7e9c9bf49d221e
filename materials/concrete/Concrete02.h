#pragma once

#include "core/UniaxialMaterial.h"
#include "materials/ParameterCheck.h"

namespace looplab {

// Concrete with tensile strength and linear tension softening.
//
// Compression is negative; the parameters are used with the signs typed (fpc, epsc0, fpcu, epsU
// are meant negative, lambda, ft, Ets positive). The compressive envelope is a parabola to
// (epsc0, fpc), a straight line to (epsU, fpcu) and fpcu beyond. Every reloading line runs from
// the envelope point at the most compressive strain reached towards a fixed focal point on the
// initial-modulus line; during unloading the stress stays between that line and a line of half
// its slope through its zero-stress strain. Measured from that zero-stress strain, tension is
// linear up to ft and then softens with slope −Ets to zero; re-entry into tension already
// experienced follows the secant to the largest tensile excursion. The initial modulus
// E0 = 2·fpc/epsc0, the focal point and the tension limits are recomputed wherever they are used.
// Class tag 25.
class Concrete02 : public UniaxialMaterial {
  public:
    static constexpr int classTagValue = 25;

    Concrete02(int tag, double fpc, double epsc0, double fpcu, double epsU, double lambda,
               double ft, double Ets);

    int applyTrialStrain(double strain, double strainRate) override;
    double currentStrain() const override { return trialStrain; }
    double currentStress() const override { return trialStress; }
    double currentTangent() const override { return trialTangent; }
    double initialTangent() const override { return 2.0 * fpc / epsc0; }
    int commit() override;
    int revertToCommitted() override;
    int revertToInitial() override;
    std::unique_ptr<UniaxialMaterial> clone() const override;

  private:
    struct Response {
        double stress;
        double tangent;
    };
    double initialModulus() const { return 2.0 * fpc / epsc0; }
    Response compressionEnvelope(double strain) const;
    Response tensionEnvelope(double strain) const;
    void unloadOrReload(double strain, double strainIncrement);

    // Parameters, stored as given.
    const double fpc;    ///< compressive strength
    const double epsc0;  ///< strain at the compressive strength
    const double fpcu;   ///< crushing (residual) strength
    const double epsU;   ///< strain at the crushing strength
    const double lambda; ///< unloading slope at epsU divided by the initial slope
    const double ft;     ///< tensile strength
    const double Ets;    ///< tension softening stiffness (the softening slope is −Ets)

    // Committed state (last accepted step).
    double committedMinStrain;        ///< most compressive strain reached so far
    double committedMaxTensileStrain; ///< largest tensile excursion beyond the zero-stress strain
                                      ///< of the reloading line current when it was reached
    double committedStrain;
    double committedStress;
    double committedTangent;

    // Trial state (step under way).
    double trialMinStrain;
    double trialMaxTensileStrain;
    double trialStrain;
    double trialStress;
    double trialTangent;
};

// Catalogue hooks: build from the values in constructor order; refuse degenerate values.
std::unique_ptr<UniaxialMaterial> makeConcrete02(int tag, const ParameterValues& values);
std::string checkConcrete02Parameters(const ParameterValues& values);

} // namespace looplab
