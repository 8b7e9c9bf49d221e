#include "ui/MaterialDialog.h"

#include "core/NumberText.h"
#include "materials/Catalogue.h"
#include "ui/Concrete01MaterialForm.h"
#include "ui/Concrete02MaterialForm.h"
#include "ui/Concrete04MaterialForm.h"
#include "ui/Concrete06MaterialForm.h"
#include "ui/Concrete07MaterialForm.h"
#include "ui/ConcreteDMaterialForm.h"
#include "ui/EPPGAPMaterialForm.h"
#include "ui/EPPMaterialForm.h"
#include "ui/HystereticMaterialForm.h"
#include "ui/MaterialRegistryHost.h"
#include "ui/ModalSeam.h"
#include "ui/RambergOsgoodSteelMaterialForm.h"
#include "ui/Steel01Form.h"
#include "ui/Steel02Form.h"
#include "ui/Steel04Form.h"
#include "ui/SteelMPFMaterialForm.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <string>
#include <tuple>

namespace looplab {

const std::vector<DialogTable>& dialogTables() {
    static const std::vector<DialogTable> tables = {
        steel01DialogTable(),
        steel02DialogTable(),
        steel4DialogTable(),
        steelMPFDialogTable(),
        rambergOsgoodSteelDialogTable(),
        concrete01DialogTable(),
        concrete02DialogTable(),
        concrete04DialogTable(),
        concrete06DialogTable(),
        concrete07DialogTable(),
        concreteDDialogTable(),
        elasticPPMaterialDialogTable(),
        eppGapMaterialDialogTable(),
        hystereticMaterialDialogTable(),
    };
    return tables;
}

const DialogTable* dialogTableFor(std::string_view className) {
    for (const DialogTable& table : dialogTables()) {
        if (table.className == className) {
            return &table;
        }
    }
    return nullptr;
}

namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const ParameterSpec* findParameter(const ModelEntry* model, std::string_view name) {
    if (model == nullptr) {
        return nullptr;
    }
    for (const ParameterSpec& spec : model->parameters) {
        if (spec.name == name) {
            return &spec;
        }
    }
    return nullptr;
}

// "edt12" → "lbl12": a parameter's label carries the number of its field.
QString labelNameFor(std::string_view fieldName) {
    QString name = toQString(fieldName);
    if (name.startsWith(QLatin1String("edt"))) {
        name.replace(0, 3, QStringLiteral("lbl"));
    } else {
        name.prepend(QStringLiteral("lbl_"));
    }
    return name;
}

// The standard font of the windows and the smallest one tried when the labels do not fit.
constexpr qreal standardPointSize = 8.0;
constexpr qreal smallestPointSize = 6.0;

} // namespace

MaterialDialog::MaterialDialog(const DialogTable& table, MaterialRegistryHost* host,
                               QListWidget* managerList, QWidget* parent)
    : QDialog(parent), table_(table), model_(findModel(table.className)), host_(host),
      managerList_(managerList) {
    setObjectName(toQString(table_.formName));
    setWindowTitle(toQString(table_.caption));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    // QDialog centres itself over its parent's window when it is first shown.
    buildControls();
    fitFontToClientSize();
}

void MaterialDialog::buildControls() {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(10, 8, 10, 8);
    top->setSpacing(6);

    lbl1 = new QLabel(QStringLiteral("Material Name"), this);
    lbl1->setObjectName(QStringLiteral("lbl1"));
    edt1 = new QLineEdit(toQString(table_.defaultName), this);
    edt1->setObjectName(QStringLiteral("edt1"));
    lbl1->setBuddy(edt1);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(lbl1);
    nameRow->addWidget(edt1, 1);
    top->addLayout(nameRow);

    const bool twoColumns = std::any_of(table_.fields.begin(), table_.fields.end(),
                                        [](const DialogField& f) { return f.column > 0; });
    const char separator = systemDecimalSeparator();

    auto makeGroup = [&](DialogField::Group group, const QString& title,
                         const QString& name) -> QGroupBox* {
        int rows = 0;
        for (const DialogField& f : table_.fields) {
            if (f.group == group) {
                rows = std::max(rows, f.row + 1);
            }
        }
        if (rows == 0) {
            return nullptr;
        }
        auto* box = new QGroupBox(title, this);
        box->setObjectName(name);
        auto* grid = new QGridLayout(box);
        grid->setContentsMargins(8, 4, 8, 4);
        grid->setHorizontalSpacing(6);
        grid->setVerticalSpacing(3);
        // Columns: label, field[, gap, label, field].
        grid->setColumnStretch(1, 1);
        if (twoColumns) {
            grid->setColumnMinimumWidth(2, 14);
            grid->setColumnStretch(4, 1);
        }
        top->addWidget(box, rows);
        return box;
    };
    grp1 = makeGroup(DialogField::Group::Parameters, QStringLiteral("Parameters"),
                     QStringLiteral("grp1"));
    grp2 = makeGroup(DialogField::Group::OptionalParameters, QStringLiteral("Optional Parameters"),
                     QStringLiteral("grp2"));

    fields_.reserve(table_.fields.size());
    labels_.reserve(table_.fields.size());
    for (const DialogField& f : table_.fields) {
        QGroupBox* box = f.group == DialogField::Group::Parameters ? grp1 : grp2;
        auto* grid = static_cast<QGridLayout*>(box->layout());
        auto* label = new QLabel(toQString(f.label), box);
        label->setObjectName(labelNameFor(f.field));
        QString defaultText;
        QString help;
        if (const ParameterSpec* spec = findParameter(model_, f.parameter)) {
            defaultText = QString::fromStdString(localizedDefaultText(*spec, separator));
            help = QString::fromStdString(parameterHelpText(*spec));
        }
        auto* edit = new QLineEdit(defaultText, box);
        edit->setObjectName(toQString(f.field));
        label->setBuddy(edit);
        // The parameter's meaning and unit role, as the user guide lists them.
        edit->setToolTip(help);
        label->setToolTip(help);
        grid->addWidget(label, f.row, 3 * f.column, Qt::AlignLeft | Qt::AlignVCenter);
        grid->addWidget(edit, f.row, 3 * f.column + 1);
        fields_.push_back(edit);
        labels_.push_back(label);
    }

    btn1 = new QPushButton(QStringLiteral("Add"), this);
    btn1->setObjectName(QStringLiteral("btn1"));
    btn1->setDefault(true);
    btn2 = new QPushButton(QStringLiteral("Close"), this);
    btn2->setObjectName(QStringLiteral("btn2"));
    btn2->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btn1);
    buttons->addWidget(btn2);
    top->addLayout(buttons);

    connect(btn1, &QPushButton::clicked, this, &MaterialDialog::btn1Click);
    connect(btn2, &QPushButton::clicked, this, &MaterialDialog::btn2Click);

    // Tab order follows the reading order: name, fields top to bottom (left column first), buttons.
    std::vector<std::size_t> order(table_.fields.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        const DialogField& fa = table_.fields[a];
        const DialogField& fb = table_.fields[b];
        auto key = [](const DialogField& f) {
            return std::tuple(f.group == DialogField::Group::Parameters ? 0 : 1, f.column, f.row);
        };
        return key(fa) < key(fb);
    });
    QWidget* previous = edt1;
    for (std::size_t i : order) {
        setTabOrder(previous, fields_[i]);
        previous = fields_[i];
    }
    setTabOrder(previous, btn1);
    setTabOrder(btn1, btn2);
}

