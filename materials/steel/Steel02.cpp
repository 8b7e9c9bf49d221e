#include "materials/steel/Steel02.h"

#include <cmath>

namespace looplab {

namespace {
constexpr double machineEpsilon = 2.220446049250313e-16; // 2^-52
// Below this strain change an unloaded material stays at its initial point.
constexpr double firstLoadingTolerance = 10.0 * machineEpsilon;
constexpr double shiftExponent = 0.8;
} // namespace

Steel02::Steel02(int tag, double Fy_, double E_, double b_, double R0_, double CR1_, double CR2_,
                 double a1_, double a2_, double a3_, double a4_, double sig0_)
    : UniaxialMaterial(tag, classTagValue), Fy(Fy_), E(E_), b(b_), R0(R0_), CR1(CR1_), CR2(CR2_),
      a1(a1_), a2(a2_), a3(a3_), a4(a4_), sig0(sig0_) {
    revertToInitial();
    // The trial history is never read before a trial reloads it; it starts equal to the
    // committed one so that it holds defined values from the start.
    copyCommittedHistoryToTrial();
}

int Steel02::applyTrialStrain(double strain, double /*strainRate*/) {
    const double hardeningModulus = b * E;
    const double yieldStrain = Fy / E;

    trialStrain = (sig0 != 0.0) ? strain + sig0 / E : strain;
    const double strainIncrement = trialStrain - committedStrain;

    // Stress and tangent are not reloaded: every path below sets them.
    copyCommittedHistoryToTrial();

    if (trialBranch == 0 || trialBranch == 3) {
        if (std::fabs(strainIncrement) < firstLoadingTolerance) {
            trialTangent = E;
            trialStress = sig0;
            trialBranch = 3;
            return 0;
        }
        startFirstLoading(strainIncrement, yieldStrain);
    }

    // Any change of sign of the increment starts a new branch; no tolerance here.
    if (trialBranch == 2 && strainIncrement > 0.0) {
        reverseTowardsTension(hardeningModulus, yieldStrain);
    } else if (trialBranch == 1 && strainIncrement < 0.0) {
        reverseTowardsCompression(hardeningModulus, yieldStrain);
    }

    followTransitionCurve(yieldStrain);
    return 0;
}

void Steel02::copyCommittedHistoryToTrial() {
    trialMinStrain = committedMinStrain;
    trialMaxStrain = committedMaxStrain;
    trialExtremeStrain = committedExtremeStrain;
    trialAsymptoteStrain = committedAsymptoteStrain;
    trialAsymptoteStress = committedAsymptoteStress;
    trialReversalStrain = committedReversalStrain;
    trialReversalStress = committedReversalStress;
    trialBranch = committedBranch;
}

// The first branch heads from the committed reversal point for the yield point on the side
// of the increment; the reversal point itself is left as committed.
void Steel02::startFirstLoading(double strainIncrement, double yieldStrain) {
    trialMaxStrain = yieldStrain;
    trialMinStrain = -yieldStrain;
    if (strainIncrement < 0.0) {
        trialBranch = 2;
        trialAsymptoteStrain = -yieldStrain;
        trialAsymptoteStress = -Fy;
        trialExtremeStrain = -yieldStrain;
    } else {
        trialBranch = 1;
        trialAsymptoteStrain = yieldStrain;
        trialAsymptoteStress = Fy;
        trialExtremeStrain = yieldStrain;
    }
}

// From a compressive branch back towards tension: the new asymptote intersection is where the
// elastic line through the reversal point meets the tensile hardening asymptote, shifted by
// the strain range swept so far (a3, a4). The shift is evaluated even when a3 is 0.
void Steel02::reverseTowardsTension(double Esh, double yieldStrain) {
    trialBranch = 1;
    trialReversalStrain = committedStrain;
    trialReversalStress = committedStress;
    if (committedStrain < trialMinStrain) {
        trialMinStrain = committedStrain;
    }
    const double shift =
        1.0 +
        a3 * std::pow((trialMaxStrain - trialMinStrain) / (2.0 * a4 * yieldStrain), shiftExponent);
    trialAsymptoteStrain =
        (Fy * shift - Esh * yieldStrain * shift - trialReversalStress + E * trialReversalStrain) /
        (E - Esh);
    trialAsymptoteStress = Fy * shift + Esh * (trialAsymptoteStrain - yieldStrain * shift);
    trialExtremeStrain = trialMaxStrain;
}

// From a tensile branch towards compression, mirroring reverseTowardsTension with a1, a2.
void Steel02::reverseTowardsCompression(double Esh, double yieldStrain) {
    trialBranch = 2;
    trialReversalStrain = committedStrain;
    trialReversalStress = committedStress;
    if (committedStrain > trialMaxStrain) {
        trialMaxStrain = committedStrain;
    }
    const double shift =
        1.0 +
        a1 * std::pow((trialMaxStrain - trialMinStrain) / (2.0 * a2 * yieldStrain), shiftExponent);
    trialAsymptoteStrain =
        (-Fy * shift + Esh * yieldStrain * shift - trialReversalStress + E * trialReversalStrain) /
        (E - Esh);
    trialAsymptoteStress = -Fy * shift + Esh * (trialAsymptoteStrain + yieldStrain * shift);
    trialExtremeStrain = trialMinStrain;
}

// Stress and tangent on the curve from the reversal point to the asymptote intersection, in
// coordinates normalised by that segment; R degrades with the extreme strain's distance from
// the intersection, in yield strains.
void Steel02::followTransitionCurve(double yieldStrain) {
    const double xi = std::fabs((trialExtremeStrain - trialAsymptoteStrain) / yieldStrain);
    const double R = R0 * (1.0 - CR1 * xi / (CR2 + xi));
    const double strainSpan = trialAsymptoteStrain - trialReversalStrain;
    const double stressSpan = trialAsymptoteStress - trialReversalStress;
    const double normalisedStrain = (trialStrain - trialReversalStrain) / strainSpan;
    const double d1 = 1.0 + std::pow(std::fabs(normalisedStrain), R);
    const double d2 = std::pow(d1, 1.0 / R);
    const double normalisedStress = b * normalisedStrain + (1.0 - b) * normalisedStrain / d2;
    trialStress = normalisedStress * stressSpan + trialReversalStress;
    trialTangent = (b + (1.0 - b) / (d1 * d2)) * stressSpan / strainSpan;
}

int Steel02::commit() {
    committedMinStrain = trialMinStrain;
    committedMaxStrain = trialMaxStrain;
    committedExtremeStrain = trialExtremeStrain;
    committedAsymptoteStrain = trialAsymptoteStrain;
    committedAsymptoteStress = trialAsymptoteStress;
    committedReversalStrain = trialReversalStrain;
    committedReversalStress = trialReversalStress;
    committedBranch = trialBranch;
    committedStrain = trialStrain;
    committedStress = trialStress;
    committedTangent = trialTangent;
    return 0;
}

int Steel02::revertToCommitted() {
    copyCommittedHistoryToTrial();
    trialStrain = committedStrain;
    trialStress = committedStress;
    trialTangent = committedTangent;
    return 0;
}

// Resets the committed history and both responses; the trial history is left alone because
// the next trial reloads it. With an initial stress the committed point starts at
// (sig0/E, sig0) while the trial strain and stress read 0.0 until the first trial.
int Steel02::revertToInitial() {
    const double yieldStrain = Fy / E;
    committedTangent = E;
    trialTangent = E;
    committedStrain = 0.0;
    committedStress = 0.0;
    trialStrain = 0.0;
    trialStress = 0.0;
    committedBranch = 0;
    committedMaxStrain = yieldStrain;
    committedMinStrain = -yieldStrain;
    committedExtremeStrain = 0.0;
    committedAsymptoteStrain = 0.0;
    committedAsymptoteStress = 0.0;
    committedReversalStrain = 0.0;
    committedReversalStress = 0.0;
    if (sig0 != 0.0) {
        committedStrain = sig0 / E;
        committedStress = sig0;
    }
    return 0;
}

std::unique_ptr<UniaxialMaterial> Steel02::clone() const {
    return std::make_unique<Steel02>(materialTag(), Fy, E, b, R0, CR1, CR2, a1, a2, a3, a4, sig0);
}

std::unique_ptr<UniaxialMaterial> makeSteel02(int tag, const ParameterValues& v) {
    return std::make_unique<Steel02>(tag, v.at(0), v.at(1), v.at(2), v.at(3), v.at(4), v.at(5),
                                     v.at(6), v.at(7), v.at(8), v.at(9), v.at(10));
}

std::string checkSteel02Parameters(const ParameterValues& v) {
    const double Fy = v.at(0);
    const double E = v.at(1);
    const double b = v.at(2);
    if (Fy == 0.0) {
        return refuseParameter("Fy", Fy,
                               "the yield strain Fy/E is then zero and the transition curve "
                               "divides by it");
    }
    if (E == 0.0) {
        return refuseParameter("E", E, "the yield strain Fy/E divides by it");
    }
    // The isotropic shifts raise the strain range swept, divided by 2·a·Fy/E, to the power 0.8;
    // that base must not be negative.
    if (Fy / E < 0.0) {
        return refuseParameter("Fy", Fy,
                               "with E of the other sign the yield strain Fy/E is negative, and "
                               "the isotropic shift at a reversal raises the strain range divided "
                               "by it to the power 0.8");
    }
    if (E - b * E == 0.0) {
        return refuseParameter("b", b,
                               "the asymptote intersection divides by E - b*E, which is then "
                               "zero");
    }
    if (v.at(3) == 0.0) {
        return refuseParameter("R0", v[3],
                               "the curvature exponent R is then zero and the transition curve "
                               "raises to the power 1/R");
    }
    if (v.at(5) == 0.0) {
        return refuseParameter("CR2", v[5],
                               "the degradation CR1*xi/(CR2 + xi) is 0/0 on the first loading, "
                               "where xi is 0");
    }
    // The normalised strain is 0 when a branch is evaluated at its own start (a first loading
    // after strains that crept below the increment tolerance, for instance), and |0|^R is then
    // infinite for R < 0: the curvature R = R0*(1 - CR1*xi/(CR2 + xi)) must stay positive for
    // every excursion xi >= 0.
    constexpr const char* curvatureNotPositive =
        "the curvature R = R0*(1 - CR1*xi/(CR2 + xi)) then falls below zero for some excursion "
        "xi, and a branch evaluated at its own start raises 0 to that negative power";
    if (v[3] < 0.0) {
        return refuseParameter("R0", v[3], curvatureNotPositive);
    }
    if (v[5] > 0.0 && v.at(4) > 1.0) {
        return refuseParameter("CR1", v[4], curvatureNotPositive);
    }
    if (v[5] < 0.0) {
        return refuseParameter("CR2", v[5], curvatureNotPositive);
    }
    if (v.at(7) == 0.0) {
        return refuseParameter("a2", v[7],
                               "the compressive shift divides by it at every reversal towards "
                               "compression, even when a1 is 0");
    }
    if (v[7] < 0.0) {
        return refuseParameter("a2", v[7],
                               "the compressive shift raises the strain range divided by "
                               "2*a2*Fy/E to the power 0.8 at every reversal towards compression, "
                               "even when a1 is 0, and that base is then negative");
    }
    if (v.at(9) == 0.0) {
        return refuseParameter("a4", v[9],
                               "the tensile shift divides by it at every reversal towards "
                               "tension, even when a3 is 0");
    }
    if (v[9] < 0.0) {
        return refuseParameter("a4", v[9],
                               "the tensile shift raises the strain range divided by 2*a4*Fy/E "
                               "to the power 0.8 at every reversal towards tension, even when a3 "
                               "is 0, and that base is then negative");
    }
    // At a reversal from the elastic range the strain range swept is 2*Fy/E, so the shift is
    // 1 + a*(1/a_scale)^0.8; at zero the asymptote intersection falls on the reversal point.
    const double yieldStrain = Fy / E;
    const double elasticRange = yieldStrain - -yieldStrain;
    if (1.0 + v[6] * std::pow(elasticRange / (2.0 * v[7] * yieldStrain), shiftExponent) == 0.0) {
        return refuseParameter("a1", v[6],
                               "with a2 it makes the compressive shift zero at a reversal from "
                               "the elastic range, which puts the asymptote intersection on the "
                               "reversal point, and the branch divides by its zero strain span");
    }
    if (1.0 + v[8] * std::pow(elasticRange / (2.0 * v[9] * yieldStrain), shiftExponent) == 0.0) {
        return refuseParameter("a3", v[8],
                               "with a4 it makes the tensile shift zero at a reversal from the "
                               "elastic range, which puts the asymptote intersection on the "
                               "reversal point, and the branch divides by its zero strain span");
    }
    // The first branch starts from (0, 0) while the strain starts at sig0/E: beyond the yield
    // stress it runs backwards onto the opposite asymptote, and the next reversal starts on that
    // asymptote, so that the new branch's strain span is zero.
    if (std::fabs(v.at(10)) > std::fabs(Fy)) {
        return refuseParameter("sig0", v[10],
                               "an initial stress beyond the yield stress Fy puts the start of "
                               "the first branch past its yield point, where a later reversal "
                               "can start on its own asymptote and divide by a zero strain span");
    }
    return {};
}

} // namespace looplab
