#pragma once
// The canvas of the window: a retained image that every drawing call goes
// into and that the widget copies to the screen when a handler returns, so
// the drawing survives covering and uncovering. The image has the screen's
// device pixels (crisp on high-DPI screens); the drawing width is in logical
// pixels.
//
// Points are round stamps written straight into the image. A plot sets
// thousands of points per pixel column, mostly on the pixel of the previous
// point; a stamp identical to the one just made (same pixel, colour and
// width, nothing drawn in between) would change nothing and is skipped. A
// batch of graph points is tested against the floats that fall into the
// last stamp's pixel, four points at a time, without mapping each one.

#include "toolkit/canvas.h"
#include "toolkit/canvas_geometry.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>

#include <string>
#include <unordered_map>
#include <vector>

namespace viramont {

class RasterCanvas final : public Canvas {
public:
    RasterCanvas(int widthPx, int heightPx, double devicePixelRatio, Colour fore, Colour back, const QFont& font);

    void clear() override;
    void setScale(double left, double top, double right, double bottom) override;
    void setDrawWidth(int pixels) override;
    void point(double x, double y) override { point(x, y, fore_); }
    void point(double x, double y, Colour colour) override {
        geometry_.moveTo(x, y);
        dot(x, y, colour);
    }
    void points(std::span<const GraphPoint> batch, Colour colour) override;
    void line(double x1, double y1, double x2, double y2) override { line(x1, y1, x2, y2, fore_); }
    void line(double x1, double y1, double x2, double y2, Colour colour) override;
    void print(std::string_view text, LineEnd end) override;
    WorldPoint currentPoint() const override { return geometry_.current(); }
    std::string accessibleText() const override { return geometry_.printedLines(); }
    const CanvasGeometry* pixelGrid() const override { return &geometry_; }

    // The image in device pixels, its devicePixelRatio set.
    const QImage& image() const {
        pixels_ = nullptr;  // a copy may now share the pixels: fetch them afresh before writing
        return image_;
    }
    // The prints since the last clear and the count of clears.
    const CanvasGeometry& geometry() const { return geometry_; }
    Colour foreColour() const { return fore_; }
    Colour backColour() const { return back_; }
    const QFont& font() const { return font_; }

    // What the canvas holds, kept to be put back later: a picture whose
    // still part stays from frame to frame draws it once. The image is
    // shared until either side draws.
    struct Kept {
        QImage image;
        CanvasGeometry geometry;
    };
    Kept keep() const { return {image(), geometry_}; }
    void restore(const Kept& kept);

    // Debug aid and test hook: when false every point is stamped.
    void setSkipRepeatedStamps(bool skip) { skipRepeats_ = skip; }

private:
    using Span = DotSpan;
    // The dot of a point, unless it repeats the last stamp; the current
    // point is left alone.
    [[gnu::always_inline]] void dot(double x, double y, Colour colour) {
        const DevicePoint d = geometry_.map(x, y);
        // Inside the pixel of the last stamp, in the same colour: nothing to do.
        if (lastStamp_.pixel.holds(d) && colour == lastStamp_.colour) return;
        if (!dotArea_.holds(d)) return;  // also NaN
        stamp(DevicePixel::of(d), colour);
    }
    // Draws the dot of the drawing width at a device pixel and remembers it.
    [[gnu::noinline]] void stamp(DevicePixel pixel, Colour colour);
    void rebuildStampShape();
    // Where a dot can touch the canvas, for the current scale and width.
    void updateDotArea();
    // The image for drawing through a QPainter or a fill: direct writes
    // fetch their pointer again afterwards, and the next point is stamped
    // even where it repeats the last stamp.
    QImage& paintTarget() {
        pixels_ = nullptr;
        lastStamp_ = {};
        return image_;
    }

    CanvasGeometry geometry_;  // in device pixels
    QImage image_;
    double dpr_;
    Colour fore_;
    Colour back_;
    QFont font_;  // pixel size already in device pixels
    QFontMetricsF metrics_;
    // Widths of the texts printed lately: a plot prints the same legend and
    // labels again and again, and measuring one costs as much as drawing it.
    std::unordered_map<std::string, double> printWidths_;
    int deviceWidth_ = 1;  // drawing width in device pixels
    std::vector<Span> stampShape_;
    // The image's pixels for direct writes; null when they must be fetched
    // again (QImage::bits detaches a shared image).
    mutable QRgb* pixels_ = nullptr;
    int stride_ = 0;  // pixels per image row
    bool skipRepeats_ = true;
    DotArea dotArea_;  // where a dot can touch the image
    // The last stamp: its device pixel, the floats of a graph point that
    // fall into it, its colour; a pixel of nothing, holding no point, when
    // anything was drawn since.
    struct Stamp {
        DevicePixel pixel;
        FloatBox floats;
        Colour colour = 0;
    };
    Stamp lastStamp_;
};

// The QColor of a stored colour value.
QColor toQColor(Colour c);

} // namespace viramont
