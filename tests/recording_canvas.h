#pragma once
// A canvas that draws nothing and records every call in user coordinates,
// with the device position it would have had. Text is measured as 8 pixels
// a character on lines 16 pixels high. It sees every point of a graph.

#include "toolkit/canvas.h"
#include "toolkit/canvas_geometry.h"
#include "toolkit/utf8.h"

#include <algorithm>
#include <string>
#include <vector>

namespace viramont::test {

class RecordingCanvas final : public Canvas {
public:
    enum class Op { Clear, Scale, Width, Point, Line, Print };
    struct Call {
        Op op = Op::Clear;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Scale: left, top, right, bottom
        bool hasColour = false;
        Colour colour = 0;
        int width = 0;
        std::string text{};
        LineEnd end = LineEnd::NewLine;
        WorldPoint at{};  // Print: where the text starts
    };
    static constexpr double kCharWidth = 8.0;
    static constexpr double kLineHeight = 16.0;

    RecordingCanvas(int widthPx, int heightPx) : geometry_(widthPx, heightPx) {}

    void clear() override {
        geometry_.clear();
        calls_.push_back({.op = Op::Clear});
    }
    void setScale(double left, double top, double right, double bottom) override {
        geometry_.setScale(left, top, right, bottom);
        calls_.push_back({.op = Op::Scale, .x1 = left, .y1 = top, .x2 = right, .y2 = bottom});
    }
    void setDrawWidth(int pixels) override {
        geometry_.setDrawWidth(pixels);
        calls_.push_back({.op = Op::Width, .width = geometry_.drawWidth()});
    }
    void point(double x, double y) override { addPoint(x, y, false, 0); }
    void point(double x, double y, Colour colour) override { addPoint(x, y, true, colour); }
    void line(double x1, double y1, double x2, double y2) override { addLine(x1, y1, x2, y2, false, 0); }
    void line(double x1, double y1, double x2, double y2, Colour colour) override {
        addLine(x1, y1, x2, y2, true, colour);
    }
    void print(std::string_view text, LineEnd end) override {
        const WorldPoint at = geometry_.current();
        geometry_.notePrint(text, end, kCharWidth * static_cast<double>(utf8::characterCount(text)), kLineHeight);
        calls_.push_back({.op = Op::Print, .text = std::string(text), .end = end, .at = at});
    }
    WorldPoint currentPoint() const override { return geometry_.current(); }
    std::string accessibleText() const override { return geometry_.printedLines(); }

    const std::vector<Call>& calls() const { return calls_; }
    // The points set in `colour`, in order.
    std::vector<Call> pointsIn(Colour colour) const {
        std::vector<Call> out;
        for (const Call& c : calls_) {
            if (c.op == Op::Point && c.hasColour && c.colour == colour) out.push_back(c);
        }
        return out;
    }
    long long count(Op op) const {
        return std::count_if(calls_.begin(), calls_.end(), [op](const Call& c) { return c.op == op; });
    }
    const CanvasGeometry& geometry() const { return geometry_; }
    // When false, points are counted but not kept (long plots in tests).
    void setKeepPoints(bool keep) { keepPoints_ = keep; }
    long long pointCount() const { return pointCount_; }

private:
    void addPoint(double x, double y, bool hasColour, Colour colour) {
        geometry_.moveTo(x, y);
        ++pointCount_;
        if (keepPoints_) {
            calls_.push_back({.op = Op::Point, .x1 = x, .y1 = y, .hasColour = hasColour, .colour = colour,
                              .width = geometry_.drawWidth()});
        }
    }
    void addLine(double x1, double y1, double x2, double y2, bool hasColour, Colour colour) {
        geometry_.moveTo(x2, y2);
        calls_.push_back({.op = Op::Line, .x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2, .hasColour = hasColour,
                          .colour = colour, .width = geometry_.drawWidth()});
    }

    CanvasGeometry geometry_;
    std::vector<Call> calls_;
    bool keepPoints_ = true;
    long long pointCount_ = 0;
};

} // namespace viramont::test
