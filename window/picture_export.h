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

#include "form/form.h"
#include "toolkit/canvas_geometry.h"
#include "views/outputs.h"

#include <functional>
#include <optional>
#include <vector>

class QPainter;
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

// The composed picture (views/picture.h), with the graph canvas's
// devicePixelRatio.
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

// What the picture needs in order to be drawn again, on paper or larger:
// each canvas's box on the form (its drawing area, in logical pixels), its
// colours and font, and what it shows: the graphs from the inputs of the
// plot that drew them (none: the canvas as cleared), the legend from the
// texts printed into it.
struct CanvasParts {
    QRect box;
    Colour fore = 0, back = 0;
    QFont font;  // a pixel size, as the canvas has it on the form
};
struct PaperParts {
    CanvasParts graph, legend;
    // Picture1 as it stands drawn anew: the press, or the frame of a motion
    // under way; nothing when none is drawn.
    std::function<void(Canvas&)> drawGraph;
    std::vector<PrintedText> legendPrints;
    QString formula;  // empty: no formula line
    QFont formulaFont;
    QColor ink = Qt::black;
};

// The page of paper (views/picture.h), drawn anew at the device's
// resolution (lines and letters as lines and text).
void paintPaper(QPainter& painter, const QRectF& page, const PaperParts& parts);

// The picture as composePicture makes it, drawn anew at `ratio` times the
// canvases' logical pixels (2 and 4 for slides and worksheets).
QImage largerPicture(const PaperParts& parts, double ratio);

// Writes the page of paper as a one-page PDF (A4, landscape) to `path`;
// the Russian reason of a failure, nothing on success.
std::optional<QString> savePaperPdf(const PaperParts& parts, const QString& path);

// Landscape, the picture's name as the document name.
void setUpPrinter(QPrinter& printer, const QString& docName = QString::fromUtf8(view::kPictureOutput.docName));

// Prints the page of paper at the printer's resolution. False when the
// printer fails.
bool printPaper(const PaperParts& parts, QPrinter& printer);

// Prints a picture as it is on one page, centred and scaled to fit with its
// proportions kept. False when the printer fails.
bool printPicture(const QImage& picture, QPrinter& printer);

} // namespace viramont
