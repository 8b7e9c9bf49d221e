#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTimer;

namespace looplab {

class AnimationHost;

// The animation window: replays the last plot by moving the host's current step, either on a
// timer or through the step track bar. It never computes anything itself; the host moves the
// markers. Closing the window destroys it, and the host is told so that it forgets it.
class TForm17 : public QWidget {
    Q_OBJECT

  public:
    TForm17(AnimationHost* host, QWidget* parent = nullptr);
    ~TForm17() override;

    // Step track bar range for a plot of pointCount points: 0 … pointCount−1 (0 … 0 when there
    // is no point), with the selection over the whole range. The current step is not changed:
    // the track bar is moved to it silently.
    void setStepRange(int pointCount);

    QPushButton* btn3 = nullptr; ///< "Animate" / "Stop"
    int btn3Tag = 0;             ///< running flag of btn3: 0 stopped, 1 running
    QLabel* lbl3 = nullptr;      ///< "Current Step"
    QLineEdit* edt1 = nullptr;   ///< the current step, read-only
    QGroupBox* grp4 = nullptr;   ///< "Animation Speed"
    QLabel* lbl1 = nullptr;      ///< "Slower"
    QLabel* lbl2 = nullptr;      ///< "Faster"
    QSlider* trckbr1 = nullptr;  ///< speed, 0 … 10
    QGroupBox* grp1 = nullptr;   ///< "Current Step"
    QLabel* lbl4 = nullptr;      ///< "First"
    QLabel* lbl5 = nullptr;      ///< "Last"
    QSlider* trckbr2 = nullptr;  ///< the step, 0 … pointCount−1
    QPushButton* btn1 = nullptr; ///< "Close"
    QTimer* tmrModetmr1 = nullptr;

    int selStart = 0; ///< selection start of trckbr2
    int selEnd = 0;   ///< selection end of trckbr2

  public slots:
    void btn3Click();
    void trckbr1Change();
    void tmrModetmr1Timer();
    void trckbr2Change();
    void btn1Click();

  protected:
    void closeEvent(QCloseEvent* event) override; // FormClose
    void showEvent(QShowEvent* event) override;

  private:
    void setBtn3Tag(int tag);
    void showCurrentStep();

    AnimationHost* host_;
    bool centred_ = false;
    bool inTick_ = false;
    bool inStepChange_ = false;
};

} // namespace looplab
