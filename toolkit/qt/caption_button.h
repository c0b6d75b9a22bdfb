#pragma once
// A push button in the graphical style: a flat face painted in the palette's
// Button colour inside a raised 3-D bevel (sunken while pressed), and the
// caption centred on the face, wrapped at word boundaries. Blanks at the
// start of the caption are kept, so " ВЫБОР ПАРАМЕТРОВ" sits one blank to the
// right of centre. QPushButton itself neither wraps captions nor shows a
// flat face colour in every style.

#include <QPushButton>

namespace viramont {

class CaptionButton : public QPushButton {
public:
    CaptionButton(const QString& caption, QWidget* parent);

    // The inside of the bevel where the caption is laid out.
    QRect captionRect() const;
    // Flags for QPainter::drawText / QFontMetrics::boundingRect.
    static constexpr int kCaptionFlags = Qt::AlignCenter | Qt::TextWordWrap;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    // Enter and the keypad's Enter press the focused button as a click does.
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace viramont
