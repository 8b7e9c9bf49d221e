#include "ui/ConcreteDMaterialForm.h"

namespace looplab {

namespace {
constexpr auto P = DialogField::Group::Parameters;
} // namespace

// The constructor takes Ec fifth, but its field is shown third from the top.
const DialogTable& concreteDDialogTable() {
    static const DialogTable table{
        "TForm14",
        "ConcreteD",
        "Define ConcreteD Material",
        "CD",
        449,
        353,
        {
            {"fc", "Concrete Compressive Strength (fc):", "edt2", P, 0, 0},
            {"epsc", "Strain at Compressive Strength (epsc):", "edt3", P, 1, 0},
            {"ft", "Tensile Strength (ft):", "edt7", P, 3, 0},
            {"epst", "Tensile Strain at Peak Stress (epst):", "edt8", P, 4, 0},
            {"Ec", "Initial Elastic modulus  (Ec):", "edt6", P, 2, 0},
            {"alphac", "Compressive Descending Parameter (alphac):", "edt4", P, 5, 0},
            {"alphat", "Compressive Descending Parameter (alphat):", "edt5", P, 6, 0},
            {"cesp", "Plastic Parameter (cesp):", "edt9", P, 7, 0},
            {"etap", "Plastic Parameter (etap):", "edt10", P, 8, 0},
        },
    };
    return table;
}

} // namespace looplab
