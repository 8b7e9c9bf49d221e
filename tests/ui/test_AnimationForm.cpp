#include "UiTest.h"

#include "ui/AnimationForm.h"
#include "ui/AnimationHost.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <memory>
#include <vector>

using namespace looplab;

namespace {

// Stands in for the main window: owns the step and wraps it the way the main window's show step
// does, and records every step it was asked to show.
class FakeAnimationHost : public AnimationHost {
public:
    int step = 0;
    int loopCount = 0;
    int pointCount = 0;
    std::vector<int> shownSteps;
    int windowDestroyedCalls = 0;

    int animationStep() const override { return step; }
    void setAnimationStep(int s) override { step = s; }
    void showStep() override {
        if (loopCount <= 0) {
            return;
        }
        if (step >= pointCount) {
            step = 0;
        }
        shownSteps.push_back(step);
    }
    void animationWindowDestroyed() override { ++windowDestroyedCalls; }
};

} // namespace

class AnimationFormTest : public QObject {
    Q_OBJECT

private slots:
    void initialState() {
        FakeAnimationHost host;
        TForm17 form(&host, nullptr);
        QCOMPARE(form.windowTitle(), QString("Animation"));
        QCOMPARE(form.size(), QSize(328, 203));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QVERIFY(form.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(form.testAttribute(Qt::WA_DeleteOnClose));

        auto* btn3 = form.findChild<QPushButton*>("btn3");
        QVERIFY(btn3);
        QCOMPARE(btn3->text(), QString("Animate"));
        QCOMPARE(form.btn3Tag, 0);
        QCOMPARE(btn3->property("tag").toInt(), 0);
        QCOMPARE(form.findChild<QLabel*>("lbl3")->text(), QString("Current Step"));
        auto* edt1 = form.findChild<QLineEdit*>("edt1");
        QVERIFY(edt1 && edt1->isReadOnly());
        QVERIFY(edt1->text().isEmpty());
        QCOMPARE(form.findChild<QGroupBox*>("grp4")->title(), QString("Animation Speed"));
        QCOMPARE(form.findChild<QGroupBox*>("grp1")->title(), QString("Current Step"));
        QCOMPARE(form.findChild<QPushButton*>("btn1")->text(), QString("Close"));

        // The captions around each track bar, left and right of it.
        const QList<QLabel*> speedLabels = form.grp4->findChildren<QLabel*>();
        const QList<QLabel*> stepLabels = form.grp1->findChildren<QLabel*>();
        QCOMPARE(speedLabels.size(), 2);
        QCOMPARE(stepLabels.size(), 2);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.lbl1->text(), QString("Slower"));
        QCOMPARE(form.lbl2->text(), QString("Faster"));
        QCOMPARE(form.lbl4->text(), QString("First"));
        QCOMPARE(form.lbl5->text(), QString("Last"));
        QVERIFY(form.lbl1->geometry().right() < form.trckbr1->geometry().left());
        QVERIFY(form.lbl2->geometry().left() > form.trckbr1->geometry().right());
        QVERIFY(form.lbl4->geometry().right() < form.trckbr2->geometry().left());
        QVERIFY(form.lbl5->geometry().left() > form.trckbr2->geometry().right());

        auto* trckbr1 = form.findChild<QSlider*>("trckbr1");
        QCOMPARE(trckbr1->minimum(), 0);
        QCOMPARE(trckbr1->maximum(), 10);
        QCOMPARE(trckbr1->value(), 8);
        auto* trckbr2 = form.findChild<QSlider*>("trckbr2");
        QCOMPARE(trckbr2->minimum(), 0);
        QCOMPARE(trckbr2->maximum(), 0);
        auto* timer = form.findChild<QTimer*>("tmrModetmr1");
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 20);
        QVERIFY(!timer->isActive());
        QVERIFY(host.shownSteps.empty());
    }

    void ticksVisitEveryStepThenWrapToZero() {
        FakeAnimationHost host;
        host.loopCount = 2;
        host.pointCount = 5;
        TForm17 form(&host, nullptr);
        form.setStepRange(host.pointCount);

        QStringList shownInEdit;
        QList<int> barPositions;
        for (int i = 0; i < host.pointCount; ++i) {
            form.tmrModetmr1Timer();
            shownInEdit << form.edt1->text();
            barPositions << form.trckbr2->value();
        }
        QCOMPARE(shownInEdit, QStringList({"1", "2", "3", "4", "0"}));
        QCOMPARE(barPositions, QList<int>({1, 2, 3, 4, 0}));
        QCOMPARE(host.step, 0);
        // Every step the host showed lies inside the plot.
        for (int s : host.shownSteps) {
            QVERIFY(s >= 0 && s < host.pointCount);
        }
        QCOMPARE(host.shownSteps.back(), 0);
    }

    void speedPositionSetsTheInterval_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("interval");
        QTest::newRow("slowest") << 0 << 100;
        QTest::newRow("1") << 1 << 90;
        QTest::newRow("5") << 5 << 50;
        QTest::newRow("initial") << 8 << 20;
        QTest::newRow("9") << 9 << 10;
        QTest::newRow("fastest") << 10 << 1;
    }
    void speedPositionSetsTheInterval() {
        QFETCH(int, position);
        QFETCH(int, interval);
        FakeAnimationHost host;
        TForm17 form(&host, nullptr);
        form.trckbr1->setValue(position == 8 ? 0 : 8); // start elsewhere so the move reports
        form.trckbr1->setValue(position);
        QCOMPARE(form.tmrModetmr1->interval(), interval);
    }

    void toggleTwiceReturnsToAnimateAndStops() {
        FakeAnimationHost host;
        host.loopCount = 1;
        host.pointCount = 10;
        TForm17 form(&host, nullptr);
        form.setStepRange(host.pointCount);

        QTest::mouseClick(form.btn3, Qt::LeftButton);
        QCOMPARE(form.btn3->text(), QString("Stop"));
        QCOMPARE(form.btn3Tag, 1);
        QCOMPARE(form.btn3->property("tag").toInt(), 1);
        QVERIFY(form.tmrModetmr1->isActive());

        form.tmrModetmr1Timer();
        form.tmrModetmr1Timer();
        const int reached = host.step;
        QCOMPARE(reached, 2);

        QTest::mouseClick(form.btn3, Qt::LeftButton);
        QCOMPARE(form.btn3->text(), QString("Animate"));
        QCOMPARE(form.btn3Tag, 0);
        QVERIFY(!form.tmrModetmr1->isActive());
        QCOMPARE(host.step, reached);
        QCOMPARE(form.edt1->text(), QString("2"));
    }

    void withoutLoopsTicksStillRaiseTheStep() {
        FakeAnimationHost host; // nothing plotted: loopCount and pointCount 0
        TForm17 form(&host, nullptr);
        form.setStepRange(host.pointCount);
        QCOMPARE(form.trckbr2->maximum(), 0);

        QStringList shownInEdit;
        for (int i = 0; i < 3; ++i) {
            form.tmrModetmr1Timer();
            shownInEdit << form.edt1->text();
        }
        QCOMPARE(shownInEdit, QStringList({"1", "2", "3"}));
        QVERIFY(host.shownSteps.empty());
        QCOMPARE(form.trckbr2->value(), 0);
        QCOMPARE(host.step, 3); // the bar could not follow, and did not pull the step back
    }

    void closingWhileRunningStopsAndNotifiesTheHost() {
        FakeAnimationHost host;
        host.loopCount = 1;
        host.pointCount = 10;
        QPointer<TForm17> form = new TForm17(&host, nullptr);
        form->setStepRange(host.pointCount);
        form->show();
        form->trckbr1->setValue(3);
        QTest::mouseClick(form->btn3, Qt::LeftButton);
        form->tmrModetmr1Timer();
        QVERIFY(form->tmrModetmr1->isActive());

        QTest::mouseClick(form->btn1, Qt::LeftButton);
        QVERIFY(!form.isNull()); // deleted once control returns to the event loop
        QVERIFY(!form->tmrModetmr1->isActive());
        QVERIFY(!form->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(form.isNull());
        QCOMPARE(host.windowDestroyedCalls, 1);

        // A new window starts afresh, and continues from the step the host kept.
        TForm17 again(&host, nullptr);
        again.setStepRange(host.pointCount);
        QCOMPARE(again.btn3->text(), QString("Animate"));
        QCOMPARE(again.trckbr1->value(), 8);
        QCOMPARE(again.tmrModetmr1->interval(), 20);
        QCOMPARE(again.trckbr2->value(), 1);
        again.tmrModetmr1Timer();
        QCOMPARE(again.edt1->text(), QString("2"));
    }

    void draggingTheStepBarToItsEndShowsTheLastStep() {
        FakeAnimationHost host;
        host.loopCount = 3;
        host.pointCount = 7;
        TForm17 form(&host, nullptr);
        form.setStepRange(host.pointCount);
        QCOMPARE(form.trckbr2->maximum(), 6);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        form.trckbr2->setFocus();
        QTest::keyClick(form.trckbr2, Qt::Key_End);
        QCOMPARE(form.trckbr2->value(), 6);
        QCOMPARE(host.step, 6);
        QVERIFY(!host.shownSteps.empty());
        QCOMPARE(host.shownSteps.back(), 6);
        QCOMPARE(form.edt1->text(), QString("6"));
    }

    void settingTheRangeDoesNotMoveTheStep_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("pointCount");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("position");
        QTest::newRow("step inside") << 4 << 10 << 9 << 4;
        QTest::newRow("step past a shorter plot") << 7 << 3 << 2 << 2;
        QTest::newRow("no points") << 5 << 0 << 0 << 0;
        QTest::newRow("one point") << 0 << 1 << 0 << 0;
    }
    void settingTheRangeDoesNotMoveTheStep() {
        QFETCH(int, step);
        QFETCH(int, pointCount);
        QFETCH(int, maximum);
        QFETCH(int, position);
        FakeAnimationHost host;
        host.loopCount = 1;
        host.pointCount = 20;
        TForm17 form(&host, nullptr);
        form.setStepRange(20);
        form.trckbr2->setValue(15); // a drag to 15, reported to the host
        host.shownSteps.clear();
        host.step = step;
        host.pointCount = pointCount;

        form.setStepRange(pointCount);
        QCOMPARE(form.trckbr2->minimum(), 0);
        QCOMPARE(form.trckbr2->maximum(), maximum);
        QCOMPARE(form.selStart, 0);
        QCOMPARE(form.selEnd, maximum);
        QCOMPARE(form.trckbr2->value(), position);
        QCOMPARE(host.step, step);
        QVERIFY(host.shownSteps.empty());
    }

    void destroyingTheWindowTellsTheHostOnce() {
        FakeAnimationHost host;
        { TForm17 form(&host, nullptr); }
        QCOMPARE(host.windowDestroyedCalls, 1);
    }
};

LOOPLAB_UI_TEST(AnimationFormTest);

#include "test_AnimationForm.moc"
