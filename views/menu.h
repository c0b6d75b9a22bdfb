#pragma once
// The commands a teacher gives over the pictures, as both front ends offer
// them: the canvases' context menu, the step sheet's buttons, and their
// keys. A key is Ctrl with a letter, read by its place on the keyboard (so
// Ctrl+С on a Russian layout is Ctrl+C). Copy is Ctrl+C only where a
// canvas has the focus (elsewhere a text field copies its own text); the
// other keys work anywhere in the window, and in the step sheet anywhere in
// the sheet.

#include "form/layout.h"
#include "plot/redraw.h"
#include "toolkit/canvas_geometry.h"
#include "toolkit/controls.h"

#include <array>
#include <string_view>
#include <functional>

namespace viramont::view {

// The commands of the menus, the step sheet and the panels; None: no command.
enum class Command {
    None, Copy, Save, Print, Steps, Motion, Link, Listen, Practice, Cards, Close,
    Check, Hint, ShowSolution, NextTask, ChooseLevel,
};

enum class KeyScope { None, Canvas, Window };

struct CommandItem {
    Command command;
    const char* text;
    char key;  // the letter of Ctrl+letter; 0: none
    KeyScope scope;
    bool separatorBefore;
};

// Plays the plot's motion on Picture1 (views/motion.h): an item of the
// menu and a button of the step sheet.
inline constexpr const char* kShowMotionText = "Показать движение";

// The menu of both canvases of the form. The link (views/link.h) is of
// the plot on the screen, for the page.
inline constexpr std::array<CommandItem, 7> kPictureMenu{{
    {Command::Copy, "Копировать рисунок", 'C', KeyScope::Canvas, false},
    {Command::Save, "Сохранить рисунок…", 'S', KeyScope::Window, false},
    {Command::Print, "Печать…", 'P', KeyScope::Window, false},
    {Command::Steps, "Построение по шагам…", 'G', KeyScope::Window, true},
    {Command::Motion, kShowMotionText, 0, KeyScope::None, false},
    {Command::Link, "Ссылка на этот график", 0, KeyScope::None, false},
    {Command::Listen, "Прослушать графики", 0, KeyScope::None, false},  // views/walk.h
}};

// Where the menu opens by a button of its own (a touch screen has no right
// click): the button's name for screen readers, by canvas.
inline constexpr std::array<layout::AccessibleName, 2> kMenuButtons{{
    {"Picture1", "Меню рисунка: графики"},
    {"Picture2", "Меню рисунка: легенда"},
}};

// The step sheet's buttons, its menu (the first three) and their keys,
// anywhere in the sheet.
inline constexpr std::array<CommandItem, 4> kSheetButtons{{
    {Command::Copy, "Копировать", 'C', KeyScope::Window, false},
    {Command::Save, "Сохранить…", 'S', KeyScope::Window, false},
    {Command::Print, "Печать…", 'P', KeyScope::Window, false},
    {Command::Close, kCloseCaption, 0, KeyScope::None, false},
}};

// Whether the picture menu offers `command` now: the step sheet once a
// plot has been drawn (plot/steps.h), its motion (views/motion.h) where it
// has a move, the link once the graph canvas shows
// a plot, the rest always.
bool offers(Command command, const LastPlot& lastPlot);

// Tells `offer`, for each command of the picture menu, whether it is
// offered now.
using Offer = std::function<void(Command, bool)>;
void offerPictureMenu(const LastPlot& lastPlot, const Offer& offer);

// A press of Command1 as both front ends run it: `run` runs its handler on
// the form of `state`; the plot counts as the last one where it cleared
// the graph canvas (`graph`, Picture1's pixels); then the picture menu is
// offered anew.
void pressPlot(LastPlot& lastPlot, const FormState& state, const CanvasGeometry& graph, const std::function<void()>& run,
               const Offer& offer);

// A command's name as a front end passes it on: "copy", "save", ...
const char* commandName(Command command);
// The command of a name; None where no command has it.
Command commandNamed(std::string_view name);

} // namespace viramont::view
