#include "materials/steel/SteelMPF.h"

#include <cmath>

namespace looplab {

namespace {
// A step to exactly zero strain at zero rate leaves the response as it was.
bool isSkippedStep(double strain, double strainRate) {
    return strain == 0.0 && strainRate == 0.0;
}
} // namespace

SteelMPF::SteelMPF(int tag, double fyp_, double fyn_, double E0_, double bp_, double bn_,
                   double R0_, double cR1_, double cR2_, double a1_, double a2_, double a3_,
                   double a4_)
    : UniaxialMaterial(tag, classTagValue), fyp(fyp_), fyn(fyn_), E0(E0_), bp(bp_), bn(bn_),
      R0(R0_), cR1(cR1_), cR2(cR2_), a1(a1_), a2(a2_), a3(a3_), a4(a4_),
      yieldStrainTension(fyp_ / E0_), yieldStrainCompression(fyn_ / E0_), k(cR1_ * R0_) {
    revertToInitial();
}

SteelMPF::History SteelMPF::initialHistory() const {
    History h{};
    h.loadingDirection = 0;
    h.tension = Branch{0.0, 0.0, 0.0, 0.0, R0};
    h.compression = Branch{0.0, 0.0, 0.0, 0.0, R0};
    h.previousTension = Branch{0.0, 0.0, 0.0, 0.0, 0.0};
    h.previousCompression = Branch{0.0, 0.0, 0.0, 0.0, 0.0};
    h.tensionRejoinBlocked = 0;
    h.compressionRejoinBlocked = 0;
    h.minStrain = 0.0;
    h.maxStrain = 0.0;
    h.reversalCount = 0;
    return h;
}

SteelMPF::BranchResponse SteelMPF::branchCurve(const Branch& branch, double b, double strain) {
    const double x =
        (strain - branch.reversalStrain) / (branch.asymptoteStrain - branch.reversalStrain);
    const double p = std::pow(x, branch.curvature);
    const double q = std::pow(1.0 + p, 1.0 / branch.curvature);
    BranchResponse r;
    r.stress = (branch.asymptoteStress - branch.reversalStress) * (b * x + (1.0 - b) / q * x) +
               branch.reversalStress;
    r.tangent = ((1.0 - b) / q * (1.0 - p / (p + 1.0)) + b) *
                (branch.asymptoteStress - branch.reversalStress) /
                (branch.asymptoteStrain - branch.reversalStrain);
    return r;
}

int SteelMPF::applyTrialStrain(double strain, double strainRate) {
    trial = committed; // the response (strain, stress, tangent) is not restored
    if (isSkippedStep(strain, strainRate)) {
        return 0;
    }
    trialStrain = strain;
    determineTrialState(strain);
    return 0;
}

int SteelMPF::applyTrialStrainAndRespond(double strain, double& stress, double& tangent,
                                         double strainRate) {
    applyTrialStrain(strain, strainRate);
    if (!isSkippedStep(strain, strainRate)) {
        stress = trialStress;
        tangent = trialTangent;
    }
    return 0;
}

void SteelMPF::determineTrialState(double strain) {
    if (committed.loadingDirection == 0) {
        startFirstLoading(strain);
        return;
    }
    if (strain > committedStrain) {
        trial.loadingDirection = 1;
    } else if (strain < committedStrain) {
        trial.loadingDirection = -1;
    }
    if (committed.loadingDirection == 1) {
        if (strain < committedStrain) {
            reverseTowardsCompression(strain);
        } else {
            trial.tension.curvature = committed.tension.curvature;
            followTensionBranch(strain);
        }
    } else if (committed.loadingDirection == -1) {
        if (strain > committedStrain) {
            reverseTowardsTension(strain);
        } else {
            trial.compression.curvature = committed.compression.curvature;
            followCompressionBranch(strain);
        }
    }
}

void SteelMPF::startFirstLoading(double strain) {
    trial.previousTension.curvature = R0;
    trial.previousCompression.curvature = R0;
    trial.tensionRejoinBlocked = 1;
    trial.compressionRejoinBlocked = 1;
    trial.loadingDirection = (strain < 0.0) ? -1 : 1;

    // Both directions start at the origin and aim at the virgin yield points.
    const Branch virginTension{0.0, 0.0, yieldStrainTension, fyp, R0};
    const Branch virginCompression{0.0, 0.0, -yieldStrainCompression, -fyn, R0};
    trial.tension = virginTension;
    trial.previousTension = virginTension;
    trial.compression = virginCompression;
    trial.previousCompression = virginCompression;
    trial.minStrain = 0.0;
    trial.maxStrain = 0.0;
    trial.reversalCount = (strain == 0.0) ? 0 : 1;

    const BranchResponse r = (trial.loadingDirection == 1)
                                 ? branchCurve(trial.tension, bp, strain)
                                 : branchCurve(trial.compression, bn, strain);
    trialStress = r.stress;
    trialTangent = r.tangent;
}

void SteelMPF::reverseTowardsCompression(double strain) {
    Branch& c = trial.compression;
    trial.previousCompression = committed.compression;
    c.reversalStrain = committedStrain;
    c.reversalStress = committedStress;
    trial.reversalCount = committed.reversalCount + 1;
    trial.maxStrain =
        (c.reversalStrain > committed.maxStrain) ? c.reversalStrain : committed.maxStrain;

    double shift = fyn * a1 * (std::fabs(trial.maxStrain) / yieldStrainTension - a2);
    if (std::fabs(trial.maxStrain) < yieldStrainTension) {
        shift = 0.0;
    }
    if (shift < 0.0) {
        shift = 0.0;
    }
    const double yieldLevel = -fyn - shift;

    c.asymptoteStrain =
        ((1.0 - bn) * yieldLevel + E0 * c.reversalStrain - c.reversalStress) / ((1.0 - bn) * E0);
    c.asymptoteStress = (c.asymptoteStrain - c.reversalStrain) * E0 + c.reversalStress;

    // The excursion that sets the new curvature.
    double reference;
    if (trial.reversalCount == 1) {
        reference = c.asymptoteStrain;
    } else if (trial.reversalCount == 2) {
        reference = -yieldStrainCompression;
    } else {
        reference = trial.tension.reversalStrain;
    }
    const double xi = std::fabs((reference - c.asymptoteStrain) / yieldStrainCompression);
    c.curvature = R0 - k * xi / (cR2 + xi);
    if (c.curvature > committed.compression.curvature) {
        c.curvature = committed.compression.curvature;
    }

    const double previousAtReversal =
        branchCurve(trial.previousCompression, bn, c.reversalStrain).stress;
    trial.compressionRejoinBlocked = (c.reversalStress < previousAtReversal) ? 1 : 0;

    followCompressionBranch(strain);
}

void SteelMPF::reverseTowardsTension(double strain) {
    Branch& t = trial.tension;
    trial.previousTension = committed.tension;
    t.reversalStrain = committedStrain;
    t.reversalStress = committedStress;
    trial.reversalCount = committed.reversalCount + 1;
    trial.minStrain =
        (t.reversalStrain < committed.minStrain) ? t.reversalStrain : committed.minStrain;

    double shift = fyp * a3 * (std::fabs(trial.minStrain) / yieldStrainCompression - a4);
    if (std::fabs(trial.minStrain) < yieldStrainCompression) {
        shift = 0.0;
    }
    if (shift < 0.0) {
        shift = 0.0;
    }
    const double yieldLevel = fyp + shift;

    t.asymptoteStrain =
        ((1.0 - bp) * yieldLevel + E0 * t.reversalStrain - t.reversalStress) / ((1.0 - bp) * E0);
    t.asymptoteStress = (t.asymptoteStrain - t.reversalStrain) * E0 + t.reversalStress;

    double reference;
    if (trial.reversalCount == 1) {
        reference = t.asymptoteStrain;
    } else if (trial.reversalCount == 2) {
        reference = yieldStrainTension;
    } else {
        reference = trial.compression.reversalStrain;
    }
    const double xi = std::fabs((reference - t.asymptoteStrain) / yieldStrainTension);
    t.curvature = R0 - k * xi / (cR2 + xi);
    if (t.curvature > committed.tension.curvature) {
        t.curvature = committed.tension.curvature;
    }

    const double previousAtReversal =
        branchCurve(trial.previousTension, bp, t.reversalStrain).stress;
    trial.tensionRejoinBlocked = (t.reversalStress > previousAtReversal) ? 1 : 0;

    followTensionBranch(strain);
}

// Stress on C; once C drops below the previous compression branch (that C started inside),
// the previous branch takes over.
void SteelMPF::followCompressionBranch(double strain) {
    Branch& c = trial.compression;
    const Branch& previous = trial.previousCompression;
    BranchResponse current = branchCurve(c, bn, strain);
    const BranchResponse onPrevious = branchCurve(previous, bn, strain);
    if (c.reversalStrain < previous.reversalStrain && trial.compressionRejoinBlocked == 0 &&
        current.stress < onPrevious.stress) {
        current = onPrevious;
        c = previous;
    }
    trialStress = current.stress;
    trialTangent = current.tangent;
}

// Mirror of followCompressionBranch for T and PT.
void SteelMPF::followTensionBranch(double strain) {
    Branch& t = trial.tension;
    const Branch& previous = trial.previousTension;
    BranchResponse current = branchCurve(t, bp, strain);
    const BranchResponse onPrevious = branchCurve(previous, bp, strain);
    if (t.reversalStrain > previous.reversalStrain && trial.tensionRejoinBlocked == 0 &&
        current.stress > onPrevious.stress) {
        current = onPrevious;
        t = previous;
    }
    trialStress = current.stress;
    trialTangent = current.tangent;
}

int SteelMPF::commit() {
    committed = trial;
    committedStrain = trialStrain;
    committedStress = trialStress;
    committedTangent = trialTangent;
    return 0;
}

int SteelMPF::revertToCommitted() {
    trial = committed;
    trialStrain = committedStrain;
    trialStress = committedStress;
    trialTangent = committedTangent;
    return 0;
}

int SteelMPF::revertToInitial() {
    yieldStrainTension = fyp / E0;
    yieldStrainCompression = fyn / E0;
    committed = initialHistory();
    trial = committed;
    committedStrain = 0.0;
    committedStress = 0.0;
    committedTangent = E0;
    trialStrain = 0.0;
    trialStress = 0.0;
    trialTangent = E0;
    return 0;
}

std::unique_ptr<UniaxialMaterial> SteelMPF::clone() const {
    auto copy = std::make_unique<SteelMPF>(materialTag(), fyp, fyn, E0, bp, bn, R0, cR1, cR2, a1,
                                           a2, a3, a4);
    copy->committed = committed;
    copy->trial = trial;
    copy->committedStrain = committedStrain;
    copy->committedStress = committedStress;
    copy->committedTangent = committedTangent;
    copy->trialStrain = trialStrain;
    copy->trialStress = trialStress;
    copy->trialTangent = trialTangent;
    return copy;
}

std::unique_ptr<UniaxialMaterial> makeSteelMPF(int tag, const ParameterValues& v) {
    return std::make_unique<SteelMPF>(tag, v.at(0), v.at(1), v.at(2), v.at(3), v.at(4), v.at(5),
                                      v.at(6), v.at(7), v.at(8), v.at(9), v.at(10), v.at(11));
}

std::string checkSteelMPFParameters(const ParameterValues& v) {
    if (v.at(0) == 0.0) {
        return refuseParameter("fyp", v[0],
                               "the tensile yield strain fyp/E0 is then zero and the tension "
                               "branches divide by it");
    }
    if (v.at(1) == 0.0) {
        return refuseParameter("fyn", v[1],
                               "the compressive yield strain fyn/E0 is then zero and the "
                               "compression branches divide by it");
    }
    if (v.at(2) == 0.0) {
        return refuseParameter("E0", v[2], "the yield strains fyp/E0 and fyn/E0 divide by it");
    }
    // The fall-back to the previous branch compares stresses and assumes tension positive: a
    // negative E0 (even with fyp and fyn negative too) turns those comparisons around, and a
    // branch can then start behind its asymptote intersection, where the curve raises a
    // negative strain ratio to the non-integer power R.
    if (v[2] < 0.0) {
        return refuseParameter("E0", v[2],
                               "a negative modulus turns the stress comparisons of the fall-back "
                               "to the previous branch around, and a branch can then start "
                               "behind its asymptote intersection, where the curve raises a "
                               "negative strain ratio to the power R");
    }
    // A negative yield strain puts a branch's asymptote intersection behind its reversal point.
    if (v[0] < 0.0) {
        return refuseParameter("fyp", v[0],
                               "a negative tensile yield strain fyp/E0 puts the tension branches "
                               "behind their reversal points, where the curve raises a negative "
                               "strain ratio to the power R");
    }
    if (v[1] < 0.0) {
        return refuseParameter("fyn", v[1],
                               "a negative compressive yield strain fyn/E0 puts the compression "
                               "branches behind their reversal points, where the curve raises a "
                               "negative strain ratio to the power R");
    }
    if (v.at(3) == 1.0) {
        return refuseParameter("bp", v[3],
                               "a reversal towards tension divides by (1 - bp)*E0, which is "
                               "then zero");
    }
    if (v.at(4) == 1.0) {
        return refuseParameter("bn", v[4],
                               "a reversal towards compression divides by (1 - bn)*E0, which is "
                               "then zero");
    }
    if (v.at(5) == 0.0) {
        return refuseParameter("R0", v[5],
                               "the curvature exponent then stays 0 and every branch divides by "
                               "it in 1/R");
    }
    // The curvature R = R0 - cR1*R0*xi/(cR2 + xi) of a new branch, for excursions xi >= 0, must
    // stay positive: a branch with R <= 0 overshoots its asymptotes, later branches then start
    // behind their asymptote intersections, and the curve raises a negative strain ratio to the
    // power R.
    constexpr const char* curvatureNotPositive =
        "the curvature R = R0 - cR1*R0*xi/(cR2 + xi) then reaches zero or below for some "
        "excursion xi; such a branch overshoots its asymptotes, and a later branch starting "
        "behind its asymptote intersection raises a negative strain ratio to the power R";
    const double R0 = v[5], cR1 = v.at(6), cR2 = v.at(7);
    if (R0 < 0.0) {
        return refuseParameter("R0", R0, curvatureNotPositive);
    }
    if (cR2 > 0.0 && cR1 > 1.0) {
        return refuseParameter("cR1", cR1, curvatureNotPositive);
    }
    // A reversal from the elastic range puts the new asymptote intersection at the yield strain
    // the excursion is measured from, so xi = 0 there.
    if (cR2 == 0.0) {
        return refuseParameter("cR2", cR2,
                               "the curvature degradation cR1*R0*xi/(cR2 + xi) is then 0/0 at a "
                               "reversal from the elastic range, where the excursion xi is 0");
    }
    // A negative cR2 puts a pole at xi = -cR2: R runs to minus infinity beside it (0/0 on it
    // when cR1 is 0).
    if (cR2 < 0.0) {
        return refuseParameter("cR2", cR2, curvatureNotPositive);
    }
    return {};
}

} // namespace looplab
