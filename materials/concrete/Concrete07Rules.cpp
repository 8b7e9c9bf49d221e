// State determination of Concrete07: picks the rule from the load direction, the sign of the
// strain increment, the committed rule, the cracked flag and where the strain lies relative to
// the characteristic strains, then evaluates it. The situations are
//   A: moving on towards compression (direction 1, increment < 0),
//   B: turning towards tension        (direction 1, increment > 0),
//   C: moving on towards tension      (direction −1, increment > 0),
//   D: turning towards compression    (direction −1, increment < 0),
// and within each the cases are tried in order; the first that matches applies.

#include "materials/concrete/Concrete07.h"

#include <cmath>

namespace looplab {

namespace {
constexpr double machineEpsilon = 2.220446049250313e-16; // 2^-52

// Strain given to an unset compressive unloading point when unloading from tension.
constexpr double defaultCompUnloadStrain = -2e-05;
// Fraction of ec given to an unset compressive unloading point when a crack starts closing.
constexpr double crackClosingUnloadFraction = 0.05;
} // namespace

// ---- unloading quantities and rule curves ---------------------------------------------------

void Concrete07::computeCompressionUnloading(Unloading& u) const {
    u.compSecant = Ec * (trialCompUnloadStress / (Ec * ec) + 0.57) /
                   (trialCompUnloadStrain / ec + 0.57);
    u.compPlasticStrain = trialCompUnloadStrain - trialCompUnloadStress / u.compSecant;
}

void Concrete07::computeTensionUnloading(Unloading& u) const {
    u.tensSecant = Ec * (trialTensUnloadStress / (Ec * et) + 0.67) /
                   (trialTensUnloadStrain / et + 0.67);
    u.tensPlasticStrain = trialTensUnloadStrain - trialTensUnloadStress / u.tensSecant;
    if (u.tensPlasticStrain < 0.0) {
        u.tensPlasticStrain = 0.0;
    }
}

double Concrete07::compPlasticSlope() const {
    return 0.1 * Ec * std::exp(-2.0 * trialCompUnloadStrain / ec);
}

double Concrete07::tensPlasticSlope() const {
    return Ec / (std::pow(std::fabs(trialTensUnloadStrain / et), 1.1) + 1.0);
}

double Concrete07::compReloadSlope(const Unloading& u) const {
    return trialCompUnloadStress / (trialCompUnloadStrain - u.compPlasticStrain);
}

double Concrete07::tensReloadSlope(const Unloading& u) const {
    return trialTensUnloadStress / (trialTensUnloadStrain - u.tensPlasticStrain);
}

// Rule 3: unloading from the compressive unloading point to the compressive plastic strain.
Concrete07::Response Concrete07::curve3(double strain, const Unloading& u) const {
    return trilinearTransition(strain, trialCompUnloadStrain, trialCompUnloadStress, Ec,
                               u.compPlasticStrain, 0.0, compPlasticSlope());
}

// Rule 4: unloading from the tensile unloading point to the tensile plastic strain.
Concrete07::Response Concrete07::curve4(double strain, const Unloading& u) const {
    return trilinearTransition(strain, trialTensUnloadStrain, trialTensUnloadStress, Ec,
                               u.tensPlasticStrain, 0.0, tensPlasticSlope());
}

// Rule 9: reloading from the compressive plastic strain to the tensile unloading point.
Concrete07::Response Concrete07::curve9(double strain, const Unloading& u) const {
    return trilinearTransition(strain, u.compPlasticStrain, 0.0, compPlasticSlope(),
                               trialTensUnloadStrain, trialTensUnloadStress, tensReloadSlope(u));
}

// Rule 10: reloading from the tensile plastic strain to the compressive unloading point.
Concrete07::Response Concrete07::curve10(double strain, const Unloading& u) const {
    return trilinearTransition(strain, u.tensPlasticStrain, 0.0, tensPlasticSlope(),
                               trialCompUnloadStrain, trialCompUnloadStress, compReloadSlope(u));
}

// Rule 13: closing the crack from the gap start strain to the compressive unloading point.
Concrete07::Response Concrete07::curve13(double strain, const Unloading& u) const {
    return gapClosingCurve(strain, trialGapStartStrain, trialCompUnloadStrain,
                           trialCompUnloadStress, compReloadSlope(u));
}

// The point on the rule-10 curve where a partial reload towards compression from turnStrain
// rejoins it.
Concrete07::ReturnPoint Concrete07::returnTowardsCompression(double turnStrain,
                                                             const Unloading& u) const {
    const double strain =
        trialCompUnloadStrain - (turnStrain - u.compPlasticStrain) /
                                    (trialTensUnloadStrain - u.compPlasticStrain) *
                                    (trialCompUnloadStrain - u.tensPlasticStrain);
    return {strain, curve10(strain, u).stress};
}

// The point on the rule-9 curve where a partial reload towards tension from turnStrain rejoins
// it.
Concrete07::ReturnPoint Concrete07::returnTowardsTension(double turnStrain,
                                                         const Unloading& u) const {
    const double strain = (trialCompUnloadStrain - turnStrain) /
                              (trialCompUnloadStrain - u.tensPlasticStrain) *
                              (trialTensUnloadStrain - u.compPlasticStrain) +
                          u.compPlasticStrain;
    return {strain, curve9(strain, u).stress};
}

// Where the unloading line of cracked concrete from (strain, stress) reaches zero stress.
double Concrete07::crackedZeroStrain(double strain, double stress, const Unloading& u) const {
    return strain - stress / u.compSecant;
}

// ---- actions --------------------------------------------------------------------------------

void Concrete07::compressionEnvelopeStep(double x) {
    const Response e = envelopeStress(x, Side::Compression); // sets rule 1 or 5
    trialStress = e.stress;
    trialTangent = e.tangent;
    trialCompUnloadStrain = trialStrain;
    trialCompUnloadStress = trialStress;
}

void Concrete07::tensionEnvelopeStep(double x) {
    const Response e = envelopeStress(x, Side::Tension); // sets rule 2 or 6
    trialStress = e.stress;
    trialTangent = e.tangent;
    trialTensUnloadStrain = trialStrain;
    trialTensUnloadStress = trialStress;
}

void Concrete07::zero(int rule) {
    trialStress = 0.0;
    trialTangent = 0.0;
    trialRule = rule;
}

// Straight branch from P towards Q, continued beyond Q.
void Concrete07::line(double strainP, double stressP, double strainQ, double stressQ, int rule) {
    trialTangent = (stressQ - stressP) / (strainQ - strainP);
    trialStress = (trialStrain - strainP) * trialTangent + stressP;
    trialRule = rule;
}

void Concrete07::useCurve(Response response, int rule) {
    trialStress = response.stress;
    trialTangent = response.tangent;
    trialRule = rule;
}

// Gives a compressive unloading point to curves that need one before the compression envelope
// has been reached; the rule the envelope call sets is overwritten by the caller's own.
void Concrete07::defaultUnloadingPoint(double strain, Unloading& u) {
    if (trialCompUnloadStrain == 0.0 && trialCompUnloadStress == 0.0) {
        trialCompUnloadStrain = strain;
        trialCompUnloadStress = envelopeStress(strain / ec, Side::Compression).stress;
        computeCompressionUnloading(u);
    }
}

// Rule 11 from the compression-turn point while short of its return point, rule 10 beyond.
void Concrete07::compressionReturnLineOrCurve(const Unloading& u) {
    const ReturnPoint p = returnTowardsCompression(trialCompressionTurnStrain, u);
    if (trialStrain > p.strain) {
        line(trialCompressionTurnStrain, trialCompressionTurnStress, p.strain, p.stress,
             CompressionReturnLine);
    } else {
        useCurve(curve10(trialStrain, u), ReloadingTowardsCompression);
    }
}

// Rule 12 from the tension-turn point while short of its return point, rule 9 beyond.
void Concrete07::tensionReturnLineOrCurve(const Unloading& u) {
    const ReturnPoint p = returnTowardsTension(trialTensionTurnStrain, u);
    if (trialStrain < p.strain) {
        line(trialTensionTurnStrain, trialTensionTurnStress, p.strain, p.stress,
             TensionReturnLine);
    } else {
        useCurve(curve9(trialStrain, u), ReloadingTowardsTension);
    }
}

// Rule 14 on the cracked unloading line from the tension-turn point, zero stress past its end.
void Concrete07::crackedUnloadingLineOrZero(const Unloading& u) {
    const double ez = crackedZeroStrain(trialTensionTurnStrain, trialTensionTurnStress, u);
    if (trialStrain < ez) {
        line(trialTensionTurnStrain, trialTensionTurnStress, ez, 0.0, CrackedUnloading);
    } else {
        zero(ZeroStress);
    }
}

// Towards tension from the compressive unloading point: unloading (3) down to the plastic
// strain, then reloading (9) to the tensile unloading point and the tension envelope, or zero
// stress once cracked.
void Concrete07::tensionReloadingChoice(double x, const Unloading& u) {
    if (trialStrain <= u.compPlasticStrain) {
        useCurve(curve3(trialStrain, u), CompressionUnloading);
    } else if (trialStrain < trialTensUnloadStrain && !trialCracked) {
        useCurve(curve9(trialStrain, u), ReloadingTowardsTension);
    } else if (!trialCracked) {
        tensionEnvelopeStep(x);
    } else {
        zero(ZeroStress);
    }
}

// ---- state determination --------------------------------------------------------------------

void Concrete07::determineState(double strainIncrement) {
    const double strain = trialStrain;
    Unloading u{};

    // Preamble 1: compressive unloading quantities from the current unloading point.
    computeCompressionUnloading(u);

    // Preamble 2-3: a tensile unloading point that is still unset follows the compressive one;
    // a compressive unloading point beyond the zero of the envelope means spalled concrete.
    const double compUnloadRatio = trialCompUnloadStrain / ec;
    if (trialTensUnloadStrain == 0.0 && compUnloadRatio <= compressionCriticalRatioValue) {
        trialTensUnloadStrain = compUnloadRatio * et;
        const int rule = trialRule;
        trialTensUnloadStress = envelopeStress(trialTensUnloadStrain / et, Side::Tension).stress;
        trialRule = rule;
    } else if (compUnloadRatio > compressionCriticalRatioValue) {
        trialCracked = true;
    }

    // Preamble 4: tensile unloading quantities.
    computeTensionUnloading(u);

    // Preamble 5: strain ratio for the envelope; a tension beyond the zero of the envelope
    // opens the crack fully.
    double x;
    if (strain >= 0.0) {
        x = std::fabs(strain / et);
        if (x > tensionCriticalRatioValue) {
            trialCracked = true;
        }
    } else {
        x = strain / ec; // also reached by a NaN strain, which then stays NaN
    }

    // Preamble 6: no effective increment; tangent, rule and direction keep their trial values.
    if (std::fabs(strainIncrement) <= machineEpsilon) {
        trialStress = committedStress;
        return;
    }

    // Preamble 7: the first effective step goes onto the envelope of its side.
    if (trialLoadDirection == 0) {
        if (strain >= 0.0) {
            tensionEnvelopeStep(x);
            trialLoadDirection = -1;
        } else {
            compressionEnvelopeStep(x);
            trialLoadDirection = 1;
        }
        return;
    }

    // Preamble 8: the situations. The rule they test is the committed one.
    const int rule = trialRule;
    if (trialLoadDirection == 1 && strainIncrement < 0.0) {
        situationA(rule, x, u);
    } else if (trialLoadDirection == 1 && strainIncrement > 0.0) {
        situationB(rule, x, u);
    } else if (trialLoadDirection == -1 && strainIncrement > 0.0) {
        situationC(rule, x, u);
    } else if (trialLoadDirection == -1 && strainIncrement < 0.0) {
        situationD(rule, x, u);
    }
}

// Situation A: further towards compression; the direction stays 1.
void Concrete07::situationA(int rule, double x, Unloading& u) {
    const double strain = trialStrain;

    // situation A, case 1: at or beyond the compressive unloading point.
    if (strain <= trialCompUnloadStrain) {
        compressionEnvelopeStep(x);
        return;
    }

    // situation A, case 2: below the tensile plastic strain, uncracked.
    if (strain < u.tensPlasticStrain && !trialCracked) {
        if (rule == CompressionTurnLine) {
            line(trialCompressionTurnStrain, trialCompressionTurnStress, trialCompUnloadStrain,
                 trialCompUnloadStress, CompressionTurnLine);
        } else if (rule == CompressionReturnLine) {
            compressionReturnLineOrCurve(u);
        } else {
            defaultUnloadingPoint(defaultCompUnloadStrain, u);
            useCurve(curve10(strain, u), ReloadingTowardsCompression);
        }
        return;
    }

    // situation A, case 3: uncracked, at or above the tensile plastic strain.
    if (!trialCracked) {
        if (rule == TensionUnloading) {
            useCurve(curve4(strain, u), TensionUnloading);
        } else if (rule == TensionTurnLineBack && strain > trialTensionTurnStrain) {
            line(trialTensionTurnStrain, trialTensionTurnStress, trialTensUnloadStrain,
                 trialTensUnloadStress, TensionTurnLineBack);
        } else if (rule == CompressionReturnLine) {
            compressionReturnLineOrCurve(u);
        } else {
            useCurve(curve4(strain, u), TensionUnloading);
        }
        return;
    }

    // situation A, case 4: cracked.
    if (rule == CompressionTurnLine) {
        line(trialCompressionTurnStrain, trialCompressionTurnStress, trialCompUnloadStrain,
             trialCompUnloadStress, CompressionTurnLine);
    } else if (rule == GapReturnLine) {
        if (strain > trialGapReturnStrain) {
            line(trialCompressionTurnStrain, trialCompressionTurnStress, trialGapReturnStrain,
                 trialGapReturnStress, GapReturnLine);
        } else {
            useCurve(curve13(strain, u), CrackClosing);
        }
    } else if (trialCompUnloadStrain / ec >= compressionCriticalRatioValue) {
        zero(Spalled);
        trialCracked = true;
    } else {
        useCurve(curve13(strain, u), CrackClosing);
    }
}

// Situation B: the strain turns towards tension; the direction becomes −1.
void Concrete07::situationB(int rule, double x, Unloading& u) {
    const double strain = trialStrain;
    trialLoadDirection = -1;

    if (rule == CompressionEnvelope) {
        // situation B, case 1: unloading from the compression envelope.
        trialCompUnloadStrain = committedStrain;
        trialCompUnloadStress = committedStress;
        tensionReloadingChoice(x, u);
    } else if (rule == TensionUnloading) {
        // situation B, case 2: partial reload from the rule-4 curve.
        trialTensionTurnStrain = committedStrain;
        trialTensionTurnStress = committedStress;
        if (strain < trialTensUnloadStrain) {
            line(trialTensionTurnStrain, trialTensionTurnStress, trialTensUnloadStrain,
                 trialTensUnloadStress, TensionTurnLine);
        } else {
            tensionEnvelopeStep(x);
        }
    } else if (rule == TensionTurnLineBack) {
        // situation B, case 3: back onto the rule-81 line.
        if (strain < trialTensUnloadStrain) {
            line(trialTensionTurnStrain, trialTensionTurnStress, trialTensUnloadStrain,
                 trialTensUnloadStress, TensionTurnLine);
        } else {
            tensionEnvelopeStep(x);
        }
    } else if (rule == CompressionTurnLine) {
        // situation B, case 4: back along the rule-71 line while short of its turn point.
        if (strain < trialCompressionTurnStrain) {
            line(trialCompressionTurnStrain, trialCompressionTurnStress, trialCompUnloadStrain,
                 trialCompUnloadStress, CompressionTurnLineBack);
        } else {
            tensionReloadingChoice(x, u);
        }
    } else if (rule == ReloadingTowardsCompression || rule == CompressionReturnLine) {
        // situation B, case 5: partial reload towards tension; cracking is not consulted.
        trialTensionTurnStrain = committedStrain;
        trialTensionTurnStress = committedStress;
        const ReturnPoint p = returnTowardsTension(committedStrain, u);
        if (strain < p.strain) {
            line(committedStrain, committedStress, p.strain, p.stress, TensionReturnLine);
        } else if (strain < trialTensUnloadStrain) {
            useCurve(curve9(strain, u), ReloadingTowardsTension);
        } else {
            tensionEnvelopeStep(x);
        }
    } else if (rule == Spalled) {
        // situation B, case 6: spalled concrete carries no tension either.
        zero(ZeroStress);
        trialCracked = true;
    } else {
        // situation B, case 7: any other rule; unloading of cracked concrete.
        trialTensionTurnStrain = committedStrain;
        trialTensionTurnStress = committedStress;
        const double ez = crackedZeroStrain(committedStrain, committedStress, u);
        if (strain < ez) {
            if (committedRule == CrackClosing) {
                trialGapReturnStrain = committedStrain;
                trialGapReturnStress = committedStress;
            }
            line(committedStrain, committedStress, ez, 0.0, CrackedUnloading);
        } else {
            zero(ZeroStress);
        }
    }
}

// Situation C: further towards tension; the direction stays −1.
void Concrete07::situationC(int rule, double x, Unloading& u) {
    const double strain = trialStrain;

    // situation C, case 1: beyond the tensile unloading point, uncracked.
    if (strain > trialTensUnloadStrain && !trialCracked) {
        tensionEnvelopeStep(x);
        return;
    }

    // situation C, case 2: above the compressive plastic strain, uncracked.
    if (strain > u.compPlasticStrain && !trialCracked) {
        if (rule == TensionTurnLine) {
            line(trialTensionTurnStrain, trialTensionTurnStress, trialTensUnloadStrain,
                 trialTensUnloadStress, TensionTurnLine);
        } else if (rule == TensionReturnLine) {
            tensionReturnLineOrCurve(u);
        } else {
            useCurve(curve9(strain, u), ReloadingTowardsTension);
        }
        return;
    }

    // situation C, case 3: below the compressive plastic strain.
    if (strain < u.compPlasticStrain) {
        if (rule == TensionReturnLine) {
            tensionReturnLineOrCurve(u);
        } else if (rule == CrackedUnloading) {
            crackedUnloadingLineOrZero(u);
        } else if (rule == CompressionTurnLineBack && strain < trialCompressionTurnStrain) {
            line(trialCompressionTurnStrain, trialCompressionTurnStress, trialCompUnloadStrain,
                 trialCompUnloadStress, CompressionTurnLineBack);
        } else {
            useCurve(curve3(strain, u), CompressionUnloading);
        }
        return;
    }

    // situation C, case 4: cracked at or above the compressive plastic strain.
    if (rule == CrackedUnloading) {
        crackedUnloadingLineOrZero(u);
    } else {
        zero(ZeroStress);
    }
}

// Situation D: the strain turns towards compression; the direction becomes 1.
void Concrete07::situationD(int rule, double x, Unloading& u) {
    const double strain = trialStrain;
    trialLoadDirection = 1;

    if (rule == TensionEnvelope) {
        // situation D, case 1: unloading from the tension envelope.
        trialTensUnloadStrain = committedStrain;
        trialTensUnloadStress = committedStress;
        defaultUnloadingPoint(defaultCompUnloadStrain, u);
        if (strain >= u.tensPlasticStrain) {
            useCurve(curve4(strain, u), TensionUnloading);
        } else if (strain >= trialCompUnloadStrain) {
            useCurve(curve10(strain, u), ReloadingTowardsCompression);
        } else {
            compressionEnvelopeStep(x);
        }
    } else if (rule == CompressionUnloading) {
        // situation D, case 2: partial reload from the rule-3 curve.
        trialCompressionTurnStrain = committedStrain;
        trialCompressionTurnStress = committedStress;
        if (strain > trialCompUnloadStrain) {
            line(trialCompressionTurnStrain, trialCompressionTurnStress, trialCompUnloadStrain,
                 trialCompUnloadStress, CompressionTurnLine);
        } else {
            compressionEnvelopeStep(x);
        }
    } else if (rule == CompressionTurnLineBack) {
        // situation D, case 3: back onto the rule-71 line.
        if (strain > trialCompUnloadStrain) {
            line(trialCompressionTurnStrain, trialCompressionTurnStress, trialCompUnloadStrain,
                 trialCompUnloadStress, CompressionTurnLine);
        } else {
            compressionEnvelopeStep(x);
        }
    } else if (rule == TensionTurnLine) {
        // situation D, case 4: back along the rule-81 line while short of its turn point.
        defaultUnloadingPoint(defaultCompUnloadStrain, u);
        if (strain > trialTensionTurnStrain) {
            line(trialTensionTurnStrain, trialTensionTurnStress, trialTensUnloadStrain,
                 trialTensUnloadStress, TensionTurnLineBack);
        } else if (strain >= u.tensPlasticStrain) {
            useCurve(curve4(strain, u), TensionUnloading);
        } else if (strain >= trialCompUnloadStrain) {
            useCurve(curve10(strain, u), ReloadingTowardsCompression);
        } else {
            compressionEnvelopeStep(x);
        }
    } else if (rule == ReloadingTowardsTension || rule == TensionReturnLine) {
        // situation D, case 5: partial reload towards compression.
        trialCompressionTurnStrain = committedStrain;
        trialCompressionTurnStress = committedStress;
        const ReturnPoint p = returnTowardsCompression(committedStrain, u);
        if (strain > p.strain) {
            line(committedStrain, committedStress, p.strain, p.stress, CompressionReturnLine);
        } else if (strain > trialCompUnloadStrain) {
            useCurve(curve10(strain, u), ReloadingTowardsCompression);
        } else {
            compressionEnvelopeStep(x);
        }
    } else if (rule == CrackedUnloading) {
        // situation D, case 6: back towards the point where the crack-closing curve was left.
        trialCompressionTurnStrain = committedStrain;
        trialCompressionTurnStress = committedStress;
        if (strain > trialGapReturnStrain) {
            line(committedStrain, committedStress, trialGapReturnStrain, trialGapReturnStress,
                 GapReturnLine);
        } else if (strain > trialCompUnloadStrain) {
            useCurve(curve13(strain, u), CrackClosing);
        } else {
            compressionEnvelopeStep(x);
        }
    } else {
        // situation D, case 7: any other rule; the crack starts closing from here.
        defaultUnloadingPoint(crackClosingUnloadFraction * ec, u);
        trialCompressionTurnStrain = committedStrain;
        trialCompressionTurnStress = committedStress;
        if (trialCompUnloadStrain / ec >= compressionCriticalRatioValue) {
            zero(Spalled);
            trialCracked = true;
        } else if (strain > trialCompUnloadStrain) {
            trialGapStartStrain = committedStrain;
            useCurve(curve13(strain, u), CrackClosing);
        } else {
            compressionEnvelopeStep(x);
        }
    }
}

} // namespace looplab
