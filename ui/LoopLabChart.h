#pragma once

#include "ui/LoopCurve.h"

#include <qcustomplot.h>

#include <QColor>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace looplab {

class LoopPointIndex;

// The one chart wrapper of both charts: gradient background, fonts and colours, the palette
// handed out in order, the legend with a check box per series (title in bold, in the series'
// colour), wheel zoom, drag pan, double-click full view, and a buffered layer for the moving
// markers. Vectors become chart data only here, in one call per series.
class LoopLabChart : public QCustomPlot {
    Q_OBJECT

public:
    explicit LoopLabChart(QWidget* parent = nullptr);
    ~LoopLabChart() override;

    void setAxisTitles(const QString& bottom, const QString& left);
    // Tick labels with thousands separators, at least one integer digit and up to `decimals`
    // decimals, trailing zeros dropped; a negative count keeps the chart's default labels.
    void setLabelDecimals(int bottomDecimals, int leftDecimals);

    // The next colour of the palette, in the order series are added.
    QColor nextColor();

    // A line series that keeps its points in the order given (a loop runs back and forth),
    // sharing the vectors it is handed. Non-finite values are drawn as gaps.
    LoopCurve* addLoopCurve(const QString& title, LoopCurve::Values x, LoopCurve::Values y,
                            const QColor& color);
    // Lists a series in the legend with its check box.
    void addToLegend(QCPAbstractPlottable* plottable);
    // A one-point series with a visible circle, not in the legend, on the marker layer.
    QCPGraph* addMarker(const QColor& color, double x, double y, double size);
    // Moves a marker's single point; the caller then calls replotMarkers().
    static void moveMarker(QCPGraph* marker, double x, double y);
    // Redraws only the marker layer.
    void replotMarkers();

    // Removes every series and restarts the palette.
    void clearSeries();
    // Fits the axes to every visible series.
    void fullView();

    QCPLayer* markerLayer() const { return markers; }

    // Saves the chart as it is shown (ranges, inverted axes, hidden series, legend) at the
    // given size: a PDF with vector lines when the path ends in ".pdf" (any case), else a PNG
    // picture. Returns "" or the message "Cannot create file "<path>". <reason>".
    QString saveImage(const QString& path, int width, int height);

    // --- read-out ------------------------------------------------------------------------------
    // The text of the tooltip at a pixel of the chart ("" for none); the chart asks for it as
    // the mouse rests, at most once per readoutInterval milliseconds.
    using ReadoutProvider = std::function<QString(const QPoint& pixel)>;
    void setReadoutProvider(ReadoutProvider provider);

    static constexpr double readoutRadius = 12.0; ///< pixels around the cursor searched
    static constexpr int readoutInterval = 40;    ///< milliseconds between two searches

    // The point of a visible loop curve nearest to a pixel, within `radius` pixels.
    struct NearestPoint {
        LoopCurve* curve = nullptr; ///< nullptr when no point is that near
        std::size_t index = 0;
        double distance = 0.0;
    };
    // Looks only at the points near the pixel, through a grid index of each curve that is
    // built the first time the curve is searched.
    NearestPoint nearestLoopPoint(const QPointF& pixel, double radius);
    // The index of the point of a key-sorted graph nearest to a pixel, within `radius` pixels,
    // or -1.
    int nearestGraphPoint(const QCPGraph* graph, const QPointF& pixel, double radius) const;

signals:
    // Any click on the chart, the legend's check boxes included (after a check box toggled
    // its series).
    void chartClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void styleAxis(QCPAxis* axis);
    const LoopPointIndex& indexOf(LoopCurve* curve);
    // Builds the index of one visible curve that has none yet; false when all have one.
    bool buildOneMissingIndex();
    void showReadout();

    QCPLayer* markers = nullptr;
    int colorIndex = 0;
    QPoint pressPosition;

    ReadoutProvider readout;
    QTimer readoutTimer;
    QPoint readoutPixel;
    std::unordered_map<const LoopCurve*, std::unique_ptr<LoopPointIndex>> indexes;
};

// A tick label: thousands separators, at least one integer digit, up to `decimals` decimals
// with trailing zeros dropped, in the user's locale.
QString formatAxisNumber(double value, int decimals, const QLocale& locale);

} // namespace looplab
