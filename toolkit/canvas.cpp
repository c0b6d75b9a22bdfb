#include "toolkit/canvas.h"

#include <cmath>
#include <utility>

namespace viramont {

void Canvas::points(std::span<const GraphPoint> batch, Colour colour) {
    for (const GraphPoint& p : batch) point(p.x, p.y, colour);
}

CanvasGeometry::CanvasGeometry(int widthPx, int heightPx) { resize(widthPx, heightPx); }

void CanvasGeometry::resize(int widthPx, int heightPx) {
    width_ = widthPx < 0 ? 0 : widthPx;
    height_ = heightPx < 0 ? 0 : heightPx;
    setScale(0.0, 0.0, width_, height_);
}

void CanvasGeometry::clear() {
    current_ = {left_, top_};
    lines_.clear();
    lineOpen_ = false;
}

void CanvasGeometry::setScale(double left, double top, double right, double bottom) {
    left_ = left;
    top_ = top;
    right_ = right;
    bottom_ = bottom;
    sx_ = width_ / (right - left);
    sy_ = height_ / (bottom - top);
    hasArea_ = std::isfinite(sx_) && std::isfinite(sy_) && sx_ != 0.0 && sy_ != 0.0 && std::isfinite(left) &&
               std::isfinite(top);
    lineOpen_ = false;
}

bool CanvasGeometry::clipToDevice(double x1, double y1, double x2, double y2, double margin, DevicePoint& a,
                                  DevicePoint& b) const {
    if (!hasArea_) return false;
    const double ax = (x1 - left_) * sx_, ay = (y1 - top_) * sy_;
    const double bx = (x2 - left_) * sx_, by = (y2 - top_) * sy_;
    if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) return false;

    // Cohen-Sutherland, setting a clipped coordinate exactly on the edge so
    // that lines from far outside keep their precision.
    const double xmin = -margin, ymin = -margin, xmax = width_ + margin, ymax = height_ + margin;
    auto code = [&](double x, double y) {
        return (x < xmin ? 1 : 0) | (x > xmax ? 2 : 0) | (y < ymin ? 4 : 0) | (y > ymax ? 8 : 0);
    };
    a = {ax, ay};
    b = {bx, by};
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

std::size_t codePointCount(std::string_view utf8) {
    std::size_t n = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) != 0x80) ++n;
    }
    return n;
}

void RecordingCanvas::clear() {
    geometry_.clear();
    calls_.push_back({.op = Op::Clear});
}

void RecordingCanvas::setScale(double left, double top, double right, double bottom) {
    geometry_.setScale(left, top, right, bottom);
    calls_.push_back({.op = Op::Scale, .x1 = left, .y1 = top, .x2 = right, .y2 = bottom});
}

void RecordingCanvas::setDrawWidth(int pixels) {
    geometry_.setDrawWidth(pixels);
    calls_.push_back({.op = Op::Width, .width = geometry_.drawWidth()});
}

void RecordingCanvas::addPoint(double x, double y, bool hasColour, Colour colour) {
    geometry_.moveTo(x, y);
    ++pointCount_;
    if (keepPoints_) {
        calls_.push_back({.op = Op::Point, .x1 = x, .y1 = y, .hasColour = hasColour, .colour = colour,
                          .width = geometry_.drawWidth()});
    }
}

void RecordingCanvas::addLine(double x1, double y1, double x2, double y2, bool hasColour, Colour colour) {
    geometry_.moveTo(x2, y2);
    calls_.push_back({.op = Op::Line, .x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2, .hasColour = hasColour,
                      .colour = colour, .width = geometry_.drawWidth()});
}

void RecordingCanvas::print(std::string_view text, LineEnd end) {
    const WorldPoint at = geometry_.current();
    geometry_.notePrint(text, end, kCharWidth * static_cast<double>(codePointCount(text)), kLineHeight);
    calls_.push_back({.op = Op::Print, .text = std::string(text), .end = end, .at = at});
}

} // namespace viramont
