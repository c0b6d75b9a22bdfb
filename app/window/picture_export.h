#pragma once
// The picture of the window that a teacher copies, saves or prints: the
// formula line on top, below it the graph canvas with the legend panel in
// their arrangement on the form, at the canvases' device resolution. No
// widgets here: the menu that offers it (picture_menu.h) reads them.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <optional>

class QPrinter;

namespace viramont {

struct PictureParts {
    // The canvas images (device pixels, their devicePixelRatio set) and
    // their top-left corners on the form, in logical pixels.
    QImage graph;
    QPoint graphAt;
    QImage legend;
    QPoint legendAt;
    // The formula line; an empty text leaves the line out.
    QString formula;
    QFont font;  // a pixel size, as the field shows it
    QColor ink = Qt::black;
};

// The margin around the formula line, in logical pixels, and the colour of
// the paper around the formula and the canvases.
inline constexpr int kFormulaMargin = 6;
inline constexpr QRgb kPaper = 0xFFFFFFFF;

// The composed picture, with the graph canvas's devicePixelRatio. The
// canvases keep their distance from each other; the picture begins at the
// leftmost and topmost canvas edge, below the formula line when there is one.
QImage composePicture(const PictureParts& parts);

// The formula line for a text of Text5: nothing while it still shows its
// initial text or is blank.
QString formulaLineOf(const QString& text5);

// The raster formats this Qt can write, as save-dialog filters, PNG first
// ("PNG (*.png)", "JPEG (*.jpg *.jpeg)", ...).
QStringList savedFormatFilters();

// Writes the image to a temporary file beside `path` and renames it, in the
// format of the file's extension. Nothing appears under `path` on failure.
// Returns the Russian reason of a failure, nothing on success.
std::optional<QString> savePicture(const QImage& picture, const QString& path);

// Landscape, the picture's name as the document name.
void setUpPrinter(QPrinter& printer, const QString& docName = QStringLiteral("график"));

// Prints the picture on one page, centred and scaled to fit with its
// proportions kept. False when the printer fails.
bool printPicture(const QImage& picture, QPrinter& printer);

} // namespace viramont
