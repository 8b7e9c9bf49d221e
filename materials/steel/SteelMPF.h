#pragma once

#include "core/UniaxialMaterial.h"
#include "materials/ParameterCheck.h"

namespace looplab {

// Steel with smooth branches and separate tension and compression properties.
//
// Compression is negative; the compressive yield strength fyn is given as a positive magnitude.
// Every branch starts at a reversal point and bends, with curvature exponent R, from the
// elastic line of slope E0 towards a hardening asymptote of slope bp·E0 (tension) or bn·E0
// (compression). R falls with the size of the last plastic excursion and never rises. Optional
// isotropic hardening (a1, a2 for compression branches, a3, a4 for tension branches) lowers or
// raises a branch's yield level with the largest strain reached on the other side.
// State: the current tension and compression branches, and for each direction the branch that
// was current before the last reversal into it; a small inner cycle whose branch reaches that
// previous branch continues on it. Class tag 91.
class SteelMPF : public UniaxialMaterial {
public:
    static constexpr int classTagValue = 91;

    SteelMPF(int tag, double fyp, double fyn, double E0, double bp, double bn, double R0,
             double cR1, double cR2, double a1, double a2, double a3, double a4);

    int applyTrialStrain(double strain, double strainRate) override;
    int applyTrialStrainAndRespond(double strain, double& stress, double& tangent,
                                   double strainRate) override;
    double currentStrain() const override { return trialStrain; }
    double currentStress() const override { return trialStress; }
    double currentTangent() const override { return trialTangent; }
    double initialTangent() const override { return E0; }
    int commit() override;
    int revertToCommitted() override;
    int revertToInitial() override;
    std::unique_ptr<UniaxialMaterial> clone() const override;

private:
    friend struct SteelMPFProbe; ///< read access to the branch state for the unit tests

    // One branch of the curve.
    struct Branch {
        double reversalStrain;  ///< er: the branch starts at (er, sr)
        double reversalStress;  ///< sr
        double asymptoteStrain; ///< e0: the elastic line from (er, sr) meets the asymptote here
        double asymptoteStress; ///< s0
        double curvature;       ///< R: the larger, the sharper the bend
    };

    struct BranchResponse {
        double stress;
        double tangent;
    };

    // The history variables; held once committed and once trial.
    struct History {
        int loadingDirection;         ///< 0 never loaded, +1 on T, −1 on C
        Branch tension;               ///< T, followed while the strain increases
        Branch compression;           ///< C, followed while the strain decreases
        Branch previousTension;       ///< PT, T before the last reversal into tension
        Branch previousCompression;   ///< PC, C before the last reversal into compression
        int tensionRejoinBlocked;     ///< 1 forbids falling back from T to PT
        int compressionRejoinBlocked; ///< 1 forbids falling back from C to PC
        double minStrain;             ///< smallest strain at a reversal towards tension
        double maxStrain;             ///< largest strain at a reversal towards compression
        int reversalCount;            ///< 1 after the first loading, +1 per reversal
    };

    History initialHistory() const;
    static BranchResponse branchCurve(const Branch& branch, double b, double strain);

    void determineTrialState(double strain);
    void startFirstLoading(double strain);
    void reverseTowardsCompression(double strain);
    void reverseTowardsTension(double strain);
    void followCompressionBranch(double strain);
    void followTensionBranch(double strain);

    // Parameters, stored as given.
    const double fyp;      ///< tensile yield strength
    const double fyn;      ///< compressive yield strength, as a positive magnitude
    const double E0;       ///< initial tangent modulus
    const double bp;       ///< tensile hardening ratio
    const double bn;       ///< compressive hardening ratio
    const double R0;       ///< initial curvature exponent
    const double cR1, cR2; ///< curvature degradation: amplitude and excursion scale
    const double a1, a2;   ///< isotropic hardening of compression branches
    const double a3, a4;   ///< isotropic hardening of tension branches

    // Derived constants; revertToInitial recomputes the yield strains.
    double yieldStrainTension;     ///< εyp = fyp/E0
    double yieldStrainCompression; ///< εyn = fyn/E0, positive
    const double k;                ///< curvature degradation factor cR1·R0

    History committed; ///< last accepted step
    History trial;     ///< step under way

    double committedStrain;
    double committedStress;
    double committedTangent;
    double trialStrain;
    double trialStress;
    double trialTangent;
};

// Catalogue hooks: build from the values in constructor order; refuse degenerate values.
std::unique_ptr<UniaxialMaterial> makeSteelMPF(int tag, const ParameterValues& values);
std::string checkSteelMPFParameters(const ParameterValues& values);

} // namespace looplab
