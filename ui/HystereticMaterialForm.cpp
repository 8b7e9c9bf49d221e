#include "ui/HystereticMaterialForm.h"

namespace looplab {

namespace {
constexpr auto P = DialogField::Group::Parameters;
constexpr auto O = DialogField::Group::OptionalParameters;
} // namespace

// Two columns: the positive-side points on the left, the negative-side points level with them
// on the right; the pinching and damage factors continue the left column.
const DialogTable& hystereticMaterialDialogTable() {
    static const DialogTable table{
        "TForm6",
        "HystereticMaterial",
        "Define Hysteretic Material",
        "hym",
        773,
        406,
        {
            {"s1p", "Stress / Force 1 (s1p):", "edt2", P, 0, 0},
            {"e1p", "Strain / Deformation 1 (e1p):", "edt3", P, 1, 0},
            {"s2p", "Stress / Force 2 (s2p):", "edt6", P, 2, 0},
            {"e2p", "Strain / Deformation 2 (e2p):", "edt4", P, 3, 0},
            {"s3p", "Stress / Force 3 (s3p):", "edt8", P, 4, 0},
            {"e3p", "Strain / Deformation 3 (e3p):", "edt7", P, 5, 0},
            {"s1n", "Stress / Force 1 (s1n):", "edt14", P, 0, 1},
            {"e1n", "Strain / Deformation 1 (e1n):", "edt13", P, 1, 1},
            {"s2n", "Stress / Force 2 (s2n):", "edt12", P, 2, 1},
            {"e2n", "Strain / Deformation 2 (e2n):", "edt11", P, 3, 1},
            {"s3n", "Stress / Force 3 (s3n):", "edt10", P, 4, 1},
            {"e3n", "Strain / Deformation 3 (e3n):", "edt9", P, 5, 1},
            {"pinchx", "Pinching factor for strain (pinchx):", "edt18", P, 6, 0},
            {"pinchy", "Pinching factor for stress (pinchy):", "edt17", P, 7, 0},
            {"damage1", "Damage due to Ductility (damage1):", "edt16", P, 8, 0},
            {"damage2", "Damage due to Ductility (damage2):", "edt15", P, 9, 0},
            {"beta", "Degraded Unloading Stiffness Parameter (beta):", "edt5", O, 0, 0},
        },
    };
    return table;
}

} // namespace looplab
