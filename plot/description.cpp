#include "plot/description.h"

#include "params/formula.h"
#include "toolkit/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace viramont {

namespace {

// The highest and the lowest y of a batch, and the first point of a batch
// with a given y. Where the compiler has SSE the batch is read as vectors of
// two points, (x, y, x, y), four vectors abreast so that the running extremes
// do not wait for each other, and the x lanes are left out at the end;
// elsewhere (the page's WebAssembly, which has no vectors) four y abreast.
// Either way a batch goes by in a fraction of the time its points take to
// be drawn.
struct Extremes {
    float high, low;
};

#if defined(__SSE2__)
using Lanes = float __attribute__((vector_size(16)));
Lanes lanesAt(std::span<const GraphPoint> batch, std::size_t i) {
    Lanes v;
    std::memcpy(&v, &batch[i], sizeof v);
    return v;
}
// The running extreme first: the order SSE's maxps and minps take.
Lanes higher(Lanes running, Lanes v) { return running > v ? running : v; }
Lanes lower(Lanes running, Lanes v) { return running < v ? running : v; }
#endif

Extremes extremesOf(std::span<const GraphPoint> batch) {
    static_assert(sizeof(GraphPoint) == 2 * sizeof(float));
    const float y0 = batch[0].y;
    Extremes e{y0, y0};
    std::size_t i = 0;
#if defined(__SSE2__)
    if (batch.size() >= 8) {
        Lanes high0 = lanesAt(batch, 0), high1 = lanesAt(batch, 2), high2 = lanesAt(batch, 4), high3 = lanesAt(batch, 6);
        Lanes low0 = high0, low1 = high1, low2 = high2, low3 = high3;
        for (; i + 8 <= batch.size(); i += 8) {
            const Lanes v0 = lanesAt(batch, i), v1 = lanesAt(batch, i + 2), v2 = lanesAt(batch, i + 4),
                        v3 = lanesAt(batch, i + 6);
            high0 = higher(high0, v0), high1 = higher(high1, v1), high2 = higher(high2, v2), high3 = higher(high3, v3);
            low0 = lower(low0, v0), low1 = lower(low1, v1), low2 = lower(low2, v2), low3 = lower(low3, v3);
        }
        const Lanes high = higher(higher(high0, high1), higher(high2, high3));
        const Lanes low = lower(lower(low0, low1), lower(low2, low3));
        e = {std::max(high[1], high[3]), std::min(low[1], low[3])};
    }
#else
    float high[4] = {y0, y0, y0, y0}, low[4] = {y0, y0, y0, y0};
    for (; i + 4 <= batch.size(); i += 4) {
        for (std::size_t j = 0; j < 4; ++j) {
            high[j] = std::max(high[j], batch[i + j].y);
            low[j] = std::min(low[j], batch[i + j].y);
        }
    }
    e = {std::max(std::max(high[0], high[1]), std::max(high[2], high[3])),
         std::min(std::min(low[0], low[1]), std::min(low[2], low[3]))};
#endif
    for (; i < batch.size(); ++i) {
        e.high = std::max(e.high, batch[i].y);
        e.low = std::min(e.low, batch[i].y);
    }
    return e;
}

// `y` is one of the batch's.
GraphPoint firstAt(std::span<const GraphPoint> batch, float y) {
    std::size_t i = 0;
#if defined(__SSE2__)
    // Eight points a step at once (an x equal to `y` only sends the step
    // to the points one by one), then the step that holds it point by point.
    const Lanes wanted = {y, y, y, y};
    for (; i + 8 <= batch.size(); i += 8) {
        const auto hit = (lanesAt(batch, i) == wanted) | (lanesAt(batch, i + 2) == wanted) |
                         (lanesAt(batch, i + 4) == wanted) | (lanesAt(batch, i + 6) == wanted);
        std::uint64_t halves[2];
        static_assert(sizeof hit == sizeof halves);
        std::memcpy(halves, &hit, sizeof halves);
        if ((halves[0] | halves[1]) != 0) break;
    }
#endif
    for (; i < batch.size(); ++i) {
        if (batch[i].y == y) return batch[i];
    }
    return batch.back();
}

int sideOf(float y) { return (y > 0.0f) - (y < 0.0f); }

} // namespace

void GraphTrace::add(std::span<const GraphPoint> batch) {
    if (batch.empty()) return;
    const Extremes e = extremesOf(batch);
    const bool started = points_ > 0;
    if (!started) first_ = highest_ = lowest_ = batch.front();
    if (e.high > highest_.y) highest_ = firstAt(batch, e.high);
    if (e.low < lowest_.y) lowest_ = firstAt(batch, e.low);
    // A batch wholly on the side of the axis where the graph already is
    // cannot meet it.
    const bool staysAbove = side_ > 0 && e.low > 0.0f, staysBelow = side_ < 0 && e.high < 0.0f;
    if (!started || !(staysAbove || staysBelow)) followSides(batch);
    points_ += static_cast<long long>(batch.size());
    last_ = batch.back();
}

