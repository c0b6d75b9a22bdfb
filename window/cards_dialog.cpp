#include "window/cards_dialog.h"

#include "form/layout.h"
#include "toolkit/controls.h"
#include "toolkit/qt/painter_canvas.h"
#include "views/outputs.h"
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

// Texts measured as the cards set them: the layout's fonts at scale 1.
const view::TextMetrics& cardMetrics() {
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

} // namespace

void paintCards(QPainter& painter, QPagedPaintDevice& device, const practice::CardSet& set) {
    const double unit = device.width() / page.width;  // device units to a millimetre
    const auto rect = [unit](const view::CardsBox& b) { return QRectF(b.x * unit, b.y * unit, b.width * unit, b.height * unit); };
    const double fontScale = unit * view::kMmPerPixel;
    bool first = true;
    for (const view::CardsSheet& sheet : view::cardsSheets(set, cardMetrics())) {
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

CardsDialog::CardsDialog(QWidget* owner, Dialogs& dialogs) : QDialog(owner), dialogs_(dialogs) {
    setObjectName(QStringLiteral("CardsDialog"));
    setWindowTitle(QString::fromUtf8(view::kCardsTitle));
    variants_ = new QSpinBox(this);
    variants_->setRange(1, practice::kMostVariants);
    variants_->setValue(view::kDefaultVariants);
    setNumber_ = new QSpinBox(this);
    setNumber_->setRange(1, practice::kMostSetNumber);
    level_ = new QComboBox(this);
    for (const view::LevelChoice& choice : view::kLevels) level_->addItem(QString::fromUtf8(choice.name));
    auto* form = new QFormLayout;
    form->addRow(QString::fromUtf8(view::kVariantsLabel), variants_);
    form->addRow(QString::fromUtf8(view::kSetNumberLabel), setNumber_);
    form->addRow(QString::fromUtf8(view::kLevelLabel), level_);
    auto* save = new QPushButton(QString::fromUtf8(view::kCardsSave), this);
    auto* print = new QPushButton(QString::fromUtf8(view::kCardsPrint), this);
    auto* close = new QPushButton(QString::fromUtf8(kCloseCaption), this);
    connect(save, &QPushButton::clicked, this, &CardsDialog::save);
    connect(print, &QPushButton::clicked, this, &CardsDialog::print);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(print);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addLayout(buttons);
}

practice::CardSet CardsDialog::cards() const {
    const practice::Level level = view::kLevels.at(std::size_t(std::max(0, level_->currentIndex()))).level;
    return practice::makeCards(variants_->value(), setNumber_->value(), level);
}

bool CardsDialog::saveTo(const QString& path) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const practice::CardSet set = cards();
    QPdfWriter pdf(path);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(QPageLayout::Landscape);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(600);
    pdf.setTitle(QString::fromUtf8(view::kCardsTitle));
    QPainter painter;
    const bool opened = painter.begin(&pdf);
    if (opened) {
        paintCards(painter, pdf, set);
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
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(this, QString::fromUtf8(view::kCardsSave).chopped(1),
                                                      QDir(folder).filePath(QString::fromUtf8(view::kCardsFileName)),
                                                      QStringLiteral("PDF (*.pdf)"));
    if (!path.isEmpty()) saveTo(path);
}

void CardsDialog::print() {
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
    paintCards(painter, printer, cards());
    painter.end();
}

} // namespace viramont
