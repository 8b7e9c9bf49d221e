#pragma once

#include <QDialog>

#include <string_view>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace looplab {

class MaterialRegistryHost;

// The material manager: lists the names of the defined materials, lets the user pick a model
// by category and type and opens its definition dialog, and clears all materials at once.
// Modeless, fixed size, always on top; Close only hides it, so it keeps its list and choices.
class TForm2 : public QDialog {
    Q_OBJECT

  public:
    explicit TForm2(MaterialRegistryHost* host, QWidget* parent = nullptr);

    // The model opened for a (category, type) pair of the two drop-down lists, or an empty
    // view when there is none. Categories past the second count as the third.
    static std::string_view modelFor(int category, int type);

    // Fills cbb1 with the types of the category selected in cbb2 and selects the first.
    void cbb2Change();
    // Add Material: opens the definition dialog of the selected type modally.
    void btn2Click();
    // Clear All: empties the list here and every material of the main window, unasked.
    void btn1Click();
    // Close: hides the manager.
    void btn3Click();

    QLabel* lbl1 = nullptr;      ///< "Material List"
    QListWidget* lst1 = nullptr; ///< the names of the defined materials
    QPushButton* btn1 = nullptr; ///< "Clear All"
    QLabel* lbl3 = nullptr;      ///< "Material Class"
    QComboBox* cbb2 = nullptr;   ///< the categories
    QLabel* lbl2 = nullptr;      ///< "Material Type"
    QComboBox* cbb1 = nullptr;   ///< the types of the selected category
    QPushButton* btn2 = nullptr; ///< "Add Material"
    QPushButton* btn3 = nullptr; ///< "Close"

  private:
    MaterialRegistryHost* host_ = nullptr;
};

} // namespace looplab
