#include "toolkit/canvas_geometry.h"

#include <cmath>

namespace viramont {

CanvasGeometry::CanvasGeometry(int widthPx, int heightPx)
    : width_(widthPx < 0 ? 0 : widthPx), height_(heightPx < 0 ? 0 : heightPx) {
    setScale(0.0, 0.0, width_, height_);
    clear();
}

void CanvasGeometry::clear() {
    current_ = {left_, top_};
    lines_.clear();
    lineOpen_ = false;
}

void CanvasGeometry::setScale(double left, double top, double right, double bottom) {
    left_ = left;
    top_ = top;
    sx_ = width_ / (right - left);
    sy_ = height_ / (bottom - top);
    hasArea_ = std::isfinite(sx_) && std::isfinite(sy_) && sx_ != 0.0 && sy_ != 0.0 && std::isfinite(left) &&
               std::isfinite(top);
    lineOpen_ = false;
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
