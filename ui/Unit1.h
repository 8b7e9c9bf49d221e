#pragma once

#include "core/DispHistory.h"
#include "core/LoopComputation.h"
#include "core/UniaxialMaterial.h"
#include "ui/AnimationForm.h"
#include "ui/AnimationHost.h"
#include "ui/MaterialRegistryHost.h"

#include <QDialog>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <vector>

class QAction;
class QCPGraph;
class QGroupBox;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;
class QSpinBox;
class QSplitter;
class QStatusBar;

namespace looplab {

class LoopLabChart;
class TForm2;

// A status-bar field or link label that reports hover, leave and click.
class StatusField : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void clicked();
    void hovered();
    void left();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
};

// Asks the size of a chart image: pixels of a PNG picture, points of a PDF page.
class ChartImageSizeDialog : public QDialog {
    Q_OBJECT

public:
    ChartImageSizeDialog(const QSize& initial, QWidget* parent = nullptr);
    QSize imageSize() const;

    QSpinBox* spnWidth = nullptr;
    QSpinBox* spnHeight = nullptr;
};

// The settings of one of the window's file dialogs.
struct FileDialogSettings {
    QString initialFolder;
    QString filter;
    QString fileName;
};

// The main window: owns the registry of materials, the one deformation history and the last
// plot; shows the history chart above the loop chart and starts every action.
class TForm1 : public QMainWindow, public MaterialRegistryHost, public AnimationHost {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override; // FormDestroy

    // MaterialRegistryHost
    bool materialNameExists(const QString& name) const override;
    void appendMaterial(std::unique_ptr<UniaxialMaterial> material) override;
    void addCheckListEntry(const QString& name) override;
    void clearAllMaterials() override;

    // AnimationHost
    int animationStep() const override { return animationStepValue; }
    void setAnimationStep(int step) override { animationStepValue = step; }
    void showStep() override;
    void animationWindowDestroyed() override;

    TForm2* materialManager() const { return manager; }
    TForm17* animationWindow() const { return animation; }
    // The result the loop chart shows; the export and the animation read it.
    const LoopResult& lastPlot() const { return *plotted; }
    int loopCount() const { return loopCountValue; }
    int pointCount() const { return pointCountValue; }
    const DispHistory& history() const { return *histories.front(); }
    // The folder of the program file: where the file dialogs start.
    static QString programFolder();

    // Replaces the history as an import does: the old values, the history line and its start
    // marker go; the new values are drawn, after the warning (if any) has been shown.
    void installHistory(std::vector<double> values, const QString& warning = QString());
    // The read-out tooltips: the nearest point of a visible loop (material, step, strain,
    // stress) or of the history (step, strain) within LoopLabChart::readoutRadius of a pixel
    // of cht1 or cht2; "" when none is that near.
    QString loopReadoutText(const QPoint& pixel);
    QString historyReadoutText(const QPoint& pixel) const;

    // Controls, named as the user guide and the tests know them.
    QPushButton* btn1 = nullptr; ///< "Import Deformation History"
    QPushButton* btn2 = nullptr; ///< "Material Manager"
    QPushButton* btn3 = nullptr; ///< "Plot Loops"
    QPushButton* btn4 = nullptr; ///< "Save Loops"
    QPushButton* btn5 = nullptr; ///< "Close"
    QPushButton* btn6 = nullptr; ///< "Animate"
    QGroupBox* grp1 = nullptr;   ///< "Deformation History"
    QGroupBox* grp2 = nullptr;   ///< "F-D Loops"
    QGroupBox* grp3 = nullptr;   ///< "Tested Materials"
    QListWidget* lst1 = nullptr; ///< the check list of defined materials
    QSplitter* rzspltr1 = nullptr;
    LoopLabChart* cht1 = nullptr; ///< loops
    LoopLabChart* cht2 = nullptr; ///< history
    QCPGraph* lnsrsSeries1 = nullptr;  ///< the history line
    QCPGraph* pntsrsSeries1 = nullptr; ///< the history start marker
    QStatusBar* rzstsbr2 = nullptr;
    StatusField* rzfldsts1 = nullptr;
    StatusField* rzfldsts2 = nullptr;
    StatusField* rzfldsts3 = nullptr;
    QMenuBar* mm1 = nullptr;
    QMenu* pm1 = nullptr; ///< check list popup
    QMenu* pm2 = nullptr; ///< loop chart popup
    QMenu* pm3 = nullptr; ///< history chart popup
    FileDialogSettings dlgOpen1;
    FileDialogSettings dlgSave1;
    FileDialogSettings dlgSaveImage; ///< chart images: PNG or PDF

