#pragma once

#include "ui/LoopCurve.h"

#include <qcustomplot.h>

#include <QColor>
#include <QString>

#include <vector>

namespace looplab {

// The one chart wrapper of both charts: gradient background, fonts and colours, the palette
// handed out in order, the legend with a check box per series (title in bold, in the series'
// colour), wheel zoom, drag pan, double-click full view, and a buffered layer for the moving
// markers. Vectors become chart data only here, in one call per series.
class LoopLabChart : public QCustomPlot {
    Q_OBJECT

public:
    explicit LoopLabChart(QWidget* parent = nullptr);

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

signals:
    // Any click on the chart, the legend's check boxes included (after a check box toggled
    // its series).
    void chartClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void styleAxis(QCPAxis* axis);

    QCPLayer* markers = nullptr;
    int colorIndex = 0;
    QPoint pressPosition;
};

// A tick label: thousands separators, at least one integer digit, up to `decimals` decimals
// with trailing zeros dropped, in the user's locale.
QString formatAxisNumber(double value, int decimals, const QLocale& locale);

} // namespace looplab
