#pragma once

#include "ui/MaterialDialog.h"

namespace looplab {

// The Concrete02 definition dialog as data.
const DialogTable& concrete02DialogTable();

class TForm10 : public MaterialDialog {
  public:
    TForm10(MaterialRegistryHost* host, QListWidget* managerList, QWidget* parent = nullptr)
        : MaterialDialog(concrete02DialogTable(), host, managerList, parent) {}
};

} // namespace looplab
