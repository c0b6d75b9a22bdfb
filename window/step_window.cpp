#include "window/step_window.h"

#include "form/layout.h"
#include "window/appearance.h"
#include "plot/step_graphs.h"
#include "plot/steps.h"
#include "views/menu.h"
#include "views/sheet.h"
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

const view::SheetLook& look = view::kSheetLook;

QColor colourOf(Colour c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

// Text of the sheet that a reader can select and copy; in a cell, as wide
// as the cell's graph.
QLabel* textLabel(const std::string& text, const QFont& font, QWidget* parent, bool inCell = true) {
    auto* label = new QLabel(QString::fromStdString(text), parent);
    label->setFont(font);
    label->setWordWrap(inCell);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (inCell) label->setFixedWidth(look.cellWidth());
    return label;
}

} // namespace

StepWindow::StepWindow(QWidget* owner)
    : QWidget(owner, Qt::Window),
      scroll_(new QScrollArea(this)),
      dialogs_(this, layout::kTitle, layout::kFieldLimit),
      output_(this, dialogs_, [this] { return picture(); }, view::kSheetOutput) {
    setObjectName(QStringLiteral("StepWindow"));
    setWindowTitle(QString::fromUtf8(kStepSheetTitle));
    setWindowIcon(programIcon());
    setAttribute(Qt::WA_DeleteOnClose, false);

    scroll_->setWidgetResizable(false);
    scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll_->viewport()->setContextMenuPolicy(Qt::ActionsContextMenu);

    auto* buttons = new QHBoxLayout;
    for (const view::CommandItem& item : view::kSheetButtons) {
        if (item.command == view::Command::Close) {
            buttons->addStretch();
            auto* close = new QPushButton(QString::fromUtf8(item.text), this);
            close->setObjectName(QStringLiteral("CloseSteps"));
            connect(close, &QPushButton::clicked, this, &QWidget::close);
            buttons->addWidget(close);
            continue;
        }
        auto* action = new QAction(QString::fromUtf8(item.text), this);
        action->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(item.key)));
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        scroll_->viewport()->addAction(action);
        connect(action, &QAction::triggered, this, [this, command = item.command] {
            if (command == view::Command::Copy) output_.copy();
            if (command == view::Command::Save) output_.save();
            if (command == view::Command::Print) output_.print();
        });
        auto* button = new QPushButton(action->text(), this);
        button->setToolTip(action->shortcut().toString(QKeySequence::NativeText));
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
        buttons->addWidget(button);
    }

    auto* motion = new QPushButton(QString::fromUtf8(view::kShowMotionText), this);
    motion->setObjectName(QStringLiteral("ShowMotion"));
    connect(motion, &QPushButton::clicked, this, [this] {
        if (showMotion) showMotion();
    });
    buttons->insertWidget(0, motion);

    auto* column = new QVBoxLayout(this);
    column->addWidget(scroll_, 1);
    column->addLayout(buttons);
}

void StepWindow::buildSheet(const StepChain& chain) {
    graphs_.clear();
    notes_.clear();
    delete scroll_->takeWidget();
    const view::SheetText text = view::describeSheet(chain);

    sheet_ = new QWidget;
    sheet_->setObjectName(QStringLiteral("StepSheet"));
    QPalette paper = sheet_->palette();
    paper.setColor(QPalette::Window, colourOf(look.paper));
    paper.setColor(QPalette::WindowText, colourOf(look.ink));
    sheet_->setPalette(paper);
    sheet_->setAutoFillBackground(true);

    const QFont headingFont = layoutFont(look.headingFont), textFont = layoutFont(look.textFont);

    auto* column = new QVBoxLayout(sheet_);
    column->setContentsMargins(look.marginLeft, look.marginTop, look.marginRight, look.marginBottom);
    column->setSpacing(look.blockGap);
    auto* title = new QLabel(QString::fromStdString(text.title), sheet_);
    title->setObjectName(QStringLiteral("StepTitle"));
    title->setFont(layoutFont(look.titleFont()));
    title->setTextFormat(Qt::PlainText);
    column->addWidget(title);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(look.cellGapX);
    grid->setVerticalSpacing(look.cellGapY);
    const QPalette palette = QGuiApplication::palette();
    for (std::size_t index = 0; index < text.cells.size(); ++index) {
        const view::SheetCell& c = text.cells[index];
        auto* cell = new QVBoxLayout;
        cell->setSpacing(look.lineGap);
        cell->addWidget(textLabel(c.heading, headingFont, sheet_));
        QLabel* formulaLabel = textLabel(c.formula, headingFont, sheet_);
        formulaLabel->setObjectName(QStringLiteral("StepFormula"));
        cell->addWidget(formulaLabel);
        QLabel* sentenceLabel = textLabel(c.sentence, textFont, sheet_);
        sentenceLabel->setObjectName(QStringLiteral("StepSentence"));
        cell->addWidget(sentenceLabel);
        const int edge = look.graphEdge;
        const QSize size(look.graph.width + 2 * edge, look.graph.height + 2 * edge);
        auto* graph = new CanvasWidget(sheet_, size, edge, layoutColourValue(layout::kStepGraphFore, palette),
                                       layoutColourValue(layout::kStepGraphBack, palette),
                                       layoutFont(layout::kStepGraphFont));
        graph->setFixedSize(size);
        // On paper a plain edge, where a sunken one would lose its light side.
        graph->setFrameStyle(QFrame::Box | QFrame::Plain);
        QPalette edgeInk = graph->palette();
        edgeInk.setColor(QPalette::WindowText, colourOf(look.edgeInk));
        graph->setPalette(edgeInk);
        graph->setFocusPolicy(Qt::NoFocus);
        graph->setAccessibleName(QString::fromStdString(c.spokenName));
        graph->setAccessibleDescription(QString::fromStdString(c.sentence));
        cell->addWidget(graph);
        QLabel* note = textLabel("", textFont, sheet_);
        note->setObjectName(QStringLiteral("StepNote"));
        QPalette ink = note->palette();
        ink.setColor(QPalette::WindowText, colourOf(look.noteInk));
        note->setPalette(ink);
        note->hide();
        cell->addWidget(note);
        cell->addStretch();
        const int at = static_cast<int>(index);
        grid->addLayout(cell, at / look.columns, at % look.columns, Qt::AlignTop);
        graphs_.push_back(graph);
        notes_.push_back(note);
    }
    column->addLayout(grid);

    column->addWidget(textLabel(text.key, textFont, sheet_, false));
    if (!text.leftOut.empty()) {
        QLabel* label = textLabel(text.leftOut, textFont, sheet_, false);
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
