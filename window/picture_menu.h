#pragma once
// The teacher's output of the window: the context menu of both canvases
// (right-click, the Menu key or Shift+F10) with the items and keys of
// views/menu.h. Copy and the plain PNG take the picture of
// picture_export.h from the canvases as they are; print, PDF and the larger
// PNGs draw it anew from what the canvases show (the inputs of the last
// plot, the legend's texts); then the step sheet of the plot drawn, once
// there is one, and the plot's link for the page (views/link.h) on the
// clipboard. None of them changes a canvas, a field or the
// form's state, and nothing is kept between runs.

#include "views/menu.h"
#include "window/picture_output.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QObject>

#include <functional>
#include <memory>
#include <vector>

class QLineEdit;
class QPrinter;
class QWidget;

namespace viramont {

class CanvasWidget;
class Dialogs;
class LastPlot;

class PictureMenu : public QObject {
public:
    // `window` holds the canvases and the formula field; failures are told
    // through `dialogs`; `lastPlot` holds the inputs of the plot the graph
    // canvas shows; `openSteps` opens the step sheet, `openClassView`
    // practice or the cards (views/practice.h).
    PictureMenu(QWidget* window, CanvasWidget* graph, CanvasWidget* legend, QLineEdit* formula, Dialogs& dialogs,
                const LastPlot& lastPlot, std::function<void()> openSteps,
                std::function<void(view::Command)> openClassView);

    // The picture at the screen's resolution, or drawn anew at `ratio`
    // times the logical pixels.
    QImage picture(double ratio = 1.0) const { return ratio == 1.0 ? screenPicture() : output_.picture(ratio); }
    PaperParts paperParts() const;
    void copy() { output_.copy(); }
    void save() { output_.save(); }
    bool saveTo(const QString& path, double ratio = 1.0) { return output_.saveTo(path, ratio); }
    void print() { output_.print(); }
    bool printTo(QPrinter& printer) { return output_.printTo(printer); }

    void copyLink();

    // Offers the items as the last plot allows (views/menu.h).
    void update();
    // What offers an item, for a press of Command1 (views/menu.h).
    view::Offer offer();
    QAction& action(view::Command command);
    QAction& stepsAction() { return action(view::Command::Steps); }

    QMenu& menu() { return menu_; }
    // Where the graph canvas's frame comes from while a motion plays on it
    // (MotionDriver::shownFrame): copy, save and print take that frame.
    void takeFramesFrom(std::function<std::function<void(Canvas&)>()> shownFrame) { shownFrame_ = std::move(shownFrame); }

private:
    void openMenu(CanvasWidget* canvas, QPoint at);
    QImage screenPicture() const;
    QFont formulaFont() const;
    // Draws the graph canvas as it stands anew.
    std::function<void(Canvas&)> graphDrawing() const;

    QWidget* window_;
    CanvasWidget* graph_;
    CanvasWidget* legend_;
    QLineEdit* formula_;
    const LastPlot& lastPlot_;
    std::function<std::function<void(Canvas&)>()> shownFrame_;
    PictureOutput output_;
    std::vector<std::unique_ptr<QAction>> actions_;  // as the menu lists them
    QMenu menu_;
};

} // namespace viramont
