// The main window as a user drives it: import, plot, save, the chart click, the menus, the
// splitter, the animation and the whole road through the manager and two dialogs.

#include "ScriptedModalSeam.h"
#include "UiTest.h"

#include "core/LoopExport.h"
#include "ui/AnimationForm.h"
#include "ui/LoopLabChart.h"
#include "ui/MaterialManager.h"
#include "ui/Unit1.h"

#include "materials/Catalogue.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSlider>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace looplab;
using looplab::test::ScriptedModalSeam;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// Registers a material as a definition dialog would.
void define(TForm1& window, const char* className, const char* name,
            const std::vector<double>& values = {}) {
    const ModelEntry* model = findModel(className);
    ParameterValues v = values;
    for (std::size_t i = v.size(); i < model->parameters.size(); ++i) {
        v.push_back(std::stod(std::string(model->parameters[i].defaultText)));
    }
    auto material = model->factory(0, v);
    material->name = name;
    window.appendMaterial(std::move(material));
    window.addCheckListEntry(QString::fromLatin1(name));
}

void check(TForm1& window, int entry) { window.lst1->item(entry)->setCheckState(Qt::Checked); }

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString writeFile(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }

    // Imports a file through the window: first-line answer, then the file.
    void importFile(TForm1& window, ScriptedModalSeam& seam, const QString& path,
                    const QString& firstLine = QStringLiteral("1")) {
        seam.inputAnswers.push_back(firstLine);
        seam.openAnswers.push_back(path);
        window.btn1Click();
    }

