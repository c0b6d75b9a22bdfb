// The raster canvas of the window: the pixels a dot and a line cover, the
// shortcut for repeated dots, drawing calls that must draw nothing, and the
// printed text with its accessible description.

#include "raster_form.h"
#include "window/pixels.h"
#include "toolkit/qt/canvas_widget.h"
#include "toolkit/qt/raster_canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <span>
#include <string>
#include <vector>

namespace viramont {
namespace {

constexpr Colour kWhite = rgb(255, 255, 255);
constexpr Colour kBlack = rgb(0, 0, 0);
constexpr Colour kGreen = rgb(0, 128, 0);
constexpr Colour kGrey = rgb(224, 224, 224);

// A 40 x 40 canvas on its own pixels, black on white.
RasterCanvas makeCanvas(double dpr = 1.0, Colour fore = kBlack, Colour back = kWhite) {
    return RasterCanvas(40, 40, dpr, fore, back, test::layoutFontOf("Picture1"));
}

// The dot of each width, '#' for a covered pixel; the top-left of the
// picture lies at (dx, dy) from the pixel that holds the point.
struct DotCase {
    int width;
    int dx, dy;
    std::vector<std::string> shape;
};

TEST(RasterCanvas, RoundDotsCoverTheirPixels) {
    const DotCase cases[] = {
        {1, 0, 0, {"#"}},
        {2, 0, 0, {"##", "##"}},
        {3, -1, -1, {"###", "###", "###"}},
        {4, -1, -1, {".##.", "####", "####", ".##."}},
        {5, -2, -2, {".###.", "#####", "#####", "#####", ".###."}},
    };
    for (const DotCase& c : cases) {
        SCOPED_TRACE(c.width);
        RasterCanvas canvas = makeCanvas();
        canvas.setDrawWidth(c.width);
        canvas.point(20.5, 17.25, kRed);  // in pixel (20, 17)
        const QImage& img = canvas.image();
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) {
                const int sx = x - 20 - c.dx, sy = y - 17 - c.dy;
                const bool covered = sy >= 0 && sy < static_cast<int>(c.shape.size()) && sx >= 0 &&
                                     sx < static_cast<int>(c.shape[sy].size()) && c.shape[sy][sx] == '#';
                EXPECT_EQ(img.pixel(x, y), covered ? qRgb(255, 0, 0) : qRgb(255, 255, 255)) << x << "," << y;
            }
        }
        EXPECT_EQ(canvas.currentPoint(), (WorldPoint{20.5, 17.25}));
    }
}

TEST(RasterCanvas, DotWithoutColourUsesTheForeColour) {
    RasterCanvas canvas = makeCanvas(1.0, kGreen, kGrey);
    canvas.setDrawWidth(5);
    canvas.point(10, 10);
    EXPECT_EQ(test::countPixels(canvas.image(), qRgb(0, 128, 0)), 21);
    EXPECT_EQ(test::countPixels(canvas.image(), qRgb(224, 224, 224)), 40 * 40 - 21);
}

TEST(RasterCanvas, DotAtTheEdgeIsCutNotDropped) {
    RasterCanvas canvas = makeCanvas();
    canvas.setDrawWidth(5);
    canvas.point(-0.5, 20.5, kRed);  // centre in pixel (-1, 20), left of the canvas
    const QImage& img = canvas.image();
    for (const QPoint p : {QPoint(0, 18), QPoint(0, 19), QPoint(1, 19), QPoint(0, 20), QPoint(1, 20), QPoint(0, 22)})
        EXPECT_EQ(img.pixel(p), qRgb(255, 0, 0)) << p.x() << "," << p.y();
    EXPECT_EQ(img.pixel(1, 18), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(2, 20), qRgb(255, 255, 255));
    EXPECT_EQ(test::countPixels(img, qRgb(255, 0, 0)), 8);
}

