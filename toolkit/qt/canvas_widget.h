#pragma once
// A picture box: a sunken frame that shows a RasterCanvas. The canvas keeps
// the drawing; the widget only copies the image when it is painted.

#include "toolkit/qt/raster_canvas.h"

#include <QFrame>
#include <QString>

#include <memory>
#include <string_view>

namespace viramont {

class CanvasWidget : public QFrame {
public:
    // The canvas fills the frame's inside: `size` less a sunken border of
    // `border` pixels on each side.
    CanvasWidget(QWidget* parent, QSize size, int border, Colour fore, Colour back, const QFont& font);

    RasterCanvas& canvas() { return *canvas_; }
    const RasterCanvas& canvas() const { return *canvas_; }
    // Shows what the canvas drew and publishes to screen readers what it
    // shows: `description` when there is one, otherwise its printed lines
    // (spokenText of toolkit/canvas.h). Called when a handler returns.
    void refresh(std::string_view description = {});
    // What a screen reader reads of the picture, line by line: its text
    // (toolkit/qt/accessible.h) and its accessible description.
    const QString& spokenText() const { return spoken_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<RasterCanvas> canvas_;
    QString spoken_;
};

} // namespace viramont
