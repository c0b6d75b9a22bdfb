#pragma once
// The bookkeeping every canvas shares: the user scale and its mapping to
// device pixels, the current point, the drawing width and the printed lines.
// The one place where user coordinates become device pixels.

#include "toolkit/canvas.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace viramont {

struct DevicePoint {
    double x = 0.0;
    double y = 0.0;
};

// The device pixel of a point, its left and top edge; the test whether
// another point falls into it. A pixel of nothing (a NaN edge) holds no
// point, not even a NaN one.
class DevicePixel {
public:
    // The pixel of the device point; a pixel of nothing when a coordinate is
    // not finite or beyond what an int holds.
    static DevicePixel of(DevicePoint d) {
        constexpr double kReach = 2147483647.0;
        if (!(d.x > -kReach && d.x < kReach && d.y > -kReach && d.y < kReach)) return {};
        return {floorOf(d.x), floorOf(d.y)};
    }
    DevicePixel() = default;

    bool holds(DevicePoint d) const { return d.x >= left_ && d.x < left_ + 1 && d.y >= top_ && d.y < top_ + 1; }
    int left() const { return static_cast<int>(left_); }
    int top() const { return static_cast<int>(top_); }

private:
    friend class CanvasGeometry;  // finds the floats inside the edges
    DevicePixel(int left, int top) : left_(left), top_(top) {}
    // A floor without a library call, for |v| within the int range.
    static int floorOf(double v) {
        const int i = static_cast<int>(v);
        return i - (v < i);
    }
    double left_ = std::numeric_limits<double>::quiet_NaN(), top_ = 0.0;
};

// The 32-bit floats whose device position falls into one pixel: x from x0
// to x1 and y from y0 to y1, both ends included. The mapping to device
// pixels never decreases (or never increases) as its argument grows, so the
// floats of a pixel form such a range on each axis, and a graph's points,
// already floats, are tested against it without being mapped. The box may
// leave out a float at an end of the pixel, never take in one outside it;
// it holds nothing by default.
struct FloatBox {
    float x0 = 1.0f, x1 = 0.0f, y0 = 1.0f, y1 = 0.0f;

    bool holds(GraphPoint p) const { return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1; }
    // The first of the points from `from` on that the box does not hold;
    // the size of the batch when it holds them all. A NaN is never held.
    std::size_t firstOutside(std::span<const GraphPoint> batch, std::size_t from) const;
};

// Where a dot can touch a canvas: a dot at device (x, y) is drawn when
// x0 <= x <= x1 and y0 <= y <= y1. Holds nothing (and no NaN) by default.
struct DotArea {
    double x0 = 1, x1 = 0, y0 = 1, y1 = 0;
    bool holds(DevicePoint d) const { return d.x >= x0 && d.x <= x1 && d.y >= y0 && d.y <= y1; }
};

// How far outside a canvas a text's corner may lie and still be set: far
// enough to count as off it for any drawing width.
inline constexpr double kTextMargin = 100000.0;

// A round dot `width` device pixels across, as rows of pixels: each row
// `dy` below and its first pixel `dx` right of the dot's own pixel (which
// lies at the centre, or just above and left of it for an even width).
struct DotSpan {
    int dy, dx, length;
};
std::vector<DotSpan> roundDotSpans(int width);

// A text printed into a canvas and how its line ended.
struct PrintedText {
    std::string text;
    LineEnd end;
};

class CanvasGeometry {
public:
    // A cleared canvas of the given device pixels, scaled to them.
    CanvasGeometry(int widthPx, int heightPx);

    int widthPx() const { return width_; }
    int heightPx() const { return height_; }

    void clear();
    void setScale(double left, double top, double right, double bottom);
    // True when the scale is finite and has a width and a height.
    bool hasArea() const { return hasArea_; }
    // Where a dot `dotWidth` device pixels across can touch the canvas on
    // this scale; nowhere when the scale has no area.
    DotArea dotArea(int dotWidth) const {
        if (!hasArea_) return {};
        return {-static_cast<double>(dotWidth), width_ + static_cast<double>(dotWidth), -static_cast<double>(dotWidth),
                height_ + static_cast<double>(dotWidth)};
    }

