#pragma once
// The graphs of the step sheet, each on a canvas of its own with the
// drawing area of layout::kStepGraph:
//
//   graphs[0]   y = f(x) alone, in blue: the blue graph of the plot
//   graphs[i]   step i: the curve before it in a muted colour, the curve
//               after it in red; the last one is the plot's red graph
//
// All of them share one scale, large enough for every curve of the chain
// and reaching the axes where they are near, with a light grid, both axes
// and the length of one grid step on each. Every curve is drawn with the
// plot's own loops and arithmetic, once, into the graph it ends and the one
// after it; where a logarithm's argument is not positive the curve has no
// point and is drawn where it is defined.

#include "plot/steps.h"
#include "toolkit/canvas.h"

#include <span>
#include <string>
#include <vector>

namespace viramont {

inline constexpr Colour kMutedCurve = rgb(160, 160, 160);

// The note under a graph whose curve has no point at all.
inline constexpr const char* kNowhereDefinedNote = "На этом участке функция нигде не определена: графика нет";
inline constexpr const char* kEmptyIntervalNote = "Отрезок пуст: его начало больше конца, графика нет";

// Draws every graph; `notes` gets one text per graph, empty where the graph
// needs none: its curve defined nowhere in view, or stopped by a fault. A
// fault ends the curve it meets, with its points so far drawn, and every
// other curve is still drawn; the first fault is then thrown on to the event
// boundary, as the plot's own faults are.
void DrawStepGraphs(const StepChain& chain, std::span<Canvas* const> graphs, std::vector<std::string>& notes);

// The chain's first and last curves on one graph of the step sheet's look
// (its paper, grid and axes, scaled to both): y = f(x) in blue, the red
// graph in red, as a task card shows them. A fault ends its curve.
void DrawBaseAndRed(const StepChain& chain, Canvas& graph);

} // namespace viramont
