#include "ui/HistoryGeneratorDialog.h"

#include "core/HistoryGenerator.h"
#include "core/NumberText.h"
#include "ui/LoopLabChart.h"
#include "ui/ModalSeam.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace looplab {

namespace {

QString localized(const char* text) {
    QString out = QString::fromLatin1(text);
    out.replace(QLatin1Char('.'), QLatin1Char(systemDecimalSeparator()));
    return out;
}

QString numberText(double value) {
    return QString::fromStdString(formatNumber(value, systemDecimalSeparator()));
}

// The entry of one protocol read by the core, and its step count.
struct Reading {
    QString error;
    double steps = 0;
    bool cyclic = true;
    CyclicProtocol cyclicProtocol;
    RampProtocol rampProtocol;

    std::vector<double> generate() const {
        return cyclic ? generateHistory(cyclicProtocol) : generateHistory(rampProtocol);
    }
};

Reading readEntry(const HistoryGeneratorDialog& dialog) {
    const char separator = systemDecimalSeparator();
    Reading reading;
    reading.cyclic = dialog.rbCyclic->isChecked();
    if (reading.cyclic) {
        CyclicEntry entry;
        entry.amplitudes = dialog.edtAmplitudes->text().toStdString();
        entry.cyclesPerAmplitude = dialog.edtCycles->text().toStdString();
        entry.stepsPerQuarterCycle = dialog.edtQuarterSteps->text().toStdString();
        entry.direction = static_cast<CyclicDirection>(dialog.cbbDirection->currentIndex());
        const auto read = readCyclicEntry(entry, separator);
        reading.error = QString::fromStdString(read.error);
        reading.cyclicProtocol = read.protocol;
        if (read.ok()) {
            reading.steps = generatedStepCount(read.protocol);
        }
    } else {
        const auto read = readRampEntry(
            {dialog.edtTarget->text().toStdString(), dialog.edtRampSteps->text().toStdString()},
            separator);
        reading.error = QString::fromStdString(read.error);
        reading.rampProtocol = read.protocol;
        if (read.ok()) {
            reading.steps = generatedStepCount(read.protocol);
        }
    }
    return reading;
}

} // namespace

HistoryGeneratorDialog::HistoryGeneratorDialog(const QString& saveFolder, QWidget* parent)
    : QDialog(parent), folder(saveFolder) {
    setObjectName(QStringLiteral("HistoryGeneratorDialog"));
    setWindowTitle(QStringLiteral("Generate Deformation History"));
    buildControls();
    updatePreview();
}

