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

#include <array>

namespace viramont::view {

enum class Command { Copy, Save, Print, Steps, Link, Practice, Cards, Close, Motion };

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
inline constexpr std::array<CommandItem, 6> kPictureMenu{{
    {Command::Copy, "Копировать рисунок", 'C', KeyScope::Canvas, false},
    {Command::Save, "Сохранить рисунок…", 'S', KeyScope::Window, false},
    {Command::Print, "Печать…", 'P', KeyScope::Window, false},
    {Command::Steps, "Построение по шагам…", 'G', KeyScope::Window, true},
    {Command::Motion, kShowMotionText, 0, KeyScope::None, false},
    {Command::Link, "Ссылка на этот график", 0, KeyScope::None, false},
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
    {Command::Close, "Закрыть", 0, KeyScope::None, false},
}};

// Whether the picture menu offers `command` now: the step sheet once a
// plot has been drawn (plot/steps.h), its motion (views/motion.h) where it
// has a move, the link once the graph canvas shows
// a plot, the rest always.
bool offers(Command command, const LastPlot& lastPlot);

// A command's name as a front end passes it on: "copy", "save", ...
const char* commandName(Command command);

} // namespace viramont::view
