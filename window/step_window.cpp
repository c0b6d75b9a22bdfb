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
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QtMath>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace viramont {

namespace {

const view::SheetLook& look = view::kSheetLook;

QColor colourOf(Colour c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

// A paragraph's widget, named by what it is.
const char* objectNameOf(view::SheetRole role) {
    switch (role) {
    case view::SheetRole::Title: return "StepTitle";
    case view::SheetRole::Heading: return "StepHeading";
    case view::SheetRole::Formula: return "StepFormula";
    case view::SheetRole::Sentence: return "StepSentence";
    case view::SheetRole::Note: return "StepNote";
    case view::SheetRole::Key: return "StepKey";
    case view::SheetRole::LeftOut: return "StepsLeftOut";
    }
    return "";
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
    delete scroll_->takeWidget();
    text_ = view::describeSheet(chain);

    sheet_ = new QWidget;
    sheet_->setObjectName(QStringLiteral("StepSheet"));
    QPalette paper = sheet_->palette();
    paper.setColor(QPalette::Window, colourOf(look.paper));
    paper.setColor(QPalette::WindowText, colourOf(look.ink));
    sheet_->setPalette(paper);
    sheet_->setAutoFillBackground(true);

    for (const view::SheetCell& c : text_->cells) {
        const int edge = look.graphEdge;
        const QSize size(look.graph.width + 2 * edge, look.graph.height + 2 * edge);
        auto* graph = canvasWidget(sheet_, size, edge, layout::kStepGraphLook);
        graph->setFixedSize(size);
        // On paper a plain edge, where a sunken one would lose its light side.
        graph->setFrameStyle(QFrame::Box | QFrame::Plain);
        QPalette edgeInk = graph->palette();
        edgeInk.setColor(QPalette::WindowText, colourOf(look.edgeInk));
        graph->setPalette(edgeInk);
        graph->setFocusPolicy(Qt::NoFocus);
        graph->setAccessibleName(QString::fromStdString(c.spokenName));
        graph->setAccessibleDescription(QString::fromStdString(c.sentence));
        graphs_.push_back(graph);
    }
    scroll_->setWidget(sheet_);
}

view::SheetPicture StepWindow::placed() const { return view::sheetPicture(*text_, notes_, layoutMetrics(), look); }

void StepWindow::place() {
    for (QLabel* label : sheet_->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) delete label;
    const view::SheetPicture picture = placed();
    for (const view::PlacedParagraph& paragraph : view::paragraphsOf(picture)) {
        auto* label = new QLabel(QString::fromStdString(paragraph.text), sheet_);
        label->setObjectName(QString::fromUtf8(objectNameOf(paragraph.role)));
        label->setFont(layoutFont(paragraph.font));
        label->setTextFormat(Qt::PlainText);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        QPalette ink = label->palette();
        ink.setColor(QPalette::WindowText, colourOf(paragraph.ink));
        label->setPalette(ink);
        label->move(qRound(paragraph.x), qRound(paragraph.y));
        label->adjustSize();
        label->show();
    }
    for (const view::PlacedGraph& graph : picture.graphs) graphs_[graph.cell]->move(qRound(graph.x), qRound(graph.y));
    sheet_->setFixedSize(qCeil(picture.width), qCeil(picture.height));
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
    notes_ = notes;
    for (CanvasWidget* graph : graphs_) graph->update();
    place();
}

QImage StepWindow::picture() const {
    if (!sheet_ || graphs_.empty()) return {};
    const view::SheetPicture sheet = placed();
    const double r = graphs_.front()->canvas().image().devicePixelRatio();
    QImage image(qCeil(sheet.width * r), qCeil(sheet.height * r), QImage::Format_RGB32);
    image.fill(colourOf(look.paper));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(r, r);
    for (const view::PlacedLine& line : sheet.lines) {
        const QFont font = layoutFont(line.font);
        painter.setFont(font);
        painter.setPen(colourOf(line.ink));
        painter.drawText(QPointF(line.x, line.y + QFontMetricsF(font).ascent()), QString::fromStdString(line.text));
    }
    painter.resetTransform();
    for (const view::PlacedGraph& graph : sheet.graphs) {
        const QPoint at(qRound(graph.x * r), qRound(graph.y * r));
        const QImage& drawn = graphs_[graph.cell]->canvas().image();
        painter.fillRect(QRect(at, drawn.size() + QSize(2, 2) * qRound(look.graphEdge * r)), colourOf(look.edgeInk));
        painter.drawImage(at + QPoint(1, 1) * qRound(look.graphEdge * r), drawn);
    }
    painter.end();
    image.setDevicePixelRatio(r);
    return image;
}

} // namespace viramont
