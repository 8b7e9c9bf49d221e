#include "materials/concrete/ConcreteD.h"

#include <cmath>

namespace looplab {

namespace {
constexpr double machineEpsilon = 2.220446049250313e-16; // 2^-52
constexpr double plasticBase = 2.718; // base of the plastic-strain growth (deliberately not e)

struct DamagePoint {
    double damage;
    double slope; ///< derivative of the damage with respect to the strain
};

// The damage curve shared by both sides, for z = strain / peakStrain: rational before the peak
// (exponent n = 1/(1 − rho)), descending with parameter alpha after it. rho is the peak secant
// stiffness divided by Ec, so the curve gives exactly the peak stress at z = 1.
DamagePoint damageCurve(double rho, double z, double alpha, double peakStrain) {
    const double n = 1.0 / (1.0 - rho);
    if (z < 1.0) {
        const double denominator = n - 1.0 + std::pow(z, n);
        return {1.0 - rho * n / denominator,
                rho * (n * n) * std::pow(z, n - 1.0) / (denominator * denominator * peakStrain)};
    }
    const double denominator = alpha * ((z - 1.0) * (z - 1.0)) + z;
    return {1.0 - rho / denominator,
            rho * (alpha * (2.0 * z - 2.0) + 1.0) / (denominator * denominator * peakStrain)};
}
bool isInteger(double value) {
    return value == std::floor(value);
}
} // namespace

ConcreteD::ConcreteD(int tag, double fc_, double epsc_, double ft_, double epst_, double Ec_,
                     double alphac_, double alphat_, double cesp_, double etap_)
    : UniaxialMaterial(tag, classTagValue), fc(fc_), epsc(epsc_), ft(ft_), epst(epst_), Ec(Ec_),
      alphac(alphac_), alphat(alphat_), cesp(cesp_), etap(etap_), trialUnloadingFlag(0),
      trialStrain(0.0), trialStress(0.0), trialTangent(0.0), trialCompressionDamage(0.0),
      trialTensionDamage(0.0), trialUnloadingDamage(0.0), trialDamage(0.0), trialPlasticStrain(0.0),
      trialMinStrain(0.0), trialMaxTensileStrain(0.0) {
    // The two copies start apart: the trial tangent reads 0 until the first state
    // determination, while the committed tangent is Ec.
    setCommittedToInitial();
}

void ConcreteD::setCommittedToInitial() {
    committedUnloadingFlag = 0;
    committedStrain = 0.0;
    committedStress = 0.0;
    committedTangent = Ec;
    committedCompressionDamage = 0.0;
    committedTensionDamage = 0.0;
    committedUnloadingDamage = 0.0;
    committedDamage = 0.0;
    committedPlasticStrain = 0.0;
    committedMinStrain = 0.0;
    committedMaxTensileStrain = 0.0;
}

// A step on a damage branch. A strain equal to the plastic strain is on the tensile side here.
void ConcreteD::evaluateDamage() {
    const double strain = trialStrain;
    const double plasticStrain = trialPlasticStrain;

    if (strain >= plasticStrain) {
        trialMaxTensileStrain = strain - plasticStrain;
        const double rho = ft / (Ec * epst);
        const DamagePoint p = damageCurve(rho, trialMaxTensileStrain / epst, alphat, epst);
        const double dt = p.damage;
        const double dc = trialCompressionDamage;
        trialTensionDamage = dt;
        trialDamage = dt + dc - dt * dc;
        trialStress = (1.0 - trialDamage) * Ec * (strain - plasticStrain);
        // The first term is 1 − dt, not 1 − d.
        trialTangent = Ec * ((1.0 - dt) - p.slope * (1.0 - dc) * (strain - plasticStrain));
        return;
    }

    trialMinStrain = strain;
    const double rho = fc / (Ec * epsc);
    const DamagePoint p = damageCurve(rho, strain / epsc, alphac, epsc);
    const double dc = p.damage;
    const double dt = trialTensionDamage;
    trialCompressionDamage = dc;
    trialDamage = dt + dc - dt * dc;

    const double m = (std::pow(plasticBase, dc * etap) - 1.0) * cesp;
    trialPlasticStrain = m * trialMinStrain;
    trialUnloadingDamage = (dc - m) / (1.0 - m);
    trialStress = (1.0 - trialUnloadingDamage) * Ec * (strain - trialPlasticStrain);
    trialTangent = Ec * ((1.0 - dc) - p.slope * strain);
}

// A secant step towards the plastic strain, inside the envelope.
void ConcreteD::evaluateUnloading() {
    const double strain = trialStrain;
    const double plasticStrain = trialPlasticStrain;
    const double damage = (strain > plasticStrain) ? trialDamage : trialUnloadingDamage;
    trialStress = (1.0 - damage) * Ec * (strain - plasticStrain);
    trialTangent = (1.0 - damage) * Ec;
}

int ConcreteD::applyTrialStrain(double strain, double /*strainRate*/) {
    revertToCommitted();
    trialStrain = strain;
    const double strainIncrement = strain - committedStrain;
    if (std::fabs(strainIncrement) < machineEpsilon) {
        return 0;
    }

    // A strain equal to the plastic strain is on the compressive side here.
    if (strain > trialPlasticStrain) {
        if (trialUnloadingFlag == 0) {
            if (strainIncrement > 0.0) {
                evaluateDamage();
            } else {
                trialUnloadingFlag = 1;
                evaluateUnloading();
            }
        } else if (strain - trialPlasticStrain < trialMaxTensileStrain) {
            evaluateUnloading();
        } else {
            trialUnloadingFlag = 0;
            evaluateDamage();
        }
    } else {
        if (trialUnloadingFlag == 0) {
            if (strainIncrement < 0.0) {
                evaluateDamage();
            } else {
                trialUnloadingFlag = 1;
                evaluateUnloading();
            }
        } else if (strain > trialMinStrain) {
            evaluateUnloading();
        } else {
            trialUnloadingFlag = 0;
            evaluateDamage();
        }
    }
    return 0;
}

int ConcreteD::commit() {
    committedUnloadingFlag = trialUnloadingFlag;
    committedStrain = trialStrain;
    committedStress = trialStress;
    committedTangent = trialTangent;
    committedCompressionDamage = trialCompressionDamage;
    committedTensionDamage = trialTensionDamage;
    committedUnloadingDamage = trialUnloadingDamage;
    committedDamage = trialDamage;
    committedPlasticStrain = trialPlasticStrain;
    committedMinStrain = trialMinStrain;
    committedMaxTensileStrain = trialMaxTensileStrain;
    return 0;
}

// Restores everything but the strain: currentStrain keeps reporting the dropped trial strain.
int ConcreteD::revertToCommitted() {
    trialUnloadingFlag = committedUnloadingFlag;
    trialStress = committedStress;
    trialTangent = committedTangent;
    trialCompressionDamage = committedCompressionDamage;
    trialTensionDamage = committedTensionDamage;
    trialUnloadingDamage = committedUnloadingDamage;
    trialDamage = committedDamage;
    trialPlasticStrain = committedPlasticStrain;
    trialMinStrain = committedMinStrain;
    trialMaxTensileStrain = committedMaxTensileStrain;
    return 0;
}

// Only the committed copies are reset; the next state determination reloads the trial ones.
int ConcreteD::revertToInitial() {
    setCommittedToInitial();
    return 0;
}

// Only the committed state travels; the copy's trial state keeps its constructed values.
std::unique_ptr<UniaxialMaterial> ConcreteD::clone() const {
    auto copy = std::make_unique<ConcreteD>(materialTag(), fc, epsc, ft, epst, Ec, alphac, alphat,
                                            cesp, etap);
    copy->committedUnloadingFlag = committedUnloadingFlag;
    copy->committedStrain = committedStrain;
    copy->committedStress = committedStress;
    copy->committedTangent = committedTangent;
    copy->committedCompressionDamage = committedCompressionDamage;
    copy->committedTensionDamage = committedTensionDamage;
    copy->committedUnloadingDamage = committedUnloadingDamage;
    copy->committedDamage = committedDamage;
    copy->committedPlasticStrain = committedPlasticStrain;
    copy->committedMinStrain = committedMinStrain;
    copy->committedMaxTensileStrain = committedMaxTensileStrain;
    return copy;
}

std::unique_ptr<UniaxialMaterial> makeConcreteD(int tag, const ParameterValues& v) {
    return std::make_unique<ConcreteD>(tag, v.at(0), v.at(1), v.at(2), v.at(3), v.at(4), v.at(5),
                                       v.at(6), v.at(7), v.at(8));
}

std::string checkConcreteDParameters(const ParameterValues& v) {
    const double fc = v.at(0), epsc = v.at(1), ft = v.at(2), epst = v.at(3), Ec = v.at(4);
    if (epsc != 0.0 && Ec != 0.0 && fc / (Ec * epsc) == 1.0) {
        return refuseParameter("fc", fc,
                               "it equals Ec*epsc, so the compressive damage exponent "
                               "1/(1 - fc/(Ec*epsc)) divides by zero");
    }
    if (epsc == 0.0) {
        return refuseParameter("epsc", epsc, "the compressive damage curve divides by it");
    }
    // A wrongly signed peak strain makes strain/peak negative on its own side, and a negative
    // number has no non-integer power.
    if (epsc > 0.0 && !isInteger(1.0 / (1.0 - fc / (Ec * epsc)))) {
        return refuseParameter("epsc", epsc,
                               "compressive strains divided by a positive epsc are negative, and "
                               "the compressive damage curve raises them to a non-integer power");
    }
    // Outside 0 ... 1 the ratio rho makes the exponent n = 1/(1 - rho) smaller than 1, and the
    // curve's slope, which raises the strain ratio to n - 1, is infinite at zero strain.
    if (epsc != 0.0 && Ec != 0.0 && (fc / (Ec * epsc) < 0.0 || fc / (Ec * epsc) > 1.0)) {
        return refuseParameter("fc", fc,
                               "fc/(Ec*epsc) lies outside 0 ... 1, so the compressive damage "
                               "exponent 1/(1 - fc/(Ec*epsc)) is below 1, and the slope of the "
                               "damage curve, which raises the strain ratio to that exponent "
                               "minus 1, is infinite at zero strain");
    }
    if (epst != 0.0 && Ec != 0.0 && ft / (Ec * epst) == 1.0) {
        return refuseParameter("ft", ft,
                               "it equals Ec*epst, so the tensile damage exponent "
                               "1/(1 - ft/(Ec*epst)) divides by zero");
    }
    // With rho_t = 0 (or so small that 1/(1 - rho_t) rounds to 1) the tensile exponent is 1.
    if (ft == 0.0 || (epst != 0.0 && Ec != 0.0 && 1.0 / (1.0 - ft / (Ec * epst)) == 1.0)) {
        return refuseParameter("ft", ft,
                               "the tensile damage exponent 1/(1 - ft/(Ec*epst)) is then 1, and "
                               "the tensile damage curve is 0/0 when the strain returns to the "
                               "plastic strain");
    }
    if (epst == 0.0) {
        return refuseParameter("epst", epst, "the tensile damage curve divides by it");
    }
    if (epst < 0.0 && !isInteger(1.0 / (1.0 - ft / (Ec * epst)))) {
        return refuseParameter("epst", epst,
                               "tensile strains divided by a negative epst are negative, and the "
                               "tensile damage curve raises them to a non-integer power");
    }
    if (epst != 0.0 && Ec != 0.0 && (ft / (Ec * epst) < 0.0 || ft / (Ec * epst) > 1.0)) {
        return refuseParameter("ft", ft,
                               "ft/(Ec*epst) lies outside 0 ... 1, so the tensile damage exponent "
                               "1/(1 - ft/(Ec*epst)) is below 1, and the slope of the damage "
                               "curve, which raises the strain ratio to that exponent minus 1, is "
                               "infinite at zero strain");
    }
    if (Ec == 0.0) {
        return refuseParameter("Ec", Ec, "both damage curves divide by it");
    }
    // The plastic strain is m times the compressive strain, m = (2.718^(dc*etap) - 1)*cesp. With
    // cesp and etap of opposite signs m is negative: the plastic strain lies on the tension side,
    // and compressive damage steps between zero and it give strain ratios of zero or below. The
    // curve raises a negative ratio to the exponent n = 1/(1 - fc/(Ec*epsc)), which needs an
    // integer n, and divides by n - 1 + 0^n at a zero ratio, which needs n != 1.
    const double compressiveExponent = 1.0 / (1.0 - fc / (Ec * epsc));
    if (v.at(7) * v.at(8) < 0.0 &&
        (!isInteger(compressiveExponent) || compressiveExponent == 1.0)) {
        return refuseParameter("cesp", v[7],
                               "with etap of the other sign the plastic strain lies on the "
                               "tension side of a compressive strain, and the compressive damage "
                               "curve then raises a negative strain ratio to a non-integer power "
                               "or, with the exponent 1, divides by zero at a zero strain ratio");
    }
    return {};
}

} // namespace looplab
