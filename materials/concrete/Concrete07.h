#pragma once

#include "core/UniaxialMaterial.h"
#include "materials/ParameterCheck.h"

namespace looplab {

// Concrete with tensile strength, cracking and crack closure.
//
// Compression is negative: fc and ec are given negative, ft and et positive, and are used with
// these signs. The envelope on each side is a rational curve in the strain ratio (strain/ec in
// compression, strain/et in tension), continued beyond xn (compression) or xp (tension) by its
// tangent line down to zero stress; beyond that zero point the concrete has spalled
// (compression) or its crack is fully open (tension). Off the envelope the stress follows
// numbered rules: three-segment transitions between the unloading points, the plastic strains
// and the reversal points, straight partial-reloading lines and, once cracked, a power curve
// that closes the crack gap. The state is the two unloading points, the two turn points of the
// current straight branches, the crack gap values, the load direction, the cracked flag and the
// rule that produced the last stress. Class tag 37.
//
// The state determination and its rules live in Concrete07Rules.cpp.
class Concrete07 : public UniaxialMaterial {
public:
    static constexpr int classTagValue = 37;

    // Which branch produced the stress (the numbers are part of the model's vocabulary).
    enum Rule : int {
        NoRule = 0,                    ///< no effective step yet
        CompressionEnvelope = 1,
        TensionEnvelope = 2,
        CompressionUnloading = 3,      ///< rule-3 curve: compressive unloading point to εplC
        TensionUnloading = 4,          ///< rule-4 curve: tensile unloading point to εplT
        Spalled = 5,                   ///< compression beyond spalling, zero stress
        ZeroStress = 6,                ///< open crack or any other zero-stress state
        ReloadingTowardsTension = 9,   ///< rule-9 curve: εplC to the tensile unloading point
        ReloadingTowardsCompression = 10, ///< rule-10 curve: εplT to the compressive unloading point
        CompressionReturnLine = 11,    ///< compression-turn point to the return point on rule 10
        TensionReturnLine = 12,        ///< tension-turn point to the return point on rule 9
        CrackClosing = 13,             ///< rule-13 curve: gap start strain to the comp. unloading point
        CrackedUnloading = 14,         ///< cracked unloading line from the tension-turn point to zero
        GapReturnLine = 15,            ///< compression-turn point to the gap return point
        CompressionTurnLine = 71,      ///< compression-turn point to the compressive unloading point
        CompressionTurnLineBack = 711, ///< rule-71 line followed back towards tension
        TensionTurnLine = 81,          ///< tension-turn point to the tensile unloading point
        TensionTurnLineBack = 811,     ///< rule-81 line followed back towards compression
    };

    // A stress with its tangent modulus.
    struct Response {
        double stress;
        double tangent;
    };

    Concrete07(int tag, double fc, double ec, double Ec, double ft, double et, double xp,
               double xn, double r);

    int applyTrialStrain(double strain, double strainRate) override;
    int applyTrialStrainAndRespond(double strain, double& stress, double& tangent,
                                   double strainRate) override;
    double currentStrain() const override { return trialStrain; }
    double currentStress() const override { return trialStress; }
    double currentTangent() const override { return trialTangent; }
    double initialTangent() const override { return Ec; }
    int commit() override;
    int revertToCommitted() override;
    int revertToInitial() override;
    std::unique_ptr<UniaxialMaterial> clone() const override;

    // Trial discrete state, for inspection.
    int currentRule() const { return trialRule; }
    int currentLoadDirection() const { return trialLoadDirection; }
    bool isCracked() const { return trialCracked; }

    // Derived envelope constants.
    double compressionN() const { return compressionNValue; }
    double tensionN() const { return tensionNValue; }
    double compressionCriticalRatio() const { return compressionCriticalRatioValue; }
    double tensionCriticalRatio() const { return tensionCriticalRatioValue; }

    // Transition leaving (x0, y0) with slope E0 and arriving at (x1, y1) with slope E1, drawn
    // as three straight segments, evaluated at strain. Falls back to the secant (with the
    // absolute value of its slope) when the end lines meet at or beyond x1.
    static Response trilinearTransition(double strain, double x0, double y0, double E0,
                                        double x1, double y1, double E1);
    // Crack-closing power curve leaving (x0, 0) and passing through (x1, y1), evaluated at
    // strain; falls back to a transition when its exponent or scale would explode.
    static Response gapClosingCurve(double strain, double x0, double x1, double y1, double E1);

private:
    enum class Side { Tension, Compression };

    struct ShapePoint {
        double y; ///< normalised stress
        double z; ///< slope factor: n·z is dy/dx
    };

    // Quantities of unloading from the unloading points, fixed at the start of a state
    // determination (the compressive pair is refreshed when a default unloading point is set).
    struct Unloading {
        double compSecant;        ///< EsecC
        double compPlasticStrain; ///< εplC
        double tensSecant;        ///< EsecT
        double tensPlasticStrain; ///< εplT
    };

    // A point on a rule curve where a straight branch returns to it.
    struct ReturnPoint {
        double strain;
        double stress;
    };

