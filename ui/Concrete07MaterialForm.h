#pragma once

#include "ui/MaterialDialog.h"

namespace looplab {

// The Concrete07 definition dialog as data.
const DialogTable& concrete07DialogTable();

class TForm13 : public MaterialDialog {
  public:
    TForm13(MaterialRegistryHost* host, QListWidget* managerList, QWidget* parent = nullptr)
        : MaterialDialog(concrete07DialogTable(), host, managerList, parent) {}
};

} // namespace looplab
