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
// width, nothing drawn in between) would change nothing and is skipped.

#include "toolkit/canvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>

#include <limits>
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

    // The image in device pixels, its devicePixelRatio set.
    const QImage& image() const {
        pixels_ = nullptr;  // a copy may now share the pixels: fetch them afresh before writing
        return image_;
    }
    Colour foreColour() const { return fore_; }
    Colour backColour() const { return back_; }
    const QFont& font() const { return font_; }

    // Debug aid and test hook: when false every point is stamped.
    void setSkipRepeatedStamps(bool skip) { skipRepeats_ = skip; }

private:
    struct Span {
        int dy;
        int dx;
        int length;
    };
    // The dot of a point, unless it repeats the last stamp; the current
    // point is left alone.
    [[gnu::always_inline]] void dot(double x, double y, Colour colour) {
        const double dx = (x - originX_) * factorX_;
        const double dy = (y - originY_) * factorY_;
        // Inside the pixel of the last stamp, in the same colour: nothing to do.
        if (dx >= lastLeft_ && dx < lastLeft_ + 1 && dy >= lastTop_ && dy < lastTop_ + 1 && colour == lastColour_) {
            return;
        }
        if (!(dx >= minX_ && dx <= maxX_ && dy >= minY_ && dy <= maxY_)) return;  // also NaN
        // The pixel that holds the point: a floor without a library call.
        int px = static_cast<int>(dx);
        int py = static_cast<int>(dy);
        px -= dx < px;
        py -= dy < py;
        stamp(px, py, colour);
    }
    // Draws the dot of the drawing width at a device pixel and remembers it.
    [[gnu::noinline]] void stamp(int px, int py, Colour colour);
    void rebuildStampShape();
    // Caches the mapping and the area where a dot can touch the canvas.
    void updatePointMapping();
    void forgetLastStamp() { lastLeft_ = kNoStamp; }
    // No coordinate lies in the pixel [kNoStamp, kNoStamp + 1): NaN compares false.
    static constexpr double kNoStamp = std::numeric_limits<double>::quiet_NaN();

    CanvasGeometry geometry_;  // in device pixels
    QImage image_;
    double dpr_;
    Colour fore_;
    Colour back_;
    QFont font_;   // pixel size already in device pixels
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
    // Point mapping, cached from geometry_: a dot at device (x, y) is drawn
    // when minX_ <= x <= maxX_ and minY_ <= y <= maxY_ (an empty box when
    // the scale has no area).
    double originX_ = 0, originY_ = 0, factorX_ = 1, factorY_ = 1;
    double minX_ = 1, maxX_ = 0, minY_ = 1, maxY_ = 0;
    // The device pixel of the last stamp, its left and top edge; lastLeft_
    // is kNoStamp when anything was drawn since.
    double lastLeft_ = kNoStamp, lastTop_ = 0;
    Colour lastColour_ = 0;
};

// The QColor of a stored colour value.
QColor toQColor(Colour c);

} // namespace viramont
