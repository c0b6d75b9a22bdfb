#include "plot/legend.h"

namespace viramont {

void ShowLegend(Form&) {}

} // namespace viramont
