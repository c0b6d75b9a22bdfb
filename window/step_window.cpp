#include "window/step_window.h"

#include "form/layout.h"
#include "window/appearance.h"
#include "plot/step_graphs.h"
#include "plot/steps.h"
#include "toolkit/guard.h"
#include "toolkit/qt/canvas_widget.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace viramont {

namespace {

constexpr QRgb kNoteInk = qRgb(160, 0, 0);
constexpr QRgb kGraphEdge = qRgb(170, 170, 170);

// Text of the sheet that a reader can select and copy; in a cell, as wide
// as the cell's graph.
QLabel* textLabel(const std::string& text, const QFont& font, QWidget* parent, bool inCell = true) {
    auto* label = new QLabel(QString::fromStdString(text), parent);
    label->setFont(font);
    label->setWordWrap(inCell);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (inCell) label->setFixedWidth(layout::kStepGraph.width + 2 * layout::kCanvasBorder);
    return label;
}

// The formula that ends a step's formula: "Sin(3x+1)" of "Sin(3(x+1/3)) = Sin(3x+1)".
std::string finalFormula(const StepChain& chain) {
    const std::string& last = chain.steps.empty() ? chain.baseFormula : chain.steps.back().formula;
    const std::size_t at = last.rfind(" = ");
    return "y = " + last.substr(at + 3);
}

} // namespace

