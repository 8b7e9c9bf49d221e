#include "ui/SteelMPFMaterialForm.h"

namespace looplab {

namespace {
constexpr auto P = DialogField::Group::Parameters;
constexpr auto O = DialogField::Group::OptionalParameters;
} // namespace

const DialogTable& steelMPFDialogTable() {
    static const DialogTable table{
        "TForm8",
        "SteelMPF",
        "Define Menegotto and Pinto & Filippou Steel Material",
        "smpf",
        449,
        458,
        {
            {"fyp", "Yield Strength in Tension (fyp):", "edt2", P, 0, 0},
            {"fyn", "Yield Strength in Compression (fyn):", "edt3", P, 1, 0},
            {"E0", "Initial Tangent Modulus (E0):", "edt6", P, 2, 0},
            {"bp", "Strain Hardening Ratio in Tension (bp):", "edt4", P, 3, 0},
            {"bn", "Strain Hardening Ratio in Compression (bn):", "edt5", P, 4, 0},
            {"R0", "Initial Value of Curvature Parameter (R0):", "edt7", P, 5, 0},
            {"cR1", "Curvature degradation parameter (cR1):", "edt8", P, 6, 0},
            {"cR2", "Curvature degradation parameter (cR2):", "edt9", P, 7, 0},
            {"a1", "Iso Hardening Parameter (a1):", "edt13", O, 0, 0},
            {"a2", "Iso Hardening Parameter (a2):", "edt12", O, 1, 0},
            {"a3", "Iso Hardening Parameter (a3):", "edt11", O, 2, 0},
            {"a4", "Iso Hardening Parameter (a4):", "edt10", O, 3, 0},
        },
    };
    return table;
}

} // namespace looplab
