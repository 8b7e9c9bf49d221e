#include "materials/standard/EPPGapMaterial.h"

namespace looplab {

// The trial stress and tangent are not part of the initial state (revertToInitial leaves them
// alone); the constructor fills them with the response to strain 0 under the initial window,
// so that a fresh object's currentStrain, currentStress and currentTangent describe one point.
EPPGapMaterial::EPPGapMaterial(int tag, double E_, double Fy_, double gap_, double eta_,
                               int damage_)
    : UniaxialMaterial(tag, classTagValue), E(E_), Fy(Fy_), gap(gap_), eta(eta_), damage(damage_),
      committedStrain(0.0), trialStrain(0.0), yieldOnsetStrain(Fy_ / E_ + gap_),
      gapClosingStrain(gap_), trialStress(0.0), trialTangent(0.0) {
    respondTo(0.0);
}

// The response depends only on the strain and the window; the committed strain is not read.
void EPPGapMaterial::respondTo(double strain) {
    trialStrain = strain;
    const bool tension = Fy >= 0.0;
    const bool yielding = tension ? strain > yieldOnsetStrain : strain < yieldOnsetStrain;
    const bool gapOpen = tension ? strain < gapClosingStrain : strain > gapClosingStrain;
    if (yielding) {
        trialStress = Fy + eta * E * (strain - gap - Fy / E);
        trialTangent = eta * E;
    } else if (gapOpen) {
        trialStress = 0.0;
        trialTangent = 0.0;
    } else {
        trialStress = (strain - gapClosingStrain) * E;
        trialTangent = E;
    }
}

int EPPGapMaterial::applyTrialStrain(double strain, double /*strainRate*/) {
    respondTo(strain);
    return 0;
}

int EPPGapMaterial::commit() {
    const double strain = trialStrain;
    const bool tension = Fy >= 0.0;
    const bool yielding = tension ? strain > yieldOnsetStrain : strain < yieldOnsetStrain;
    // Back inside a widened gap, beyond the initial one: the gap closes back onto the strain.
    const bool insideWidenedGap = tension ? (strain < gapClosingStrain && strain > gap)
                                          : (strain > gapClosingStrain && strain < gap);
    if (yielding) {
        yieldOnsetStrain = strain;
        gapClosingStrain = strain - trialStress / E;
    } else if (insideWidenedGap && damage == 0) {
        yieldOnsetStrain = (strain - eta * gap) / (1.0 - eta) + Fy / E;
        gapClosingStrain = strain;
    }
    committedStrain = strain;
    return 0;
}

// The trial stress and tangent keep the values of the last trial.
int EPPGapMaterial::revertToCommitted() {
    trialStrain = committedStrain;
    return 0;
}

// The trial stress and tangent are left as they are; the next trial recomputes them.
int EPPGapMaterial::revertToInitial() {
    committedStrain = 0.0;
    trialStrain = 0.0;
    yieldOnsetStrain = Fy / E + gap;
    gapClosingStrain = gap;
    return 0;
}

// The trial strain and the window travel; the clone's committed strain is 0 and its stress and
// tangent stay those of its construction until its first trial.
std::unique_ptr<UniaxialMaterial> EPPGapMaterial::clone() const {
    auto copy = std::make_unique<EPPGapMaterial>(materialTag(), E, Fy, gap, eta, damage);
    copy->trialStrain = trialStrain;
    copy->yieldOnsetStrain = yieldOnsetStrain;
    copy->gapClosingStrain = gapClosingStrain;
    return copy;
}

std::unique_ptr<UniaxialMaterial> makeEPPGapMaterial(int tag, const ParameterValues& v) {
    return std::make_unique<EPPGapMaterial>(tag, v.at(0), v.at(1), v.at(2), v.at(3),
                                            static_cast<int>(v.at(4)));
}

std::string checkEPPGapMaterialParameters(const ParameterValues& v) {
    if (v.at(0) == 0.0) {
        return refuseParameter("E", v[0], "the yield-onset strain Fy/E + gap divides by it");
    }
    if (v.at(3) == 1.0) {
        return refuseParameter("eta", v[3], "closing a widened gap back divides by 1 - eta");
    }
    return {};
}

} // namespace looplab
