#pragma once
// A canvas that draws nothing. It keeps what a drawing reads back (the
// scale, the current point, the drawing width) on a grid of device pixels,
// so that a plot runs on it as on the screen. Canvases that only watch a
// drawing build on it: the legend of a plot drawn again, which goes
// nowhere, and those that keep which pixels a graph's points fall into.

#include "toolkit/canvas.h"
#include "toolkit/canvas_geometry.h"

namespace viramont {

class BlankCanvas : public Canvas {
public:
    // A canvas of `widthPx` by `heightPx` device pixels; of none, it is not
    // a canvas of pixels (pixelGrid() is null).
    explicit BlankCanvas(int widthPx = 0, int heightPx = 0) : geometry_(widthPx, heightPx) {}

    void clear() override { geometry_.clear(); }
    void setScale(double left, double top, double right, double bottom) override {
        geometry_.setScale(left, top, right, bottom);
    }
    void setDrawWidth(int pixels) override { geometry_.setDrawWidth(pixels); }
    void point(double x, double y) override { geometry_.moveTo(x, y); }
    void point(double x, double y, Colour) override { geometry_.moveTo(x, y); }
    void points(std::span<const GraphPoint> batch, Colour) override {
        if (!batch.empty()) geometry_.moveTo(batch.back().x, batch.back().y);
    }
    void line(double, double, double x2, double y2) override { geometry_.moveTo(x2, y2); }
    void line(double, double, double x2, double y2, Colour) override { geometry_.moveTo(x2, y2); }
    void print(std::string_view, LineEnd) override {}
    WorldPoint currentPoint() const override { return geometry_.current(); }
    std::string accessibleText() const override { return {}; }
    const CanvasGeometry* pixelGrid() const override { return geometry_.widthPx() > 0 ? &geometry_ : nullptr; }

protected:
    const CanvasGeometry& geometry() const { return geometry_; }

private:
    CanvasGeometry geometry_;
};

} // namespace viramont
