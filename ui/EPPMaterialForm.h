#pragma once

#include "ui/MaterialDialog.h"

namespace looplab {

// The ElasticPPMaterial definition dialog as data.
const DialogTable& elasticPPMaterialDialogTable();

class TForm15 : public MaterialDialog {
  public:
    TForm15(MaterialRegistryHost* host, QListWidget* managerList, QWidget* parent = nullptr)
        : MaterialDialog(elasticPPMaterialDialogTable(), host, managerList, parent) {}
};

} // namespace looplab
