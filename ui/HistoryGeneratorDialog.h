#pragma once

#include <QDialog>
#include <QString>

#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QCPGraph;

namespace looplab {

class LoopLabChart;

// "Generate Deformation History": asks for a cyclic protocol (amplitudes, cycles per
// amplitude, steps per quarter cycle, direction) or a monotonic ramp (target strain, steps),
// previews the history and, on OK, keeps it for the main window to install. Save As… writes it
// as a history file. Entries are read and checked by the core generator; a refused entry is
// shown in a warning and the dialog stays open.
class HistoryGeneratorDialog : public QDialog {
    Q_OBJECT

  public:
    explicit HistoryGeneratorDialog(const QString& saveFolder, QWidget* parent = nullptr);

    // The history OK built; empty before OK.
    const std::vector<double>& history() const { return generated; }
    std::vector<double> takeHistory() { return std::move(generated); }

    void btnOkClick();   ///< builds the history and accepts, or shows the refusal
    void btnSaveClick(); ///< builds the history and writes it to a chosen file

    QRadioButton* rbCyclic = nullptr;
    QRadioButton* rbRamp = nullptr;
    QGroupBox* grpCyclic = nullptr;
    QLineEdit* edtAmplitudes = nullptr;
    QLineEdit* edtCycles = nullptr;
    QLineEdit* edtQuarterSteps = nullptr;
    QComboBox* cbbDirection = nullptr; ///< both directions, compression only, tension only
    QGroupBox* grpRamp = nullptr;
    QLineEdit* edtTarget = nullptr;
    QLineEdit* edtRampSteps = nullptr;
    QLabel* lblSummary = nullptr;
    LoopLabChart* chtPreview = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

    // Histories longer than this are summarised but not drawn in the preview.
    static constexpr std::size_t previewLimit = 200'000;

  private:
    void buildControls();
    // Reads the entry of the chosen protocol and builds its history; returns the refusal
    // message, or "" with the history in `values`.
    QString build(std::vector<double>& values) const;
    void updatePreview();

    QString folder;
    std::vector<double> generated;
    QCPGraph* previewLine = nullptr;
};

} // namespace looplab