void GraphTrace::followSides(std::span<const GraphPoint> batch) {
    std::size_t i = 0;
    GraphPoint previous = last_;
    if (points_ == 0) {
        if (sideOf(batch[0].y) == 0) meet(batch[0].x);
        side_ = sideOf(batch[0].y);
        previous = batch[0];
        i = 1;
    }
    for (; i < batch.size(); ++i) {
        const GraphPoint& p = batch[i];
        const int side = sideOf(p.y);
        if (side != side_) {
            if (side == 0) {
                meet(p.x);  // onto the axis
            } else if (side_ == -side) {
                meet(std::fabs(previous.y) < std::fabs(p.y) ? previous.x : p.x);  // across it
            }
            side_ = side;
        }
        previous = p;
    }
}

namespace {

using Part = FaultSite::Part;

std::string num(double v) { return spokenNumber(v); }

// "в 1 точке", "в 4 точках", "в 21 точке".
std::string atPoints(long long n) {
    const bool one = n % 10 == 1 && n % 100 != 11;
    return "в " + std::to_string(n) + (one ? " точке" : " точках");
}

// "в 3 раза", "в 5 раз", "в 2,5 раза": a whole number by its last digits, a
// fraction (or a number with a power of ten) always "раза".
std::string times(const std::string& factor) {
    const bool whole = factor.size() < 10 && factor.find_first_not_of("0123456789") == std::string::npos;
    if (!whole) return "в " + factor + " раза";
    const long long n = std::stoll(factor);
    const long long unit = n % 10, tens = n % 100;
    const bool few = unit >= 2 && unit <= 4 && (tens < 12 || tens > 14);
    return "в " + factor + (few ? " раза" : " раз");
}

// "a", "a и b", "a, b и c".
std::string joined(const std::vector<std::string>& parts) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) out += i + 1 == parts.size() ? " и " : ", ";
        out += parts[i];
    }
    return out;
}

// The user coordinates at the edges of the picture, as DrawAxes scales it.
struct View {
    double left, right, bottom, top;
};
View viewOf(const FormState& s) {
    return {s.XStart.value() - 1, static_cast<float>(static_cast<double>(s.XEnd) + 1),
            static_cast<float>(static_cast<double>(s.YMin) - 1), s.YMax.value() + 1};
}

std::string meetingWords(const GraphTrace& t) {
    const long long n = t.crossings();
    if (n == 0) {
        // No point on the axis, but one so close that it reads as 0.
        if (t.lowest().y >= 0 && num(t.lowest().y) == "0") return "Касается оси x при x = " + num(t.lowest().x) + ".";
        if (t.highest().y <= 0 && num(t.highest().y) == "0") {
            return "Касается оси x при x = " + num(t.highest().x) + ".";
        }
        return "Ось x не пересекает.";
    }
    std::string list;
    for (const float x : t.listedCrossings()) list += (list.empty() ? "" : "; ") + num(x);
    if (n <= static_cast<long long>(GraphTrace::kListed)) return "Пересекает ось x " + atPoints(n) + ": x = " + list + ".";
    return "Пересекает ось x " + atPoints(n) + ", первые: x = " + list + ".";
}

// Where the graph leaves the picture, if it does.
std::string visibilityWords(const GraphTrace& t, const View& v) {
    const double xMin = std::min(v.left, v.right), xMax = std::max(v.left, v.right);
    const double yMin = std::min(v.bottom, v.top), yMax = std::max(v.bottom, v.top);
    const auto unseen = [](const char* where) { return std::string(" На рисунке его не видно: он ") + where + " видимой части."; };
    if (t.last().x < xMin) return unseen("левее");
    if (t.first().x > xMax) return unseen("правее");
    if (t.highest().y < yMin) return unseen("ниже");
    if (t.lowest().y > yMax) return unseen("выше");
    std::vector<std::string> edges;
    if (t.first().x < xMin) edges.emplace_back("левый");
    if (t.last().x > xMax) edges.emplace_back("правый");
    if (t.highest().y > yMax) edges.emplace_back("верхний");
    if (t.lowest().y < yMin) edges.emplace_back("нижний");
    if (edges.empty()) return "";
    return " Часть графика не видна: он выходит за " + joined(edges) + (edges.size() > 1 ? " края" : " край") +
           " рисунка.";
}

// Where and why a graph stopped: "при x = −4 логарифм не определён: …".
std::string stopWords(const RuntimeFault& fault) {
    const double x = fault.site().x;
    return (std::isnan(x) ? std::string() : "при x = " + num(x) + " ") + faultReason(fault);
}

// One graph: how far it was drawn, its extremes, where it meets the x-axis
// and whether it leaves the picture. `stop` is the fault that ended this
// graph; `reached` false when the plot stopped before it.
std::string graphWords(const GraphTrace& t, bool reached, const RuntimeFault* stop, const View& v) {
    if (!reached) return "не построен.";
    if (t.points() == 0) {
        return stop ? "не построен: " + stopWords(*stop) + "." : std::string("не построен: на отрезке нет ни одной точки.");
    }
    const GraphPoint f = t.first(), l = t.last(), hi = t.highest(), lo = t.lowest();
    std::string out;
    if (t.points() == 1) {
        out = "построен в одной точке x = " + num(f.x) + ", y = " + num(f.y);
    } else {
        out = "построен от x = " + num(f.x) + " до x = " + num(l.x);
    }
    if (stop) out += " и обрывается: " + stopWords(*stop);
    out += ".";
    if (t.points() > 1) {
        out += " Наибольшее значение " + num(hi.y) + " при x = " + num(hi.x) + ", наименьшее " + num(lo.y) +
               " при x = " + num(lo.x) + ". " + meetingWords(t);
    }
    return out + visibilityWords(t, v);
}

