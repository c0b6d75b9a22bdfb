#include "toolkit/qt/canvas_widget.h"

#include "toolkit/qt/accessible.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

namespace viramont {

namespace {
double screenRatio(QWidget* parent) {
    if (parent && parent->screen()) return parent->screen()->devicePixelRatio();
    if (QGuiApplication::primaryScreen()) return QGuiApplication::primaryScreen()->devicePixelRatio();
    return 1.0;
}
} // namespace

CanvasWidget::CanvasWidget(QWidget* parent, QSize size, int border, Colour fore, Colour back, const QFont& font)
    : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(border);
    setFont(font);
    setFocusPolicy(Qt::TabFocus);
    // The widget paints every pixel it covers (the image inside, the frame
    // over the window's background around it), so the window does not paint
    // its background under the picture first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    installAccessibility();
    canvas_ = std::make_unique<RasterCanvas>(size.width() - 2 * border, size.height() - 2 * border,
                                             screenRatio(parent), fore, back, font);
}

void CanvasWidget::refresh(std::string_view description) {
    const QString spoken = QString::fromStdString(viramont::spokenText(*canvas_, description));
    if (spoken != spoken_) {
        spoken_ = spoken;
        setAccessibleDescription(spoken_);
    }
    update(contentsRect());  // the frame has not changed
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    // The sunken frame costs most of a paint of the whole widget: drawn only
    // when the region reaches it.
    if (!contentsRect().contains(event->rect())) {
        if (const QWidget* under = parentWidget()) {
            QPainter ring(this);
            ring.setClipRegion(QRegion(rect()).subtracted(contentsRect()));
            ring.fillRect(rect(), under->palette().color(under->backgroundRole()));
        }
        QFrame::paintEvent(event);
    }
    QPainter painter(this);
    const QRect inside = contentsRect();
    painter.setClipRect(inside.intersected(event->rect()));
    painter.drawImage(inside.topLeft(), canvas_->image());
}

} // namespace viramont
