#include "app/window/picture_menu.h"

#include "app/window/picture_export.h"
#include "plot/redraw.h"
#include "toolkit/controls.h"
#include "toolkit/qt/canvas_widget.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QShortcut>

namespace viramont {

namespace {

// The extension of a save-dialog filter's first pattern: "png" of "PNG (*.png)".
QString firstSuffix(const QString& filter) {
    const qsizetype start = filter.indexOf(QStringLiteral("*.")) + 2;
    qsizetype end = start;
    while (end < filter.size() && filter[end] != QLatin1Char(' ') && filter[end] != QLatin1Char(')')) ++end;
    return filter.mid(start, end - start);
}

// The top-left corner of a canvas's image on the window.
QPoint imageCorner(const CanvasWidget* canvas, const QWidget* window) {
    return canvas->mapTo(window, canvas->contentsRect().topLeft());
}

} // namespace

PictureMenu::PictureMenu(QWidget* window, CanvasWidget* graph, CanvasWidget* legend, QLineEdit* formula,
                         Dialogs& dialogs, const LastPlot& lastPlot)
    : window_(window),
      graph_(graph),
      legend_(legend),
      formula_(formula),
      dialogs_(dialogs),
      lastPlot_(lastPlot),
      copy_(QStringLiteral("Копировать рисунок")),
      save_(QStringLiteral("Сохранить рисунок…")),
      print_(QStringLiteral("Печать…")),
      menu_(graph) {  // a child of the canvas: the window holds only its controls
    menu_.setObjectName(QStringLiteral("PictureMenu"));
    copy_.setShortcut(QKeySequence::Copy);
    copy_.setShortcutContext(Qt::WidgetShortcut);  // a text field copies its own text
    save_.setShortcut(QKeySequence::Save);
    save_.setShortcutContext(Qt::WindowShortcut);
    print_.setShortcut(QKeySequence::Print);
    print_.setShortcutContext(Qt::WindowShortcut);
    connect(&copy_, &QAction::triggered, this, &PictureMenu::copy);
    connect(&save_, &QAction::triggered, this, &PictureMenu::save);
    connect(&print_, &QAction::triggered, this, &PictureMenu::print);
    menu_.addActions({&copy_, &save_, &print_});
    window_->addActions({&save_, &print_});

    for (CanvasWidget* canvas : {graph_, legend_}) {
        // A click gives the canvas the focus, so Ctrl+C after it copies the picture.
        canvas->setFocusPolicy(Qt::StrongFocus);
        canvas->addAction(&copy_);
        canvas->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(canvas, &QWidget::customContextMenuRequested, this,
                [this, canvas](QPoint at) { openMenu(canvas, at); });
        for (const QKeySequence& key : {QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)}) {
            auto* shortcut = new QShortcut(key, canvas);
            shortcut->setContext(Qt::WidgetShortcut);
            connect(shortcut, &QShortcut::activated, this,
                    [this, canvas] { openMenu(canvas, canvas->contentsRect().center()); });
        }
    }
}

QFont PictureMenu::formulaFont() const {
    QFont font = formula_->font();
    font.setPixelSize(QFontInfo(font).pixelSize());
    return font;
}

PaperParts PictureMenu::paperParts() const {
    auto partsOf = [this](const CanvasWidget* c) {
        return CanvasParts{QRect(imageCorner(c, window_), c->contentsRect().size()), c->canvas().foreColour(),
                           c->canvas().backColour(), c->font()};
    };
    return {
        .graph = partsOf(graph_),
        .legend = partsOf(legend_),
        .plotInputs = lastPlot_.inputs(),
        .legendPrints = legend_->canvas().geometry().prints(),
        .formula = formulaLineOf(formula_->text()),
        .formulaFont = formulaFont(),
        .ink = formula_->palette().color(QPalette::Text),
    };
}

QImage PictureMenu::picture(double ratio) const {
    if (ratio != 1.0) return largerPicture(paperParts(), ratio);
    const QFont font = formulaFont();
    return composePicture({
        .graph = graph_->canvas().image(),
        .graphAt = imageCorner(graph_, window_),
        .legend = legend_->canvas().image(),
        .legendAt = imageCorner(legend_, window_),
        .formula = formulaLineOf(formula_->text()),
        .font = font,
        .ink = formula_->palette().color(QPalette::Text),
    });
}

void PictureMenu::openMenu(CanvasWidget* canvas, QPoint at) { menu_.popup(canvas->mapToGlobal(at)); }

void PictureMenu::copy() { QGuiApplication::clipboard()->setImage(picture()); }

void PictureMenu::save() {
    QFileDialog dialog(window_, QStringLiteral("Сохранить рисунок"));
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // PNG as on the screen, twice and four times as large, a PDF page as
    // printed, then the other raster formats.
    QStringList filters = savedFormatFilters();
    const QStringList larger = {QStringLiteral("PNG, вдвое крупнее (*.png)"),
                                QStringLiteral("PNG, вчетверо крупнее (*.png)"), QStringLiteral("PDF (*.pdf)")};
    for (qsizetype i = 0; i < larger.size(); ++i) filters.insert(1 + i, larger[i]);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.front());
    // A name typed without an extension gets the chosen type's; the dialog
    // asks before it replaces a file, with the extension added.
    dialog.setDefaultSuffix(firstSuffix(filters.front()));
    connect(&dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog](const QString& filter) { dialog.setDefaultSuffix(firstSuffix(filter)); });
    dialog.selectFile(QStringLiteral("график.png"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString chosen = dialog.selectedNameFilter();
    saveTo(dialog.selectedFiles().front(), chosen == larger[0] ? 2.0 : chosen == larger[1] ? 4.0 : 1.0);
}

bool PictureMenu::saveTo(const QString& path, double ratio) {
    const bool pdf = QFileInfo(path).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0;
    const std::optional<QString> failure = pdf ? savePaperPdf(paperParts(), path) : savePicture(picture(ratio), path);
    if (!failure) return true;
    dialogs_.message(QStringLiteral("Не удалось сохранить рисунок в файл %1.\n%2")
                         .arg(QDir::toNativeSeparators(path), *failure)
                         .toStdString());
    return false;
}

void PictureMenu::print() {
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer);
    QPrintDialog dialog(&printer, window_);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    if (dialog.exec() != QDialog::Accepted) return;
    printTo(printer);
}

bool PictureMenu::printTo(QPrinter& printer) {
    if (printPaper(paperParts(), printer)) return true;
    dialogs_.message("Не удалось напечатать рисунок: принтер не отвечает или сообщил об ошибке.");
    return false;
}

} // namespace viramont
