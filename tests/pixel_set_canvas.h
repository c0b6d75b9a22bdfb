#pragma once
// A canvas of Picture1's pixels (or any size) that keeps which pixels the
// graphs' points fall into, by colour, without a toolkit.

#include "form_kit.h"
#include "toolkit/canvas.h"
#include "toolkit/canvas_geometry.h"

#include <array>
#include <cmath>
#include <set>
#include <span>
#include <string>
#include <tuple>
#include <vector>

namespace viramont::test {

// A canvas of Picture1's pixels that keeps which pixels the graphs' points
// fall into, by colour: the picture a canvas of pixels draws from them,
// whatever its dots. Column by column, or (`everyPoint`) as the loops give
// each point, when it tells the plot it is not of pixels.
class PixelSetCanvas final : public Canvas {
public:
    explicit PixelSetCanvas(bool everyPoint, layout::PixelSize size = kPicture1)
        : geometry_(size.width, size.height), everyPoint_(everyPoint) {}
    void clear() override { geometry_.clear(); }
    void setScale(double left, double top, double right, double bottom) override {
        geometry_.setScale(left, top, right, bottom);
        scales_.push_back({left, top, right, bottom});
    }
    void setDrawWidth(int pixels) override { geometry_.setDrawWidth(pixels); }
    void point(double x, double y) override { geometry_.moveTo(x, y); }
    void point(double x, double y, Colour) override { geometry_.moveTo(x, y); }
    void points(std::span<const GraphPoint> batch, Colour colour) override {
        for (const GraphPoint& p : batch) {
            const DevicePoint d = geometry_.map(p.x, p.y);
            // Where a dot of any width up to 40 can reach the canvas.
            if (geometry_.hasArea() && d.x >= -40 && d.x < geometry_.widthPx() + 40 && d.y >= -40 &&
                d.y < geometry_.heightPx() + 40) {
                pixels_.insert({colour, static_cast<int>(std::floor(d.x)), static_cast<int>(std::floor(d.y))});
            }
        }
        if (!batch.empty()) geometry_.moveTo(batch.back().x, batch.back().y);
    }
    void line(double, double, double x2, double y2) override { geometry_.moveTo(x2, y2); }
    void line(double, double, double x2, double y2, Colour) override { geometry_.moveTo(x2, y2); }
    void print(std::string_view, LineEnd) override {}
    WorldPoint currentPoint() const override { return geometry_.current(); }
    std::string accessibleText() const override { return {}; }
    const CanvasGeometry* pixelGrid() const override { return everyPoint_ ? nullptr : &geometry_; }

    const std::set<std::tuple<Colour, int, int>>& pixels() const { return pixels_; }
    const std::vector<std::array<double, 4>>& scales() const { return scales_; }

private:
    CanvasGeometry geometry_;
    bool everyPoint_;
    std::vector<std::array<double, 4>> scales_;
    std::set<std::tuple<Colour, int, int>> pixels_;
};

} // namespace viramont::test
