#pragma once
// The step sheet in a window of its own: the plot drawn in the main window
// as a lesson builds it (plot/steps.h). For y = f(x) and each step it shows
// the heading, the formula and the sentence as text a screen reader reads,
// the step's graph (plot/step_graphs.h) and, where needed, a note under it;
// then the moves left out. The sheet is copied, saved and printed as one
// picture, from its buttons, its context menu or Ctrl+C, Ctrl+S and Ctrl+P.

#include "form/form.h"
#include "window/picture_output.h"
#include "plot/steps.h"
#include "views/sheet.h"
#include "toolkit/qt/qt_dialogs.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QScrollArea;

namespace viramont {

class CanvasWidget;

class StepWindow : public QWidget {
public:
    // A window of its own, kept above `owner` and closed with it.
    explicit StepWindow(QWidget* owner);

    // Shows the chain of the plot drawn from `plotted` and draws its graphs;
    // a fault met on the way is told in a message box over this window once
    // every graph is drawn.
    void showPlot(const FormState& plotted);

    // The whole sheet as one picture from its layout, at the screen's resolution.
    QImage picture() const;
    PictureOutput& output() { return output_; }
    // Plays the plot's motion on Picture1, from the sheet's button.
    std::function<void()> showMotion;
    const std::vector<CanvasWidget*>& graphs() const { return graphs_; }

private:
    // Makes the sheet's widgets for the chain, in place of the last ones.
    void buildSheet(const StepChain& chain);
    // Shows the graphs as drawn and the notes as they stand.
    void showDrawn(const std::vector<std::string>& notes);
    // The sheet's layout with the notes as they stand, and its texts and
    // graphs put at their places.
    view::SheetPicture placed() const;
    void place();

    QScrollArea* scroll_;
    QWidget* sheet_ = nullptr;
    std::optional<view::SheetText> text_;
    std::vector<CanvasWidget*> graphs_;
    std::vector<std::string> notes_;
    QtDialogs dialogs_;
    PictureOutput output_;
};

} // namespace viramont
