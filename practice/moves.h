#pragma once
// Whether every move of a task is seen and needed.
//
// A pupil's answer is A and k from ±1/2, ±1, ±2, ±3 and b and C whole. Of
// the answers that draw one graph, the simplest changes the fewest of A, k,
// b, C, and of those lists the fewest steps on the step sheet (a stretch or
// a squeeze, a reflection, a shift; a negative A or k is a reflection
// more), and of those has k > 0. A task is fair when its own numbers are
// the simplest.
//
// The answers of one graph follow from a table of the functions'
// symmetries, proved by algebra, not by drawing:
//   sin    A·sin(kx + b) = −A·sin(−kx − b)             (odd)
//   cos    A·cos(kx + b) = A·cos(−kx − b)              (even)
//   x²     A(kx + b)² = A·k²·(x + b/k)²                (the power rule)
//   x³     A(kx + b)³ = A·k³·(x + b/k)³
//   logₐ   A·logₐ(kx + b) = A·logₐ(k'x + b') + A·logₐ(k/k'), k/k' > 0,
//          b/k = b'/k': the factor k is a shift up by A·logₐ(k/k'), which
//          a pupil can type where it is whole (2·log₂ 2x = 2·log₂ x + 2)
// Whole b is never a multiple of π, so the periods give no other answers.

#include "practice/task.h"

#include <compare>
#include <optional>
#include <string>

namespace viramont::practice {

// How much a pupil's answer does: the numbers it changes from A = 1, k = 1,
// b = 0, C = 0, then the steps the step sheet lists for them; of answers
// alike in both, a textbook writes the one with k > 0: −sin x rather than
// sin(−x), (2x − 1)² rather than (−2x + 1)².
struct Cost {
    int moves = 0;
    int steps = 0;
    int negativeK = 0;
    friend auto operator<=>(const Cost&, const Cost&) = default;
};
Cost costOf(const Transform& t);

// How many of A, k, b and C `t` changes.
inline int movesOf(const Transform& t) { return costOf(t).moves; }

// y = A·f(kx + b) + C at x, in double precision; NaN where not defined.
double valueAt(const Curve& curve, const Transform& t, double x);

// Whether `a` and `b`, both a pupil's numbers, draw the same graph of
// `curve`, by the table above.
bool sameByTable(const Curve& curve, const Transform& a, const Transform& b);

// The simplest answer a pupil can type that draws the graph of `t`: `t`
// itself where nothing simpler does.
Transform simplestAnswer(const Curve& curve, const Transform& t);

// Whether no answer a pupil can type draws the graph of `t` at a lower cost.
inline bool everyMoveNeeded(const Curve& curve, const Transform& t) {
    return costOf(simplestAnswer(curve, t)) == costOf(t);
}

// A part of the plane, in units.
struct Window {
    double left, right, bottom, top;
};

// An answer of another graph, at no greater cost than `t`, whose curve
// looks like the graph of `t` in `view`: nowhere further from it than
// 0,15 of a unit (a cell of the grid), measured across the curve, as
// sin(x + 3) and −sin x, ln 3x and ln x + 1. None where the picture tells
// them apart.
std::optional<Transform> lookAlike(const Curve& curve, const Transform& t, const Window& view);

// Whether two tasks draw the same graph, whatever their functions.
bool drawSameGraph(const Task& a, const Task& b);

} // namespace viramont::practice