    // Normalised envelope y = n·x/D at strain ratio x, with its slope factor; r shapes it.
    ShapePoint envelopeShape(double x, double n) const;
    // Envelope at strain ratio x (ε/et or ε/ec); sets the trial rule (2/6 or 1/5).
    Response envelopeStress(double x, Side side);
    double criticalRatio(double xLimit, double n) const;

    void loadTrialFromCommitted();

    // State determination (Concrete07Rules.cpp).
    void determineState(double strainIncrement);
    void situationA(int rule, double x, Unloading& u);
    void situationB(int rule, double x, Unloading& u);
    void situationC(int rule, double x, Unloading& u);
    void situationD(int rule, double x, Unloading& u);

    // Unloading quantities and rule curves, from the current trial unloading points.
    void computeCompressionUnloading(Unloading& u) const;
    void computeTensionUnloading(Unloading& u) const;
    double compPlasticSlope() const;                    ///< EplC
    double tensPlasticSlope() const;                    ///< EplT
    double compReloadSlope(const Unloading& u) const;   ///< ErC
    double tensReloadSlope(const Unloading& u) const;   ///< ErT
    Response curve3(double strain, const Unloading& u) const;
    Response curve4(double strain, const Unloading& u) const;
    Response curve9(double strain, const Unloading& u) const;
    Response curve10(double strain, const Unloading& u) const;
    Response curve13(double strain, const Unloading& u) const;
    ReturnPoint returnTowardsCompression(double turnStrain, const Unloading& u) const;
    ReturnPoint returnTowardsTension(double turnStrain, const Unloading& u) const;
    double crackedZeroStrain(double strain, double stress, const Unloading& u) const;

    // Actions of the rules: each writes the trial stress, tangent and rule.
    void compressionEnvelopeStep(double x);
    void tensionEnvelopeStep(double x);
    void zero(int rule);
    void line(double strainP, double stressP, double strainQ, double stressQ, int rule);
    void useCurve(Response response, int rule);
    void defaultUnloadingPoint(double strain, Unloading& u);
    void compressionReturnLineOrCurve(const Unloading& u);
    void tensionReturnLineOrCurve(const Unloading& u);
    void crackedUnloadingLineOrZero(const Unloading& u);
    void tensionReloadingChoice(double x, const Unloading& u);

    // Parameters, stored as given.
    const double fc; ///< compressive strength (negative)
    const double ec; ///< strain at the compressive strength (negative)
    const double Ec; ///< initial elastic modulus
    const double ft; ///< tensile strength
    const double et; ///< strain at the tensile strength
    const double xp; ///< tension strain ratio where the envelope turns into its straight line
    const double xn; ///< compression strain ratio where the envelope turns into its straight line
    const double r;  ///< shape exponent of the envelope equation

    // Derived constants.
    const double compressionNValue;            ///< nC = Ec·ec/fc
    const double tensionNValue;                ///< nT = Ec·et/ft
    const double compressionCriticalRatioValue; ///< xcrC: zero stress of the compressive line
    const double tensionCriticalRatioValue;     ///< xcrT: zero stress of the tensile line

    // Committed state (last accepted step).
    double committedCompUnloadStrain;      ///< εuC: last point on the compression envelope
    double committedCompUnloadStress;      ///< σuC
    double committedTensionTurnStrain;     ///< εtT: start of the straight branch towards tension
    double committedTensionTurnStress;     ///< σtT
    double committedTensUnloadStrain;      ///< εuT: last point on the tension envelope
    double committedTensUnloadStress;      ///< σuT
    double committedCompressionTurnStrain; ///< εcT: start of the straight branch towards compression
    double committedCompressionTurnStress; ///< σcT
    double committedGapStartStrain;        ///< εg0: zero-stress start of the crack-closing curve
    double committedGapReturnStrain;       ///< εgR: where a crack-closing curve was left
    double committedGapReturnStress;       ///< σgR
    int committedLoadDirection;            ///< 0 before any step, 1 towards compression, −1 towards tension
    bool committedCracked;                 ///< tensile strength lost; cleared only by revertToInitial
    int committedRule;                     ///< rule of the last stress (Rule)
    double committedStrain;
    double committedStress;
    double committedTangent;

    // Trial state (step under way).
    double trialCompUnloadStrain;
    double trialCompUnloadStress;
    double trialTensionTurnStrain;
    double trialTensionTurnStress;
    double trialTensUnloadStrain;
    double trialTensUnloadStress;
    double trialCompressionTurnStrain;
    double trialCompressionTurnStress;
    double trialGapStartStrain;
    double trialGapReturnStrain;
    double trialGapReturnStress;
    int trialLoadDirection;
    bool trialCracked;
    int trialRule;
    double trialStrain;
    double trialStress;
    double trialTangent;
};

// Catalogue hooks: build from the values in constructor order; refuse degenerate values.
std::unique_ptr<UniaxialMaterial> makeConcrete07(int tag, const ParameterValues& values);
std::string checkConcrete07Parameters(const ParameterValues& values);

} // namespace looplab
