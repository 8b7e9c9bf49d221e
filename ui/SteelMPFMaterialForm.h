#pragma once

#include "ui/MaterialDialog.h"

namespace looplab {

// The SteelMPF definition dialog as data.
const DialogTable& steelMPFDialogTable();

class TForm8 : public MaterialDialog {
  public:
    TForm8(MaterialRegistryHost* host, QListWidget* managerList, QWidget* parent = nullptr)
        : MaterialDialog(steelMPFDialogTable(), host, managerList, parent) {}
};

} // namespace looplab
