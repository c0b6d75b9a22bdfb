#include "window/picture_menu.h"

#include "window/picture_export.h"
#include "plot/redraw.h"
#include "views/link.h"
#include "views/menu.h"
#include "views/practice.h"
#include "toolkit/qt/canvas_widget.h"

#include <QClipboard>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QShortcut>

#include <stdexcept>

namespace viramont {

namespace {

// Ctrl and the item's letter, by the letter's place on the keyboard.
QKeySequence commandKey(const view::CommandItem& item) {
    if (!item.key) return {};
    return QKeySequence(Qt::CTRL | static_cast<Qt::Key>(item.key));  // Qt's letter keys are their capitals
}

// The top-left corner of a canvas's image on the window.
QPoint imageCorner(const CanvasWidget* canvas, const QWidget* window) {
    return canvas->mapTo(window, canvas->contentsRect().topLeft());
}

} // namespace

PictureMenu::PictureMenu(QWidget* window, CanvasWidget* graph, CanvasWidget* legend, QLineEdit* formula,
                         Dialogs& dialogs, const LastPlot& lastPlot, std::function<void()> openSteps,
                         std::function<void(view::Command)> openClassView)
    : window_(window),
      graph_(graph),
      legend_(legend),
      formula_(formula),
      lastPlot_(lastPlot),
      output_(
          window, dialogs, [this] { return screenPicture(); }, view::kPictureOutput, [this] { return paperParts(); }),
      menu_(graph) {  // a child of the canvas: the window holds only its controls
    menu_.setObjectName(QStringLiteral("PictureMenu"));
    std::vector<QAction*> onCanvases;
    for (const view::CommandItem& item : view::kPictureMenu) {
        auto& action = *actions_.emplace_back(std::make_unique<QAction>(QString::fromUtf8(item.text)));
        action.setShortcut(commandKey(item));
        if (item.separatorBefore) menu_.addSeparator();
        menu_.addAction(&action);
        // A text field copies its own text: copy is a canvas's key.
        if (item.scope == view::KeyScope::Canvas) {
            action.setShortcutContext(Qt::WidgetShortcut);
            onCanvases.push_back(&action);
        } else {
            action.setShortcutContext(Qt::WindowShortcut);
            window_->addAction(&action);
        }
        switch (item.command) {
        case view::Command::Copy: connect(&action, &QAction::triggered, this, &PictureMenu::copy); break;
        case view::Command::Save: connect(&action, &QAction::triggered, this, &PictureMenu::save); break;
        case view::Command::Print: connect(&action, &QAction::triggered, this, &PictureMenu::print); break;
        case view::Command::Steps: connect(&action, &QAction::triggered, this, openSteps); break;
        case view::Command::Link: connect(&action, &QAction::triggered, this, &PictureMenu::copyLink); break;
        case view::Command::Motion:
            connect(&action, &QAction::triggered, this, [openClassView] { openClassView(view::Command::Motion); });
            break;
        default: break;
        }
    }
    for (const view::CommandItem& item : view::kClassMenu) {
        auto* action = new QAction(QString::fromUtf8(item.text), &menu_);
        if (item.separatorBefore) menu_.addSeparator();
        menu_.addAction(action);
        connect(action, &QAction::triggered, this, [openClassView, command = item.command] { openClassView(command); });
    }
    update();

    for (CanvasWidget* canvas : {graph_, legend_}) {
        // A click gives the canvas the focus, so Ctrl+C after it copies the picture.
        canvas->setFocusPolicy(Qt::StrongFocus);
        for (QAction* action : onCanvases) canvas->addAction(action);
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

std::function<void(Canvas&)> PictureMenu::graphDrawing() const {
    if (shownFrame_) {
        if (std::function<void(Canvas&)> frame = shownFrame_()) return frame;
    }
    if (!lastPlot_.inputs()) return {};
    return [inputs = *lastPlot_.inputs()](Canvas& graph) { redrawGraphs(inputs, graph); };
}

PaperParts PictureMenu::paperParts() const {
    auto partsOf = [this](const CanvasWidget* c) {
        return CanvasParts{QRect(imageCorner(c, window_), c->contentsRect().size()), c->canvas().foreColour(),
                           c->canvas().backColour(), c->font()};
    };
    return {
        .graph = partsOf(graph_),
        .legend = partsOf(legend_),
        .drawGraph = graphDrawing(),
        .legendPrints = legend_->canvas().geometry().prints(),
        .formula = formulaLineOf(formula_->text()),
        .formulaFont = formulaFont(),
        .ink = formula_->palette().color(QPalette::Text),
    };
}

QImage PictureMenu::screenPicture() const {
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

void PictureMenu::copyLink() {
    if (!lastPlot_.inputs()) return;
    QGuiApplication::clipboard()->setText(QString::fromStdString(view::plotLink(*lastPlot_.inputs())));
}

QAction& PictureMenu::action(view::Command command) {
    for (std::size_t i = 0; i < view::kPictureMenu.size(); ++i) {
        if (view::kPictureMenu[i].command == command) return *actions_[i];
    }
    throw std::out_of_range("no such item in the picture menu");
}

void PictureMenu::update() { view::offerPictureMenu(lastPlot_, offer()); }

view::Offer PictureMenu::offer() {
    return [this](view::Command command, bool offered) { action(command).setEnabled(offered); };
}

void PictureMenu::openMenu(CanvasWidget* canvas, QPoint at) { menu_.popup(canvas->mapToGlobal(at)); }

} // namespace viramont
