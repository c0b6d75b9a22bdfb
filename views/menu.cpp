#include "views/menu.h"

#include "plot/steps.h"

namespace viramont::view {

bool offers(Command command, const LastPlot& lastPlot) {
    if (command == Command::Steps) return ExplainedPlot(lastPlot) != nullptr;
    if (command == Command::Motion) {
        const FormState* plotted = ExplainedPlot(lastPlot);
        return plotted && !ComposeSteps(*plotted).steps.empty();
    }
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
    case Command::Motion: return "motion";
    }
    return "";
}

} // namespace viramont::view
