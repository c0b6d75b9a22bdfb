#pragma once
// The picture of a task, on a card and in practice (the main form's
// picture keeps its own rules):
//   - it shows each graph's key points: the vertex of a parabola, the
//     inflection point of a cubic parabola, a logarithm's asymptote and its
//     point where the argument is 1, a whole period of a sine or a cosine
//     with its highest and lowest points;
//   - y = f(x) in blue and the red graph are both drawn across the whole
//     picture wherever they are defined;
//   - each graph's drawn part spans at least a fifth of the picture's height;
//   - the grid has one unit a cell (shifts are whole or half units), the
//     axes have arrows and names, and several ticks of each are labelled,
//     every label on a white ground that no curve covers.

#include "practice/moves.h"
#include "toolkit/canvas.h"

#include <optional>

namespace viramont::practice {

// A picture's drawing area in logical pixels, and the size of its labels'
// characters in the canvas's font.
struct PictureArea {
    int width, height;
    double charWidth, lineHeight;
};
// A card's picture: the step sheet's graph area, its labels in the small font.
PictureArea cardPictureArea();
// Practice's picture: the main form's graph area, its labels in its font.
PictureArea taskPictureArea();

// Where the picture's parts go for a task's graph.
struct PictureLayout {
    Window view;          // the part of the plane shown
    double grid = 1;      // units a cell, both ways
    double labelX = 1;    // units between labelled ticks of the x-axis
    double labelY = 1;    // and of the y-axis
};
PictureLayout pictureLayout(const Curve& curve, const Transform& t, const PictureArea& area);

// What the picture of a task shows, for the generator's checks and tests.
struct PictureFacts {
    double blueSpan = 0, redSpan = 0;  // share of the height each drawn part spans
    bool keyPointsShown = false;       // every key point of both graphs inside
    int labelsX = 0, labelsY = 0;      // labelled ticks on each axis, 0 not counted
};
PictureFacts pictureFacts(const Curve& curve, const Transform& t, const PictureArea& area);

inline constexpr double kLeastSpan = 0.2;
inline constexpr int kLeastLabels = 2;
inline bool readable(const PictureFacts& f) {
    return f.blueSpan >= kLeastSpan && f.redSpan >= kLeastSpan && f.keyPointsShown && f.labelsX >= kLeastLabels &&
           f.labelsY >= kLeastLabels;
}

// Draws the picture of the task with the numbers `t` on `canvas` (of
// `area` at any ratio); with an `answer`, its curve in `answerColour` over
// the red one; with `guides`, the guide lines x = −b and y = C in the
// colours of the main form's.
void drawPicture(const Curve& curve, const Transform& t, const PictureArea& area, Canvas& canvas,
                 const std::optional<Transform>& answer = {}, Colour answerColour = 0, bool guides = false);

// The task's moves played on its picture, a frame in two parts: what
// stays through a move (the task's part of the plane, its grid, axes and
// labels, the guide lines shown so far, y = f(x) in blue and the curve
// before the move in grey), then the curve of the frame, `now`, in red.
void drawPictureStill(const Curve& curve, const Transform& t, const PictureArea& area, Canvas& canvas,
                      const std::optional<Transform>& before, bool guideAtMinusB, bool guideAtC);
void drawPictureCurve(const Curve& curve, const Transform& t, const Transform& now, const PictureArea& area,
                      Canvas& canvas);

} // namespace viramont::practice
