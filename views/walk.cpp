#include "views/walk.h"

#include "plot/graph_loops.h"
#include "plot/plot.h"
#include "plot/redraw.h"
#include "practice/picture.h"
#include "toolkit/blank_canvas.h"
#include "toolkit/canvas_geometry.h"
#include "toolkit/fault.h"
#include "toolkit/number_text.h"
#include "views/sound.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

namespace viramont::view {

namespace {

constexpr double kPi = std::numbers::pi;

// A canvas of Picture1's pixels that keeps only the picture's scale and
// where each graph's points went; the plot draws on it by pixel columns, as
// on the screen.
class ExtentCanvas final : public BlankCanvas {
public:
    ExtentCanvas() : BlankCanvas(practice::pictureSize().width, practice::pictureSize().height) {}
    void setScale(double left, double top, double right, double bottom) override {
        BlankCanvas::setScale(left, top, right, bottom);
        view = {left, top, right, bottom};
    }
    void points(std::span<const GraphPoint> batch, Colour colour) override {
        BlankCanvas::points(batch, colour);
        Span* span = colour == kBlue ? &blue : colour == kRed ? &red : nullptr;
        if (!span) return;
        for (const GraphPoint& p : batch) {
            if (span->empty()) *span = {p.x, p.x};
            span->from = std::min<double>(span->from, p.x);
            span->to = std::max<double>(span->to, p.x);
        }
    }

    struct View {
        double left = 0, top = 0, right = 0, bottom = 0;
    } view;
    Span blue, red;
};

// Where the plot meant a graph to go, and where it went: the loop's 32-bit
// counter ends a little short of the interval's end, so a graph that went
// (nearly) the whole way keeps its interval; one a fault stopped ends where
// it stopped.
Span drawnSpan(Span meant, Span went) {
    if (went.empty()) return went;
    const double slack = 0.01 * std::max(1.0, meant.to - meant.from);
    return {went.from - meant.from < slack ? meant.from : went.from, meant.to - went.to < slack ? meant.to : went.to};
}

// The function and its numbers, as the form holds them.
WalkPicture numbersOf(const FormState& inputs) {
    WalkPicture p;
    p.function = inputs.FunctionName;
    p.A = inputs.StretchY;
    p.k = inputs.StretchX.value();
    p.b = inputs.ShiftX.value();
    p.C = inputs.ShiftY;
    p.logBase = inputs.LogBase;
    return p;
}

WalkPicture pictureOf(const FormState& inputs) {
    ExtentCanvas canvas;
    redrawGraphs(inputs, canvas);
    WalkPicture p = numbersOf(inputs);
    p.left = std::min(canvas.view.left, canvas.view.right);
    p.right = std::max(canvas.view.left, canvas.view.right);
    p.bottom = std::min(canvas.view.bottom, canvas.view.top);
    p.top = std::max(canvas.view.bottom, canvas.view.top);
    const Interval red = RedInterval(inputs);
    p.blue = drawnSpan({inputs.XStart.value(), inputs.XEnd}, canvas.blue);
    p.red = drawnSpan({red.start, red.end}, canvas.red);
    return p;
}

// The lines of a text: at its line breaks, or at the ends of its sentences.
std::vector<std::string> linesOf(std::string_view text, std::string_view breakAt) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t at = text.find(breakAt);
        const std::size_t keep = at == std::string_view::npos ? text.size() : at + (breakAt == "\n" ? 0 : 1);
        std::string line(text.substr(0, keep));
        if (!line.empty()) lines.push_back(std::move(line));
        text.remove_prefix(at == std::string_view::npos ? text.size() : at + breakAt.size());
    }
    return lines;
}

// ---- the curves -----------------------------------------------------------------

enum class Kind { Sin, Cos, Square, Cube, Log, None };

Kind kindOf(const std::string& function) {
    if (function == fn::kSin) return Kind::Sin;
    if (function == fn::kCos) return Kind::Cos;
    if (function == fn::kSquare) return Kind::Square;
    if (function == fn::kCube) return Kind::Cube;
    if (function == fn::kLog || function == fn::kLogBase) return Kind::Log;
    return Kind::None;
}

