#pragma once
// The canvas of the window: a retained image that every drawing call goes
// into and that the widget copies to the screen when a handler returns, so
// the drawing survives covering and uncovering. The image has the screen's
// device pixels (crisp on high-DPI screens); the drawing width is in logical
// pixels.
//
// Points are round dots stamped straight into the image, by the engine the
// page's canvas stamps with too (dot_stamper.h).

#include "toolkit/canvas.h"
#include "toolkit/canvas_geometry.h"
#include "toolkit/dot_stamper.h"

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
    RasterCanvas(const RasterCanvas&) = delete;  // its stamper writes into its own image
    RasterCanvas& operator=(const RasterCanvas&) = delete;

    void clear() override;
    void setScale(double left, double top, double right, double bottom) override;
    void setDrawWidth(int pixels) override;
    void point(double x, double y) override { point(x, y, fore_); }
    void point(double x, double y, Colour colour) override {
        geometry_.moveTo(x, y);
        stamper_.dot(x, y, colour);
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
        stamper_.forgetPixels();  // a copy may now share the pixels: fetch them afresh before writing
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
    void setSkipRepeatedStamps(bool skip) { stamper_.setSkipRepeats(skip); }

private:
    // The image for drawing through a QPainter or a fill: direct writes
    // fetch their pointer again afterwards, and the next point is stamped
    // even where it repeats the last stamp.
    QImage& paintTarget() {
        stamper_.forgetPixels();
        stamper_.forget();
        return image_;
    }
    static std::uint32_t* pixelsOf(void* canvas, int& stride);

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
    DotStamper stamper_;
};

// The QColor of a stored colour value.
QColor toQColor(Colour c);

} // namespace viramont
