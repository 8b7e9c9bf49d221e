#pragma once

#include "core/UniaxialMaterial.h"
#include "materials/ParameterCheck.h"

#include <cstddef>
#include <vector>

namespace looplab {

// Steel with smooth transition branches, kinematic and isotropic hardening, ultimate-strength
// caps and an optional load-history memory.
//
// Compression is negative (strains and stresses); a tension branch is one on which the strain
// increases. Every branch starts at a reversal point, runs elastically with slope E and bends
// over towards a hardening asymptote of slope b_k·E (tension) or b_kc·E (compression) through
// a target point; the bend grows milder with the strain swept since the branch's yield point
// (R_0, r_1, r_2 and their compression twins). The elastic range widens with the plastic
// strain accumulated over all excursions (isotropic hardening, a tension and a compression set,
// plateau l_yp), and a second transition caps the stress at f_u and −f_uc. An initial stress
// sig_init is carried as the strain offset sig_init/E, which currentStrain includes.
//
// State: nineteen variables held as committed and trial copies. Besides them, single copies:
// the latest branch begun by a reversal into each direction and, when cycNum ≠ 0, a table of
// remembered branches. A branch that would run past the newest remembered branch of its
// direction falls back onto it. The memory is outside the trial/committed pair: a trial may
// lower memoryCount, and neither commit nor revertToCommitted restores it.
//
// cycNum must be 0 (memory off) or positive; the parameter check refuses anything else.
// Class tag 87.
class Steel4 : public UniaxialMaterial {
  public:
    static constexpr int classTagValue = 87;

    // Start and base point of a branch.
    struct BranchRecord {
        double startStrain = 0.0;
        double startStress = 0.0;
        double baseStrain = 0.0;
        double baseStress = 0.0;
    };

    // One row of the memory table: the branch being followed when it was recorded (direction
    // and stress shifts) and the latest tension and compression branches at that moment.
    struct MemoryEntry {
        int direction = 0; ///< 1 tension, 2 compression; 0 in a row never written
        double isotropicShift = 0.0;
        double kinematicShift = 0.0;
        BranchRecord tension;
        BranchRecord compression;
    };

    Steel4(int tag, double Fy, double E, double b_k, double R_0, double r_1, double r_2,
           double b_kc, double R_0c, double r_1c, double r_2c, double b_i, double rho_i, double b_l,
           double R_i, double l_yp, double b_ic, double rho_ic, double b_lc, double R_ic,
           double f_u, double Ru, double f_uc, double Ruc, int cycNum, double sig_init);

    int applyTrialStrain(double strain, double strainRate) override;
    double currentStrain() const override { return trialStrain; }
    double currentStress() const override { return trialStress; }
    double currentTangent() const override { return trialTangent; }
    double initialTangent() const override { return E; }
    int commit() override;
    int revertToCommitted() override;
    int revertToInitial() override;
    std::unique_ptr<UniaxialMaterial> clone() const override;

    // Read-only views of the state, for inspection.
    int loadState() const { return trialLoadState; }
    int memoryEntryCount() const { return memoryCount; }
    std::size_t memoryTableLength() const { return memory.size(); }
    const MemoryEntry& memoryEntry(std::size_t row) const { return memory.at(row); }

  private:
    struct Target {
        double strain;
        double stress;
        double limitStrain; ///< where the hardening asymptote reaches the ultimate strength
    };

    double isotropicHardening(double plasticStrain, double bi, double rho, double bl,
                              double Ri) const;
    double tensionHardening(double plasticStrain) const;
    double compressionHardening(double plasticStrain) const;
    Target branchTarget(int direction, double baseStrain, double baseStress, double isotropicShift,
                        double kinematicShift, double plasticStrain) const;
    double evaluateBranch(double strain, double startStrain, double startStress, double baseStrain,
                          double baseStress, double isotropicShift, double kinematicShift,
                          bool record);
    void startReversal(int direction);
    void searchMemory();
    void recordMemory();

