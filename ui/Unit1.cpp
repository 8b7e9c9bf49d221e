#include "ui/Unit1.h"

#include "core/HistoryFile.h"
#include "core/LoopExport.h"
#include "core/NumberText.h"
#include "ui/AboutForm.h"
#include "ui/AnimationForm.h"
#include "ui/HistoryGeneratorDialog.h"
#include "ui/LoopLabChart.h"
#include "ui/MaterialManager.h"
#include "ui/ModalSeam.h"
#include "ui/UserGuide.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include <cmath>

namespace looplab {

namespace {

constexpr int buttonWidth = 194;
constexpr double upperPaneShare = 0.35;

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

// The history line is blue; so is its start marker.
const QColor historyColor(0, 0, 255);

const char* const dropOneFileMessage =
    "Drop one history file: a text file with one strain per line.";

QString numberText(double value) {
    return QString::fromStdString(formatNumber(value, systemDecimalSeparator()));
}

QString withShortcut(const QString& text, const QAction* action) {
    return text + " (" + action->shortcut().toString(QKeySequence::NativeText) + ")";
}

} // namespace

ChartImageSizeDialog::ChartImageSizeDialog(const QSize& initial, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ChartImageSizeDialog"));
    setWindowTitle(QStringLiteral("Save Chart Image"));
    auto* form = new QFormLayout(this);
    auto makeSpin = [&](QSpinBox*& spin, const char* name, int value) {
        spin = new QSpinBox(this);
        spin->setObjectName(QString::fromLatin1(name));
        spin->setRange(16, 10000);
        spin->setValue(std::clamp(value, 16, 10000));
        spin->setSuffix(QStringLiteral(" px"));
    };
    makeSpin(spnWidth, "spnWidth", initial.width());
    makeSpin(spnHeight, "spnHeight", initial.height());
    form->addRow(QStringLiteral("Width:"), spnWidth);
    form->addRow(QStringLiteral("Height:"), spnHeight);
    form->addRow(new QLabel(QStringLiteral("A PDF page gets the same size in points."), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QSize ChartImageSizeDialog::imageSize() const {
    return QSize(spnWidth->value(), spnHeight->value());
}

void StatusField::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    emit clicked();
}

void StatusField::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    emit hovered();
}

void StatusField::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    emit left();
}

QString TForm1::programFolder() { return QCoreApplication::applicationDirPath(); }

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("LoopLab — uniaxial material loops"));
    histories.push_back(std::make_unique<DispHistory>());
    dlgOpen1.initialFolder = programFolder();
    dlgSave1.initialFolder = programFolder();
    dlgSave1.filter = QStringLiteral("csv (*.csv)");
    dlgSave1.fileName = QStringLiteral("Loops.csv");
    dlgSaveImage.initialFolder = programFolder();
    dlgSaveImage.filter = QStringLiteral("PNG image (*.png);;PDF document (*.pdf)");

    buildControls();
    buildCharts();
    buildMenus();
    buildStatusBar();
    setAcceptDrops(true);

    resize(826, 499 + menuBar()->sizeHint().height() + rzstsbr2->height());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    manager = new TForm2(this, this);
}

TForm1::~TForm1() {
    if (animation) {
        delete animation.data();
    }
    selectedMaterials.clear();
    registry.clear();
    histories.clear();
}

