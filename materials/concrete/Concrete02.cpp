#include "materials/concrete/Concrete02.h"

#include <cmath>

namespace looplab {

namespace {
constexpr double machineEpsilon = 2.220446049250313e-16; // 2^-52
constexpr double tinyTangent = 1.0e-10; ///< reported instead of 0 on the flat branches

// Strain of the focal point on the initial-modulus line that every reloading line aims at.
double focalStrain(double fpcu, double epsU, double lambda, double E0) {
    return (fpcu - lambda * E0 * epsU) / (E0 * (1.0 - lambda));
}
} // namespace

Concrete02::Concrete02(int tag, double fpc_, double epsc0_, double fpcu_, double epsU_,
                       double lambda_, double ft_, double Ets_)
    : UniaxialMaterial(tag, classTagValue), fpc(fpc_), epsc0(epsc0_), fpcu(fpcu_), epsU(epsU_),
      lambda(lambda_), ft(ft_), Ets(Ets_), committedMinStrain(0.0), committedMaxTensileStrain(0.0),
      committedStrain(0.0), committedStress(0.0), committedTangent(initialModulus()),
      trialMinStrain(0.0), trialMaxTensileStrain(0.0), trialStrain(0.0), trialStress(0.0),
      trialTangent(initialModulus()) {}

Concrete02::Response Concrete02::compressionEnvelope(double strain) const {
    const double E0 = initialModulus();
    const double eta = strain / epsc0;
    if (strain >= epsc0) {
        return {fpc * eta * (2.0 - eta), (1.0 - eta) * E0};
    }
    if (strain > epsU) {
        return {(fpcu - fpc) * (strain - epsc0) / (epsU - epsc0) + fpc,
                (fpcu - fpc) / (epsU - epsc0)};
    }
    return {fpcu, tinyTangent};
}

Concrete02::Response Concrete02::tensionEnvelope(double strain) const {
    const double E0 = initialModulus();
    const double crackingStrain = ft / E0;
    const double softeningEndStrain = ft * (1.0 / Ets + 1.0 / E0);
    if (strain <= crackingStrain) {
        return {strain * E0, E0};
    }
    if (strain <= softeningEndStrain) {
        return {ft - Ets * (strain - crackingStrain), -Ets};
    }
    return {0.0, tinyTangent};
}

int Concrete02::applyTrialStrain(double strain, double /*strainRate*/) {
    trialMinStrain = committedMinStrain;
    trialMaxTensileStrain = committedMaxTensileStrain;
    trialStrain = strain;
    const double strainIncrement = strain - committedStrain;

    // No effective increment: stress and tangent keep whatever the trial state holds.
    if (std::fabs(strainIncrement) < machineEpsilon) {
        return 0;
    }
    if (strain < trialMinStrain) {
        const Response envelope = compressionEnvelope(strain);
        trialStress = envelope.stress;
        trialTangent = envelope.tangent;
        trialMinStrain = strain;
        return 0;
    }
    unloadOrReload(strain, strainIncrement);
    return 0;
}

// Response on or inside the reloading line through the envelope point at the minimum strain.
void Concrete02::unloadOrReload(double strain, double strainIncrement) {
    const double E0 = initialModulus();
    const double focusStrain = focalStrain(fpcu, epsU, lambda, E0);
    const double focusStress = E0 * focusStrain;

    const double minStress = compressionEnvelope(trialMinStrain).stress;
    const double reloadSlope = (minStress - focusStress) / (trialMinStrain - focusStrain);
    const double zeroStressStrain = trialMinStrain - minStress / reloadSlope;

    if (strain <= zeroStressStrain) {
        const double lowerBound = minStress + reloadSlope * (strain - trialMinStrain);
        const double upperBound = 0.5 * reloadSlope * (strain - zeroStressStrain);
        trialStress = committedStress + E0 * strainIncrement;
        trialTangent = E0;
        if (trialStress <= lowerBound) {
            trialStress = lowerBound;
            trialTangent = reloadSlope;
        }
        if (trialStress >= upperBound) {
            trialStress = upperBound;
            trialTangent = 0.5 * reloadSlope;
        }
        return;
    }

    const double reachedTensionStrain = zeroStressStrain + trialMaxTensileStrain;
    if (strain <= reachedTensionStrain) {
        // Secant from the zero-stress strain to the largest excursion so far.
        const double excursionStress = tensionEnvelope(trialMaxTensileStrain).stress;
        trialTangent =
            (trialMaxTensileStrain != 0.0) ? excursionStress / trialMaxTensileStrain : E0;
        trialStress = trialTangent * (strain - zeroStressStrain);
    } else {
        const Response envelope = tensionEnvelope(strain - zeroStressStrain);
        trialStress = envelope.stress;
        trialTangent = envelope.tangent;
        trialMaxTensileStrain = strain - zeroStressStrain;
    }
}

int Concrete02::commit() {
    committedMinStrain = trialMinStrain;
    committedMaxTensileStrain = trialMaxTensileStrain;
    committedStrain = trialStrain;
    committedStress = trialStress;
    committedTangent = trialTangent;
    return 0;
}

int Concrete02::revertToCommitted() {
    trialMinStrain = committedMinStrain;
    trialMaxTensileStrain = committedMaxTensileStrain;
    trialStrain = committedStrain;
    trialStress = committedStress;
    trialTangent = committedTangent;
    return 0;
}

// The trial minimum and tensile excursion are left alone: the next state determination reloads
// them from the committed values before reading them.
int Concrete02::revertToInitial() {
    committedMinStrain = 0.0;
    committedMaxTensileStrain = 0.0;
    committedStrain = 0.0;
    committedStress = 0.0;
    committedTangent = initialModulus();
    trialStrain = 0.0;
    trialStress = 0.0;
    trialTangent = initialModulus();
    return 0;
}

// A fresh material with the same parameters; no state is copied.
std::unique_ptr<UniaxialMaterial> Concrete02::clone() const {
    return std::make_unique<Concrete02>(materialTag(), fpc, epsc0, fpcu, epsU, lambda, ft, Ets);
}

std::unique_ptr<UniaxialMaterial> makeConcrete02(int tag, const ParameterValues& v) {
    return std::make_unique<Concrete02>(tag, v.at(0), v.at(1), v.at(2), v.at(3), v.at(4), v.at(5),
                                        v.at(6));
}

std::string checkConcrete02Parameters(const ParameterValues& v) {
    const double fpc = v.at(0), epsc0 = v.at(1), fpcu = v.at(2), epsU = v.at(3);
    const double lambda = v.at(4), Ets = v.at(6);
    if (fpc == 0.0) {
        return refuseParameter("fpc", fpc,
                               "it makes the initial modulus 2*fpc/epsc0 zero, and the focal "
                               "point and the tension limits divide by that modulus");
    }
    if (epsc0 == 0.0) {
        return refuseParameter("epsc0", epsc0,
                               "the strain ratio and the initial modulus 2*fpc/epsc0 divide by it");
    }
    if (lambda == 1.0) {
        return refuseParameter("lambda", lambda,
                               "the focal point of the reloading lines divides by 1 - lambda");
    }
    if (Ets == 0.0) {
        return refuseParameter("Ets", Ets, "the end strain of tension softening divides by it");
    }
    // The minimum strain starts at 0, so a focal point at zero strain makes the first reloading
    // slope 0/0.
    if (focalStrain(fpcu, epsU, lambda, 2.0 * fpc / epsc0) == 0.0) {
        return refuseParameter("fpcu", fpcu,
                               "with these values the focal point of the reloading lines lies "
                               "at zero strain, and the reloading slope divides by its distance "
                               "from the minimum strain 0");
    }
    return {};
}

} // namespace looplab
