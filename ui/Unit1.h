#pragma once

#include "core/DispHistory.h"
#include "core/LoopComputation.h"
#include "core/UniaxialMaterial.h"
#include "ui/AnimationForm.h"
#include "ui/AnimationHost.h"
#include "ui/MaterialRegistryHost.h"

#include <QLabel>
#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <vector>

class QCPGraph;
class QGroupBox;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void buildStatusBar();
    void buildCharts();
    void drawHistory();
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
