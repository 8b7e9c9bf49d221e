#include "ui/Concrete06MaterialForm.h"

namespace looplab {

namespace {
constexpr auto P = DialogField::Group::Parameters;
} // namespace

const DialogTable& concrete06DialogTable() {
    static const DialogTable table{
        "TForm12",
        "Concrete06",
        "Define Concrete 06 Material",
        "C06",
        449,
        348,
        {
            {"fc", "Concrete Compressive Strength (fc):", "edt2", P, 0, 0},
            {"e0", "Strain at Compressive Strength (e0):", "edt3", P, 1, 0},
            {"n", "Compressive Shape Factor (n):", "edt6", P, 2, 0},
            {"k", "Post-Peak Compressive Shape Factor (k):", "edt4", P, 3, 0},
            {"alph1", "α1 Parameter for Compressive Plastic Strain Definitions (alph1):", "edt5", P,
             4, 0},
            {"fcr", "Tensile Strength (fcr):", "edt7", P, 5, 0},
            {"ecr", "Tensile Strain at Peak Stress (ecr):", "edt8", P, 6, 0},
            {"b", "Exponent of the Tension Stiffening Curve (b):", "edt9", P, 7, 0},
            {"alph2", "α2 Parameter for Tensile Plastic Strain Definition (alph2):", "edt10", P, 8,
             0},
        },
    };
    return table;
}

} // namespace looplab
