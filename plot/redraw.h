#pragma once
// The two canvases drawn again on other canvases, for paper or a larger
// image: the graphs from the inputs of the plot that drew them, computed
// anew by the same routines, and the legend from the texts printed into it.
// Both come out as the screen shows them, a plot that a fault ended ending
// at the same point.

#include "form/form.h"
#include "toolkit/canvas_geometry.h"

#include <cstdint>
#include <optional>
#include <span>

namespace viramont {

// The inputs of the last plot that drew the graph canvas: the form's state
// as a press of Command1 found it, kept once the press has cleared the
// canvas for its axes (a press that stopped before that left the older
// graphs, and the older inputs stand).
class LastPlot {
public:
    void pressStarts(const FormState& state, std::uint64_t graphClears) {
        pending_ = state;
        clearsBefore_ = graphClears;
    }
    void pressEnded(std::uint64_t graphClears) {
        if (graphClears != clearsBefore_) inputs_ = pending_;
    }
    const std::optional<FormState>& inputs() const { return inputs_; }

private:
    FormState pending_;
    std::uint64_t clearsBefore_ = 0;
    std::optional<FormState> inputs_;
};

// Runs the plot of `inputs` onto `graph`; its legend goes nowhere and no box
// opens: a fault ends the drawing.
void redrawGraphs(const FormState& inputs, Canvas& graph);

// The still part of the picture of `inputs` (DrawStill of plot.h) onto
// `graph`; the top-left corner of its scale, in the graph's coordinates,
// comes back. A fault ends the drawing.
WorldPoint redrawStill(const FormState& inputs, bool guideAtC, bool guideAtMinusB, Canvas& graph);

// Prints the texts in order into a cleared `legend`.
void redrawLegend(std::span<const PrintedText> prints, Canvas& legend);

} // namespace viramont
