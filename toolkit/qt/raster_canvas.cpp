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
      metrics_(font_),
      stamper_(geometry_, DotStamper::Order::Argb, &RasterCanvas::pixelsOf, this) {
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
    stamper_.forgetPixels();
    stamper_.forget();
    stamper_.setDeviceWidth(static_cast<int>(std::lround(geometry_.drawWidth() * dpr_)));
    stamper_.scaleChanged();
}

void RasterCanvas::setScale(double left, double top, double right, double bottom) {
    geometry_.setScale(left, top, right, bottom);
    stamper_.scaleChanged();
}

void RasterCanvas::setDrawWidth(int pixels) {
    geometry_.setDrawWidth(pixels);
    stamper_.setDeviceWidth(static_cast<int>(std::lround(geometry_.drawWidth() * dpr_)));
}

void RasterCanvas::points(std::span<const GraphPoint> batch, Colour colour) {
    if (batch.empty()) return;
    stamper_.points(batch, colour);
    geometry_.moveTo(batch.back().x, batch.back().y);
}

std::uint32_t* RasterCanvas::pixelsOf(void* canvas, int& stride) {
    QImage& image = static_cast<RasterCanvas*>(canvas)->image_;
    stride = static_cast<int>(image.bytesPerLine() / sizeof(QRgb));
    return reinterpret_cast<std::uint32_t*>(image.bits());
}

void RasterCanvas::line(double x1, double y1, double x2, double y2, Colour colour) {
    geometry_.moveTo(x2, y2);
    stamper_.forget();
    DevicePoint a, b;
    if (!geometry_.clipToDevice(x1, y1, x2, y2, stamper_.deviceWidth(), a, b)) return;
    QPainter painter(&paintTarget());
    painter.scale(1.0 / dpr_, 1.0 / dpr_);  // draw in device pixels
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(toQColor(colour), stamper_.deviceWidth(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
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
