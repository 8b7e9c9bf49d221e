#pragma once

#include <qcustomplot.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace looplab {

// A stress–strain loop drawn straight from the computed vectors, which it shares rather than
// copies. Points are joined in their order (a loop runs back and forth along the strain axis).
// Drawing is decimated in screen space: points that the drawn polyline passes within half a
// pixel of (consecutive points on the same pixel among them) are not handed to the painter;
// the data keep every point, so the export and the animation see them all. The pixel polyline
// is cached until the axes or the widget change, so a redraw for a legend check box or a
// moving marker walks no points.
class LoopCurve : public QCPAbstractPlottable {
    Q_OBJECT

public:
    using Values = std::shared_ptr<const std::vector<double>>;

    LoopCurve(QCPAxis* keyAxis, QCPAxis* valueAxis, Values strains, Values stresses);

    std::size_t pointCount() const { return count; }
    double strainAt(std::size_t i) const { return (*xs)[i]; }
    double stressAt(std::size_t i) const { return (*ys)[i]; }
    // Points the last draw actually handed to the painter.
    std::size_t drawnPointCount() const { return static_cast<std::size_t>(polyline.size()); }
    // The pixel polyline of the last draw and where each of its unbroken runs starts.
    const QVector<QPointF>& drawnPolyline() const { return polyline; }
    const std::vector<int>& drawnRunStarts() const { return breaks; }

    // The index of the point nearest to a pixel position, and its distance in pixels; the
    // index is pointCount() when there is no drawable point.
    std::size_t nearestPoint(const QPointF& pixel, double* distance) const;

    double selectTest(const QPointF& pos, bool onlySelectable,
                      QVariant* details = nullptr) const override;
    QCPRange getKeyRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth) const override;
    QCPRange getValueRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth,
                           const QCPRange& inKeyRange = QCPRange()) const override;

protected:
    void draw(QCPPainter* painter) override;
    void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override;

private:
    struct Transform {
        double x0 = 0, xScale = 0, y0 = 0, yScale = 0; // pixel = offset + scale·value
        bool operator==(const Transform&) const = default;
    };
    Transform currentTransform() const;
    void buildOverview();
    void rebuildPolyline(const Transform& t);

    // Tolerance of the overview, as a share of the data's extent on each axis.
    static constexpr double overviewTolerance = 1.0 / 65536.0;

    Values xs;
    Values ys;
    std::size_t count = 0;
    QCPRange keyRange, valueRange;
    bool hasRange = false;
    // The points that, joined in order, stay within overviewTolerance of the whole loop
    // (indices into the data; non-finite points included as gaps). Built once.
    std::vector<std::uint32_t> overview;

    Transform cachedTransform;
    bool cacheValid = false;
    QVector<QPointF> polyline;     ///< decimated pixels, NaN points mark breaks
    std::vector<int> breaks;       ///< start index of each unbroken run within polyline
};

} // namespace looplab
