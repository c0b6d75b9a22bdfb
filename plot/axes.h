#pragma once
// The graph canvas for one plot: cleared, scaled to the interval and the
// y-range with a unit of margin, with both axes, their labels, the ticks of
// the range and the two guide lines at y = C and x = -b.

#include "form/form.h"

namespace viramont {

// Palette indices of the two guide lines.
inline constexpr int kCGuidePalette = 13;  // light magenta, y = C
inline constexpr int kBGuidePalette = 11;  // light cyan, x = -b

void DrawAxes(Form& form);

// Which of the two guide lines, with their labels, the axes get: a picture
// of the transformation in motion shows each once its move has begun.
struct GuideLines {
    bool atC = true;      // y = C
    bool atMinusB = true; // x = -b
};
void DrawAxes(Form& form, GuideLines guides);

} // namespace viramont
