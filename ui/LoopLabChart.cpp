#include "ui/LoopLabChart.h"

#include <QFile>
#include <QImageWriter>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace looplab {

// A coarse grid over a loop's data extent. Each cell lists the runs of consecutive points
// that fall into it, so that a loop sweeping the same strains cycle after cycle is stored as
// a few runs per cell rather than point by point, and a search near the cursor visits only
// the cells around it.
class LoopPointIndex {
public:
    explicit LoopPointIndex(const LoopCurve& curve) {
        bool foundKeys = false;
        bool foundValues = false;
        const QCPRange keys = curve.getKeyRange(foundKeys);
        const QCPRange values = curve.getValueRange(foundValues);
        if (!foundKeys || !foundValues) {
            return;
        }
        keyLow = keys.lower;
        keyHigh = keys.upper;
        valueLow = values.lower;
        valueHigh = values.upper;
        keyScale = keys.size() > 0 ? cells / keys.size() : 0.0;
        valueScale = values.size() > 0 ? cells / values.size() : 0.0;

        struct Run {
            std::uint32_t cell, begin, end;
        };
        std::vector<Run> runs;
        const std::size_t count = curve.pointCount();
        bool inRun = false;
        for (std::size_t i = 0; i < count; ++i) {
            const double x = curve.strainAt(i);
            const double y = curve.stressAt(i);
            if (!std::isfinite(x) || !std::isfinite(y)) {
                inRun = false;
                continue;
            }
            const std::uint32_t cell = cellOf(x, y);
            if (inRun && runs.back().cell == cell) {
                runs.back().end = static_cast<std::uint32_t>(i + 1);
            } else {
                runs.push_back(
                    {cell, static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(i + 1)});
                inRun = true;
            }
        }
        // Counting sort of the runs by cell.
        cellStart.assign(static_cast<std::size_t>(cells) * cells + 1, 0);
        for (const Run& run : runs) {
            ++cellStart[run.cell + 1];
        }
        for (std::size_t c = 1; c < cellStart.size(); ++c) {
            cellStart[c] += cellStart[c - 1];
        }
        std::vector<std::uint32_t> fill(cellStart.begin(), cellStart.end() - 1);
        runBegin.resize(runs.size());
        runEnd.resize(runs.size());
        for (const Run& run : runs) {
            const std::uint32_t at = fill[run.cell]++;
            runBegin[at] = run.begin;
            runEnd[at] = run.end;
        }
    }

    // Calls visit(i) for every point of the cells that meet the data rectangle.
    template <typename Visit>
    void forEachNear(double x0, double x1, double y0, double y1, Visit visit) const {
        if (cellStart.empty() || x1 < keyLow || x0 > keyHigh || y1 < valueLow || y0 > valueHigh) {
            return;
        }
        const int cx0 = column(x0), cx1 = column(x1);
        const int cy0 = row(y0), cy1 = row(y1);
        for (int cy = cy0; cy <= cy1; ++cy) {
            for (int cx = cx0; cx <= cx1; ++cx) {
                const std::size_t cell = static_cast<std::size_t>(cy) * cells + cx;
                for (std::uint32_t r = cellStart[cell]; r < cellStart[cell + 1]; ++r) {
                    for (std::uint32_t i = runBegin[r]; i < runEnd[r]; ++i) {
                        visit(i);
                    }
                }
            }
        }
    }

private:
    static constexpr int cells = 256;

    int column(double x) const {
        return std::clamp(static_cast<int>((x - keyLow) * keyScale), 0, cells - 1);
    }
    int row(double y) const {
        return std::clamp(static_cast<int>((y - valueLow) * valueScale), 0, cells - 1);
    }
    std::uint32_t cellOf(double x, double y) const {
        return static_cast<std::uint32_t>(row(y) * cells + column(x));
    }

    double keyLow = 0, keyHigh = 0, valueLow = 0, valueHigh = 0;
    double keyScale = 0, valueScale = 0;
    std::vector<std::uint32_t> cellStart; ///< first run of each cell; one more at the end
    std::vector<std::uint32_t> runBegin;  ///< first point of each run, runs sorted by cell
    std::vector<std::uint32_t> runEnd;    ///< one past the last point of each run
};

