#pragma once
// The image of a web canvas: its device pixels as opaque 32-bit RGBA in the
// program's memory, drawn by the program itself and shown by the page in
// one copy of the part that changed (present). Dots and lines are stamped
// without anti-aliasing, round, in the drawing width; text comes from the
// page as a mask of coverage and is blended in, in the fore colour.
//
// Dots are stamped as on the desktop, by the same engine (dot_stamper.h).

#include "toolkit/canvas.h"
#include "toolkit/canvas_geometry.h"
#include "toolkit/dot_stamper.h"

#include <cstdint>
#include <span>
#include <vector>

namespace viramont {

class PixelImage {
public:
    PixelImage(CanvasGeometry& geometry, Colour back);
    PixelImage(const PixelImage&) = delete;
    PixelImage& operator=(const PixelImage&) = delete;

    // The drawing width in device pixels; scaleChanged after the geometry's
    // scale changed.
    void setDeviceWidth(int pixels) { stamper_.setDeviceWidth(pixels); }
    int deviceWidth() const { return stamper_.deviceWidth(); }
    void scaleChanged() { stamper_.scaleChanged(); }
    // The next point is stamped even where it repeats the last stamp.
    void forget() { stamper_.forget(); }

    // After the geometry took other device pixels: every pixel `colour`.
    void resized(Colour colour);
    void fill(Colour colour);
    void dot(double x, double y, Colour colour) { stamper_.dot(x, y, colour); }
    void points(std::span<const GraphPoint> batch, Colour colour) { stamper_.points(batch, colour); }
    // A device segment, already clipped, with round ends: the pixels whose
    // centres lie within half the width of it.
    void line(DevicePoint a, DevicePoint b, Colour colour);
    // Blends `colour` in over a box of `width` x `height` pixels at (x, y)
    // with the coverage of each pixel (0 to 255), row by row.
    void blend(int x, int y, int width, int height, const std::uint8_t* coverage, Colour colour);

    // The box changed since the last shown(); empty when nothing changed.
    using Box = DotStamper::Box;
    bool changed() const { return stamper_.changed(); }
    Box changedBox() const { return stamper_.changedBox(); }
    void shown() { stamper_.shown(); }
    const std::uint32_t* pixels() const { return pixels_.data(); }
    // The pixels kept, to be put back later; false, changing nothing, where
    // the image has another size now.
    std::vector<std::uint32_t> keep() const { return pixels_; }
    bool restore(const std::vector<std::uint32_t>& kept);

private:
    static std::uint32_t* pixelsOf(void* image, int& stride);

    CanvasGeometry& geometry_;
    std::vector<std::uint32_t> pixels_;
    DotStamper stamper_;
};

} // namespace viramont
