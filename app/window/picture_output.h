#pragma once
// Copy, save and print of one picture that a teacher takes from the
// program: the window's picture (picture_menu.h) or the step sheet
// (step_window.h). The picture is made afresh for each; failures are told
// in a message box; nothing is kept between runs.

#include <QImage>
#include <QString>

#include <functional>

class QPrinter;
class QWidget;

namespace viramont {

class Dialogs;

class PictureOutput {
public:
    // `owner` holds the file and print dialogs; `fileName` is offered by
    // the save dialog, `docName` names the print job.
    PictureOutput(QWidget* owner, Dialogs& dialogs, std::function<QImage()> picture, QString fileName, QString docName);

    QImage picture() const { return picture_(); }
    void copy();
    // Asks for the file, then saves into it.
    void save();
    // Saves into `path`, or says why it cannot. True when the file was written.
    bool saveTo(const QString& path);
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
};

} // namespace viramont
