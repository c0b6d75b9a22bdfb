// The program's icon at the window's sizes and the home screen's: the
// window in its frame with the title bar, as wide on the left as on the
// right, and the maskable icon inside the circle that a home screen keeps.

#include "views/icon.h"
#include "views/site.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace viramont::view {
namespace {

constexpr std::uint32_t kBlack = 0xFF000000, kCyan = 0xFF00FFFF, kWhite = 0xFFFFFFFF, kNone = 0;

// The runs of equal pixels down one column: colour and length.
struct Stretch {
    std::uint32_t colour;
    int length;
    friend bool operator==(const Stretch&, const Stretch&) = default;
};
std::vector<Stretch> runsDown(const IconPicture& icon, int x) {
    std::vector<Stretch> runs;
    for (int y = 0; y < icon.size; ++y) {
        if (runs.empty() || runs.back().colour != icon.at(x, y)) runs.push_back({icon.at(x, y), 0});
        ++runs.back().length;
    }
    return runs;
}

TEST(Icon, IsTheWindowInItsFrameAtEverySize) {
    struct Row {
        int size;
        int line;  // the frame's thickness
    };
    const Row rows[] = {{16, 1}, {32, 1}, {48, 1}, {64, 2}, {192, 6}, {512, 16}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.size);
        const IconPicture icon = iconPicture(row.size);
        ASSERT_EQ(icon.pixels.size(), static_cast<std::size_t>(row.size * row.size));
        for (int y = 0; y < row.size; ++y) {
            for (int x = 0; x < row.size / 2; ++x) ASSERT_EQ(icon.at(x, y), icon.at(row.size - 1 - x, y)) << x << "," << y;
        }
        // Down the middle: the space above, the frame, the title bar, the
        // window, the frame and the space below, as much as above.
        const std::vector<Stretch> down = runsDown(icon, row.size / 2);
        ASSERT_EQ(down.size(), 6u);
        const std::uint32_t colours[] = {kNone, kBlack, kCyan, kWhite, kBlack, kNone};
        for (std::size_t i = 0; i < down.size(); ++i) EXPECT_EQ(down[i].colour, colours[i]) << i;
        EXPECT_EQ(down[1].length, row.line);
        EXPECT_EQ(down[4].length, row.line);
        EXPECT_EQ(down[0].length, down[5].length);
        EXPECT_GE(down[1].length + down[2].length, 3);
        EXPECT_NEAR(down[1].length + down[2].length, row.size / 5.0, 1.0);
        EXPECT_GT(down[3].length, down[2].length) << "the window below its title bar";
        // Across the middle of the window: half the space left as above.
        const int middle = down[0].length + down[1].length + down[2].length + down[3].length / 2;
        int left = 0;
        while (icon.at(left, middle) == kNone) ++left;
        EXPECT_EQ(left * 2, down[0].length);
        for (int x = left; x < left + row.line; ++x) EXPECT_EQ(icon.at(x, middle), kBlack);
        EXPECT_EQ(icon.at(left + row.line, middle), kWhite);
    }
}

TEST(Icon, MaskableHasTheIconInsideTheSafeCircleOnTheFormsColour) {
    const Colour back = kAppColour;
    const std::uint32_t backPixel = 0xFF000000u | static_cast<std::uint32_t>(redOf(back) << 16 | greenOf(back) << 8 | blueOf(back));
    for (const AppIcon& app : kAppIcons) {
        if (!app.maskable) continue;
        SCOPED_TRACE(app.size);
        const IconPicture icon = maskableIcon(app.size, back);
        const double centre = app.size / 2.0, safe = 0.4 * app.size;
        int drawn = 0;
        for (int y = 0; y < app.size; ++y) {
            for (int x = 0; x < app.size; ++x) {
                const std::uint32_t p = icon.at(x, y);
                ASSERT_EQ(p >> 24, 0xFFu) << "opaque everywhere";
                if (p == backPixel) continue;
                ++drawn;
                ASSERT_LE(std::hypot(x + 0.5 - centre, y + 0.5 - centre), safe) << x << "," << y;
            }
        }
        // The plain icon, at its share of the size, in the middle.
        const IconPicture plain = iconPicture(static_cast<int>(std::lround(app.size * kMaskableShare)));
        const int at = (app.size - plain.size) / 2;
        int plainDrawn = 0;
        for (int y = 0; y < plain.size; ++y) {
            for (int x = 0; x < plain.size; ++x) {
                const std::uint32_t p = plain.at(x, y);
                ASSERT_EQ(icon.at(at + x, at + y), p == kNone ? backPixel : p) << x << "," << y;
                plainDrawn += p != kNone;
            }
        }
        EXPECT_EQ(drawn, plainDrawn);
    }
}

} // namespace
} // namespace viramont::view
