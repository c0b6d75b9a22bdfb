#pragma once
// Colours as the program stores them: 0x00BBGGRR, red in the low byte
// (0x0000FF is red, 0xFF0000 blue).

#include <cstdint>

namespace viramont {

using Colour = std::uint32_t;

constexpr Colour rgb(int r, int g, int b) {
    return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int redOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

constexpr Colour kBlue = 0xFF0000;
constexpr Colour kRed = 0x0000FF;

// The 16-colour palette: 0 black, 1 blue, 2 green, 3 cyan, 4 red, 5 magenta,
// 6 yellow, 7 white (light grey), 8 grey, 9-15 their light versions
// (4 -> red 128, 11 -> light cyan 0,255,255, 13 -> light magenta 255,0,255).
// An index outside 0..15 is an invalid argument.
Colour paletteColour(int index);

} // namespace viramont
