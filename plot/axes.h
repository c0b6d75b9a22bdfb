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

} // namespace viramont
