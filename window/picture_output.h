#pragma once
// Copy, save and print of one picture that a teacher takes from the
// program: the window's picture (picture_menu.h) or the step sheet
// (step_window.h). The picture is made afresh for each; failures are told
// in a message box; nothing is kept between runs.
//
// A picture that can be drawn anew (the window's: from the inputs of its
// plot and its legend's texts) is printed at the printer's resolution and
// saved also as a PDF page and as PNGs of twice and four times its pixels;
// any other is printed and saved as it is.

#include "window/picture_export.h"

#include <QImage>
#include <QString>

#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace viramont {

class Dialogs;

class PictureOutput {
public:
    // `owner` holds the file and print dialogs; `kind` names the file and
    // the print job; `paper`, for a picture drawn anew, says what it needs
    // for that.
    PictureOutput(QWidget* owner, Dialogs& dialogs, std::function<QImage()> picture, const view::OutputKind& kind,
                  std::function<PaperParts()> paper = {});

    // The picture at the screen's resolution, or drawn anew at `ratio`
    // times its logical pixels.
    QImage picture(double ratio = 1.0) const;
    void copy();
    // Asks for the file, then saves into it.
    void save();
    // Saves into `path` (a PDF page for ".pdf" where the picture can be
    // drawn anew, else the picture at `ratio` in the extension's format),
    // or says why it cannot. True when the file was written.
    bool saveTo(const QString& path, double ratio = 1.0);
    // Asks for the printer, then prints on it.
    void print();
    // Prints on a printer already set up, or says that it failed.
    bool printTo(QPrinter& printer);
    // Landscape, with the picture's name as the job's name.
    void setUpPrinter(QPrinter& printer) const;

private:
    QWidget* owner_;
    Dialogs& dialogs_;
    std::function<QImage()> picture_;
    QString fileName_;
    QString docName_;
    std::function<PaperParts()> paper_;
};

} // namespace viramont
