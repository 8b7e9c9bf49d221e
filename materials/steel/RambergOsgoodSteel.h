#pragma once

#include "core/UniaxialMaterial.h"
#include "materials/ParameterCheck.h"

namespace looplab {

// Steel following a power-law strain–stress relation measured from the last reversal point:
// strain increment = stress increment/E0 + a·(stress increment/Fy*)^n, where Fy* is fy on the
// first loading and 2·fy on the branches after a reversal at non-zero stress.
//
// Compression is negative. The relation gives strain from stress, so every trial solves it for
// the magnitude of the stress increment by Newton iteration (start 1.0, stop when two iterates
// differ by less than 0.0001, at most 999 updates; a NaN change also stops it). Non-convergence
// is not reported: the last iterate is taken. Class tag 68.
class RambergOsgoodSteel : public UniaxialMaterial {
public:
    static constexpr int classTagValue = 68;

    RambergOsgoodSteel(int tag, double fy, double E0, double a, double n);

    int applyTrialStrain(double strain, double strainRate) override;
    double currentStrain() const override { return trialStrain; }
    double currentStress() const override { return trialStress; }
    double currentTangent() const override { return trialTangent; }
    double initialTangent() const override { return E0; }
    int commit() override;
    int revertToCommitted() override;
    int revertToInitial() override;
    // A new object with the same tag and parameters, in its initial state: no state is copied.
    std::unique_ptr<UniaxialMaterial> clone() const override;

    // Newton updates made by the last applyTrialStrain (0 when it returned before solving).
    // Diagnostic only, not part of the material state; lets the iteration's length be checked.
    int lastNewtonUpdates() const { return newtonUpdates; }

private:
    void copyCommittedHistoryToTrial();
    double solveStressIncrement(double branchYieldStress, double strainDistance);
    double tangentAt(double stressIncrement, double branchYieldStress) const;

    // Parameters, stored as given.
    const double fy; ///< yield strength
    const double E0; ///< initial elastic tangent
    const double a;  ///< plastic strain when the stress increment equals Fy*
    const double n;  ///< hardening exponent

    // Committed history (last accepted step).
    int committedBranch = 0; ///< 0 unloaded, 1 increasing, 2 decreasing, 3 at rest
    double committedBranchYieldStress = 0.0; ///< Fy* of the current branch
    double committedReversalStrain = 0.0;    ///< start of the current branch
    double committedReversalStress = 0.0;
    double committedStrain = 0.0;
    double committedStress = 0.0;
    double committedTangent = 0.0;

    // Trial history (step under way), reloaded from the committed copy by every trial.
    int trialBranch = 0;
    double trialBranchYieldStress = 0.0;
    double trialReversalStrain = 0.0;
    double trialReversalStress = 0.0;
    double trialStrain = 0.0;
    double trialStress = 0.0;
    double trialTangent = 0.0;

    int newtonUpdates = 0; ///< see lastNewtonUpdates
};

// Catalogue hooks: build from the values in constructor order; refuse degenerate values.
std::unique_ptr<UniaxialMaterial> makeRambergOsgoodSteel(int tag, const ParameterValues& values);
std::string checkRambergOsgoodSteelParameters(const ParameterValues& values);

} // namespace looplab
