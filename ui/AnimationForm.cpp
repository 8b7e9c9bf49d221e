#include "ui/AnimationForm.h"

#include "ui/AnimationHost.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace looplab {

namespace {

// A group box holding a horizontal track bar between two captions.
QGroupBox* makeTrackGroup(QWidget* parent, const QString& title, const char* name, QLabel*& left,
                          const QString& leftText, const char* leftName, QSlider*& slider,
                          const char* sliderName, QLabel*& right, const QString& rightText,
                          const char* rightName) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    left = new QLabel(leftText, group);
    left->setObjectName(leftName);
    slider = new QSlider(Qt::Horizontal, group);
    slider->setObjectName(sliderName);
    slider->setTickPosition(QSlider::TicksBelow);
    right = new QLabel(rightText, group);
    right->setObjectName(rightName);
    auto* row = new QHBoxLayout(group);
    row->setContentsMargins(8, 2, 8, 4);
    row->addWidget(left);
    row->addWidget(slider, 1);
    row->addWidget(right);
    return group;
}

} // namespace

TForm17::TForm17(AnimationHost* host, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), host_(host) {
    setObjectName("TForm17");
    setWindowTitle("Animation");
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(QFont("Tahoma", 8));

    btn3 = new QPushButton("Animate", this);
    btn3->setObjectName("btn3");
    setBtn3Tag(0);

    lbl3 = new QLabel("Current Step", this);
    lbl3->setObjectName("lbl3");
    edt1 = new QLineEdit(this);
    edt1->setObjectName("edt1");
    edt1->setReadOnly(true);
    edt1->setFixedWidth(90);
    lbl3->setBuddy(edt1);

    grp4 = makeTrackGroup(this, "Animation Speed", "grp4", lbl1, "Slower", "lbl1", trckbr1,
                          "trckbr1", lbl2, "Faster", "lbl2");
    trckbr1->setRange(0, 10);
    trckbr1->setPageStep(1);
    trckbr1->setValue(8);

    grp1 = makeTrackGroup(this, "Current Step", "grp1", lbl4, "First", "lbl4", trckbr2, "trckbr2",
                          lbl5, "Last", "lbl5");
    trckbr2->setRange(0, 0);
    trckbr2->setTickPosition(QSlider::NoTicks);

    btn1 = new QPushButton("Close", this);
    btn1->setObjectName("btn1");

    tmrModetmr1 = new QTimer(this);
    tmrModetmr1->setObjectName("tmrModetmr1");
    tmrModetmr1->setInterval(20);

    auto* top = new QHBoxLayout;
    top->addWidget(btn3);
    top->addStretch(1);
    top->addWidget(lbl3);
    top->addWidget(edt1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(btn1);
    bottom->addStretch(1);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 8, 8, 8);
    column->setSpacing(4);
    column->addLayout(top);
    column->addStretch(1);
    column->addWidget(grp4);
    column->addStretch(1);
    column->addWidget(grp1);
    column->addStretch(1);
    column->addLayout(bottom);

    setFixedSize(328, 203);

    connect(btn3, &QPushButton::clicked, this, &TForm17::btn3Click);
    connect(trckbr1, &QSlider::valueChanged, this, &TForm17::trckbr1Change);
    connect(tmrModetmr1, &QTimer::timeout, this, &TForm17::tmrModetmr1Timer);
    connect(trckbr2, &QSlider::valueChanged, this, &TForm17::trckbr2Change);
    connect(btn1, &QPushButton::clicked, this, &TForm17::btn1Click);
}

// FormDestroy: the host forgets this window.
TForm17::~TForm17() {
    tmrModetmr1->stop();
    if (host_ != nullptr) {
        host_->animationWindowDestroyed();
    }
}

void TForm17::setStepRange(int pointCount) {
    const int last = std::max(pointCount - 1, 0);
    selStart = 0;
    selEnd = last;
    // Narrowing the range would clamp the position and report it as a move; the current step
    // must stay where the host has it, so the bar follows it without reporting.
    const QSignalBlocker blocker(trckbr2);
    trckbr2->setRange(0, last);
    if (host_ != nullptr) {
        trckbr2->setValue(std::clamp(host_->animationStep(), 0, last));
    }
}

void TForm17::setBtn3Tag(int tag) {
    btn3Tag = tag;
    btn3->setProperty("tag", tag);
}

void TForm17::showCurrentStep() {
    edt1->setText(QString::number(host_->animationStep()));
}

void TForm17::btn3Click() {
    if (btn3Tag == 0) {
        setBtn3Tag(1);
        btn3->setText("Stop");
        tmrModetmr1->start();
    } else {
        setBtn3Tag(0);
        btn3->setText("Animate");
        tmrModetmr1->stop();
    }
}

void TForm17::trckbr1Change() {
    const int p = trckbr1->value();
    tmrModetmr1->setInterval(p == 10 ? 1 : (10 - p) * 10);
}

void TForm17::tmrModetmr1Timer() {
    if (host_ == nullptr || inTick_) {
        return;
    }
    inTick_ = true;
    host_->setAnimationStep(host_->animationStep() + 1);
    host_->showStep(); // wraps the step to 0 past the last point
    showCurrentStep();
    // Moving the bar reports the move like a drag does (trckbr2Change), which shows the same
    // step once more.
    trckbr2->setValue(host_->animationStep());
    inTick_ = false;
}

void TForm17::trckbr2Change() {
    if (host_ == nullptr || inStepChange_) {
        return;
    }
    inStepChange_ = true;
    host_->setAnimationStep(trckbr2->value());
    host_->showStep();
    showCurrentStep();
    inStepChange_ = false;
}

void TForm17::btn1Click() {
    close();
}

// FormClose: the window is destroyed on close (WA_DeleteOnClose); the replay stops now.
void TForm17::closeEvent(QCloseEvent* event) {
    tmrModetmr1->stop();
    event->accept();
}

void TForm17::showEvent(QShowEvent* event) {
    if (!centred_) {
        centred_ = true;
        const QWidget* owner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
        QRect area;
        if (owner != nullptr && owner->isVisible()) {
            area = owner->frameGeometry();
        } else if (const QScreen* s = screen()) {
            area = s->availableGeometry();
        }
        if (area.isValid()) {
            QRect frame = frameGeometry();
            frame.moveCenter(area.center());
            move(frame.topLeft());
        }
    }
    QWidget::showEvent(event);
}

} // namespace looplab
