#include "ui/LoopCurve.h"

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <limits>

namespace looplab {

namespace {
// Pixel coordinates are clamped so that far-away points cannot overflow the painter.
constexpr double pixelLimit = 1.0e7;
double clampPixel(double p) { return std::clamp(p, -pixelLimit, pixelLimit); }
} // namespace

LoopCurve::LoopCurve(QCPAxis* keyAxis, QCPAxis* valueAxis, Values strains, Values stresses)
    : QCPAbstractPlottable(keyAxis, valueAxis), xs(std::move(strains)), ys(std::move(stresses)) {
    count = std::min(xs->size(), ys->size());
    double kLow = std::numeric_limits<double>::infinity(), kHigh = -kLow;
    double vLow = kLow, vHigh = -kLow;
    for (std::size_t i = 0; i < count; ++i) {
        const double x = (*xs)[i];
        const double y = (*ys)[i];
        if (std::isfinite(x) && std::isfinite(y)) {
            kLow = std::min(kLow, x);
            kHigh = std::max(kHigh, x);
            vLow = std::min(vLow, y);
            vHigh = std::max(vHigh, y);
            hasRange = true;
        }
    }
    if (hasRange) {
        keyRange = QCPRange(kLow, kHigh);
        valueRange = QCPRange(vLow, vHigh);
    }
    buildOverview();
}

QCPRange LoopCurve::getKeyRange(bool& foundRange, QCP::SignDomain) const {
    foundRange = hasRange;
    return keyRange;
}

QCPRange LoopCurve::getValueRange(bool& foundRange, QCP::SignDomain, const QCPRange&) const {
    foundRange = hasRange;
    return valueRange;
}

LoopCurve::Transform LoopCurve::currentTransform() const {
    Transform t;
    const double kx0 = keyAxis()->coordToPixel(0.0);
    const double kx1 = keyAxis()->coordToPixel(1.0);
    const double vy0 = valueAxis()->coordToPixel(0.0);
    const double vy1 = valueAxis()->coordToPixel(1.0);
    t.x0 = kx0;
    t.xScale = kx1 - kx0;
    t.y0 = vy0;
    t.yScale = vy1 - vy0;
    return t;
}

namespace {

// Streaming simplification in pixel space. From the last point kept (the anchor) the first
// point farther than the tolerance fixes a direction; following points are left out while they
// stay within the tolerance of that line and keep moving forward along it. The first point that
// leaves the line, or turns back (a loop reverses), makes the point before it the new anchor.
// Every point left out lies within twice the tolerance of the polyline drawn, so a tolerance of
// a quarter pixel gives the same picture with far fewer vertices: a loop sweeps over the same
// pixels cycle after cycle, and most of it is straight or gently curved.
template <typename Sink> class LineSimplifier {
public:
    LineSimplifier(Sink sink_, double tolerance_) : sink(sink_), tolerance(tolerance_) {}

    void start(double x, double y, std::size_t index) {
        flush();
        sink(x, y, index);
        anchorX = x;
        anchorY = y;
        hasCandidate = false;
        hasDirection = false;
    }

    void add(double x, double y, std::size_t index) {
        const double dx = x - anchorX;
        const double dy = y - anchorY;
        if (!hasDirection) {
            const double lengthSquared = dx * dx + dy * dy;
            if (lengthSquared > tolerance * tolerance) {
                const double inverse = 1.0 / std::sqrt(lengthSquared);
                directionX = dx * inverse;
                directionY = dy * inverse;
                hasDirection = true;
                reach = lengthSquared * inverse;
            }
            keepCandidate(x, y, index);
            return;
        }
        const double offLine = dx * directionY - dy * directionX;
        const double along = dx * directionX + dy * directionY;
        if (offLine <= tolerance && offLine >= -tolerance && along >= reach - tolerance) {
            reach = std::max(reach, along);
            keepCandidate(x, y, index);
            return;
        }
        // Off the line or turning back: the last point becomes the new anchor.
        sink(candidateX, candidateY, candidateIndex);
        anchorX = candidateX;
        anchorY = candidateY;
        hasCandidate = false;
        hasDirection = false;
        add(x, y, index);
    }

    void flush() {
        if (hasCandidate) {
            sink(candidateX, candidateY, candidateIndex);
            hasCandidate = false;
        }
    }

private:
    void keepCandidate(double x, double y, std::size_t index) {
        candidateX = x;
        candidateY = y;
        candidateIndex = index;
        hasCandidate = true;
    }

    Sink sink;
    double tolerance;
    double anchorX = 0, anchorY = 0;
    double candidateX = 0, candidateY = 0;
    std::size_t candidateIndex = 0;
    bool hasCandidate = false;
    double directionX = 0, directionY = 0;
    double reach = 0; ///< farthest distance reached along the direction
    bool hasDirection = false;
};

} // namespace

// Region code of a pixel against a rectangle: which sides it lies beyond.
static int outcode(double x, double y, const QRectF& r) {
    return (x < r.left() ? 1 : 0) | (x > r.right() ? 2 : 0) | (y < r.top() ? 4 : 0) |
           (y > r.bottom() ? 8 : 0);
}

void LoopCurve::buildOverview() {
    if (!hasRange) {
        return;
    }
    // Normalised coordinates: the data's extent is 1 × 1.
    const double kSpan = keyRange.size() > 0 ? keyRange.size() : 1.0;
    const double vSpan = valueRange.size() > 0 ? valueRange.size() : 1.0;
    auto keep = [this](double, double, std::size_t index) {
        overview.push_back(static_cast<std::uint32_t>(index));
    };
    LineSimplifier<decltype(keep)> simplifier(keep, overviewTolerance);
    bool inRun = false;
    for (std::size_t i = 0; i < count; ++i) {
        const double x = (*xs)[i];
        const double y = (*ys)[i];
        if (!std::isfinite(x) || !std::isfinite(y)) {
            simplifier.flush();
            overview.push_back(static_cast<std::uint32_t>(i)); // the gap itself
            inRun = false;
            continue;
        }
        const double u = (x - keyRange.lower) / kSpan;
        const double v = (y - valueRange.lower) / vSpan;
        if (!inRun) {
            simplifier.start(u, v, i);
            inRun = true;
        } else {
            simplifier.add(u, v, i);
        }
    }
    simplifier.flush();
}

void LoopCurve::rebuildPolyline(const Transform& t) {
    polyline.clear();
    breaks.clear();
    auto emitPixel = [this](double x, double y, std::size_t) { polyline.append(QPointF(x, y)); };
    LineSimplifier<decltype(emitPixel)> simplifier(emitPixel, 0.25);

    // The overview is exact to overviewTolerance of the data's extent; while that is a small
    // part of a pixel it stands in for the points. Zoomed in further, every point is walked,
    // and segments wholly beyond one side of the plot are skipped.
    const double kSpan = keyRange.size() > 0 ? keyRange.size() : 1.0;
    const double vSpan = valueRange.size() > 0 ? valueRange.size() : 1.0;
    const double overviewError =
        overviewTolerance * std::max(std::fabs(t.xScale) * kSpan, std::fabs(t.yScale) * vSpan);
    const bool useOverview = overviewError <= 0.1 && !overview.empty();
    const std::size_t n = useOverview ? overview.size() : count;
    const QRectF clip = QRectF(clipRect()).adjusted(-2, -2, 2, 2);

    bool inRun = false;
    int previousCode = 0;
    double pendingX = 0, pendingY = 0;
    std::size_t pendingIndex = 0;
    bool pending = false;
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t i = useOverview ? overview[k] : k;
        const double px = t.x0 + t.xScale * (*xs)[i];
        const double py = t.y0 + t.yScale * (*ys)[i];
        if (!std::isfinite(px) || !std::isfinite(py)) {
            simplifier.flush();
            inRun = false; // a gap: the line breaks here
            pending = false;
            continue;
        }
        const double x = clampPixel(px);
        const double y = clampPixel(py);
        const int code = outcode(x, y, clip);
        if (!inRun) {
            // A run starts at the last point before the first segment that may show.
            if (pending && (code & previousCode) == 0) {
                breaks.push_back(static_cast<int>(polyline.size()));
                simplifier.start(pendingX, pendingY, pendingIndex);
                simplifier.add(x, y, i);
                inRun = true;
            } else if (!pending && code == 0) {
                breaks.push_back(static_cast<int>(polyline.size()));
                simplifier.start(x, y, i);
                inRun = true;
            }
        } else if ((code & previousCode) != 0) {
            simplifier.flush(); // this segment lies wholly outside: end the run
            inRun = false;
        } else {
            simplifier.add(x, y, i);
        }
        pending = true;
        pendingX = x;
        pendingY = y;
        pendingIndex = i;
        previousCode = code;
    }
    simplifier.flush();
    cachedTransform = t;
    cacheValid = true;
}

