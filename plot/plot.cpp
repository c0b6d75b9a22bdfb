#include "plot/plot.h"

#include "plot/axes.h"
#include "plot/graph_loops.h"
#include "plot/legend.h"
#include "plot/routines.h"

namespace viramont {

namespace {

using graph::forEachX;
using graph::GraphBatch;
using graph::kGraphStep;
using graph::kScanStep;
using graph::Params;

// The loop of one graph: CurX from start to end at the graph step, CurY
// the value of each x, every point into the batch. Nothing in it waits for
// a fault on its way out, so a fault leaves it at no cost on the way in.
template <class Value>
[[gnu::noinline]] void collectGraph(FormState& s, double start, double end, GraphBatch& batch, const Value& value) {
    forEachX(s.CurX, start, end, kGraphStep, [&](float x) {
        s.CurY = value(x);
        batch.add(x, s.CurY);
    });
}

// One graph in its colour. Whatever ends the loop, a fault included, hands
// over the points collected so far first, so that everything computed
// before a fault stays drawn.
template <class Value>
void drawGraph(Form& form, Colour colour, double start, double end, const Value& value) {
    GraphBatch batch(form.Picture1, colour);
    try {
        collectGraph(form.state, start, end, batch, value);
    } catch (...) {
        batch.flush();
        throw;
    }
    batch.flush();
}

void noteInRange(FormState& s) {
    if (s.CurY > s.YMax.value()) s.YMax = Numeric::single(s.CurY);
    if (s.CurY < s.YMin) s.YMin = s.CurY;
}

// The one skeleton of every plot: range scan, axes, blue base graph, red
// transformed graph over the interval moved by -b, legend.
template <class Values>
void plot(Form& form) {
    FormState& s = form.state;
    const Params p(s);

    s.YMax = Numeric::integer(-1000);
    s.YMin = 1000.0f;
    forEachX(s.CurX, s.XStart.value(), s.XEnd, kScanStep, [&](float x) {
        s.CurY = Values::scan(p, x);
        noteInRange(s);
        s.CurY = Values::base(p, x);
        noteInRange(s);
    });

    DrawAxes(form);

    drawGraph(form, kBlue, s.XStart.value(), s.XEnd, [&p](float x) { return Values::base(p, x); });
    drawGraph(form, kRed, s.XStart.value() - p.b, static_cast<double>(s.XEnd) - p.b,
              [&p](float x) { return Values::transformed(p, x); });

    ShowLegend(form);
}

} // namespace

void PlotSin(Form& form) { plot<graph::SinValues>(form); }
void PlotCos(Form& form) { plot<graph::CosValues>(form); }
void PlotSquare(Form& form) { plot<graph::PowerValues<2>>(form); }
void PlotCube(Form& form) { plot<graph::PowerValues<3>>(form); }
void PlotLog(Form& form) { plot<graph::LogValues>(form); }
void PlotLogBase(Form& form) { plot<graph::LogBaseValues>(form); }

namespace {
struct Routine {
    const char* function;
    void (*plot)(Form&);
};
constexpr Routine kRoutines[] = {{fn::kSin, PlotSin},       {fn::kCos, PlotCos}, {fn::kSquare, PlotSquare},
                                 {fn::kCube, PlotCube},     {fn::kLog, PlotLog}, {fn::kLogBase, PlotLogBase}};
} // namespace

// Six independent tests of the name, in list order: each routine whose name
// matches runs.
void Command1_Click(Form& form) {
    const std::string& name = form.state.FunctionName;
    for (const Routine& routine : kRoutines) {
        if (name == routine.function) routine.plot(form);
    }
}

} // namespace viramont
