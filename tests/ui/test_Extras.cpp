// What an engineer uses to take loops into a report or a spreadsheet: chart images, the
// clipboard, dropping a history file, the keys, the read-out tooltips, the parameter help and
// the history generator.

#include "ScriptedModalSeam.h"
#include "UiTest.h"

#include "core/LoopExport.h"
#include "materials/Catalogue.h"
#include "ui/DialogTable.h"
#include "ui/HistoryGeneratorDialog.h"
#include "ui/LoopLabChart.h"
#include "ui/MaterialDialog.h"
#include "ui/MaterialManager.h"
#include "ui/Unit1.h"
#include "ui/UserGuide.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include <algorithm>
#include <random>

using namespace looplab;
using looplab::test::ScriptedModalSeam;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void define(TForm1& window, const char* className, const char* name) {
    const ModelEntry* model = findModel(className);
    ParameterValues values;
    for (const ParameterSpec& p : model->parameters) {
        values.push_back(std::stod(std::string(p.defaultText)));
    }
    auto material = model->factory(0, values);
    material->name = name;
    window.appendMaterial(std::move(material));
    window.addCheckListEntry(QString::fromLatin1(name));
}

// Share of the pixels within `area` that differ clearly (by more than antialiasing and
// gradient dithering do) between two images of the same size.
double differingShare(const QImage& a, const QImage& b, const QRect& area) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    if (x.size() != y.size()) {
        return 1.0;
    }
    const QRect r = area & x.rect();
    qint64 differ = 0;
    for (int row = r.top(); row <= r.bottom(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = r.left(); col <= r.right(); ++col) {
            const int d = std::max({std::abs(qRed(p[col]) - qRed(q[col])),
                                    std::abs(qGreen(p[col]) - qGreen(q[col])),
                                    std::abs(qBlue(p[col]) - qBlue(q[col]))});
            differ += d > 40 ? 1 : 0;
        }
    }
    return double(differ) / double(qint64(r.width()) * r.height());
}

// Sets the size dialog's fields and presses OK, or cancels it.
std::function<void(QDialog*)> answerSize(int width, int height, bool ok = true) {
    return [=](QDialog* dialog) {
        if (auto* size = qobject_cast<ChartImageSizeDialog*>(dialog)) {
            size->spnWidth->setValue(width);
            size->spnHeight->setValue(height);
        }
        ok ? dialog->accept() : dialog->reject();
    };
}

void dropUrls(TForm1& window, const QList<QUrl>& urls, bool* entered = nullptr) {
    QMimeData mime;
    mime.setUrls(urls);
    const QPoint at = window.rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    if (entered != nullptr) {
        *entered = enter.isAccepted();
    }
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
    QCoreApplication::processEvents(); // the import runs once the drop has ended
}

QString pushField(QDialog* dialog, const char* name, const QString& text) {
    auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
    if (edit == nullptr) {
        return QStringLiteral("no field ") + name;
    }
    edit->setText(text);
    return {};
}

} // namespace

class ExtrasTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString writeFile(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }

    // Two materials plotted through a short history, the window shown and laid out.
    void plotTwo(TForm1& window, ScriptedModalSeam& seam, const QByteArray& history) {
        define(window, "Steel01", "A");
        define(window, "ElasticPPMaterial", "B");
        window.SelectAll1Click();
        seam.inputAnswers.push_back(QStringLiteral("1"));
        seam.openAnswers.push_back(writeFile("h.txt", history));
        window.btn1Click();
        window.btn3Click();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.cht1->replot();
        window.cht2->replot();
    }

    static QPoint pixelOf(LoopLabChart* chart, double x, double y) {
        return QPoint(qRound(chart->xAxis->coordToPixel(x)), qRound(chart->yAxis->coordToPixel(y)));
    }

  private slots:
    void initTestCase() {
        qputenv("LC_ALL", "C");
        QVERIFY(dir.isValid());
    }

    void menusOfferTheNewActionsWithTheirKeys() {
        ScriptedModalSeam seam;
        TForm1 window;
        QStringList file;
        for (QAction* a : window.mm1->actions().front()->menu()->actions()) {
            file << a->text() + "|" + a->shortcut().toString();
        }
        QCOMPARE(file,
                 (QStringList{"Import Deformation History|Ctrl+O", "Generate Deformation History…|",
                              "Save Loops|Ctrl+S", "Save Chart Image…|"}));
        QVERIFY(window.pm1->actions().contains(window.actSelectAll));
        QCOMPARE(window.actSelectAll->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
        QVERIFY(window.pm2->actions().contains(window.actCopyLoops));
        QCOMPARE(window.actCopyLoops->shortcut(), QKeySequence(QStringLiteral("Ctrl+C")));
        QVERIFY(window.pm2->actions().contains(window.actSaveLoopChartImage));
        QVERIFY(window.pm3->actions().contains(window.actSaveHistoryChartImage));
        QCOMPARE(window.actPlotLoops->shortcut(), QKeySequence(Qt::Key_F5));
        QCOMPARE(window.actMaterialManager->shortcut(), QKeySequence(QStringLiteral("Ctrl+M")));
        // Buttons without a menu item show their key in the tooltip.
        QCOMPARE(window.btn3->toolTip(), QStringLiteral("Plot Loops (F5)"));
        QCOMPARE(window.btn2->toolTip(), QStringLiteral("Material Manager (Ctrl+M)"));
    }

    void eachKeyReachesItsAction() {
        ScriptedModalSeam seam;
        TForm1 window;
        define(window, "Steel01", "A");
        define(window, "Steel01", "B");
        seam.inputAnswers.push_back(QStringLiteral("1"));
        seam.openAnswers.push_back(writeFile("keys.txt", "0.001\n0.002\n"));
        window.btn1Click();
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.lst1->setFocus();

        QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(window.lst1->item(0)->checkState(), Qt::Checked);
        QCOMPARE(window.lst1->item(1)->checkState(), Qt::Checked);

        QTest::keyClick(&window, Qt::Key_F5);
        QCOMPARE(window.loopCount(), 2);

        QGuiApplication::clipboard()->clear();
        QTest::keyClick(&window, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QGuiApplication::clipboard()->text().startsWith("Disp.\tA\tB\t\r\n"));

        seam.shown.clear();
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier); // save dialog, cancelled
        QCOMPARE(seam.texts("save"), QStringList{"Loops.csv"});

        seam.shown.clear();
        QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier); // first-line box, then open
        QCOMPARE(seam.texts("input").size(), 1);
        QCOMPARE(seam.texts("open").size(), 1);

        QVERIFY(!window.materialManager()->isVisible());
        QTest::keyClick(&window, Qt::Key_M, Qt::ControlModifier);
        QVERIFY(window.materialManager()->isVisible());
    }

    void copyLoopsPutsTheSaveLoopsTableWithTabs() {
        ScriptedModalSeam seam;
        TForm1 window;
        plotTwo(window, seam, "0.000001\n0.002\n0.001\n-0.0035\n");
        seam.saveAnswers.push_back(dir.filePath("copy.csv"));
        window.btn4Click();
        QByteArray csv = readAll(dir.filePath("copy.csv"));
        QVERIFY(csv.startsWith("Disp.,A,B,\r\n"));
        csv.replace(',', '\t');
        window.CopyLoops1Click();
        QCOMPARE(QGuiApplication::clipboard()->text().toLatin1(), csv);
        QCOMPARE(QGuiApplication::clipboard()->text().count('\n'), 5);

        // Nothing plotted: the header alone, as Save Loops writes it.
        window.clearAllMaterials();
        window.CopyLoops1Click();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Disp.\t\r\n"));
    }

    void chartImagesAsTheChartShowsIt() {
        ScriptedModalSeam seam;
        TForm1 window;
        plotTwo(window, seam, "0\n0.001\n0.003\n-0.002\n-0.004\n0.001\n");
        window.InvertBothAxis1Click();
        window.cht1->plottable(1)->setVisible(false);
        window.cht1Click();
        window.cht1->xAxis->scaleRange(0.5); // zoomed in
        window.cht1->replot();

        // At the chart's own size the picture is what the screen shows.
        const QSize onScreen = window.cht1->size();
        seam.saveAnswers.push_back(dir.filePath("same.png"));
        seam.onDialog = answerSize(onScreen.width(), onScreen.height());
        window.SaveChartImage1Click();
        const QImage same(dir.filePath("same.png"));
        QCOMPARE(same.size(), onScreen);
        // The plot area, with its lines, markers and legend; the tick labels may land a pixel
        // apart, since the screen draws them from cached pictures.
        const QRect plotArea = window.cht1->axisRect()->rect();
        const double share = differingShare(same, window.cht1->grab().toImage(), plotArea);
        QVERIFY2(share < 0.0005, qPrintable(QString::number(share)));

        // The comparison sees the view: with the axes back, the screen no longer matches.
        window.ResetDefault1Click();
        QVERIFY(differingShare(same, window.cht1->grab().toImage(), plotArea) > 0.01);

        // The chosen size; no or another extension gives a PNG.
        seam.saveAnswers.push_back(dir.filePath("big"));
        seam.onDialog = answerSize(1600, 900);
        window.SaveChartImage1Click();
        QCOMPARE(QImage(dir.filePath("big.png")).size(), QSize(1600, 900));

        seam.saveAnswers.push_back(dir.filePath("history.PNG"));
        seam.onDialog = answerSize(500, 200);
        window.SaveChartImage2Click();
        QCOMPARE(QImage(dir.filePath("history.PNG")).size(), QSize(500, 200));
        QCOMPARE(seam.lastSaveFileName, QStringLiteral("History.png"));

        // PDF: a vector document.
        seam.saveAnswers.push_back(dir.filePath("loops.pdf"));
        seam.onDialog = answerSize(800, 500);
        window.SaveChartImage1Click();
        const QByteArray pdf = readAll(dir.filePath("loops.pdf"));
        QVERIFY(pdf.startsWith("%PDF-"));
        QVERIFY(pdf.contains("%%EOF"));
        QCOMPARE(seam.lastSaveFilter, QStringLiteral("PNG image (*.png);;PDF document (*.pdf)"));
        QVERIFY(seam.texts("error").isEmpty());

        // Cancelling the size writes nothing; a folder that does not exist is reported.
        seam.saveAnswers.push_back(dir.filePath("cancelled.png"));
        seam.onDialog = answerSize(100, 100, false);
        window.SaveChartImage1Click();
        QVERIFY(!QFile::exists(dir.filePath("cancelled.png")));
        const QString bad = dir.filePath("no/such/folder/x.png");
        seam.saveAnswers.push_back(bad);
        seam.onDialog = answerSize(100, 100);
        window.SaveChartImage1Click();
        QCOMPARE(seam.texts("error"),
                 QStringList{"Cannot create file \"" + bad + "\". No such file or directory"});
    }

    void droppingOneFileImportsIt() {
        ScriptedModalSeam seam;
        TForm1 window;
        const QString path = writeFile("dropped.txt", "strain\n0.001\n-0.002\n");
        seam.inputAnswers.push_back(QStringLiteral("2"));
        bool entered = false;
        dropUrls(window, {QUrl::fromLocalFile(path)}, &entered);
        QVERIFY(entered);
        QCOMPARE(seam.texts("input"), QStringList{"First Line of Data|First Line: |1"});
        QVERIFY(seam.texts("open").isEmpty()); // the dropped file, no open dialog
        QCOMPARE(window.history().values, (std::vector<double>{0.001, -0.002}));
        QCOMPARE(window.lnsrsSeries1->data()->size(), 2);
        QCOMPARE(window.pntsrsSeries1->data()->at(0)->value, 0.001);

        // Every message of the Import: a bad first line stops it, a bad line is reported.
        seam.shown.clear();
        seam.inputAnswers.push_back(QStringLiteral("0"));
        dropUrls(window, {QUrl::fromLocalFile(path)});
        QCOMPARE(seam.texts("warning"), QStringList{"First Line must be greater than 0!"});
        QCOMPARE(window.history().values.size(), std::size_t(2));
        seam.shown.clear();
        seam.inputAnswers.push_back(QStringLiteral("1"));
        dropUrls(window, {QUrl::fromLocalFile(path)});
        QCOMPARE(seam.texts("warning"),
                 QStringList{"'strain' is not a valid floating point value"});
        QVERIFY(window.history().values.empty());

        // Several files, a folder, a web address: one history file is expected.
        const QString message = "Drop one history file: a text file with one strain per line.";
        for (const QList<QUrl>& urls :
             {QList<QUrl>{QUrl::fromLocalFile(path), QUrl::fromLocalFile(path)},
              QList<QUrl>{QUrl::fromLocalFile(dir.path())},
              QList<QUrl>{QUrl(QStringLiteral("https://example.org/h.txt"))}}) {
            seam.shown.clear();
            dropUrls(window, urls);
            QCOMPARE(seam.texts("warning"), QStringList{message});
            QVERIFY(seam.texts("input").isEmpty());
        }
    }

    void readoutNamesTheNearestPoint() {
        ScriptedModalSeam seam;
        TForm1 window;
        window.resize(1000, 700);
        plotTwo(window, seam, "0.001\n0.003\n-0.002\n");
        // Steel01 A at step 2: strain 0.003, stress 300 + 0.01·200000·(0.003 − 0.0015).
        const double stressA = window.lastPlot().loops[0].stresses[1];
        const QPoint atA = pixelOf(window.cht1, 0.003, stressA) + QPoint(3, -2);
        const QString expected =
            "A\nStep: 2\nStrain: 0.003\nStress: " + QString::number(stressA, 'g', 15);
        QCOMPARE(window.loopReadoutText(atA), expected);
        QVERIFY(window.loopReadoutText(QPoint(2, 2)).isEmpty()); // far from every point

        // A hidden loop is not read out: B's point at the same strain answers instead, or none.
        window.cht1->plottable(0)->setVisible(false);
        const QString hidden = window.loopReadoutText(atA);
        QVERIFY2(!hidden.startsWith("A\n"), qPrintable(hidden));
        window.cht1->plottable(0)->setVisible(true);

        // The history chart: step and strain.
        const QPoint atStep3 = pixelOf(window.cht2, 3.0, -0.002);
        QCOMPARE(window.historyReadoutText(atStep3), QStringLiteral("Step: 3\nStrain: -0.002"));
        QVERIFY(window.historyReadoutText(QPoint(1, 1)).isEmpty());

        // Resting the mouse there shows it as a tooltip.
        QTest::mouseMove(window.cht1, atA);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), expected);
        QToolTip::hideText();
    }

    void readoutSearchAgreesWithTheFullScan() {
        // A long noisy loop with gaps, on a zoomed chart with an inverted axis.
        LoopLabChart chart;
        chart.resize(700, 500);
        auto strains = std::make_shared<std::vector<double>>();
        auto stresses = std::make_shared<std::vector<double>>();
        std::mt19937 random(7);
        std::normal_distribution<double> noise(0.0, 1.0);
        for (int i = 0; i < 200000; ++i) {
            const double e = 0.01 * std::sin(i * 0.0013) * (1 + i / 100000.0);
            strains->push_back(e);
            stresses->push_back(i % 9973 == 0 ? std::nan("") : 3.0e4 * e + 5.0 * noise(random));
        }
        LoopCurve* curve = chart.addLoopCurve("L", LoopCurve::Values(strains),
                                              LoopCurve::Values(stresses), chart.nextColor());
        chart.fullView();
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        std::uniform_real_distribution<double> x(0, 700), y(0, 500);
        for (int view = 0; view < 2; ++view) {
            if (view == 1) {
                chart.yAxis->setRangeReversed(true);
                chart.xAxis->scaleRange(0.1);
            }
            chart.replot();
            int near = 0;
            std::uniform_int_distribution<std::size_t> point(0, strains->size() - 1);
            std::uniform_real_distribution<double> offset(-16.0, 16.0);
            for (int probe = 0; probe < 400; ++probe) {
                // Half anywhere, half close to a point of the loop.
                QPointF pixel(x(random), y(random));
                if (probe % 2 == 1) {
                    const std::size_t i = point(random);
                    pixel = QPointF(chart.xAxis->coordToPixel((*strains)[i]) + offset(random),
                                    chart.yAxis->coordToPixel((*stresses)[i]) + offset(random));
                }
                double fullDistance = 0.0;
                const std::size_t full = curve->nearestPoint(pixel, &fullDistance);
                const LoopLabChart::NearestPoint found =
                    chart.nearestLoopPoint(pixel, LoopLabChart::readoutRadius);
                if (fullDistance <= LoopLabChart::readoutRadius) {
                    ++near;
                    QVERIFY(found.curve == curve);
                    QCOMPARE(found.index, full);
                } else {
                    QVERIFY(found.curve == nullptr);
                }
            }
            QVERIFY2(near > 100, qPrintable(QString::number(near))); // the probes did hit it
        }
    }

    void dialogFieldsExplainTheirParameter() {
        ScriptedModalSeam seam;
        TForm1 window;
        const QString guide = userGuideHtml();
        for (const DialogTable& table : dialogTables()) {
            MaterialDialog dialog(table, &window, nullptr);
            const ModelEntry* model = findModel(table.className);
            for (std::size_t i = 0; i < table.fields.size(); ++i) {
                const ParameterSpec* parameter = nullptr;
                for (const ParameterSpec& p : model->parameters) {
                    parameter = p.name == table.fields[i].parameter ? &p : parameter;
                }
                QVERIFY(parameter != nullptr);
                const QString context = QString::fromUtf8(table.className.data()) + " " +
                                        QString::fromUtf8(parameter->name.data());
                QVERIFY2(parameter->description.size() > 8, qPrintable(context));
                const QString help = QString::fromStdString(parameterHelpText(*parameter));
                QCOMPARE(dialog.parameterFields()[i]->toolTip(), help);
                QVERIFY2(
                    guide.contains(
                        QString::fromStdString(std::string(parameter->description)).toHtmlEscaped()),
                    qPrintable(context));
            }
        }
        MaterialDialog steel01(*dialogTableFor("Steel01"), &window, nullptr);
        QCOMPARE(steel01.findChild<QLineEdit*>("edt2")->toolTip(),
                 QStringLiteral("Yield stress.\nUnit role: stress"));
        QCOMPARE(steel01.findChild<QLabel*>("lbl3")->toolTip(),
                 QStringLiteral("Initial elastic modulus.\nUnit role: modulus"));
        MaterialDialog gap(*dialogTableFor("EPPGapMaterial"), &window, nullptr);
        QVERIFY(gap.findChild<QLineEdit*>("edt4")->toolTip().endsWith("Unit role: switch"));
    }

    void generatorInstallsItsHistoryAsAnImportWould() {
        ScriptedModalSeam seam;
        TForm1 window;
        seam.inputAnswers.push_back(QStringLiteral("1"));
        seam.openAnswers.push_back(writeFile("old.txt", "0.5\n0.6\n"));
        window.btn1Click();

        seam.onDialog = [](QDialog* dialog) {
            QCOMPARE(pushField(dialog, "edtAmplitudes", "0.001; 0.002"), QString());
            QCOMPARE(pushField(dialog, "edtCycles", "2"), QString());
            QCOMPARE(pushField(dialog, "edtQuarterSteps", "5"), QString());
            dialog->findChild<QComboBox*>("cbbDirection")->setCurrentIndex(0);
            QVERIFY(dialog->findChild<QLabel*>("lblSummary")->text().startsWith("81 steps"));
            dialog->findChild<QPushButton*>("btnOk")->click();
        };
        window.GenerateHistory1Click();
        QCOMPARE(seam.texts("dialog"), QStringList{"HistoryGeneratorDialog"});
        const std::vector<double>& h = window.history().values;
        QCOMPARE(h.size(), std::size_t(1 + 2 * 2 * 4 * 5));
        QCOMPARE(*std::max_element(h.begin(), h.end()), 0.002);
        QCOMPARE(*std::min_element(h.begin(), h.end()), -0.002);
        QCOMPARE(h[5], 0.001);
        QCOMPARE(h[15], -0.001);
        QCOMPARE(window.lnsrsSeries1->data()->size(), int(h.size()));
        QCOMPARE(window.lnsrsSeries1->data()->at(5)->value, 0.001);
        QCOMPARE(window.pntsrsSeries1->data()->size(), 1);
        QCOMPARE(window.pntsrsSeries1->data()->at(0)->key, 1.0);
        QCOMPARE(window.pntsrsSeries1->data()->at(0)->value, 0.0);

        // The ramp, compression.
        seam.onDialog = [](QDialog* dialog) {
            dialog->findChild<QRadioButton*>("rbRamp")->setChecked(true);
            QCOMPARE(pushField(dialog, "edtTarget", "-0.004"), QString());
            QCOMPARE(pushField(dialog, "edtRampSteps", "8"), QString());
            dialog->findChild<QPushButton*>("btnOk")->click();
        };
        window.GenerateHistory1Click();
        QCOMPARE(window.history().values.size(), std::size_t(9));
        QCOMPARE(window.history().values.back(), -0.004);
        QCOMPARE(window.history().values[4], -0.002);
        QVERIFY(seam.texts("warning").isEmpty());
    }

    void generatorRefusesBadEntriesAndReplacesNothing() {
        ScriptedModalSeam seam;
        TForm1 window;
        seam.inputAnswers.push_back(QStringLiteral("1"));
        seam.openAnswers.push_back(writeFile("keep.txt", "0.5\n0.6\n"));
        window.btn1Click();
        const std::vector<double> before = window.history().values;

        struct Case {
            const char* field;
            const char* text;
            bool ramp;
            QString message;
        };
        const Case cases[] = {
            {"edtAmplitudes", "0.001 x", false, "'x' is not a valid floating point value"},
            {"edtAmplitudes", "", false, "Enter at least one amplitude."},
            {"edtAmplitudes", "-0.001", false,
             "Amplitude -0.001 is refused: an amplitude is a peak magnitude and must be greater "
             "than 0."},
            {"edtCycles", "0", false, "Cycles per amplitude must be at least 1."},
            {"edtQuarterSteps", "2.5", false, "''2.5'' is not a valid integer value"},
            {"edtQuarterSteps", "9999999", false,
             "The history would have 239999977 steps; at most 10000000 can be generated."},
            {"edtTarget", "0", true, "The target strain must not be 0."},
            {"edtRampSteps", "", true, "'''' is not a valid integer value"},
        };
        for (const Case& c : cases) {
            seam.shown.clear();
            bool stayedOpen = false;
            QString summary;
            seam.onDialog = [&](QDialog* dialog) {
                if (c.ramp) {
                    dialog->findChild<QRadioButton*>("rbRamp")->setChecked(true);
                }
                QCOMPARE(pushField(dialog, c.field, QString::fromUtf8(c.text)), QString());
                summary = dialog->findChild<QLabel*>("lblSummary")->text();
                dialog->findChild<QPushButton*>("btnOk")->click();
                stayedOpen = dialog->isVisible();
                dialog->findChild<QPushButton*>("btnSave")->click(); // refused as well
                dialog->findChild<QPushButton*>("btnCancel")->click();
            };
            window.GenerateHistory1Click();
            QCOMPARE(seam.texts("warning"), (QStringList{c.message, c.message}));
            QVERIFY(seam.texts("save").isEmpty());
            QVERIFY2(stayedOpen, c.text);
            QCOMPARE(summary, c.message); // also named under the preview
            QCOMPARE(window.history().values, before);
            QCOMPARE(window.lnsrsSeries1->data()->size(), 2);
        }

        // Cancel after a valid entry: nothing replaced either.
        seam.onDialog = [](QDialog* dialog) {
            dialog->findChild<QPushButton*>("btnCancel")->click();
        };
        window.GenerateHistory1Click();
        QCOMPARE(window.history().values, before);
    }

    void generatorSavesAFileThatImportsToTheSameValues() {
        ScriptedModalSeam seam;
        TForm1 window;
        std::vector<double> generated;
        const QString path = dir.filePath("generated.txt");
        seam.saveAnswers.push_back(path);
        seam.onDialog = [&](QDialog* dialog) {
            QCOMPARE(pushField(dialog, "edtAmplitudes", "0.0007 0.0013 0.01"), QString());
            QCOMPARE(pushField(dialog, "edtCycles", "3"), QString());
            QCOMPARE(pushField(dialog, "edtQuarterSteps", "7"), QString());
            dialog->findChild<QComboBox*>("cbbDirection")->setCurrentIndex(1); // compression
            dialog->findChild<QPushButton*>("btnSave")->click();
            dialog->findChild<QPushButton*>("btnOk")->click();
            generated = static_cast<HistoryGeneratorDialog*>(dialog)->history();
        };
        window.GenerateHistory1Click();
        QCOMPARE(seam.lastSaveFileName, QStringLiteral("History.txt"));
        QCOMPARE(generated.size(), std::size_t(1 + 3 * 3 * 2 * 7));
        QCOMPARE(*std::max_element(generated.begin(), generated.end()), 0.0);
        QCOMPARE(*std::min_element(generated.begin(), generated.end()), -0.01);
        QCOMPARE(window.history().values, generated);

        seam.inputAnswers.push_back(QStringLiteral("1"));
        seam.openAnswers.push_back(path);
        window.btn1Click();
        QVERIFY(seam.texts("warning").isEmpty());
        const std::vector<double>& imported = window.history().values;
        QCOMPARE(imported.size(), generated.size());
        for (std::size_t i = 0; i < generated.size(); ++i) {
            QVERIFY2(std::memcmp(&imported[i], &generated[i], sizeof(double)) == 0,
                     qPrintable(QString::number(i)));
        }

        // A file that cannot be created is reported in the dialog's error box.
        const QString bad = dir.filePath("no/such/folder/h.txt");
        seam.shown.clear();
        seam.saveAnswers.push_back(bad);
        seam.onDialog = [](QDialog* dialog) {
            dialog->findChild<QPushButton*>("btnSave")->click();
            dialog->findChild<QPushButton*>("btnCancel")->click();
        };
        window.GenerateHistory1Click();
        QCOMPARE(seam.texts("error"),
                 QStringList{"Cannot create file \"" + bad + "\". No such file or directory"});
    }
};

LOOPLAB_UI_TEST(ExtrasTest);
#include "test_Extras.moc"
