#include "plot/axes.h"

#include "toolkit/arith.h"
#include "toolkit/colour.h"
#include "toolkit/number_text.h"

#include <cstdint>
#include <limits>
#include <string>

namespace viramont {

namespace {

// The palette index of the axes.
constexpr int kAxisPalette = 4;    // red

constexpr int kDrawWidth = 5;

// Labels hang this far below the x-axis and left of the y-axis; the ticks
// reach this far on either side of the y-axis.
constexpr float kLabelOffset = 0.1f;

// The three blanks that carry a label to the right of its point.
const std::string kLead = "   ";

// A sum with a 32-bit member, done in 64 bits and stored as a 32-bit float;
// an invalid operation or an overflow (also beyond the 32-bit range) is a
// fault.
float singleSum(float member, double addend) {
    return static_cast<float>(checkedSingleResult(static_cast<double>(member) + addend));
}

// The printed form of a value rounded to the nearest whole number, a tie
// going to the even neighbour. The rounded value is printed as an integer;
// one beyond the 16-bit range keeps its digits as a whole 64-bit number
// instead of overflowing.
std::string printedRounded(double v) {
    const double r = roundHalfEven(v);
    if (r >= std::numeric_limits<std::int16_t>::min() && r <= std::numeric_limits<std::int16_t>::max()) {
        return printedInteger(static_cast<long long>(r));
    }
    return printedText(Numeric::real(r));
}

} // namespace

void DrawAxes(Form& form) { DrawAxes(form, GuideLines{}); }

void DrawAxes(Form& form, GuideLines guides) {
    const FormState& s = form.state;
    Canvas& pic = form.Picture1;
    const float C = s.ShiftY;

    // 1-3: a clear canvas, scaled to the interval and the y-range with one
    // unit of margin on every side.
    pic.clear();
    const double left = s.XStart.value() - 1;
    const double top = s.YMax.value() + 1;
    const float right = singleSum(s.XEnd, 1);
    const float bottom = singleSum(s.YMin, -1);
    pic.setScale(left, top, right, bottom);
    pic.setDrawWidth(kDrawWidth);

    // 4-10: the x-axis with its name and the values at the ends of the
    // interval, just below it.
    const float axisLeft = toSingle(left);
    pic.line(axisLeft, 0.0f, right, 0.0f, paletteColour(kAxisPalette));
    pic.point(singleSum(s.XEnd, 0.8), -kLabelOffset);
    pic.print("x", LineEnd::NewLine);
    pic.point(singleSum(s.XEnd, -0.01), -kLabelOffset);
    pic.print(printedText(s.XEnd), LineEnd::NewLine);
    pic.point(toSingle(s.XStart.value() - 0.1), -kLabelOffset);
    pic.print(kLead + printedText(s.XStart), LineEnd::NewLine);

    // 11-13: the y-axis over the full height, its name below the top edge.
    const float axisTop = toSingle(top);
    pic.line(0.0f, bottom, 0.0f, axisTop, paletteColour(kAxisPalette));
    pic.point(-kLabelOffset, toSingle(s.YMax.value() + 0.9));
    pic.print("   y  ", LineEnd::NewLine);

    // 14-17: ticks at the top and the bottom of the range, each value
    // printed from the left end of its tick.
    const float yMax = toSingle(s.YMax.value());
    pic.line(kLabelOffset, yMax, -kLabelOffset, yMax);
    pic.print(kLead + printedRounded(s.YMax.value()), LineEnd::NewLine);
    pic.line(kLabelOffset, s.YMin, -kLabelOffset, s.YMin);
    pic.print(kLead + printedRounded(s.YMin), LineEnd::NewLine);

    // 18-19: the origin gets its own 0 unless the start label already
    // stands there.
    if (s.XStart.value() != 0) {
        pic.point(-kLabelOffset, -kLabelOffset);
        pic.print(kLead + printedInteger(0), LineEnd::NewLine);
    }

    // 20-22: the guide line at y = C, labelled left of the y-axis.
    if (guides.atC) {
        pic.line(axisLeft, C, right, C, paletteColour(kCGuidePalette));
        pic.point(-kLabelOffset, C);
        pic.print(kLead + printedText(C), LineEnd::NewLine);
    }

    // 23-25: the guide line at x = -b; its label marks the point b on the
    // x-axis.
    if (!guides.atMinusB) return;
    const float minusB = toSingle(-s.ShiftX.value());
    pic.line(minusB, bottom, minusB, axisTop, paletteColour(kBGuidePalette));
    pic.point(toSingle(s.ShiftX.value()), -kLabelOffset);
    pic.print(printedText(s.ShiftX), LineEnd::NewLine);
}

} // namespace viramont