void HistoryGeneratorDialog::buildControls() {
    auto* top = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    top->addLayout(columns);
    auto* entries = new QVBoxLayout;
    columns->addLayout(entries);

    auto makeEdit = [this](QLineEdit*& edit, const char* name, const QString& text,
                           const QString& help) {
        edit = new QLineEdit(text, this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setToolTip(help);
        connect(edit, &QLineEdit::textChanged, this, &HistoryGeneratorDialog::updatePreview);
    };

    rbCyclic = new QRadioButton(QStringLiteral("Cyclic protocol"), this);
    rbCyclic->setObjectName(QStringLiteral("rbCyclic"));
    rbCyclic->setChecked(true);
    entries->addWidget(rbCyclic);
    grpCyclic = new QGroupBox(this);
    grpCyclic->setObjectName(QStringLiteral("grpCyclic"));
    auto* cyclic = new QFormLayout(grpCyclic);
    makeEdit(edtAmplitudes, "edtAmplitudes", localized("0.001 0.002 0.004"),
             QStringLiteral("Peak strains, in the order applied, separated by blanks or "
                            "semicolons. Each is a magnitude greater than 0."));
    makeEdit(edtCycles, "edtCycles", QStringLiteral("2"),
             QStringLiteral("Full cycles at each amplitude."));
    makeEdit(edtQuarterSteps, "edtQuarterSteps", QStringLiteral("10"),
             QStringLiteral("Steps from 0 to a peak; the same number leads back to 0."));
    cbbDirection = new QComboBox(grpCyclic);
    cbbDirection->setObjectName(QStringLiteral("cbbDirection"));
    // In the order of CyclicDirection.
    cbbDirection->addItems({QStringLiteral("Tension and compression"),
                            QStringLiteral("Compression only"), QStringLiteral("Tension only")});
    connect(cbbDirection, &QComboBox::currentIndexChanged, this,
            &HistoryGeneratorDialog::updatePreview);
    cyclic->addRow(QStringLiteral("Amplitudes:"), edtAmplitudes);
    cyclic->addRow(QStringLiteral("Cycles per amplitude:"), edtCycles);
    cyclic->addRow(QStringLiteral("Steps per quarter cycle:"), edtQuarterSteps);
    cyclic->addRow(QStringLiteral("Direction:"), cbbDirection);
    entries->addWidget(grpCyclic);

    rbRamp = new QRadioButton(QStringLiteral("Monotonic ramp"), this);
    rbRamp->setObjectName(QStringLiteral("rbRamp"));
    entries->addWidget(rbRamp);
    grpRamp = new QGroupBox(this);
    grpRamp->setObjectName(QStringLiteral("grpRamp"));
    auto* ramp = new QFormLayout(grpRamp);
    makeEdit(edtTarget, "edtTarget", localized("0.01"),
             QStringLiteral("The last strain of the ramp; negative for compression."));
    makeEdit(edtRampSteps, "edtRampSteps", QStringLiteral("100"),
             QStringLiteral("Equal steps from 0 to the target strain."));
    ramp->addRow(QStringLiteral("Target strain:"), edtTarget);
    ramp->addRow(QStringLiteral("Steps:"), edtRampSteps);
    entries->addWidget(grpRamp);
    entries->addStretch(1);

    auto* choice = new QButtonGroup(this);
    choice->addButton(rbCyclic);
    choice->addButton(rbRamp);
    connect(rbCyclic, &QRadioButton::toggled, this, &HistoryGeneratorDialog::updatePreview);

    auto* previewColumn = new QVBoxLayout;
    columns->addLayout(previewColumn, 1);
    chtPreview = new LoopLabChart(this);
    chtPreview->setObjectName(QStringLiteral("chtPreview"));
    chtPreview->setAxisTitles(QStringLiteral("Step"), QStringLiteral("Deformation/Strain"));
    chtPreview->setLabelDecimals(7, 8);
    chtPreview->legend->setVisible(false);
    chtPreview->setMinimumSize(340, 240);
    previewLine = new QCPGraph(chtPreview->xAxis, chtPreview->yAxis);
    previewLine->setPen(QPen(QColor(0, 0, 255), 1));
    previewColumn->addWidget(chtPreview, 1);
    lblSummary = new QLabel(this);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    lblSummary->setWordWrap(true);
    previewColumn->addWidget(lblSummary);

    btnSave = new QPushButton(QStringLiteral("Save As…"), this);
    btnSave->setObjectName(QStringLiteral("btnSave"));
    btnSave->setAutoDefault(false);
    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnSave);
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    top->addLayout(buttons);
    connect(btnSave, &QPushButton::clicked, this, &HistoryGeneratorDialog::btnSaveClick);
    connect(btnOk, &QPushButton::clicked, this, &HistoryGeneratorDialog::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString HistoryGeneratorDialog::build(std::vector<double>& values) const {
    const Reading reading = readEntry(*this);
    if (!reading.error.isEmpty()) {
        return reading.error;
    }
    values = reading.generate();
    return {};
}

void HistoryGeneratorDialog::updatePreview() {
    const bool cyclic = rbCyclic->isChecked();
    grpCyclic->setEnabled(cyclic);
    grpRamp->setEnabled(!cyclic);

    previewLine->data()->clear();
    const Reading reading = readEntry(*this);
    // A refused entry is named in dark red here; the box comes only with OK or Save As….
    lblSummary->setStyleSheet(reading.error.isEmpty() ? QString()
                                                      : QStringLiteral("color: #a00000;"));
    if (!reading.error.isEmpty()) {
        lblSummary->setText(reading.error);
    } else if (reading.steps > static_cast<double>(previewLimit)) {
        lblSummary->setText(QStringLiteral("%1 steps: too many to preview.")
                                .arg(QString::number(reading.steps, 'f', 0)));
    } else {
        const std::vector<double> values = reading.generate();
        QVector<QCPGraphData> data(static_cast<qsizetype>(values.size()));
        for (std::size_t k = 0; k < values.size(); ++k) {
            data[static_cast<qsizetype>(k)] = QCPGraphData(static_cast<double>(k + 1), values[k]);
        }
        previewLine->data()->set(data, true);
        const auto [low, high] = std::minmax_element(values.begin(), values.end());
        lblSummary->setText(
            QStringLiteral("%1 steps, strains from %2 to %3.")
                .arg(QString::number(values.size()), numberText(*low), numberText(*high)));
    }
    chtPreview->fullView();
    chtPreview->replot();
}

void HistoryGeneratorDialog::btnOkClick() {
    std::vector<double> values;
    const QString refusal = build(values);
    if (!refusal.isEmpty()) {
        modalSeam().warning(this, refusal);
        return;
    }
    generated = std::move(values);
    accept();
}

void HistoryGeneratorDialog::btnSaveClick() {
    std::vector<double> values;
    const QString refusal = build(values);
    if (!refusal.isEmpty()) {
        modalSeam().warning(this, refusal);
        return;
    }
    const QString path = modalSeam().saveFile(this, folder, QStringLiteral("History.txt"),
                                              QStringLiteral("Text files (*.txt)"));
    if (path.isEmpty()) {
        return;
    }
    const std::string error =
        writeHistoryFile(path.toStdString(), values, systemDecimalSeparator());
    if (!error.empty()) {
        modalSeam().error(this, QString::fromStdString(error));
    }
}

} // namespace looplab
