#pragma once
// The six plot routines, one per entry of Combo1. Command1_Click calls the
// one whose entry is chosen; they are declared here for the benchmarks.

#include "form/form.h"

namespace viramont {

void PlotSin(Form& form);
void PlotCos(Form& form);
void PlotSquare(Form& form);
void PlotCube(Form& form);
void PlotLog(Form& form);
void PlotLogBase(Form& form);

} // namespace viramont
