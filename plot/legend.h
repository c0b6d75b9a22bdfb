#pragma once
// The legend panel: the colour key and two sentences that say by how much
// and which way the transformed graph is shifted along each axis.

#include "form/form.h"

namespace viramont {

void ShowLegend(Form& form);

} // namespace viramont