StepWindow::StepWindow(QWidget* owner)
    : QWidget(owner, Qt::Window),
      scroll_(new QScrollArea(this)),
      dialogs_(this, layout::kTitle),
      output_(this, dialogs_, [this] { return picture(); }, QStringLiteral("построение по шагам.png"),
              QStringLiteral("построение по шагам")),
      copy_(QStringLiteral("Копировать"), this),
      save_(QStringLiteral("Сохранить…"), this),
      print_(QStringLiteral("Печать…"), this) {
    setObjectName(QStringLiteral("StepWindow"));
    setWindowTitle(QString::fromUtf8(kStepSheetTitle));
    setWindowIcon(programIcon());
    setAttribute(Qt::WA_DeleteOnClose, false);

    scroll_->setWidgetResizable(false);
    scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll_->viewport()->setContextMenuPolicy(Qt::ActionsContextMenu);
    scroll_->viewport()->addActions({&copy_, &save_, &print_});

    copy_.setShortcut(QKeySequence::Copy);
    save_.setShortcut(QKeySequence::Save);
    print_.setShortcut(QKeySequence::Print);
    for (QAction* action : {&copy_, &save_, &print_}) action->setShortcutContext(Qt::WindowShortcut);
    addActions({&copy_, &save_, &print_});
    connect(&copy_, &QAction::triggered, this, [this] { output_.copy(); });
    connect(&save_, &QAction::triggered, this, [this] { output_.save(); });
    connect(&print_, &QAction::triggered, this, [this] { output_.print(); });

    auto* buttons = new QHBoxLayout;
    for (QAction* action : {&copy_, &save_, &print_}) {
        auto* button = new QPushButton(action->text(), this);
        button->setToolTip(action->shortcut().toString(QKeySequence::NativeText));
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
    close->setObjectName(QStringLiteral("CloseSteps"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(close);

    auto* column = new QVBoxLayout(this);
    column->addWidget(scroll_, 1);
    column->addLayout(buttons);
}

void StepWindow::buildSheet(const StepChain& chain) {
    graphs_.clear();
    notes_.clear();
    delete scroll_->takeWidget();

    sheet_ = new QWidget;
    sheet_->setObjectName(QStringLiteral("StepSheet"));
    QPalette paper = sheet_->palette();
    paper.setColor(QPalette::Window, Qt::white);
    paper.setColor(QPalette::WindowText, Qt::black);
    sheet_->setPalette(paper);
    sheet_->setAutoFillBackground(true);

    const QFont heading = layoutFont(layout::kStepHeadingFont), text = layoutFont(layout::kStepTextFont);
    QFont titleFont = heading;
    titleFont.setPixelSize(heading.pixelSize() * 4 / 3);

    auto* column = new QVBoxLayout(sheet_);
    column->setContentsMargins(16, 12, 16, 16);
    column->setSpacing(12);
    auto* title = new QLabel(QString::fromStdString(std::string(kStepSheetTitle) + ": " + finalFormula(chain)), sheet_);
    title->setObjectName(QStringLiteral("StepTitle"));
    title->setFont(titleFont);
    title->setTextFormat(Qt::PlainText);
    column->addWidget(title);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(20);
    grid->setVerticalSpacing(16);
    const QPalette palette = QGuiApplication::palette();
    auto addCell = [&](std::size_t index, const std::string& head, const std::string& formula,
                       const std::string& sentence) {
        auto* cell = new QVBoxLayout;
        cell->setSpacing(3);
        cell->addWidget(textLabel(head, heading, sheet_));
        QLabel* formulaLabel = textLabel(formula, heading, sheet_);
        formulaLabel->setObjectName(QStringLiteral("StepFormula"));
        cell->addWidget(formulaLabel);
        QLabel* sentenceLabel = textLabel(sentence, text, sheet_);
        sentenceLabel->setObjectName(QStringLiteral("StepSentence"));
        cell->addWidget(sentenceLabel);
        const int border = layout::kCanvasBorder;
        auto* graph = new CanvasWidget(
            sheet_, QSize(layout::kStepGraph.width + 2 * border, layout::kStepGraph.height + 2 * border), border,
            layoutColourValue(layout::kStepGraphFore, palette), layoutColourValue(layout::kStepGraphBack, palette),
            layoutFont(layout::kStepGraphFont));
        graph->setFixedSize(layout::kStepGraph.width + 2 * border, layout::kStepGraph.height + 2 * border);
        // On paper a plain grey edge, where a sunken one would lose its light side.
        graph->setFrameStyle(QFrame::Box | QFrame::Plain);
        QPalette edge = graph->palette();
        edge.setColor(QPalette::WindowText, QColor(kGraphEdge));
        graph->setPalette(edge);
        graph->setFocusPolicy(Qt::NoFocus);
        graph->setAccessibleName(QString::fromStdString(head + ". " + formula));
        graph->setAccessibleDescription(QString::fromStdString(sentence));
        cell->addWidget(graph);
        QLabel* note = textLabel("", text, sheet_);
        note->setObjectName(QStringLiteral("StepNote"));
        QPalette ink = note->palette();
        ink.setColor(QPalette::WindowText, QColor(kNoteInk));
        note->setPalette(ink);
        note->hide();
        cell->addWidget(note);
        cell->addStretch();
        const int at = static_cast<int>(index);
        grid->addLayout(cell, at / layout::kStepColumns, at % layout::kStepColumns, Qt::AlignTop);
        graphs_.push_back(graph);
        notes_.push_back(note);
    };
    addCell(0, kBaseGraphHeading, chain.baseFormula, kBaseGraphSentence);
    for (std::size_t i = 0; i < chain.steps.size(); ++i) {
        const TransformStep& step = chain.steps[i];
        addCell(i + 1, step.heading, step.formula, step.sentence);
    }
    column->addLayout(grid);

    column->addWidget(textLabel(kStepColoursKey, text, sheet_, false));
    if (!chain.leftOut.empty()) {
        std::string leftOut = kLeftOutHeading;
        for (const std::string& line : chain.leftOut) leftOut += "\n" + line;
        QLabel* label = textLabel(leftOut, text, sheet_, false);
        label->setObjectName(QStringLiteral("StepsLeftOut"));
        column->addWidget(label);
    }
    column->addStretch();
    sheet_->adjustSize();
    scroll_->setWidget(sheet_);
}

void StepWindow::showPlot(const FormState& plotted) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const StepChain chain = ComposeSteps(plotted);
    buildSheet(chain);
    std::vector<Canvas*> canvases;
    for (CanvasWidget* graph : graphs_) canvases.push_back(&graph->canvas());
    std::vector<std::string> notes;
    dialogs_.setBeforeModal([this, &notes] { showDrawn(notes); });
    runGuarded(dialogs_, [&] { DrawStepGraphs(chain, canvases, notes); });
    dialogs_.setBeforeModal({});
    showDrawn(notes);
    QApplication::restoreOverrideCursor();

    // At first as large as the sheet, within the screen.
    if (isVisible()) return;
    const QRect room = (screen() ? screen() : QGuiApplication::primaryScreen())->availableGeometry();
    const QSize want = sheet_->size() + QSize(40, 80);
    resize(std::min(want.width(), room.width() * 9 / 10), std::min(want.height(), room.height() * 9 / 10));
}

void StepWindow::showDrawn(const std::vector<std::string>& notes) {
    for (std::size_t i = 0; i < graphs_.size(); ++i) {
        graphs_[i]->update();
        const bool hasNote = i < notes.size() && !notes[i].empty();
        notes_[i]->setText(hasNote ? QString::fromStdString(notes[i]) : QString());
        notes_[i]->setVisible(hasNote);
    }
    if (sheet_) sheet_->adjustSize();
}

QImage StepWindow::picture() const {
    if (!sheet_) return {};
    sheet_->adjustSize();
    return sheet_->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace viramont
