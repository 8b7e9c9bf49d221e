#include "ui/EPPMaterialForm.h"

namespace looplab {

namespace {
constexpr auto P = DialogField::Group::Parameters;
} // namespace

const DialogTable& elasticPPMaterialDialogTable() {
    static const DialogTable table{
        "TForm15",
        "ElasticPPMaterial",
        "Define Elastic-Perfectly Plastic Material",
        "EPP",
        449,
        216,
        {
            {"E", "Tengent (E):", "edt2", P, 0, 0},
            {"epsyP", "Yield Deformation (epsyP):", "edt3", P, 1, 0},
            {"epsyN", "Yield Deformation  (epsyN):", "edt6", P, 2, 0},
            {"eps0", "Initial Strain (eps0):", "edt7", P, 3, 0},
        },
    };
    return table;
}

} // namespace looplab