    // The mapping itself: device = (user - corner) * factor, per axis, in
    // this order of operations. Meaningful only when hasArea().
    DevicePoint map(double x, double y) const { return {(x - left_) * sx_, (y - top_) * sy_}; }
    // Device pixels to a user unit along y (negative where y grows upwards).
    double factorY() const { return sy_; }

    // Device position of a user point; false when it cannot be drawn (no
    // area, not finite, or more than `margin` pixels outside the canvas).
    bool toDevice(double x, double y, double margin, DevicePoint& out) const {
        if (!hasArea_) return false;
        out = map(x, y);
        return out.x >= -margin && out.x <= width_ + margin && out.y >= -margin && out.y <= height_ + margin;
    }

    // The floats of a graph point whose device position falls into `pixel`.
    // `near` and its box `nearBox`, found on this scale, lend their range
    // along an axis where the two pixels share their edges: a graph moves
    // to a pixel next to its last one, mostly along one axis.
    FloatBox floatsIn(const DevicePixel& pixel, const DevicePixel& near = {}, const FloatBox& nearBox = {}) const;

    // The floats of a graph point's y whose device row is `row`, lo to hi;
    // lo > hi where no float falls into it.
    std::pair<float, float> floatsInRow(double row) const {
        // Found once a scale for each row of the canvas: a graph drawn by its
        // columns meets each of them in every column.
        if (row >= 0 && row < height_ && !rowFloats_.empty()) {
            const std::pair<float, float>& known = rowFloats_[static_cast<std::size_t>(row)];
            if (known != std::pair{0.0f, -1.0f}) return known;
        }
        return findFloatsInRow(row);
    }
    // Whether `other` maps every point to the same device pixel.
    bool sameGrid(const CanvasGeometry& other) const {
        return width_ == other.width_ && height_ == other.height_ && left_ == other.left_ && top_ == other.top_ &&
               sx_ == other.sx_ && sy_ == other.sy_ && hasArea_ == other.hasArea_;
    }

    // Clips the device segment a-b to the canvas grown by `margin`; false when
    // nothing of it is left or it is not finite.
    bool clipToDevice(double x1, double y1, double x2, double y2, double margin, DevicePoint& a, DevicePoint& b) const;

    void setDrawWidth(int pixels) { drawWidth_ = pixels < 1 ? 1 : pixels; }
    int drawWidth() const { return drawWidth_; }

    WorldPoint current() const { return current_; }
    void moveTo(double x, double y) { current_ = {x, y}; }

    // Records a print of `text` that is `widthPx` wide on a line `lineHeightPx`
    // high and moves the current point past it.
    void notePrint(std::string_view text, LineEnd end, double widthPx, double lineHeightPx);
    std::string printedLines() const;
    // The prints since the last clear, in order: a canvas that only prints
    // (the legend) is drawn again from them.
    const std::vector<PrintedText>& prints() const { return prints_; }
    // How often the canvas was cleared: a plot clears its canvas first.
    std::uint64_t clears() const { return clears_; }

private:
    std::pair<float, float> findFloatsInRow(double row) const;

    int width_;
    int height_;
    double left_ = 0.0, top_ = 0.0;
    double sx_ = 1.0, sy_ = 1.0;
    double ux_ = 1.0, uy_ = 1.0;  // user units per device pixel: 1 / sx_, 1 / sy_
    bool hasArea_ = false;
    int drawWidth_ = 1;
    WorldPoint current_;
    std::vector<std::string> lines_;
    std::vector<PrintedText> prints_;
    std::uint64_t clears_ = 0;
    bool lineOpen_ = false;  // the last print stayed on its line and nothing moved since
    WorldPoint openEnd_;
    // floatsInRow of each row of the canvas on this scale; {0, -1} where not
    // yet known ({1, 0} where no float falls into it).
    mutable std::vector<std::pair<float, float>> rowFloats_;
};

} // namespace viramont
