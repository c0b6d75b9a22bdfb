#include "toolkit/canvas.h"

#include "toolkit/utf8.h"

namespace viramont {

void Canvas::points(std::span<const GraphPoint> batch, Colour colour) {
    for (const GraphPoint& p : batch) point(p.x, p.y, colour);
}

std::string spokenText(const Canvas& canvas, std::string_view description) {
    if (!description.empty()) return std::string(description);
    return utf8::cyrillicLookAlikes(canvas.accessibleText());
}

} // namespace viramont