namespace {

const QColor gridColor(169, 169, 169);
const QColor axisColor(64, 64, 64);

// Fourteen well-separated colours, one per model of the catalogue, then repeated.
const QColor seriesPalette[] = {
    QColor(31, 119, 180), QColor(214, 39, 40),  QColor(44, 160, 44),  QColor(255, 127, 14),
    QColor(148, 103, 189), QColor(23, 190, 207), QColor(140, 86, 75),  QColor(227, 119, 194),
    QColor(188, 189, 34), QColor(0, 0, 128),    QColor(128, 0, 0),    QColor(0, 128, 128),
    QColor(255, 0, 255),  QColor(96, 96, 96)};

QBrush verticalGradient() {
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0.0, QColor(234, 234, 234));
    gradient.setColorAt(1.0, Qt::white);
    return QBrush(gradient);
}

class FormattedTicker : public QCPAxisTicker {
public:
    explicit FormattedTicker(int decimals_) : decimals(decimals_) {}

protected:
    QString getTickLabel(double tick, const QLocale& locale, QChar, int) override {
        return formatAxisNumber(tick, decimals, locale);
    }

private:
    int decimals;
};

// A legend entry drawn as a check box followed by the series' title in bold, in its colour.
class CheckBoxLegendItem : public QCPPlottableLegendItem {
public:
    CheckBoxLegendItem(QCPLegend* legend, QCPAbstractPlottable* plottable)
        : QCPPlottableLegendItem(legend, plottable) {}

protected:
    void draw(QCPPainter* painter) override {
        QFont font = mParentLegend->font();
        font.setBold(true);
        painter->setFont(font);
        const QColor color = mPlottable->pen().color();
        const QFontMetrics metrics(font);
        const int box = metrics.height() - 2;
        const QRect boxRect(mRect.left(), mRect.top() + (mRect.height() - box) / 2, box, box);
        painter->setPen(QPen(axisColor, 1));
        painter->setBrush(Qt::white);
        painter->drawRect(boxRect);
        if (mPlottable->visible()) {
            painter->setPen(QPen(color, 2));
            painter->drawLine(QLineF(boxRect.left() + 2, boxRect.center().y(),
                                     boxRect.center().x(), boxRect.bottom() - 2));
            painter->drawLine(QLineF(boxRect.center().x(), boxRect.bottom() - 2,
                                     boxRect.right() - 2, boxRect.top() + 2));
        }
        painter->setPen(QPen(color));
        const QRect textRect(boxRect.right() + 5, mRect.top(), mRect.width() - box - 5,
                             mRect.height());
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, mPlottable->name());
    }
    QSize minimumOuterSizeHint() const override {
        QFont font = mParentLegend->font();
        font.setBold(true);
        const QFontMetrics metrics(font);
        const QSize text = metrics.size(0, mPlottable->name());
        return QSize(metrics.height() + 3 + text.width(), std::max(text.height(), metrics.height())) +
               QSize(mMargins.left() + mMargins.right(), mMargins.top() + mMargins.bottom());
    }
};

} // namespace

QString formatAxisNumber(double value, int decimals, const QLocale& locale) {
    if (!std::isfinite(value)) {
        return QString();
    }
    QLocale grouped = locale; // thousands separators even where the locale omits them (C)
    grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    QString text = grouped.toString(value, 'f', decimals);
    const QString decimalPoint = grouped.decimalPoint();
    const int point = text.indexOf(decimalPoint);
    if (point >= 0) {
        int end = static_cast<int>(text.size());
        while (end > point + 1 && text[end - 1] == QLatin1Char('0')) {
            --end;
        }
        if (end == point + 1) {
            end = point;
        }
        text.truncate(end);
    }
    // A value that rounds to zero is "0", never "-0".
    bool onlyZeros = true;
    for (const QChar c : text) {
        if (c.isDigit() && c != QLatin1Char('0')) {
            onlyZeros = false;
        }
    }
    return onlyZeros ? QStringLiteral("0") : text;
}