// The label columns of both groups are as wide as the widest label of that column in either
// group, so that the fields of the two groups line up.
void MaterialDialog::alignLabelColumns() {
    const std::array<QGroupBox*, 2> groups{grp1, grp2};
    int widths[2] = {0, 0};
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const int column = table_.fields[i].column;
        widths[column] = std::max(widths[column], labels_[i]->sizeHint().width());
    }
    for (QGroupBox* box : groups) {
        if (box == nullptr) {
            continue;
        }
        auto* grid = static_cast<QGridLayout*>(box->layout());
        for (int column = 0; column < 2; ++column) {
            if (widths[column] > 0) {
                grid->setColumnMinimumWidth(3 * column, widths[column]);
            }
        }
    }
}

void MaterialDialog::setFieldWidths() {
    // Room for a nine-digit number ("500000000") and for every default, plus the frame.
    const QFontMetrics metrics(font());
    int width = metrics.horizontalAdvance(QString(9, QLatin1Char('0')));
    for (const QLineEdit* edit : fields_) {
        width = std::max(width, metrics.horizontalAdvance(edit->text()));
    }
    width += 14;
    for (QLineEdit* edit : fields_) {
        edit->setMinimumWidth(width);
    }
    edt1->setMinimumWidth(width);
}

void MaterialDialog::fitFontToClientSize() {
    const QSize client(table_.clientWidth, table_.clientHeight);
    QFont f = font();
    f.setFamilies({QStringLiteral("Tahoma"), font().family()});
    for (qreal size = standardPointSize; size >= smallestPointSize; size -= 0.5) {
        f.setPointSizeF(size);
        setFont(f);
        setFieldWidths();
        alignLabelColumns();
        layout()->invalidate();
        const QSize needed = layout()->totalMinimumSize();
        if (needed.width() <= client.width() && needed.height() <= client.height()) {
            break;
        }
    }
    setFixedSize(client);
}

void MaterialDialog::btn1Click() {
    const std::string name(trimText(edt1->text().toStdString()));
    const QString qname = QString::fromStdString(name);
    if (host_->materialNameExists(qname)) {
        edt1->setFocus();
        modalSeam().warning(this, QStringLiteral("Duplicate Material Name!"));
        return;
    }
    if (model_ == nullptr || !model_->available()) {
        modalSeam().error(
            this, QStringLiteral("The %1 model cannot be built.").arg(toQString(table_.className)));
        return;
    }

    const char separator = systemDecimalSeparator();
    ParameterValues values;
    values.reserve(fields_.size());
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const std::string text(trimText(fields_[i]->text().toStdString()));
        const ParameterSpec* spec = findParameter(model_, table_.fields[i].parameter);
        if (spec != nullptr && spec->type == ParameterType::Int) {
            int value = 0;
            if (!parseInt32(text, value)) {
                modalSeam().error(this, QString::fromStdString(integerConversionError(text)));
                return;
            }
            values.push_back(static_cast<double>(value));
        } else {
            double value = 0.0;
            if (!parseDouble(text, separator, value)) {
                modalSeam().error(this, QString::fromStdString(floatConversionError(text)));
                return;
            }
            values.push_back(value);
        }
    }

    // Values that would divide by zero inside the model are refused before construction.
    if (model_->check != nullptr) {
        const std::string refusal = model_->check(values);
        if (!refusal.empty()) {
            modalSeam().warning(this, QString::fromStdString(refusal));
            return;
        }
    }

    std::unique_ptr<UniaxialMaterial> material = model_->factory(0, values);
    material->name = std::string(trimText(edt1->text().toStdString()));
    const QString storedName = QString::fromStdString(material->name);
    host_->appendMaterial(std::move(material));
    host_->addCheckListEntry(storedName);
    if (managerList_ != nullptr) {
        managerList_->addItem(storedName);
    }
}

void MaterialDialog::btn2Click() {
    close();
}

} // namespace looplab
