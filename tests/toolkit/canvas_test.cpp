#include "recording_canvas.h"
#include "toolkit/canvas_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace viramont {
namespace {

using test::RecordingCanvas;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(CanvasGeometry, MapsTheScaleCornersToTheCanvasCorners) {
    CanvasGeometry g(1200, 500);
    g.setScale(-6, 3, 6, -2);  // y grows upwards
    DevicePoint d;
    ASSERT_TRUE(g.toDevice(-6, 3, 0, d));
    EXPECT_DOUBLE_EQ(d.x, 0);
    EXPECT_DOUBLE_EQ(d.y, 0);
    ASSERT_TRUE(g.toDevice(6, -2, 0, d));
    EXPECT_DOUBLE_EQ(d.x, 1200);
    EXPECT_DOUBLE_EQ(d.y, 500);
    ASSERT_TRUE(g.toDevice(0, 0, 0, d));
    EXPECT_DOUBLE_EQ(d.x, 600);
    EXPECT_DOUBLE_EQ(d.y, 300);
}

TEST(CanvasGeometry, BackwardScalesMirror) {
    CanvasGeometry g(100, 100);
    g.setScale(11, -999, -1, 999);  // x grows to the left, y downwards
    DevicePoint d;
    ASSERT_TRUE(g.toDevice(11, -999, 0, d));
    EXPECT_DOUBLE_EQ(d.x, 0);
    EXPECT_DOUBLE_EQ(d.y, 0);
    ASSERT_TRUE(g.toDevice(-1, 999, 0, d));
    EXPECT_DOUBLE_EQ(d.x, 100);
    EXPECT_DOUBLE_EQ(d.y, 100);
}

TEST(CanvasGeometry, UndrawableCoordinatesAndScales) {
    CanvasGeometry g(100, 100);
    g.setScale(0, 10, 10, 0);
    DevicePoint d;
    EXPECT_FALSE(g.toDevice(kNaN, 1, 5, d));
    EXPECT_FALSE(g.toDevice(1, kInf, 5, d));
    EXPECT_FALSE(g.toDevice(1e300, 1, 5, d));
    EXPECT_FALSE(g.toDevice(-0.6, 5, 5, d));  // 6 px left of the edge
    EXPECT_TRUE(g.toDevice(-0.4, 5, 5, d));

    for (auto [l, t, r, b] : {std::array{1.0, 1.0, 1.0, 0.0}, std::array{0.0, 2.0, 5.0, 2.0},
                              std::array{kNaN, 1.0, 2.0, 0.0}, std::array{0.0, kInf, 1.0, 0.0}}) {
        g.setScale(l, t, r, b);
        EXPECT_FALSE(g.hasArea());
        EXPECT_FALSE(g.toDevice(0.5, 0.5, 1000, d));
        DevicePoint a, e;
        EXPECT_FALSE(g.clipToDevice(0, 0, 1, 1, 5, a, e));
    }
}

TEST(CanvasGeometry, ClipsLongLinesToTheCanvas) {
    CanvasGeometry g(100, 100);
    g.setScale(0, 10, 10, 0);
    DevicePoint a, b;
    ASSERT_TRUE(g.clipToDevice(-1e12, 5, 1e12, 5, 5, a, b));
    EXPECT_DOUBLE_EQ(a.x, -5);
    EXPECT_DOUBLE_EQ(b.x, 105);
    EXPECT_DOUBLE_EQ(a.y, 50);
    EXPECT_FALSE(g.clipToDevice(-1e12, 50, 1e12, 50, 5, a, b));  // far above
    EXPECT_FALSE(g.clipToDevice(kNaN, 5, 1, 5, 5, a, b));
    ASSERT_TRUE(g.clipToDevice(5, -1e300, 5, 1e300, 5, a, b));  // vertical through the canvas
    EXPECT_DOUBLE_EQ(a.y, 105);
    EXPECT_DOUBLE_EQ(b.y, -5);
}

// The floats that a pixel's box takes in map into the pixel, and the float
// just beyond each end maps out of it: on an upward, a mirrored and a far
// off scale, and one whose pixels are finer than the floats near 2000.
TEST(CanvasGeometry, APixelsFloatBoxHoldsExactlyItsFloats) {
    struct Scale {
        double left, top, right, bottom;
    };
    for (const Scale& sc :
         {Scale{-1, 3, 11, -2}, Scale{11, -999, -1, 999}, Scale{-2049, 1e6, 2047, -1e6}, Scale{2000, 1, 2000.001, 0}}) {
        CanvasGeometry g(817, 513);
        g.setScale(sc.left, sc.top, sc.right, sc.bottom);
        int boxes = 0;
        for (int i = 0; i < 200; ++i) {
            const double u = (i + 0.37) / 200;
            const auto x = static_cast<float>(sc.left + u * (sc.right - sc.left));
            const auto y = static_cast<float>(sc.top + (1 - u) * (sc.bottom - sc.top));
            const DevicePixel pixel = DevicePixel::of(g.map(x, y));
            const FloatBox box = g.floatsIn(pixel);
            if (!(box.x0 <= box.x1)) continue;  // no float of this pixel found
            ++boxes;
            EXPECT_TRUE(box.holds({x, y}));
            const float beyond = std::numeric_limits<float>::infinity();
            for (auto [bx, by] : {std::pair{box.x0, box.y0}, std::pair{box.x1, box.y1}}) {
                EXPECT_TRUE(pixel.holds(g.map(bx, by)));
                EXPECT_FALSE(pixel.holds(g.map(std::nextafter(bx, bx == box.x0 ? -beyond : beyond), by)));
                EXPECT_FALSE(pixel.holds(g.map(bx, std::nextafter(by, by == box.y0 ? -beyond : beyond))));
            }
        }
        EXPECT_GT(boxes, 150) << sc.left;
    }
    // A pixel of nothing, or no area, holds no float; nor is NaN ever held.
    CanvasGeometry g(100, 100);
    EXPECT_FALSE(g.floatsIn(DevicePixel{}).holds({0, 0}));
    g.setScale(1, 1, 1, 0);
    EXPECT_FALSE(g.floatsIn(DevicePixel::of({5, 5})).holds({1, 0.5f}));
    const FloatBox all{-1e30f, 1e30f, -1e30f, 1e30f};
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<GraphPoint> points(11, GraphPoint{1, 1});
    EXPECT_EQ(all.firstOutside(points, 0), 11u);
    for (std::size_t at : {0u, 3u, 4u, 9u, 10u}) {
        std::vector<GraphPoint> with = points;
        with[at].y = nan;
        EXPECT_EQ(all.firstOutside(with, 0), at);
        EXPECT_EQ(all.firstOutside(with, at + 1), 11u);
    }
}

TEST(RecordingCanvas, PrintMovesAlongTheLineOrDown) {
    RecordingCanvas c(800, 500);
    c.print("ab", LineEnd::Stay);
    EXPECT_EQ(c.currentPoint(), (WorldPoint{16, 0}));
    c.print("вы", LineEnd::NewLine);  // two characters, four bytes
    EXPECT_EQ(c.currentPoint(), (WorldPoint{0, 16}));
    c.print(" ", LineEnd::NewLine);
    EXPECT_EQ(c.currentPoint(), (WorldPoint{0, 32}));
    EXPECT_EQ(c.accessibleText(), "abвы\n ");
    EXPECT_EQ(c.calls()[1].at, (WorldPoint{16, 0}));
}

TEST(RecordingCanvas, PrintOnAnUpwardScaleMovesDownInUserUnits) {
    RecordingCanvas c(800, 500);
    c.setScale(-1, 4, 11, -1);  // 12 units over 800 px, 5 units over 500 px
    c.point(2, 1);
    c.print("x", LineEnd::NewLine);
    EXPECT_DOUBLE_EQ(c.currentPoint().x, -1);
    EXPECT_DOUBLE_EQ(c.currentPoint().y, 1 - 16 * 5.0 / 500);
    c.point(3, 0);
    c.print("ab", LineEnd::Stay);
    EXPECT_DOUBLE_EQ(c.currentPoint().x, 3 + 16 * 12.0 / 800);
}

TEST(RecordingCanvas, EachLabelIsItsOwnLineAndClearForgetsThem) {
    RecordingCanvas c(800, 500);
    c.print("one", LineEnd::Stay);
    c.point(100, 100);  // moving on starts a new line
    c.print("two", LineEnd::NewLine);
    c.line(0, 0, 5, 5);
    c.print("three", LineEnd::NewLine);
    EXPECT_EQ(c.accessibleText(), "one\ntwo\nthree");
    EXPECT_EQ(c.currentPoint(), (WorldPoint{0, 21}));
    c.setScale(10, 20, 30, 40);
    c.clear();
    EXPECT_EQ(c.accessibleText(), "");
    EXPECT_EQ(c.currentPoint(), (WorldPoint{10, 20}));
}

TEST(RecordingCanvas, APrintWithoutAreaKeepsItsText) {
    RecordingCanvas c(800, 500);
    c.setScale(3, 1, 3, -1);  // no width
    c.point(kNaN, kInf);
    c.print("x", LineEnd::NewLine);
    EXPECT_EQ(c.accessibleText(), "x");
    EXPECT_EQ(c.pointCount(), 1);
}

} // namespace
} // namespace viramont
