#pragma once
// The program in the page: the form over the web toolkit's controls, the
// last plot, the step sheet, and the panels of practice and the cards.
// page_main.cpp lays the form out and runs its handlers and commands;
// page_outputs.cpp puts the pictures on the clipboard, in files and on
// paper; page_sheet.cpp shows the step sheet.

#include "form/form.h"
#include "page/page_panel.h"
#include "page/page_walk.h"
#include "plot/redraw.h"
#include "plot/steps.h"
#include "toolkit/web/json.h"
#include "toolkit/web/web_canvas.h"
#include "toolkit/web/web_controls.h"
#include "views/link.h"
#include "views/menu.h"
#include "views/picture.h"
#include "views/practice_panel.h"
#include "views/sheet.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace viramont::page {

// What the page keeps of a canvas to draw it again, larger.
struct CanvasLook {
    int width = 0, height = 0;  // logical pixels
    Colour fore = 0, back = 0;
    std::string font;
};

struct Page {
    std::map<std::string, std::unique_ptr<WebField>> fields;
    CanvasLook look1, look2;
    view::Box box1, box2;  // the canvases' drawing areas on the form
    std::string formulaFont;
    Colour formulaInk = 0;
    LastPlot lastPlot;
    WebList list{"Combo1"};
    WebField listText{"Combo1"};
    WebDialogs dialogs{layout::kTitle, layout::kFieldLimit};
    // The form's boxes: a link answers the base box.
    view::LinkBoxes formBoxes{dialogs};
    std::unique_ptr<WebCanvas> picture1, picture2;
    std::optional<Form> form;
    double dpr;
    double viewportWidth;
    // The step sheet: its chain and what it says, its graphs' canvases and
    // notes, and the boxes over it.
    std::optional<StepChain> chain;
    std::optional<view::SheetText> sheet;
    std::vector<std::unique_ptr<WebCanvas>> stepGraphs;
    std::vector<std::string> notes;
    WebDialogs stepDialogs{layout::kTitle, layout::kFieldLimit};
    // Practice and the cards' box in their panels.
    view::PracticePanel practice;
    WebPanel practicePanel;
    // Picture1 and practice's picture walked by keys and heard.
    pagewalk::CanvasWalk walk1{"Picture1"};
    pagewalk::CanvasWalk practiceWalk{view::practice_part::kPicture};
    WebPanel cardsPanel;

    Page(double width, double height, double devicePixelRatio);

    // page_main.cpp
    void layOut(double width, double height, double devicePixelRatio);
    void offerCommands();
    static void offerItem(view::Command command, bool offered);
    void present();
    void handle(void (*handler)(Form&));
    void openLink(std::string_view fragment);
    void command(std::string_view menu, std::string_view name);
    void openPractice();
    void showPractice(const view::PanelUpdate& update);

    // page_outputs.cpp
    void redraw(double ratio);
    std::string composePicture(double ratio);
    std::string composeSheet();
    std::string sheetGraphsAt(double ratio);
    void copyLink();
    void output(view::Command command, bool ofSheet);
    void outputCards(view::Command command);

    // page_sheet.cpp
    web::Json sheetPlacement() const;
    void showSteps();
    void presentSteps();
};

} // namespace viramont::page
