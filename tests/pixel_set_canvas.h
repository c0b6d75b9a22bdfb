#pragma once
// A canvas of Picture1's pixels (or any size) that keeps which pixels the
// graphs' points fall into, by colour, without a toolkit.

#include "form_kit.h"
#include "toolkit/blank_canvas.h"
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
class PixelSetCanvas final : public BlankCanvas {
public:
    explicit PixelSetCanvas(bool everyPoint, layout::PixelSize size = kPicture1)
        : BlankCanvas(size.width, size.height), everyPoint_(everyPoint) {}
    void setScale(double left, double top, double right, double bottom) override {
        BlankCanvas::setScale(left, top, right, bottom);
        scales_.push_back({left, top, right, bottom});
    }
    void points(std::span<const GraphPoint> batch, Colour colour) override {
        const CanvasGeometry& grid = geometry();
        for (const GraphPoint& p : batch) {
            const DevicePoint d = grid.map(p.x, p.y);
            // Where a dot of any width up to 40 can reach the canvas.
            if (grid.hasArea() && d.x >= -40 && d.x < grid.widthPx() + 40 && d.y >= -40 && d.y < grid.heightPx() + 40) {
                pixels_.insert({colour, static_cast<int>(std::floor(d.x)), static_cast<int>(std::floor(d.y))});
            }
        }
        BlankCanvas::points(batch, colour);
    }
    const CanvasGeometry* pixelGrid() const override { return everyPoint_ ? nullptr : BlankCanvas::pixelGrid(); }

    const std::set<std::tuple<Colour, int, int>>& pixels() const { return pixels_; }
    const std::vector<std::array<double, 4>>& scales() const { return scales_; }

private:
    bool everyPoint_;
    std::vector<std::array<double, 4>> scales_;
    std::set<std::tuple<Colour, int, int>> pixels_;
};

} // namespace viramont::test
