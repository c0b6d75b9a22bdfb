#pragma once
// The teacher's output of the window: the context menu of both canvases
// (right-click, the Menu key or Shift+F10) with "Копировать рисунок",
// "Сохранить рисунок…" and "Печать…", and their shortcuts: Ctrl+C while a
// canvas has the focus, Ctrl+S and Ctrl+P anywhere in the window. Copy and
// the plain PNG take the picture of picture_export.h from the canvases as
// they are; print, PDF and the larger PNGs draw it anew from what the
// canvases show (the inputs of the last plot, the legend's texts). None of
// them changes a canvas, a field or the form's state, and nothing is kept
// between runs.

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QObject>

class QLineEdit;
class QPrinter;
class QWidget;

namespace viramont {

class CanvasWidget;
class Dialogs;
class LastPlot;
struct PaperParts;

class PictureMenu : public QObject {
public:
    // `window` holds the canvases and the formula field; failures are told
    // through `dialogs`.
    // `lastPlot` holds the inputs of the plot the graph canvas shows.
    PictureMenu(QWidget* window, CanvasWidget* graph, CanvasWidget* legend, QLineEdit* formula, Dialogs& dialogs,
                const LastPlot& lastPlot);

    // The picture at the screen's resolution, or drawn anew at `ratio`
    // times the logical pixels.
    QImage picture(double ratio = 1.0) const;
    PaperParts paperParts() const;
    void copy();
    // Asks for the file, then saves into it.
    void save();
    // Saves into `path` (a PDF page for ".pdf", else the picture at `ratio`
    // in the extension's format), or says why it cannot. True when the file
    // was written.
    bool saveTo(const QString& path, double ratio = 1.0);
    // Asks for the printer, then prints on it.
    void print();
    // Prints on a printer already set up, or says that it failed.
    bool printTo(QPrinter& printer);

    QMenu& menu() { return menu_; }

private:
    void openMenu(CanvasWidget* canvas, QPoint at);
    QFont formulaFont() const;

    QWidget* window_;
    CanvasWidget* graph_;
    CanvasWidget* legend_;
    QLineEdit* formula_;
    Dialogs& dialogs_;
    const LastPlot& lastPlot_;
    QAction copy_;
    QAction save_;
    QAction print_;
    QMenu menu_;
};

} // namespace viramont
