#pragma once

#include "ui/MaterialDialog.h"

namespace looplab {

// The Concrete04 definition dialog as data.
const DialogTable& concrete04DialogTable();

class TForm11 : public MaterialDialog {
  public:
    TForm11(MaterialRegistryHost* host, QListWidget* managerList, QWidget* parent = nullptr)
        : MaterialDialog(concrete04DialogTable(), host, managerList, parent) {}
};

} // namespace looplab
