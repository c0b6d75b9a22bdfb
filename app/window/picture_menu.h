#pragma once
// The teacher's output of the window: the context menu of both canvases
// (right-click, the Menu key or Shift+F10) with "Копировать рисунок",
// "Сохранить рисунок…", "Печать…" and "Построение по шагам…", and their
// shortcuts: Ctrl+C while a canvas has the focus, Ctrl+S, Ctrl+P and
// Ctrl+G anywhere in the window. The first three take the picture of
// picture_export.h from the canvases as they are; the last opens the step
// sheet of the plot drawn, once there is one. None of them changes a
// canvas, a field or the form's state, and nothing is kept between runs.

#include "app/window/picture_output.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QObject>

#include <functional>

class QLineEdit;
class QPrinter;
class QWidget;

namespace viramont {

class CanvasWidget;
class Dialogs;

class PictureMenu : public QObject {
public:
    // `window` holds the canvases and the formula field; failures are told
    // through `dialogs`; `openSteps` opens the step sheet.
    PictureMenu(QWidget* window, CanvasWidget* graph, CanvasWidget* legend, QLineEdit* formula, Dialogs& dialogs,
                std::function<void()> openSteps);

    QImage picture() const;
    void copy() { output_.copy(); }
    void save() { output_.save(); }
    bool saveTo(const QString& path) { return output_.saveTo(path); }
    void print() { output_.print(); }
    bool printTo(QPrinter& printer) { return output_.printTo(printer); }

    // "Построение по шагам…" is offered once a plot is drawn.
    void setStepsEnabled(bool enabled) { steps_.setEnabled(enabled); }
    QAction& stepsAction() { return steps_; }

    QMenu& menu() { return menu_; }

private:
    void openMenu(CanvasWidget* canvas, QPoint at);

    QWidget* window_;
    CanvasWidget* graph_;
    CanvasWidget* legend_;
    QLineEdit* formula_;
    PictureOutput output_;
    QAction copy_;
    QAction save_;
    QAction print_;
    QAction steps_;
    QMenu menu_;
};

} // namespace viramont
