#pragma once
// "Показать движение": the path from the blue graph to the red one played
// on Picture1, move by move in the step sheet's order (plot/steps.h), as a
// teacher shows it at the board. Both front ends only tick the clock and
// show the frames; what a frame is, its caption, the keys and the end state
// are decided here.
//
//   Motion        the moves of one plot and, for a time t, the frame: the
//                 transformation between two steps, its caption and formula
//   MotionPlayer  the clock: frame times in, the time to show out; the
//                 keys; what is announced; the held frames of reduced motion
//
// A move takes kMoveSeconds, eased in and out. Moves that change nothing
// are left out, as on the sheet. During a move the curve before it stays in
// grey, the axes and the blue graph stay as they are, and each guide line
// appears with its move. Every frame is a real plot of the transformation
// between, drawn by the press's own loops onto the press's scale; the last
// frame is the press itself.

#include "form/form.h"
#include "plot/redraw.h"
#include "plot/steps.h"
#include "practice/practice.h"
#include "toolkit/canvas.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace viramont::view {

inline constexpr double kMoveSeconds = 1.5;
// Where the system asks for reduced motion, each move's end state stands
// this long, with no frames between.
inline constexpr double kReducedHoldSeconds = 2.0;
inline constexpr const char* kMotionEndText = "Движение закончено";

// One move between two curves of the chain.
struct MotionMove {
    StepMove move;
    std::string caption;  // "Шаг 2 из 4. Сдвиг вдоль оси Ox на 1/3 влево"
    std::string formula;  // the step's own formula, as the sheet writes it
    StepCurve from, to;
};

// What one frame shows.
struct MotionFrame {
    bool end = false;          // the press's picture itself
    std::size_t move = 0;      // the move under way
    double progress = 0;       // 0..1 of the move, eased
    StepCurve curve;           // the transformation at this frame
    bool grey = false;         // whether the curve before the move is shown
    StepCurve before;          // the curve before the move, in grey
    bool guideAtMinusB = false, guideAtC = false;
    std::string caption, formula;  // two lines at the top of the picture
};

// Practice's task as its picture shows it (practice/picture.h): the answer
// drawn over it and whether the guide lines are shown.
struct TaskPictureState {
    practice::Task task;
    std::optional<practice::Transform> answer;
    bool guides = false;
};

class Motion {
public:
    // The motion of the plot drawn from `plotted` (HasStepChain holds).
    explicit Motion(const FormState& plotted);
    // The motion of practice's task on its own picture: the same moves, each
    // frame drawn by the picture's rules on its part of the plane; the end
    // is the picture as practice shows it.
    explicit Motion(const TaskPictureState& picture);

    const std::vector<MotionMove>& moves() const { return moves_; }
    double duration() const { return kMoveSeconds * static_cast<double>(moves_.size()); }
    const FormState& plotted() const { return plotted_; }

    // The frame at time t (0..duration): during a move the transformation
    // between, at the move's end its step (the last one with its caption).
    MotionFrame frameAt(double t) const;
    // The frame after the last move and after Escape: the press's picture.
    MotionFrame endFrame() const;
    // Draws `frame` onto Picture1's canvas, cleared first: the end frame is
    // the press of Command1, any other the still part of it (axes, the guide
    // lines the frame shows, the blue graph), the curve before the move in
    // grey, the curve of the frame in red and the caption on top.
    void draw(const MotionFrame& frame, Canvas& graph) const;
    // The same in two parts, for a front end that keeps the first: what
    // stays through the frame's move (the still part and the grey curve),
    // giving the top-left corner of the scale, then what moves (the red
    // curve and the caption). Not for the end frame.
    WorldPoint drawStill(const MotionFrame& frame, Canvas& graph) const;
    void drawMoving(const MotionFrame& frame, WorldPoint corner, Canvas& graph) const;

    // The state of a curve of the chain, as the plot's loops read it.
    FormState stateOf(const StepCurve& curve) const;

private:
    FormState plotted_;
    std::vector<MotionMove> moves_;
    std::optional<TaskPictureState> task_;
};

// The factor of a stretch or squeeze at `s` (0..1 of the move) on its way
// from 1 to `target`. A positive factor grows geometrically, so that a
// squeeze by 4 looks as even as a stretch by 4. A reflection (a negative
// factor) is shown as the curve turning over through its axis: the factor
// passes through 0 on a straight line from 1. A teacher turns a graph over
// that way at the board, and each frame stays a plot of a real function
// y = A·f(kx + b) + C, the one the formula under the caption names; a mirror
// flip would show pictures no formula gives.
double factorAt(double target, double s);

// The eased share of a move at `x` (0..1 of its time): slow at its start
// and its end.
double eased(double x);

enum class MotionKey { Space, Right, Left, Escape };

// The clock of a motion being played. Times are seconds on the front end's
// clock (any origin, never going back). A frame drawn late is never made up
// for: the next tick shows the time it is then.
class MotionPlayer {
public:
    MotionPlayer(const Motion& motion, bool reducedMotion, double now);

    struct Tick {
        bool draw = false;  // the frame changed since the last one shown
        MotionFrame frame;
        std::vector<std::string> said;  // to announce, in order
        bool finished = false;          // the motion is over: show the press
    };
    // What to show at `now`.
    Tick tick(double now);
    // A key while playing: Space pauses and resumes, Right goes to the end
    // of this move, Left back to the start of the previous one, Escape ends
    // the motion on the press's picture. The next tick shows the result.
    void press(MotionKey key, double now);

    bool paused() const { return paused_; }
    bool finished() const { return finished_; }
    // The motion's own time of the frame shown at `now`.
    double timeAt(double now) const;

private:
    double position(double now) const;  // on the player's own line, 0..length
    double length() const;
    double step() const;  // one move on the player's line
    void seek(double position, double now);

    const Motion& motion_;
    bool reduced_;
    bool paused_ = false;
    bool finished_ = false;
    double anchorPosition_ = 0, anchorTime_ = 0;
    double shownTime_ = -1;
    std::size_t announcedMove_ = static_cast<std::size_t>(-1);
    bool endAnnounced_ = false;
    bool endShown_ = false;
};

} // namespace viramont::view