LoopLabChart::LoopLabChart(QWidget* parent) : QCustomPlot(parent) {
    setBackground(verticalGradient());
    axisRect()->setBackground(verticalGradient());
    for (QCPAxis* axis : {xAxis, yAxis, xAxis2, yAxis2}) {
        styleAxis(axis);
    }
    xAxis2->setVisible(false);
    yAxis2->setVisible(false);

    legend->setVisible(true);
    legend->setFont(QFont(QStringLiteral("Verdana"), 8));
    legend->setBrush(QColor(255, 255, 255, 220));
    legend->setBorderPen(QPen(gridColor));
    axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignRight);

    addLayer(QStringLiteral("markers"), layer(QStringLiteral("main")), QCustomPlot::limAbove);
    markers = layer(QStringLiteral("markers"));
    markers->setMode(QCPLayer::lmBuffered);

    setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    setNoAntialiasingOnDrag(true);

    readoutTimer.setSingleShot(true);
    readoutTimer.setInterval(readoutInterval);
    connect(&readoutTimer, &QTimer::timeout, this, &LoopLabChart::showReadout);

    connect(this, &QCustomPlot::legendClick, this,
            [this](QCPLegend*, QCPAbstractLegendItem* item, QMouseEvent*) {
                if (auto* entry = qobject_cast<QCPPlottableLegendItem*>(item)) {
                    entry->plottable()->setVisible(!entry->plottable()->visible());
                    replot();
                }
            });
}

LoopLabChart::~LoopLabChart() = default;

void LoopLabChart::styleAxis(QCPAxis* axis) {
    const QFont font(QStringLiteral("Verdana"), 8);
    axis->setLabelFont(font);
    axis->setTickLabelFont(font);
    axis->setBasePen(QPen(axisColor, 1));
    axis->setTickPen(QPen(gridColor, 1));
    axis->setSubTickPen(QPen(gridColor, 1));
    axis->setTickLabelColor(axisColor);
    axis->setLabelColor(axisColor);
    axis->grid()->setPen(QPen(gridColor, 1, Qt::DotLine));
    axis->grid()->setZeroLinePen(QPen(gridColor, 1));
}

void LoopLabChart::setAxisTitles(const QString& bottom, const QString& left) {
    xAxis->setLabel(bottom);
    yAxis->setLabel(left);
}

void LoopLabChart::setLabelDecimals(int bottomDecimals, int leftDecimals) {
    if (bottomDecimals >= 0) {
        xAxis->setTicker(QSharedPointer<QCPAxisTicker>(new FormattedTicker(bottomDecimals)));
    }
    if (leftDecimals >= 0) {
        yAxis->setTicker(QSharedPointer<QCPAxisTicker>(new FormattedTicker(leftDecimals)));
    }
}

QColor LoopLabChart::nextColor() {
    const int count = static_cast<int>(std::size(seriesPalette));
    return seriesPalette[colorIndex++ % count];
}

LoopCurve* LoopLabChart::addLoopCurve(const QString& title, LoopCurve::Values x,
                                      LoopCurve::Values y, const QColor& color) {
    auto* curve = new LoopCurve(xAxis, yAxis, std::move(x), std::move(y));
    curve->setName(title);
    curve->setPen(QPen(color, 1));
    addToLegend(curve);
    return curve;
}

void LoopLabChart::addToLegend(QCPAbstractPlottable* plottable) {
    if (legend->hasItemWithPlottable(plottable)) {
        legend->removeItem(legend->itemWithPlottable(plottable));
    }
    legend->addElement(legend->rowCount(), 0, new CheckBoxLegendItem(legend, plottable));
}

QCPGraph* LoopLabChart::addMarker(const QColor& color, double x, double y, double size) {
    auto* marker = new QCPGraph(xAxis, yAxis);
    marker->removeFromLegend();
    marker->setLayer(markers);
    marker->setLineStyle(QCPGraph::lsNone);
    marker->setPen(QPen(color, 1));
    marker->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(color, 1),
                                            QBrush(color), size));
    moveMarker(marker, x, y);
    return marker;
}

