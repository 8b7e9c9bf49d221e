#pragma once

#include "ui/MaterialDialog.h"

namespace looplab {

// The Steel01 definition dialog as data.
const DialogTable& steel01DialogTable();

class TForm3 : public MaterialDialog {
  public:
    TForm3(MaterialRegistryHost* host, QListWidget* managerList, QWidget* parent = nullptr)
        : MaterialDialog(steel01DialogTable(), host, managerList, parent) {}
};

} // namespace looplab
