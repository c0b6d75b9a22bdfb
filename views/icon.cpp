#include "views/icon.h"

#include <algorithm>
#include <cmath>

namespace viramont::view {

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000;
constexpr std::uint32_t kFrame = kOpaque;              // black
constexpr std::uint32_t kTitleBar = kOpaque | 0x00FFFF; // cyan
constexpr std::uint32_t kWindow = kOpaque | 0xFFFFFF;   // white

std::uint32_t argb(Colour c) {
    return kOpaque | static_cast<std::uint32_t>(redOf(c) << 16 | greenOf(c) << 8 | blueOf(c));
}

// Draws the icon of `size` into `into` with its top-left at (x0, y0).
void drawIcon(IconPicture& into, int size, int x0, int y0) {
    const int margin = size / 16;
    const int left = margin, right = size - margin, top = 2 * margin, bottom = size - 2 * margin;
    const int line = std::max(1, size / 32), titleBar = std::max(3, size / 5);
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const bool frame = x < left + line || x >= right - line || y < top + line || y >= bottom - line;
            into.pixels[static_cast<std::size_t>(y0 + y) * into.size + (x0 + x)] =
                frame ? kFrame : y < top + titleBar ? kTitleBar : kWindow;
        }
    }
}

} // namespace

IconPicture iconPicture(int size) {
    IconPicture icon{size, std::vector<std::uint32_t>(static_cast<std::size_t>(size) * size, 0)};
    drawIcon(icon, size, 0, 0);
    return icon;
}

IconPicture maskableIcon(int size, Colour back) {
    IconPicture icon{size, std::vector<std::uint32_t>(static_cast<std::size_t>(size) * size, argb(back))};
    const int inner = static_cast<int>(std::lround(size * kMaskableShare));
    const int at = (size - inner) / 2;
    drawIcon(icon, inner, at, at);
    return icon;
}

} // namespace viramont::view
