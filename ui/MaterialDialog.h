#pragma once

#include "ui/DialogTable.h"

#include <QDialog>

#include <string_view>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace looplab {

class MaterialRegistryHost;
struct ModelEntry;

// The definition dialog of one material model, built from its DialogTable: a name field, one
// labelled text field per constructor parameter (preloaded with the catalogue default in the
// user's decimal separator), and the buttons Add and Close. Add converts every field, builds the
// model with tag 0, names it and registers it; the dialog stays open for the next one.
//
// Fixed size (the table's client size), always on top, centred on its owner when shown. When
// the labels do not fit the client size at the standard 8 pt, the font is reduced until they do.
class MaterialDialog : public QDialog {
    Q_OBJECT

  public:
    MaterialDialog(const DialogTable& table, MaterialRegistryHost* host, QListWidget* managerList,
                   QWidget* parent = nullptr);

    const DialogTable& table() const { return table_; }
    // The parameter fields in constructor order (the order of table().fields).
    const std::vector<QLineEdit*>& parameterFields() const { return fields_; }

    // Add: defines one material from the current texts.
    void btn1Click();
    // Close.
    void btn2Click();

    QLabel* lbl1 = nullptr;      ///< "Material Name"
    QLineEdit* edt1 = nullptr;   ///< the material name
    QGroupBox* grp1 = nullptr;   ///< "Parameters"
    QGroupBox* grp2 = nullptr;   ///< "Optional Parameters"; nullptr when the model has none
    QPushButton* btn1 = nullptr; ///< "Add"
    QPushButton* btn2 = nullptr; ///< "Close"

  private:
    void buildControls();
    void fitFontToClientSize();
    void setFieldWidths();
    void alignLabelColumns();

    const DialogTable& table_;
    const ModelEntry* model_ = nullptr;
    MaterialRegistryHost* host_ = nullptr;
    QListWidget* managerList_ = nullptr;
    std::vector<QLineEdit*> fields_;
    std::vector<QLabel*> labels_; ///< the label of each field
};

} // namespace looplab
