// The material manager: category and type lists, which dialog Add Material opens, Clear All
// and Close.

#include "ScriptedModalSeam.h"
#include "UiTest.h"

#include "ui/MaterialDialog.h"
#include "ui/MaterialManager.h"
#include "ui/MaterialRegistryHost.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <vector>

namespace {

using namespace looplab;
using looplab::test::ScriptedModalSeam;

class FakeRegistryHost : public MaterialRegistryHost {
  public:
    std::vector<std::unique_ptr<UniaxialMaterial>> registry;
    QStringList checkList;
    int clearCalls = 0;

    bool materialNameExists(const QString& name) const override {
        for (const auto& material : registry) {
            if (QString::fromStdString(material->name) == name) {
                return true;
            }
        }
        return false;
    }
    void appendMaterial(std::unique_ptr<UniaxialMaterial> material) override {
        registry.push_back(std::move(material));
    }
    void addCheckListEntry(const QString& name) override { checkList << name; }
    void clearAllMaterials() override {
        registry.clear();
        checkList.clear();
        ++clearCalls;
    }
};

QStringList itemsOf(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) {
        items << box->itemText(i);
    }
    return items;
}

QStringList itemsOf(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->item(i)->text();
    }
    return items;
}

const QStringList steelTypes = {"Steel01 Material",
                                "Steel02 Material",
                                "Steel4 Material",
                                "Hysteretic Material",
                                "RambergOsgoodSteel Material",
                                "SteelMPF Material"};
const QStringList concreteTypes = {"Concrete01 Material", "Concrete02 Material",
                                   "Concrete04 Material", "Concrete06 Material",
                                   "Concrete07 Material", "ConcreteD"};
const QStringList standardTypes = {"Elastic-Perfectly Plastic Material",
                                   "Elastic-Perfectly Plastic Gap Material"};

} // namespace

class MaterialManagerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedModalSeam> seam;
    std::unique_ptr<FakeRegistryHost> host;
    std::unique_ptr<TForm2> manager;

    // Opens the dialog of (category, type) through Add Material and runs `whileOpen` in it.
    void addMaterial(int category, int type,
                     const std::function<void(MaterialDialog*)>& whileOpen) {
        manager->cbb2->setCurrentIndex(category);
        manager->cbb1->setCurrentIndex(type);
        seam->onDialog = [&](QDialog* dialog) {
            auto* materialDialog = qobject_cast<MaterialDialog*>(dialog);
            QVERIFY(materialDialog != nullptr);
            whileOpen(materialDialog);
        };
        QTest::mouseClick(manager->btn2, Qt::LeftButton);
        seam->onDialog = nullptr;
    }

  private slots:
    void init() {
        seam = std::make_unique<ScriptedModalSeam>();
        host = std::make_unique<FakeRegistryHost>();
        manager = std::make_unique<TForm2>(host.get());
        manager->show();
    }
    void cleanup() {
        manager.reset();
        host.reset();
        seam.reset();
    }

    void startsWithTheSteelTypes() {
        QCOMPARE(manager->objectName(), QString("TForm2"));
        QCOMPARE(manager->size(), QSize(271, 393));
        QCOMPARE(manager->minimumSize(), manager->maximumSize());
        QVERIFY(manager->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(manager->lbl1->text(), QString("Material List"));
        QCOMPARE(manager->lbl3->text(), QString("Material Class"));
        QCOMPARE(manager->lbl2->text(), QString("Material Type"));
        QCOMPARE(manager->btn1->text(), QString("Clear All"));
        QCOMPARE(manager->btn2->text(), QString("Add Material"));
        QCOMPARE(manager->btn3->text(), QString("Close"));
        for (const char* name :
             {"lbl1", "lst1", "btn1", "lbl3", "cbb2", "lbl2", "cbb1", "btn2", "btn3"}) {
            QVERIFY2(manager->findChild<QWidget*>(name) != nullptr, name);
        }
        QCOMPARE(itemsOf(manager->cbb2),
                 (QStringList{"Steel & Reinforcing-Steel Materials", "Concrete Materials",
                              "Standard Uniaxial Materials"}));
        QCOMPARE(manager->cbb2->currentIndex(), 0);
        QCOMPARE(itemsOf(manager->cbb1), steelTypes);
        QCOMPARE(manager->cbb1->currentIndex(), 0);
        QCOMPARE(manager->lst1->count(), 0);
    }

    void categoryChoosesTheTypeList() {
        manager->cbb1->setCurrentIndex(3);
        manager->cbb2->setCurrentIndex(1);
        QCOMPARE(itemsOf(manager->cbb1), concreteTypes);
        QCOMPARE(manager->cbb1->currentIndex(), 0);
        manager->cbb1->setCurrentIndex(5);
        manager->cbb2->setCurrentIndex(2);
        QCOMPARE(itemsOf(manager->cbb1), standardTypes);
        QCOMPARE(manager->cbb1->currentIndex(), 0);
        manager->cbb2->setCurrentIndex(0);
        QCOMPARE(itemsOf(manager->cbb1), steelTypes);
        QCOMPARE(manager->cbb1->currentIndex(), 0);
    }

    void addMaterialOpensTheDialogOfTheType_data() {
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("form");
        const char* forms[3][6] = {
            {"TForm3", "TForm4", "TForm5", "TForm6", "TForm7", "TForm8"},
            {"TForm9", "TForm10", "TForm11", "TForm12", "TForm13", "TForm14"},
            {"TForm15", "TForm16", nullptr, nullptr, nullptr, nullptr}};
        for (int c = 0; c < 3; ++c) {
            for (int t = 0; t < 6 && forms[c][t] != nullptr; ++t) {
                QTest::addRow("%d/%d", c, t) << c << t << QString(forms[c][t]);
            }
        }
    }
    void addMaterialOpensTheDialogOfTheType() {
        QFETCH(int, category);
        QFETCH(int, type);
        QFETCH(QString, form);
        QPointer<MaterialDialog> opened;
        QString defaultName;
        addMaterial(category, type, [&](MaterialDialog* dialog) {
            opened = dialog;
            QVERIFY(dialog->isVisible());
            QCOMPARE(dialog->parent(), manager.get());
            defaultName = dialog->edt1->text();
            QTest::mouseClick(dialog->btn1, Qt::LeftButton);
            QTest::mouseClick(dialog->btn2, Qt::LeftButton);
            QVERIFY(!dialog->isVisible());
        });
        QCOMPARE(seam->texts("dialog"), QStringList{form});
        QVERIFY(opened.isNull()); // destroyed once closed
        QCOMPARE(itemsOf(manager->lst1), QStringList{defaultName});
        QCOMPARE(host->checkList, QStringList{defaultName});
        QCOMPARE(host->registry.size(), std::size_t(1));
        QCOMPARE(seam->texts("warning"), QStringList());
        QCOMPARE(seam->texts("error"), QStringList());
    }

    void dispatchTable() {
        QCOMPARE(TForm2::modelFor(0, 5), std::string_view("SteelMPF"));
        QCOMPARE(TForm2::modelFor(1, 5), std::string_view("ConcreteD"));
        QCOMPARE(TForm2::modelFor(2, 1), std::string_view("EPPGapMaterial"));
        // Categories past the second count as the third.
        QCOMPARE(TForm2::modelFor(7, 0), std::string_view("ElasticPPMaterial"));
        QVERIFY(TForm2::modelFor(0, 6).empty());
        QVERIFY(TForm2::modelFor(2, 2).empty());
        QVERIFY(TForm2::modelFor(1, -1).empty());
    }

    void noTypeSelectedOpensNothing() {
        manager->cbb1->setCurrentIndex(-1);
        QTest::mouseClick(manager->btn2, Qt::LeftButton);
        QVERIFY(seam->shown.empty());
    }

    // Nothing typed survives a dialog: the next one starts from the defaults again.
    void everyDialogStartsFromTheDefaults() {
        addMaterial(0, 0, [](MaterialDialog* dialog) {
            dialog->edt1->setText("mine");
            dialog->findChild<QLineEdit*>("edt2")->setText("123");
        });
        addMaterial(0, 0, [](MaterialDialog* dialog) {
            QCOMPARE(dialog->edt1->text(), QString("S01"));
            QCOMPARE(dialog->findChild<QLineEdit*>("edt2")->text(), QString("300"));
        });
        QVERIFY(host->registry.empty());
    }

    void namesAreCaseSensitiveAcrossDialogs() {
        addMaterial(0, 0, [](MaterialDialog* dialog) {
            QTest::mouseClick(dialog->btn1, Qt::LeftButton);
            dialog->edt1->setText("s01");
            QTest::mouseClick(dialog->btn1, Qt::LeftButton);
        });
        addMaterial(0, 1, [](MaterialDialog* dialog) {
            dialog->edt1->setText("S01");
            QTest::mouseClick(dialog->btn1, Qt::LeftButton);
        });
        QCOMPARE(itemsOf(manager->lst1), (QStringList{"S01", "s01"}));
        QCOMPARE(host->checkList, (QStringList{"S01", "s01"}));
        QCOMPARE(seam->texts("warning"), QStringList{"Duplicate Material Name!"});
    }

    void clearAllEmptiesEverythingUnasked() {
        addMaterial(
            0, 0, [](MaterialDialog* dialog) { QTest::mouseClick(dialog->btn1, Qt::LeftButton); });
        addMaterial(
            1, 0, [](MaterialDialog* dialog) { QTest::mouseClick(dialog->btn1, Qt::LeftButton); });
        QCOMPARE(itemsOf(manager->lst1), (QStringList{"S01", "C01"}));
        const qsizetype shownBefore = qsizetype(seam->shown.size());
        QTest::mouseClick(manager->btn1, Qt::LeftButton);
        QCOMPARE(manager->lst1->count(), 0);
        QCOMPARE(host->clearCalls, 1);
        QVERIFY(host->registry.empty());
        QVERIFY(host->checkList.isEmpty());
        QCOMPARE(qsizetype(seam->shown.size()), shownBefore); // no confirmation, no message
        // The same names can be defined again afterwards.
        addMaterial(
            0, 0, [](MaterialDialog* dialog) { QTest::mouseClick(dialog->btn1, Qt::LeftButton); });
        QCOMPARE(itemsOf(manager->lst1), QStringList{"S01"});
        QVERIFY(seam->texts("warning").isEmpty());
    }

    void clearAllWithNothingDefined() {
        QTest::mouseClick(manager->btn1, Qt::LeftButton);
        QCOMPARE(manager->lst1->count(), 0);
        QVERIFY(host->registry.empty());
        QVERIFY(seam->shown.empty());
    }

    void closeHidesAndKeepsTheState() {
        addMaterial(
            1, 2, [](MaterialDialog* dialog) { QTest::mouseClick(dialog->btn1, Qt::LeftButton); });
        manager->cbb1->setCurrentIndex(4);
        QTest::mouseClick(manager->btn3, Qt::LeftButton);
        QVERIFY(!manager->isVisible());
        manager->show();
        QCOMPARE(itemsOf(manager->lst1), QStringList{"C04"});
        QCOMPARE(manager->cbb2->currentIndex(), 1);
        QCOMPARE(manager->cbb1->currentIndex(), 4);
    }

    void layoutIsReadable() {
        std::vector<QWidget*> controls;
        for (QLabel* label : manager->findChildren<QLabel*>()) {
            QVERIFY(label->width() >= label->sizeHint().width());
            controls.push_back(label);
        }
        for (QComboBox* box : manager->findChildren<QComboBox*>()) {
            // The longest entry of each list shows in full.
            for (const QString& text : itemsOf(box)) {
                QVERIFY2(box->width() >= box->fontMetrics().horizontalAdvance(text) + 24,
                         qPrintable(text));
            }
            controls.push_back(box);
        }
        for (QPushButton* button : manager->findChildren<QPushButton*>()) {
            QVERIFY(button->width() >= button->sizeHint().width());
            controls.push_back(button);
        }
        controls.push_back(manager->lst1);
        QVERIFY(manager->lst1->height() >= 120);
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const QRect a(controls[i]->mapTo(manager.get(), QPoint()), controls[i]->size());
            QVERIFY(manager->rect().contains(a));
            for (std::size_t j = i + 1; j < controls.size(); ++j) {
                const QRect b(controls[j]->mapTo(manager.get(), QPoint()), controls[j]->size());
                QVERIFY2(!a.intersects(b),
                         qPrintable(controls[i]->objectName() + " / " + controls[j]->objectName()));
            }
        }
        const QByteArray folder = qgetenv("LOOPLAB_UI_SNAPSHOTS");
        if (!folder.isEmpty()) {
            manager->cbb2->setCurrentIndex(2);
            manager->lst1->addItems({"S01", "C01"});
            QDir().mkpath(QString::fromLocal8Bit(folder));
            QVERIFY(manager->grab().save(QString::fromLocal8Bit(folder) + "/TForm2.png"));
        }
    }
};

LOOPLAB_UI_TEST(MaterialManagerTest);

#include "test_MaterialManager.moc"
