#pragma once

#include "ui/MaterialDialog.h"

namespace looplab {

// The Steel02 definition dialog as data.
const DialogTable& steel02DialogTable();

class TForm4 : public MaterialDialog {
  public:
    TForm4(MaterialRegistryHost* host, QListWidget* managerList, QWidget* parent = nullptr)
        : MaterialDialog(steel02DialogTable(), host, managerList, parent) {}
};

} // namespace looplab
