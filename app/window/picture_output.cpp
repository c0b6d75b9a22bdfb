#include "app/window/picture_output.h"

#include "app/window/picture_export.h"
#include "toolkit/controls.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinter>

namespace viramont {

namespace {

// The extension of a save-dialog filter's first pattern: "png" of "PNG (*.png)".
QString firstSuffix(const QString& filter) {
    const qsizetype start = filter.indexOf(QStringLiteral("*.")) + 2;
    qsizetype end = start;
    while (end < filter.size() && filter[end] != QLatin1Char(' ') && filter[end] != QLatin1Char(')')) ++end;
    return filter.mid(start, end - start);
}

} // namespace

PictureOutput::PictureOutput(QWidget* owner, Dialogs& dialogs, std::function<QImage()> picture, QString fileName,
                             QString docName)
    : owner_(owner),
      dialogs_(dialogs),
      picture_(std::move(picture)),
      fileName_(std::move(fileName)),
      docName_(std::move(docName)) {}

void PictureOutput::copy() { QGuiApplication::clipboard()->setImage(picture()); }

void PictureOutput::save() {
    QFileDialog dialog(owner_, QStringLiteral("Сохранить рисунок"));
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = savedFormatFilters();
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.front());
    // A name typed without an extension gets the chosen type's; the dialog
    // asks before it replaces a file, with the extension added.
    dialog.setDefaultSuffix(firstSuffix(filters.front()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) { dialog.setDefaultSuffix(firstSuffix(filter)); });
    dialog.selectFile(fileName_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    saveTo(dialog.selectedFiles().front());
}

bool PictureOutput::saveTo(const QString& path) {
    const std::optional<QString> failure = savePicture(picture(), path);
    if (!failure) return true;
    dialogs_.message(QStringLiteral("Не удалось сохранить рисунок в файл %1.\n%2")
                         .arg(QDir::toNativeSeparators(path), *failure)
                         .toStdString());
    return false;
}

void PictureOutput::setUpPrinter(QPrinter& printer) const { viramont::setUpPrinter(printer, docName_); }

void PictureOutput::print() {
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer);
    QPrintDialog dialog(&printer, owner_);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    if (dialog.exec() != QDialog::Accepted) return;
    printTo(printer);
}

bool PictureOutput::printTo(QPrinter& printer) {
    if (printPicture(picture(), printer)) return true;
    dialogs_.message("Не удалось напечатать рисунок: принтер не отвечает или сообщил об ошибке.");
    return false;
}

} // namespace viramont
