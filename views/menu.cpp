#include "views/menu.h"

#include "plot/steps.h"

namespace viramont::view {

bool offers(Command command, const LastPlot& lastPlot) {
    return command != Command::Steps || ExplainedPlot(lastPlot) != nullptr;
}

const char* commandName(Command command) {
    switch (command) {
    case Command::Copy: return "copy";
    case Command::Save: return "save";
    case Command::Print: return "print";
    case Command::Steps: return "steps";
    case Command::Close: return "close";
    }
    return "";
}

} // namespace viramont::view
