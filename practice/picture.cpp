#include "practice/picture.h"

#include "form/form.h"
#include "form/layout.h"
#include "plot/axes.h"
#include "plot/step_graphs.h"
#include "practice/notation.h"
#include "toolkit/colour.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace viramont::practice {

namespace {

// White paper, as the step sheet's graphs have.
constexpr Colour kPaper = layout::kStepGraphBack;
constexpr Colour kGrid = rgb(210, 210, 210);
constexpr Colour kAxis = rgb(40, 40, 40);
constexpr int kCurveWidth = 2;
// In logical pixels: a tick on either side of its axis, an arrowhead's
// length and half its width, the gap between a label and its axis.
constexpr double kTick = 3, kArrow = 9, kArrowHalf = 3.5, kLabelGap = 3;

enum class Kind { Power, Wave, Logarithm };

Kind kindOf(const Curve& c) {
    if (c.function == fn::kSin || c.function == fn::kCos) return Kind::Wave;
    if (isLogarithm(c.function)) return Kind::Logarithm;
    return Kind::Power;
}

// Where the graph of `t` has its key point along Ox: the shifted vertex,
// inflection point, asymptote or start of a period, −b/k.
double keyX(const Transform& t) { return -t.b / t.k; }

// For a logarithm: where its argument is 1, (x, C).
double unitArgumentX(const Transform& t) { return (1 - t.b) / t.k; }

double period(const Transform& t) { return 2 * std::numbers::pi / std::fabs(t.k); }

Window viewOf(const Curve& curve, const Transform& t) {
    const double s = keyX(t);
    Window v{};
    switch (kindOf(curve)) {
    case Kind::Power:
        v = {std::min(0.0, s) - 3, std::max(0.0, s) + 3, std::min(0.0, t.C) - 3, std::max(0.0, t.C) + 3};
        break;
    case Kind::Wave: {
        // A whole period of each graph beside its key point.
        const double half = std::max(period({}), period(t)) / 2 + 0.5;
        v = {std::min(0.0, s) - half, std::max(0.0, s) + half, std::min(-1.0, t.C - std::fabs(t.A)) - 0.5,
             std::max(1.0, t.C + std::fabs(t.A)) + 0.5};
        break;
    }
    case Kind::Logarithm: {
        const double u = unitArgumentX(t);
        const double low = std::min({0.0, s, 1.0, u}), high = std::max({0.0, s, 1.0, u});
        v = {low - 1.5, std::max(high + 5, low + 9), std::min(0.0, t.C) - 3, std::max(0.0, t.C) + 3};
        break;
    }
    }
    // Whole units at the edges, so that the grid's cells are whole.
    return {std::floor(v.left), std::ceil(v.right), std::floor(v.bottom), std::ceil(v.top)};
}

// The smallest of 1, 2, 5, 10, ... times `grid` that keeps `room` pixels
// between two labels at `pixelsPerUnit`.
double labelStep(double grid, double pixelsPerUnit, double room) {
    for (double m : {1.0, 2.0, 5.0, 10.0, 20.0, 50.0}) {
        if (m * grid * pixelsPerUnit >= room) return m * grid;
    }
    return 100 * grid;
}

std::string labelText(double v) { return (v < 0 ? "−" : "") + textbookNumber(v); }

// A label's box, in units: its left and top, and its size.
struct Label {
    std::string text;
    double left, top, width, height;
    double tick;  // where its tick stands on its axis
};

// The picture's scale: units to logical pixels.
struct Scale {
    double px, py;  // units in a pixel, across and up
};
Scale scaleOf(const Window& v, const PictureArea& area) {
    return {(v.right - v.left) / area.width, (v.top - v.bottom) / area.height};
}

double textWidth(const std::string& text, const PictureArea& area) {
    std::size_t chars = 0;
    for (unsigned char c : text) chars += (c & 0xC0) != 0x80;
    return double(chars) * area.charWidth;
}

// The graphs a label must keep clear of: y = f(x) and the red graph.
struct Graphs {
    const Curve& curve;
    const Transform& t;
};

// Whether no graph passes through `box`, nor a little around it.
bool clearOf(const Label& box, const Graphs& graphs, const Scale& s) {
    const double pad = 1.5;  // pixels
    const double left = box.left - pad * s.px, right = box.left + box.width + pad * s.px;
    const double top = box.top + pad * s.py, bottom = box.top - box.height - pad * s.py;
    constexpr int kSteps = 12;
    for (const Transform& t : {Transform{}, graphs.t}) {
        double before = valueAt(graphs.curve, t, left);
        for (int i = 1; i <= kSteps; ++i) {
            const double now = valueAt(graphs.curve, t, left + (right - left) * i / kSteps);
            // Between two points the curve passes every value between them.
            if (std::isfinite(before) && std::isfinite(now) && std::max(before, now) >= bottom && std::min(before, now) <= top)
                return false;
            // An asymptote within: the curve runs off the picture by it.
            if (std::isfinite(now) != std::isfinite(before)) return false;
            before = now;
        }
    }
    return true;
}

// The first of `places` that is whole inside the picture, clear of the
// arrows and the axes' names, and that no graph passes through.
std::optional<Label> placed(const std::vector<Label>& places, const Window& v, const PictureArea& area,
                            const Graphs& graphs) {
    const Scale s = scaleOf(v, area);
    const double nameRoom = (kArrow + area.charWidth * 2) * s.px;
    for (const Label& l : places) {
        const bool inside = l.left >= v.left && l.left + l.width <= v.right - nameRoom && l.top <= v.top - kArrow * s.py &&
                            l.top - l.height >= v.bottom;
        if (inside && clearOf(l, graphs, s)) return l;
    }
    return std::nullopt;
}

// The labelled ticks of each axis, each label below or above the x-axis,
// left or right of the y-axis, where no graph passes through it.
struct Labels {
    std::vector<Label> x, y;
};
Labels labelsOf(const PictureLayout& l, const PictureArea& area, const Graphs& graphs) {
    const Window& v = l.view;
    const Scale s = scaleOf(v, area);
    const double h = area.lineHeight * s.py;
    Labels labels;
    for (double x = std::ceil(v.left / l.labelX) * l.labelX; x <= v.right; x += l.labelX) {
        if (x == 0) continue;
        const std::string text = labelText(x);
        const double w = textWidth(text, area) * s.px;
        const double below = -kLabelGap * s.py, above = h + kLabelGap * s.py;
        if (auto label = placed({{text, x - w / 2, below, w, h, x}, {text, x - w / 2, above, w, h, x}}, v, area, graphs))
            labels.x.push_back(*label);
    }
    for (double y = std::ceil(v.bottom / l.labelY) * l.labelY; y <= v.top; y += l.labelY) {
        if (y == 0) continue;
        const std::string text = labelText(y);
        const double w = textWidth(text, area) * s.px;
        const double left = -w - kLabelGap * 2 * s.px, right = kLabelGap * 2 * s.px;
        if (auto label = placed({{text, left, y + h / 2, w, h, y}, {text, right, y + h / 2, w, h, y}}, v, area, graphs))
            labels.y.push_back(*label);
    }
    return labels;
}

// The x where a graph is looked at: every half pixel across, and for a
// logarithm closer and closer to its asymptote, on the side it lives.
std::vector<double> samplesOf(const Curve& curve, const Transform& t, const Window& v, int width) {
    std::vector<double> xs;
    const int n = width * 2;
    for (int i = 0; i <= n; ++i) xs.push_back(v.left + (v.right - v.left) * i / n);
    if (kindOf(curve) == Kind::Logarithm) {
        const double side = t.k > 0 ? 1 : -1;
        for (double e = 0.5; e <= 10; e += 0.25) {
            const double x = keyX(t) + side * std::pow(10.0, -e);
            if (x > v.left && x < v.right) xs.push_back(x);
        }
        std::sort(xs.begin(), xs.end());
    }
    return xs;
}

// The share of the picture's height the drawn part of a graph spans.
double spanOf(const Curve& curve, const Transform& t, const Window& v, const std::vector<double>& xs) {
    double low = v.top, high = v.bottom;
    for (double x : xs) {
        const double y = valueAt(curve, t, x);
        if (!std::isfinite(y)) continue;
        const double seen = std::clamp(y, v.bottom, v.top);
        low = std::min(low, seen);
        high = std::max(high, seen);
    }
    return high > low ? (high - low) / (v.top - v.bottom) : 0;
}

bool inside(const Window& v, double x, double y) {
    return x > v.left && x < v.right && y > v.bottom && y < v.top;
}

// Every key point of the graph of `t` in the picture.
bool keyPointsIn(const Curve& curve, const Transform& t, const Window& v) {
    switch (kindOf(curve)) {
    case Kind::Power: return inside(v, keyX(t), t.C);
    case Kind::Wave:
        return v.right - v.left >= period(t) && v.bottom < t.C - std::fabs(t.A) && v.top > t.C + std::fabs(t.A);
    case Kind::Logarithm:
        return keyX(t) - 0.5 > v.left && keyX(t) + 0.5 < v.right && inside(v, unitArgumentX(t), t.C);
    }
    return false;
}

// A line from (x1, y1) to (x2, y2) with the part beyond the band `low` to
// `high` cut off; false where none of it is within.
bool clipToBand(double& x1, double& y1, double& x2, double& y2, double low, double high) {
    double t0 = 0, t1 = 1;
    const double dy = y2 - y1;
    for (const auto& [p, q] : {std::pair{-dy, y1 - low}, std::pair{dy, high - y1}}) {
        if (p == 0) {
            if (q < 0) return false;
            continue;
        }
        const double r = q / p;
        if (p < 0) t0 = std::max(t0, r);
        else t1 = std::min(t1, r);
    }
    if (t0 > t1) return false;
    const double dx = x2 - x1;
    x2 = x1 + t1 * dx, y2 = y1 + t1 * dy;
    x1 = x1 + t0 * dx, y1 = y1 + t0 * dy;
    return true;
}

void drawGraph(const Curve& curve, const Transform& t, const Window& v, const PictureArea& area, Canvas& canvas,
               Colour colour) {
    const double band = (v.top - v.bottom) / area.height * 4;
    canvas.setDrawWidth(kCurveWidth);
    const std::vector<double> xs = samplesOf(curve, t, v, area.width);
    double lastX = xs.front(), lastY = valueAt(curve, t, lastX);
    for (std::size_t i = 1; i < xs.size(); ++i) {
        const double x = xs[i], y = valueAt(curve, t, x);
        double x1 = lastX, y1 = lastY, x2 = x, y2 = y;
        if (std::isfinite(y1) && std::isfinite(y2) && clipToBand(x1, y1, x2, y2, v.bottom - band, v.top + band)) {
            canvas.line(x1, y1, x2, y2, colour);
        }
        lastX = x, lastY = y;
    }
}

// The label's text on a white ground, its top-left at (left, top): the
// box filled by rows of lines two pixels wide, the last along its top.
void printOnPaper(Canvas& canvas, const Label& label, const Scale& s) {
    canvas.setDrawWidth(2);
    const double right = label.left + label.width;
    for (double y = label.top - label.height; y < label.top; y += s.py) canvas.line(right, y, label.left, y, kPaper);
    canvas.line(right, label.top, label.left, label.top, kPaper);
    canvas.print(label.text, LineEnd::Stay);
}

void drawPaperAndAxes(const PictureLayout& l, const PictureArea& area, Canvas& canvas) {
    const Window& v = l.view;
    const Scale s = scaleOf(v, area);
    canvas.clear();
    canvas.setScale(v.left, v.top, v.right, v.bottom);
    // The paper, white whatever the canvas's own back colour.
    constexpr int kBrush = 40;
    canvas.setDrawWidth(kBrush);
    for (double y = v.bottom; y < v.top + kBrush * s.py; y += (kBrush - 4) * s.py) canvas.line(v.left, y, v.right, y, kPaper);
    canvas.setDrawWidth(1);
    for (double x = std::ceil(v.left / l.grid) * l.grid; x <= v.right; x += l.grid) canvas.line(x, v.bottom, x, v.top, kGrid);
    for (double y = std::ceil(v.bottom / l.grid) * l.grid; y <= v.top; y += l.grid) canvas.line(v.left, y, v.right, y, kGrid);
    canvas.line(v.left, 0, v.right, 0, kAxis);
    canvas.line(0, v.bottom, 0, v.top, kAxis);
    canvas.line(v.right - kArrow * s.px, kArrowHalf * s.py, v.right, 0, kAxis);
    canvas.line(v.right, 0, v.right - kArrow * s.px, -kArrowHalf * s.py, kAxis);
    canvas.line(-kArrowHalf * s.px, v.top - kArrow * s.py, 0, v.top, kAxis);
    canvas.line(0, v.top, kArrowHalf * s.px, v.top - kArrow * s.py, kAxis);
}

void drawLabels(const PictureLayout& l, const PictureArea& area, const Graphs& graphs, Canvas& canvas) {
    const Window& v = l.view;
    const Scale s = scaleOf(v, area);
    const Labels labels = labelsOf(l, area, graphs);
    canvas.setDrawWidth(1);
    for (const Label& label : labels.x) canvas.line(label.tick, kTick * s.py, label.tick, -kTick * s.py, kAxis);
    for (const Label& label : labels.y) canvas.line(-kTick * s.px, label.tick, kTick * s.px, label.tick, kAxis);
    const double h = area.lineHeight * s.py;
    std::vector<Label> all = labels.x;
    all.insert(all.end(), labels.y.begin(), labels.y.end());
    // The origin's 0 in the first free corner by it; the axes' names by
    // their arrows.
    const double zero = textWidth("0", area) * s.px, gx = kLabelGap * s.px, gy = kLabelGap * s.py;
    const std::vector<Label> origin{{"0", -zero - gx, -gy, zero, h, 0}, {"0", gx, -gy, zero, h, 0},
                                    {"0", -zero - gx, h + gy, zero, h, 0}, {"0", gx, h + gy, zero, h, 0}};
    const Window whole{v.left, v.right + (kArrow + area.charWidth * 2) * s.px, v.bottom, v.top + kArrow * s.py};
    if (auto label = placed(origin, whole, area, graphs)) all.push_back(*label);
    const double w = area.charWidth * s.px;
    const Label x{"x", v.right - w - gx, h + (kArrowHalf + kLabelGap) * s.py, w, h, 0};
    const Label xBelow{"x", v.right - w - gx, -(kArrowHalf + kLabelGap) * s.py, w, h, 0};
    const Label y{"y", (kArrowHalf + kLabelGap) * s.px, v.top - s.py, w, h, 0};
    const Label yLeft{"y", -w - (kArrowHalf + kLabelGap) * s.px, v.top - s.py, w, h, 0};
    all.push_back(placed({x, xBelow}, whole, area, graphs).value_or(x));
    all.push_back(placed({y, yLeft}, whole, area, graphs).value_or(y));
    for (const Label& label : all) printOnPaper(canvas, label, s);
}

// A drawing area with its font: a character about 0.6 of the font's
// height wide (a bold one 0.65), a line 1.2 of it high.
PictureArea areaOf(layout::PixelSize size, const layout::FontStyle& font) {
    const double pixels = font.points * 96 / 72;
    return {size.width, size.height, pixels * (font.bold ? 0.65 : 0.6), pixels * 1.2};
}

} // namespace

