// The axes on the raster canvas of the window: the lines in their colours at
// the pixels the scale gives, later lines over earlier ones, and a backward
// interval or an untouched range mirroring the picture.
//
// With VIRAMONT_AXES_PNG set to a file name, the first test also saves its
// image there for a look by eye.

#include "plot/axes.h"
#include "raster_form.h"
#include "toolkit/canvas_geometry.h"
#include "toolkit/colour.h"
#include "window/pixels.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace viramont {
namespace {

using test::centreInColumn;
using test::centreInRow;

constexpr int kWidth = test::kPicture1.width;
constexpr int kHeight = test::kPicture1.height;

struct AxesForm : test::RasterWindow {
    const QImage& draw(const FormState& s) {
        form.state = s;
        DrawAxes(form);
        return picture1.image();
    }
};

// The axes and the guide lines at y = C and x = -b, as the image holds them.
const QRgb kAxisRed = toQColor(paletteColour(4)).rgb();
const QRgb kCGuide = toQColor(paletteColour(13)).rgb();
const QRgb kBGuide = toQColor(paletteColour(11)).rgb();

// Device position of a user coordinate on the sample state's scale: x from
// -6 to 6 and y from 3 down to -2.
DevicePoint onSampleScale(double x, double y) {
    CanvasGeometry g(kWidth, kHeight);
    g.setScale(-6, 3, 6, -2);
    return g.map(x, y);
}
double col(double x) { return onSampleScale(x, 0).x; }
double row(double y) { return onSampleScale(0, y).y; }

TEST(AxesPixels, LinesStandWhereTheScalePutsThem) {
    AxesForm f;
    const QImage& img = f.draw(test::axesSampleState());
    if (const char* path = std::getenv("VIRAMONT_AXES_PNG")) img.save(QString::fromLocal8Bit(path));

    const QRgb fore = toQColor(f.picture1.foreColour()).rgb(), back = toQColor(f.picture1.backColour()).rgb();

    // Horizontal lines, measured in a column away from every label.
    const int clearColumn = static_cast<int>(col(-4));
    EXPECT_NEAR(centreInColumn(img, clearColumn, kAxisRed), row(0), 1.0);
    EXPECT_NEAR(centreInColumn(img, clearColumn, kCGuide), row(1), 1.0);
    // Vertical lines, measured in a row away from every label.
    const int clearRow = static_cast<int>(row(-1.5));
    EXPECT_NEAR(centreInRow(img, clearRow, kAxisRed), col(0), 1.0);
    EXPECT_NEAR(centreInRow(img, clearRow, kBGuide), col(-2), 1.0);
    // Both axes and the C guide run over the whole canvas.
    EXPECT_EQ(img.pixel(0, static_cast<int>(row(0))), kAxisRed);
    EXPECT_EQ(img.pixel(kWidth - 1, static_cast<int>(row(0))), kAxisRed);
    EXPECT_EQ(img.pixel(static_cast<int>(col(0)), 0), kAxisRed);
    EXPECT_EQ(img.pixel(static_cast<int>(col(0)), kHeight - 1), kAxisRed);
    EXPECT_EQ(img.pixel(kWidth - 1, static_cast<int>(row(1))), kCGuide);
    EXPECT_EQ(img.pixel(static_cast<int>(col(-2)), kHeight - 1), kBGuide);

    // Later lines cover earlier ones: the C guide crosses the y-axis, the
    // b guide the x-axis; the ticks cross the y-axis in the foreground.
    EXPECT_EQ(img.pixel(static_cast<int>(col(0)), static_cast<int>(row(1))), kCGuide);
    EXPECT_EQ(img.pixel(static_cast<int>(col(-2)), static_cast<int>(row(0))), kBGuide);
    EXPECT_EQ(img.pixel(static_cast<int>(col(0)), static_cast<int>(row(2))), fore);
    EXPECT_EQ(img.pixel(static_cast<int>(col(0)), static_cast<int>(row(-1))), fore);
    // The ticks are 0.2 unit long: nothing of them beyond their ends.
    EXPECT_EQ(img.pixel(static_cast<int>(col(0.25)), static_cast<int>(row(2)) - 1), back);

    // Each label hangs below and right of its point: "x" near the right edge
    // under the x-axis, the b label at x = b, the C label left of the y-axis
    // on the C guide. Count glyph pixels a little below each point's dot.
    auto glyphsBelow = [&](double x, double y) {
        const int x0 = static_cast<int>(col(x)), y0 = static_cast<int>(row(y)) + 4;
        return test::countPixels(img, fore, QRect(x0, y0, 60, 22).intersected(img.rect()));
    };
    EXPECT_GT(glyphsBelow(5.8, -0.1), 10);    // x
    EXPECT_GT(glyphsBelow(4.99, -0.1), 10);   // 5
    EXPECT_GT(glyphsBelow(-5.1, -0.1), 10);   // -5
    EXPECT_GT(glyphsBelow(2, -0.1), 10);      // b
    EXPECT_GT(glyphsBelow(-0.1, 1), 10);      // C
    EXPECT_GT(glyphsBelow(-0.1, 2.9), 10);    // y
    EXPECT_EQ(glyphsBelow(-4, 0.5), 0);       // an empty stretch of the canvas
}

TEST(AxesPixels, BackwardIntervalMirrorsTheLinesLeftToRight) {
    AxesForm forward, backward;
    // -5 to 5 shows x from -6 to 6; 7 to -7 shows x from 6 to -6.
    FormState s = test::axesSampleState();
    const QImage& a = forward.draw(s);
    s.XStart = Numeric::real(7);
    s.XEnd = -7.0f;
    const QImage& b = backward.draw(s);

    const int clearRow = static_cast<int>(row(-1.5));
    const double cyanA = centreInRow(a, clearRow, kBGuide), cyanB = centreInRow(b, clearRow, kBGuide);
    ASSERT_GT(cyanA, 0);
    ASSERT_GT(cyanB, 0);
    EXPECT_LT(cyanA, kWidth / 2.0);  // x = -2 left of the middle ...
    EXPECT_GT(cyanB, kWidth / 2.0);  // ... and right of it when x grows to the left
    EXPECT_NEAR(cyanB, kWidth - cyanA, 1.0);
    EXPECT_NEAR(centreInRow(b, clearRow, kAxisRed), kWidth - centreInRow(a, clearRow, kAxisRed), 1.0);
    // The horizontal lines stay where they were.
    for (int column : {5, kWidth / 4, kWidth - 5}) {
        EXPECT_NEAR(centreInColumn(b, column, kAxisRed), centreInColumn(a, kWidth - 1 - column, kAxisRed), 1.0);
        EXPECT_NEAR(centreInColumn(b, column, kCGuide), centreInColumn(a, kWidth - 1 - column, kCGuide), 1.0);
    }
}

TEST(AxesPixels, UntouchedRangeMirrorsTheLinesTopToBottom) {
    AxesForm upwards, downwards;
    FormState s = test::axesSampleState();
    s.ShiftY = 100.0f;
    s.YMax = Numeric::integer(998);  // y from -999 at the bottom to 999 at the top
    s.YMin = -998.0f;
    const QImage& a = upwards.draw(s);
    s.YMax = Numeric::integer(-1000);  // the range scan met nothing: y from -999 at the top
    s.YMin = 1000.0f;
    const QImage& b = downwards.draw(s);

    const int clearColumn = static_cast<int>(col(-4));
    const double cA = centreInColumn(a, clearColumn, kCGuide), cB = centreInColumn(b, clearColumn, kCGuide);
    ASSERT_GT(cA, 0);
    ASSERT_GT(cB, 0);
    const double axisB = centreInColumn(b, clearColumn, kAxisRed);
    EXPECT_LT(cA, centreInColumn(a, clearColumn, kAxisRed));  // C = 100 above the x-axis ...
    EXPECT_GT(cB, axisB);                                 // ... and below it when y grows downwards
    EXPECT_NEAR(cB, kHeight - cA, 1.0);
    // The vertical lines still run over the whole height.
    EXPECT_EQ(b.pixel(static_cast<int>(col(-2)), 0), kBGuide);
    EXPECT_EQ(b.pixel(static_cast<int>(col(-2)), kHeight - 1), kBGuide);
}

TEST(AxesPixels, ScaleWithoutWidthLeavesAClearCanvas) {
    AxesForm f;
    f.draw(test::axesSampleState());
    FormState s = test::axesSampleState();
    s.XStart = Numeric::real(7);  // exactly XEnd + 2
    const QImage& img = f.draw(s);
    const QRgb back = toQColor(f.picture1.backColour()).rgb();
    EXPECT_TRUE(test::allPixels(img, back));
}

} // namespace
} // namespace viramont
