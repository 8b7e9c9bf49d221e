// The loop curve's screen-space decimation: far fewer vertices, the same picture.

#include "UiTest.h"

#include "ui/LoopCurve.h"
#include "ui/LoopLabChart.h"

#include <QTest>

#include <cmath>
#include <memory>

using namespace looplab;

namespace {

// Distance from p to the segment ab.
double segmentDistance(const QPointF& p, const QPointF& a, const QPointF& b) {
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    double t = length2 > 0 ? QPointF::dotProduct(p - a, ab) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF nearest = a + t * ab;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

// The largest distance from a visible data point to the drawn polyline, in pixels.
double worstDeviation(const LoopCurve& curve, const LoopLabChart& chart) {
    const QVector<QPointF>& line = curve.drawnPolyline();
    const std::vector<int>& runs = curve.drawnRunStarts();
    const QRectF visible = chart.axisRect()->rect();
    double worst = 0.0;
    for (std::size_t i = 0; i < curve.pointCount(); ++i) {
        const QPointF p(chart.xAxis->coordToPixel(curve.strainAt(i)),
                        chart.yAxis->coordToPixel(curve.stressAt(i)));
        if (!std::isfinite(p.x()) || !std::isfinite(p.y()) || !visible.contains(p)) {
            continue;
        }
        double best = 1e300;
        for (std::size_t r = 0; r < runs.size(); ++r) {
            const int begin = runs[r];
            const int end = r + 1 < runs.size() ? runs[r + 1] : static_cast<int>(line.size());
            if (end - begin == 1) {
                best = std::min(best, segmentDistance(p, line[begin], line[begin]));
            }
            for (int k = begin; k + 1 < end; ++k) {
                best = std::min(best, segmentDistance(p, line[k], line[k + 1]));
            }
        }
        worst = std::max(worst, best);
    }
    return worst;
}

// Cycles of growing amplitude, with a bilinear-ish response and a few gaps.
void cyclicLoop(std::vector<double>& x, std::vector<double>& y, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        const double amplitude = 0.03 * double(i + 1) / double(n);
        const double strain = amplitude * std::sin(2 * M_PI * double(i) / 400.0);
        x.push_back(strain);
        y.push_back(300.0 * std::tanh(strain / 0.0015) + 2000.0 * strain);
    }
}

} // namespace

class LoopCurveTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LoopLabChart> chart;
    LoopCurve* curve = nullptr;

private slots:
    void init() {
        chart = std::make_unique<LoopLabChart>();
        chart->resize(800, 500);
        auto x = std::make_shared<std::vector<double>>();
        auto y = std::make_shared<std::vector<double>>();
        cyclicLoop(*x, *y, 20000);
        (*y)[5000] = std::nan(""); // a gap
        curve = chart->addLoopCurve("loop", x, y, Qt::red);
        chart->fullView();
        chart->replot();
    }

    void fullViewDrawsFewVerticesWithinHalfAPixel() {
        QCOMPARE(curve->pointCount(), std::size_t(20000));
        QVERIFY2(curve->drawnPointCount() < 4000,
                 qPrintable(QString::number(curve->drawnPointCount())));
        QVERIFY(curve->drawnRunStarts().size() >= 2); // the gap breaks the line
        const double worst = worstDeviation(*curve, *chart);
        QVERIFY2(worst <= 0.5, qPrintable(QString::number(worst)));
    }

    void zoomedViewsStayWithinHalfAPixel() {
        for (const double factor : {0.3, 0.05, 0.002}) {
            chart->fullView();
            chart->xAxis->scaleRange(factor, 0.001);
            chart->yAxis->scaleRange(factor, 250.0);
            chart->replot();
            const double worst = worstDeviation(*curve, *chart);
            QVERIFY2(worst <= 0.5, qPrintable(QString("zoom %1: %2").arg(factor).arg(worst)));
        }
    }

    void reversalsAlongAStraightLineAreKept() {
        // Back and forth along one line: the turning points must be drawn.
        auto x = std::make_shared<std::vector<double>>(std::vector<double>{0, 1, 2, 3, 1, 0.5, 2.5});
        auto y = std::make_shared<std::vector<double>>(std::vector<double>{0, 1, 2, 3, 1, 0.5, 2.5});
        LoopCurve* line = chart->addLoopCurve("line", x, y, Qt::blue);
        curve->setVisible(false);
        chart->fullView();
        chart->replot();
        QCOMPARE(line->drawnPointCount(), std::size_t(4)); // 0, 3, 0.5, 2.5
        QVERIFY(worstDeviation(*line, *chart) <= 0.5);
    }
};

LOOPLAB_UI_TEST(LoopCurveTest);
#include "test_LoopCurve.moc"