private slots:
    // The histories and expectations here are written with '.' decimals.
    void initTestCase() { qputenv("LC_ALL", "C"); }

    void startsWithItsControlsAndEmptyState() {
        ScriptedModalSeam seam;
        TForm1 window;
        QCOMPARE(window.loopCount(), 0);
        QCOMPARE(window.pointCount(), 0);
        QCOMPARE(window.animationStep(), 0);
        QVERIFY(window.history().values.empty());
        QCOMPARE(window.history().name, std::string("Disp"));
        const QList<QPair<const char*, const char*>> buttons{
            {"btn2", "Material Manager"}, {"btn1", "Import Deformation History"},
            {"btn3", "Plot Loops"},       {"btn6", "Animate"},
            {"btn4", "Save Loops"},       {"btn5", "Close"}};
        int lastY = -1;
        for (const auto& [name, caption] : buttons) {
            auto* button = window.findChild<QPushButton*>(QString::fromLatin1(name));
            QVERIFY2(button != nullptr, name);
            QCOMPARE(button->text(), QString::fromUtf8(caption));
            QCOMPARE(button->width(), 194);
            window.show();
            QVERIFY(button->y() > lastY); // stacked in this order
            lastY = button->y();
        }
        QVERIFY(window.findChild<QListWidget*>("lst1") != nullptr);
        QCOMPARE(window.cht2->plottableCount(), 2);
        QCOMPARE(window.lnsrsSeries1->name(), QStringLiteral("Disp"));
        QCOMPARE(window.cht1->plottableCount(), 0);
        QCOMPARE(window.cht2->xAxis->label(), QStringLiteral("Step"));
        QCOMPARE(window.cht2->yAxis->label(), QStringLiteral("Deformation/Strain"));
        QCOMPARE(window.cht1->xAxis->label(), QStringLiteral("Deformation / Strain"));
        QCOMPARE(window.cht1->yAxis->label(), QStringLiteral("Force /  Stress"));
        QStringList menus;
        for (QAction* a : window.mm1->actions()) {
            menus << a->text();
            for (QAction* item : a->menu()->actions()) {
                menus << "  " + item->text();
            }
        }
        QCOMPARE(menus, (QStringList{"File", "  Import Deformation History",
                                     "  Generate Deformation History…", "  Save Loops",
                                     "  Save Chart Image…", "Help", "  About", "  How to use?"}));
        QStringList popup;
        for (QAction* a : window.pm2->actions()) {
            popup << a->text();
        }
        QCOMPARE(popup, (QStringList{"Invert Left Axis", "Invert Botttom Axis",
                                     "Invert Both Axis", "Reset Default", "Copy Loops",
                                     "Save Chart Image…"}));
        QCOMPARE(window.rzfldsts1->text(), QStringLiteral("  Welcome to my Website :"));
        QCOMPARE(window.rzstsbr2->height(), 26);
    }

    void axisLabelFormats() {
        const QLocale c = QLocale::c();
        QCOMPARE(formatAxisNumber(1234567.5, 7, c), QStringLiteral("1,234,567.5"));
        QCOMPARE(formatAxisNumber(0.00012345678, 7, c), QStringLiteral("0.0001235"));
        QCOMPARE(formatAxisNumber(0.00012345678, 8, c), QStringLiteral("0.00012346"));
        QCOMPARE(formatAxisNumber(-0.5, 7, c), QStringLiteral("-0.5"));
        QCOMPARE(formatAxisNumber(3.0, 7, c), QStringLiteral("3"));
        QCOMPARE(formatAxisNumber(-0.00000001, 7, c), QStringLiteral("0"));
        QCOMPARE(formatAxisNumber(1234.25, 7, QLocale(QLocale::German)), QStringLiteral("1.234,25"));
    }

    void importsFromTheFirstLineGiven() {
        ScriptedModalSeam seam;
        TForm1 window;
        const QString path = writeFile("h.txt", "header\n0.001\n-0.002\n0.003\n");
        importFile(window, seam, path, QStringLiteral(" 2 "));
        QCOMPARE(seam.texts("input"), QStringList{"First Line of Data|First Line: |1"});
        QCOMPARE(seam.lastInitialFolder, TForm1::programFolder());
        QCOMPARE(window.history().values, (std::vector<double>{0.001, -0.002, 0.003}));
        QCOMPARE(window.lnsrsSeries1->data()->size(), 3);
        QCOMPARE(window.lnsrsSeries1->data()->at(2)->key, 3.0);
        QCOMPARE(window.lnsrsSeries1->data()->at(2)->value, 0.003);
        QCOMPARE(window.pntsrsSeries1->data()->size(), 1);
        QCOMPARE(window.pntsrsSeries1->data()->at(0)->key, 1.0);
        QCOMPARE(window.pntsrsSeries1->data()->at(0)->value, 0.001);
        QVERIFY(seam.texts("warning").isEmpty());

        // Cancelling the first-line box reads from line 1: the header line stops it at once.
        seam.openAnswers.push_back(path);
        window.btn1Click();
        QVERIFY(window.history().values.empty());
        QCOMPARE(seam.texts("warning"),
                 QStringList{"'header' is not a valid floating point value"});
    }

    void importFailures() {
        ScriptedModalSeam seam;
        TForm1 window;
        const QString good = writeFile("good.txt", "1\n2\n3\n");
        importFile(window, seam, good);
        const std::vector<double> before = window.history().values;

        struct Case {
            QString firstLine;
            bool choosesFile;
            QString warning;
        };
        for (const Case& c : {Case{"abc", false, "''abc'' is not a valid integer value"},
                              Case{"1.5", false, "''1.5'' is not a valid integer value"},
                              Case{"", false, "'''' is not a valid integer value"},
                              Case{"0", false, "First Line must be greater than 0!"},
                              Case{"-3", false, "First Line must be greater than 0!"},
                              Case{"1", false, ""}}) {
            seam.shown.clear();
            seam.inputAnswers.push_back(c.firstLine);
            window.btn1Click(); // no file chosen: the open dialog is cancelled
            QCOMPARE(seam.texts("warning"), c.warning.isEmpty() ? QStringList() : QStringList{c.warning});
            QCOMPARE(window.history().values, before);
            QCOMPARE(window.lnsrsSeries1->data()->size(), 3);
        }

        seam.shown.clear();
        const QString missing = dir.filePath("missing.txt");
        importFile(window, seam, missing);
        QCOMPARE(seam.texts("warning"),
                 QStringList{"Cannot open file \"" + missing + "\". No such file or directory"});
        QVERIFY(window.history().values.empty());
        QVERIFY(window.lnsrsSeries1->data()->isEmpty());
        QVERIFY(window.pntsrsSeries1->data()->isEmpty());

        seam.shown.clear();
        importFile(window, seam, writeFile("gap.txt", "1\n2\n\n4\n"));
        QCOMPARE(seam.texts("warning"), QStringList{"'' is not a valid floating point value"});
        QCOMPARE(window.history().values, (std::vector<double>{1, 2}));
        QCOMPARE(window.lnsrsSeries1->data()->size(), 2);

        seam.shown.clear();
        importFile(window, seam, good, QStringLiteral("9"));
        QVERIFY(seam.texts("warning").isEmpty());
        QVERIFY(window.history().values.empty());
        QVERIFY(window.pntsrsSeries1->data()->isEmpty());
    }

    void plotsTheCheckedMaterialsInRegistryOrder() {
        ScriptedModalSeam seam;
        TForm1 window;
        define(window, "Steel01", "A");
        define(window, "ElasticPPMaterial", "B");
        define(window, "Steel01", "C", {250.0});
        check(window, 0);
        check(window, 2);
        importFile(window, seam, writeFile("h.txt", "0.001\n0.003\n-0.002\n"));
        window.btn3Click();
        QCOMPARE(window.loopCount(), 2);
        QCOMPARE(window.pointCount(), 3);
        QCOMPARE(window.cht1->plottableCount(), 4);
        QCOMPARE(window.cht1->plottable(0)->name(), QStringLiteral("A"));
        QCOMPARE(window.cht1->plottable(1)->name(), QStringLiteral("C"));
        auto* loopA = qobject_cast<LoopCurve*>(window.cht1->plottable(0));
        QVERIFY(loopA != nullptr);
        QCOMPARE(loopA->pointCount(), std::size_t(3));
        QCOMPARE(loopA->strainAt(0), 0.001);
        QCOMPARE(loopA->stressAt(0), 200.0);
        QCOMPARE(loopA->strainAt(2), -0.002);
        for (int p = 0; p < 2; ++p) {
            auto* marker = qobject_cast<QCPGraph*>(window.cht1->plottable(2 + p));
            QVERIFY(marker != nullptr);
            QCOMPARE(marker->data()->size(), 1);
            QCOMPARE(marker->pen().color(), window.cht1->plottable(p)->pen().color());
            QCOMPARE(marker->data()->at(0)->key, 0.001);
        }
        QVERIFY(window.cht1->plottable(0)->pen().color() != window.cht1->plottable(1)->pen().color());
        QCOMPARE(window.lastPlot().loops[1].stresses.front(), 200.0);

        // Nothing checked: an empty chart and zero counts.
        window.lst1->item(0)->setCheckState(Qt::Unchecked);
        window.lst1->item(2)->setCheckState(Qt::Unchecked);
        window.btn3Click();
        QCOMPARE(window.loopCount(), 0);
        QCOMPARE(window.pointCount(), 0);
        QCOMPARE(window.cht1->plottableCount(), 0);
    }

    void plotWithAnEmptyHistoryOnlyEmptiesTheChart() {
        ScriptedModalSeam seam;
        TForm1 window;
        define(window, "Steel01", "A");
        check(window, 0);
        importFile(window, seam, writeFile("h.txt", "0.001\n"));
        window.btn3Click();
        QCOMPARE(window.loopCount(), 1);
        importFile(window, seam, writeFile("empty.txt", ""));
        window.btn3Click();
        QCOMPARE(window.cht1->plottableCount(), 0);
        QCOMPARE(window.loopCount(), 0);
        QCOMPARE(window.pointCount(), 0);
    }

    void savesWhatTheLastPlotDrew() {
        ScriptedModalSeam seam;
        TForm1 window;
        define(window, "Steel01", "S01");
        define(window, "ElasticPPMaterial", "EPP");
        window.SelectAll1Click();
        importFile(window, seam, writeFile("h.txt", "0.000001\n0.002\n0.001\n"));
        window.btn3Click();
        QCOMPARE(window.loopCount(), 2);
        window.cht1->plottable(0)->setVisible(false); // hidden loops are still exported

        seam.saveAnswers.push_back(dir.filePath("out.txt"));
        window.btn4Click();
        QCOMPARE(seam.lastSaveFileName, QStringLiteral("Loops.csv"));
        QCOMPARE(seam.lastSaveFilter, QStringLiteral("csv (*.csv)"));
        QCOMPARE(seam.texts("information"), QStringList{"Export Done!"});
        QVERIFY(!QFile::exists(dir.filePath("out.txt")));
        QCOMPARE(readAll(dir.filePath("out.csv")),
                 QByteArray("Disp.,S01,EPP,\r\n1E-6,0.2,0.2,\r\n0.002,301,400,\r\n"
                            "0.001,101,200,\r\n"));

        // Cancelled: nothing written, nothing said.
        seam.shown.clear();
        window.btn4Click();
        QCOMPARE(seam.texts("information"), QStringList());

        // A folder that does not exist: the error box, no confirmation.
        seam.shown.clear();
        const QString bad = dir.filePath("no/such/folder/Loops.csv");
        seam.saveAnswers.push_back(bad);
        window.btn4Click();
        QCOMPARE(seam.texts("error"),
                 QStringList{"Cannot create file \"" + bad + "\". No such file or directory"});
        QCOMPARE(seam.texts("information"), QStringList());

        // After Clear All only the header remains.
        seam.shown.clear();
        window.clearAllMaterials();
        seam.saveAnswers.push_back(dir.filePath("empty.csv"));
        window.btn4Click();
        QCOMPARE(readAll(dir.filePath("empty.csv")), QByteArray("Disp.,\r\n"));
    }

    void startMarkersFollowTheirLoops() {
        ScriptedModalSeam seam;
        TForm1 window;
        define(window, "Steel01", "A");
        define(window, "Steel01", "B");
        window.SelectAll1Click();
        importFile(window, seam, writeFile("h.txt", "0.001\n0.002\n"));
        window.btn3Click();
        QCOMPARE(window.loopCount(), 2);
        window.cht1->plottable(0)->setVisible(false);
        window.cht1Click();
        QVERIFY(!window.cht1->plottable(2)->visible());
        QVERIFY(window.cht1->plottable(3)->visible());
    }

    void menusAndCheckList() {
        ScriptedModalSeam seam;
        TForm1 window;
        window.MenuItem1Click();
        window.MenuItem1Click();
        QVERIFY(window.cht1->yAxis->rangeReversed());
        QVERIFY(!window.cht1->xAxis->rangeReversed());
        window.MenuItem2Click();
        QVERIFY(window.cht1->xAxis->rangeReversed());
        window.ResetDefault1Click();
        QVERIFY(!window.cht1->xAxis->rangeReversed() && !window.cht1->yAxis->rangeReversed());
        window.InvertBothAxis1Click();
        QVERIFY(window.cht1->xAxis->rangeReversed() && window.cht1->yAxis->rangeReversed());
        window.MenuItem3Click();
        window.cht2->xAxis->setRangeReversed(true);
        window.MenuItem6Click();
        QVERIFY(!window.cht2->yAxis->rangeReversed());
        QVERIFY(window.cht2->xAxis->rangeReversed()); // only the left axis is reset

        for (const char* name : {"a", "b", "c"}) {
            window.addCheckListEntry(QString::fromLatin1(name));
        }
        check(window, 0);
        check(window, 2);
        window.InvertSelection1Click();
        QCOMPARE(window.lst1->item(0)->checkState(), Qt::Unchecked);
        QCOMPARE(window.lst1->item(1)->checkState(), Qt::Checked);
        QCOMPARE(window.lst1->item(2)->checkState(), Qt::Unchecked);
        window.SelectAll1Click();
        QCOMPARE(window.lst1->item(0)->checkState(), Qt::Checked);

        window.Howtouse1Click();
        window.rzfldsts2Click();
        QCOMPARE(seam.texts("url").size(), 2);
        QVERIFY(seam.texts("url").front().endsWith("LoopLab-Guide.html"));
    }

    void splitterReturnsTo35PercentOnResize() {
        ScriptedModalSeam seam;
        TForm1 window;
        window.show();
        window.rzspltr1->setSizes({50, 400});
        window.resize(1000, 700);
        QCoreApplication::processEvents();
        const QList<int> sizes = window.rzspltr1->sizes();
        const double share = double(sizes[0]) / double(sizes[0] + sizes[1]);
        QVERIFY2(std::abs(share - 0.35) < 0.02, qPrintable(QString::number(share)));
    }

    void animationNeverReachesWhatIsGone() {
        ScriptedModalSeam seam;
        TForm1 window;
        define(window, "Steel01", "A");
        check(window, 0);
        importFile(window, seam, writeFile("h.txt", "0.001\n0.002\n0.003\n0.004\n"));
        window.btn3Click();
        window.btn6Click();
        TForm17* animation = window.animationWindow();
        QVERIFY(animation != nullptr);
        QCOMPARE(animation->trckbr2->maximum(), 3);
        animation->trckbr2->setValue(3);
        auto* marker = qobject_cast<QCPGraph*>(window.cht1->plottable(1));
        QCOMPARE(marker->data()->at(0)->key, 0.004);
        QCOMPARE(window.pntsrsSeries1->data()->at(0)->key, 4.0);

        // A shorter history after the plot: the history marker stays within it.
        importFile(window, seam, writeFile("short.txt", "0.5\n"));
        animation->tmrModetmr1Timer();
        animation->tmrModetmr1Timer();
        QCOMPARE(window.pntsrsSeries1->data()->size(), 1);

        // Clear All while running: ticks go on and touch nothing.
        animation->btn3Click();
        window.clearAllMaterials();
        for (int i = 0; i < 5; ++i) {
            animation->tmrModetmr1Timer();
        }
        QCOMPARE(window.cht1->plottableCount(), 0);
        animation->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.animationWindow() == nullptr);
        window.btn6Click();
        QCOMPARE(window.animationWindow()->btn3->text(), QStringLiteral("Animate"));
        QCOMPARE(window.animationWindow()->trckbr1->value(), 8);
    }

    void wholeRoadMatchesTheBatchTool() {
        ScriptedModalSeam seam;
        TForm1 window;
        TForm2* manager = window.materialManager();
        window.btn2Click();
        QVERIFY(manager->isVisible());

        // Steel01 through its dialog with the defaults, then ElasticPPMaterial.
        seam.onDialog = [](QDialog* dialog) {
            dialog->findChild<QPushButton*>("btn1")->click();
            dialog->findChild<QPushButton*>("btn2")->click();
        };
        manager->cbb2->setCurrentIndex(0);
        manager->cbb1->setCurrentIndex(0);
        manager->btn2Click();
        manager->cbb2->setCurrentIndex(2);
        manager->cbb1->setCurrentIndex(0);
        manager->btn2Click();
        QCOMPARE(window.lst1->count(), 2);
        QCOMPARE(manager->lst1->count(), 2);
        QCOMPARE(window.lst1->item(0)->text(), QStringLiteral("S01"));
        QCOMPARE(window.lst1->item(1)->text(), QStringLiteral("EPP"));

        const QString history = writeFile(
            "road.txt", "0\n0.001\n0.0025\n0.004\n0.001\n-0.002\n-0.0045\n0.0\n0.003\n0.006\n");
        importFile(window, seam, history);
        window.SelectAll1Click();
        window.btn3Click();
        seam.saveAnswers.push_back(dir.filePath("Loops.csv"));
        window.btn4Click();
        QCOMPARE(seam.texts("information"), QStringList{"Export Done!"});

        QProcess batch;
        batch.setProcessEnvironment([] {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("LC_ALL", "C");
            return env;
        }());
        batch.start(QStringLiteral(LOOPLAB_BATCH_PATH),
                    {"--history", history, "--material", "Steel01 S01", "--material",
                     "ElasticPPMaterial EPP"});
        QVERIFY(batch.waitForFinished(20000));
        QCOMPARE(batch.exitCode(), 0);
        QCOMPARE(readAll(dir.filePath("Loops.csv")), batch.readAllStandardOutput());
    }
};

LOOPLAB_UI_TEST(MainWindowTest);
#include "test_MainWindow.moc"