// A graph as y = A·g(k·x + b) + C with g one of sin, cos, u², u³ and
// ln u / L, in full precision.
struct Curve {
    Kind kind;
    double A, k, b, C, L;
    Span span;
    double u(double x) const { return k * x + b; }
    double g(double u) const {
        switch (kind) {
        case Kind::Sin: return std::sin(u);
        case Kind::Cos: return std::cos(u);
        case Kind::Square: return u * u;
        case Kind::Cube: return u * u * u;
        case Kind::Log: return u > 0 ? std::log(u) / L : std::numeric_limits<double>::quiet_NaN();
        case Kind::None: break;
        }
        return std::numeric_limits<double>::quiet_NaN();
    }
    double valueAt(double x) const { return A * g(u(x)) + C; }
    double xOf(double u) const { return (u - b) / k; }
};

Curve graphCurve(const WalkPicture& p, Graph graph) {
    const Kind kind = kindOf(p.function);
    const double L = p.function == fn::kLogBase && p.logBase > 1 ? std::log(p.logBase) : 1.0;
    if (graph == Graph::Blue) return {kind, 1, 1, 0, 0, L, p.blue};
    return {kind, p.A, p.k, p.b, p.C, L, p.red};
}

// The u in [lo, hi] where g(u) = v.
std::vector<double> solve(const Curve& c, double v, double lo, double hi) {
    std::vector<double> out;
    auto periodic = [&](double first, double period) {
        const double n0 = std::ceil((lo - first) / period);
        for (double n = n0; first + n * period <= hi && out.size() < 400; ++n) out.push_back(first + n * period);
    };
    switch (c.kind) {
    case Kind::Sin:
        if (std::fabs(v) > 1) break;
        periodic(std::asin(v), 2 * kPi);
        if (std::fabs(v) != 1) periodic(kPi - std::asin(v), 2 * kPi);
        break;
    case Kind::Cos:
        if (std::fabs(v) > 1) break;
        periodic(std::acos(v), 2 * kPi);
        if (std::fabs(v) != 1) periodic(-std::acos(v), 2 * kPi);
        break;
    case Kind::Square:
        if (v < 0) break;
        out.push_back(std::sqrt(v));
        if (v > 0) out.push_back(-std::sqrt(v));
        break;
    case Kind::Cube: out.push_back(std::cbrt(v)); break;
    case Kind::Log: out.push_back(std::exp(v * c.L)); break;
    case Kind::None: break;
    }
    std::erase_if(out, [&](double u) { return u < lo || u > hi; });
    return out;
}

// Where g turns: its greatest and least values inside.
std::vector<double> turns(const Curve& c, double lo, double hi) {
    std::vector<double> out;
    auto periodic = [&](double first, double period) {
        for (double n = std::ceil((lo - first) / period); first + n * period <= hi && out.size() < 400; ++n) {
            out.push_back(first + n * period);
        }
    };
    if (c.kind == Kind::Sin) periodic(kPi / 2, kPi);
    if (c.kind == Kind::Cos) periodic(0, kPi);
    if (c.kind == Kind::Square && lo <= 0 && 0 <= hi) out.push_back(0);
    return out;
}

} // namespace

bool WalkPicture::isLogarithm() const { return kindOf(function) == Kind::Log; }

std::optional<double> WalkPicture::value(Graph graph, double x) const {
    if (!(graph == Graph::Blue ? blue : red).holds(x)) return std::nullopt;
    const graph::Params params(A, k, b, C, static_cast<std::int16_t>(logBase));
    std::optional<double> y;
    try {
        graph::visitValues(function, [&](auto values) {
            using Values = decltype(values);
            y = graph == Graph::Blue ? Values::base(params, x) : Values::transformed(params, x);
        });
    } catch (const RuntimeFault&) {
        return std::nullopt;
    }
    if (y && !std::isfinite(*y)) return std::nullopt;
    return y;
}

WalkPicture plotPicture(const FormState& inputs, std::string_view description) {
    WalkPicture p = pictureOf(inputs);
    p.lines = linesOf(description, "\n");
    return p;
}