void TForm1::buildControls() {
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(6, 6, 6, 6);
    auto* column = new QVBoxLayout;
    row->addLayout(column);

    auto makeButton = [&](QPushButton*& button, const char* name, const QString& caption) {
        button = new QPushButton(caption, central);
        button->setObjectName(QString::fromLatin1(name));
        button->setFixedWidth(buttonWidth);
        column->addWidget(button);
    };
    makeButton(btn2, "btn2", QStringLiteral("Material Manager"));
    makeButton(btn1, "btn1", QStringLiteral("Import Deformation History"));

    grp3 = new QGroupBox(QStringLiteral("Tested Materials"), central);
    grp3->setObjectName(QStringLiteral("grp3"));
    grp3->setFixedWidth(buttonWidth);
    auto* listLayout = new QVBoxLayout(grp3);
    lst1 = new QListWidget(grp3);
    lst1->setObjectName(QStringLiteral("lst1"));
    lst1->setContextMenuPolicy(Qt::CustomContextMenu);
    listLayout->addWidget(lst1);
    column->addWidget(grp3, 1);

    makeButton(btn3, "btn3", QStringLiteral("Plot Loops"));
    makeButton(btn6, "btn6", QStringLiteral("Animate"));
    makeButton(btn4, "btn4", QStringLiteral("Save Loops"));
    makeButton(btn5, "btn5", QStringLiteral("Close"));

    rzspltr1 = new QSplitter(Qt::Vertical, central);
    rzspltr1->setObjectName(QStringLiteral("rzspltr1"));
    rzspltr1->setChildrenCollapsible(false);
    rzspltr1->installEventFilter(this);
    grp1 = new QGroupBox(QStringLiteral("Deformation History"), rzspltr1);
    grp1->setObjectName(QStringLiteral("grp1"));
    grp2 = new QGroupBox(QStringLiteral("F-D Loops"), rzspltr1);
    grp2->setObjectName(QStringLiteral("grp2"));
    rzspltr1->addWidget(grp1);
    rzspltr1->addWidget(grp2);
    row->addWidget(rzspltr1, 1);
    setCentralWidget(central);

    connect(btn1, &QPushButton::clicked, this, &TForm1::btn1Click);
    connect(btn2, &QPushButton::clicked, this, &TForm1::btn2Click);
    connect(btn3, &QPushButton::clicked, this, &TForm1::btn3Click);
    connect(btn4, &QPushButton::clicked, this, &TForm1::btn4Click);
    connect(btn5, &QPushButton::clicked, this, &TForm1::btn5Click);
    connect(btn6, &QPushButton::clicked, this, &TForm1::btn6Click);
}

void TForm1::buildCharts() {
    auto place = [](QGroupBox* group, LoopLabChart* chart) {
        auto* layout = new QVBoxLayout(group);
        layout->setContentsMargins(4, 4, 4, 4);
        layout->addWidget(chart);
    };
    cht2 = new LoopLabChart(grp1);
    cht2->setObjectName(QStringLiteral("cht2"));
    cht2->setAxisTitles(QStringLiteral("Step"), QStringLiteral("Deformation/Strain"));
    cht2->setLabelDecimals(7, 8);
    cht2->setContextMenuPolicy(Qt::CustomContextMenu);
    place(grp1, cht2);

    cht1 = new LoopLabChart(grp2);
    cht1->setObjectName(QStringLiteral("cht1"));
    cht1->setAxisTitles(QStringLiteral("Deformation / Strain"), QStringLiteral("Force /  Stress"));
    cht1->setLabelDecimals(7, -1);
    cht1->setContextMenuPolicy(Qt::CustomContextMenu);
    place(grp2, cht1);
    connect(cht1, &LoopLabChart::chartClicked, this, &TForm1::cht1Click);
    cht1->setReadoutProvider([this](const QPoint& pixel) { return loopReadoutText(pixel); });
    cht2->setReadoutProvider([this](const QPoint& pixel) { return historyReadoutText(pixel); });

    // The history line and its start marker exist from the start.
    lnsrsSeries1 = new QCPGraph(cht2->xAxis, cht2->yAxis);
    lnsrsSeries1->setObjectName(QStringLiteral("lnsrsSeries1"));
    lnsrsSeries1->setName(QStringLiteral("Disp"));
    lnsrsSeries1->setProperty("title", QStringLiteral("DispHistory"));
    lnsrsSeries1->setPen(QPen(historyColor, 1));
    cht2->addToLegend(lnsrsSeries1);
    pntsrsSeries1 = new QCPGraph(cht2->xAxis, cht2->yAxis);
    pntsrsSeries1->setObjectName(QStringLiteral("pntsrsSeries1"));
    pntsrsSeries1->removeFromLegend();
    pntsrsSeries1->setLayer(cht2->markerLayer());
    pntsrsSeries1->setLineStyle(QCPGraph::lsNone);
    pntsrsSeries1->setPen(QPen(historyColor, 1));
    pntsrsSeries1->setScatterStyle(
        QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(historyColor, 1), QBrush(historyColor), 5));
}

