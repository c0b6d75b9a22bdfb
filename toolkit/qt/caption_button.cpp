#include "toolkit/qt/caption_button.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPen>
#include <qdrawutil.h>

namespace viramont {

namespace {
constexpr int kBevel = 2;    // raised 3-D border
constexpr int kPadding = 2;  // between the bevel and the caption
} // namespace

CaptionButton::CaptionButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect CaptionButton::captionRect() const {
    const int inset = kBevel + kPadding;
    return rect().adjusted(inset, inset, -inset, -inset);
}

QSize CaptionButton::sizeHint() const {
    const QRect text = fontMetrics().boundingRect(QRect(0, 0, 200, 1000), kCaptionFlags, this->text());
    const int inset = 2 * (kBevel + kPadding);
    return {text.width() + inset, text.height() + inset};
}

QSize CaptionButton::minimumSizeHint() const { return sizeHint(); }

void CaptionButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    const bool down = isDown() || isChecked();

    p.fillRect(rect(), pal.color(QPalette::Button));
    // The classic bevel: light top-left and dark bottom-right, swapped while
    // the button is held down.
    QPalette bevel = pal;
    bevel.setColor(QPalette::Light, Qt::white);
    bevel.setColor(QPalette::Midlight, pal.color(QPalette::Button).lighter(115));
    bevel.setColor(QPalette::Mid, pal.color(QPalette::Button).darker(150));
    bevel.setColor(QPalette::Dark, pal.color(QPalette::Button).darker(200));
    bevel.setColor(QPalette::Shadow, Qt::black);
    qDrawWinButton(&p, rect(), bevel, down, nullptr);

    QRect text = captionRect();
    if (down) text.translate(1, 1);
    p.setFont(font());
    p.setPen(pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(text, kCaptionFlags, this->text());

    if (hasFocus()) {
        // The classic dotted focus frame just inside the bevel.
        p.setPen(QPen(pal.color(QPalette::ButtonText), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(kBevel + 1, kBevel + 1, -kBevel - 2, -kBevel - 2));
    }
}

void CaptionButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace viramont
