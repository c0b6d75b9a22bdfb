// The engine that stamps the dots of both front ends' canvases of pixels,
// against a stamping written straight from what a dot is: every pixel
// whose offset from the dot's own pixel lies within the round dot.

#include "toolkit/dot_stamper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace viramont {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr Colour kBack = rgb(250, 240, 230);

// Pixels in memory with a row longer than the image, as an image may have.
struct Image {
    static constexpr int kPadding = 3;
    Image(int w, int h, std::uint32_t back) : width(w), height(h), pixels(std::size_t((w + kPadding) * h), back) {}
    static std::uint32_t* fetch(void* image, int& stride) {
        Image& self = *static_cast<Image*>(image);
        stride = self.width + kPadding;
        return self.pixels.data();
    }
    std::uint32_t& at(int x, int y) { return pixels[std::size_t(y * (width + kPadding) + x)]; }
    int width, height;
    std::vector<std::uint32_t> pixels;
};

// A dot as the definition has it: `width` device pixels across, round,
// its own pixel at the centre (or above and left of it for an even width);
// drawn where the point lies within `width` pixels of the image.
void referenceDot(Image& image, const CanvasGeometry& g, double x, double y, int width, std::uint32_t value) {
    const DevicePoint d = g.map(x, y);
    if (!(d.x >= -width && d.x <= g.widthPx() + width && d.y >= -width && d.y <= g.heightPx() + width)) return;
    const int px = static_cast<int>(std::floor(d.x)), py = static_cast<int>(std::floor(d.y));
    const double centre = (width - 1) / 2.0, r = width / 2.0;
    const int origin = (width - 1) / 2;
    for (int j = 0; j < width; ++j) {
        for (int i = 0; i < width; ++i) {
            const int X = px + i - origin, Y = py + j - origin;
            if ((i - centre) * (i - centre) + (j - centre) * (j - centre) > r * r) continue;
            if (X >= 0 && Y >= 0 && X < image.width && Y < image.height) image.at(X, Y) = value;
        }
    }
}

struct DotCase {
    const char* what;
    double x, y;
};

TEST(DotStamper, StampsTheRoundDotOfEveryWidthWhereverItFalls) {
    constexpr int kW = 30, kH = 20;
    const DotCase cases[] = {
        {"inside", 15.2, 9.7},     {"the top-left pixel", 0.5, 0.5}, {"the bottom-right pixel", 29.9, 19.9},
        {"left of the image", -1.5, 8}, {"below it", 12, 21.2},      {"far outside", -500, 3},
        {"not a number", kNaN, 4}, {"on a pixel's edge", 7, 7},
    };
    for (const DotStamper::Order order : {DotStamper::Order::Argb, DotStamper::Order::Rgba}) {
        for (const int width : {1, 2, 3, 4, 5, 8, 13}) {
            for (const DotCase& c : cases) {
                SCOPED_TRACE(testing::Message() << c.what << ", width " << width << ", order " << int(order));
                CanvasGeometry g(kW, kH);
                Image image(kW, kH, 0), expected(kW, kH, 0);
                DotStamper stamper(g, order, &Image::fetch, &image);
                const std::uint32_t back = stamper.valueOf(kBack);
                std::fill(image.pixels.begin(), image.pixels.end(), back);
                std::fill(expected.pixels.begin(), expected.pixels.end(), back);
                stamper.setDeviceWidth(width);
                stamper.dot(c.x, c.y, kRed);
                referenceDot(expected, g, c.x, c.y, width, stamper.valueOf(kRed));
                EXPECT_EQ(image.pixels, expected.pixels);
                // The box it says it changed is the box of the pixels it changed.
                int x0 = kW, y0 = kH, x1 = 0, y1 = 0;
                for (int y = 0; y < kH; ++y) {
                    for (int x = 0; x < kW; ++x) {
                        if (image.at(x, y) == back) continue;
                        x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x + 1), y1 = std::max(y1, y + 1);
                    }
                }
                ASSERT_EQ(stamper.changed(), x0 < x1);
                if (x0 < x1) {
                    const DotStamper::Box box = stamper.changedBox();
                    EXPECT_EQ((std::vector<int>{box.x, box.y, box.width, box.height}),
                              (std::vector<int>{x0, y0, x1 - x0, y1 - y0}));
                }
            }
        }
    }
}

TEST(DotStamper, WritesEachOrderOfBytes) {
    CanvasGeometry g(1, 1);
    Image image(1, 1, 0);
    const struct {
        DotStamper::Order order;
        std::uint32_t value;
    } cases[] = {{DotStamper::Order::Argb, 0xFF102030u}, {DotStamper::Order::Rgba, 0xFF302010u}};
    for (const auto& c : cases) {
        DotStamper stamper(g, c.order, &Image::fetch, &image);
        stamper.dot(0.5, 0.5, rgb(0x10, 0x20, 0x30));
        EXPECT_EQ(image.at(0, 0), c.value);
    }
}

