#pragma once
// Round dots stamped into 32-bit pixels in memory, without anti-aliasing:
// the points of both front ends' canvases of pixels, the window's image and
// the page's, so that both give the same pixels.
//
// A plot sets thousands of points per pixel column, mostly on the pixel of
// the previous point; a stamp identical to the one just made (same pixel,
// colour and width, nothing drawn in between) would change nothing and is
// skipped. A batch of graph points is tested against the floats that fall
// into the last stamp's pixel, without mapping each one. Points of one x on
// rows next to each other, as a steep graph gives a pixel column, are
// stamped as one run: each row of pixels they cover filled once.
//
// The stamper keeps the box of pixels it changed, for a front end that
// shows only what changed; other drawings into the same pixels (lines,
// texts) write through span() or say where they wrote with touch().

#include "toolkit/canvas.h"
#include "toolkit/canvas_geometry.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace viramont {

class DotStamper {
public:
    // How a pixel holds a colour: as the 32-bit value 0xAARRGGBB, or as the
    // bytes R, G, B, A in memory (on a little-endian machine 0xAABBGGRR).
    enum class Order { Argb, Rgba };
    // The pixels to stamp into and their values per row, fetched before
    // the first stamp and again after forgetPixels().
    using Fetch = std::uint32_t* (*)(void* owner, int& stride);

    // Pixels of the geometry's device size, mapped by its scale.
    DotStamper(const CanvasGeometry& geometry, Order order, Fetch fetch, void* owner);

    // The drawing width in device pixels.
    void setDeviceWidth(int pixels);
    int deviceWidth() const { return width_; }
    // After the geometry's scale or size changed.
    void scaleChanged();
    // The next point is stamped even where it repeats the last stamp.
    void forget() { last_ = {}; }
    // The pixels may have moved: fetched again before the next stamp.
    void forgetPixels() const { pixels_ = nullptr; }
    // When false every point is stamped (a debug aid and test hook).
    void setSkipRepeats(bool skip) {
        skipRepeats_ = skip;
        last_ = {};
    }

    // A point's dot, unless it repeats the last stamp.
    [[gnu::always_inline]] void dot(double x, double y, Colour colour) {
        const DevicePoint d = geometry_.map(x, y);
        // Inside the pixel of the last stamp, in the same colour: nothing to do.
        if (last_.pixel.holds(d) && colour == last_.colour) return;
        if (!area_.holds(d)) return;  // also NaN
        stamp(DevicePixel::of(d), colour);
    }
    // The points in order, each as dot().
    void points(std::span<const GraphPoint> batch, Colour colour);

    // The pixel value of a colour, opaque.
    std::uint32_t valueOf(Colour colour) const {
        return order_ == Order::Rgba ? (colour | 0xFF000000u)
                                     : 0xFF000000u | static_cast<std::uint32_t>(redOf(colour)) << 16 |
                                           static_cast<std::uint32_t>(greenOf(colour)) << 8 |
                                           static_cast<std::uint32_t>(blueOf(colour));
    }
    // Pixels x0 to x1 - 1 of a row set to `value`, clipped to the image.
    void span(int row, int x0, int x1, std::uint32_t value);

    // The box changed since the last shown(); empty when nothing changed.
    struct Box {
        int x, y, width, height;
    };
    bool changed() const { return changedX0_ < changedX1_; }
    Box changedBox() const { return {changedX0_, changedY0_, changedX1_ - changedX0_, changedY1_ - changedY0_}; }
    void touch(int x0, int y0, int x1, int y1);
    void shown() { changedX0_ = changedY0_ = changedX1_ = changedY1_ = 0; }

private:
    // Draws the dot of the drawing width at a device pixel and remembers it.
    [[gnu::noinline]] void stamp(DevicePixel pixel, Colour colour);
    // The points from `from` on of one x whose pixels follow each other up
    // or down a column, at least two, stamped at once; the index after
    // them, or `from` where no such run starts there.
    std::size_t stampRun(std::span<const GraphPoint> batch, std::size_t from, Colour colour);
    // The dots of device column `px`, rows `top` to `bottom`: each row of
    // pixels they touch filled once, with the union of the dots' spans on it.
    void stampColumn(int px, int top, int bottom, Colour colour);
    std::uint32_t* pixels() const {
        if (!pixels_) pixels_ = fetch_(owner_, stride_);
        return pixels_;
    }

    const CanvasGeometry& geometry_;
    Order order_;
    Fetch fetch_;
    void* owner_;
    mutable std::uint32_t* pixels_ = nullptr;
    mutable int stride_ = 0;
    int width_ = 1;
    std::vector<DotSpan> shape_;
    int shapeTop_ = 0, shapeBottom_ = 0, shapeLeft_ = 0, shapeRight_ = 0;  // the shape's box, ends excluded
    // Whether the dot has a span on every row of its box, each taking in
    // the dot's own column: the spans of any rows of it then join into one.
    bool columnsJoin_ = false;
    DotArea area_;  // where a dot can touch the image
    bool skipRepeats_ = true;
    // The last stamp: its device pixel, the floats of a graph point that
    // fall into it, its colour; a pixel of nothing, holding no point, when
    // anything was drawn since.
    struct Stamp {
        DevicePixel pixel;
        FloatBox floats;
        Colour colour = 0;
    };
    Stamp last_;
    int changedX0_ = 0, changedY0_ = 0, changedX1_ = 0, changedY1_ = 0;
};

} // namespace viramont
