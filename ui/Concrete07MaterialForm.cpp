#include "ui/Concrete07MaterialForm.h"

namespace looplab {

namespace {
constexpr auto P = DialogField::Group::Parameters;
} // namespace

const DialogTable& concrete07DialogTable() {
    static const DialogTable table{
        "TForm13",
        "Concrete07",
        "Define Concrete 07 Material",
        "C07",
        449,
        318,
        {
            {"fc", "Concrete Compressive Strength (fc):", "edt2", P, 0, 0},
            {"ec", "Strain at Compressive Strength (ec):", "edt3", P, 1, 0},
            {"Ec", "Initial Elastic modulus  (Ec):", "edt6", P, 2, 0},
            {"ft", "Tensile Strength (ft):", "edt7", P, 3, 0},
            {"et", "Tensile Strain at Peak Stress (et):", "edt8", P, 4, 0},
            {"xp", "Non-dimensional Parameter (xp):", "edt4", P, 5, 0},
            {"xn", "Non-dimensional Parameter (xn):", "edt5", P, 6, 0},
            {"r", "Parameter that Controls the Nonlinear Descending Branch (r):", "edt9", P, 7, 0},
        },
    };
    return table;
}

} // namespace looplab
