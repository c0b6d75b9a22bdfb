#pragma once
// Picture1 walked by keys and heard on the page (views/walk.h): the keys
// pressed on the canvas come as "walk:CODE" actions, the lines are said in
// the live region or as the canvas's value, the samples played by the
// toolkit through the Web Audio API.

#include "plot/redraw.h"

#include <string>
#include <string_view>

namespace viramont::pagewalk {

// Picture1 shows the plot of `lastPlot` with the words `words`: the canvas
// takes the walk's keys, and its walk begins anew.
void plotDrawn(const LastPlot& lastPlot, const std::string& words);
// A key by its code ("ArrowDown", ...), "listen" from the menu, or "ended"
// when the sweep has played out.
void act(std::string_view name);

} // namespace viramont::pagewalk
