#pragma once
// The transformation y = A·f(k·x + b) + C as a lesson builds it from the
// graph of y = f(x), one simple move at a time:
//
//   1  y = f(kx)               squeeze towards the y-axis by |k|, or stretch
//                              from it by 1/|k|; where k < 0 also a reflection
//   2  y = f(k(x + b/k))       shift along the x-axis by |b/k|, left where
//        = f(kx + b)           b/k > 0, right where b/k < 0
//   3  y = A·f(kx + b)         stretch from the x-axis by |A|, or squeeze
//                              towards it by 1/|A|; where A < 0 also a reflection
//   4  y = A·f(kx + b) + C     shift along the y-axis by |C|, up or down
//
// A move that changes nothing (k = 1, b = 0, A = 1, C = 0) is left out, and
// the chain says so. Each step has its formula in the program's formula
// style (the last one is the formula of ВЫБОР), one Russian sentence, and
// the curve it draws. No toolkit here beyond the number texts: the graphs
// are drawn by step_graphs.h, the sheet is shown by each front end.
//
// Numbers are written as a pupil writes them:
//   - a number the pupil typed (|k| or |A| above 1, |C|, and |b| where
//     k = ±1) in the program's own form of it, as the formula shows it;
//   - a number the chain derives (1/|k|, 1/|A|, |b/k|) as a whole number or
//     a decimal of at most three places where it has one ("0,25");
//     otherwise, where both numbers it comes from have at most three
//     places, as a reduced fraction of whole numbers ("1/3", "10/3");
//     otherwise rounded to three significant digits and marked "примерно".

#include "form/form.h"
#include "plot/redraw.h"

#include <cstdint>
#include <string>
#include <vector>

namespace viramont {

// The fixed texts of the step sheet.
inline constexpr const char* kStepSheetTitle = "Построение по шагам";
inline constexpr const char* kBaseGraphHeading = "Исходный график";
inline constexpr const char* kBaseGraphSentence = "График исходной функции";
inline constexpr const char* kStepColoursKey = "Серым показан график до шага, красным — после него.";
inline constexpr const char* kLeftOutHeading = "Шаги, которые ничего не меняют, пропущены:";

// One curve of the chain: y = A·f(k·x + b) + C for the x from start to end,
// drawn with the loops of the main plot.
struct StepCurve {
    double A = 1, k = 1, b = 0, C = 0;
    double start = 0, end = 0;
};

enum class StepMove { StretchX, ShiftX, StretchY, ShiftY };

// The axis a move goes along: "Ox" for the moves of k and b, "Oy" for those
// of A and C.
const char* AlongAxis(StepMove kind);
bool IsShift(StepMove kind);

// How a factor changes the graph's size: stretched from the axis or
// squeezed towards it; neither where the factor is ±1.
enum class Scaling { None, Stretch, Squeeze };
// Where a shift moves the graph.
enum class Direction { None, Left, Right, Up, Down };

// A number as the sheet writes it ("3", "1/3", "0,25"), rounded where it
// cannot be written exactly, and then said to be ("примерно").
struct SheetNumber {
    std::string text;
    bool approximate = false;
    friend bool operator==(const SheetNumber&, const SheetNumber&) = default;
};

// One move as data; its sentence is written from this alone.
struct Move {
    StepMove kind = StepMove::StretchX;
    double amount = 0;  // the factor k or A, or the shift b/k or C, as the arithmetic has it
    Scaling scaling = Scaling::None;
    bool reflects = false;  // a factor below 0
    Direction direction = Direction::None;
    SheetNumber number;  // the times of a scaling, the distance of a shift
};

// Whether two moves are said in the same words.
bool SaidAlike(const Move& a, const Move& b);

// The words of a move; `capital` where they begin a sentence.
//   MoveSentence  "Сжатие к оси Oy в 3 раза и отражение относительно оси Oy",
//                 "Сдвиг вдоль оси Ox на 1/3 влево"
//   ScalingName   "Сжатие к оси Oy"      (a move with a scaling)
//   ScalingAmount "в 3 раза и отражение относительно оси Oy"
//   ShiftName     "Сдвиг вдоль оси Ox"   (of a kind that shifts)
//   ShiftAmount   "на 1/3 влево"
std::string MoveSentence(const Move& move, bool capital = true);
std::string ScalingName(const Move& move, bool capital);
std::string ScalingAmount(const Move& move);
std::string ShiftName(StepMove kind, bool capital);
std::string ShiftAmount(const Move& move);

struct TransformStep {
    Move move;
    std::string heading;   // "Шаг 1"
    std::string formula;   // "y = Sin(3(x+1/3)) = Sin(3x+1)"
    std::string sentence;  // MoveSentence(move)
    StepCurve curve;       // the graph after the step
};

struct StepChain {
    std::string function;      // the entry of Combo1 the plot was drawn for
    std::int16_t logBase = 0;  // a, for the base-a logarithm
    std::string baseFormula;   // "y = Sin(x)"
    StepCurve base;            // y = f(x) over the interval, the blue graph
    std::vector<TransformStep> steps;
    std::vector<std::string> leftOut;  // "C = 0: сдвига вдоль оси Oy нет"
};

// Whether the state after a press of Command1 holds a plot the chain can
// explain: one of the six functions, with the numbers of a press of ВЫБОР.
bool HasStepChain(const FormState& plotted);

// The plot the step sheet explains: the last one that drew the graph
// canvas, where the chain can explain it; none while no plot has been drawn
// (a press that was refused drew nothing to explain).
const FormState* ExplainedPlot(const LastPlot& last);

// The chain of the plot drawn from `plotted`. The curves' intervals follow
// the main plot: y = f(x) over the interval, the curves from the shift along
// the x-axis on over the interval moved by -b, as the red graph is; the
// curve of the first move over the interval that the shift carries onto
// that one, so that the shift moves it whole.
StepChain ComposeSteps(const FormState& plotted);

// "y = 2Sin(3x+1)": the formula of the function of `plotted` with the
// numbers A, k, b and C, in the step sheet's style.
std::string StepFormula(const FormState& plotted, float A, Numeric k, Numeric b, float C);

} // namespace viramont