WalkPicture taskPicture(const practice::Task& task) {
    // The task's picture shows its own part of the plane, both graphs drawn
    // across it wherever they have values.
    WalkPicture p = numbersOf(practice::taskState(task, task.hidden));
    const practice::Window view =
        practice::pictureLayout(practice::curveOf(task), task.hidden, practice::taskPictureArea()).view;
    p.left = view.left;
    p.right = view.right;
    p.bottom = view.bottom;
    p.top = view.top;
    p.blue = p.red = {view.left, view.right};
    p.lines = linesOf(practice::describeTask(task), ". ");
    p.hidesNumbers = true;
    return p;
}

double walkStep(double left, double right) {
    const double width = std::fabs(right - left);
    if (!(width > 0) || !std::isfinite(width)) return 1;
    // The largest round step that still takes 20 steps: the next larger one
    // is at most 2.5 times larger and takes fewer than 20, so this one takes
    // at most 50.
    double best = 0;
    const double power = std::floor(std::log10(width / 20));
    for (double e = power - 1; e <= power + 1; ++e) {
        for (const double m : {1.0, 2.0, 5.0}) {
            const double step = m * std::pow(10.0, e);
            if (width / step >= 20 - 1e-9) best = std::max(best, step);
        }
    }
    return best;
}

std::string stepLine(const WalkPicture& picture, double x) {
    auto part = [&](Graph graph, const char* name, const char* none) {
        const std::optional<double> y = picture.value(graph, x);
        return y ? std::string(name) + " " + spokenNumber(*y) : std::string(none);
    };
    return "x = " + spokenNumber(x) + ": " + part(Graph::Blue, "синий", "синего графика нет") + "; " +
           part(Graph::Red, "красный", "красного графика нет");
}

