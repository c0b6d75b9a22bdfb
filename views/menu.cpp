#include "views/menu.h"

#include "plot/steps.h"

namespace viramont::view {

bool offers(Command command, const LastPlot& lastPlot) {
    if (command == Command::Steps) return ExplainedPlot(lastPlot) != nullptr;
    if (command == Command::Motion) {
        const FormState* plotted = ExplainedPlot(lastPlot);
        return plotted && !ComposeSteps(*plotted).steps.empty();
    }
    if (command == Command::Link || command == Command::Listen) return lastPlot.inputs().has_value();
    return true;
}

const char* commandName(Command command) {
    switch (command) {
    case Command::Copy: return "copy";
    case Command::Save: return "save";
    case Command::Print: return "print";
    case Command::Steps: return "steps";
    case Command::Link: return "link";
    case Command::Listen: return "listen";
    case Command::Practice: return "practice";
    case Command::Cards: return "cards";
    case Command::Close: return "close";
    case Command::Motion: return "motion";
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

void offerPictureMenu(const LastPlot& lastPlot, const Offer& offer) {
    for (const CommandItem& item : kPictureMenu) offer(item.command, offers(item.command, lastPlot));
}

void pressPlot(LastPlot& lastPlot, const FormState& state, const CanvasGeometry& graph, const std::function<void()>& run,
               const Offer& offer) {
    lastPlot.pressStarts(state, graph.clears());
    run();
    lastPlot.pressEnded(graph.clears());
    offerPictureMenu(lastPlot, offer);
}

} // namespace viramont::view
