#include "ui/Steel02Form.h"

namespace looplab {

namespace {
constexpr auto P = DialogField::Group::Parameters;
constexpr auto O = DialogField::Group::OptionalParameters;
} // namespace

const DialogTable& steel02DialogTable() {
    static const DialogTable table{
        "TForm4",
        "Steel02",
        "Define Steel02 Material",
        "S02",
        403,
        431,
        {
            {"Fy", "Yield Stress (Fy):", "edt2", P, 0, 0},
            {"E", "Modulus of Elasticity (E):", "edt3", P, 1, 0},
            {"b", "Hardening Ratio (b):", "edt4", P, 2, 0},
            {"R0", "Transition Parameter (R0):", "edt11", P, 3, 0},
            {"CR1", "Transition Parameter (CR1):", "edt10", P, 4, 0},
            {"CR2", "Transition Parameter (CR2):", "edt9", P, 5, 0},
            {"a1", "Iso Hardening Parameter (a1):", "edt5", O, 0, 0},
            {"a2", "Iso Hardening Parameter (a2):", "edt6", O, 1, 0},
            {"a3", "Iso Hardening Parameter (a3):", "edt7", O, 2, 0},
            {"a4", "Iso Hardening Parameter (a4):", "edt8", O, 3, 0},
            {"sig0", "Initial Stress (sig0):", "edt12", O, 4, 0},
        },
    };
    return table;
}

} // namespace looplab
