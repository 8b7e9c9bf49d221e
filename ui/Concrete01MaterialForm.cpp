#include "ui/Concrete01MaterialForm.h"

namespace looplab {

namespace {
constexpr auto P = DialogField::Group::Parameters;
} // namespace

const DialogTable& concrete01DialogTable() {
    static const DialogTable table{
        "TForm9",
        "Concrete01",
        "Define Concrete01 Material",
        "C01",
        449,
        218,
        {
            {"fpc", "Concrete Compressive Strength (fpc):", "edt2", P, 0, 0},
            {"epsc0", "Concrete Strain at Maximum Strength (epsc0):", "edt3", P, 1, 0},
            {"fpcu", "Concrete Crushing Strength (fpcu):", "edt6", P, 2, 0},
            {"epsU", "Concrete Strain at Crusing Strength (epsU):", "edt4", P, 3, 0},
        },
    };
    return table;
}

} // namespace looplab