// How the red graph's shape differs from the blue one's.
std::string shapeWords(double A, double k) {
    std::vector<std::string> parts;
    const auto stretch = [&](double factor, const char* larger, const char* smaller, const char* axis) {
        if (factor == 0) return;
        const bool grows = factor > 1;
        const std::string amount = num(grows ? factor : 1 / factor);
        if (amount != "1") parts.push_back(std::string(grows ? larger : smaller) + " по оси " + axis + " " + times(amount));
    };
    stretch(std::fabs(k), "сжат", "растянут", "x");
    if (k < 0) parts.emplace_back("отражён относительно оси y");
    stretch(std::fabs(A), "растянут", "сжат", "y");
    if (A < 0) parts.emplace_back("отражён относительно оси x");
    return parts.empty() ? std::string() : " По сравнению с синим он " + joined(parts) + ".";
}

std::string guideWords(const FormState& s) {
    const double C = s.ShiftY, b = s.ShiftX.value();
    std::string out = "Пурпурная горизонтальная линия y = " + num(C) + ": ";
    if (C > 0) out += "сдвиг по оси y на " + num(C) + " вверх.";
    else if (C < 0) out += "сдвиг по оси y на " + num(-C) + " вниз.";
    else out += "сдвига по оси y нет, линия лежит на оси x.";
    out += "\nГолубая вертикальная линия x = " + num(-b) + ": ";
    if (b > 0) out += "сдвиг по оси x на " + num(b) + " влево.";
    else if (b < 0) out += "сдвиг по оси x на " + num(-b) + " вправо.";
    else out += "сдвига по оси x нет, линия лежит на оси y.";
    return out;
}

// The formula of the base function alone: A = k = 1, b = C = 0.
std::string baseFormula(const FormState& s) {
    FormState base = s;
    base.StretchY = 1.0f;
    base.StretchX = Numeric::integer(1);
    base.ShiftX = Numeric::real(0);
    base.ShiftY = 0.0f;
    return FormulaOf(base);
}

} // namespace

std::string GraphWords(const GraphTrace& trace, const FormState& plotted) {
    return graphWords(trace, true, nullptr, viewOf(plotted));
}

std::string GraphWords(const GraphTrace& trace, double left, double right, double bottom, double top) {
    return graphWords(trace, true, nullptr, {left, right, bottom, top});
}

std::string ViewWords(double left, double right, double bottom, double top) {
    return "Видно x от " + num(left) + " слева до " + num(right) + " справа и y от " + num(bottom) + " внизу до " +
           num(top) + " вверху.";
}

void DescribePlot(FormState& s, const PlotOutcome& outcome) {
    SpokenText& spoken = s.Spoken;
    const RuntimeFault* fault = outcome.fault;
    const Part stop = fault ? fault->site().part : Part::Unknown;
    if (fault && stop == Part::Scan) {
        spoken.announcement = "Построение остановлено сообщением; рисунок прежний.";
        return;
    }

    const std::string formula = FormulaOf(s), base = FormulaOfY(baseFormula(s));
    const View view = viewOf(s);
    std::string text = "Отрезок от " + num(s.XStart.value()) + " до " + num(s.XEnd) + ".";
    if (s.XStart.value() > s.XEnd) text += " Его начало больше конца, поэтому графики не построены.";
    text += " " + ViewWords(view.left, view.right, view.bottom, view.top) + "\n";
    if (stop == Part::Axes) {
        text += "Рисунок не достроен: оси остановились, " + faultReason(*fault) + ". Графики не построены.";
    } else {
        const bool redReached = !fault || stop == Part::TransformedGraph || stop == Part::Legend;
        text += std::string(kBlueGraphName) + " — исходная функция " + base + ": " +
                graphWords(outcome.base, true, stop == Part::BaseGraph ? fault : nullptr, view) + "\n";
        text += std::string(kRedGraphName) + " — преобразованная функция " + FormulaOfY(formula) + ": " +
                graphWords(outcome.transformed, redReached, stop == Part::TransformedGraph ? fault : nullptr, view);
        if (redReached && outcome.transformed.points() > 0) text += shapeWords(s.StretchY, s.StretchX.value());
        text += "\n" + guideWords(s);
    }

    spoken.plot = text;
    spoken.picture1 = text;
    spoken.drawnFor = formula;
    spoken.announcement = fault ? "Построение остановлено сообщением; рисунок показывает то, что успело построиться."
                                : "Графики построены: синий " + base + ", красный " + FormulaOfY(formula) + ".";
}

} // namespace viramont
