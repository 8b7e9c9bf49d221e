#include "materials/steel/Steel01.h"

#include <cmath>

namespace looplab {

namespace {
constexpr double machineEpsilon = 2.220446049250313e-16; // 2^-52
} // namespace

Steel01::Steel01(int tag, double Fy_, double E_, double b_, double a1_, double a2_, double a3_,
                 double a4_)
    : UniaxialMaterial(tag, classTagValue), Fy(Fy_), E(E_), b(b_), a1(a1_), a2(a2_), a3(a3_),
      a4(a4_) {
    revertToInitial();
}

int Steel01::applyTrialStrain(double strain, double /*strainRate*/) {
    revertToCommitted();
    const double strainIncrement = strain - committedStrain;
    if (std::fabs(strainIncrement) > machineEpsilon) {
        trialStrain = strain;
        determineTrialState(strainIncrement);
    }
    return 0;
}

int Steel01::applyTrialStrainAndRespond(double strain, double& stress, double& tangent,
                                        double strainRate) {
    applyTrialStrain(strain, strainRate);
    stress = trialStress;
    tangent = trialTangent;
    return 0;
}

void Steel01::determineTrialState(double dStrain) {
    const double hardeningModulus = b * E;
    const double yieldStrain = Fy / E;
    const double boundOffset = (1.0 - b) * Fy;

    const double upperBound = hardeningModulus * trialStrain + boundOffset * trialTensionShift;
    const double lowerBound = hardeningModulus * trialStrain - boundOffset * trialCompressionShift;
    const double elasticPredictor = committedStress + E * dStrain;

    // max(lower, min(upper, elastic)), the upper clamp first.
    trialStress = (upperBound < elasticPredictor) ? upperBound : elasticPredictor;
    if (lowerBound > trialStress) {
        trialStress = lowerBound;
    }
    trialTangent = (std::fabs(trialStress - elasticPredictor) < machineEpsilon) ? E
                                                                                 : hardeningModulus;

    if (trialLoadingDirection == 0 && dStrain != 0.0) {
        trialLoadingDirection = (dStrain > 0.0) ? 1 : -1;
    }

    // Reversal from loading to unloading: the compressive bound grows.
    if (trialLoadingDirection == 1 && dStrain < 0.0) {
        trialLoadingDirection = -1;
        if (committedStrain > trialMaxStrain) {
            trialMaxStrain = committedStrain;
        }
        trialCompressionShift =
            1.0 + a1 * std::pow((trialMaxStrain - trialMinStrain) / (2.0 * a2 * yieldStrain), 0.8);
    }
    // Reversal from unloading to loading: the tensile bound grows.
    if (trialLoadingDirection == -1 && dStrain > 0.0) {
        trialLoadingDirection = 1;
        if (committedStrain < trialMinStrain) {
            trialMinStrain = committedStrain;
        }
        trialTensionShift =
            1.0 + a3 * std::pow((trialMaxStrain - trialMinStrain) / (2.0 * a4 * yieldStrain), 0.8);
    }
}

int Steel01::commit() {
    committedMinStrain = trialMinStrain;
    committedMaxStrain = trialMaxStrain;
    committedTensionShift = trialTensionShift;
    committedCompressionShift = trialCompressionShift;
    committedLoadingDirection = trialLoadingDirection;
    committedStrain = trialStrain;
    committedStress = trialStress;
    committedTangent = trialTangent;
    return 0;
}

int Steel01::revertToCommitted() {
    trialMinStrain = committedMinStrain;
    trialMaxStrain = committedMaxStrain;
    trialTensionShift = committedTensionShift;
    trialCompressionShift = committedCompressionShift;
    trialLoadingDirection = committedLoadingDirection;
    trialStrain = committedStrain;
    trialStress = committedStress;
    trialTangent = committedTangent;
    return 0;
}

int Steel01::revertToInitial() {
    committedMinStrain = 0.0;
    committedMaxStrain = 0.0;
    committedTensionShift = 1.0;
    committedCompressionShift = 1.0;
    committedLoadingDirection = 0;
    committedStrain = 0.0;
    committedStress = 0.0;
    committedTangent = E;
    revertToCommitted();
    return 0;
}

std::unique_ptr<UniaxialMaterial> Steel01::clone() const {
    auto copy = std::make_unique<Steel01>(materialTag(), Fy, E, b, a1, a2, a3, a4);
    copy->committedMinStrain = committedMinStrain;
    copy->committedMaxStrain = committedMaxStrain;
    copy->committedTensionShift = committedTensionShift;
    copy->committedCompressionShift = committedCompressionShift;
    copy->committedLoadingDirection = committedLoadingDirection;
    copy->committedStrain = committedStrain;
    copy->committedStress = committedStress;
    copy->committedTangent = committedTangent;
    copy->trialMinStrain = trialMinStrain;
    copy->trialMaxStrain = trialMaxStrain;
    copy->trialTensionShift = trialTensionShift;
    copy->trialCompressionShift = trialCompressionShift;
    copy->trialLoadingDirection = trialLoadingDirection;
    copy->trialStrain = trialStrain;
    copy->trialStress = trialStress;
    copy->trialTangent = trialTangent;
    return copy;
}

std::unique_ptr<UniaxialMaterial> makeSteel01(int tag, const ParameterValues& v) {
    return std::make_unique<Steel01>(tag, v.at(0), v.at(1), v.at(2), v.at(3), v.at(4), v.at(5),
                                     v.at(6));
}

std::string checkSteel01Parameters(const ParameterValues& v) {
    if (v.at(1) == 0.0) {
        return refuseParameter("E", v[1], "the yield strain Fy/E divides by it");
    }
    if (v.at(4) == 0.0) {
        return refuseParameter("a2", v[4], "the compressive shift divides by it at a reversal");
    }
    if (v.at(6) == 0.0) {
        return refuseParameter("a4", v[6], "the tensile shift divides by it at a reversal");
    }
    return {};
}

} // namespace looplab
