#pragma once
// The window Viramont: builds the 23 controls from the layout table, keeps
// the form (its state and the controls as the handlers see them) and runs
// every user event through the event boundary.
//
//   Load              -> Form_Load        (form/)
//   Combo1 pick       -> Combo1_Click     (form/)
//   ВЫБОР pressed     -> ВЫБОР_Click      (params/)
//   Command1 pressed  -> Command1_Click   (plot/)
//   Command3 pressed  -> Command3_Click   (form/)
//
// The canvases' menu (picture_menu.h) copies, saves and prints the picture
// and opens the step sheet (step_window.h) of the plot drawn last.

#include "form/form.h"
#include "form/layout.h"
#include "plot/redraw.h"
#include "views/menu.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

namespace viramont {

class Announcer;
class CanvasWidget;
class LineEditField;
class PickListControl;
class PickList;
class PictureMenu;
class QtDialogs;
class StepWindow;
class PracticeWindow;
class CardsDialog;
class PictureWalker;
class MotionDriver;

class MainWindow : public QWidget {
public:
    // `scale` lays the whole form out smaller (see layout::Scale); 1 is the
    // layout as designed.
    explicit MainWindow(double scale = 1.0);
    ~MainWindow() override;

    Form& form() { return *form_; }
    CanvasWidget* picture1() const { return picture1_; }
    CanvasWidget* picture2() const { return picture2_; }
    PictureMenu& pictureMenu() { return *pictureMenu_; }
    // The inputs of the plot that Picture1 shows; none before the first.
    const std::optional<FormState>& lastPlotInputs() const { return lastPlot_.inputs(); }
    // The step sheet of the plot drawn last, opened by "Построение по
    // шагам…"; null until it was first opened.
    StepWindow* stepWindow() const { return stepWindow_; }
    PracticeWindow* practiceWindow() const { return practiceWindow_; }
    CardsDialog* cardsDialog() const { return cardsDialog_; }
    void openSteps();
    // Practice or the cards for a class (views/practice.h).
    void openClassView(view::Command command);
    // "Показать движение" on Picture1 (motion_driver.h).
    MotionDriver& motion() { return *motion_; }
    // What the window says to screen readers when a press ends.
    Announcer& announcer() { return *announcer_; }
    // Picture1 walked by keys and heard (views/walk.h).
    PictureWalker& picture1Walker() { return *walker_; }

private:
    void buildControls(layout::Scale scale);
    void wireEvents();
    // Runs one handler behind the event boundary, then shows what it drew
    // and says what it announces.
    void handle(void (*handler)(Form&));
    // After a press of Command1: the plot it drew is the one the step
    // sheet explains.
    void notePlot();
    // Shows both pictures as they stand, Picture1 with its description.
    void refreshPictures();

    CanvasWidget* picture1_ = nullptr;
    CanvasWidget* picture2_ = nullptr;
    PickList* combo1_ = nullptr;
    Announcer* announcer_ = nullptr;
    std::vector<std::unique_ptr<LineEditField>> fields_;
    std::unique_ptr<PickListControl> list_;
    std::unique_ptr<QtDialogs> dialogs_;
    std::unique_ptr<Form> form_;
    LastPlot lastPlot_;  // the inputs of the graphs on Picture1, to draw them again
    std::unique_ptr<PictureMenu> pictureMenu_;  // copy, save and print
    StepWindow* stepWindow_ = nullptr;   // a window of its own, a child of this one
    PracticeWindow* practiceWindow_ = nullptr;  // the same
    CardsDialog* cardsDialog_ = nullptr;
    PictureWalker* walker_ = nullptr;  // a child of Picture1
    MotionDriver* motion_ = nullptr;  // a child of this window
};

} // namespace viramont