TEST(RasterCanvas, HighDpiImageHasDevicePixels) {
    RasterCanvas canvas = makeCanvas(2.0);
    EXPECT_EQ(canvas.image().size(), QSize(80, 80));
    EXPECT_EQ(canvas.image().devicePixelRatio(), 2.0);
    canvas.point(10.25, 10.25, kRed);  // one logical pixel: 2 x 2 device pixels
    EXPECT_EQ(test::countPixels(canvas.image(), qRgb(255, 0, 0)), 4);
    for (const QPoint p : {QPoint(20, 20), QPoint(21, 20), QPoint(20, 21), QPoint(21, 21)})
        EXPECT_EQ(canvas.image().pixel(p), qRgb(255, 0, 0));
}

// The same drawing with every stamp made and with repeated stamps skipped;
// `beforeClear` receives the image as it stands before the canvas is cleared.
void denseDrawing(RasterCanvas& c, QImage& beforeClear) {
    c.setScale(-1, 3, 11, -3);
    c.setDrawWidth(3);
    for (int i = 0; i <= 20000; ++i) c.point(i * 0.0005, std::sin(i * 0.0005), kBlue);
    // Across the left edge, where device x is negative, and along the top
    // and bottom edges, where the dots are cut off.
    for (int i = 0; i <= 4000; ++i) c.point(-2 + i * 0.0005, 0.1 * i * 0.0005, kRed);
    for (int i = 0; i <= 4000; ++i) c.point(i * 0.003, i % 2 ? 3.05 : -3.05, kBlue);
    // A line over the last dot, then the same dot again: it must be redrawn.
    c.line(9.5, 2, 10.5, -2, rgb(0, 255, 0));
    c.point(10, std::sin(10.0), kBlue);
    c.point(10, std::sin(10.0), kRed);
    c.point(10, std::sin(10.0), kBlue);
    // The next graph starting on the pixel where the last one ended.
    c.point(5, 0.5, kBlue);
    c.point(5, 0.5, kRed);
    c.setDrawWidth(1);
    for (int i = 0; i <= 20000; ++i) c.point(i * 0.0005, 2 * std::sin(3 * i * 0.0005 + 1));
    c.print("x", LineEnd::Stay);
    c.point(0, 2 * std::sin(1.0), kRed);
    c.setScale(0, 0, 40, 40);  // same device pixel under another scale
    c.point(0, 2 * std::sin(1.0), kRed);
    beforeClear = c.image().copy();
    c.clear();
    c.setScale(-1, 3, 11, -3);
    for (int i = 0; i <= 20000; ++i) c.point(i * 0.0005, std::cos(i * 0.0005), kRed);
}

TEST(RasterCanvas, SkippingRepeatedStampsChangesNoPixel) {
    RasterCanvas skipping = makeCanvas(), stamping = makeCanvas();
    stamping.setSkipRepeatedStamps(false);
    QImage skippingFirst, stampingFirst;
    denseDrawing(skipping, skippingFirst);
    denseDrawing(stamping, stampingFirst);
    EXPECT_EQ(skippingFirst, stampingFirst);
    EXPECT_EQ(skippingFirst.pixel(20, 16), qRgb(255, 0, 0));  // the dot at (5, 0.5), red over blue
    EXPECT_EQ(skipping.image(), stamping.image());
    EXPECT_GT(test::countPixels(skipping.image(), qRgb(255, 0, 0)), 40);

    // The same with the parts before the clear that differ.
    RasterCanvas a = makeCanvas(), b = makeCanvas();
    b.setSkipRepeatedStamps(false);
    for (RasterCanvas* c : {&a, &b}) {
        c->setDrawWidth(5);
        c->point(20, 20, kRed);
        c->line(0, 20, 40, 20, kBlue);
        c->point(20, 20, kRed);
    }
    EXPECT_EQ(a.image(), b.image());
    EXPECT_EQ(a.image().pixel(20, 20), qRgb(255, 0, 0));
}

