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

// Millimetres of the page in the device's units.
struct Paper {
    double unit;  // device units to a millimetre
    double mm(double v) const { return v * unit; }
    QRectF rect(double x, double y, double w, double h) const { return {mm(x), mm(y), mm(w), mm(h)}; }
};

QFont fontOf(double points, bool bold) {
    QFont font = layoutFont(layout::kStepTextFont);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// Lines of text from `top` (mm) down in the box's width; the height they took, in mm.
double paintLines(QPainter& painter, const Paper& paper, double left, double top, double width,
                  const std::vector<std::string>& lines, const QFont& font) {
    painter.setFont(font);
    double y = top;
    for (const std::string& line : lines) {
        const QRectF room = paper.rect(left, y, width, 200);
        const QRectF used = painter.boundingRect(room, Qt::TextWordWrap, text(line));
        painter.drawText(room, Qt::TextWordWrap, text(line));
        y += used.height() / paper.unit + 0.6;
    }
    return y - top;
}

void paintFooter(QPainter& painter, const Paper& paper, const practice::CardSet& set) {
    painter.setFont(fontOf(page.textPt * 0.9, false));
    painter.setPen(Qt::black);
    painter.drawText(paper.rect(page.margin, page.height - page.margin - page.footer, page.width - 2 * page.margin,
                                page.footer),
                     Qt::AlignLeft | Qt::AlignBottom, text(practice::setLine(set)));
}

void paintCard(QPainter& painter, const Paper& paper, const practice::Task& card, double left, double top) {
    const double w = page.cardWidth(), h = page.cardHeight();
    painter.setPen(QPen(QColor(170, 170, 170), paper.mm(0.3)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(paper.rect(left, top, w, h));
    painter.setPen(Qt::black);
    const double inset = 3;
    double y = top + inset;
    y += paintLines(painter, paper, left + inset, y, w - 2 * inset, {practice::variantHeading(card)},
                    fontOf(page.headingPt, true));
    y += paintLines(painter, paper, left + inset, y, w - 2 * inset, view::cardLines(card), fontOf(page.textPt, false));
    // The picture in the rest, in its own proportions.
    const layout::PixelSize graph = layout::kStepGraph;
    const double roomW = w - 2 * inset, roomH = top + h - inset - (y + 1);
    const double scale = std::min(roomW / graph.width, roomH / graph.height);  // mm to a logical pixel
    const QRectF box = paper.rect(left + inset + (roomW - graph.width * scale) / 2, y + 1, graph.width * scale,
                                  graph.height * scale);
    PainterCanvas canvas(painter, box, box.width() / graph.width, layout::kStepGraphFore, layout::kStepGraphBack,
                         layoutFont(layout::kStepGraphFont));
    canvas.clear();
    practice::drawCard(card, canvas);
}

} // namespace

void paintCards(QPainter& painter, QPagedPaintDevice& device, const practice::CardSet& set) {
    const Paper paper{device.width() / page.width};
    const std::size_t perPage = std::size_t(page.cardsPerPage());
    for (std::size_t i = 0; i < set.cards.size(); ++i) {
        if (i > 0 && i % perPage == 0) device.newPage();
        const int at = int(i % perPage);
        const double left = page.margin + (at % page.columns) * (page.cardWidth() + page.gap);
        const double top = page.margin + (at / page.columns) * (page.cardHeight() + page.gap);
        paintCard(painter, paper, set.cards[i], left, top);
        if (at == 0) paintFooter(painter, paper, set);
    }
    // The answer key, from a page of its own.
    const std::vector<practice::KeyEntry> key = practice::answerKey(set);
    const double bottom = page.height - page.margin - page.footer;
    const double width = page.width - 2 * page.margin;
    double y = bottom;
    for (const practice::KeyEntry& entry : key) {
        const std::vector<std::string> lines = view::keyLines(entry);
        // A variant's entry stays on one page.
        QFont textFont = fontOf(page.textPt, false);
        painter.setFont(textFont);
        // In mm: a point is 0.353 mm, a line about 1.3 of its size; the moves
        // may take two lines.
        const double need = 0.46 * (page.textPt + 1) + double(lines.size() + 1) * 0.46 * page.textPt + 2;
        if (y + need > bottom) {
            device.newPage();
            paintFooter(painter, paper, set);
            painter.setPen(Qt::black);
            y = page.margin + paintLines(painter, paper, page.margin, page.margin, width, {practice::kAnswersHeading},
                                         fontOf(page.headingPt + 2, true)) + 2;
        }
        y += paintLines(painter, paper, page.margin, y, width, {entry.heading}, fontOf(page.textPt + 1, true));
        y += paintLines(painter, paper, page.margin + 4, y, width - 4, lines, textFont) + 2;
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
    auto* close = new QPushButton(QString::fromUtf8("Закрыть"), this);
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
