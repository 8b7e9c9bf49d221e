#include "materials/concrete/Concrete06.h"

#include <cmath>

namespace looplab {

namespace {
constexpr double strainTolerance = 2.220446049250313e-16; // 2^-52, absolute
constexpr double initialMinStrain = -1.0e-8; // slightly compressive, so the first compressive
                                             // step reaches the backbone
double nonPositive(double value) {
    return value > 0.0 ? -value : value;
}
} // namespace

Concrete06::Concrete06(int tag, double fc_, double e0_, double n_, double k_, double alph1_,
                       double fcr_, double ecr_, double b_, double alph2_)
    : UniaxialMaterial(tag, classTagValue), fc(nonPositive(fc_)), e0(nonPositive(e0_)), n(n_),
      k(k_), alph1(alph1_), fcr(fcr_), ecr(ecr_), b(b_), alph2(alph2_) {
    setCommittedToInitial();
    revertToCommitted();
}

double Concrete06::initialTangent() const {
    return fc / e0 * n / (n - 1.0);
}

void Concrete06::setCommittedToInitial() {
    initialModulus = n * fc / (e0 * (n - 1.0));
    tensionModulus = fcr / ecr;

    committedMinStrain = initialMinStrain;
    committedZeroStrain = 0.0;
    committedTensionOffset = 0.0;
    committedMinStress = compressionEnvelope(initialMinStrain).stress;
    committedCompressivePlasticStrain = 0.0;
    committedTensilePlasticStrain = 0.0;
    committedMaxTensileStress = fcr;
    committedMaxTensileStrain = ecr;
    committedTensionUnloadSlope = tensionModulus;
    committedUnloadSlope = initialModulus;
    committedReloadSlope = initialModulus;
    committedStrain = 0.0;
    committedStress = 0.0;
    committedTangent = initialModulus;
}

Concrete06::Response Concrete06::compressionEnvelope(double strain) const {
    const double eta = strain / e0;
    if (strain > e0) { // before the peak
        const double p = std::pow(eta, n);
        const double d = n - 1.0 + p;
        return {fc * n * eta / d, (fc / e0) * (n / d - n * n * p / (d * d))};
    }
    const double p = std::pow(eta, n * k);
    const double d = n - 1.0 + p;
    return {fc * n * eta / d, (fc / e0) * (n / d - k * (n * n) * p / (d * d))};
}

Concrete06::Response Concrete06::tensionEnvelope(double x) const {
    if (x + strainTolerance >= ecr) { // tension stiffening beyond the tensile strength
        const double p = std::pow(ecr / x, b);
        return {fcr * p, -fcr * p * b / x};
    }
    return {x * tensionModulus, tensionModulus};
}

// Between the minimum point and the zero strain: the elastic predictor, bounded by the line of
// the given slope through the minimum point and a shallow line through the zero strain.
void Concrete06::compressionCycleRule(double slope) {
    const double strain = trialStrain;
    const double lineStress = (strain - trialMinStrain) * slope + trialMinStress;
    const double shallowCap = 0.071 * initialModulus;
    const double shallowSlope = (shallowCap > slope) ? slope : shallowCap;
    const double shallowStress = shallowSlope * (strain - trialZeroStrain);
    const double elasticStress = (strain - committedStrain) * initialModulus + committedStress;

    if (lineStress - strainTolerance <= elasticStress &&
        elasticStress <= shallowStress + strainTolerance) {
        trialStress = elasticStress;
        trialTangent = initialModulus;
    } else if (shallowStress - strainTolerance <= elasticStress) {
        trialStress = shallowStress;
        trialTangent = shallowSlope;
    } else {
        trialStress = lineStress;
        trialTangent = slope;
    }
}

void Concrete06::newTensileExtreme(double baseStrain, double shiftedStrain) {
    trialMaxTensileStrain = trialStrain;
    const Response r = tensionEnvelope(shiftedStrain);
    trialStress = r.stress;
    trialTangent = r.tangent;
    trialMaxTensileStress = trialStress;

    const double t1 =
        (1.0 - std::exp(-(trialMaxTensileStrain / ecr) * alph2)) * trialMaxTensileStrain;
    const double t2 = trialMaxTensileStrain - trialMaxTensileStress / tensionModulus;
    trialTensilePlasticStrain = (t2 > t1) ? t1 : t2;

    const double secant =
        trialMaxTensileStress / (trialMaxTensileStrain - trialTensilePlasticStrain);
    trialTensionUnloadSlope = (secant < tensionModulus) ? secant : tensionModulus;
    trialTensionOffset = trialTensionOffset + trialTensilePlasticStrain - baseStrain;
    trialReloadSlope = trialMinStress / (trialMinStrain - trialTensilePlasticStrain);
    trialZeroStrain = trialTensilePlasticStrain;
}

int Concrete06::applyTrialStrain(double strain, double /*strainRate*/) {
    revertToCommitted();
    trialStrain = strain;

    // New compressive extreme (a strain within the tolerance above the minimum counts).
    if (strain - strainTolerance <= trialMinStrain) {
        trialMinStrain = strain;
        const Response r = compressionEnvelope(strain);
        trialStress = r.stress;
        trialTangent = r.tangent;
        trialMinStress = trialStress;

        const double t1 = (1.0 - std::exp(-(trialMinStrain / e0) * alph1)) * trialMinStrain;
        const double t2 = trialMinStrain - trialMinStress / initialModulus;
        trialCompressivePlasticStrain = (t2 < t1) ? t1 : t2;

        const double secant = trialMinStress / (trialMinStrain - trialCompressivePlasticStrain);
        trialUnloadSlope = (secant < initialModulus) ? secant : initialModulus;
        trialZeroStrain = trialCompressivePlasticStrain;
        return 0;
    }

    // Attached: the zero strain sits on the tensile plastic strain (after a tensile extreme and
    // initially); detached: on the compressive one.
    const bool attached = std::fabs(trialZeroStrain - trialTensilePlasticStrain) <= strainTolerance;

    if (strain + strainTolerance <= trialZeroStrain) {
        compressionCycleRule(attached ? trialReloadSlope : trialUnloadSlope);
        return 0;
    }

    if (strain - trialZeroStrain + strainTolerance <=
        trialMaxTensileStress / trialTensionUnloadSlope) {
        trialStress = (strain - trialZeroStrain) * trialTensionUnloadSlope;
        trialTangent = trialTensionUnloadSlope;
        return 0;
    }

    if (attached) {
        newTensileExtreme(trialZeroStrain, strain - trialTensilePlasticStrain + trialTensionOffset);
    } else {
        newTensileExtreme(trialCompressivePlasticStrain,
                          strain - trialCompressivePlasticStrain + trialTensionOffset);
    }
    return 0;
}

int Concrete06::commit() {
    committedMinStrain = trialMinStrain;
    committedZeroStrain = trialZeroStrain;
    committedTensionOffset = trialTensionOffset;
    committedMinStress = trialMinStress;
    committedCompressivePlasticStrain = trialCompressivePlasticStrain;
    committedTensilePlasticStrain = trialTensilePlasticStrain;
    committedMaxTensileStress = trialMaxTensileStress;
    committedMaxTensileStrain = trialMaxTensileStrain;
    committedTensionUnloadSlope = trialTensionUnloadSlope;
    committedUnloadSlope = trialUnloadSlope;
    committedReloadSlope = trialReloadSlope;
    committedStrain = trialStrain;
    committedStress = trialStress;
    committedTangent = trialTangent;
    return 0;
}

int Concrete06::revertToCommitted() {
    trialMinStrain = committedMinStrain;
    trialZeroStrain = committedZeroStrain;
    trialTensionOffset = committedTensionOffset;
    trialMinStress = committedMinStress;
    trialCompressivePlasticStrain = committedCompressivePlasticStrain;
    trialTensilePlasticStrain = committedTensilePlasticStrain;
    trialMaxTensileStress = committedMaxTensileStress;
    trialMaxTensileStrain = committedMaxTensileStrain;
    trialTensionUnloadSlope = committedTensionUnloadSlope;
    trialUnloadSlope = committedUnloadSlope;
    trialReloadSlope = committedReloadSlope;
    trialStrain = committedStrain;
    trialStress = committedStress;
    trialTangent = committedTangent;
    return 0;
}

int Concrete06::revertToInitial() {
    setCommittedToInitial();
    revertToCommitted();
    return 0;
}

// Only the committed state travels; the copy's trial state stays initial until its next state
// determination.
std::unique_ptr<UniaxialMaterial> Concrete06::clone() const {
    auto copy =
        std::make_unique<Concrete06>(materialTag(), fc, e0, n, k, alph1, fcr, ecr, b, alph2);
    copy->committedMinStrain = committedMinStrain;
    copy->committedZeroStrain = committedZeroStrain;
    copy->committedTensionOffset = committedTensionOffset;
    copy->committedMinStress = committedMinStress;
    copy->committedCompressivePlasticStrain = committedCompressivePlasticStrain;
    copy->committedTensilePlasticStrain = committedTensilePlasticStrain;
    copy->committedMaxTensileStress = committedMaxTensileStress;
    copy->committedMaxTensileStrain = committedMaxTensileStrain;
    copy->committedTensionUnloadSlope = committedTensionUnloadSlope;
    copy->committedUnloadSlope = committedUnloadSlope;
    copy->committedReloadSlope = committedReloadSlope;
    copy->committedStrain = committedStrain;
    copy->committedStress = committedStress;
    copy->committedTangent = committedTangent;
    return copy;
}

std::unique_ptr<UniaxialMaterial> makeConcrete06(int tag, const ParameterValues& v) {
    return std::make_unique<Concrete06>(tag, v.at(0), v.at(1), v.at(2), v.at(3), v.at(4), v.at(5),
                                        v.at(6), v.at(7), v.at(8));
}

std::string checkConcrete06Parameters(const ParameterValues& v) {
    if (v.at(0) == 0.0) {
        return refuseParameter("fc", v[0],
                               "the initial modulus is then 0 and the compressive plastic strain "
                               "divides 0 by it");
    }
    if (v.at(1) == 0.0) {
        return refuseParameter("e0", v[1],
                               "the compression curve and the initial modulus divide "
                               "by it");
    }
    if (v.at(2) == 1.0) {
        return refuseParameter("n", v[2], "the initial modulus divides by n - 1");
    }
    if (v.at(2) == 0.0) {
        return refuseParameter("n", v[2], "the compression curve is then 0/0");
    }
    // The compression curve divides by n - 1 + (strain/e0)^(n*k). Below 1 that denominator starts
    // negative at zero strain and grows past zero (or, for n*k < 0, falls from infinity towards
    // n - 1), so it vanishes at some compressive strain.
    if (v[2] < 1.0 && v.at(3) != 0.0) {
        return refuseParameter("n", v[2],
                               "below 1 the denominator n - 1 + (strain/e0)^(n*k) of the "
                               "compression curve passes through zero at a compressive strain, "
                               "where the stress is infinite");
    }
    if (v.at(5) == 0.0) {
        return refuseParameter("fcr", v[5],
                               "the tension modulus fcr/ecr is then 0 and the tensile plastic "
                               "strain divides 0 by it");
    }
    if (!(v.at(6) > strainTolerance)) {
        return refuseParameter("ecr", v[6],
                               "the tension modulus divides by it, and at or below 2^-52 the "
                               "tension stiffening curve starts at zero strain and divides by it");
    }
    return {};
}

} // namespace looplab