PictureArea cardPictureArea() { return areaOf(layout::kStepGraph, layout::kStepGraphFont); }

PictureArea taskPictureArea() {
    return areaOf(layout::canvasArea("Picture1"), layout::controlNamed("Picture1").font);
}

PictureLayout pictureLayout(const Curve& curve, const Transform& t, const PictureArea& area) {
    PictureLayout l;
    l.view = viewOf(curve, t);
    const Window& v = l.view;
    const double most = std::max(v.right - v.left, v.top - v.bottom);
    l.grid = most <= 24 ? 1 : most <= 48 ? 2 : 5;
    const Scale s = scaleOf(v, area);
    l.labelX = labelStep(l.grid, 1 / s.px, textWidth("−00", area) + area.charWidth);
    l.labelY = labelStep(l.grid, 1 / s.py, area.lineHeight + 2);
    return l;
}

PictureFacts pictureFacts(const Curve& curve, const Transform& t, const PictureArea& area) {
    const PictureLayout l = pictureLayout(curve, t, area);
    PictureFacts f;
    f.blueSpan = spanOf(curve, {}, l.view, samplesOf(curve, {}, l.view, area.width));
    f.redSpan = spanOf(curve, t, l.view, samplesOf(curve, t, l.view, area.width));
    f.keyPointsShown = keyPointsIn(curve, {}, l.view) && keyPointsIn(curve, t, l.view);
    const Labels labels = labelsOf(l, area, {curve, t});
    f.labelsX = int(labels.x.size());
    f.labelsY = int(labels.y.size());
    return f;
}