void LoopCurve::draw(QCPPainter* painter) {
    if (count == 0 || !keyAxis() || !valueAxis()) {
        return;
    }
    const Transform t = currentTransform();
    if (!cacheValid || !(t == cachedTransform)) {
        rebuildPolyline(t);
    }
    // Antialiasing a polyline of hundreds of thousands of vertices costs more than it shows.
    painter->setAntialiasing(mAntialiased && polyline.size() < 20000);
    painter->setPen(mPen);
    painter->setBrush(Qt::NoBrush);
    for (std::size_t r = 0; r < breaks.size(); ++r) {
        const int begin = breaks[r];
        const int end = r + 1 < breaks.size() ? breaks[r + 1] : static_cast<int>(polyline.size());
        if (end - begin == 1) {
            painter->drawPoint(polyline[begin]);
        } else {
            painter->drawPolyline(polyline.constData() + begin, end - begin);
        }
    }
}

void LoopCurve::drawLegendIcon(QCPPainter* painter, const QRectF& rect) const {
    painter->setPen(mPen);
    painter->drawLine(QLineF(rect.left(), rect.center().y(), rect.right(), rect.center().y()));
}

std::size_t LoopCurve::nearestPoint(const QPointF& pixel, double* distance) const {
    std::size_t best = count;
    double bestSquared = std::numeric_limits<double>::infinity();
    const Transform t = currentTransform();
    for (std::size_t i = 0; i < count; ++i) {
        const double dx = t.x0 + t.xScale * (*xs)[i] - pixel.x();
        const double dy = t.y0 + t.yScale * (*ys)[i] - pixel.y();
        const double squared = dx * dx + dy * dy;
        if (squared < bestSquared) {
            bestSquared = squared;
            best = i;
        }
    }
    if (distance != nullptr) {
        *distance = std::sqrt(bestSquared);
    }
    return best;
}

// Loops are neither selectable nor mouse targets: clicks go to the chart (zoom, pan, the
// marker sync), and a read-out uses nearestPoint directly.
double LoopCurve::selectTest(const QPointF&, bool, QVariant*) const { return -1; }

} // namespace looplab