// A graph's points handed over in batches draw what the same points draw
// one by one: on and off the canvas, not finite, a colour change on the
// pixel of the last stamp, a line between two batches; with every stamp
// made or repeats skipped, on a high-DPI image too.
TEST(RasterCanvas, BatchOfPointsDrawsAsPointByPoint) {
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<GraphPoint> blue, red;
    for (int i = 0; i <= 30000; ++i) {
        const float x = -1.5f + static_cast<float>(i) * 0.0005f;  // starts off the left edge
        blue.push_back({x, static_cast<float>(std::sin(x))});
        if (x >= 7) red.push_back({x, static_cast<float>(3.5 * std::sin(4.0 * x))});  // leaves at the top and bottom
    }
    blue.insert(blue.begin() + 1000, {{nan, 0.5f}, {0.5f, inf}, {-inf, 0}, {3e38f, 3e38f}});
    blue.push_back({0.5f, 2.5f});
    red.insert(red.begin(), blue.back());  // starts on the last blue pixel, away from the rest
    struct Case {
        double dpr;
        int width;
        bool skip;
        std::size_t chunk;
    };
    for (const Case& c : {Case{1, 3, true, 512}, Case{1, 1, true, 7}, Case{1, 3, false, 512}, Case{2, 3, true, 1},
                          Case{1.5, 5, true, 100}}) {
        RasterCanvas single = makeCanvas(c.dpr), batched = makeCanvas(c.dpr);
        for (RasterCanvas* canvas : {&single, &batched}) {
            canvas->setSkipRepeatedStamps(c.skip);
            canvas->setScale(-1, 3, 14, -3);
            canvas->setDrawWidth(c.width);
        }
        auto draw = [&](const std::vector<GraphPoint>& graph, Colour colour) {
            for (const GraphPoint& p : graph) single.point(p.x, p.y, colour);
            for (std::size_t i = 0; i < graph.size(); i += c.chunk) {
                batched.points(std::span(graph).subspan(i, std::min(c.chunk, graph.size() - i)), colour);
            }
        };
        draw(blue, kBlue);
        draw(red, kRed);
        EXPECT_EQ(batched.currentPoint(), single.currentPoint());
        draw({{10, 0.5f}}, kRed);
        for (RasterCanvas* canvas : {&single, &batched}) canvas->line(10, -3, 10, 3, rgb(0, 255, 0));
        draw({{10, 0.5f}, {10, 0.5f}}, kRed);  // the pixel of the last stamp, painted over by the line
        EXPECT_TRUE(batched.image() == single.image()) << c.dpr << " " << c.width << " " << c.skip;
        EXPECT_GT(test::countPixels(single.image(), qRgb(0, 0, 255)), 50);
        EXPECT_GT(test::countPixels(single.image(), qRgb(255, 0, 0)), 50);
    }
}

TEST(RasterCanvas, UndrawableCoordinatesDrawNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double points[][2] = {{nan, 10},  {10, nan},   {inf, 10},    {10, -inf},   {1e300, 1e300},
                                {-1e300, 5}, {5, 1e18},  {-1e9, -1e9}, {1e308, 20}};
    RasterCanvas canvas = makeCanvas();
    canvas.setDrawWidth(7);
    for (const auto& p : points) canvas.point(p[0], p[1], kRed);
    canvas.line(nan, 0, 20, 20, kRed);
    canvas.line(0, 0, inf, 20, kRed);
    canvas.line(-inf, -inf, inf, inf, kRed);
    canvas.line(1e9, 1e9, 2e9, 1e9, kRed);  // entirely outside
    EXPECT_TRUE(test::allPixels(canvas.image(), qRgb(255, 255, 255)));
    EXPECT_EQ(canvas.currentPoint(), (WorldPoint{2e9, 1e9}));  // the current point still moves
}