void LoopLabChart::moveMarker(QCPGraph* marker, double x, double y) {
    const double nan = std::nan("");
    const double xi = std::isfinite(x) ? x : nan;
    const double yi = std::isfinite(y) ? y : nan;
    if (marker->data()->size() == 1) {
        auto point = marker->data()->begin();
        point->key = xi;
        point->value = yi;
    } else {
        marker->data()->clear();
        marker->addData(xi, yi);
    }
}

void LoopLabChart::replotMarkers() { markers->replot(); }

void LoopLabChart::clearSeries() {
    clearPlottables();
    legend->clearItems();
    colorIndex = 0;
    indexes.clear();
}

void LoopLabChart::fullView() {
    rescaleAxes(true);
    for (QCPAxis* axis : {xAxis, yAxis}) {
        QCPRange range = axis->range();
        if (range.size() == 0.0) {
            const double pad = range.lower == 0.0 ? 1.0 : std::fabs(range.lower) * 0.1;
            axis->setRange(range.lower - pad, range.upper + pad);
        } else {
            axis->scaleRange(1.05, range.center());
        }
    }
}

void LoopLabChart::mouseDoubleClickEvent(QMouseEvent* event) {
    QCustomPlot::mouseDoubleClickEvent(event);
    fullView();
    replot();
}

void LoopLabChart::mousePressEvent(QMouseEvent* event) {
    pressPosition = event->pos();
    QCustomPlot::mousePressEvent(event);
}

void LoopLabChart::mouseReleaseEvent(QMouseEvent* event) {
    QCustomPlot::mouseReleaseEvent(event);
    // A click, not the end of a drag.
    if ((event->pos() - pressPosition).manhattanLength() <= 3 &&
        event->button() == Qt::LeftButton) {
        emit chartClicked();
    }
}

void LoopLabChart::mouseMoveEvent(QMouseEvent* event) {
    QCustomPlot::mouseMoveEvent(event);
    if (!readout) {
        return;
    }
    if (event->buttons() != Qt::NoButton) {
        // Dragging pans the chart; the read-out waits until the mouse rests again.
        readoutTimer.stop();
        QToolTip::hideText();
        return;
    }
    // Throttled: the search runs once the timer fires, for the latest position.
    readoutPixel = event->pos();
    if (!readoutTimer.isActive()) {
        readoutTimer.start(readoutInterval);
    }
}

void LoopLabChart::leaveEvent(QEvent* event) {
    QCustomPlot::leaveEvent(event);
    readoutTimer.stop();
    QToolTip::hideText();
}

void LoopLabChart::setReadoutProvider(ReadoutProvider provider) {
    readout = std::move(provider);
    setMouseTracking(true);
}

void LoopLabChart::showReadout() {
    if (!readout || !underMouse()) {
        return;
    }
    // A curve's first search builds its index; build one per turn of the event loop, so that
    // fourteen curves of a million points never hold the window for long.
    if (buildOneMissingIndex()) {
        readoutTimer.start(0);
        return;
    }
    const QString text = readout(readoutPixel);
    if (text.isEmpty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(mapToGlobal(readoutPixel), text, this);
    }
}

const LoopPointIndex& LoopLabChart::indexOf(LoopCurve* curve) {
    auto found = indexes.find(curve);
    if (found == indexes.end()) {
        found = indexes.emplace(curve, std::make_unique<LoopPointIndex>(*curve)).first;
        // A curve removed by any means takes its index with it, so that a new curve at the
        // same address never finds a stale one.
        connect(curve, &QObject::destroyed, this, [this, curve] { indexes.erase(curve); });
    }
    return *found->second;
}

bool LoopLabChart::buildOneMissingIndex() {
    for (int p = 0; p < plottableCount(); ++p) {
        auto* curve = qobject_cast<LoopCurve*>(plottable(p));
        if (curve != nullptr && curve->visible() && indexes.find(curve) == indexes.end()) {
            indexOf(curve);
            return true;
        }
    }
    return false;
}

