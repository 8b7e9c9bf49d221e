#pragma once

#include "ui/MaterialDialog.h"

namespace looplab {

// The HystereticMaterial definition dialog as data.
const DialogTable& hystereticMaterialDialogTable();

class TForm6 : public MaterialDialog {
  public:
    TForm6(MaterialRegistryHost* host, QListWidget* managerList, QWidget* parent = nullptr)
        : MaterialDialog(hystereticMaterialDialogTable(), host, managerList, parent) {}
};

} // namespace looplab
