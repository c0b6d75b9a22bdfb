#include "toolkit/canvas_geometry.h"

#include "toolkit/std_compat.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#if defined(__SSE2__)
#include <xmmintrin.h>
#endif

namespace viramont {

std::vector<DotSpan> roundDotSpans(int width) {
    std::vector<DotSpan> spans;
    const double centre = (width - 1) / 2.0;
    const double r2 = (width / 2.0) * (width / 2.0);
    const int origin = (width - 1) / 2;
    for (int j = 0; j < width; ++j) {
        int first = -1, last = -1;
        for (int i = 0; i < width; ++i) {
            const double dx = i - centre, dy = j - centre;
            if (dx * dx + dy * dy <= r2) {
                if (first < 0) first = i;
                last = i;
            }
        }
        if (first >= 0) spans.push_back({j - origin, first - origin, last - first + 1});
    }
    return spans;
}

CanvasGeometry::CanvasGeometry(int widthPx, int heightPx)
    : width_(widthPx < 0 ? 0 : widthPx),
      height_(heightPx < 0 ? 0 : heightPx) {
    setScale(0.0, 0.0, width_, height_);
    clear();
}

void CanvasGeometry::clear() {
    current_ = {left_, top_};
    lines_.clear();
    prints_.clear();
    ++clears_;
    lineOpen_ = false;
}

void CanvasGeometry::setScale(double left, double top, double right, double bottom) {
    left_ = left;
    top_ = top;
    sx_ = width_ / (right - left);
    sy_ = height_ / (bottom - top);
    ux_ = 1.0 / sx_;
    uy_ = 1.0 / sy_;
    hasArea_ = std::isfinite(sx_) && std::isfinite(sy_) && sx_ != 0.0 && sy_ != 0.0 && std::isfinite(left) &&
               std::isfinite(top);
    lineOpen_ = false;
    rowFloats_.clear();
}

namespace {
// The float next to a finite v, upwards or downwards.
float nextFloat(float v, bool up) {
    if (v == 0.0f) return up ? std::numeric_limits<float>::denorm_min() : -std::numeric_limits<float>::denorm_min();
    const auto bits = compat::bitCast<std::uint32_t>(v);
    return compat::bitCast<float>((v > 0.0f) == up ? bits + 1 : bits - 1);
}

// The floats v with edge <= (v - corner) * factor < edge + 1, a pixel's
// extent along one axis, as the range [lo, hi] (lo > hi when none is
// found). `perPixel` is 1 / factor: the inverse mapping gives each end
// within a float or two, and the end is then moved to the last float that
// still maps inside.
std::pair<float, float> floatsAlong(double corner, double factor, double perPixel, double edge) {
    auto inside = [&](float v) {
        const double d = (static_cast<double>(v) - corner) * factor;
        return d >= edge && d < edge + 1;
    };
    double a = corner + edge * perPixel, b = a + perPixel;
    if (perPixel < 0) std::swap(a, b);
    constexpr double kMax = std::numeric_limits<float>::max();
    if (!(a <= b && b >= -kMax && a <= kMax)) return {1.0f, 0.0f};  // also NaN
    auto settle = [&](float v, bool upwards) {
        for (int step = 0; step < 4 && !inside(v); ++step) v = nextFloat(v, upwards);
        if (!inside(v)) return std::numeric_limits<float>::quiet_NaN();
        for (int step = 0; step < 4; ++step) {
            const float out = nextFloat(v, !upwards);
            if (!inside(out)) break;
            v = out;
        }
        return v;
    };
    const float lo = settle(static_cast<float>(std::max(a, -kMax)), true);
    const float hi = settle(static_cast<float>(std::min(b, kMax)), false);
    if (!(lo <= hi)) return {1.0f, 0.0f};
    return {lo, hi};
}
} // namespace

FloatBox CanvasGeometry::floatsIn(const DevicePixel& pixel, const DevicePixel& near, const FloatBox& nearBox) const {
    if (!hasArea_) return {};
    const bool lend = nearBox.x0 <= nearBox.x1 && nearBox.y0 <= nearBox.y1;
    const auto [x0, x1] = lend && pixel.left_ == near.left_ ? std::pair{nearBox.x0, nearBox.x1}
                                                            : floatsAlong(left_, sx_, ux_, pixel.left_);
    const auto [y0, y1] =
        lend && pixel.top_ == near.top_ ? std::pair{nearBox.y0, nearBox.y1} : floatsInRow(pixel.top_);
    if (!(x0 <= x1 && y0 <= y1)) return {};
    return {x0, x1, y0, y1};
}

std::pair<float, float> CanvasGeometry::findFloatsInRow(double row) const {
    if (!hasArea_) return {1.0f, 0.0f};
    if (!(row >= 0 && row < height_)) return floatsAlong(top_, sy_, uy_, row);
    if (rowFloats_.empty()) rowFloats_.assign(static_cast<std::size_t>(height_), {0.0f, -1.0f});
    std::pair<float, float>& known = rowFloats_[static_cast<std::size_t>(row)];
    if (known == std::pair{0.0f, -1.0f}) known = floatsAlong(top_, sy_, uy_, row);
    return known;
}

std::size_t FloatBox::firstOutside(std::span<const GraphPoint> batch, std::size_t from) const {
    const std::size_t n = batch.size();
    std::size_t i = from;
#if defined(__SSE2__)
    // Four points a pass, two to a register as x, y, x, y; the pass that
    // meets a point outside leaves it to the loop below.
    const __m128 low = _mm_setr_ps(x0, y0, x0, y0);
    const __m128 high = _mm_setr_ps(x1, y1, x1, y1);
    static_assert(sizeof(GraphPoint) == 2 * sizeof(float));
    const float* xy = &batch.data()->x;
    auto heldPair = [&](std::size_t at) {
        const __m128 v = _mm_loadu_ps(xy + 2 * at);
        return _mm_and_ps(_mm_cmple_ps(low, v), _mm_cmple_ps(v, high));
    };
    for (; i + 4 <= n; i += 4) {
        if (_mm_movemask_ps(_mm_and_ps(heldPair(i), heldPair(i + 2))) != 15) break;
    }
#endif
    for (; i < n; ++i) {
        if (!holds(batch[i])) return i;
    }
    return n;
}

bool CanvasGeometry::clipToDevice(double x1, double y1, double x2, double y2, double margin, DevicePoint& a,
                                  DevicePoint& b) const {
    if (!hasArea_) return false;
    a = map(x1, y1);
    b = map(x2, y2);
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y)) return false;

    // Cohen-Sutherland, setting a clipped coordinate exactly on the edge so
    // that lines from far outside keep their precision.
    const double xmin = -margin, ymin = -margin, xmax = width_ + margin, ymax = height_ + margin;
    auto code = [&](double x, double y) {
        return (x < xmin ? 1 : 0) | (x > xmax ? 2 : 0) | (y < ymin ? 4 : 0) | (y > ymax ? 8 : 0);
    };
    int ca = code(a.x, a.y), cb = code(b.x, b.y);
    for (int round = 0; round < 8; ++round) {
        if ((ca | cb) == 0) return true;
        if (ca & cb) return false;
        DevicePoint& p = ca ? a : b;
        const DevicePoint& q = ca ? b : a;
        const int c = ca ? ca : cb;
        if (c & 1) {
            p = {xmin, p.y + (q.y - p.y) * ((xmin - p.x) / (q.x - p.x))};
        } else if (c & 2) {
            p = {xmax, p.y + (q.y - p.y) * ((xmax - p.x) / (q.x - p.x))};
        } else if (c & 4) {
            p = {p.x + (q.x - p.x) * ((ymin - p.y) / (q.y - p.y)), ymin};
        } else {
            p = {p.x + (q.x - p.x) * ((ymax - p.y) / (q.y - p.y)), ymax};
        }
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
        (ca ? ca : cb) = code(p.x, p.y);
    }
    return (ca | cb) == 0;
}

void CanvasGeometry::notePrint(std::string_view text, LineEnd end, double widthPx, double lineHeightPx) {
    prints_.push_back({std::string(text), end});
    if (lineOpen_ && current_ == openEnd_ && !lines_.empty()) {
        lines_.back() += text;
    } else {
        lines_.emplace_back(text);
    }
    if (end == LineEnd::Stay) {
        if (hasArea_) current_.x += widthPx / sx_;
        lineOpen_ = true;
        openEnd_ = current_;
    } else {
        current_.x = left_;
        if (hasArea_) current_.y += lineHeightPx / sy_;
        lineOpen_ = false;
    }
}

std::string CanvasGeometry::printedLines() const {
    std::string out;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (i) out += '\n';
        out += lines_[i];
    }
    return out;
}

} // namespace viramont
