#pragma once
// The canvas of the page: a canvas element of the page, found by its id,
// showing an image the program draws itself (pixel_image.h) at the device
// pixels the program's geometry gives, as the desktop's raster canvas does.
// The page sets a text's letters, as a mask the image blends in, and shows
// the changed part of the image when a handler ends (present). The element
// has the device pixels: logical size times the page's device pixel ratio.

#include "toolkit/canvas.h"
#include "toolkit/canvas_geometry.h"
#include "toolkit/web/pixel_image.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace viramont {

class WebCanvas final : public Canvas {
public:
    // `font` is a CSS font with its size in logical pixels; `ratio` is the
    // canvas's device pixels to a logical one.
    WebCanvas(std::string id, int widthPx, int heightPx, double ratio, Colour fore, Colour back,
              const std::string& font);

    void clear() override;
    void setScale(double left, double top, double right, double bottom) override;
    void setDrawWidth(int pixels) override;
    void point(double x, double y) override { point(x, y, fore_); }
    void point(double x, double y, Colour colour) override {
        geometry_.moveTo(x, y);
        image_.dot(x, y, colour);
    }
    void points(std::span<const GraphPoint> batch, Colour colour) override;
    void line(double x1, double y1, double x2, double y2) override { line(x1, y1, x2, y2, fore_); }
    void line(double x1, double y1, double x2, double y2, Colour colour) override;
    void print(std::string_view text, LineEnd end) override;
    WorldPoint currentPoint() const override { return geometry_.current(); }
    std::string accessibleText() const override { return geometry_.printedLines(); }
    const CanvasGeometry* pixelGrid() const override { return &geometry_; }

    // Shows what changed in the element and gives the page, for screen
    // readers, what the picture shows: `description` when there is one,
    // otherwise its printed lines (spokenText of toolkit/canvas.h).
    void present(std::string_view description = {});
    // The prints since the last clear and the count of clears.
    const CanvasGeometry& geometry() const { return geometry_; }
    // The element's pixels: the logical size times the ratio, rounded.
    int deviceWidth() const { return geometry_.widthPx(); }
    int deviceHeight() const { return geometry_.heightPx(); }
    double ratio() const { return dpr_; }
    // The element's id.
    const std::string& id() const { return id_; }
    // The same logical canvas at another ratio, cleared and scaled to its
    // logical pixels, as new: its drawing is to be made again.
    void resize(double ratio);

    // What the canvas holds, kept to be put back later: a picture whose
    // still part stays from frame to frame draws it once. restore is false,
    // changing nothing, where the canvas was resized since.
    struct Kept {
        std::vector<std::uint32_t> pixels;
        CanvasGeometry geometry;
        double ratio;
    };
    Kept keep() const { return {image_.keep(), geometry_, dpr_}; }
    bool restore(const Kept& kept);

private:
    // Blends in the letters of a text whose top-left is at the device point.
    void setLetters(const std::string& text, DevicePoint at, double width);

    std::string id_;
    int widthPx_, heightPx_;   // logical
    std::string logicalFont_;
    CanvasGeometry geometry_;  // in device pixels
    PixelImage image_;
    double dpr_;
    Colour fore_;
    Colour back_;
    std::string font_;  // the CSS font in device pixels
    double ascent_, lineHeight_;
    std::unordered_map<std::string, double> printWidths_;
    // The letters of the texts printed lately, by text and by the fraction
    // of a pixel they start at: a plot prints the same labels again and
    // again, and setting one costs the page more than the plot's points.
    struct Letters {
        int left, top;  // from the pixel of the baseline's left end
        int width, height;
        std::vector<std::uint8_t> coverage;
    };
    std::unordered_map<std::string, Letters> letters_;
    std::string shownLines_;  // what the page holds for screen readers
};

// A colour as CSS writes it: "#rrggbb".
std::string cssColour(Colour c);

namespace web {
// A text's width, a font's ascent and its line's height (ascent and
// descent, as the font's file states them), in the pixels of the CSS font.
double textWidth(const std::string& text, const std::string& font);
double fontAscent(const std::string& font);
double fontHeight(const std::string& font);
// A CSS font with its "NNpx" size times `ratio`, rounded.
std::string deviceFont(const std::string& font, double ratio);
} // namespace web

} // namespace viramont
