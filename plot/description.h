#pragma once
// What Picture1 shows, in words, for screen readers: composed in Russian
// after every plot from the points that were drawn, the same text in the
// window and the page.
//
//   Command1 -> plot loops -> GraphBatch::flush -> GraphTrace::add (per batch)
//            -> DescribePlot -> FormState::Spoken -> the front end publishes it

#include "form/form.h"
#include "toolkit/canvas.h"
#include "toolkit/fault.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>

namespace viramont {

// One graph as its points went to the canvas, gathered batch by batch:
// where it starts and ends, its highest and lowest points (the first of
// equal ones), and where it meets the x-axis. Each batch is passed once for
// its extremes; only a batch that reaches a new extreme is searched for it,
// and only one that can meet the axis is walked point by point.
class GraphTrace {
public:
    // Meetings with the x-axis whose x is kept, the first ones.
    static constexpr std::size_t kListed = 4;

    void add(std::span<const GraphPoint> batch);
    // Passes of the graph counted without their points: a stretch drawn by
    // its columns gives the trace only the points that decide it.
    void addPasses(long long passes) { points_ += passes; }

    long long points() const { return points_; }
    GraphPoint first() const { return first_; }
    GraphPoint last() const { return last_; }
    GraphPoint highest() const { return highest_; }
    GraphPoint lowest() const { return lowest_; }
    // A graph meets the x-axis where two points lie on either side of it (at
    // the x of the one nearer to it) and where a run of points on it begins.
    long long crossings() const { return crossings_; }
    std::span<const float> listedCrossings() const {
        return {crossingX_.data(), crossings_ < static_cast<long long>(kListed) ? static_cast<std::size_t>(crossings_)
                                                                                : kListed};
    }

private:
    void followSides(std::span<const GraphPoint> batch);
    void meet(float x) {
        if (crossings_ < static_cast<long long>(kListed)) crossingX_[static_cast<std::size_t>(crossings_)] = x;
        ++crossings_;
    }

    long long points_ = 0;
    GraphPoint first_, last_, highest_, lowest_;
    long long crossings_ = 0;
    std::array<float, kListed> crossingX_{};
    int side_ = 0;  // of the last point: 1 above the axis, -1 below, 0 on it
};

// How a plot went: the two graphs' traces and the fault that stopped it, if
// one did (its site says which part stopped and where).
struct PlotOutcome {
    GraphTrace base;         // blue
    GraphTrace transformed;  // red
    const RuntimeFault* fault = nullptr;
};

// The names of the two graphs as the picture's words say them.
inline constexpr const char* kBlueGraphName = "Синий график";
inline constexpr const char* kRedGraphName = "Красный график";

// One graph of the plot of `plotted`, drawn to its end, in the picture's
// words without its name: how far it was drawn, its extremes, where it
// meets the x-axis ("Пересекает ось x в 3 точках: …") and whether it
// leaves the picture.
std::string GraphWords(const GraphTrace& trace, const FormState& plotted);
// The same for a picture of its own, showing x from `left` to `right` and y
// from `bottom` to `top`.
std::string GraphWords(const GraphTrace& trace, double left, double right, double bottom, double top);
// "Видно x от −1 слева до 11 справа и y от −1,98 внизу до 6,99 вверху."
std::string ViewWords(double left, double right, double bottom, double top);

// After a plot: the description of the picture and its formula into
// state.Spoken (picture1, plot, drawnFor), and the announcement. A plot
// that stopped before it drew anything leaves the picture's words as they
// were.
void DescribePlot(FormState& state, const PlotOutcome& outcome);

} // namespace viramont
