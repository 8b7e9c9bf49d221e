#pragma once

#include "ui/MaterialDialog.h"

namespace looplab {

// The Steel4 definition dialog as data.
const DialogTable& steel4DialogTable();

class TForm5 : public MaterialDialog {
  public:
    TForm5(MaterialRegistryHost* host, QListWidget* managerList, QWidget* parent = nullptr)
        : MaterialDialog(steel4DialogTable(), host, managerList, parent) {}
};

} // namespace looplab
