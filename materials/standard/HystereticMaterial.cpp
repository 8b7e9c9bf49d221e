#include "materials/standard/HystereticMaterial.h"

#include <cmath>

namespace looplab {

namespace {
constexpr double machineEpsilon = 2.220446049250313e-16; // 2^-52
constexpr double noCrossing = 1.0e16; // zero-crossing sentinel: the branch never reaches 0
constexpr double flatFactor = 1.0e-9; // tangent of a branch without stiffness, per first slope

// The area under both envelopes up to their third points, the damage rule's reference energy.
double envelopeArea(double s1p, double e1p, double s2p, double e2p, double s3p, double e3p,
                    double s1n, double e1n, double s2n, double e2n, double s3n, double e3n) {
    return 0.5 * (e1p * s1p + (e2p - e1p) * (s2p + s1p) + (e3p - e2p) * (s3p + s2p) + e1n * s1n +
                  (e2n - e1n) * (s2n + s1n) + (e3n - e2n) * (s3n + s2n));
}

// The largest of the three branch slopes, taken in branch order.
double largestSlope(double slope1, double slope2, double slope3) {
    double largest = slope1;
    if (slope2 > largest) {
        largest = slope2;
    }
    if (slope3 > largest) {
        largest = slope3;
    }
    return largest;
}
} // namespace

HystereticMaterial::HystereticMaterial(int tag, double s1p_, double e1p_, double s2p_, double e2p_,
                                       double s3p_, double e3p_, double s1n_, double e1n_,
                                       double s2n_, double e2n_, double s3n_, double e3n_,
                                       double pinchx_, double pinchy_, double damage1_,
                                       double damage2_, double beta_)
    : UniaxialMaterial(tag, classTagValue), s1p(s1p_), e1p(e1p_), s2p(s2p_), e2p(e2p_), s3p(s3p_),
      e3p(e3p_), s1n(s1n_), e1n(e1n_), s2n(s2n_), e2n(e2n_), s3n(s3n_), e3n(e3n_), pinchx(pinchx_),
      pinchy(pinchy_), damage1(damage1_), damage2(damage2_), beta(beta_),
      envelopeEnergy(
          envelopeArea(s1p_, e1p_, s2p_, e2p_, s3p_, e3p_, s1n_, e1n_, s2n_, e2n_, s3n_, e3n_)),
      slope1Pos(s1p_ / e1p_), slope2Pos((s2p_ - s1p_) / (e2p_ - e1p_)),
      slope3Pos((s3p_ - s2p_) / (e3p_ - e2p_)), slope1Neg(s1n_ / e1n_),
      slope2Neg((s2n_ - s1n_) / (e2n_ - e1n_)), slope3Neg((s3n_ - s2n_) / (e3n_ - e2n_)),
      maxSlopePos(largestSlope(slope1Pos, slope2Pos, slope3Pos)),
      maxSlopeNeg(largestSlope(slope1Neg, slope2Neg, slope3Neg)) {
    // Virgin committed state, then every trial variable equal to its committed copy.
    revertToInitial();
    revertToCommitted();
}

double HystereticMaterial::positiveEnvelopeStress(double strain) const {
    if (strain <= 0.0) {
        return 0.0;
    }
    if (strain <= e1p) {
        return slope1Pos * strain;
    }
    if (strain <= e2p) {
        return s1p + (strain - e1p) * slope2Pos;
    }
    if (strain <= e3p || slope3Pos > 0.0) {
        return s2p + (strain - e2p) * slope3Pos;
    }
    return s3p;
}

// Note the asymmetry with the stress at strain 0: the tangent there is the first slope.
double HystereticMaterial::positiveEnvelopeTangent(double strain) const {
    if (strain < 0.0) {
        return slope1Pos * flatFactor;
    }
    if (strain <= e1p) {
        return slope1Pos;
    }
    if (strain <= e2p) {
        return slope2Pos;
    }
    if (strain <= e3p || slope3Pos > 0.0) {
        return slope3Pos;
    }
    return slope1Pos * flatFactor;
}

double HystereticMaterial::negativeEnvelopeStress(double strain) const {
    if (strain >= 0.0) {
        return 0.0;
    }
    if (strain >= e1n) {
        return slope1Neg * strain;
    }
    if (strain >= e2n) {
        return s1n + (strain - e1n) * slope2Neg;
    }
    if (strain >= e3n || slope3Neg > 0.0) {
        return s2n + (strain - e2n) * slope3Neg;
    }
    return s3n;
}

double HystereticMaterial::negativeEnvelopeTangent(double strain) const {
    if (strain > 0.0) {
        return slope1Neg * flatFactor;
    }
    if (strain >= e1n) {
        return slope1Neg;
    }
    if (strain >= e2n) {
        return slope2Neg;
    }
    if (strain >= e3n || slope3Neg > 0.0) {
        return slope3Neg;
    }
    return slope1Neg * flatFactor;
}

// Where a softening positive branch, reached by the extreme strain, falls to zero stress;
// noCrossing when it does not (or when the envelope is still positive there).
double HystereticMaterial::positiveZeroCrossing(double strain) const {
    if (strain <= e1p) {
        return noCrossing;
    }
    double crossing = noCrossing;
    if (e1p < strain && strain <= e2p && slope2Pos < 0.0) {
        crossing = e1p - s1p / slope2Pos;
    }
    if (strain > e2p && slope3Pos < 0.0) {
        crossing = e2p - s2p / slope3Pos;
    }
    if (crossing == noCrossing) {
        return noCrossing;
    }
    if (positiveEnvelopeStress(crossing) > 0.0) {
        return noCrossing;
    }
    return crossing;
}

double HystereticMaterial::negativeZeroCrossing(double strain) const {
    if (strain >= e1n) {
        return -noCrossing;
    }
    double crossing = -noCrossing;
    if (e2n <= strain && strain < e1n && slope2Neg < 0.0) {
        crossing = e1n - s1n / slope2Neg;
    }
    if (strain < e2n && slope3Neg < 0.0) {
        crossing = e2n - s2n / slope3Neg;
    }
    if (crossing == -noCrossing) {
        return -noCrossing;
    }
    if (negativeEnvelopeStress(crossing) < 0.0) {
        return -noCrossing;
    }
    return crossing;
}

// The unloading-stiffness factor of one side: 1 while (extreme/e1)^beta < 1, its inverse
// beyond. std::pow(x, 0) is 1 for every x, 0 included, which is the 0^0 = 1 the rule needs.
double HystereticMaterial::degradation(double extremeStrain, double firstStrain) const {
    const double p = std::pow(extremeStrain / firstStrain, beta);
    return p < 1.0 ? 1.0 : 1.0 / p;
}

int HystereticMaterial::applyTrialStrain(double strain, double /*strainRate*/) {
    if (trialLoadingDirection == 0 && strain == 0.0) {
        return 0;
    }
    trialMaxStrain = committedMaxStrain;
    trialMinStrain = committedMinStrain;
    trialPosZeroStrain = committedPosZeroStrain;
    trialNegZeroStrain = committedNegZeroStrain;
    trialEnergy = committedEnergy;
    trialStrain = strain;
    const double strainIncrement = strain - committedStrain;
    // A vanishing increment keeps the previous trial stress, tangent and direction.
    if (std::fabs(strainIncrement) < machineEpsilon) {
        return 0;
    }

    trialLoadingDirection = committedLoadingDirection;
    if (trialLoadingDirection == 0) {
        trialLoadingDirection = (strainIncrement < 0.0) ? 2 : 1;
    }

    if (strain >= committedMaxStrain) {
        trialMaxStrain = strain;
        trialTangent = positiveEnvelopeTangent(strain);
        trialStress = positiveEnvelopeStress(strain);
        trialLoadingDirection = 1;
    } else if (strain <= committedMinStrain) {
        trialMinStrain = strain;
        trialTangent = negativeEnvelopeTangent(strain);
        trialStress = negativeEnvelopeStress(strain);
        trialLoadingDirection = 2;
    } else if (strainIncrement < 0.0) {
        negativeIncrementRule(strainIncrement);
    } else if (strainIncrement > 0.0) {
        positiveIncrementRule(strainIncrement);
    }

    trialEnergy = committedEnergy + 0.5 * (committedStress + trialStress) * strainIncrement;
    return 0;
}

// Increasing strain inside the extremes: unloading from negative stress, then reloading from
// zero stress towards the positive target through the pinching point.
void HystereticMaterial::positiveIncrementRule(double strainIncrement) {
    const double dN = degradation(committedMinStrain, e1n);
    const double dP = degradation(committedMaxStrain, e1p);

    if (trialLoadingDirection == 2) {
        trialLoadingDirection = 1;
        if (committedStress <= 0.0) {
            const double unloadingStiffness = maxSlopeNeg * dN;
            trialNegZeroStrain = committedStrain - committedStress / unloadingStiffness;
            const double dissipated =
                committedEnergy - committedStress * (0.5 * committedStress / unloadingStiffness);
            double damage = 0.0;
            if (committedMinStrain < e1n) {
                damage = damage2 * dissipated / envelopeEnergy +
                         damage1 * (committedMinStrain - e1n) / e1n;
            }
            trialMaxStrain = (1 + damage) * committedMaxStrain;
        }
    }
    trialLoadingDirection = 1;

    if (!(trialMaxStrain > e1p)) {
        trialMaxStrain = e1p;
    }
    const double targetStress = positiveEnvelopeStress(trialMaxStrain);

    const double crossing = negativeZeroCrossing(committedMinStrain);
    const double releaseStrain = (crossing > trialNegZeroStrain) ? crossing : trialNegZeroStrain;

    const double pinchStrain = trialMaxStrain - (1 - pinchy) * targetStress / (maxSlopePos * dP);
    const double changeStrain = releaseStrain + (pinchStrain - releaseStrain) * pinchx;

    const double strain = trialStrain;
    if (strain < trialNegZeroStrain) {
        trialTangent = maxSlopeNeg * dN;
        trialStress = committedStress + trialTangent * strainIncrement;
        if (trialStress >= 0.0) {
            trialStress = 0.0;
            trialTangent = maxSlopeNeg * flatFactor;
        }
    } else if (strain < changeStrain) {
        if (strain <= releaseStrain) {
            trialStress = 0.0;
            trialTangent = maxSlopePos * flatFactor;
        } else {
            trialTangent = targetStress * pinchy / (changeStrain - releaseStrain);
            const double elastic = committedStress + maxSlopePos * dP * strainIncrement;
            const double reloading = (strain - releaseStrain) * trialTangent;
            if (elastic < reloading) {
                trialStress = elastic;
                trialTangent = maxSlopePos * dP;
            } else {
                trialStress = reloading;
            }
        }
    } else { // strain ≥ changeStrain
        trialTangent = (1 - pinchy) * targetStress / (trialMaxStrain - changeStrain);
        const double elastic = committedStress + maxSlopePos * dP * strainIncrement;
        const double reloading = pinchy * targetStress + (strain - changeStrain) * trialTangent;
        if (elastic < reloading) {
            trialStress = elastic;
            trialTangent = maxSlopePos * dP;
        } else {
            trialStress = reloading;
        }
    }
}

// Decreasing strain inside the extremes: the mirror image of the positive rule.
void HystereticMaterial::negativeIncrementRule(double strainIncrement) {
    const double dN = degradation(committedMinStrain, e1n);
    const double dP = degradation(committedMaxStrain, e1p);

    if (trialLoadingDirection == 1) {
        trialLoadingDirection = 2;
        if (committedStress >= 0.0) {
            const double unloadingStiffness = maxSlopePos * dP;
            trialPosZeroStrain = committedStrain - committedStress / unloadingStiffness;
            const double dissipated =
                committedEnergy - committedStress * (0.5 * committedStress / unloadingStiffness);
            double damage = 0.0;
            if (committedMaxStrain > e1p) {
                damage = damage2 * dissipated / envelopeEnergy +
                         damage1 * (committedMaxStrain - e1p) / e1p;
            }
            trialMinStrain = (1 + damage) * committedMinStrain;
        }
    }
    trialLoadingDirection = 2;

    if (!(trialMinStrain < e1n)) {
        trialMinStrain = e1n;
    }
    const double targetStress = negativeEnvelopeStress(trialMinStrain);

    const double crossing = positiveZeroCrossing(committedMaxStrain);
    const double releaseStrain = (crossing < trialPosZeroStrain) ? crossing : trialPosZeroStrain;

    const double pinchStrain = trialMinStrain - (1 - pinchy) * targetStress / (maxSlopeNeg * dN);
    const double changeStrain = releaseStrain + (pinchStrain - releaseStrain) * pinchx;

    const double strain = trialStrain;
    if (strain > trialPosZeroStrain) {
        trialTangent = maxSlopePos * dP;
        trialStress = committedStress + trialTangent * strainIncrement;
        if (trialStress <= 0.0) {
            trialStress = 0.0;
            trialTangent = maxSlopePos * flatFactor;
        }
    } else if (strain > changeStrain) {
        if (strain >= releaseStrain) {
            trialStress = 0.0;
            trialTangent = maxSlopeNeg * flatFactor;
        } else {
            trialTangent = targetStress * pinchy / (changeStrain - releaseStrain);
            const double elastic = committedStress + maxSlopeNeg * dN * strainIncrement;
            const double reloading = (strain - releaseStrain) * trialTangent;
            if (elastic > reloading) {
                trialStress = elastic;
                trialTangent = maxSlopeNeg * dN;
            } else {
                trialStress = reloading;
            }
        }
    } else { // strain ≤ changeStrain
        trialTangent = (1 - pinchy) * targetStress / (trialMinStrain - changeStrain);
        const double elastic = committedStress + maxSlopeNeg * dN * strainIncrement;
        const double reloading = pinchy * targetStress + (strain - changeStrain) * trialTangent;
        if (elastic > reloading) {
            trialStress = elastic;
            trialTangent = maxSlopeNeg * dN;
        } else {
            trialStress = reloading;
        }
    }
}

// The tangent has no committed copy and is left alone.
int HystereticMaterial::commit() {
    committedMaxStrain = trialMaxStrain;
    committedMinStrain = trialMinStrain;
    committedPosZeroStrain = trialPosZeroStrain;
    committedNegZeroStrain = trialNegZeroStrain;
    committedEnergy = trialEnergy;
    committedLoadingDirection = trialLoadingDirection;
    committedStress = trialStress;
    committedStrain = trialStrain;
    return 0;
}

int HystereticMaterial::revertToCommitted() {
    trialMaxStrain = committedMaxStrain;
    trialMinStrain = committedMinStrain;
    trialPosZeroStrain = committedPosZeroStrain;
    trialNegZeroStrain = committedNegZeroStrain;
    trialEnergy = committedEnergy;
    trialLoadingDirection = committedLoadingDirection;
    trialStress = committedStress;
    trialStrain = committedStrain;
    return 0;
}

// Only the committed copies, the trial strain, stress and tangent are reset; the next trial
// reloads the other trial variables from the committed ones.
int HystereticMaterial::revertToInitial() {
    committedMaxStrain = 0.0;
    committedMinStrain = 0.0;
    committedPosZeroStrain = 0.0;
    committedNegZeroStrain = 0.0;
    committedEnergy = 0.0;
    committedLoadingDirection = 0;
    committedStress = 0.0;
    committedStrain = 0.0;
    trialStrain = 0.0;
    trialStress = 0.0;
    trialTangent = slope1Pos;
    return 0;
}

// The committed state and the tangent travel; the clone's other trial variables stay as
// constructed (all 0, loading direction 0).
std::unique_ptr<UniaxialMaterial> HystereticMaterial::clone() const {
    auto copy = std::make_unique<HystereticMaterial>(materialTag(), s1p, e1p, s2p, e2p, s3p, e3p,
                                                     s1n, e1n, s2n, e2n, s3n, e3n, pinchx, pinchy,
                                                     damage1, damage2, beta);
    copy->committedMaxStrain = committedMaxStrain;
    copy->committedMinStrain = committedMinStrain;
    copy->committedPosZeroStrain = committedPosZeroStrain;
    copy->committedNegZeroStrain = committedNegZeroStrain;
    copy->committedEnergy = committedEnergy;
    copy->committedLoadingDirection = committedLoadingDirection;
    copy->committedStress = committedStress;
    copy->committedStrain = committedStrain;
    copy->trialTangent = trialTangent;
    return copy;
}

std::unique_ptr<UniaxialMaterial> makeHystereticMaterial(int tag, const ParameterValues& v) {
    return std::make_unique<HystereticMaterial>(
        tag, v.at(0), v.at(1), v.at(2), v.at(3), v.at(4), v.at(5), v.at(6), v.at(7), v.at(8),
        v.at(9), v.at(10), v.at(11), v.at(12), v.at(13), v.at(14), v.at(15), v.at(16));
}

namespace {
// Refuses a first envelope strain of zero or two equal consecutive strains of one side.
// names: the stress and strain names of the side's three points, in order.
std::string checkEnvelopeStrains(const ParameterValues& v, std::size_t first,
                                 const char* const names[6]) {
    const double e1 = v.at(first + 1), e2 = v.at(first + 3), e3 = v.at(first + 5);
    if (e1 == 0.0) {
        return refuseParameter(names[1], e1,
                               std::string("the first slope ") + names[0] + "/" + names[1] +
                                   " divides by it");
    }
    if (e2 == e1) {
        return refuseParameter(names[3], e2,
                               std::string("it equals ") + names[1] + ", and the second slope " +
                                   "divides by " + names[3] + " - " + names[1]);
    }
    if (e3 == e2) {
        return refuseParameter(names[5], e3,
                               std::string("it equals ") + names[3] + ", and the third slope " +
                                   "divides by " + names[5] + " - " + names[3]);
    }
    return {};
}
} // namespace

std::string checkHystereticMaterialParameters(const ParameterValues& v) {
    static const char* const positiveNames[6] = {"s1p", "e1p", "s2p", "e2p", "s3p", "e3p"};
    static const char* const negativeNames[6] = {"s1n", "e1n", "s2n", "e2n", "s3n", "e3n"};
    if (std::string refusal = checkEnvelopeStrains(v, 0, positiveNames); !refusal.empty()) {
        return refusal;
    }
    if (std::string refusal = checkEnvelopeStrains(v, 6, negativeNames); !refusal.empty()) {
        return refusal;
    }
    const double energy = envelopeArea(v.at(0), v.at(1), v.at(2), v.at(3), v.at(4), v.at(5),
                                       v.at(6), v.at(7), v.at(8), v.at(9), v.at(10), v.at(11));
    if (energy == 0.0) {
        return refuseParameter("envelopeEnergy", 0.0,
                               "the area under both envelopes up to their third points, "
                               "computed from s1p, e1p ... s3n, e3n, is zero, and the damage "
                               "rule divides by it at a reversal after a post-yield excursion");
    }
    const double slopePos =
        largestSlope(v[0] / v[1], (v[2] - v[0]) / (v[3] - v[1]), (v[4] - v[2]) / (v[5] - v[3]));
    if (slopePos == 0.0) {
        return refuseParameter("maxSlopePos", 0.0,
                               "the largest positive branch slope, from s1p, e1p ... s3p, e3p, "
                               "is the unloading and reloading stiffness and is divided by");
    }
    const double slopeNeg =
        largestSlope(v[6] / v[7], (v[8] - v[6]) / (v[9] - v[7]), (v[10] - v[8]) / (v[11] - v[9]));
    if (slopeNeg == 0.0) {
        return refuseParameter("maxSlopeNeg", 0.0,
                               "the largest negative branch slope, from s1n, e1n ... s3n, e3n, "
                               "is the unloading and reloading stiffness and is divided by");
    }
    // The degradation raises the ratio of an extreme strain (of the first point's side) to e1p
    // or e1n to the power beta; a wrongly signed first strain makes that ratio negative.
    const double beta = v.at(16);
    const bool fractionalBeta = beta != std::floor(beta);
    if (v[1] < 0.0 && fractionalBeta) {
        return refuseParameter("e1p", v[1],
                               "the unloading-stiffness degradation raises the ratio of the "
                               "largest strain to e1p to the non-integer power beta, and a "
                               "negative e1p makes that ratio negative");
    }
    if (v[7] > 0.0 && fractionalBeta) {
        return refuseParameter("e1n", v[7],
                               "the unloading-stiffness degradation raises the ratio of the "
                               "smallest strain to e1n to the non-integer power beta, and a "
                               "positive e1n makes that ratio negative");
    }
    // With damage the reloading target is the extreme strain scaled by 1 + damage, but never
    // inside the first point. A wrongly signed first strain turns the ductility damage
    // damage1·(extreme - e1)/e1 negative, and lets a negative energy damage put the target on
    // the wrong side of zero, where its envelope stress is 0: the reloading segments then shrink
    // to zero length and divide zero by zero.
    const bool damaging = v.at(14) != 0.0 || v.at(15) != 0.0;
    if (damaging && v[1] < 0.0) {
        return refuseParameter("e1p", v[1],
                               "with a damage factor a negative e1p can move the reloading "
                               "target inside the largest strain or below zero, and reloading "
                               "towards it then divides zero by zero");
    }
    if (damaging && v[7] > 0.0) {
        return refuseParameter("e1n", v[7],
                               "with a damage factor a positive e1n can move the reloading "
                               "target inside the smallest strain or above zero, and reloading "
                               "towards it then divides zero by zero");
    }
    // Without pinching (pinchx = pinchy = 1) the reloading line ends exactly at its target, the
    // extreme strain scaled by 1 + damage. A negative damage pulls that target inside the
    // extreme reached, and a strain between the two makes the last reloading segment 0/0. The
    // damage is damage1 times the ductility (extreme - e1)/e1 plus damage2 times the dissipated
    // energy over envelopeEnergy. (The dissipated energy, a trapezoidal sum over the steps, can
    // itself turn negative after coarse steps; no parameter value prevents that.)
    if (v.at(12) == 1.0 && v.at(13) == 1.0) {
        constexpr const char* negativeDamage =
            "without pinching a negative damage moves the reloading target inside the extreme "
            "strain, and reloading between the two divides zero by zero";
        const double damage1 = v.at(14), damage2 = v.at(15);
        if (damage1 < 0.0) {
            return refuseParameter("damage1", damage1, negativeDamage);
        }
        if (damage2 < 0.0) {
            return refuseParameter("damage2", damage2, negativeDamage);
        }
        if (damage2 > 0.0 && energy < 0.0) {
            return refuseParameter("envelopeEnergy", energy,
                                   std::string("with damage2 > 0 a negative area under the "
                                               "envelopes makes the energy term negative; ") +
                                       negativeDamage);
        }
    }
    if (beta < 0.0) {
        return refuseParameter("beta", beta,
                               "a negative exponent makes the degradation (extreme/e1)^beta "
                               "infinite while an extreme strain is still 0, and the unloading "
                               "stiffness zero");
    }
    return {};
}

} // namespace looplab