void TForm1::buildMenus() {
    mm1 = menuBar();
    mm1->setObjectName(QStringLiteral("mm1"));
    auto name = [](QAction* action, const char* objectName, const QKeySequence& keys = {}) {
        action->setObjectName(QString::fromLatin1(objectName));
        action->setShortcut(keys);
        return action;
    };
    QMenu* file = mm1->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("File1"));
    actImport = name(
        file->addAction(QStringLiteral("Import Deformation History"), this, &TForm1::btn1Click),
        "actImport", QKeySequence(Qt::CTRL | Qt::Key_O));
    actGenerate = name(file->addAction(QStringLiteral("Generate Deformation History…"), this,
                                       &TForm1::GenerateHistory1Click),
                       "actGenerate");
    actSaveLoops = name(file->addAction(QStringLiteral("Save Loops"), this, &TForm1::btn4Click),
                        "actSaveLoops", QKeySequence(Qt::CTRL | Qt::Key_S));
    actSaveLoopChartImage = name(
        file->addAction(QStringLiteral("Save Chart Image…"), this, &TForm1::SaveChartImage1Click),
        "actSaveLoopChartImage");
    QMenu* help = mm1->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help1"));
    help->addAction(QStringLiteral("About"), this, &TForm1::About2Click);
    help->addAction(QStringLiteral("How to use?"), this, &TForm1::Howtouse1Click);

    pm1 = new QMenu(this);
    pm1->setObjectName(QStringLiteral("pm1"));
    actSelectAll =
        name(pm1->addAction(QStringLiteral("Select All"), this, &TForm1::SelectAll1Click),
             "actSelectAll", QKeySequence(Qt::CTRL | Qt::Key_A));
    pm1->addAction(QStringLiteral("Invert Selection"), this, &TForm1::InvertSelection1Click);
    connect(lst1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { pm1->popup(lst1->mapToGlobal(at)); });

    pm2 = new QMenu(this);
    pm2->setObjectName(QStringLiteral("pm2"));
    pm2->addAction(QStringLiteral("Invert Left Axis"), this, &TForm1::MenuItem1Click);
    pm2->addAction(QStringLiteral("Invert Botttom Axis"), this, &TForm1::MenuItem2Click);
    pm2->addAction(QStringLiteral("Invert Both Axis"), this, &TForm1::InvertBothAxis1Click);
    pm2->addAction(QStringLiteral("Reset Default"), this, &TForm1::ResetDefault1Click);
    actCopyLoops =
        name(pm2->addAction(QStringLiteral("Copy Loops"), this, &TForm1::CopyLoops1Click),
             "actCopyLoops", QKeySequence(Qt::CTRL | Qt::Key_C));
    pm2->addAction(actSaveLoopChartImage);
    connect(cht1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { pm2->popup(cht1->mapToGlobal(at)); });

    pm3 = new QMenu(this);
    pm3->setObjectName(QStringLiteral("pm3"));
    pm3->addAction(QStringLiteral("Invert Left Axis"), this, &TForm1::MenuItem3Click);
    pm3->addAction(QStringLiteral("Reset Default"), this, &TForm1::MenuItem6Click);
    actSaveHistoryChartImage = name(
        pm3->addAction(QStringLiteral("Save Chart Image…"), this, &TForm1::SaveChartImage2Click),
        "actSaveHistoryChartImage");
    connect(cht2, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { pm3->popup(cht2->mapToGlobal(at)); });

    // Keys without a menu of their own, and the popup menus' keys, work anywhere in the window.
    actPlotLoops = name(new QAction(QStringLiteral("Plot Loops"), this), "actPlotLoops",
                        QKeySequence(Qt::Key_F5));
    connect(actPlotLoops, &QAction::triggered, this, &TForm1::btn3Click);
    actMaterialManager = name(new QAction(QStringLiteral("Material Manager"), this),
                              "actMaterialManager", QKeySequence(Qt::CTRL | Qt::Key_M));
    connect(actMaterialManager, &QAction::triggered, this, &TForm1::btn2Click);
    addActions({actPlotLoops, actMaterialManager, actSelectAll, actCopyLoops});
    btn1->setToolTip(withShortcut(btn1->text(), actImport));
    btn2->setToolTip(withShortcut(btn2->text(), actMaterialManager));
    btn3->setToolTip(withShortcut(btn3->text(), actPlotLoops));
    btn4->setToolTip(withShortcut(btn4->text(), actSaveLoops));
}

