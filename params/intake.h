#pragma once
// Pressing ВЫБОР: the six fields are read into the form state, the interval
// and the logarithm's domain are checked, the base of "Log(b)/Log(a)" is
// asked for, and the formula of the transformed function goes to Text5.

#include "app/form.h"

namespace viramont {

void ВЫБОР_Click(Form& form);

} // namespace viramont
