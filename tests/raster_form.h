#pragma once
// The window's two canvases as raster canvases without a window, and a form
// over them: sizes, colours and font of the layout, as the window makes
// them. Needs a QGuiApplication.

#include "window/appearance.h"
#include "form/layout.h"
#include "form_kit.h"
#include "toolkit/qt/raster_canvas.h"

#include <QGuiApplication>

namespace viramont::test {

// The font of a control of the layout, at scale 1.
inline QFont layoutFontOf(const char* control) { return layoutFont(layout::controlNamed(control).font); }

// A raster canvas as the window makes the named canvas of the layout.
inline RasterCanvas layoutCanvas(const char* name, double devicePixelRatio = 1.0) {
    const layout::ControlRow& c = layout::controlNamed(name);
    const layout::PixelSize area = layout::canvasArea(name);
    const QPalette palette = QGuiApplication::palette();
    return RasterCanvas(area.width, area.height, devicePixelRatio, layoutColourValue(c.fore, palette),
                        layoutColourValue(c.back, palette), layoutFont(c.font));
}

// Picture1 and Picture2 of the window.
struct RasterCanvases {
    explicit RasterCanvases(double devicePixelRatio = 1.0)
        : picture1(layoutCanvas("Picture1", devicePixelRatio)), picture2(layoutCanvas("Picture2", devicePixelRatio)) {}
    RasterCanvas picture1;
    RasterCanvas picture2;
};

// A form on fakes over the window's raster canvases.
struct RasterWindow : FakeControls, RasterCanvases {
    explicit RasterWindow(double devicePixelRatio = 1.0) : RasterCanvases(devicePixelRatio) {}
    RasterWindow(const RasterWindow&) = delete;
    RasterWindow& operator=(const RasterWindow&) = delete;

    ScriptedDialogs dialogs;
    Form form = formOver(*this, picture1, picture2, dialogs);
};

} // namespace viramont::test
