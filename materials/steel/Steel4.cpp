#include "materials/steel/Steel4.h"

#include <cmath>
#include <limits>

namespace looplab {

namespace {
constexpr double machineEpsilon = 2.220446049250313e-16; // 2^-52
constexpr double zeroTolerance = 10.0 * machineEpsilon;  // 10·2^-52: smaller counts as zero
constexpr double largestDouble = std::numeric_limits<double>::max();

// Largest accepted cycNum. The table starts with cycNum + 2 rows of 88 bytes and grows by
// cycNum rows at a time (a vector may hold up to twice that while growing), so one million
// rows keep a material, and each of its clones, near 88–180 MB: far below the machine's
// memory even with many materials defined, while no realistic history needs more branches.
constexpr double largestCycleCount = 1000000.0;

// An even integer exponent keeps a negative base's power defined and non-negative.
bool isEvenInteger(double x) {
    return std::isfinite(x) && std::fmod(x, 2.0) == 0.0;
}
} // namespace

Steel4::Steel4(int tag, double Fy_, double E_, double b_k_, double R_0_, double r_1_, double r_2_,
               double b_kc_, double R_0c_, double r_1c_, double r_2c_, double b_i_, double rho_i_,
               double b_l_, double R_i_, double l_yp_, double b_ic_, double rho_ic_, double b_lc_,
               double R_ic_, double f_u_, double Ru_, double f_uc_, double Ruc_, int cycNum_,
               double sig_init_)
    : UniaxialMaterial(tag, classTagValue), Fy(Fy_), E(E_), b_k(b_k_), R_0(R_0_), r_1(r_1_),
      r_2(r_2_), b_kc(b_kc_), R_0c(R_0c_), r_1c(r_1c_), r_2c(r_2c_), b_i(b_i_), rho_i(rho_i_),
      b_l(b_l_), R_i(R_i_), l_yp(l_yp_), b_ic(b_ic_), rho_ic(rho_ic_), b_lc(b_lc_), R_ic(R_ic_),
      f_u(f_u_), Ru(Ru_), f_uc(f_uc_), Ruc(Ruc_), cycNum(cycNum_), sig_init(sig_init_),
      initialYieldStrain(Fy_ / E_), kinematicModulus(b_k_ * E_),
      kinematicModulusCompression(b_kc_ * E_) {
    revertToInitial();
    revertToCommitted();
}

// Isotropic increase of the bound, in multiples of Fy, for an accumulated plastic strain:
// zero up to the plateau l_yp, then starting with slope bi and tending to slope bl.
double Steel4::isotropicHardening(double plasticStrain, double bi, double rho, double bl,
                                  double Ri) const {
    if (!(plasticStrain / initialYieldStrain > l_yp)) {
        return 0.0;
    }
    const double y = plasticStrain / initialYieldStrain - l_yp;
    if (!(y > zeroTolerance)) {
        return 0.0;
    }
    return y * (bl + (bi - bl) / std::pow(std::pow(bi * y / rho, Ri) + 1.0, 1.0 / Ri));
}

double Steel4::tensionHardening(double plasticStrain) const {
    return isotropicHardening(plasticStrain, b_i, rho_i, b_l, R_i);
}

double Steel4::compressionHardening(double plasticStrain) const {
    return isotropicHardening(plasticStrain, b_ic, rho_ic, b_lc, R_ic);
}

// Target point and limit strain of a branch of the given direction (1 tension, 2 compression)
// measured from its base point, capped at the ultimate strength.
Steel4::Target Steel4::branchTarget(int direction, double baseStrain, double baseStress,
                                    double isotropicShift, double kinematicShift,
                                    double plasticStrain) const {
    const double h = (direction == 1) ? 1.0 + tensionHardening(plasticStrain)
                                      : 1.0 + compressionHardening(plasticStrain);
    const double elasticRange = h * Fy + kinematicShift + isotropicShift;
    Target t{};
    if (direction == 1) {
        t.strain = elasticRange / E + baseStrain;
        t.stress = baseStress + elasticRange;
    } else {
        t.strain = baseStrain - elasticRange / E;
        t.stress = baseStress - elasticRange;
    }
    t.limitStrain = static_cast<double>(3 - 2 * direction) * 0.5 * largestDouble;
    if (direction == 1) {
        if (t.stress > f_u) {
            t.strain = t.strain - (t.stress - f_u) / E;
            t.stress = f_u;
        }
        if (kinematicModulus > zeroTolerance) {
            t.limitStrain = (f_u - t.stress) / kinematicModulus + t.strain;
        }
    } else {
        if (-f_uc > t.stress) {
            t.strain = t.strain - (t.stress + f_uc) / E;
            t.stress = -f_uc;
        }
        if (kinematicModulusCompression > zeroTolerance) {
            t.limitStrain = (-f_uc - t.stress) / kinematicModulusCompression + t.strain;
        }
    }
    return t;
}

// Stress at a strain on the branch with the given start, base point and shifts, in the
// direction of the trial load state. With record set, the trial target point, limit strain
// and excursion strain take the values of this evaluation.
double Steel4::evaluateBranch(double strain, double startStrain, double startStress,
                              double baseStrain, double baseStress, double isotropicShift,
                              double kinematicShift, bool record) {
    const int direction = trialLoadState;
    double excursion = (direction == 1) ? strain - trialYieldStrain : trialYieldStrain - strain;
    if (excursion < 0.0) {
        excursion = 0.0;
    }
    const Target t = branchTarget(direction, baseStrain, baseStress, isotropicShift, kinematicShift,
                                  trialPlasticStrainSum + excursion);
    const double xi = (strain - startStrain) / (t.strain - startStrain);
    const double xiUltimate = (strain - startStrain) / (t.limitStrain - startStrain);

    double q, R, ultimateExponent, b;
    if (direction == 1) {
        q = std::fabs((trialMaxStrain - trialYieldStrain) / initialYieldStrain);
        R = R_0 * (1.0 - r_1 * q / (r_2 + q));
        ultimateExponent = Ru;
        b = b_k;
    } else {
        q = std::fabs((trialYieldStrain - trialMinStrain) / initialYieldStrain);
        R = R_0c * (1.0 - r_1c * q / (r_2c + q));
        ultimateExponent = Ruc;
        b = b_kc;
    }
    const double stress =
        startStress + (t.stress - startStress) * xi *
                          (b / std::pow(std::pow(std::fabs(xiUltimate), ultimateExponent) + 1.0,
                                        1.0 / ultimateExponent) +
                           (1.0 - b) / std::pow(std::pow(std::fabs(xi), R) + 1.0, 1.0 / R));
    if (record) {
        trialTargetStrain = t.strain;
        trialTargetStress = t.stress;
        trialLimitStrain = t.limitStrain;
        trialExcursionStrain = excursion;
    }
    return stress;
}

// Starts a branch of the given direction at the committed point. At entry every trial value
// loaded by applyTrialStrain equals its committed copy.
void Steel4::startReversal(int direction) {
    if ((direction == 2 && committedStrain >= committedLimitStrain) ||
        (direction == 1 && committedStrain <= committedLimitStrain)) {
        trialUltimateStrainSum = trialUltimateStrainSum + (committedStrain - committedLimitStrain);
    }
    trialPlasticStrainSum = trialPlasticStrainSum + committedExcursionStrain;
    trialExcursionStrain = 0.0;

    trialLoadState = direction;
    trialStartStrain = committedStrain;
    trialStartStress = committedStress;
    const double er = trialStartStrain;
    const double sr = trialStartStress;

    // Elastic strain distance from the reversal point to the previous branch's bound.
    double e1;
    if (direction == 1) {
        if (er > committedTargetStrain) {
            e1 = (committedTargetStress - sr) / E;
        } else if (er > committedLimitStrain) {
            e1 = ((er - committedTargetStrain) * E * b_kc + committedTargetStress - sr) /
                 ((1.0 - b_kc) * E);
        } else {
            e1 = (-f_uc - sr) / E;
        }
    } else {
        if (er < committedTargetStrain) {
            e1 = (committedTargetStress - sr) / E;
        } else if (er < committedLimitStrain) {
            e1 = ((er - committedTargetStrain) * E * b_k + committedTargetStress - sr) /
                 ((1.0 - b_k) * E);
        } else {
            e1 = (f_u - sr) / E;
        }
    }
    // Previous elastic range.
    const double e2 = (direction == 1)
                          ? committedTargetStress - committedBaseStress + committedKinematicShift
                          : committedTargetStress - committedBaseStress - committedKinematicShift;

    trialBaseStress = e1 * E + sr - e2;
    trialBaseStrain = er + e1 - e2 / E;

    const double P = trialPlasticStrainSum;
    if (direction == 1) {
        trialIsotropicShift =
            (compressionHardening(P) - tensionHardening(P)) * Fy + committedIsotropicShift;
    } else {
        trialIsotropicShift =
            (tensionHardening(P) - compressionHardening(P)) * Fy + committedIsotropicShift;
    }
    trialKinematicShift = E * (trialBaseStrain - trialBaseStress / E - trialUltimateStrainSum) *
                          (b_k - b_kc) / ((1.0 - b_k) * (1.0 - b_kc));

    if (committedStrain < trialMinStrain) {
        trialMinStrain = committedStrain;
    }
    if (committedStrain > trialMaxStrain) {
        trialMaxStrain = committedStrain;
    }

    const BranchRecord started{trialStartStrain, trialStartStress, trialBaseStrain,
                               trialBaseStress};
    if (direction == 1) {
        lastTensionBranch = started;
    } else {
        lastCompressionBranch = started;
    }
}

int Steel4::applyTrialStrain(double strain, double /*strainRate*/) {
    trialStrain = (sig_init == 0.0) ? strain : sig_init / E + strain;
    const double dStrain = trialStrain - committedStrain;

    // Stress, tangent and excursion strain are recomputed below, so they are not loaded.
    trialLoadState = committedLoadState;
    trialMinStrain = committedMinStrain;
    trialMaxStrain = committedMaxStrain;
    trialLimitStrain = committedLimitStrain;
    trialTargetStrain = committedTargetStrain;
    trialTargetStress = committedTargetStress;
    trialStartStrain = committedStartStrain;
    trialStartStress = committedStartStress;
    trialBaseStrain = committedBaseStrain;
    trialBaseStress = committedBaseStress;
    trialYieldStrain = committedYieldStrain;
    trialPlasticStrainSum = committedPlasticStrainSum;
    trialUltimateStrainSum = committedUltimateStrainSum;
    trialIsotropicShift = committedIsotropicShift;
    trialKinematicShift = committedKinematicShift;

    if (trialLoadState == 0 || trialLoadState == 3) {
        if (std::fabs(dStrain) < zeroTolerance) {
            // At rest at the start point.
            trialTangent = E;
            trialStress = sig_init;
            trialLoadState = 3;
            return 0;
        }
        // The first branch starts at (0, 0) with base point (0, 0).
        if (dStrain < 0.0) {
            trialLoadState = 2;
            trialTargetStrain = -initialYieldStrain;
            trialTargetStress = -Fy;
            trialBaseStrain = 0.0;
            trialBaseStress = 0.0;
            trialYieldStrain = -initialYieldStrain;
            trialMinStrain = -initialYieldStrain;
        } else {
            trialLoadState = 1;
            trialTargetStrain = initialYieldStrain;
            trialTargetStress = Fy;
            trialBaseStrain = 0.0;
            trialBaseStress = 0.0;
            trialYieldStrain = initialYieldStrain;
            trialMaxStrain = initialYieldStrain;
        }
    }

    // A reversal against the committed direction, however small, starts a new branch.
    if (trialLoadState == 2 && dStrain > 0.0) {
        startReversal(1);
        trialYieldStrain = branchTarget(1, trialBaseStrain, trialBaseStress, trialIsotropicShift,
                                        trialKinematicShift, trialPlasticStrainSum)
                               .strain;
    } else if (trialLoadState == 1 && dStrain < 0.0) {
        startReversal(2);
        trialYieldStrain = branchTarget(2, trialBaseStrain, trialBaseStress, trialIsotropicShift,
                                        trialKinematicShift, trialPlasticStrainSum)
                               .strain;
    }

    trialStress = evaluateBranch(trialStrain, trialStartStrain, trialStartStress, trialBaseStrain,
                                 trialBaseStress, trialIsotropicShift, trialKinematicShift, true);
    const double stressBehind = evaluateBranch(trialStrain - tangentStrainStep, trialStartStrain,
                                               trialStartStress, trialBaseStrain, trialBaseStress,
                                               trialIsotropicShift, trialKinematicShift, false);
    trialTangent = (trialStress - stressBehind) / tangentStrainStep;

    if (cycNum != 0) {
        searchMemory();
    }
    return 0;
}

// Falls back onto the newest remembered branch of the trial direction when the current branch
// crosses it and the remembered one answers the milder stress.
void Steel4::searchMemory() {
    const int direction = trialLoadState;
    for (int row = memoryCount; row >= 1; --row) {
        const MemoryEntry& entry = memory[static_cast<std::size_t>(row)];
        if (entry.direction != direction) {
            continue;
        }
        const BranchRecord& m = (direction == 1) ? entry.tension : entry.compression;
        // Does the remembered start lie beyond the elastic line through the current start?
        const bool crosses =
            (direction == 1)
                ? m.startStrain - (trialStartStrain - (trialStartStress - m.startStress) / E) <
                      -zeroTolerance
                : (m.startStress - trialStartStress) / E + trialStartStrain - m.startStrain <
                      -zeroTolerance;
        if (!crosses) {
            return;
        }
        const double remembered =
            evaluateBranch(trialStrain, m.startStrain, m.startStress, m.baseStrain, m.baseStress,
                           entry.isotropicShift, entry.kinematicShift, false);
        if ((direction == 1 && remembered < trialStress) ||
            (direction == 2 && remembered > trialStress)) {
            trialStartStrain = m.startStrain;
            trialStartStress = m.startStress;
            trialBaseStrain = m.baseStrain;
            trialBaseStress = m.baseStress;
            trialIsotropicShift = entry.isotropicShift;
            trialKinematicShift = entry.kinematicShift;
            trialStress =
                evaluateBranch(trialStrain, trialStartStrain, trialStartStress, trialBaseStrain,
                               trialBaseStress, trialIsotropicShift, trialKinematicShift, true);
            // Records too: the trial target, limit and excursion left are those at ε − δ.
            const double stressBehind = evaluateBranch(
                trialStrain - tangentStrainStep, trialStartStrain, trialStartStress,
                trialBaseStrain, trialBaseStress, trialIsotropicShift, trialKinematicShift, true);
            trialTangent = (trialStress - stressBehind) / tangentStrainStep;
            memoryCount = row;
        }
        return;
    }
}

// Records the committed branch once it has moved more than 2·Fy/E from its own start.
void Steel4::recordMemory() {
    const int direction = committedLoadState;
    {
        const MemoryEntry& newest = memory[static_cast<std::size_t>(memoryCount)];
        if (!(std::fabs(lastTensionBranch.startStrain - newest.tension.startStrain) >
              machineEpsilon) &&
            !(std::fabs(lastCompressionBranch.startStrain - newest.compression.startStrain) >
              machineEpsilon) &&
            newest.direction == direction) {
            return; // already recorded
        }
    }
    if (!(std::fabs(committedStrain - committedStartStrain) > 2.0 * Fy / E)) {
        return;
    }
    // A branch taken over from the memory starts elsewhere than the latest start.
    const bool ownStart =
        (direction == 1 && committedStartStrain == lastTensionBranch.startStrain) ||
        (direction == 2 && committedStartStrain == lastCompressionBranch.startStrain);
    if (!ownStart) {
        return;
    }
    memoryCount = memoryCount + 1;
    if (!(memory.size() > static_cast<std::size_t>(memoryCount))) {
        memory.resize(memory.size() + static_cast<std::size_t>(cycNum));
    }
    MemoryEntry& entry = memory[static_cast<std::size_t>(memoryCount)];
    entry.direction = direction;
    entry.isotropicShift = committedIsotropicShift;
    entry.kinematicShift = committedKinematicShift;
    entry.tension = lastTensionBranch;
    entry.compression = lastCompressionBranch;
}

int Steel4::commit() {
    committedLoadState = trialLoadState;
    committedStrain = trialStrain;
    committedStress = trialStress;
    committedTangent = trialTangent;
    committedMinStrain = trialMinStrain;
    committedMaxStrain = trialMaxStrain;
    committedLimitStrain = trialLimitStrain;
    committedTargetStrain = trialTargetStrain;
    committedTargetStress = trialTargetStress;
    committedStartStrain = trialStartStrain;
    committedStartStress = trialStartStress;
    committedBaseStrain = trialBaseStrain;
    committedBaseStress = trialBaseStress;
    committedYieldStrain = trialYieldStrain;
    committedPlasticStrainSum = trialPlasticStrainSum;
    committedExcursionStrain = trialExcursionStrain;
    committedUltimateStrainSum = trialUltimateStrainSum;
    committedIsotropicShift = trialIsotropicShift;
    committedKinematicShift = trialKinematicShift;
    if (cycNum != 0) {
        recordMemory();
    }
    return 0;
}

// The memory and the last-branch records are left alone.
int Steel4::revertToCommitted() {
    trialLoadState = committedLoadState;
    trialStrain = committedStrain;
    trialStress = committedStress;
    trialTangent = committedTangent;
    trialMinStrain = committedMinStrain;
    trialMaxStrain = committedMaxStrain;
    trialLimitStrain = committedLimitStrain;
    trialTargetStrain = committedTargetStrain;
    trialTargetStress = committedTargetStress;
    trialStartStrain = committedStartStrain;
    trialStartStress = committedStartStress;
    trialBaseStrain = committedBaseStrain;
    trialBaseStress = committedBaseStress;
    trialYieldStrain = committedYieldStrain;
    trialPlasticStrainSum = committedPlasticStrainSum;
    trialExcursionStrain = committedExcursionStrain;
    trialUltimateStrainSum = committedUltimateStrainSum;
    trialIsotropicShift = committedIsotropicShift;
    trialKinematicShift = committedKinematicShift;
    return 0;
}

// Resets the committed copies only; the next applyTrialStrain or revertToCommitted reloads
// the trial ones. Until then the trial copies report the state before the reset.
int Steel4::revertToInitial() {
    committedLoadState = 0;
    committedStrain = 0.0;
    committedStress = 0.0;
    committedTangent = E;
    committedMinStrain = 0.0;
    committedMaxStrain = 0.0;
    committedLimitStrain = 0.0;
    committedTargetStrain = 0.0;
    committedTargetStress = 0.0;
    committedStartStrain = 0.0;
    committedStartStress = 0.0;
    committedBaseStrain = 0.0;
    committedBaseStress = 0.0;
    committedYieldStrain = 0.0;
    committedPlasticStrainSum = 0.0;
    committedExcursionStrain = 0.0;
    committedUltimateStrainSum = 0.0;
    committedIsotropicShift = 0.0;
    committedKinematicShift = 0.0;
    if (sig_init != 0.0) {
        committedStrain = sig_init / E;
        committedStress = sig_init;
    }
    memoryCount = 0;
    lastTensionBranch = BranchRecord{};
    lastCompressionBranch = BranchRecord{};
    if (cycNum != 0) {
        // Rows kept keep their contents; each is rewritten before it can be read again.
        memory.resize(static_cast<std::size_t>(cycNum) + 2);
    }
    return 0;
}

std::unique_ptr<UniaxialMaterial> Steel4::clone() const {
    auto copy = std::make_unique<Steel4>(materialTag(), Fy, E, b_k, R_0, r_1, r_2, b_kc, R_0c, r_1c,
                                         r_2c, b_i, rho_i, b_l, R_i, l_yp, b_ic, rho_ic, b_lc, R_ic,
                                         f_u, Ru, f_uc, Ruc, cycNum, sig_init);
    copy->committedLoadState = committedLoadState;
    copy->committedStrain = committedStrain;
    copy->committedStress = committedStress;
    copy->committedTangent = committedTangent;
    copy->committedMinStrain = committedMinStrain;
    copy->committedMaxStrain = committedMaxStrain;
    copy->committedLimitStrain = committedLimitStrain;
    copy->committedTargetStrain = committedTargetStrain;
    copy->committedTargetStress = committedTargetStress;
    copy->committedStartStrain = committedStartStrain;
    copy->committedStartStress = committedStartStress;
    copy->committedBaseStrain = committedBaseStrain;
    copy->committedBaseStress = committedBaseStress;
    copy->committedYieldStrain = committedYieldStrain;
    copy->committedPlasticStrainSum = committedPlasticStrainSum;
    copy->committedExcursionStrain = committedExcursionStrain;
    copy->committedUltimateStrainSum = committedUltimateStrainSum;
    copy->committedIsotropicShift = committedIsotropicShift;
    copy->committedKinematicShift = committedKinematicShift;
    copy->trialLoadState = trialLoadState;
    copy->trialStrain = trialStrain;
    copy->trialStress = trialStress;
    copy->trialTangent = trialTangent;
    copy->trialMinStrain = trialMinStrain;
    copy->trialMaxStrain = trialMaxStrain;
    copy->trialLimitStrain = trialLimitStrain;
    copy->trialTargetStrain = trialTargetStrain;
    copy->trialTargetStress = trialTargetStress;
    copy->trialStartStrain = trialStartStrain;
    copy->trialStartStress = trialStartStress;
    copy->trialBaseStrain = trialBaseStrain;
    copy->trialBaseStress = trialBaseStress;
    copy->trialYieldStrain = trialYieldStrain;
    copy->trialPlasticStrainSum = trialPlasticStrainSum;
    copy->trialExcursionStrain = trialExcursionStrain;
    copy->trialUltimateStrainSum = trialUltimateStrainSum;
    copy->trialIsotropicShift = trialIsotropicShift;
    copy->trialKinematicShift = trialKinematicShift;
    copy->lastTensionBranch = lastTensionBranch;
    copy->lastCompressionBranch = lastCompressionBranch;
    copy->memoryCount = memoryCount;
    copy->memory = memory;
    return copy;
}

std::unique_ptr<UniaxialMaterial> makeSteel4(int tag, const ParameterValues& v) {
    return std::make_unique<Steel4>(
        tag, v.at(0), v.at(1), v.at(2), v.at(3), v.at(4), v.at(5), v.at(6), v.at(7), v.at(8),
        v.at(9), v.at(10), v.at(11), v.at(12), v.at(13), v.at(14), v.at(15), v.at(16), v.at(17),
        v.at(18), v.at(19), v.at(20), v.at(21), v.at(22), static_cast<int>(v.at(23)), v.at(24));
}

std::string checkSteel4Parameters(const ParameterValues& v) {
    const double Fy = v.at(0), E = v.at(1), b_k = v.at(2), R_0 = v.at(3), r_2 = v.at(5);
    const double b_kc = v.at(6), R_0c = v.at(7), r_2c = v.at(9);
    const double b_i = v.at(10), rho_i = v.at(11), R_i = v.at(13);
    const double b_ic = v.at(15), rho_ic = v.at(16), R_ic = v.at(18);
    const double f_u = v.at(19), Ru = v.at(20), f_uc = v.at(21), Ruc = v.at(22);
    const double cycNum = v.at(23);
    // While the ultimate strength is out of reach the ratio raised to Ru is (practically) 0.
    constexpr const char* negativeUltimateExponent =
        "a negative exponent makes the ultimate transition divide by zero wherever the "
        "ultimate strength is out of reach";

    if (Fy == 0.0) {
        return refuseParameter("Fy", Fy,
                               "the yield strain Fy/E is then 0, and the "
                               "isotropic hardening divides by it");
    }
    if (E == 0.0) {
        return refuseParameter("E", E,
                               "the yield strain Fy/E and every elastic distance "
                               "divide by it");
    }
    // A negative yield strain Fy/E turns the elastic ranges around: at the first reversal the
    // new branch's target falls back onto its start, and the transition divides 0 by 0.
    if (Fy / E < 0.0) {
        return refuseParameter("Fy", Fy,
                               "with E of the other sign the yield strain Fy/E is negative, and "
                               "at the first reversal the branch target falls onto the branch "
                               "start, where the transition divides zero by zero");
    }
    if (b_k == 1.0) {
        return refuseParameter("b_k", b_k,
                               "the base point of a compression branch divides "
                               "by 1 − b_k");
    }
    if (R_0 == 0.0) {
        return refuseParameter("R_0", R_0, "the tension transition divides by its exponent");
    }
    if (r_2 == 0.0) {
        return refuseParameter("r_2", r_2,
                               "the tension exponent is then 0/0 on a branch that "
                               "has swept no strain");
    }
    // The bend exponent R = R_0·(1 - r_1·q/(r_2 + q)) of a branch, for strains q swept since
    // yield, must stay positive: with R < 0 a branch evaluated at its own start (xi = 0, as the
    // tangent's backward difference can be) raises 0 to a negative power and is 0·inf.
    constexpr const char* bendNotPositive =
        "the tension bend exponent R = R_0*(1 - r_1*q/(r_2 + q)) then falls below zero for some "
        "swept strain q, and the transition at the branch start raises 0 to that negative power";
    constexpr const char* bendNotPositiveCompression =
        "the compression bend exponent R = R_0c*(1 - r_1c*q/(r_2c + q)) then falls below zero "
        "for some swept strain q, and the transition at the branch start raises 0 to that "
        "negative power";
    const double r_1 = v.at(4), r_1c = v.at(8);
    if (R_0 < 0.0) {
        return refuseParameter("R_0", R_0, bendNotPositive);
    }
    if (r_2 > 0.0 && r_1 > 1.0) {
        return refuseParameter("r_1", r_1, bendNotPositive);
    }
    if (r_2 < 0.0) {
        return refuseParameter("r_2", r_2, bendNotPositive);
    }
    if (b_kc == 1.0) {
        return refuseParameter("b_kc", b_kc,
                               "the base point of a tension branch divides by "
                               "1 − b_kc");
    }
    if (R_0c == 0.0) {
        return refuseParameter("R_0c", R_0c, "the compression transition divides by its exponent");
    }
    if (r_2c == 0.0) {
        return refuseParameter("r_2c", r_2c,
                               "the compression exponent is then 0/0 on a branch "
                               "that has swept no strain");
    }
    if (R_0c < 0.0) {
        return refuseParameter("R_0c", R_0c, bendNotPositiveCompression);
    }
    if (r_2c > 0.0 && r_1c > 1.0) {
        return refuseParameter("r_1c", r_1c, bendNotPositiveCompression);
    }
    if (r_2c < 0.0) {
        return refuseParameter("r_2c", r_2c, bendNotPositiveCompression);
    }
    if (((b_i < 0.0 && rho_i > 0.0) || (b_i > 0.0 && rho_i < 0.0)) && !isEvenInteger(R_i)) {
        return refuseParameter("b_i", b_i,
                               "with rho_i of the other sign the isotropic "
                               "hardening raises a negative number to the "
                               "power R_i, which is not an even integer");
    }
    if (rho_i == 0.0) {
        return refuseParameter("rho_i", rho_i, "the isotropic hardening divides by it");
    }
    // With b_l = 0 and b_i < 0 the isotropic hardening falls towards -rho_i, and reaches it in
    // floating point once the plastic strain is large: with rho_i = 1 the elastic range
    // (1 + hardening)·Fy becomes exactly 0, and the branch target then lies at its start.
    if (b_i < 0.0 && v.at(12) == 0.0 && rho_i == 1.0) {
        return refuseParameter("b_i", b_i,
                               "with b_l = 0 and rho_i = 1 a negative b_i lets the tension "
                               "elastic range shrink to exactly zero as plastic strain "
                               "accumulates, and a branch whose target lies at its start "
                               "divides by zero");
    }
    if (R_i == 0.0) {
        return refuseParameter("R_i", R_i, "the isotropic hardening divides by it");
    }
    if (R_i < 0.0 && b_i == 0.0) {
        return refuseParameter("R_i", R_i,
                               "with b_i = 0 the isotropic hardening raises 0 "
                               "to a negative power and divides by the result");
    }
    if (((b_ic < 0.0 && rho_ic > 0.0) || (b_ic > 0.0 && rho_ic < 0.0)) && !isEvenInteger(R_ic)) {
        return refuseParameter("b_ic", b_ic,
                               "with rho_ic of the other sign the isotropic "
                               "hardening raises a negative number to the "
                               "power R_ic, which is not an even integer");
    }
    if (rho_ic == 0.0) {
        return refuseParameter("rho_ic", rho_ic, "the isotropic hardening divides by it");
    }
    if (b_ic < 0.0 && v.at(17) == 0.0 && rho_ic == 1.0) {
        return refuseParameter("b_ic", b_ic,
                               "with b_lc = 0 and rho_ic = 1 a negative b_ic lets the "
                               "compression elastic range shrink to exactly zero as plastic "
                               "strain accumulates, and a branch whose target lies at its start "
                               "divides by zero");
    }
    if (R_ic == 0.0) {
        return refuseParameter("R_ic", R_ic, "the isotropic hardening divides by it");
    }
    if (R_ic < 0.0 && b_ic == 0.0) {
        return refuseParameter("R_ic", R_ic,
                               "with b_ic = 0 the isotropic hardening raises 0 "
                               "to a negative power and divides by the result");
    }
    // The first branch starts at (0, 0) and aims at (Fy/E, Fy), capped at the ultimate strength:
    // a cap that moves the target back to strain 0 (f_u = 0, or so small beside Fy that
    // Fy - f_u rounds to Fy) puts the target at the start.
    if (Fy > f_u && Fy / E - (Fy - f_u) / E == 0.0) {
        return refuseParameter("f_u", f_u,
                               "the first tension branch's target, capped at f_u, then lies at "
                               "its start, and the transition divides by zero");
    }
    if (Ru == 0.0) {
        return refuseParameter("Ru", Ru, "the tension ultimate transition divides by it");
    }
    if (Ru < 0.0) {
        return refuseParameter("Ru", Ru, negativeUltimateExponent);
    }
    if (-f_uc > -Fy && -Fy / E - (-Fy + f_uc) / E == 0.0) {
        return refuseParameter("f_uc", f_uc,
                               "the first compression branch's target, capped at -f_uc, then "
                               "lies at its start, and the transition divides by zero");
    }
    if (Ruc == 0.0) {
        return refuseParameter("Ruc", Ruc, "the compression ultimate transition divides by it");
    }
    if (Ruc < 0.0) {
        return refuseParameter("Ruc", Ruc, negativeUltimateExponent);
    }
    if (!(cycNum >= 0.0 && cycNum <= largestCycleCount)) {
        return refuseParameter("cycNum", cycNum,
                               "the memory needs 0 (off) or a positive size "
                               "of at most 1000000 rows");
    }
    return {};
}

} // namespace looplab
