#pragma once

#include <string_view>
#include <vector>

namespace looplab {

// One parameter field of a definition dialog.
struct DialogField {
    enum class Group { Parameters, OptionalParameters };

    std::string_view parameter; ///< the catalogue parameter it feeds
    std::string_view label;     ///< the label left of the field
    std::string_view field;     ///< the field's name ("edt2"), also its objectName
    Group group = Group::Parameters;
    int row = 0;    ///< row within its group, top to bottom
    int column = 0; ///< 0 for a one-column dialog; 0 left, 1 right in a two-column one
};

// A definition dialog as data: the generic dialog builds itself from it. `fields` are in
// constructor order (after the tag); `row`/`column` place them.
struct DialogTable {
    std::string_view formName;    ///< "TForm3", also the dialog's objectName
    std::string_view className;   ///< the catalogue model it constructs
    std::string_view caption;
    std::string_view defaultName; ///< preloaded into edt1
    int clientWidth = 0;
    int clientHeight = 0;
    std::vector<DialogField> fields;
};

// The fourteen dialog tables, in catalogue order.
const std::vector<DialogTable>& dialogTables();
// The table of a model's dialog, or nullptr.
const DialogTable* dialogTableFor(std::string_view className);

} // namespace looplab