namespace {

// pixel = offset + scale·coordinate along one linear axis.
struct AxisMap {
    double offset, scale;
    explicit AxisMap(const QCPAxis* axis)
        : offset(axis->coordToPixel(0.0)), scale(axis->coordToPixel(1.0) - offset) {}
    double operator()(double coordinate) const { return offset + scale * coordinate; }
};

// The data interval an axis shows between two pixels, lower end first.
std::pair<double, double> coordinateSpan(const QCPAxis* axis, double pixelA, double pixelB) {
    const double a = axis->pixelToCoord(pixelA);
    const double b = axis->pixelToCoord(pixelB);
    return {std::min(a, b), std::max(a, b)};
}

} // namespace

LoopLabChart::NearestPoint LoopLabChart::nearestLoopPoint(const QPointF& pixel, double radius) {
    NearestPoint best;
    const double limit = radius * radius;
    double bestSquared = limit;
    for (int p = 0; p < plottableCount(); ++p) {
        auto* curve = qobject_cast<LoopCurve*>(plottable(p));
        if (curve == nullptr || !curve->visible() || curve->pointCount() == 0) {
            continue;
        }
        const QCPAxis* keyAxis = curve->keyAxis();
        const QCPAxis* valueAxis = curve->valueAxis();
        const AxisMap toX(keyAxis);
        const AxisMap toY(valueAxis);
        const auto [x0, x1] = coordinateSpan(keyAxis, pixel.x() - radius, pixel.x() + radius);
        const auto [y0, y1] = coordinateSpan(valueAxis, pixel.y() + radius, pixel.y() - radius);
        // The nearest point of this curve; of equally near points, the earliest step.
        bool found = false;
        std::size_t nearest = 0;
        double nearestSquared = limit;
        indexOf(curve).forEachNear(x0, x1, y0, y1, [&](std::size_t i) {
            const double dx = toX(curve->strainAt(i)) - pixel.x();
            const double dy = toY(curve->stressAt(i)) - pixel.y();
            const double squared = dx * dx + dy * dy;
            if (squared > limit) {
                return;
            }
            if (!found || squared < nearestSquared || (squared == nearestSquared && i < nearest)) {
                nearest = i;
                nearestSquared = squared;
                found = true;
            }
        });
        // Of equally near curves, the first.
        if (found && (best.curve == nullptr || nearestSquared < bestSquared)) {
            best.curve = curve;
            best.index = nearest;
            bestSquared = nearestSquared;
            best.distance = std::sqrt(nearestSquared);
        }
    }
    return best;
}

int LoopLabChart::nearestGraphPoint(const QCPGraph* graph, const QPointF& pixel,
                                    double radius) const {
    if (graph == nullptr || !graph->visible() || graph->data()->isEmpty()) {
        return -1;
    }
    const AxisMap toX(graph->keyAxis());
    const AxisMap toY(graph->valueAxis());
    const auto [k0, k1] = coordinateSpan(graph->keyAxis(), pixel.x() - radius, pixel.x() + radius);
    const auto data = graph->data();
    double bestSquared = radius * radius;
    int best = -1;
    for (auto it = data->findBegin(k0, false); it != data->constEnd() && it->key <= k1; ++it) {
        if (!std::isfinite(it->value)) {
            continue;
        }
        const double dx = toX(it->key) - pixel.x();
        const double dy = toY(it->value) - pixel.y();
        const double squared = dx * dx + dy * dy;
        if (squared < bestSquared || (best < 0 && squared <= bestSquared)) {
            bestSquared = squared;
            best = static_cast<int>(it - data->constBegin());
        }
    }
    return best;
}

QString LoopLabChart::saveImage(const QString& path, int width, int height) {
    const bool pdf = path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return QStringLiteral("Cannot create file \"%1\". %2").arg(path, file.errorString());
    }
    bool written = false;
    if (pdf) {
        file.close(); // the PDF writer opens the file itself
        written = savePdf(path, width, height, QCP::epAllowCosmetic, QStringLiteral("LoopLab"));
    } else {
        QImageWriter writer(&file, "png");
        written = writer.write(toPixmap(width, height).toImage());
        file.close();
    }
    if (!written || file.error() != QFileDevice::NoError) {
        const QString reason = file.error() != QFileDevice::NoError
                                   ? file.errorString()
                                   : QStringLiteral("The image could not be written.");
        return QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason);
    }
    return {};
}

} // namespace looplab
