#pragma once

#include "ui/MaterialDialog.h"

namespace looplab {

// The ConcreteD definition dialog as data.
const DialogTable& concreteDDialogTable();

class TForm14 : public MaterialDialog {
  public:
    TForm14(MaterialRegistryHost* host, QListWidget* managerList, QWidget* parent = nullptr)
        : MaterialDialog(concreteDDialogTable(), host, managerList, parent) {}
};

} // namespace looplab
