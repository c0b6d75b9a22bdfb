#pragma once
// Pressing Command1: the plot routine of the chosen function scans the
// y-range, draws the axes, the blue base graph and the red transformed
// graph, and prints the legend.

#include "form/form.h"

namespace viramont {

void Command1_Click(Form& form);

} // namespace viramont
