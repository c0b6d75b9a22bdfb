#include "views/menu.h"

#include "plot/steps.h"

namespace viramont::view {

bool offers(Command command, const LastPlot& lastPlot) {
    if (command == Command::Steps) return ExplainedPlot(lastPlot) != nullptr;
    if (command == Command::Link) return lastPlot.inputs().has_value();
    return true;
}

const char* commandName(Command command) {
    switch (command) {
    case Command::Copy: return "copy";
    case Command::Save: return "save";
    case Command::Print: return "print";
    case Command::Steps: return "steps";
    case Command::Link: return "link";
    case Command::Practice: return "practice";
    case Command::Cards: return "cards";
    case Command::Close: return "close";
    case Command::Check: return "check";
    case Command::Hint: return "hint";
    case Command::ShowSolution: return "solution";
    case Command::NextTask: return "next";
    case Command::ChooseLevel: return "level";
    case Command::None: break;
    }
    return "";
}

Command commandNamed(std::string_view name) {
    for (int c = int(Command::Copy); c <= int(Command::ChooseLevel); ++c) {
        if (name == commandName(Command(c))) return Command(c);
    }
    return Command::None;
}

} // namespace viramont::view
