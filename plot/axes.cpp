#include "plot/axes.h"

namespace viramont {

void DrawAxes(Form& form) {
    form.Picture1.clear();
}

} // namespace viramont
