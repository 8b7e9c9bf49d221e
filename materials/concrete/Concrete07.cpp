#include "materials/concrete/Concrete07.h"

#include <cmath>

namespace looplab {

Concrete07::Concrete07(int tag, double fc_, double ec_, double Ec_, double ft_, double et_,
                       double xp_, double xn_, double r_)
    : UniaxialMaterial(tag, classTagValue), fc(fc_), ec(ec_), Ec(Ec_), ft(ft_), et(et_), xp(xp_),
      xn(xn_), r(r_), compressionNValue(Ec_ * ec_ / fc_), tensionNValue(Ec_ * et_ / ft_),
      compressionCriticalRatioValue(criticalRatio(xn_, compressionNValue)),
      tensionCriticalRatioValue(criticalRatio(xp_, tensionNValue)) {
    revertToInitial();
}

// Where the tangent line of the envelope, leaving at xLimit, reaches zero stress.
double Concrete07::criticalRatio(double xLimit, double n) const {
    const ShapePoint p = envelopeShape(xLimit, n);
    return xLimit - p.y / (n * p.z);
}

Concrete07::ShapePoint Concrete07::envelopeShape(double x, double n) const {
    double D;
    if (r == 1.0) {
        D = 1.0 + x * (n - 1.0 + std::log(x));
    } else {
        D = std::pow(x, r) / (r - 1.0) + (1.0 + x * (n - r / (r - 1.0)));
    }
    const double y = n * x / D;
    const double z = (1.0 - std::pow(x, r)) / std::pow(D, 2.0);
    return {y, z};
}

Concrete07::Response Concrete07::envelopeStress(double x, Side side) {
    const bool tension = (side == Side::Tension);
    const double n = tension ? tensionNValue : compressionNValue;
    const double xLimit = tension ? xp : xn;
    const double xCritical = tension ? tensionCriticalRatioValue : compressionCriticalRatioValue;
    const double peak = tension ? ft : fc;
    if (x < xLimit) {
        const ShapePoint p = envelopeShape(x, n);
        trialRule = tension ? TensionEnvelope : CompressionEnvelope;
        return {peak * p.y, Ec * p.z};
    }
    if (x <= xCritical) {
        // Tangent line of the curve at xLimit.
        const ShapePoint p = envelopeShape(xLimit, n);
        trialRule = tension ? TensionEnvelope : CompressionEnvelope;
        return {peak * (p.y + n * p.z * (x - xLimit)), Ec * p.z};
    }
    trialRule = tension ? ZeroStress : Spalled;
    return {0.0, 0.0};
}

Concrete07::Response Concrete07::trilinearTransition(double strain, double x0, double y0,
                                                     double E0, double x1, double y1, double E1) {
    const double xi = (E0 * x0 - E1 * x1 - y0 + y1) / (E0 - E1); // the end lines meet here
    const double xa = (xi + x0) * 0.5;
    const double xb = (x1 + xi) * 0.5;
    const double ya = (xa - x0) * E0 + y0;
    const double yb = (xb - x1) * E1 + y1;

    // Intersection at or beyond the far end x1: the secant, with a positive slope.
    if ((x0 < x1 && xi >= x1) || (x0 >= x1 && x1 >= xi)) {
        const double tangent = std::fabs((y1 - y0) / (x1 - x0));
        return {(strain - x0) * tangent + y0, tangent};
    }
    // A plain x0 < x1 test: end points that compare neither way (NaN) take the second form.
    const bool increasing = (x0 < x1);
    const bool onFirstLine = increasing ? (strain <= xa) : (strain >= xa);
    const bool onMiddle = increasing ? (strain <= xb) : (strain >= xb);
    if (onFirstLine) {
        return {(strain - x0) * E0 + y0, E0};
    }
    if (onMiddle) {
        const double tangent = (yb - ya) / (xb - xa);
        return {(strain - xa) * tangent + ya, tangent};
    }
    return {(strain - x1) * E1 + y1, E1};
}

Concrete07::Response Concrete07::gapClosingCurve(double strain, double x0, double x1, double y1,
                                                 double E1) {
    const double Es = y1 / (x1 - x0);
    double R = std::fabs((E1 - Es) / Es);
    if (R > 100.0) {
        return trilinearTransition(strain, x0, 0.0, 0.25 * Es, x1, y1, E1);
    }
    if (0.9999 < x1 / x0 && x1 / x0 < 1.0001) {
        R = 0.0;
    }
    const double A = Es / std::pow(std::fabs(x1 - x0), R);
    if (A > 1e300) {
        return trilinearTransition(strain, x0, 0.0, 0.25 * Es, x1, y1, E1);
    }
    return {(strain - x0) * A * std::pow(std::fabs(strain - x0), R),
            A * (R + 1.0) * std::pow(std::fabs(strain - x0), R)};
}

// The gap values εg0, εgR and σgR are not loaded: a trial keeps what an earlier trial set.
void Concrete07::loadTrialFromCommitted() {
    trialCompUnloadStrain = committedCompUnloadStrain;
    trialCompUnloadStress = committedCompUnloadStress;
    trialTensionTurnStrain = committedTensionTurnStrain;
    trialTensionTurnStress = committedTensionTurnStress;
    trialTensUnloadStrain = committedTensUnloadStrain;
    trialTensUnloadStress = committedTensUnloadStress;
    trialCompressionTurnStrain = committedCompressionTurnStrain;
    trialCompressionTurnStress = committedCompressionTurnStress;
    trialLoadDirection = committedLoadDirection;
    trialCracked = committedCracked;
    trialRule = committedRule;
}

int Concrete07::applyTrialStrain(double strain, double /*strainRate*/) {
    loadTrialFromCommitted();
    trialStrain = strain;
    determineState(strain - committedStrain);
    return 0;
}

// Unlike applyTrialStrain, this also restarts the gap start strain from its committed copy.
int Concrete07::applyTrialStrainAndRespond(double strain, double& stress, double& tangent,
                                           double /*strainRate*/) {
    loadTrialFromCommitted();
    trialGapStartStrain = committedGapStartStrain;
    trialStrain = strain;
    determineState(strain - committedStrain);
    stress = trialStress;
    tangent = trialTangent;
    return 0;
}

int Concrete07::commit() {
    committedCompUnloadStrain = trialCompUnloadStrain;
    committedCompUnloadStress = trialCompUnloadStress;
    committedTensionTurnStrain = trialTensionTurnStrain;
    committedTensionTurnStress = trialTensionTurnStress;
    committedTensUnloadStrain = trialTensUnloadStrain;
    committedTensUnloadStress = trialTensUnloadStress;
    committedCompressionTurnStrain = trialCompressionTurnStrain;
    committedCompressionTurnStress = trialCompressionTurnStress;
    committedGapStartStrain = trialGapStartStrain;
    committedGapReturnStrain = trialGapReturnStrain;
    committedGapReturnStress = trialGapReturnStress;
    committedLoadDirection = trialLoadDirection;
    committedCracked = trialCracked;
    committedRule = trialRule;
    committedStrain = trialStrain;
    committedStress = trialStress;
    committedTangent = trialTangent;
    return 0;
}

int Concrete07::revertToCommitted() {
    trialCompUnloadStrain = committedCompUnloadStrain;
    trialCompUnloadStress = committedCompUnloadStress;
    trialTensionTurnStrain = committedTensionTurnStrain;
    trialTensionTurnStress = committedTensionTurnStress;
    trialTensUnloadStrain = committedTensUnloadStrain;
    trialTensUnloadStress = committedTensUnloadStress;
    trialCompressionTurnStrain = committedCompressionTurnStrain;
    trialCompressionTurnStress = committedCompressionTurnStress;
    trialGapStartStrain = committedGapStartStrain;
    trialGapReturnStrain = committedGapReturnStrain;
    trialGapReturnStress = committedGapReturnStress;
    trialLoadDirection = committedLoadDirection;
    trialCracked = committedCracked;
    trialRule = committedRule;
    trialStrain = committedStrain;
    trialStress = committedStress;
    trialTangent = committedTangent;
    return 0;
}

int Concrete07::revertToInitial() {
    committedCompUnloadStrain = 0.0;
    committedCompUnloadStress = 0.0;
    committedTensionTurnStrain = 0.0;
    committedTensionTurnStress = 0.0;
    committedTensUnloadStrain = 0.0;
    committedTensUnloadStress = 0.0;
    committedCompressionTurnStrain = 0.0;
    committedCompressionTurnStress = 0.0;
    committedGapStartStrain = 0.0;
    committedGapReturnStrain = 0.0;
    committedGapReturnStress = 0.0;
    committedLoadDirection = 0;
    committedCracked = false;
    committedRule = NoRule;
    committedStrain = 0.0;
    committedStress = 0.0;
    committedTangent = Ec;
    revertToCommitted(); // the trial copies take the same initial values
    return 0;
}

std::unique_ptr<UniaxialMaterial> Concrete07::clone() const {
    auto copy = std::make_unique<Concrete07>(materialTag(), fc, ec, Ec, ft, et, xp, xn, r);
    copy->committedCompUnloadStrain = committedCompUnloadStrain;
    copy->committedCompUnloadStress = committedCompUnloadStress;
    copy->committedTensionTurnStrain = committedTensionTurnStrain;
    copy->committedTensionTurnStress = committedTensionTurnStress;
    copy->committedTensUnloadStrain = committedTensUnloadStrain;
    copy->committedTensUnloadStress = committedTensUnloadStress;
    copy->committedCompressionTurnStrain = committedCompressionTurnStrain;
    copy->committedCompressionTurnStress = committedCompressionTurnStress;
    copy->committedGapStartStrain = committedGapStartStrain;
    copy->committedGapReturnStrain = committedGapReturnStrain;
    copy->committedGapReturnStress = committedGapReturnStress;
    copy->committedLoadDirection = committedLoadDirection;
    copy->committedCracked = committedCracked;
    copy->committedRule = committedRule;
    copy->committedStrain = committedStrain;
    copy->committedStress = committedStress;
    copy->committedTangent = committedTangent;
    copy->trialCompUnloadStrain = trialCompUnloadStrain;
    copy->trialCompUnloadStress = trialCompUnloadStress;
    copy->trialTensionTurnStrain = trialTensionTurnStrain;
    copy->trialTensionTurnStress = trialTensionTurnStress;
    copy->trialTensUnloadStrain = trialTensUnloadStrain;
    copy->trialTensUnloadStress = trialTensUnloadStress;
    copy->trialCompressionTurnStrain = trialCompressionTurnStrain;
    copy->trialCompressionTurnStress = trialCompressionTurnStress;
    copy->trialGapStartStrain = trialGapStartStrain;
    copy->trialGapReturnStrain = trialGapReturnStrain;
    copy->trialGapReturnStress = trialGapReturnStress;
    copy->trialLoadDirection = trialLoadDirection;
    copy->trialCracked = trialCracked;
    copy->trialRule = trialRule;
    copy->trialStrain = trialStrain;
    copy->trialStress = trialStress;
    copy->trialTangent = trialTangent;
    return copy;
}

std::unique_ptr<UniaxialMaterial> makeConcrete07(int tag, const ParameterValues& v) {
    return std::make_unique<Concrete07>(tag, v.at(0), v.at(1), v.at(2), v.at(3), v.at(4),
                                        v.at(5), v.at(6), v.at(7));
}

namespace {
std::string shapeReason(const char* format, const char* factor) {
    std::string reason(format);
    reason.replace(reason.find("%s"), 2, factor);
    return reason;
}
} // namespace

std::string checkConcrete07Parameters(const ParameterValues& v) {
    const double r = v.at(7);
    const bool fractionalPower = r != std::floor(r);
    if (v.at(0) == 0.0) {
        return refuseParameter("fc", v[0], "the compressive shape factor Ec·ec/fc divides by it");
    }
    if (v.at(1) == 0.0) {
        return refuseParameter("ec", v[1], "the compressive strain ratio strain/ec divides by it");
    }
    // A positive ec makes the compressive strain ratio strain/ec negative, and a negative number
    // has no non-integer power.
    if (v[1] > 0.0 && fractionalPower) {
        return refuseParameter("ec", v[1],
                               "compressive strains divided by a positive ec are negative, and "
                               "the envelope equation raises them to the non-integer power r");
    }
    if (v.at(2) == 0.0) {
        return refuseParameter("Ec", v[2], "the unloading secant moduli divide by Ec·ec and Ec·et");
    }
    if (v.at(3) == 0.0) {
        return refuseParameter("ft", v[3], "the tensile shape factor Ec·et/ft divides by it");
    }
    if (v.at(4) == 0.0) {
        return refuseParameter("et", v[4], "the tensile strain ratio strain/et divides by it");
    }
    // Tsai's denominator 1 + (n - r/(r - 1))·x + x^r/(r - 1) is positive for every strain ratio
    // x >= 0 only when the shape factor n is positive; a negative n makes it n at x = 1, so it
    // passes through zero below the peak and the envelope stress is infinite there.
    constexpr const char* negativeShape =
        "the shape factor %s is then negative, and the envelope equation's denominator passes "
        "through zero below the peak strain, where the stress is infinite";
    const double Ec = v[2];
    if (v[2] * v[1] / v[0] < 0.0) {
        return refuseParameter(Ec < 0.0 ? "Ec" : "fc", Ec < 0.0 ? Ec : v[0],
                               shapeReason(negativeShape, "Ec·ec/fc"));
    }
    if (v[2] * v[4] / v[3] < 0.0) {
        return refuseParameter(Ec < 0.0 ? "Ec" : "ft", Ec < 0.0 ? Ec : v[3],
                               shapeReason(negativeShape, "Ec·et/ft"));
    }
    // The constructor evaluates the envelope equation at the strain ratios xp and xn.
    if (v.at(5) < 0.0 && fractionalPower) {
        return refuseParameter("xp", v[5],
                               "the envelope equation is evaluated at the strain ratio xp and "
                               "raises it to the non-integer power r, which a negative number "
                               "does not have");
    }
    if (v.at(6) < 0.0 && fractionalPower) {
        return refuseParameter("xn", v[6],
                               "the envelope equation is evaluated at the strain ratio xn and "
                               "raises it to the non-integer power r, which a negative number "
                               "does not have");
    }
    if (r == 1.0) {
        return refuseParameter("r", r,
                               "the envelope equation then takes the logarithm of a zero strain "
                               "ratio, which is undefined");
    }
    // Both envelopes are evaluated at a zero strain ratio.
    if (r <= 0.0) {
        return refuseParameter("r", r,
                               "at zero strain the envelope equation is then 0/0 (r = 0) or "
                               "infinite over infinite (r < 0)");
    }
    return {};
}

} // namespace looplab
