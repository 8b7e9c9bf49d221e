#pragma once

#include "ui/MaterialDialog.h"

namespace looplab {

// The EPPGapMaterial definition dialog as data.
const DialogTable& eppGapMaterialDialogTable();

class TForm16 : public MaterialDialog {
  public:
    TForm16(MaterialRegistryHost* host, QListWidget* managerList, QWidget* parent = nullptr)
        : MaterialDialog(eppGapMaterialDialogTable(), host, managerList, parent) {}
};

} // namespace looplab