TEST(RasterCanvas, ScaleWithoutAreaDrawsNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double scales[][4] = {{5, 0, 5, 40}, {0, 5, 40, 5}, {0, 0, 0, 0}, {nan, 0, 1, 1}, {0, 0, 1e-320, 1}};
    for (const auto& s : scales) {
        RasterCanvas canvas = makeCanvas();
        canvas.setScale(s[0], s[1], s[2], s[3]);
        canvas.setDrawWidth(3);
        canvas.point(5, 5, kRed);
        canvas.point(s[0], s[1], kRed);
        canvas.line(0, 0, 40, 40, kRed);
        canvas.line(s[0], s[1], s[2], s[3], kRed);
        EXPECT_TRUE(test::allPixels(canvas.image(), qRgb(255, 255, 255))) << s[0] << " " << s[1] << " " << s[2];
    }
}

TEST(RasterCanvas, LinesFromFarOutsideAreClipped) {
    RasterCanvas canvas = makeCanvas();
    canvas.line(-1e12, 20.5, 1e12, 20.5, kRed);
    const QImage& img = canvas.image();
    for (int x = 0; x < 40; ++x) EXPECT_EQ(img.pixel(x, 20), qRgb(255, 0, 0)) << x;
    EXPECT_EQ(test::countPixels(img, qRgb(255, 0, 0)), 40);
    EXPECT_EQ(canvas.currentPoint(), (WorldPoint{1e12, 20.5}));

    // A diagonal from far off one corner to far off the other.
    RasterCanvas diagonal = makeCanvas();
    diagonal.line(-1e9 + 0.5, -1e9 + 0.5, 1e9 + 0.5, 1e9 + 0.5, kBlue);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(diagonal.image().pixel(i, i), qRgb(0, 0, 255)) << i;
    EXPECT_EQ(diagonal.image().pixel(0, 39), qRgb(255, 255, 255));
    EXPECT_EQ(diagonal.image().pixel(39, 0), qRgb(255, 255, 255));
}

TEST(RasterCanvas, PrintDrawsInTheForeColourBelowTheCurrentPoint) {
    RasterCanvas canvas = RasterCanvas(200, 60, 1.0, kGreen, kGrey, test::layoutFontOf("Picture2"));
    canvas.setScale(0, 0, 200, 60);
    canvas.point(10, 20, kGrey);  // moves the current point without ink
    canvas.print("ЖЖ", LineEnd::NewLine);
    const QImage& img = canvas.image();
    bool exact = false;
    QRect ink;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c == QColor(224, 224, 224)) continue;
            ink |= QRect(x, y, 1, 1);
            exact = exact || c == QColor(0, 128, 0);
            // Anything else is the fore colour blended into the back colour.
            EXPECT_EQ(c.red(), c.blue());
            EXPECT_LE(c.red(), 224);
            EXPECT_GE(c.green(), 128);
        }
    }
    EXPECT_TRUE(exact);
    EXPECT_GE(ink.left(), 10);
    EXPECT_GE(ink.top(), 20);
    EXPECT_LT(ink.bottom(), 20 + 30);
    // NewLine: back to the left edge, one line further down.
    EXPECT_EQ(canvas.currentPoint().x, 0);
    EXPECT_GT(canvas.currentPoint().y, 20 + 15);
}

TEST(CanvasWidget, AccessibleDescriptionIsThePrintedLines) {
    CanvasWidget widget(nullptr, QSize(289, 257), layout::kCanvasBorder, kGreen, kGrey, test::layoutFontOf("Picture2"));
    RasterCanvas& canvas = widget.canvas();
    canvas.print(" График ", LineEnd::Stay);
    canvas.print(" 2 ", LineEnd::NewLine);
    canvas.print("", LineEnd::NewLine);
    canvas.print("По оси Y на 4", LineEnd::NewLine);
    EXPECT_EQ(widget.accessibleDescription(), QString());  // published on refresh
    widget.refresh();
    EXPECT_EQ(widget.accessibleDescription().toStdString(), " График  2 \n\nПо оси Y на 4");
    EXPECT_EQ(canvas.accessibleText(), " График  2 \n\nПо оси Y на 4");
    canvas.clear();
    widget.refresh();
    EXPECT_EQ(widget.accessibleDescription(), QString());
}

} // namespace
} // namespace viramont
