#include "toolkit/qt/raster_canvas.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace viramont {

namespace {
QFont scaledFont(QFont font, double dpr) {
    if (font.pixelSize() > 0) {
        font.setPixelSize(static_cast<int>(std::lround(font.pixelSize() * dpr)));
    } else {
        font.setPointSizeF(font.pointSizeF() * dpr);
    }
    return font;
}

// More texts than a plot prints (a legend and the axes' labels).
constexpr std::size_t kRememberedWidths = 64;
} // namespace

QColor toQColor(Colour c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

RasterCanvas::RasterCanvas(int widthPx, int heightPx, double devicePixelRatio, Colour fore, Colour back,
                           const QFont& font)
    : geometry_(static_cast<int>(std::lround(widthPx * devicePixelRatio)),
                static_cast<int>(std::lround(heightPx * devicePixelRatio))),
      image_(geometry_.widthPx(), geometry_.heightPx(), QImage::Format_RGB32),
      dpr_(devicePixelRatio),
      fore_(fore),
      back_(back),
      font_(scaledFont(font, devicePixelRatio)),
      metrics_(font_) {
    image_.setDevicePixelRatio(dpr_);
    image_.fill(toQColor(back_));
    geometry_.setScale(0, 0, widthPx, heightPx);
    geometry_.clear();
    setDrawWidth(1);
}

void RasterCanvas::clear() {
    paintTarget().fill(toQColor(back_));
    geometry_.clear();
}

void RasterCanvas::restore(const Kept& kept) {
    paintTarget() = kept.image;
    geometry_ = kept.geometry;
    deviceWidth_ = std::max(1, static_cast<int>(std::lround(geometry_.drawWidth() * dpr_)));
    rebuildStampShape();
    updateDotArea();
}

void RasterCanvas::setScale(double left, double top, double right, double bottom) {
    geometry_.setScale(left, top, right, bottom);
    updateDotArea();
    lastStamp_ = {};
}

void RasterCanvas::updateDotArea() { dotArea_ = geometry_.dotArea(deviceWidth_); }

void RasterCanvas::setDrawWidth(int pixels) {
    geometry_.setDrawWidth(pixels);
    deviceWidth_ = std::max(1, static_cast<int>(std::lround(geometry_.drawWidth() * dpr_)));
    rebuildStampShape();
    updateDotArea();
    lastStamp_ = {};
}

void RasterCanvas::rebuildStampShape() { stampShape_ = roundDotSpans(deviceWidth_); }

void RasterCanvas::points(std::span<const GraphPoint> batch, Colour colour) {
    if (batch.empty()) return;
    // Most points fall into the pixel of the last stamp: the geometry passes
    // over them in bulk, and each point that leaves it is drawn as a dot.
    for (std::size_t i = 0; i < batch.size(); ++i) {
        if (colour == lastStamp_.colour) i = lastStamp_.floats.firstOutside(batch, i);
        if (i == batch.size()) break;
        dot(batch[i].x, batch[i].y, colour);
    }
    geometry_.moveTo(batch.back().x, batch.back().y);
}

void RasterCanvas::stamp(DevicePixel pixel, Colour colour) {
    if (skipRepeats_) lastStamp_ = {pixel, geometry_.floatsIn(pixel, lastStamp_.pixel, lastStamp_.floats), colour};
    const int px = pixel.left(), py = pixel.top();
    const QRgb argb = qRgb(redOf(colour), greenOf(colour), blueOf(colour));
    if (!pixels_) {
        pixels_ = reinterpret_cast<QRgb*>(image_.bits());
        stride_ = static_cast<int>(image_.bytesPerLine() / sizeof(QRgb));
    }
    const int w = geometry_.widthPx(), h = geometry_.heightPx();
    // A graph's stamps lie almost all well inside the image: no clipping.
    const int reach = deviceWidth_;
    if (px >= reach && px < w - reach && py >= reach && py < h - reach) {
        QRgb* centre = pixels_ + static_cast<std::ptrdiff_t>(py) * stride_ + px;
        for (const Span& s : stampShape_)
            std::fill_n(centre + static_cast<std::ptrdiff_t>(s.dy) * stride_ + s.dx, s.length, argb);
        return;
    }
    for (const Span& s : stampShape_) {
        const int row = py + s.dy;
        if (row < 0 || row >= h) continue;
        int x0 = px + s.dx;
        int x1 = x0 + s.length;
        if (x0 < 0) x0 = 0;
        if (x1 > w) x1 = w;
        if (x0 >= x1) continue;
        QRgb* line = pixels_ + static_cast<std::ptrdiff_t>(row) * stride_;
        std::fill(line + x0, line + x1, argb);
    }
}

void RasterCanvas::line(double x1, double y1, double x2, double y2, Colour colour) {
    geometry_.moveTo(x2, y2);
    lastStamp_ = {};
    DevicePoint a, b;
    if (!geometry_.clipToDevice(x1, y1, x2, y2, deviceWidth_, a, b)) return;
    QPainter painter(&paintTarget());
    painter.scale(1.0 / dpr_, 1.0 / dpr_);  // draw in device pixels
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(toQColor(colour), deviceWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(QPointF(a.x, a.y), QPointF(b.x, b.y));
}

void RasterCanvas::print(std::string_view text, LineEnd end) {
    const WorldPoint at = geometry_.current();
    const QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    double width;
    if (const auto known = printWidths_.find(std::string(text)); known != printWidths_.end()) {
        width = known->second;
    } else {
        width = metrics_.horizontalAdvance(qtext);
        if (printWidths_.size() >= kRememberedWidths) printWidths_.clear();
        printWidths_.emplace(text, width);
    }
    DevicePoint d;
    if (!qtext.isEmpty() && geometry_.toDevice(at.x, at.y, kTextMargin, d)) {
        QPainter painter(&paintTarget());
        painter.scale(1.0 / dpr_, 1.0 / dpr_);
        painter.setFont(font_);
        painter.setPen(toQColor(fore_));
        painter.drawText(QPointF(d.x, d.y + metrics_.ascent()), qtext);
    }
    geometry_.notePrint(text, end, width, metrics_.height());
}

} // namespace viramont
