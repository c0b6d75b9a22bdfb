#pragma once
// Pressing Command1: the plot routine of the chosen function scans the
// y-range, draws the axes, the blue base graph and the red transformed
// graph, and prints the legend.

#include "form/form.h"
#include "plot/axes.h"
#include "plot/description.h"

namespace viramont {

void Command1_Click(Form& form);

// About how many points the two graphs of a press of Command1 compute from
// `state`: the interval and the red graph's interval, moved by -b, each at
// the graph's step, where the step still moves x.
double GraphPoints(const FormState& state);

// The red graph's interval: the interval of `state` moved by -b.
struct Interval {
    double start, end;
};
Interval RedInterval(const FormState& state);

// The transformed curve of `state` (its function, A, k, b, C and base)
// for x over `over`, with the red graph's loop and arithmetic,
// onto `canvas` as it is scaled, in `colour`: a point where a logarithm has
// no value is left out, and a fault ends the curve with its points so far.
// A `trace` gathers the points for the picture's words.
void DrawCurve(const FormState& state, Interval over, Canvas& canvas, Colour colour, GraphTrace* trace = nullptr);

// What stays still while the transformation moves: the press of
// Command1's range scan, its axes with the guide lines asked for, and the
// blue graph, by the press's own loops. A fault ends the drawing.
void DrawStill(Form& form, GuideLines guides);

} // namespace viramont
