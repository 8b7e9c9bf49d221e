#include "ui/RambergOsgoodSteelMaterialForm.h"

namespace looplab {

namespace {
constexpr auto P = DialogField::Group::Parameters;
} // namespace

const DialogTable& rambergOsgoodSteelDialogTable() {
    static const DialogTable table{
        "TForm7",
        "RambergOsgoodSteel",
        "Define RambergOsgoodSteel Material",
        "ro",
        397,
        215,
        {
            {"fy", "Yield Strength (fy):", "edt2", P, 0, 0},
            {"E0", "Initial Elastic Tangent (E0):", "edt3", P, 1, 0},
            {"a", "Yield Offset (a):", "edt6", P, 2, 0},
            {"n", "Hardening Parameter (n):", "edt4", P, 3, 0},
        },
    };
    return table;
}

} // namespace looplab
