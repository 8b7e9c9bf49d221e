#include "ui/Steel04Form.h"

namespace looplab {

namespace {
constexpr auto P = DialogField::Group::Parameters;
constexpr auto O = DialogField::Group::OptionalParameters;
} // namespace

// Two columns: Fy | E on top; below, each tension parameter with its compression twin on
// its right.
const DialogTable& steel4DialogTable() {
    static const DialogTable table{
        "TForm5",
        "Steel4",
        "Define Steel4 Material",
        "S04",
        773,
        488,
        {
            {"Fy", "Yield Stress (Fy):", "edt2", P, 0, 0},
            {"E", "Modulus of Elasticity (E):", "edt3", P, 0, 1},
            {"b_k", "Kin Hardening Parameter (b_k):", "edt5", O, 0, 0},
            {"R_0", "Kin Hardening Parameter (R_0):", "edt6", O, 1, 0},
            {"r_1", "Kin Hardening Parameter (r_1):", "edt7", O, 2, 0},
            {"r_2", "Kin Hardening Parameter (r_2):", "edt8", O, 3, 0},
            {"b_kc", "Kin Hardening Parameter (b_kc):", "edt21", O, 0, 1},
            {"R_0c", "Kin Hardening Parameter (R_0c):", "edt20", O, 1, 1},
            {"r_1c", "Kin Hardening Parameter (r_1c):", "edt19", O, 2, 1},
            {"r_2c", "Kin Hardening Parameter (r_2c):", "edt18", O, 3, 1},
            {"b_i", "Iso Hardening Parameter (b_i):", "edt4", O, 4, 0},
            {"rho_i", "Iso Hardening Parameter (rho_i):", "edt10", O, 6, 0},
            {"b_l", "Iso Hardening Parameter (b_l):", "edt9", O, 5, 0},
            {"R_i", "Iso Hardening Parameter (R_i):", "edt11", O, 7, 0},
            {"l_yp", "Iso Hardening Parameter (l_yp):", "edt12", O, 8, 0},
            {"b_ic", "Iso Hardening Parameter (b_ic):", "edt17", O, 4, 1},
            {"rho_ic", "Iso Hardening Parameter (rho_ic):", "edt15", O, 6, 1},
            {"b_lc", "Iso Hardening Parameter (b_lc):", "edt16", O, 5, 1},
            {"R_ic", "Iso Hardening Parameter (R_ic):", "edt14", O, 7, 1},
            {"f_u", "Ultimate strength (f_u):", "edt23", O, 9, 0},
            {"Ru", "Exp. Transition Parameter  (Ru):", "edt22", O, 10, 0},
            {"f_uc", "Ultimate strength (f_uc):", "edt25", O, 9, 1},
            {"Ruc", "Exp. Transition Parameter  (Ruc):", "edt24", O, 10, 1},
            {"cycNum", "Load history memory  (cycNum):", "edt26", O, 11, 0},
            {"sig_init", "Initial stress  (sig_init):", "edt27", O, 12, 0},
        },
    };
    return table;
}

} // namespace looplab
