#include "toolkit/canvas.h"

namespace viramont {

void Canvas::points(std::span<const GraphPoint> batch, Colour colour) {
    for (const GraphPoint& p : batch) point(p.x, p.y, colour);
}

} // namespace viramont
