#pragma once

#include "ui/MaterialDialog.h"

namespace looplab {

// The RambergOsgoodSteel definition dialog as data.
const DialogTable& rambergOsgoodSteelDialogTable();

class TForm7 : public MaterialDialog {
  public:
    TForm7(MaterialRegistryHost* host, QListWidget* managerList, QWidget* parent = nullptr)
        : MaterialDialog(rambergOsgoodSteelDialogTable(), host, managerList, parent) {}
};

} // namespace looplab
