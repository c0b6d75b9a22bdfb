#include "toolkit/dot_stamper.h"

#include <algorithm>
#include <cstddef>

namespace viramont {

DotStamper::DotStamper(const CanvasGeometry& geometry, Order order, Fetch fetch, void* owner)
    : geometry_(geometry), order_(order), fetch_(fetch), owner_(owner) {
    setDeviceWidth(1);
}

void DotStamper::setDeviceWidth(int pixels) {
    width_ = std::max(1, pixels);
    shape_ = roundDotSpans(width_);
    shapeTop_ = shape_.front().dy;
    shapeBottom_ = shape_.back().dy + 1;
    shapeLeft_ = shapeRight_ = 0;
    for (const DotSpan& s : shape_) {
        shapeLeft_ = std::min(shapeLeft_, s.dx);
        shapeRight_ = std::max(shapeRight_, s.dx + s.length);
    }
    scaleChanged();
}

void DotStamper::scaleChanged() {
    area_ = geometry_.dotArea(width_);
    last_ = {};
}

void DotStamper::points(std::span<const GraphPoint> batch, Colour colour) {
    // Most points fall into the pixel of the last stamp: the geometry passes
    // over them in bulk, and each point that leaves it is drawn as a dot.
    for (std::size_t i = 0; i < batch.size(); ++i) {
        if (colour == last_.colour) i = last_.floats.firstOutside(batch, i);
        if (i == batch.size()) break;
        dot(batch[i].x, batch[i].y, colour);
    }
}

void DotStamper::touch(int x0, int y0, int x1, int y1) {
    if (changed()) {
        changedX0_ = std::min(changedX0_, x0);
        changedY0_ = std::min(changedY0_, y0);
        changedX1_ = std::max(changedX1_, x1);
        changedY1_ = std::max(changedY1_, y1);
    } else {
        changedX0_ = x0, changedY0_ = y0, changedX1_ = x1, changedY1_ = y1;
    }
}

void DotStamper::span(int row, int x0, int x1, std::uint32_t value) {
    if (row < 0 || row >= geometry_.heightPx()) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, geometry_.widthPx());
    if (x0 >= x1) return;
    std::uint32_t* line = pixels() + static_cast<std::ptrdiff_t>(row) * stride_;
    std::fill(line + x0, line + x1, value);
    touch(x0, row, x1, row + 1);
}

void DotStamper::stamp(DevicePixel pixel, Colour colour) {
    if (skipRepeats_) last_ = {pixel, geometry_.floatsIn(pixel, last_.pixel, last_.floats), colour};
    const int px = pixel.left(), py = pixel.top();
    const std::uint32_t value = valueOf(colour);
    const int w = geometry_.widthPx(), h = geometry_.heightPx();
    // A graph's stamps lie almost all well inside the image: no clipping.
    if (px >= width_ && px < w - width_ && py >= width_ && py < h - width_) {
        std::uint32_t* centre = pixels() + static_cast<std::ptrdiff_t>(py) * stride_ + px;
        for (const DotSpan& s : shape_) {
            std::fill_n(centre + static_cast<std::ptrdiff_t>(s.dy) * stride_ + s.dx, s.length, value);
        }
        touch(px + shapeLeft_, py + shapeTop_, px + shapeRight_, py + shapeBottom_);
        return;
    }
    for (const DotSpan& s : shape_) span(py + s.dy, px + s.dx, px + s.dx + s.length, value);
}

} // namespace viramont
