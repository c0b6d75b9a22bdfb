#include "window/cards_dialog.h"

#include "form/layout.h"
#include "toolkit/controls.h"
#include "toolkit/qt/painter_canvas.h"
#include "views/outputs.h"
#include "views/cards_panel.h"
#include "views/practice.h"
#include "window/appearance.h"
#include "window/picture_export.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace viramont {

namespace {

const view::CardsPage& page = view::kCardsPage;

QString text(const std::string& s) { return QString::fromStdString(s); }

} // namespace

void paintCards(QPainter& painter, QPagedPaintDevice& device, const practice::CardSet& set) {
    const double unit = device.width() / page.width;  // device units to a millimetre
    const auto rect = [unit](const view::CardsBox& b) { return QRectF(b.x * unit, b.y * unit, b.width * unit, b.height * unit); };
    const double fontScale = unit * view::kMmPerPixel;
    bool first = true;
    for (const view::CardsSheet& sheet : view::cardsSheets(set, layoutMetrics())) {
        if (!first) device.newPage();
        first = false;
        painter.setPen(QPen(layoutColour(page.frame, QPalette()), page.frameWidth * unit));
        painter.setBrush(Qt::NoBrush);
        for (const view::CardsBox& frame : sheet.frames) painter.drawRect(rect(frame));
        painter.setPen(Qt::black);
        for (const view::CardsLine& line : sheet.lines) {
            QFont font = layoutFont(line.font, fontScale);
            font.setHintingPreference(QFont::PreferNoHinting);
            painter.setFont(font);
            const double ascent = QFontMetricsF(layoutFont(line.font)).ascent() * view::kMmPerPixel;
            painter.drawText(QPointF(line.x * unit, (line.y + ascent) * unit), text(line.text));
        }
        for (const view::CardsGraph& graph : sheet.graphs) {
            const QRectF box = rect(graph.box);
            const layout::CanvasLook& look = layout::kStepGraphLook;
            PainterCanvas canvas(painter, box, box.width() / layout::kStepGraph.width, look.fore, look.back,
                                 layoutFont(look.font));
            canvas.clear();
            practice::drawCard(set.cards[graph.card], canvas);
            painter.setPen(layoutColour(page.ink, QPalette()));
        }
    }
}

CardsDialog::CardsDialog(QWidget* owner, Dialogs& dialogs)
    : PanelWindow(owner, view::cardsPanel(), dialogs), dialogs_(dialogs) {
    onCommand([this](view::Command c) {
        if (c == view::Command::Save) save();
        if (c == view::Command::Print) print();
    });
}

std::optional<practice::CardSet> CardsDialog::cards() {
    view::CardsRequest request = view::requestCards(values());
    apply(request.update);
    return std::move(request.set);
}

QSpinBox* CardsDialog::variants() const { return part<QSpinBox>(view::cards_part::kVariants); }
QSpinBox* CardsDialog::setNumber() const { return part<QSpinBox>(view::cards_part::kSetNumber); }
QComboBox* CardsDialog::level() const { return part<QComboBox>(view::cards_part::kLevel); }

bool CardsDialog::saveTo(const QString& path) {
    const std::optional<practice::CardSet> set = cards();
    if (!set) return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QPdfWriter pdf(path);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(QPageLayout::Landscape);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(600);
    pdf.setTitle(QString::fromUtf8(view::kCardsTitle));
    QPainter painter;
    const bool opened = painter.begin(&pdf);
    if (opened) {
        paintCards(painter, pdf, *set);
        painter.end();
    }
    QApplication::restoreOverrideCursor();
    if (!opened) {
        dialogs_.message("Не удалось записать карточки: файл не открывается для записи.");
        return false;
    }
    return true;
}

void CardsDialog::save() {
    if (!cards()) return;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(this, QString::fromUtf8(view::kCardsSave).chopped(1),
                                                      QDir(folder).filePath(QString::fromUtf8(view::kCardsFileName)),
                                                      QStringLiteral("PDF (*.pdf)"));
    if (!path.isEmpty()) saveTo(path);
}

void CardsDialog::print() {
    const std::optional<practice::CardSet> set = cards();
    if (!set) return;
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, QString::fromUtf8(view::kCardsTitle));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(true);
    QPrintDialog box(&printer, this);
    if (box.exec() != QDialog::Accepted) return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        dialogs_.message(view::kPrintFailed);
        return;
    }
    paintCards(painter, printer, *set);
    painter.end();
}

} // namespace viramont
