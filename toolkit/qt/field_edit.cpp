#include "toolkit/qt/field_edit.h"

#include "toolkit/qt/accessible.h"

#include <QFrame>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace viramont {

FieldEdit::FieldEdit(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
    setFrame(false);
    setTextMargins(kBorder, kBorder, kBorder, kBorder);
}

void FieldEdit::setOutput(bool output) {
    output_ = output;
    renewAccessibility(this);
}

void FieldEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    // The same frame as a sunken panel of the picture boxes.
    QPainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.rect = rect();
    frame.frameShape = QFrame::Panel;
    frame.state |= QStyle::State_Sunken;
    frame.lineWidth = kBorder;
    frame.midLineWidth = 0;
    style()->drawControl(QStyle::CE_ShapedFrame, &frame, &painter, this);
}

} // namespace viramont
