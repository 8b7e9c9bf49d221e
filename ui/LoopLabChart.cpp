#include "ui/LoopLabChart.h"

#include <cmath>

namespace looplab {

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

    connect(this, &QCustomPlot::legendClick, this,
            [this](QCPLegend*, QCPAbstractLegendItem* item, QMouseEvent*) {
                if (auto* entry = qobject_cast<QCPPlottableLegendItem*>(item)) {
                    entry->plottable()->setVisible(!entry->plottable()->visible());
                    replot();
                }
            });
}

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

} // namespace looplab
