#include "ui/EPPGAPMaterialForm.h"

namespace looplab {

namespace {
constexpr auto P = DialogField::Group::Parameters;
} // namespace

const DialogTable& eppGapMaterialDialogTable() {
    static const DialogTable table{
        "TForm16",
        "EPPGapMaterial",
        "Define EPP GAP Material",
        "EPP",
        449,
        241,
        {
            {"E", "Tengent (E):", "edt2", P, 0, 0},
            {"Fy", "Yield Stress (Fy):", "edt3", P, 1, 0},
            {"gap", "Initial Gap  (gap):", "edt6", P, 2, 0},
            {"eta", "Hardening Ratio (eta):", "edt7", P, 3, 0},
            {"damage", "Damage ( 0/1 ):", "edt4", P, 4, 0},
        },
    };
    return table;
}

} // namespace looplab
