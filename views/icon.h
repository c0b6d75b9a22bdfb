#pragma once
// The program's icon, drawn once for every place that shows it: the
// window's icons (16 and 32 px) and the page's app icons on a home screen
// (192 and 512 px, and the maskable one). A small white window with a
// cyan title bar in a black frame, as pixels of any size.

#include "toolkit/colour.h"

#include <cstdint>
#include <vector>

namespace viramont::view {

// A square picture of `size` x `size` pixels, row by row, each 0xAARRGGBB;
// alpha 0 where the icon leaves the background to show through.
struct IconPicture {
    int size = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * size + x]; }
};

// The icon itself, its window from size/16 off each side and twice that
// off the top and the bottom; the frame 1 px thick up to 63 px, size/32
// from there on, the title bar a fifth of the size (3 px at least) high.
IconPicture iconPicture(int size);

// The icon for a home screen that cuts the picture to its own shape (a
// circle, a rounded square): the whole square in `back`, the icon in the
// middle at kMaskableShare of the size, inside the circle of 80% of the
// size that every such shape keeps.
inline constexpr double kMaskableShare = 0.6;
IconPicture maskableIcon(int size, Colour back);

} // namespace viramont::view
