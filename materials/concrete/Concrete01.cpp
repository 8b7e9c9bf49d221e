#include "materials/concrete/Concrete01.h"

#include <cmath>

namespace looplab {

namespace {
constexpr double machineEpsilon = 2.220446049250313e-16; // 2^-52

// Compressive parameters may be typed as positive magnitudes.
double compressive(double value) {
    return value > 0.0 ? -value : value;
}
} // namespace

Concrete01::Concrete01(int tag, double fpc_, double epsc0_, double fpcu_, double epsU_)
    : UniaxialMaterial(tag, classTagValue), fpc(compressive(fpc_)), epsc0(compressive(epsc0_)),
      fpcu(compressive(fpcu_)), epsU(compressive(epsU_)), committedMinStrain(0.0),
      committedUnloadSlope(initialModulus()), committedEndStrain(0.0), committedStrain(0.0),
      committedStress(0.0), committedTangent(initialModulus()), trialMinStrain(0.0),
      trialUnloadSlope(0.0), trialEndStrain(0.0), trialStrain(0.0), trialStress(0.0),
      trialTangent(initialModulus()) {
    revertToCommitted();
}

int Concrete01::applyTrialStrain(double strain, double /*strainRate*/) {
    revertToCommitted();
    if (std::fabs(strain - committedStrain) < machineEpsilon) {
        return 0;
    }
    trialStrain = strain;
    if (strain > 0.0) {
        trialStress = 0.0;
        trialTangent = 0.0;
        return 0;
    }

    // Stress on the committed unloading line through the committed point.
    const double unloadingStress =
        committedStress + trialUnloadSlope * strain - trialUnloadSlope * committedStrain;

    if (strain < committedStrain) {
        evaluateCompressionLoading();
        if (unloadingStress > trialStress) {
            trialStress = unloadingStress;
            trialTangent = trialUnloadSlope;
        }
    } else if (unloadingStress <= 0.0) {
        trialStress = unloadingStress;
        trialTangent = trialUnloadSlope;
    } else {
        trialStress = 0.0;
        trialTangent = 0.0;
    }
    return 0;
}

int Concrete01::applyTrialStrainAndRespond(double strain, double& stress, double& tangent,
                                           double strainRate) {
    applyTrialStrain(strain, strainRate);
    stress = trialStress;
    tangent = trialTangent;
    return 0;
}

void Concrete01::evaluateBackbone() {
    const double strain = trialStrain;
    if (strain > epsc0) {
        const double eta = strain / epsc0;
        trialStress = fpc * (2.0 * eta - eta * eta);
        trialTangent = (1.0 - eta) * (2.0 * fpc / epsc0);
    } else if (strain > epsU) {
        trialTangent = (fpc - fpcu) / (epsc0 - epsU);
        trialStress = fpc + (strain - epsc0) * trialTangent;
    } else {
        trialStress = fpcu;
        trialTangent = 0.0;
    }
}

// Called right after a new minimum: trialStress is the backbone stress at trialMinStrain.
void Concrete01::updateUnloadingLine() {
    // The minimum is capped at the crushing strain for the end-strain ratio only.
    const double cappedMinStrain = (trialMinStrain < epsU) ? epsU : trialMinStrain;
    const double eta = cappedMinStrain / epsc0;
    const double ratio = (eta < 2.0) ? 0.145 * eta * eta + 0.13 * eta : 0.707 * (eta - 2.0) + 0.834;
    trialEndStrain = ratio * epsc0;

    const double modulus = initialModulus();
    const double lineSpan = trialMinStrain - trialEndStrain;
    const double elasticSpan = trialStress / modulus;
    if (lineSpan > -machineEpsilon) {
        trialUnloadSlope = modulus;
    } else if (lineSpan <= elasticSpan) {
        trialEndStrain = trialMinStrain - lineSpan;
        trialUnloadSlope = trialStress / lineSpan;
    } else {
        trialEndStrain = trialMinStrain - elasticSpan;
        trialUnloadSlope = modulus;
    }
}

void Concrete01::evaluateCompressionLoading() {
    const double strain = trialStrain;
    if (strain <= trialMinStrain) {
        trialMinStrain = strain;
        evaluateBackbone();
        updateUnloadingLine();
    } else if (strain <= trialEndStrain) {
        trialTangent = trialUnloadSlope;
        trialStress = trialUnloadSlope * (strain - trialEndStrain);
    } else {
        trialStress = 0.0;
        trialTangent = 0.0;
    }
}

int Concrete01::commit() {
    committedMinStrain = trialMinStrain;
    committedUnloadSlope = trialUnloadSlope;
    committedEndStrain = trialEndStrain;
    committedStrain = trialStrain;
    committedStress = trialStress;
    committedTangent = trialTangent;
    return 0;
}

int Concrete01::revertToCommitted() {
    trialMinStrain = committedMinStrain;
    trialUnloadSlope = committedUnloadSlope;
    trialEndStrain = committedEndStrain;
    trialStrain = committedStrain;
    trialStress = committedStress;
    trialTangent = committedTangent;
    return 0;
}

int Concrete01::revertToInitial() {
    committedMinStrain = 0.0;
    committedUnloadSlope = initialModulus();
    committedEndStrain = 0.0;
    committedStrain = 0.0;
    committedStress = 0.0;
    committedTangent = initialModulus();
    revertToCommitted();
    return 0;
}

// The committed state travels; the clone's trial state stays at its constructor's initial values
// until its next applyTrialStrain or revertToCommitted.
std::unique_ptr<UniaxialMaterial> Concrete01::clone() const {
    auto copy = std::make_unique<Concrete01>(materialTag(), fpc, epsc0, fpcu, epsU);
    copy->committedMinStrain = committedMinStrain;
    copy->committedUnloadSlope = committedUnloadSlope;
    copy->committedEndStrain = committedEndStrain;
    copy->committedStrain = committedStrain;
    copy->committedStress = committedStress;
    copy->committedTangent = committedTangent;
    return copy;
}

std::unique_ptr<UniaxialMaterial> makeConcrete01(int tag, const ParameterValues& v) {
    return std::make_unique<Concrete01>(tag, v.at(0), v.at(1), v.at(2), v.at(3));
}

// Positive magnitudes are accepted: the constructor negates them.
std::string checkConcrete01Parameters(const ParameterValues& v) {
    if (v.at(0) == 0.0) {
        return refuseParameter("fpc", v[0],
                               "it makes the initial modulus 2*fpc/epsc0 zero, and the unloading "
                               "rule divides by that modulus");
    }
    if (v.at(1) == 0.0) {
        return refuseParameter("epsc0", v[1],
                               "the strain ratio and the initial modulus 2*fpc/epsc0 divide by it");
    }
    return {};
}

} // namespace looplab
