#include "ui/Concrete02MaterialForm.h"

namespace looplab {

namespace {
constexpr auto P = DialogField::Group::Parameters;
} // namespace

const DialogTable& concrete02DialogTable() {
    static const DialogTable table{
        "TForm10",
        "Concrete02",
        "Define Concrete 02 Material",
        "C02",
        449,
        303,
        {
            {"fpc", "Concrete Compressive Strength (fpc):", "edt2", P, 0, 0},
            {"epsc0", "Concrete Strain at Maximum Strength (epsc0):", "edt3", P, 1, 0},
            {"fpcu", "Concrete Crushing Strength (fpcu):", "edt6", P, 2, 0},
            {"epsU", "Concrete Strain at Crusing Strength (epsU):", "edt4", P, 3, 0},
            {"lambda", "Unloading slope and Initial Slope Ratio (lambda):", "edt8", P, 4, 0},
            {"ft", "Concrete Tensile Strength (ft):", "edt7", P, 5, 0},
            {"Ets", "Tension Softening Stiffness (Ets):", "edt5", P, 6, 0},
        },
    };
    return table;
}

} // namespace looplab
