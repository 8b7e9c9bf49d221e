#include "materials/standard/ElasticPPMaterial.h"

#include <cmath>

namespace looplab {

namespace {
constexpr double machineEpsilon = 2.220446049250313e-16; // 2^-52

double positiveYield(double E, double epsyP) { return E * (epsyP < 0.0 ? -epsyP : epsyP); }
double negativeYield(double E, double epsyN) { return -E * (epsyN > 0.0 ? epsyN : -epsyN); }
} // namespace

ElasticPPMaterial::ElasticPPMaterial(int tag, double E_, double epsyP, double epsyN,
                                     double eps0_)
    : UniaxialMaterial(tag, classTagValue), E(E_), eps0(eps0_),
      positiveYieldStress(positiveYield(E_, epsyP)),
      negativeYieldStress(negativeYield(E_, epsyN)), plasticStrain(0.0), trialStrain(0.0),
      trialStress(0.0), trialTangent(E_), committedStrain(0.0), committedStress(0.0),
      committedTangent(E_) {}

// Negative for a positive E, so a stress exactly on a yield level counts as yielding.
double ElasticPPMaterial::tolerance() const { return -E * machineEpsilon; }

ElasticPPMaterial::YieldCheck ElasticPPMaterial::yieldFunction() const {
    const double sigma = E * (trialStrain - eps0 - plasticStrain);
    const double f = (sigma >= 0.0) ? sigma - positiveYieldStress : negativeYieldStress - sigma;
    return {sigma, f};
}

int ElasticPPMaterial::applyTrialStrain(double strain, double /*strainRate*/) {
    trialStrain = strain;
    const YieldCheck y = yieldFunction();
    if (y.f <= tolerance()) {
        trialStress = y.elasticStress;
        trialTangent = E;
    } else {
        trialStress = (y.elasticStress > 0.0) ? positiveYieldStress : negativeYieldStress;
        trialTangent = 0.0;
    }
    return 0;
}

int ElasticPPMaterial::commit() {
    const YieldCheck y = yieldFunction();
    if (y.f > tolerance()) {
        if (y.elasticStress > 0.0) {
            plasticStrain += y.f / E;
        } else {
            plasticStrain -= y.f / E;
        }
    }
    committedStrain = trialStrain;
    committedTangent = trialTangent;
    committedStress = trialStress;
    return 0;
}

int ElasticPPMaterial::revertToCommitted() {
    trialStrain = committedStrain;
    trialTangent = committedTangent;
    trialStress = committedStress;
    return 0;
}

int ElasticPPMaterial::revertToInitial() {
    trialStrain = committedStrain = 0.0;
    trialStress = committedStress = 0.0;
    trialTangent = committedTangent = E;
    plasticStrain = 0.0;
    return 0;
}

// Only the plastic strain travels; the clone's strain, stress and tangent start afresh.
std::unique_ptr<UniaxialMaterial> ElasticPPMaterial::clone() const {
    auto copy = std::make_unique<ElasticPPMaterial>(materialTag(), E, positiveYieldStress / E,
                                                    negativeYieldStress / E, eps0);
    copy->plasticStrain = plasticStrain;
    return copy;
}

std::unique_ptr<UniaxialMaterial> makeElasticPPMaterial(int tag, const ParameterValues& v) {
    return std::make_unique<ElasticPPMaterial>(tag, v.at(0), v.at(1), v.at(2), v.at(3));
}

std::string checkElasticPPMaterialParameters(const ParameterValues& v) {
    if (!(v.at(0) > 0.0)) {
        return refuseParameter("E", v[0],
                               "the modulus must be positive (the plastic strain is f/E, and a "
                               "non-positive E turns the yield tolerance around)");
    }
    if (v.at(1) == 0.0) {
        return refuseParameter("epsyP", v[1], "a zero yield strain leaves no elastic range");
    }
    if (v.at(2) == 0.0) {
        return refuseParameter("epsyN", v[2], "a zero yield strain leaves no elastic range");
    }
    return {};
}

} // namespace looplab