namespace {
// The task's picture: its part of the plane, the guide lines asked for,
// y = f(x) in blue, then each of `curves` that is there in its colour, and
// the labels on top.
void drawPictureOf(const Curve& curve, const Transform& t, const PictureArea& area, Canvas& canvas,
                   bool guideAtMinusB, bool guideAtC,
                   std::initializer_list<std::pair<std::optional<Transform>, Colour>> curves) {
    const PictureLayout l = pictureLayout(curve, t, area);
    const Window& v = l.view;
    drawPaperAndAxes(l, area, canvas);
    if (guideAtC) canvas.line(v.left, t.C, v.right, t.C, paletteColour(kCGuidePalette));
    if (guideAtMinusB) canvas.line(-t.b, v.bottom, -t.b, v.top, paletteColour(kBGuidePalette));
    drawGraph(curve, {}, v, area, canvas, kBlue);
    for (const auto& [shown, colour] : curves) {
        if (shown) drawGraph(curve, *shown, v, area, canvas, colour);
    }
    drawLabels(l, area, {curve, t}, canvas);
}
} // namespace

void drawPictureStill(const Curve& curve, const Transform& t, const PictureArea& area, Canvas& canvas,
                      const std::optional<Transform>& before, bool guideAtMinusB, bool guideAtC) {
    drawPictureOf(curve, t, area, canvas, guideAtMinusB, guideAtC, {{before, kMutedCurve}});
}

void drawPictureCurve(const Curve& curve, const Transform& t, const Transform& now, const PictureArea& area,
                      Canvas& canvas) {
    drawGraph(curve, now, pictureLayout(curve, t, area).view, area, canvas, kRed);
}

void drawPicture(const Curve& curve, const Transform& t, const PictureArea& area, Canvas& canvas,
                 const std::optional<Transform>& answer, Colour answerColour, bool guides) {
    drawPictureOf(curve, t, area, canvas, guides, guides, {{t, kRed}, {answer, answerColour}});
}

} // namespace viramont::practice
