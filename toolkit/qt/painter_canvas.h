#pragma once
// A canvas drawn through a QPainter into a box of any paint device (a
// printer, a PDF, an image), in the device's own units: lines and letters
// as lines and text, crisp at the device's resolution, each dot a round dot.
// The box stands for a canvas of the screen `scale` times as large, so dots,
// lines and letters keep their size relative to the graph.
//
// A graph's points lie so close together that their dots make one stroke:
// consecutive points no farther apart than the dot's width are drawn as one
// line of that width with round ends and joins, which covers what their
// dots cover; a point farther from the last stays a dot of its own.

#include "toolkit/canvas.h"
#include "toolkit/canvas_geometry.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QRectF>

namespace viramont {

class PainterCanvas final : public Canvas {
public:
    // `box` in device units; `font` as the screen's canvas has it.
    PainterCanvas(QPainter& painter, const QRectF& box, double scale, Colour fore, Colour back, const QFont& font);

    void clear() override;
    void setScale(double left, double top, double right, double bottom) override;
    void setDrawWidth(int pixels) override;
    void point(double x, double y) override { point(x, y, fore_); }
    void point(double x, double y, Colour colour) override;
    void points(std::span<const GraphPoint> batch, Colour colour) override;
    void line(double x1, double y1, double x2, double y2) override { line(x1, y1, x2, y2, fore_); }
    void line(double x1, double y1, double x2, double y2, Colour colour) override;
    void print(std::string_view text, LineEnd end) override;
    WorldPoint currentPoint() const override { return geometry_.current(); }
    std::string accessibleText() const override { return geometry_.printedLines(); }

private:
    QPen penOf(Colour colour) const;

    QPainter& painter_;
    QRectF box_;
    double scale_;
    CanvasGeometry geometry_;  // in device units of the box
    Colour fore_;
    Colour back_;
    QFont font_;
    QFontMetricsF metrics_;
};

} // namespace viramont
