#include "params/intake.h"

namespace viramont {

void ВЫБОР_Click(Form&) {}

} // namespace viramont
