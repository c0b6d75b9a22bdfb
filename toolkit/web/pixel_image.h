#pragma once
// The image of a web canvas: its device pixels as opaque 32-bit RGBA in the
// program's memory, drawn by the program itself and shown by the page in
// one copy of the part that changed (present). Dots and lines are stamped
// without anti-aliasing, round, in the drawing width; text comes from the
// page as a mask of coverage and is blended in, in the fore colour.
//
// As on the desktop, a stamp identical to the one just made (same pixel,
// colour and width, nothing drawn in between) changes nothing and is
// skipped, and a batch of graph points is tested against the floats that
// fall into the last stamp's pixel without mapping each one.

#include "toolkit/canvas.h"
#include "toolkit/canvas_geometry.h"

#include <cstdint>
#include <span>
#include <vector>

namespace viramont {

class PixelImage {
public:
    PixelImage(CanvasGeometry& geometry, Colour back);

    // The drawing width in device pixels; scaleChanged after the geometry's
    // scale changed.
    void setDeviceWidth(int pixels);
    int deviceWidth() const { return width_; }
    void scaleChanged();
    // The next point is stamped even where it repeats the last stamp.
    void forget() { last_ = {}; }

    // After the geometry took other device pixels: every pixel `colour`.
    void resized(Colour colour);
    void fill(Colour colour);
    void dot(double x, double y, Colour colour);
    void points(std::span<const GraphPoint> batch, Colour colour);
    // A device segment, already clipped, with round ends: the pixels whose
    // centres lie within half the width of it.
    void line(DevicePoint a, DevicePoint b, Colour colour);
    // Blends `colour` in over a box of `width` x `height` pixels at (x, y)
    // with the coverage of each pixel (0 to 255), row by row.
    void blend(int x, int y, int width, int height, const std::uint8_t* coverage, Colour colour);

    // The box changed since the last shown(); empty when nothing changed.
    struct Box {
        int x, y, width, height;
    };
    bool changed() const { return changedX0_ < changedX1_; }
    Box changedBox() const { return {changedX0_, changedY0_, changedX1_ - changedX0_, changedY1_ - changedY0_}; }
    void shown();
    const std::uint32_t* pixels() const { return pixels_.data(); }

private:
    void stamp(DevicePixel pixel, Colour colour);
    void span(int row, int x0, int x1, std::uint32_t value);
    void touch(int x0, int y0, int x1, int y1);

    CanvasGeometry& geometry_;
    std::vector<std::uint32_t> pixels_;
    int width_ = 1;
    std::vector<DotSpan> shape_;
    DotArea area_;  // where a dot can touch the image
    struct Stamp {
        DevicePixel pixel;
        FloatBox floats;
        Colour colour = 0;
    };
    Stamp last_;
    int changedX0_ = 0, changedY0_ = 0, changedX1_ = 0, changedY1_ = 0;
};

} // namespace viramont
