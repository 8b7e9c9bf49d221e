#pragma once

#include "ui/MaterialDialog.h"

namespace looplab {

// The Concrete01 definition dialog as data.
const DialogTable& concrete01DialogTable();

class TForm9 : public MaterialDialog {
  public:
    TForm9(MaterialRegistryHost* host, QListWidget* managerList, QWidget* parent = nullptr)
        : MaterialDialog(concrete01DialogTable(), host, managerList, parent) {}
};

} // namespace looplab