void TForm1::buildStatusBar() {
    rzstsbr2 = new QStatusBar(this);
    rzstsbr2->setObjectName(QStringLiteral("rzstsbr2"));
    rzstsbr2->setFixedHeight(26);
    rzstsbr2->setSizeGripEnabled(false);
    rzstsbr2->setStyleSheet(QStringLiteral(
        "QStatusBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f4f4f4, "
        "stop:1 #d8d8d8); } QStatusBar::item { border: none; }"));
    setStatusBar(rzstsbr2);

    auto makeField = [&](StatusField*& field, const char* name, const QString& text, int width) {
        field = new StatusField(text, rzstsbr2);
        field->setObjectName(QString::fromLatin1(name));
        field->setMinimumWidth(width);
        field->setStyleSheet(QStringLiteral("color: black; font-weight: bold;"));
        rzstsbr2->addWidget(field);
    };
    makeField(rzfldsts3, "rzfldsts3", QStringLiteral("LoopLab"), 58);
    makeField(rzfldsts1, "rzfldsts1", QStringLiteral("  Welcome to my Website :"), 165);
    makeField(rzfldsts2, "rzfldsts2", QStringLiteral("User guide"), 114);
    rzfldsts3->setCursor(Qt::PointingHandCursor);
    rzfldsts2->setCursor(Qt::PointingHandCursor);

    connect(rzfldsts3, &StatusField::clicked, this, &TForm1::rzfldsts3Click);
    connect(rzfldsts3, &StatusField::hovered, this, [this] {
        rzfldsts3->setStyleSheet(QStringLiteral("color: blue; font-weight: bold;"));
    });
    connect(rzfldsts3, &StatusField::left, this, [this] {
        rzfldsts3->setStyleSheet(QStringLiteral("color: black; font-weight: bold;"));
    });
    connect(rzfldsts2, &StatusField::clicked, this, &TForm1::rzfldsts2Click);
    connect(rzfldsts2, &StatusField::hovered, this, [this] {
        rzfldsts2->setStyleSheet(
            QStringLiteral("color: blue; font-weight: bold; text-decoration: underline;"));
    });
    connect(rzfldsts2, &StatusField::left, this, [this] {
        rzfldsts2->setStyleSheet(QStringLiteral("color: black; font-weight: bold;"));
    });
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == rzspltr1 && event->type() == QEvent::Resize) {
        rzspltr1Resize();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::rzspltr1Resize() {
    const int height = rzspltr1->height();
    const int upper = static_cast<int>(std::lround(height * upperPaneShare));
    rzspltr1->setSizes({upper, height - upper});
}

// --- registry -------------------------------------------------------------------------------

bool TForm1::materialNameExists(const QString& name) const {
    const std::string wanted = name.toStdString();
    for (const auto& material : registry) {
        if (material->name == wanted) {
            return true;
        }
    }
    return false;
}

void TForm1::appendMaterial(std::unique_ptr<UniaxialMaterial> material) {
    registry.push_back(std::move(material));
}

void TForm1::addCheckListEntry(const QString& name) {
    auto* item = new QListWidgetItem(name, lst1);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
}

void TForm1::clearAllMaterials() {
    selectedMaterials.clear();
    registry.clear();
    lst1->clear();
    clearLoopChart();
}

// The loop chart emptied: the counts and the result go with it, so nothing can reach a loop
// that is no longer drawn.
void TForm1::clearLoopChart() {
    cht1->clearSeries();
    plotted = std::make_shared<const LoopResult>();
    loopCountValue = 0;
    pointCountValue = 0;
    cht1->replot();
}

void TForm1::SelectAll1Click() {
    for (int i = 0; i < lst1->count(); ++i) {
        lst1->item(i)->setCheckState(Qt::Checked);
    }
}

void TForm1::InvertSelection1Click() {
    for (int i = 0; i < lst1->count(); ++i) {
        QListWidgetItem* item = lst1->item(i);
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
}

// --- import ---------------------------------------------------------------------------------

void TForm1::btn1Click() {
    importHistory(QString());
}

void TForm1::importHistory(const QString& givenPath) {
    const QString answer = modalSeam().inputBox(this, QStringLiteral("First Line of Data"),
                                                QStringLiteral("First Line: "),
                                                QString::asprintf("%i", 1));
    const FirstLineResult firstLine = parseFirstLine(answer.toStdString());
    if (!firstLine.ok()) {
        modalSeam().warning(this, fromUtf8(firstLine.error));
        return;
    }
    const QString path = givenPath.isEmpty()
                             ? modalSeam().openFile(this, dlgOpen1.initialFolder, dlgOpen1.filter)
                             : givenPath;
    if (path.isEmpty()) {
        return;
    }
    HistoryReadResult read =
        readHistoryFile(path.toStdString(), firstLine.firstLine, systemDecimalSeparator());
    installHistory(std::move(read.values), read.complete() ? QString() : fromUtf8(read.error));
}

void TForm1::installHistory(std::vector<double> values, const QString& warning) {
    DispHistory& history = *histories.front();
    history.values.clear();
    lnsrsSeries1->data()->clear();
    pntsrsSeries1->data()->clear();
    history.values = std::move(values);
    if (!warning.isEmpty()) {
        modalSeam().warning(this, warning);
    }
    drawHistory();
}

void TForm1::GenerateHistory1Click() {
    HistoryGeneratorDialog dialog(dlgOpen1.initialFolder, this);
    if (modalSeam().execDialog(&dialog) == QDialog::Accepted) {
        installHistory(dialog.takeHistory());
    }
}

// --- drag and drop --------------------------------------------------------------------------

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void TForm1::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void TForm1::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasUrls()) {
        return;
    }
    const QList<QUrl> urls = event->mimeData()->urls();
    QString path;
    if (urls.size() == 1 && urls.front().isLocalFile()) {
        path = urls.front().toLocalFile();
        if (!QFileInfo(path).isFile()) {
            path.clear();
        }
    }
    event->acceptProposedAction();
    // The import asks questions; the drop itself ends first, so the program the file came from
    // is not held waiting for them.
    QMetaObject::invokeMethod(
        this,
        [this, path] {
            if (path.isEmpty()) {
                modalSeam().warning(this, QString::fromUtf8(dropOneFileMessage));
            } else {
                importHistory(path);
            }
        },
        Qt::QueuedConnection);
}

