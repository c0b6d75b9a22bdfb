#include "plot/plot.h"

namespace viramont {

void Command1_Click(Form&) {}

} // namespace viramont