    // Menu and keyboard actions.
    QAction* actImport = nullptr;                ///< File: Import Deformation History, Ctrl+O
    QAction* actGenerate = nullptr;              ///< File: Generate Deformation History…
    QAction* actSaveLoops = nullptr;             ///< File: Save Loops, Ctrl+S
    QAction* actSaveLoopChartImage = nullptr;    ///< File and pm2: Save Chart Image…
    QAction* actSaveHistoryChartImage = nullptr; ///< pm3: Save Chart Image…
    QAction* actCopyLoops = nullptr;             ///< pm2: Copy Loops, Ctrl+C
    QAction* actSelectAll = nullptr;             ///< pm1: Select All, Ctrl+A
    QAction* actPlotLoops = nullptr;             ///< F5
    QAction* actMaterialManager = nullptr;       ///< Ctrl+M

public slots:
    void btn1Click(); ///< Import Deformation History
    void btn2Click(); ///< Material Manager
    void btn3Click(); ///< Plot Loops
    void btn4Click(); ///< Save Loops
    void btn5Click(); ///< Close
    void btn6Click(); ///< Animate
    void About2Click();
    void Howtouse1Click();
    void SelectAll1Click();
    void InvertSelection1Click();
    void MenuItem1Click();      ///< loop chart: Invert Left Axis
    void MenuItem2Click();      ///< loop chart: Invert Botttom Axis
    void InvertBothAxis1Click(); ///< loop chart: Invert Both Axis
    void ResetDefault1Click();  ///< loop chart: Reset Default
    void MenuItem3Click();      ///< history chart: Invert Left Axis
    void MenuItem6Click();      ///< history chart: Reset Default
    void cht1Click();
    void rzspltr1Resize();
    void rzfldsts2Click();
    void rzfldsts3Click();
    void GenerateHistory1Click(); ///< opens the history generator; OK installs its history
    void SaveChartImage1Click();  ///< the loop chart as PNG or PDF
    void SaveChartImage2Click();  ///< the history chart as PNG or PDF
    void CopyLoops1Click();       ///< the Save Loops table, tab-separated, on the clipboard

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Dropping one history file runs Import for it; anything else is explained.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void buildStatusBar();
    void buildCharts();
    void drawHistory();
    // Import: the first-line box, then the file chosen in the open dialog, or the given one.
    void importHistory(const QString& givenPath);
    void saveChartImage(LoopLabChart* chart, const QString& fileName);
    void clearLoopChart();
    void rebuildSelection();
    LoopResult computeWithProgress();
    void drawLoops();
    void warnAboutNonFiniteStresses();

    std::vector<std::unique_ptr<UniaxialMaterial>> registry;
    std::vector<UniaxialMaterial*> selectedMaterials;
    std::vector<std::unique_ptr<DispHistory>> histories;
    // Shared with the loop curves, which draw straight from its vectors.
    std::shared_ptr<const LoopResult> plotted = std::make_shared<const LoopResult>();
    int loopCountValue = 0;
    int pointCountValue = 0;
    int animationStepValue = 0;
    TForm2* manager = nullptr;
    QPointer<TForm17> animation;
};

} // namespace looplab
