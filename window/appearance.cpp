#include "window/appearance.h"

#include "views/icon.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace viramont {

QFont layoutFont(const layout::FontStyle& wanted, double scale) {
    QFont font;
    font.setFamilies({QString::fromUtf8(layout::familyOf(wanted.face)), QString::fromUtf8(layout::kFallbackFamily)});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(layout::fontPixels(wanted.points, scale));
    font.setBold(wanted.bold);
    font.setItalic(wanted.italic);
    return font;
}

QColor layoutColour(Colour colour, const QPalette& palette) {
    if ((colour & layout::kSystem) == 0) return QColor(redOf(colour), greenOf(colour), blueOf(colour));
    switch (colour & 0xFF) {
    case 5: return palette.color(QPalette::Base);
    case 8: return palette.color(QPalette::Text);
    case 15: return palette.color(QPalette::Button);
    case 18: return palette.color(QPalette::ButtonText);
    case 19:
#ifdef Q_OS_WIN
    {
        const DWORD c = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
        return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
    }
#else
    {
        const Colour c = layout::classicColour(colour);
        return QColor(redOf(c), greenOf(c), blueOf(c));
    }
#endif
    default: return palette.color(QPalette::Window);
    }
}

Colour layoutColourValue(Colour colour, const QPalette& palette) {
    const QColor c = layoutColour(colour, palette);
    return rgb(c.red(), c.green(), c.blue());
}

namespace {
QPixmap iconPixmap(int size) {
    const view::IconPicture icon = view::iconPicture(size);
    const QImage image(reinterpret_cast<const uchar*>(icon.pixels.data()), size, size, size * 4,
                       QImage::Format_ARGB32);
    return QPixmap::fromImage(image.copy());
}
} // namespace

QIcon programIcon() {
    QIcon icon;
    icon.addPixmap(iconPixmap(16));
    icon.addPixmap(iconPixmap(32));
    return icon;
}

const view::TextMetrics& layoutMetrics() {
    static const view::TextMetrics metrics{
        [](const std::string& text, const layout::FontStyle& font) {
            return QFontMetricsF(layoutFont(font)).horizontalAdvance(QString::fromStdString(text));
        },
        [](const layout::FontStyle& font) {
            const QFontMetricsF m(layoutFont(font));
            return m.ascent() + m.descent();
        }};
    return metrics;
}

CanvasWidget* canvasWidget(QWidget* parent, QSize size, int border, const layout::CanvasLook& look) {
    const QPalette palette = QGuiApplication::palette();
    return new CanvasWidget(parent, size, border, layoutColourValue(look.fore, palette),
                            layoutColourValue(look.back, palette), layoutFont(look.font));
}

} // namespace viramont
