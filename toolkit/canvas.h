#pragma once
// The drawing surface the plot code sees.
//
// User coordinates are set by setScale(left, top, right, bottom): (left, top)
// is the top-left corner of the canvas and (right, bottom) the bottom-right,
// so y grows upwards when top > bottom and x grows to the left when
// left > right. Until the first setScale the scale is the canvas's own
// pixels, y growing downwards.
//
// Drawing calls never fail: a coordinate that is NaN, infinite or far outside
// the canvas, or a scale with no width or no height, makes the call draw
// nothing. The current point still moves as the call says.

#include "toolkit/colour.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace viramont {

enum class LineEnd { NewLine, Stay };

struct WorldPoint {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const WorldPoint&, const WorldPoint&) = default;
};

// A point of a graph as the plot loops hold it, x and y as 32-bit floats.
struct GraphPoint {
    float x = 0.0f;
    float y = 0.0f;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    // Erases to the back colour; the current point goes to the top-left.
    virtual void clear() = 0;
    virtual void setScale(double left, double top, double right, double bottom) = 0;
    // Width in pixels of later points and lines (at least 1).
    virtual void setDrawWidth(int pixels) = 0;
    // A round dot of the drawing width; (x, y) becomes the current point.
    virtual void point(double x, double y) = 0;
    virtual void point(double x, double y, Colour colour) = 0;
    // The points in order, each as point(x, y, colour): one call for many
    // points of a graph. A canvas may override it with a faster loop that
    // draws the same.
    virtual void points(std::span<const GraphPoint> batch, Colour colour);
    // A line of the drawing width with round ends; (x2, y2) becomes current.
    virtual void line(double x1, double y1, double x2, double y2) = 0;
    virtual void line(double x1, double y1, double x2, double y2, Colour colour) = 0;
    // Text in the canvas font and fore colour, its top-left at the current
    // point. NewLine then moves to the left edge one text line down; Stay
    // continues right after the text.
    virtual void print(std::string_view text, LineEnd end) = 0;
    virtual WorldPoint currentPoint() const = 0;
    // The lines printed since the last clear, joined by newlines.
    virtual std::string accessibleText() const = 0;
};

struct DevicePoint {
    double x = 0.0;
    double y = 0.0;
};

// The bookkeeping every canvas shares: the user scale and its mapping to
// device pixels, the current point, the drawing width and the printed lines.
class CanvasGeometry {
public:
    CanvasGeometry(int widthPx, int heightPx);

    void resize(int widthPx, int heightPx);
    int widthPx() const { return width_; }
    int heightPx() const { return height_; }

    void clear();
    void setScale(double left, double top, double right, double bottom);
    // True when the scale is finite and has a width and a height.
    bool hasArea() const { return hasArea_; }
    // The mapping itself: device = (user - origin) * factor, per axis.
    double originX() const { return left_; }
    double originY() const { return top_; }
    double factorX() const { return sx_; }
    double factorY() const { return sy_; }

    // Device position of a user point; false when it cannot be drawn (no
    // area, not finite, or more than `margin` pixels outside the canvas).
    bool toDevice(double x, double y, double margin, DevicePoint& out) const {
        if (!hasArea_) return false;
        out.x = (x - left_) * sx_;
        out.y = (y - top_) * sy_;
        return out.x >= -margin && out.x <= width_ + margin && out.y >= -margin && out.y <= height_ + margin;
    }

    // Clips the device segment a-b to the canvas grown by `margin`; false when
    // nothing of it is left or it is not finite.
    bool clipToDevice(double x1, double y1, double x2, double y2, double margin, DevicePoint& a,
                      DevicePoint& b) const;

    void setDrawWidth(int pixels) { drawWidth_ = pixels < 1 ? 1 : pixels; }
    int drawWidth() const { return drawWidth_; }

    WorldPoint current() const { return current_; }
    void moveTo(double x, double y) { current_ = {x, y}; }

    // Records a print of `text` that is `widthPx` wide on a line `lineHeightPx`
    // high and moves the current point past it.
    void notePrint(std::string_view text, LineEnd end, double widthPx, double lineHeightPx);
    std::string printedLines() const;

private:
    int width_;
    int height_;
    double left_ = 0.0, top_ = 0.0, right_ = 0.0, bottom_ = 0.0;
    double sx_ = 1.0, sy_ = 1.0;
    bool hasArea_ = false;
    int drawWidth_ = 1;
    WorldPoint current_;
    std::vector<std::string> lines_;
    bool lineOpen_ = false;  // the last print stayed on its line and nothing moved since
    WorldPoint openEnd_;
};

// A canvas that draws nothing and records every call in user coordinates,
// with the device position it would have had. Text is measured as 8 pixels
// a character on lines 16 pixels high.
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

    RecordingCanvas(int widthPx = 800, int heightPx = 500) : geometry_(widthPx, heightPx) {}

    void clear() override;
    void setScale(double left, double top, double right, double bottom) override;
    void setDrawWidth(int pixels) override;
    void point(double x, double y) override { addPoint(x, y, false, 0); }
    void point(double x, double y, Colour colour) override { addPoint(x, y, true, colour); }
    void line(double x1, double y1, double x2, double y2) override { addLine(x1, y1, x2, y2, false, 0); }
    void line(double x1, double y1, double x2, double y2, Colour colour) override {
        addLine(x1, y1, x2, y2, true, colour);
    }
    void print(std::string_view text, LineEnd end) override;
    WorldPoint currentPoint() const override { return geometry_.current(); }
    std::string accessibleText() const override { return geometry_.printedLines(); }

    const std::vector<Call>& calls() const { return calls_; }
    const CanvasGeometry& geometry() const { return geometry_; }
    // When false, points are counted but not kept (long plots in tests).
    void setKeepPoints(bool keep) { keepPoints_ = keep; }
    long long pointCount() const { return pointCount_; }

private:
    void addPoint(double x, double y, bool hasColour, Colour colour);
    void addLine(double x1, double y1, double x2, double y2, bool hasColour, Colour colour);

    CanvasGeometry geometry_;
    std::vector<Call> calls_;
    bool keepPoints_ = true;
    long long pointCount_ = 0;
};

// Number of code points of a UTF-8 text.
std::size_t codePointCount(std::string_view utf8);

} // namespace viramont
