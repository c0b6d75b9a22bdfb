#include "toolkit/web/pixel_image.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace viramont {

namespace {
// A stored colour (0x00BBGGRR) as an opaque RGBA pixel in memory order.
std::uint32_t opaque(Colour c) { return c | 0xFF000000u; }
} // namespace

PixelImage::PixelImage(CanvasGeometry& geometry, Colour back)
    : geometry_(geometry),
      pixels_(static_cast<std::size_t>(geometry.widthPx()) * static_cast<std::size_t>(geometry.heightPx())) {
    fill(back);
    setDeviceWidth(1);
}

void PixelImage::setDeviceWidth(int pixels) {
    width_ = std::max(1, pixels);
    shape_ = roundDotSpans(width_);
    scaleChanged();
}

void PixelImage::scaleChanged() {
    area_ = geometry_.dotArea(width_);
    last_ = {};
}

void PixelImage::resized(Colour colour) {
    pixels_.assign(static_cast<std::size_t>(geometry_.widthPx()) * static_cast<std::size_t>(geometry_.heightPx()), 0);
    setDeviceWidth(width_);
    shown();
    fill(colour);
}

void PixelImage::fill(Colour colour) {
    std::fill(pixels_.begin(), pixels_.end(), opaque(colour));
    touch(0, 0, geometry_.widthPx(), geometry_.heightPx());
    last_ = {};
}

void PixelImage::dot(double x, double y, Colour colour) {
    const DevicePoint d = geometry_.map(x, y);
    if (last_.pixel.holds(d) && colour == last_.colour) return;
    if (!area_.holds(d)) return;  // also NaN
    stamp(DevicePixel::of(d), colour);
}

void PixelImage::points(std::span<const GraphPoint> batch, Colour colour) {
    for (std::size_t i = 0; i < batch.size(); ++i) {
        if (colour == last_.colour) i = last_.floats.firstOutside(batch, i);
        if (i == batch.size()) break;
        dot(batch[i].x, batch[i].y, colour);
    }
}

void PixelImage::touch(int x0, int y0, int x1, int y1) {
    if (changed()) {
        changedX0_ = std::min(changedX0_, x0);
        changedY0_ = std::min(changedY0_, y0);
        changedX1_ = std::max(changedX1_, x1);
        changedY1_ = std::max(changedY1_, y1);
    } else {
        changedX0_ = x0, changedY0_ = y0, changedX1_ = x1, changedY1_ = y1;
    }
}

void PixelImage::span(int row, int x0, int x1, std::uint32_t value) {
    if (row < 0 || row >= geometry_.heightPx()) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, geometry_.widthPx());
    if (x0 >= x1) return;
    std::uint32_t* line = pixels_.data() + static_cast<std::ptrdiff_t>(row) * geometry_.widthPx();
    std::fill(line + x0, line + x1, value);
    touch(x0, row, x1, row + 1);
}

void PixelImage::stamp(DevicePixel pixel, Colour colour) {
    last_ = {pixel, geometry_.floatsIn(pixel, last_.pixel, last_.floats), colour};
    const std::uint32_t value = opaque(colour);
    for (const DotSpan& s : shape_) span(pixel.top() + s.dy, pixel.left() + s.dx, pixel.left() + s.dx + s.length, value);
}

void PixelImage::line(DevicePoint a, DevicePoint b, Colour colour) {
    last_ = {};
    const double r = width_ / 2.0;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    const int top = std::max(0, static_cast<int>(std::floor(std::min(a.y, b.y) - r)));
    const int bottom = std::min(geometry_.heightPx() - 1, static_cast<int>(std::ceil(std::max(a.y, b.y) + r)));
    const int left = std::max(0, static_cast<int>(std::floor(std::min(a.x, b.x) - r)));
    const int right = std::min(geometry_.widthPx() - 1, static_cast<int>(std::ceil(std::max(a.x, b.x) + r)));
    const std::uint32_t value = opaque(colour);
    for (int row = top; row <= bottom; ++row) {
        int first = -1, last = -1;
        for (int col = left; col <= right; ++col) {
            const double px = col + 0.5 - a.x, py = row + 0.5 - a.y;
            const double t = length2 > 0 ? std::clamp((px * dx + py * dy) / length2, 0.0, 1.0) : 0.0;
            const double ex = px - t * dx, ey = py - t * dy;
            if (ex * ex + ey * ey <= r * r) {
                if (first < 0) first = col;
                last = col;
            }
        }
        if (first >= 0) span(row, first, last + 1, value);
    }
}

void PixelImage::blend(int x, int y, int width, int height, const std::uint8_t* coverage, Colour colour) {
    last_ = {};
    const int x0 = std::max(x, 0), x1 = std::min(x + width, geometry_.widthPx());
    const int y0 = std::max(y, 0), y1 = std::min(y + height, geometry_.heightPx());
    if (x0 >= x1 || y0 >= y1) return;
    const int ink[3] = {redOf(colour), greenOf(colour), blueOf(colour)};
    for (int row = y0; row < y1; ++row) {
        const std::uint8_t* cover = coverage + static_cast<std::ptrdiff_t>(row - y) * width - x;
        std::uint32_t* line = pixels_.data() + static_cast<std::ptrdiff_t>(row) * geometry_.widthPx();
        for (int col = x0; col < x1; ++col) {
            const int a = cover[col];
            if (a == 0) continue;
            std::uint32_t out = 0xFF000000u;
            for (int c = 0; c < 3; ++c) {
                const int under = static_cast<int>((line[col] >> (8 * c)) & 0xFF);
                out |= static_cast<std::uint32_t>((ink[c] * a + under * (255 - a) + 127) / 255) << (8 * c);
            }
            line[col] = out;
        }
    }
    touch(x0, y0, x1, y1);
}

void PixelImage::shown() { changedX0_ = changedY0_ = changedX1_ = changedY1_ = 0; }

} // namespace viramont
