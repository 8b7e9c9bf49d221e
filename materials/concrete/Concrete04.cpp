#include "materials/concrete/Concrete04.h"

#include <cmath>

namespace looplab {

namespace {
constexpr double machineEpsilon = 2.220446049250313e-16; // 2^-52

// Exponent of the compression curve from the initial and the peak secant stiffness; a secant
// at least as stiff as Ec would make it infinite, so it is capped at 400.
double compressionCurveExponent(double Ec, double secantModulus) {
    return (secantModulus >= Ec) ? 400.0 : Ec / (Ec - secantModulus);
}
} // namespace

Concrete04::Concrete04(int tag, double fc_, double ec_, double ecu_, double Ec_, double fct_,
                       double et_, double beta_)
    : UniaxialMaterial(tag, classTagValue), fc(fc_), ec(ec_), ecu(ecu_), Ec(Ec_),
      fct(fct_ < 0.0 ? 0.0 : fct_), et(et_), beta(beta_) {
    setCommittedToInitial();
    revertToCommitted();
}

void Concrete04::setCommittedToInitial() {
    committedMinStrain = 0.0;
    committedMaxStrain = 0.0;
    committedUnloadSlope = Ec;
    committedEndStrain = 0.0;
    committedTensionUnloadSlope = Ec;
    committedStrain = 0.0;
    committedStress = 0.0;
    committedTangent = Ec;
}

void Concrete04::compressionEnvelope() {
    const double strain = trialStrain;
    if (strain < ecu) { // crushed
        trialStress = 0.0;
        trialTangent = 0.0;
        return;
    }
    const double r = compressionCurveExponent(Ec, fc / ec);
    const double eta = strain / ec;
    const double etaPowR = std::pow(eta, r);
    const double denominator = r - 1.0 + etaPowR;
    trialStress = fc * eta * r / denominator;
    trialTangent = fc * r * (r - 1.0) * (1.0 - etaPowR) / (denominator * denominator * ec);
}

// Called right after a new minimum, while trialStress is the backbone stress there.
void Concrete04::updateUnloadingLine() {
    const double minStrain = (trialMinStrain < ecu) ? ecu : trialMinStrain;
    const double eta = minStrain / ec;
    const double ratio =
        (eta < 2.0) ? 0.145 * eta * eta + 0.13 * eta : 0.707 * (eta - 2.0) + 0.834;
    trialEndStrain = ratio * ec;

    const double strainToEnd = trialMinStrain - trialEndStrain;
    const double elasticRecovery = trialStress / Ec;
    if (strainToEnd > -machineEpsilon) {
        trialUnloadSlope = Ec;
    } else if (strainToEnd <= elasticRecovery) {
        trialEndStrain = trialMinStrain - strainToEnd;
        trialUnloadSlope = trialStress / strainToEnd;
    } else {
        // The unloading line would be stiffer than Ec: unload with Ec instead.
        trialEndStrain = trialMinStrain - elasticRecovery;
        trialUnloadSlope = Ec;
    }
}

void Concrete04::tensionEnvelope() {
    const double strain = trialStrain;
    const double crackingStrain = fct / Ec;
    if (strain <= crackingStrain) {
        trialStress = strain * Ec;
        trialTangent = Ec;
    } else if (strain > et) {
        trialStress = 0.0;
        trialTangent = 0.0;
    } else {
        const double softeningRange = et - crackingStrain;
        const double x = (strain - crackingStrain) / softeningRange;
        const double betaPowX = std::pow(beta, x);
        trialStress = fct * betaPowX;
        trialTangent = fct * betaPowX * std::log(beta) / softeningRange;
    }
}

void Concrete04::evaluateCompressionLoading() {
    const double strain = trialStrain;
    if (strain <= trialMinStrain) {
        trialMinStrain = strain;
        compressionEnvelope();
        updateUnloadingLine();
    } else if (strain < trialEndStrain) {
        trialTangent = trialUnloadSlope;
        trialStress = (strain - trialEndStrain) * trialTangent;
    } else {
        trialStress = 0.0;
        trialTangent = 0.0;
    }
}

int Concrete04::applyTrialStrain(double strain, double /*strainRate*/) {
    revertToCommitted();

    // Tension switched off: any tensile strain carries nothing, even an unchanged one.
    if (fct == 0.0 && strain > 0.0) {
        trialStrain = strain;
        trialStress = 0.0;
        trialTangent = 0.0;
        trialTensionUnloadSlope = 0.0;
        return 0;
    }

    const double strainIncrement = strain - committedStrain;
    if (std::fabs(strainIncrement) < machineEpsilon) {
        return 0;
    }
    trialStrain = strain;

    if (strainIncrement <= 0.0) {
        if (strain > 0.0) { // unloading in tension along the secant
            trialTangent = trialTensionUnloadSlope;
            trialStress = strain * trialTensionUnloadSlope;
        } else {
            evaluateCompressionLoading();
        }
    } else if (strain >= 0.0) {
        if (strain < trialMaxStrain) { // reloading inside the largest tensile excursion
            trialStress = strain * committedTensionUnloadSlope;
            trialTangent = committedTensionUnloadSlope;
            trialTensionUnloadSlope = committedTensionUnloadSlope;
        } else { // new tensile excursion
            trialMaxStrain = strain;
            tensionEnvelope();
            trialTensionUnloadSlope = (strain == 0.0) ? Ec : trialStress / strain;
        }
    } else { // unloading from compression
        if (strain <= trialEndStrain) {
            trialTangent = trialUnloadSlope;
            trialStress = (strain - trialEndStrain) * trialTangent;
        } else {
            trialStress = 0.0;
            trialTangent = 0.0;
        }
    }
    return 0;
}

int Concrete04::commit() {
    committedMinStrain = trialMinStrain;
    committedMaxStrain = trialMaxStrain;
    committedUnloadSlope = trialUnloadSlope;
    committedEndStrain = trialEndStrain;
    committedTensionUnloadSlope = trialTensionUnloadSlope;
    committedStrain = trialStrain;
    committedStress = trialStress;
    committedTangent = trialTangent;
    return 0;
}

int Concrete04::revertToCommitted() {
    trialMinStrain = committedMinStrain;
    trialMaxStrain = committedMaxStrain;
    trialUnloadSlope = committedUnloadSlope;
    trialEndStrain = committedEndStrain;
    trialTensionUnloadSlope = committedTensionUnloadSlope;
    trialStrain = committedStrain;
    trialStress = committedStress;
    trialTangent = committedTangent;
    return 0;
}

int Concrete04::revertToInitial() {
    setCommittedToInitial();
    revertToCommitted();
    return 0;
}

// Only the committed state travels; the copy's trial state stays initial until its next
// state determination.
std::unique_ptr<UniaxialMaterial> Concrete04::clone() const {
    auto copy = std::make_unique<Concrete04>(materialTag(), fc, ec, ecu, Ec, fct, et, beta);
    copy->committedMinStrain = committedMinStrain;
    copy->committedMaxStrain = committedMaxStrain;
    copy->committedUnloadSlope = committedUnloadSlope;
    copy->committedEndStrain = committedEndStrain;
    copy->committedTensionUnloadSlope = committedTensionUnloadSlope;
    copy->committedStrain = committedStrain;
    copy->committedStress = committedStress;
    copy->committedTangent = committedTangent;
    return copy;
}

std::unique_ptr<UniaxialMaterial> makeConcrete04(int tag, const ParameterValues& v) {
    return std::make_unique<Concrete04>(tag, v.at(0), v.at(1), v.at(2), v.at(3), v.at(4), v.at(5),
                                        v.at(6));
}

std::string checkConcrete04Parameters(const ParameterValues& v) {
    // With fc/ec negligible beside Ec (fc = 0, typically) the exponent is exactly 1 and the
    // compression curve is 0/0 when the strain comes back to exactly zero.
    if (v.at(1) != 0.0 && compressionCurveExponent(v.at(3), v.at(0) / v.at(1)) == 1.0) {
        return refuseParameter("fc", v[0],
                               "fc/ec is negligible beside Ec, so the curve exponent is 1 and "
                               "the compression curve is 0/0 at zero strain");
    }
    if (v.at(1) == 0.0) {
        return refuseParameter("ec", v[1], "the compression curve divides by it");
    }
    // A positive ec makes strain/ec negative in compression, and a negative number has no
    // non-integer power.
    if (v.at(1) > 0.0) {
        const double r = compressionCurveExponent(v.at(3), v.at(0) / v.at(1));
        if (r != std::floor(r)) {
            return refuseParameter("ec", v[1],
                                   "compressive strains divided by a positive ec are negative, "
                                   "and the compression curve raises them to a non-integer "
                                   "power");
        }
    }
    // Below 1 the exponent makes the denominator r - 1 + (strain/ec)^r vanish at the strain ratio
    // (1 - r)^(1/r), before the peak; refused where that lies on the curve, above ecu.
    if (v[3] != 0.0) {
        const double r = compressionCurveExponent(v[3], v[0] / v[1]);
        if (r < 1.0 && std::pow(1.0 - r, 1.0 / r) <= v.at(2) / v[1]) {
            return refuseParameter("fc", v[0],
                                   "with ec and Ec it makes the curve exponent Ec/(Ec - fc/ec) "
                                   "smaller than 1, and the compression curve's denominator "
                                   "r - 1 + (strain/ec)^r then passes through zero before ecu, "
                                   "where the stress is infinite");
        }
    }
    if (v.at(3) == 0.0) {
        return refuseParameter("Ec", v[3],
                               "the cracking strain fct/Ec and the unloading line divide by it");
    }
    if (!(v.at(6) > 0.0)) {
        return refuseParameter("beta", v[6],
                               "the tension softening power and its logarithm need a positive "
                               "base");
    }
    return {};
}

} // namespace looplab
