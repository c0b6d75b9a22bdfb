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
    columnsJoin_ = true;
    for (std::size_t i = 0; i < shape_.size(); ++i) {
        const DotSpan& s = shape_[i];
        if (s.dy != shapeTop_ + static_cast<int>(i) || s.dx > 0 || s.dx + s.length <= 0) columnsJoin_ = false;
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
        if (i + 1 < batch.size() && batch[i + 1].x == batch[i].x) {
            const std::size_t end = stampRun(batch, i, colour);
            if (end > i) {
                i = end - 1;
                continue;
            }
        }
        dot(batch[i].x, batch[i].y, colour);
    }
}

std::size_t DotStamper::stampRun(std::span<const GraphPoint> batch, std::size_t from, Colour colour) {
    if (!skipRepeats_ || !columnsJoin_) return from;  // every point stamped on its own
    const float x = batch[from].x;
    const DevicePoint d = geometry_.map(x, batch[from].y);
    if (!area_.holds(d)) return from;  // also NaN
    const DevicePixel first = DevicePixel::of(d);
    // The row of a point of the run's x, none outside where a dot can touch
    // the image (nor a NaN); the column is the first point's.
    const auto rowOf = [&](std::size_t i, int& row) {
        const double y = geometry_.map(x, batch[i].y).y;
        if (!(y >= area_.y0 && y <= area_.y1)) return false;
        const int r = static_cast<int>(y);
        row = r - (y < r);
        return true;
    };
    int row = 0;
    if (!rowOf(from + 1, row)) return from;
    const int step = row - first.top();
    if (step != 1 && step != -1) return from;
    std::size_t end = from + 2;
    for (int next = 0; end < batch.size() && batch[end].x == x; ++end) {
        if (!rowOf(end, next) || next != row + step) break;
        row = next;
    }
    stampColumn(first.left(), std::min(first.top(), row), std::max(first.top(), row), colour);
    last_ = {};
    return end;
}

void DotStamper::stampColumn(int px, int top, int bottom, Colour colour) {
    const std::uint32_t value = valueOf(colour);
    const int w = geometry_.widthPx();
    const int rowFrom = std::max(top + shapeTop_, 0), rowTo = std::min(bottom + shapeBottom_, geometry_.heightPx());
    int boxX0 = w, boxX1 = 0, boxY0 = rowTo, boxY1 = rowFrom;
    std::uint32_t* const image = rowFrom < rowTo ? pixels() : nullptr;
    for (int r = rowFrom; r < rowTo; ++r) {
        // The dots on rows r - dy reach row r with their span of row dy.
        const int dyFrom = std::max(shapeTop_, r - bottom), dyTo = std::min(shapeBottom_ - 1, r - top);
        int x0 = shapeLeft_, x1 = shapeRight_;
        if (dyFrom != shapeTop_ || dyTo != shapeBottom_ - 1) {
            x0 = 0, x1 = 0;
            for (int dy = dyFrom; dy <= dyTo; ++dy) {
                const DotSpan& s = shape_[static_cast<std::size_t>(dy - shapeTop_)];
                x0 = std::min(x0, s.dx);
                x1 = std::max(x1, s.dx + s.length);
            }
        }
        x0 = std::max(px + x0, 0);
        x1 = std::min(px + x1, w);
        if (x0 >= x1) continue;
        std::uint32_t* line = image + static_cast<std::ptrdiff_t>(r) * stride_;
        std::fill(line + x0, line + x1, value);
        boxX0 = std::min(boxX0, x0), boxX1 = std::max(boxX1, x1);
        boxY0 = std::min(boxY0, r), boxY1 = std::max(boxY1, r + 1);
    }
    if (boxX0 < boxX1) touch(boxX0, boxY0, boxX1, boxY1);
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
