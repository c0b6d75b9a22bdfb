// A plot stamps a point only where its pixel differs from the point before;
// the image must be the one that stamping every point gives.

#include "plot/plot.h"
#include "raster_form.h"
#include "toolkit/guard.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>

namespace viramont {
namespace {

// The window's canvases, stamping only where a point leaves the pixel of
// the point before it, or stamping every point.
struct RasterForm : test::RasterWindow {
    explicit RasterForm(bool skipRepeats) { picture1.setSkipRepeatedStamps(skipRepeats); }
};

struct ImageCase {
    const char* function;
    float A;
    double k, b;
    float C;
    double xStart;
    float xEnd;
    std::int16_t base;
};

// A case's name for the test's list: "Sin_A1_k1_b1_C1_0_10", "m" for a
// minus and "_" for a decimal point; the parameter prints as its name.
std::string caseName(const ImageCase& c) {
    const std::string function = c.function;
    std::string name = function == "Sin(X)"          ? "Sin"
                       : function == "Cos(X)"        ? "Cos"
                       : function == "(x)^2"         ? "Square"
                       : function == "(x)^3"         ? "Cube"
                       : function == "Log(x)"        ? "Ln"
                       : function == "Log(b)/Log(a)" ? "LogBase" + std::to_string(c.base)
                                                     : "Other";
    auto number = [](const char* prefix, double v) {
        char text[32];
        std::snprintf(text, sizeof text, "%g", v);
        std::string out = std::string("_") + prefix;
        for (const char* t = text; *t; ++t) out += *t == '-' ? 'm' : *t == '.' ? '_' : *t;
        return out;
    };
    return name + number("A", c.A) + number("k", c.k) + number("b", c.b) + number("C", c.C) + number("", c.xStart) +
           number("", c.xEnd);
}
void PrintTo(const ImageCase& c, std::ostream* os) { *os << caseName(c); }

class PlotImage : public ::testing::TestWithParam<ImageCase> {};

TEST_P(PlotImage, IsTheSameAsStampingEveryPoint) {
    const ImageCase& c = GetParam();
    RasterForm skipping(true), every(false);
    for (RasterForm* f : {&skipping, &every}) {
        FormState& s = f->form.state;
        s.FunctionName = c.function;
        s.StretchY = c.A;
        s.StretchX = Numeric::real(c.k);
        s.ShiftX = Numeric::real(c.b);
        s.ShiftY = c.C;
        s.XStart = Numeric::real(c.xStart);
        s.XEnd = c.xEnd;
        s.LogBase = c.base;
        runGuarded(f->dialogs, [&] { Command1_Click(f->form); });
    }
    EXPECT_EQ(skipping.dialogs.messages, every.dialogs.messages);
    ASSERT_EQ(skipping.picture1.image().size(), every.picture1.image().size());
    EXPECT_TRUE(skipping.picture1.image() == every.picture1.image()) << c.function;
    EXPECT_TRUE(skipping.picture2.image() == every.picture2.image()) << c.function;
    // The plot drew both graphs in their colours.
    const QImage& img = skipping.picture1.image();
    int blue = 0, red = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            blue += p == qRgb(0, 0, 255);
            red += p == qRgb(255, 0, 0);
        }
    }
    EXPECT_GT(blue, 0);
    EXPECT_GT(red, 0);
}

INSTANTIATE_TEST_SUITE_P(Plots, PlotImage,
                         ::testing::Values(ImageCase{"Sin(X)", 1, 1, 1, 1, 0, 10, 0},
                                           ImageCase{"Cos(X)", -2.5f, 0.5, 0, 1, -7, 7, 0},
                                           ImageCase{"(x)^3", 1, 1, 0.5, 0, -2, 2, 0},
                                           ImageCase{"Log(b)/Log(a)", 3, 1, 1, -2, 1, 4, 2},
                                           // steep: many consecutive points on different pixels
                                           ImageCase{"Sin(X)", 1, 40, 0, 0, -1, 1, 0}),
                         [](const ::testing::TestParamInfo<ImageCase>& info) { return caseName(info.param); });

} // namespace
} // namespace viramont
