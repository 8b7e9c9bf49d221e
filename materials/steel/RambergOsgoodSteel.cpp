#include "materials/steel/RambergOsgoodSteel.h"

#include <cmath>

namespace looplab {

namespace {
constexpr double machineEpsilon = 2.220446049250313e-16; // 2^-52
// Below this strain change an unloaded material stays at its initial point.
constexpr double firstLoadingTolerance = 10.0 * machineEpsilon;
constexpr double startIncrement = 1.0;
constexpr double convergenceTolerance = 0.0001; // absolute, in stress units
constexpr int iterationLimit = 1000;            // counter value that ends the loop: 999 updates
} // namespace

RambergOsgoodSteel::RambergOsgoodSteel(int tag, double fy_, double E0_, double a_, double n_)
    : UniaxialMaterial(tag, classTagValue), fy(fy_), E0(E0_), a(a_), n(n_) {
    revertToInitial();
    // The trial history is never read before a trial reloads it; it starts equal to the
    // committed one so that it holds defined values from the start.
    copyCommittedHistoryToTrial();
}

int RambergOsgoodSteel::applyTrialStrain(double strain, double /*strainRate*/) {
    newtonUpdates = 0;
    trialStrain = strain;
    const double strainIncrement = trialStrain - committedStrain;

    copyCommittedHistoryToTrial();

    if (trialBranch == 0 || trialBranch == 3) {
        if (std::fabs(strainIncrement) < firstLoadingTolerance) {
            trialTangent = E0;
            trialStress = 0.0;
            trialBranch = 3;
            return 0;
        }
        // The first branch starts from the committed reversal point with Fy* = fy.
        trialBranch = (strainIncrement < 0.0) ? 2 : 1;
        trialBranchYieldStress = fy;
    }

    // Any change of sign of the increment starts a new branch; no tolerance here.
    if (trialBranch == 2 && strainIncrement > 0.0) {
        trialBranch = 1;
        trialReversalStrain = committedStrain;
        trialReversalStress = committedStress;
    } else if (trialBranch == 1 && strainIncrement < 0.0) {
        trialBranch = 2;
        trialReversalStrain = committedStrain;
        trialReversalStress = committedStress;
    }

    // Branches after a reversal follow the doubled curve; a reversal at exactly zero stress
    // keeps the current Fy*.
    if (trialReversalStress != 0.0) {
        trialBranchYieldStress = 2.0 * fy;
    }

    const double F = trialBranchYieldStress;
    const double increment = solveStressIncrement(F, std::fabs(trialStrain - trialReversalStrain));
    trialTangent = tangentAt(increment, F);
    trialStress = (trialStrain < trialReversalStrain) ? trialReversalStress - increment
                                                      : trialReversalStress + increment;
    return 0;
}

void RambergOsgoodSteel::copyCommittedHistoryToTrial() {
    trialBranch = committedBranch;
    trialBranchYieldStress = committedBranchYieldStress;
    trialReversalStrain = committedReversalStrain;
    trialReversalStress = committedReversalStress;
}

// Newton iteration on a·(s/F)^n + s/E0 = d for the unsigned stress increment s. Stops when
// two iterates differ by less than the tolerance, after 999 updates, or when the change is
// NaN (a negative iterate under a non-integral power), keeping the last iterate.
double RambergOsgoodSteel::solveStressIncrement(double F, double d) {
    double s = startIncrement;
    int counter = 1;
    double change = 10.0;
    while (change >= convergenceTolerance) {
        const double residual = a * std::pow(s / F, n) + s / E0 - d;
        const double derivative = std::pow(s / F, n - 1.0) * (a * n / F) + 1.0 / E0;
        const double next = s - residual / derivative;
        counter = counter + 1;
        change = std::fabs(next - s);
        s = next;
        if (counter == iterationLimit) {
            change = 0.0;
        }
    }
    newtonUpdates = counter - 1;
    return s;
}

// Inverse of the strain–stress derivative at the unsigned increment s.
double RambergOsgoodSteel::tangentAt(double s, double F) const {
    return 1.0 / (std::pow(s / F, n - 1.0) * (a * n / F) + 1.0 / E0);
}

int RambergOsgoodSteel::commit() {
    committedBranch = trialBranch;
    committedBranchYieldStress = trialBranchYieldStress;
    committedReversalStrain = trialReversalStrain;
    committedReversalStress = trialReversalStress;
    committedStrain = trialStrain;
    committedStress = trialStress;
    committedTangent = trialTangent;
    return 0;
}

int RambergOsgoodSteel::revertToCommitted() {
    copyCommittedHistoryToTrial();
    trialStrain = committedStrain;
    trialStress = committedStress;
    trialTangent = committedTangent;
    return 0;
}

// Resets the committed history and both responses; the trial history is left alone because
// the next trial reloads it.
int RambergOsgoodSteel::revertToInitial() {
    committedBranch = 0;
    committedBranchYieldStress = 0.0;
    committedReversalStrain = 0.0;
    committedReversalStress = 0.0;
    committedStrain = 0.0;
    trialStrain = 0.0;
    committedStress = 0.0;
    trialStress = 0.0;
    committedTangent = E0;
    trialTangent = E0;
    return 0;
}

std::unique_ptr<UniaxialMaterial> RambergOsgoodSteel::clone() const {
    return std::make_unique<RambergOsgoodSteel>(materialTag(), fy, E0, a, n);
}

std::unique_ptr<UniaxialMaterial> makeRambergOsgoodSteel(int tag, const ParameterValues& v) {
    return std::make_unique<RambergOsgoodSteel>(tag, v.at(0), v.at(1), v.at(2), v.at(3));
}

std::string checkRambergOsgoodSteelParameters(const ParameterValues& v) {
    if (!(v.at(0) > 0.0)) {
        return refuseParameter("fy", v[0],
                               "the yield strength must be positive: the iteration divides by "
                               "it and raises the stress ratio to the power n");
    }
    if (v.at(1) == 0.0) {
        return refuseParameter("E0", v[1], "the Newton residual and derivative divide by it");
    }
    // With E0 > 0 and a >= 0 the strain a·(s/Fy*)^n + s/E0 grows convexly with the stress
    // increment s, so Newton's iterates stay positive and converge. Otherwise the function is
    // not monotonic: an iterate can turn negative (which has no non-integer power n), or meet a
    // zero derivative and divide by it.
    if (v[1] < 0.0) {
        return refuseParameter("E0", v[1],
                               "a negative modulus makes the Newton function non-monotonic, so "
                               "an iterate of the stress increment can turn negative or meet a "
                               "zero derivative");
    }
    if (v.at(2) < 0.0) {
        return refuseParameter("a", v[2],
                               "a negative yield offset makes the Newton function non-monotonic, "
                               "so an iterate of the stress increment can turn negative or meet "
                               "a zero derivative");
    }
    if (!(v[3] > 1.0)) {
        return refuseParameter("n", v[3],
                               "the hardening exponent must exceed 1: below 1 the Newton "
                               "derivative (s/Fy*)^(n - 1) is infinite at a zero stress "
                               "increment, and at 1 the curve never yields");
    }
    return {};
}

} // namespace looplab