    // Parameters, stored as given.
    const double Fy;                       ///< initial yield stress, both directions
    const double E;                        ///< elastic modulus
    const double b_k, R_0, r_1, r_2;       ///< tension: hardening ratio and transition shape
    const double b_kc, R_0c, r_1c, r_2c;   ///< compression twins
    const double b_i, rho_i, b_l, R_i;     ///< isotropic hardening, tension set
    const double l_yp;                     ///< yield plateau, in multiples of Fy/E
    const double b_ic, rho_ic, b_lc, R_ic; ///< isotropic hardening, compression set
    const double f_u, Ru;   ///< ultimate tensile strength and its transition exponent
    const double f_uc, Ruc; ///< ultimate compressive strength (a magnitude) and exponent
    const int cycNum;       ///< initial size and growth step of the memory; 0 = no memory
    const double sig_init;  ///< initial stress

    // Derived constants.
    const double initialYieldStrain;                    ///< Fy/E
    const double kinematicModulus;                      ///< b_k·E
    const double kinematicModulusCompression;           ///< b_kc·E
    static constexpr double tangentStrainStep = 1.0e-7; ///< backward-difference step

    // Committed state (last accepted step).
    int committedLoadState = 0;   ///< 0 virgin, 1 tension branch, 2 compression, 3 at rest
    double committedStrain = 0.0; ///< includes the offset sig_init/E
    double committedStress = 0.0;
    double committedMinStrain = 0.0;    ///< smallest of 0 and all reversal strains
    double committedMaxStrain = 0.0;    ///< largest of 0 and all reversal strains
    double committedLimitStrain = 0.0;  ///< asymptote meets the ultimate strength here
    double committedTargetStrain = 0.0; ///< elastic line from the base meets the asymptote
    double committedTargetStress = 0.0;
    double committedStartStrain = 0.0; ///< the branch's start, its last reversal point
    double committedStartStress = 0.0;
    double committedBaseStrain = 0.0; ///< base point the target is measured from
    double committedBaseStress = 0.0;
    double committedYieldStrain = 0.0;      ///< beyond it the branch is plastic excursion
    double committedPlasticStrainSum = 0.0; ///< plastic strain of completed excursions
    double committedExcursionStrain = 0.0;  ///< plastic strain of the current excursion
    double committedTangent = 0.0;
    double committedUltimateStrainSum = 0.0; ///< reversal overshoots past the limit strain
    double committedIsotropicShift = 0.0;    ///< from unequal tension/compression isotropy
    double committedKinematicShift = 0.0;    ///< from unequal b_k and b_kc

    // Trial state (step under way); same meanings.
    int trialLoadState = 0;
    double trialStrain = 0.0;
    double trialStress = 0.0;
    double trialMinStrain = 0.0;
    double trialMaxStrain = 0.0;
    double trialLimitStrain = 0.0;
    double trialTargetStrain = 0.0;
    double trialTargetStress = 0.0;
    double trialStartStrain = 0.0;
    double trialStartStress = 0.0;
    double trialBaseStrain = 0.0;
    double trialBaseStress = 0.0;
    double trialYieldStrain = 0.0;
    double trialPlasticStrainSum = 0.0;
    double trialExcursionStrain = 0.0;
    double trialTangent = 0.0;
    double trialUltimateStrainSum = 0.0;
    double trialIsotropicShift = 0.0;
    double trialKinematicShift = 0.0;

    // Load-history memory, one copy each.
    BranchRecord lastTensionBranch;     ///< latest branch begun by a reversal into tension
    BranchRecord lastCompressionBranch; ///< latest branch begun by a reversal into compression
    int memoryCount = 0;                ///< row of the newest valid entry; 0 = none
    std::vector<MemoryEntry> memory;    ///< row 0 is never written; sized only when cycNum ≠ 0
};

// Catalogue hooks: build from the values in constructor order; refuse degenerate values.
std::unique_ptr<UniaxialMaterial> makeSteel4(int tag, const ParameterValues& values);
std::string checkSteel4Parameters(const ParameterValues& values);

} // namespace looplab
