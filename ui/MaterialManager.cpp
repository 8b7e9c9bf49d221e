#include "ui/MaterialManager.h"

#include "ui/MaterialDialog.h"
#include "ui/MaterialRegistryHost.h"
#include "ui/ModalSeam.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>
#include <memory>
#include <span>

namespace looplab {

namespace {

struct MaterialType {
    const char* text;           ///< the entry of the type list
    std::string_view className; ///< the model whose dialog it opens
};

constexpr std::array steelTypes{
    MaterialType{"Steel01 Material", "Steel01"},
    MaterialType{"Steel02 Material", "Steel02"},
    MaterialType{"Steel4 Material", "Steel4"},
    MaterialType{"Hysteretic Material", "HystereticMaterial"},
    MaterialType{"RambergOsgoodSteel Material", "RambergOsgoodSteel"},
    MaterialType{"SteelMPF Material", "SteelMPF"},
};
constexpr std::array concreteTypes{
    MaterialType{"Concrete01 Material", "Concrete01"},
    MaterialType{"Concrete02 Material", "Concrete02"},
    MaterialType{"Concrete04 Material", "Concrete04"},
    MaterialType{"Concrete06 Material", "Concrete06"},
    MaterialType{"Concrete07 Material", "Concrete07"},
    MaterialType{"ConcreteD", "ConcreteD"},
};
constexpr std::array standardTypes{
    MaterialType{"Elastic-Perfectly Plastic Material", "ElasticPPMaterial"},
    MaterialType{"Elastic-Perfectly Plastic Gap Material", "EPPGapMaterial"},
};
constexpr std::array categories{
    "Steel & Reinforcing-Steel Materials",
    "Concrete Materials",
    "Standard Uniaxial Materials",
};

std::span<const MaterialType> typesOf(int category) {
    switch (category) {
    case 0:
        return steelTypes;
    case 1:
        return concreteTypes;
    default:
        return standardTypes;
    }
}

constexpr int clientWidth = 271;
constexpr int clientHeight = 393;

} // namespace

TForm2::TForm2(MaterialRegistryHost* host, QWidget* parent) : QDialog(parent), host_(host) {
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("Material Manager"));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    QFont f = font();
    f.setFamilies({QStringLiteral("Tahoma"), font().family()});
    f.setPointSizeF(8.0);
    setFont(f);

    lbl1 = new QLabel(QStringLiteral("Material List"), this);
    lbl1->setObjectName(QStringLiteral("lbl1"));
    lst1 = new QListWidget(this);
    lst1->setObjectName(QStringLiteral("lst1"));
    btn1 = new QPushButton(QStringLiteral("Clear All"), this);
    btn1->setObjectName(QStringLiteral("btn1"));
    lbl3 = new QLabel(QStringLiteral("Material Class"), this);
    lbl3->setObjectName(QStringLiteral("lbl3"));
    cbb2 = new QComboBox(this);
    cbb2->setObjectName(QStringLiteral("cbb2"));
    lbl2 = new QLabel(QStringLiteral("Material Type"), this);
    lbl2->setObjectName(QStringLiteral("lbl2"));
    cbb1 = new QComboBox(this);
    cbb1->setObjectName(QStringLiteral("cbb1"));
    btn2 = new QPushButton(QStringLiteral("Add Material"), this);
    btn2->setObjectName(QStringLiteral("btn2"));
    btn3 = new QPushButton(QStringLiteral("Close"), this);
    btn3->setObjectName(QStringLiteral("btn3"));
    lbl1->setBuddy(lst1);
    lbl3->setBuddy(cbb2);
    lbl2->setBuddy(cbb1);

    // Return must never reach Clear All, which asks for no confirmation: only Add Material is
    // the default button.
    btn1->setAutoDefault(false);
    btn3->setAutoDefault(false);
    btn2->setDefault(true);

    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(10, 8, 10, 10);
    top->setSpacing(4);
    top->addWidget(lbl1);
    top->addWidget(lst1, 1);
    auto* clearRow = new QHBoxLayout;
    clearRow->addStretch(1);
    clearRow->addWidget(btn1);
    top->addLayout(clearRow);
    top->addSpacing(6);
    top->addWidget(lbl3);
    top->addWidget(cbb2);
    top->addSpacing(2);
    top->addWidget(lbl2);
    top->addWidget(cbb1);
    top->addSpacing(8);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btn2, 1);
    buttons->addWidget(btn3, 1);
    top->addLayout(buttons);

    for (const char* category : categories) {
        cbb2->addItem(QString::fromUtf8(category));
    }
    cbb2->setCurrentIndex(0);
    cbb2Change();

    connect(cbb2, &QComboBox::currentIndexChanged, this, [this] { cbb2Change(); });
    connect(btn2, &QPushButton::clicked, this, &TForm2::btn2Click);
    connect(btn1, &QPushButton::clicked, this, &TForm2::btn1Click);
    connect(btn3, &QPushButton::clicked, this, &TForm2::btn3Click);

    // QDialog centres itself over the main window when it is first shown.
    setFixedSize(clientWidth, clientHeight);
}

std::string_view TForm2::modelFor(int category, int type) {
    const std::span<const MaterialType> types = typesOf(category);
    if (type < 0 || static_cast<std::size_t>(type) >= types.size()) {
        return {};
    }
    return types[static_cast<std::size_t>(type)].className;
}

void TForm2::cbb2Change() {
    cbb1->clear();
    for (const MaterialType& type : typesOf(cbb2->currentIndex())) {
        cbb1->addItem(QString::fromUtf8(type.text));
    }
    cbb1->setCurrentIndex(0);
}

void TForm2::btn2Click() {
    const int type = cbb1->currentIndex();
    const int category = cbb2->currentIndex();
    const DialogTable* table = dialogTableFor(modelFor(category, type));
    if (table == nullptr) {
        return;
    }
    // Owned by the manager while it is shown, destroyed as soon as it is closed.
    auto dialog = std::make_unique<MaterialDialog>(*table, host_, lst1, this);
    modalSeam().execDialog(dialog.get());
}

void TForm2::btn1Click() {
    lst1->clear();
    host_->clearAllMaterials();
}

void TForm2::btn3Click() {
    hide();
}

} // namespace looplab
