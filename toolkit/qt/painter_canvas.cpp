#include "toolkit/qt/painter_canvas.h"

#include "toolkit/qt/raster_canvas.h"

#include <QPainterPath>

#include <cmath>

namespace viramont {

namespace {

QFont scaled(QFont font, double scale) {
    if (font.pixelSize() > 0) {
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * scale))));
    } else {
        font.setPointSizeF(font.pointSizeF() * scale);
    }
    font.setHintingPreference(QFont::PreferNoHinting);  // the shapes of the letters, not the screen's grid
    return font;
}
} // namespace

PainterCanvas::PainterCanvas(QPainter& painter, const QRectF& box, double scale, Colour fore, Colour back,
                             const QFont& font)
    : painter_(painter),
      box_(box),
      scale_(scale),
      geometry_(static_cast<int>(std::lround(box.width())), static_cast<int>(std::lround(box.height()))),
      fore_(fore),
      back_(back),
      font_(scaled(font, scale)),
      metrics_(font_, painter.device()) {
    geometry_.setScale(0, 0, box.width() / scale, box.height() / scale);
    geometry_.clear();
    setDrawWidth(1);
}

void PainterCanvas::clear() {
    painter_.fillRect(box_, toQColor(back_));
    geometry_.clear();
}

void PainterCanvas::setScale(double left, double top, double right, double bottom) {
    geometry_.setScale(left, top, right, bottom);
}

void PainterCanvas::setDrawWidth(int pixels) { geometry_.setDrawWidth(pixels); }

QPen PainterCanvas::penOf(Colour colour) const {
    return QPen(toQColor(colour), geometry_.drawWidth() * scale_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void PainterCanvas::point(double x, double y, Colour colour) {
    geometry_.moveTo(x, y);
    DevicePoint d;
    if (!geometry_.toDevice(x, y, geometry_.drawWidth() * scale_, d)) return;
    painter_.save();
    painter_.setClipRect(box_);
    painter_.setPen(penOf(colour));
    painter_.drawPoint(QPointF(box_.left() + d.x, box_.top() + d.y));
    painter_.restore();
}

void PainterCanvas::points(std::span<const GraphPoint> batch, Colour colour) {
    if (batch.empty()) return;
    const double width = geometry_.drawWidth() * scale_;
    const double reach = width * width;
    // Points closer than an eighth of the width to the last one drawn add
    // nothing a reader could see, only bytes to a PDF.
    const double near = width * width / 64;
    QPainterPath path;
    bool open = false;
    QPointF last;
    for (const GraphPoint& p : batch) {
        DevicePoint d;
        if (!geometry_.toDevice(p.x, p.y, width, d)) {
            open = false;
            continue;
        }
        const QPointF at(box_.left() + d.x, box_.top() + d.y);
        const QPointF step = at - last;
        const double step2 = step.x() * step.x() + step.y() * step.y();
        if (open && step2 <= reach) {
            if (step2 < near && &p != &batch.back()) continue;
            path.lineTo(at);
        } else {
            path.moveTo(at);
            path.lineTo(at);  // a dot, should no point follow close by
        }
        last = at;
        open = true;
    }
    painter_.save();
    painter_.setClipRect(box_);
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.strokePath(path, penOf(colour));
    painter_.restore();
    geometry_.moveTo(batch.back().x, batch.back().y);
}

void PainterCanvas::line(double x1, double y1, double x2, double y2, Colour colour) {
    geometry_.moveTo(x2, y2);
    DevicePoint a, b;
    if (!geometry_.clipToDevice(x1, y1, x2, y2, geometry_.drawWidth() * scale_, a, b)) return;
    painter_.save();
    painter_.setClipRect(box_);
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setPen(penOf(colour));
    painter_.drawLine(QPointF(box_.left() + a.x, box_.top() + a.y), QPointF(box_.left() + b.x, box_.top() + b.y));
    painter_.restore();
}

void PainterCanvas::print(std::string_view text, LineEnd end) {
    const WorldPoint at = geometry_.current();
    const QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const double width = metrics_.horizontalAdvance(qtext);
    DevicePoint d;
    if (!qtext.isEmpty() && geometry_.toDevice(at.x, at.y, kTextMargin, d)) {
        painter_.save();
        painter_.setClipRect(box_);
        painter_.setFont(font_);
        painter_.setPen(toQColor(fore_));
        painter_.drawText(QPointF(box_.left() + d.x, box_.top() + d.y + metrics_.ascent()), qtext);
        painter_.restore();
    }
    geometry_.notePrint(text, end, width, metrics_.height());
}

} // namespace viramont