void TForm1::drawHistory() {
    const std::vector<double>& values = histories.front()->values;
    QVector<QCPGraphData> data(static_cast<qsizetype>(values.size()));
    for (std::size_t k = 0; k < values.size(); ++k) {
        const double v = std::isfinite(values[k]) ? values[k] : std::nan("");
        data[static_cast<qsizetype>(k)] = QCPGraphData(static_cast<double>(k + 1), v);
    }
    lnsrsSeries1->data()->set(data, true);
    if (!values.empty()) {
        LoopLabChart::moveMarker(pntsrsSeries1, 1.0, values.front());
    }
    cht2->fullView();
    cht2->replot();
}

// --- plot -----------------------------------------------------------------------------------

void TForm1::rebuildSelection() {
    selectedMaterials.clear();
    const int entries = std::min(lst1->count(), static_cast<int>(registry.size()));
    for (int i = 0; i < entries; ++i) {
        if (lst1->item(i)->checkState() == Qt::Checked) {
            selectedMaterials.push_back(registry[static_cast<std::size_t>(i)].get());
        }
    }
}

LoopResult TForm1::computeWithProgress() {
    std::vector<const DispHistory*> all;
    for (const auto& h : histories) {
        all.push_back(h.get());
    }
    // Long runs show their progress and keep the window painted; short ones show nothing.
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QProgressDialog> progress;
    LoopOptions options;
    options.progress = [&](std::size_t done, std::size_t total) {
        if (!progress && clock.elapsed() > 500 && done < total) {
            progress = std::make_unique<QProgressDialog>(QStringLiteral("Computing the loops…"),
                                                         QString(), 0, 1000, this);
            progress->setWindowModality(Qt::WindowModal);
            progress->setMinimumDuration(0);
        }
        if (progress) {
            progress->setValue(static_cast<int>(1000.0 * done / std::max<std::size_t>(total, 1)));
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    };
    return computeLoops(selectedMaterials, all, options);
}

void TForm1::btn3Click() {
    clearLoopChart();
    if (lnsrsSeries1->data()->isEmpty()) {
        return;
    }
    rebuildSelection();
    plotted = std::make_shared<const LoopResult>(computeWithProgress());
    animationStepValue = 0;
    drawLoops();
    warnAboutNonFiniteStresses();
}

void TForm1::drawLoops() {
    const LoopResult& result = *plotted;
    for (const Loop& loop : result.loops) {
        // The curves share the result's vectors: one hand-over per loop, no copy.
        cht1->addLoopCurve(fromUtf8(loop.name),
                           LoopCurve::Values(plotted, &result.strainsOf(loop)),
                           LoopCurve::Values(plotted, &loop.stresses), cht1->nextColor());
    }
    loopCountValue = result.loopCount();
    pointCountValue = result.pointCount();
    for (int p = 0; p < loopCountValue; ++p) {
        const Loop& loop = result.loops[static_cast<std::size_t>(p)];
        const QColor color = cht1->plottable(p)->pen().color();
        const double x = loop.stresses.empty() ? std::nan("") : result.strainsOf(loop).front();
        const double y = loop.stresses.empty() ? std::nan("") : loop.stresses.front();
        cht1->addMarker(color, x, y, 5);
    }
    cht1->fullView();
    cht1->replot();
    if (animation) {
        animation->setStepRange(pointCountValue);
    }
}

void TForm1::warnAboutNonFiniteStresses() {
    QStringList lines;
    for (const Loop& loop : plotted->loops) {
        if (loop.firstNonFiniteStep >= 0) {
            lines << QStringLiteral("%1: from step %2")
                         .arg(fromUtf8(loop.name))
                         .arg(loop.firstNonFiniteStep + 1);
        }
    }
    if (!lines.isEmpty()) {
        modalSeam().warning(
            this, QStringLiteral("Some stresses are not finite numbers (NaN or infinite). The chart "
                                 "leaves them out; Save Loops writes them as NaN, Inf or -Inf.\n\n") +
                      lines.join('\n'));
    }
}

void TForm1::cht1Click() {
    const int loops = std::min(loopCountValue, cht1->plottableCount() / 2);
    for (int p = 0; p < loops; ++p) {
        cht1->plottable(loops + p)->setVisible(cht1->plottable(p)->visible());
    }
    cht1->replot();
}

// --- export ---------------------------------------------------------------------------------

void TForm1::btn4Click() {
    const QString chosen = modalSeam().saveFile(this, dlgSave1.initialFolder, dlgSave1.fileName,
                                                dlgSave1.filter);
    if (chosen.isEmpty()) {
        return;
    }
    const std::string path = csvFileName(chosen.toStdString());
    const std::string error =
        writeLoopCsvFile(path, *plotted, loopColumns(*plotted), systemDecimalSeparator());
    if (!error.empty()) {
        modalSeam().error(this, fromUtf8(error));
        return;
    }
    modalSeam().information(this, QStringLiteral("Export Done!"));
}

void TForm1::CopyLoops1Click() {
    const std::string text =
        loopTableText(*plotted, loopColumns(*plotted), systemDecimalSeparator(), '\t');
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void TForm1::SaveChartImage1Click() {
    saveChartImage(cht1, QStringLiteral("Loops.png"));
}
void TForm1::SaveChartImage2Click() {
    saveChartImage(cht2, QStringLiteral("History.png"));
}

// The file first (its extension picks PNG or PDF; none or another one gives a PNG), then the
// size, which starts at the chart's size on screen.
void TForm1::saveChartImage(LoopLabChart* chart, const QString& fileName) {
    QString path =
        modalSeam().saveFile(this, dlgSaveImage.initialFolder, fileName, dlgSaveImage.filter);
    if (path.isEmpty()) {
        return;
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("png") && suffix != QLatin1String("pdf")) {
        path += QStringLiteral(".png");
    }
    ChartImageSizeDialog size(chart->size(), this);
    if (modalSeam().execDialog(&size) != QDialog::Accepted) {
        return;
    }
    const QString error =
        chart->saveImage(path, size.imageSize().width(), size.imageSize().height());
    if (!error.isEmpty()) {
        modalSeam().error(this, error);
    }
}

// --- read-out -------------------------------------------------------------------------------

QString TForm1::loopReadoutText(const QPoint& pixel) {
    const LoopLabChart::NearestPoint nearest =
        cht1->nearestLoopPoint(pixel, LoopLabChart::readoutRadius);
    if (nearest.curve == nullptr) {
        return {};
    }
    // One arg() call: a material name holding "%2" stays as it is.
    return QStringLiteral("%1\nStep: %2\nStrain: %3\nStress: %4")
        .arg(nearest.curve->name(), QString::number(nearest.index + 1),
             numberText(nearest.curve->strainAt(nearest.index)),
             numberText(nearest.curve->stressAt(nearest.index)));
}

QString TForm1::historyReadoutText(const QPoint& pixel) const {
    const int index = cht2->nearestGraphPoint(lnsrsSeries1, pixel, LoopLabChart::readoutRadius);
    if (index < 0) {
        return {};
    }
    const auto point = lnsrsSeries1->data()->at(index);
    return QStringLiteral("Step: %1\nStrain: %2")
        .arg(QString::number(index + 1), numberText(point->value));
}

// --- animation ------------------------------------------------------------------------------

void TForm1::btn6Click() {
    if (!animation) {
        animation = new TForm17(this, this);
    }
    animation->setStepRange(pointCountValue);
    animation->show();
    animation->raise();
}

void TForm1::animationWindowDestroyed() { animation = nullptr; }

void TForm1::showStep() {
    if (loopCountValue <= 0) {
        return;
    }
    if (animationStepValue >= pointCountValue || animationStepValue < 0) {
        animationStepValue = 0;
    }
    const auto step = static_cast<std::size_t>(animationStepValue);
    const int loops = std::min({loopCountValue, plotted->loopCount(), cht1->plottableCount() / 2});
    for (int p = 0; p < loops; ++p) {
        const Loop& loop = plotted->loops[static_cast<std::size_t>(p)];
        const std::vector<double>& strains = plotted->strainsOf(loop);
        if (step < loop.stresses.size() && step < strains.size()) {
            auto* marker = qobject_cast<QCPGraph*>(cht1->plottable(loops + p));
            if (marker != nullptr) {
                LoopLabChart::moveMarker(marker, strains[step], loop.stresses[step]);
            }
        }
    }
    cht1->replotMarkers();
    const std::vector<double>& values = histories.front()->values;
    if (step < values.size() && lnsrsSeries1->data()->size() > static_cast<int>(step)) {
        LoopLabChart::moveMarker(pntsrsSeries1, static_cast<double>(step + 1), values[step]);
        cht2->replotMarkers();
    }
}

// --- menus and links ------------------------------------------------------------------------

void TForm1::btn2Click() {
    manager->show();
    manager->raise();
}

void TForm1::btn5Click() { close(); }

void TForm1::About2Click() {
    TAboutBox about(this);
    modalSeam().execDialog(&about);
}

void TForm1::Howtouse1Click() { modalSeam().openUrl(userGuideUrl()); }
void TForm1::rzfldsts2Click() { modalSeam().openUrl(userGuideUrl()); }
void TForm1::rzfldsts3Click() { modalSeam().openUrl(userGuideUrl()); }

void TForm1::MenuItem1Click() {
    cht1->yAxis->setRangeReversed(true);
    cht1->replot();
}

void TForm1::MenuItem2Click() {
    cht1->xAxis->setRangeReversed(true);
    cht1->replot();
}

void TForm1::InvertBothAxis1Click() {
    cht1->xAxis->setRangeReversed(true);
    cht1->yAxis->setRangeReversed(true);
    cht1->replot();
}

void TForm1::ResetDefault1Click() {
    cht1->xAxis->setRangeReversed(false);
    cht1->yAxis->setRangeReversed(false);
    cht1->replot();
}

void TForm1::MenuItem3Click() {
    cht2->yAxis->setRangeReversed(true);
    cht2->replot();
}

void TForm1::MenuItem6Click() {
    cht2->yAxis->setRangeReversed(false);
    cht2->replot();
}

} // namespace looplab