std::vector<Interest> interests(const WalkPicture& picture) {
    std::vector<Interest> out;
    const double left = std::min(picture.left, picture.right), right = std::max(picture.left, picture.right);
    const double tiny = 1e-9 * std::max(1.0, right - left);
    auto inView = [&](const Curve& c, double x) { return x >= left && x <= right && c.span.holds(x); };

    for (const Graph graph : {Graph::Blue, Graph::Red}) {
        const Curve c = graphCurve(picture, graph);
        if (c.kind == Kind::None || c.span.empty() || c.k == 0) continue;
        const double from = std::max(c.span.from, left), to = std::min(c.span.to, right);
        if (from > to) continue;
        const double ulo = std::min(c.u(from), c.u(to)), uhi = std::max(c.u(from), c.u(to));
        auto add = [&](double u, InterestKind kind) {
            const double x = c.xOf(u);
            if (inView(c, x) && picture.value(graph, x)) out.push_back({x, kind, graph});
        };
        if (c.A != 0) {
            for (const double u : solve(c, -c.C / c.A, ulo, uhi)) add(u, InterestKind::Zero);
            if (graph == Graph::Red && !picture.hidesNumbers && c.C != 0) {
                for (const double u : solve(c, 0, ulo, uhi)) add(u, InterestKind::CrossesC);
            }
        }
        // The greatest and least values: among the turns and the ends.
        std::vector<double> xs{from, to};
        for (const double u : turns(c, ulo, uhi)) xs.push_back(c.xOf(u));
        double high = -std::numeric_limits<double>::infinity(), low = -high;
        for (const double x : xs) {
            if (const auto y = picture.value(graph, x)) high = std::max(high, *y), low = std::min(low, *y);
        }
        if (high > low) {
            const double close = 1e-6 * std::max(1.0, std::fabs(high) + std::fabs(low));
            for (const double x : xs) {
                const auto y = picture.value(graph, x);
                if (!y) continue;
                if (std::fabs(*y - high) <= close) out.push_back({x, InterestKind::Greatest, graph});
                if (std::fabs(*y - low) <= close) out.push_back({x, InterestKind::Least, graph});
            }
        }
        if (c.kind == Kind::Log) {
            const double border = c.xOf(0);
            if (border >= left && border <= right && c.span.from <= border + tiny && c.span.to >= border - tiny) {
                out.push_back({border, InterestKind::Border, graph});
            }
        }
    }
    if (!picture.hidesNumbers && -picture.b >= left && -picture.b <= right) {
        out.push_back({-picture.b, InterestKind::ShiftLine, Graph::Red});
    }

    // Where the graphs meet: a change of sign of their difference, narrowed
    // down to the last bit of x.
    const Curve blue = graphCurve(picture, Graph::Blue), red = graphCurve(picture, Graph::Red);
    const double from = std::max({left, blue.span.from, red.span.from}), to = std::min({right, blue.span.to, red.span.to});
    if (blue.kind != Kind::None && from < to) {
        auto gap = [&](double x) { return red.valueAt(x) - blue.valueAt(x); };
        constexpr int kSlices = 4000;
        double x0 = from, d0 = gap(x0);
        bool same = true;
        for (int i = 1; i <= kSlices; ++i) {
            const double x1 = from + (to - from) * i / kSlices, d1 = gap(x1);
            if (std::fabs(d1) > 1e-9) same = false;
            if (d0 == 0 && std::isfinite(d0)) {
                out.push_back({x0, InterestKind::Meeting, Graph::Red});
            } else if (std::isfinite(d0) && std::isfinite(d1) && (d0 < 0) != (d1 < 0) && d1 != 0) {
                double a = x0, b = x1, da = d0;
                for (int n = 0; n < 200 && a < b; ++n) {
                    const double m = a + (b - a) / 2;
                    if (m <= a || m >= b) break;
                    const double dm = gap(m);
                    if (dm == 0) a = b = m;
                    else if ((dm < 0) == (da < 0)) a = m, da = dm;
                    else b = m;
                }
                out.push_back({std::fabs(gap(a)) <= std::fabs(gap(b)) ? a : b, InterestKind::Meeting, Graph::Red});
            }
            x0 = x1, d0 = d1;
        }
        if (d0 == 0) out.push_back({x0, InterestKind::Meeting, Graph::Red});
        if (same) std::erase_if(out, [](const Interest& i) { return i.kind == InterestKind::Meeting; });
    }

    std::sort(out.begin(), out.end(), [](const Interest& a, const Interest& b) {
        return a.x != b.x ? a.x < b.x : std::pair(a.kind, a.graph) < std::pair(b.kind, b.graph);
    });
    out.erase(std::unique(out.begin(), out.end(),
                          [&](const Interest& a, const Interest& b) {
                              return a.kind == b.kind && a.graph == b.graph && std::fabs(a.x - b.x) <= tiny;
                          }),
              out.end());
    return out;
}

std::string interestName(const WalkPicture& picture, const Interest& i) {
    const std::string whose = i.graph == Graph::Blue ? "синего графика" : "красного графика";
    const std::string who = i.graph == Graph::Blue ? "Синий график" : "Красный график";
    switch (i.kind) {
    case InterestKind::Zero: return who + " пересекает ось x";
    case InterestKind::Greatest: return "Наибольшее значение " + whose;
    case InterestKind::Least: return "Наименьшее значение " + whose;
    case InterestKind::CrossesC: return who + " пересекает линию y = " + spokenNumber(picture.C);
    case InterestKind::ShiftLine: return "Линия x = " + spokenNumber(-picture.b);
    case InterestKind::Border: return "Граница области определения " + whose;
    case InterestKind::Meeting: return "Графики пересекаются";
    }
    return {};
}

std::optional<WalkKey> walkKeyOf(std::string_view code) {
    for (const WalkKeyCode& k : kWalkKeys) {
        if (code == k.code) return k.key;
    }
    return std::nullopt;
}

// ---- the walk --------------------------------------------------------------------

namespace {
WalkReply said(std::string text, WalkReply::Sound sound = WalkReply::Sound::None) {
    WalkReply reply;
    reply.text = std::move(text);
    reply.sound = sound;
    return reply;
}
} // namespace

Walk::Walk(WalkPicture picture)
    : picture_(std::move(picture)), step_(walkStep(picture_.left, picture_.right)), interests_(interests(picture_)) {}

