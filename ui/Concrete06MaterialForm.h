#pragma once

#include "ui/MaterialDialog.h"

namespace looplab {

// The Concrete06 definition dialog as data.
const DialogTable& concrete06DialogTable();

class TForm12 : public MaterialDialog {
  public:
    TForm12(MaterialRegistryHost* host, QListWidget* managerList, QWidget* parent = nullptr)
        : MaterialDialog(concrete06DialogTable(), host, managerList, parent) {}
};

} // namespace looplab