// A graph's points in batches, mostly repeating their pixel, in two colours
// and across the image's edges: the same pixels as every point stamped.
TEST(DotStamper, SkipsOnlyStampsThatChangeNothing) {
    constexpr int kW = 64, kH = 48;
    for (const int width : {1, 2, 3, 6}) {
        SCOPED_TRACE(width);
        std::vector<GraphPoint> graph;
        for (int i = 0; i < 20000; ++i) {
            const float x = -0.5f + 1.4f * static_cast<float>(i) / 20000.0f;
            graph.push_back({x, 1.2f * std::sin(9.0f * x)});
        }
        CanvasGeometry g(kW, kH);
        g.setScale(-0.45, 1.1, 0.85, -1.1);
        Image skipping(kW, kH, 0), every(kW, kH, 0), expected(kW, kH, 0);
        DotStamper fast(g, DotStamper::Order::Rgba, &Image::fetch, &skipping);
        DotStamper slow(g, DotStamper::Order::Rgba, &Image::fetch, &every);
        slow.setSkipRepeats(false);
        for (DotStamper* s : {&fast, &slow}) s->setDeviceWidth(width);
        for (std::size_t from = 0; from < graph.size(); from += 997) {
            const std::span<const GraphPoint> batch(graph.data() + from, std::min<std::size_t>(997, graph.size() - from));
            const Colour colour = (from / 997) % 3 == 0 ? kBlue : kRed;
            fast.points(batch, colour);
            slow.points(batch, colour);
            for (const GraphPoint& p : batch) referenceDot(expected, g, p.x, p.y, width, fast.valueOf(colour));
        }
        EXPECT_EQ(skipping.pixels, expected.pixels);
        EXPECT_EQ(every.pixels, expected.pixels);
        EXPECT_NE(std::count(expected.pixels.begin(), expected.pixels.end(), fast.valueOf(kRed)), 0);
    }
}

// Points of one x down or up a pixel column, as a graph drawn by its
// columns gives them: stamped as runs, the same pixels and changed box as
// every dot stamped, at the image's top and bottom edges too. Device widths
// 1 to 6 are drawing widths 1 to 3 on a screen of ratio 1 and of ratio 2.
TEST(DotStamper, StampsAColumnsRunOfRowsAsItsDots) {
    constexpr int kW = 40, kH = 30;
    struct Run {
        const char* what;
        double x;
        int from, to;  // rows, in the order of the points
    };
    const Run runs[] = {
        {"down the middle", 20.3, 5, 24},
        {"up the middle", 11.7, 22, 3},
        {"across the top", 6.5, 9, -9},
        {"across the bottom", 30.2, 20, 38},
        {"from above the image to below it", 16.0, -12, 41},
        {"two rows", 25.9, 14, 15},
        {"at the left edge", 0.1, 2, 12},
        {"at the right edge", 39.95, 27, 17},
        {"left of the image", -2.5, 3, 9},
    };
    for (const bool upwards : {false, true}) {
        for (const int width : {1, 2, 3, 4, 5, 6}) {
            for (const Run& r : runs) {
                SCOPED_TRACE(testing::Message() << r.what << ", width " << width << (upwards ? ", y upwards" : ""));
                CanvasGeometry g(kW, kH);
                if (upwards) g.setScale(0, kH, kW, 0);
                const auto yOfRow = [&](int row) { return upwards ? kH - row - 0.5 : row + 0.25; };
                std::vector<GraphPoint> batch;
                const int step = r.to >= r.from ? 1 : -1;
                for (int row = r.from;; row += step) {
                    batch.push_back({static_cast<float>(r.x), static_cast<float>(yOfRow(row))});
                    if (row == r.to) break;
                }
                // A point of another x after the run, one of the run's x
                // after that, two rows past its end: no run of its own.
                batch.push_back({static_cast<float>(r.x + 3), static_cast<float>(yOfRow(r.to))});
                batch.push_back({static_cast<float>(r.x), static_cast<float>(yOfRow(r.to + 2 * step))});
                Image image(kW, kH, 0), every(kW, kH, 0), expected(kW, kH, 0);
                DotStamper runsOf(g, DotStamper::Order::Argb, &Image::fetch, &image);
                DotStamper dots(g, DotStamper::Order::Argb, &Image::fetch, &every);
                dots.setSkipRepeats(false);
                const std::uint32_t back = runsOf.valueOf(kBack);
                for (Image* i : {&image, &every, &expected}) std::fill(i->pixels.begin(), i->pixels.end(), back);
                for (DotStamper* s : {&runsOf, &dots}) {
                    s->setDeviceWidth(width);
                    s->points(batch, kRed);
                }
                for (const GraphPoint& p : batch) referenceDot(expected, g, p.x, p.y, width, runsOf.valueOf(kRed));
                EXPECT_EQ(image.pixels, expected.pixels);
                EXPECT_EQ(every.pixels, expected.pixels);
                ASSERT_EQ(runsOf.changed(), dots.changed());
                if (runsOf.changed()) {
                    const DotStamper::Box a = runsOf.changedBox(), b = dots.changedBox();
                    EXPECT_EQ((std::vector<int>{a.x, a.y, a.width, a.height}),
                              (std::vector<int>{b.x, b.y, b.width, b.height}));
                }
            }
        }
    }
}

} // namespace
} // namespace viramont
