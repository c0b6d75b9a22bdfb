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

namespace viramont {

class CanvasGeometry;

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
    // For a canvas of pixels, whose points draw the same wherever in a pixel
    // they fall: where points fall (the graphs are then drawn a pixel column
    // at a time, plot/columns.h). Null for any other canvas.
    virtual const CanvasGeometry* pixelGrid() const { return nullptr; }
};

// What a canvas says to a screen reader: `description`, what the picture
// shows in words, when there is one; otherwise its printed lines, their
// look-alike Latin letters spoken as the Cyrillic ones they stand for.
std::string spokenText(const Canvas& canvas, std::string_view description);

} // namespace viramont
