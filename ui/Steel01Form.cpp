#include "ui/Steel01Form.h"

namespace looplab {

namespace {
constexpr auto P = DialogField::Group::Parameters;
constexpr auto O = DialogField::Group::OptionalParameters;
} // namespace

const DialogTable& steel01DialogTable() {
    static const DialogTable table{
        "TForm3",
        "Steel01",
        "Define Steel01 Material",
        "S01",
        403,
        337,
        {
            {"Fy", "Yield Stress (Fy):", "edt2", P, 0, 0},
            {"E", "Modulus of Elasticity (E):", "edt3", P, 1, 0},
            {"b", "Hardening Ratio (b):", "edt4", P, 2, 0},
            {"a1", "Iso Hardening Parameter (a1):", "edt5", O, 0, 0},
            {"a2", "Iso Hardening Parameter (a2):", "edt6", O, 1, 0},
            {"a3", "Iso Hardening Parameter (a3):", "edt7", O, 2, 0},
            {"a4", "Iso Hardening Parameter (a4):", "edt8", O, 3, 0},
        },
    };
    return table;
}

} // namespace looplab
