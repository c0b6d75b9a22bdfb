#include "window/picture_output.h"

#include "toolkit/controls.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
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

// The filters of a picture drawn anew, after the plain PNG: the larger
// sizes, and the page of paper.
const QStringList& paperFilters() {
    static const QStringList filters = [] {
        QStringList list;
        for (const view::SaveSize& size : view::kSaveSizes) {
            if (size.ratio != 1.0) list.push_back(QString::fromUtf8(size.label) + QStringLiteral(" (*.png)"));
        }
        list.push_back(QStringLiteral("PDF (*.pdf)"));
        return list;
    }();
    return filters;
}

// The ratio a filter saves at: 1 but for the larger sizes.
double ratioOf(const QString& filter) {
    for (const view::SaveSize& size : view::kSaveSizes) {
        if (filter == QString::fromUtf8(size.label) + QStringLiteral(" (*.png)")) return size.ratio;
    }
    return 1.0;
}

} // namespace

PictureOutput::PictureOutput(QWidget* owner, Dialogs& dialogs, std::function<QImage()> picture,
                             const view::OutputKind& kind, std::function<PaperParts()> paper)
    : owner_(owner),
      dialogs_(dialogs),
      picture_(std::move(picture)),
      fileName_(QString::fromUtf8(kind.fileName)),
      docName_(QString::fromUtf8(kind.docName)),
      paper_(std::move(paper)) {}

QImage PictureOutput::picture(double ratio) const {
    return ratio != 1.0 && paper_ ? largerPicture(paper_(), ratio) : picture_();
}

void PictureOutput::copy() { QGuiApplication::clipboard()->setImage(picture()); }

void PictureOutput::save() {
    QFileDialog dialog(owner_, QString::fromUtf8(view::kSaveTitle));
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // PNG as on the screen first, then (for a picture drawn anew) larger
    // and as a PDF page, then the other raster formats.
    QStringList filters = savedFormatFilters();
    if (paper_) {
        for (qsizetype i = 0; i < paperFilters().size(); ++i) filters.insert(1 + i, paperFilters()[i]);
    }
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.front());
    // A name typed without an extension gets the chosen type's; the dialog
    // asks before it replaces a file, with the extension added.
    dialog.setDefaultSuffix(firstSuffix(filters.front()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) { dialog.setDefaultSuffix(firstSuffix(filter)); });
    dialog.selectFile(fileName_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    saveTo(dialog.selectedFiles().front(), ratioOf(dialog.selectedNameFilter()));
}

bool PictureOutput::saveTo(const QString& path, double ratio) {
    const bool pdf = paper_ && QFileInfo(path).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0;
    const std::optional<QString> failure = pdf ? savePaperPdf(paper_(), path) : savePicture(picture(ratio), path);
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
    if (paper_ ? printPaper(paper_(), printer) : printPicture(picture(), printer)) return true;
    dialogs_.message(view::kPrintFailed);
    return false;
}

} // namespace viramont