double Walk::stepped(double from, int steps) const {
    const double left = std::min(picture_.left, picture_.right), right = std::max(picture_.left, picture_.right);
    const double tiny = 1e-9 * std::max(1.0, right - left);
    double x = from;
    for (int i = 0; i < std::abs(steps); ++i) {
        if (steps > 0) x = std::min(right, (std::floor(x / step_ + tiny) + 1) * step_);
        else x = std::max(left, (std::ceil(x / step_ - tiny) - 1) * step_);
        if (std::fabs(x) < tiny) x = 0;
    }
    return x;
}

WalkReply Walk::moveTo(double x, const std::string& before) {
    x_ = x;
    WalkReply reply;
    reply.text = (before.empty() ? "" : before + ". ") + stepLine(picture_, x);
    if (stepSound_) {
        reply.sound = WalkReply::Sound::Play;
        reply.samples = render(stepScore(picture_, x));
        playing_ = false;
    }
    return reply;
}

WalkReply Walk::edge(const char* text) {
    WalkReply reply;
    reply.text = text;
    if (stepSound_) {
        reply.sound = WalkReply::Sound::Play;
        reply.samples = render(cueScore(Cue::Edge, placeOf(picture_, *x_)));
        playing_ = false;
    }
    return reply;
}

WalkReply Walk::readLine(int delta) {
    const int count = static_cast<int>(picture_.lines.size());
    const int next = line_ + delta;
    if (next < 0) return said("Начало описания.");
    if (next >= count) return said("Конец описания.");
    line_ = next;
    return said(picture_.lines[static_cast<std::size_t>(line_)]);
}

WalkReply Walk::toPoint(bool next) {
    const double tiny = 1e-9 * std::max(1.0, std::fabs(picture_.right - picture_.left));
    const double from = x_ ? *x_ : (next ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity());
    const Interest* found = nullptr;
    for (const Interest& i : interests_) {
        if (next && i.x > from + tiny) {
            found = &i;
            break;
        }
        if (!next && i.x < from - tiny) found = &i;
    }
    if (!found) return said(next ? "Правее важных точек нет." : "Левее важных точек нет.");
    std::string names;
    for (const Interest& i : interests_) {
        if (std::fabs(i.x - found->x) <= tiny) names += (names.empty() ? "" : "; ") + interestName(picture_, i);
    }
    return moveTo(found->x, names);
}

WalkReply Walk::press(WalkKey key) {
    const double left = picture_.left, right = picture_.right;
    switch (key) {
    case WalkKey::Down: return readLine(1);
    case WalkKey::Up: return readLine(-1);
    case WalkKey::Home: return moveTo(left);
    case WalkKey::End: return moveTo(right);
    case WalkKey::Right:
    case WalkKey::PageDown:
        if (!x_) return moveTo(left);
        if (*x_ >= right) return edge("Правый край рисунка.");
        return moveTo(stepped(*x_, key == WalkKey::Right ? 1 : 10));
    case WalkKey::Left:
    case WalkKey::PageUp:
        if (!x_) return moveTo(right);
        if (*x_ <= left) return edge("Левый край рисунка.");
        return moveTo(stepped(*x_, key == WalkKey::Left ? -1 : -10));
    case WalkKey::NextPoint: return toPoint(true);
    case WalkKey::PreviousPoint: return toPoint(false);
    case WalkKey::Play: {
        if (playing_) {
            playing_ = false;
            return said("Звук остановлен.", WalkReply::Sound::Stop);
        }
        playing_ = true;
        WalkReply reply = said("Графики звучат слева направо.", WalkReply::Sound::Play);
        reply.samples = render(sweepScore(picture_));
        reply.sweep = true;
        return reply;
    }
    case WalkKey::Stop:
        if (!playing_) return said("");
        playing_ = false;
        return said("Звук остановлен.", WalkReply::Sound::Stop);
    case WalkKey::StepSound:
        stepSound_ = !stepSound_;
        return said(stepSound_ ? "Звук шагов включён." : "Звук шагов выключен.");
    }
    return {};
}

} // namespace viramont::view
