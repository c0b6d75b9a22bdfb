#include "window/picture_menu.h"

#include "window/picture_export.h"
#include "plot/redraw.h"
#include "toolkit/qt/canvas_widget.h"

#include <QFontInfo>
#include <QLineEdit>
#include <QShortcut>

namespace viramont {

namespace {

// The top-left corner of a canvas's image on the window.
QPoint imageCorner(const CanvasWidget* canvas, const QWidget* window) {
    return canvas->mapTo(window, canvas->contentsRect().topLeft());
}

} // namespace

PictureMenu::PictureMenu(QWidget* window, CanvasWidget* graph, CanvasWidget* legend, QLineEdit* formula,
                         Dialogs& dialogs, const LastPlot& lastPlot, std::function<void()> openSteps)
    : window_(window),
      graph_(graph),
      legend_(legend),
      formula_(formula),
      lastPlot_(lastPlot),
      output_(
          window, dialogs, [this] { return screenPicture(); }, QStringLiteral("график.png"),
          QStringLiteral("график"), [this] { return paperParts(); }),
      copy_(QStringLiteral("Копировать рисунок")),
      save_(QStringLiteral("Сохранить рисунок…")),
      print_(QStringLiteral("Печать…")),
      steps_(QStringLiteral("Построение по шагам…")),
      menu_(graph) {  // a child of the canvas: the window holds only its controls
    menu_.setObjectName(QStringLiteral("PictureMenu"));
    copy_.setShortcut(QKeySequence::Copy);
    copy_.setShortcutContext(Qt::WidgetShortcut);  // a text field copies its own text
    save_.setShortcut(QKeySequence::Save);
    save_.setShortcutContext(Qt::WindowShortcut);
    print_.setShortcut(QKeySequence::Print);
    print_.setShortcutContext(Qt::WindowShortcut);
    steps_.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    steps_.setShortcutContext(Qt::WindowShortcut);
    steps_.setEnabled(false);
    connect(&copy_, &QAction::triggered, this, &PictureMenu::copy);
    connect(&save_, &QAction::triggered, this, &PictureMenu::save);
    connect(&print_, &QAction::triggered, this, &PictureMenu::print);
    connect(&steps_, &QAction::triggered, this, std::move(openSteps));
    menu_.addActions({&copy_, &save_, &print_});
    menu_.addSeparator();
    menu_.addAction(&steps_);
    window_->addActions({&save_, &print_, &steps_});

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

void PictureMenu::openMenu(CanvasWidget* canvas, QPoint at) { menu_.popup(canvas->mapToGlobal(at)); }

} // namespace viramont
