#pragma once
// The graph canvas for one plot: cleared, scaled to the interval and the
// y-range with a unit of margin, with both axes, their labels, the ticks of
// the range and the two guide lines at y = C and x = -b.

#include "form/form.h"

namespace viramont {

void DrawAxes(Form& form);

} // namespace viramont
