#include "toolkit/web/pixel_image.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace viramont {

PixelImage::PixelImage(CanvasGeometry& geometry, Colour back)
    : geometry_(geometry),
      pixels_(static_cast<std::size_t>(geometry.widthPx()) * static_cast<std::size_t>(geometry.heightPx())),
      stamper_(geometry, DotStamper::Order::Rgba, &PixelImage::pixelsOf, this) {
    fill(back);
}

std::uint32_t* PixelImage::pixelsOf(void* image, int& stride) {
    PixelImage& self = *static_cast<PixelImage*>(image);
    stride = self.geometry_.widthPx();
    return self.pixels_.data();
}

void PixelImage::resized(Colour colour) {
    pixels_.assign(static_cast<std::size_t>(geometry_.widthPx()) * static_cast<std::size_t>(geometry_.heightPx()), 0);
    stamper_.forgetPixels();
    stamper_.setDeviceWidth(stamper_.deviceWidth());
    stamper_.shown();
    fill(colour);
}

bool PixelImage::restore(const std::vector<std::uint32_t>& kept) {
    if (kept.size() != pixels_.size()) return false;
    std::copy(kept.begin(), kept.end(), pixels_.begin());
    stamper_.touch(0, 0, geometry_.widthPx(), geometry_.heightPx());
    stamper_.forget();
    return true;
}

void PixelImage::fill(Colour colour) {
    std::fill(pixels_.begin(), pixels_.end(), stamper_.valueOf(colour));
    stamper_.touch(0, 0, geometry_.widthPx(), geometry_.heightPx());
    stamper_.forget();
}

void PixelImage::line(DevicePoint a, DevicePoint b, Colour colour) {
    stamper_.forget();
    const double r = stamper_.deviceWidth() / 2.0;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    const int top = std::max(0, static_cast<int>(std::floor(std::min(a.y, b.y) - r)));
    const int bottom = std::min(geometry_.heightPx() - 1, static_cast<int>(std::ceil(std::max(a.y, b.y) + r)));
    const int left = std::max(0, static_cast<int>(std::floor(std::min(a.x, b.x) - r)));
    const int right = std::min(geometry_.widthPx() - 1, static_cast<int>(std::ceil(std::max(a.x, b.x) + r)));
    const std::uint32_t value = stamper_.valueOf(colour);
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
        if (first >= 0) stamper_.span(row, first, last + 1, value);
    }
}

void PixelImage::blend(int x, int y, int width, int height, const std::uint8_t* coverage, Colour colour) {
    stamper_.forget();
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
    stamper_.touch(x0, y0, x1, y1);
}

} // namespace viramont
