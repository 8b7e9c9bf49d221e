#include "ui/Concrete04MaterialForm.h"

namespace looplab {

namespace {
constexpr auto P = DialogField::Group::Parameters;
constexpr auto O = DialogField::Group::OptionalParameters;
} // namespace

const DialogTable& concrete04DialogTable() {
    static const DialogTable table{
        "TForm11",
        "Concrete04",
        "Define Popovics Concrete Material",
        "C04",
        449,
        325,
        {
            {"fc", "Concrete Compressive Strength (fc):", "edt2", P, 0, 0},
            {"ec", "Concrete Strain at Maximum Strength (ec):", "edt3", P, 1, 0},
            {"ecu", "Concrete Strain at Crusing Strength (ecu):", "edt6", P, 2, 0},
            {"Ec", "Initial Stiffness (Ec):", "edt4", P, 3, 0},
            {"fct", "Concrete Tensile Strength (fct):", "edt5", O, 0, 0},
            {"et", "Ultimate Tensile Strain of Concrete (et):", "edt7", O, 1, 0},
            {"beta", "Exponential Curve Parameter (beta):", "edt8", O, 2, 0},
        },
    };
    return table;
}

} // namespace looplab
