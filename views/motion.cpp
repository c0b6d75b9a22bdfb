#include "views/motion.h"

#include "plot/plot.h"
#include "plot/step_graphs.h"
#include "practice/picture.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace viramont::view {

namespace {

// The moving number of a formula is written to two places as it changes.
double twoPlaces(double v) {
    const double r = std::round(v * 100) / 100;
    return r == 0 ? 0.0 : r;  // never "-0"
}

// The curve `s` (0..1, eased) of the way through `move`.
StepCurve between(const MotionMove& move, double s) {
    if (s >= 1) return move.to;
    if (s <= 0) return move.from;
    StepCurve c = move.to;
    c.start = move.from.start + (move.to.start - move.from.start) * s;
    c.end = move.from.end + (move.to.end - move.from.end) * s;
    switch (move.move) {
    case StepMove::StretchX: c.k = factorAt(move.to.k, s); break;
    case StepMove::ShiftX: c.b = move.to.b * s; break;
    case StepMove::StretchY: c.A = factorAt(move.to.A, s); break;
    case StepMove::ShiftY: c.C = move.to.C * s; break;
    }
    return c;
}

} // namespace

double eased(double x) {
    if (x <= 0) return 0;
    if (x >= 1) return 1;
    return (1 - std::cos(std::numbers::pi * x)) / 2;
}

double factorAt(double target, double s) {
    if (s <= 0) return 1;
    if (s >= 1) return target;
    return target > 0 ? std::pow(target, s) : 1 + (target - 1) * s;
}

Motion::Motion(const FormState& plotted) : plotted_(plotted) {
    const StepChain chain = ComposeSteps(plotted);
    const std::string of = " из " + std::to_string(chain.steps.size()) + ". ";
    StepCurve from = chain.base;
    for (const TransformStep& step : chain.steps) {
        moves_.push_back({step.move.kind, step.heading + of + step.sentence, step.formula, from, step.curve});
        from = step.curve;
    }
}

Motion::Motion(const TaskPictureState& picture) : Motion(practice::taskState(picture.task, picture.task.hidden)) {
    task_ = picture;
}

FormState Motion::stateOf(const StepCurve& curve) const {
    FormState s = plotted_;
    s.StretchY = static_cast<float>(curve.A);
    s.StretchX = Numeric::real(curve.k);
    s.ShiftX = Numeric::real(curve.b);
    s.ShiftY = static_cast<float>(curve.C);
    return s;
}

MotionFrame Motion::frameAt(double t) const {
    MotionFrame frame;
    if (moves_.empty()) {
        frame.end = true;
        return frame;
    }
    t = std::clamp(t, 0.0, duration());
    // A move's end belongs to it: the frame at 1.5 s is the first move done.
    const double at = std::ceil(t / kMoveSeconds) - 1;
    frame.move = std::min(static_cast<std::size_t>(std::max(at, 0.0)), moves_.size() - 1);
    const MotionMove& move = moves_[frame.move];
    frame.progress = eased((t - kMoveSeconds * static_cast<double>(frame.move)) / kMoveSeconds);
    frame.curve = between(move, frame.progress);
    frame.grey = frame.move > 0;  // before the first move the blue graph is the curve
    frame.before = move.from;
    for (std::size_t i = 0; i <= frame.move; ++i) {
        frame.guideAtMinusB = frame.guideAtMinusB || moves_[i].move == StepMove::ShiftX;
        frame.guideAtC = frame.guideAtC || moves_[i].move == StepMove::ShiftY;
    }
    frame.caption = move.caption;
    if (frame.progress >= 1) {
        frame.formula = move.formula;
    } else {
        // The numbers already reached as the chain writes them; the moving one
        // to two places.
        const StepCurve& c = frame.curve;
        Numeric k = plotted_.StretchX, b = plotted_.ShiftX;
        float A = move.to.A == 1 ? 1.0f : plotted_.StretchY, C = move.to.C == 0 ? 0.0f : plotted_.ShiftY;
        if (move.to.k == 1) k = Numeric::integer(1);
        if (move.to.b == 0) b = Numeric::real(0);
        switch (move.move) {
        case StepMove::StretchX: k = Numeric::real(twoPlaces(c.k)); break;
        case StepMove::ShiftX: b = Numeric::real(twoPlaces(c.b)); break;
        case StepMove::StretchY: A = static_cast<float>(twoPlaces(c.A)); break;
        case StepMove::ShiftY: C = static_cast<float>(twoPlaces(c.C)); break;
        }
        frame.formula = StepFormula(plotted_, A, k, b, C);
    }
    return frame;
}

MotionFrame Motion::endFrame() const {
    MotionFrame frame;
    frame.end = true;
    return frame;
}

void Motion::draw(const MotionFrame& frame, Canvas& graph) const {
    if (frame.end && task_) {
        practice::drawTask(task_->task, graph, task_->answer, task_->guides);
    } else if (frame.end) {
        redrawGraphs(plotted_, graph);
    } else {
        drawMoving(frame, drawStill(frame, graph), graph);
    }
}

namespace {
practice::Transform transformOf(const StepCurve& c) { return {c.A, c.k, c.b, c.C}; }
} // namespace

WorldPoint Motion::drawStill(const MotionFrame& frame, Canvas& graph) const {
    if (task_) {
        const practice::Task& task = task_->task;
        practice::drawPictureStill(practice::curveOf(task), task.hidden, practice::taskPictureArea(), graph,
                                   frame.grey ? std::optional(transformOf(frame.before)) : std::nullopt,
                                   frame.guideAtMinusB, frame.guideAtC);
        return {};
    }
    graph.clear();
    const WorldPoint corner = redrawStill(plotted_, frame.guideAtC, frame.guideAtMinusB, graph);
    if (frame.grey) DrawCurve(stateOf(frame.before), {frame.before.start, frame.before.end}, graph, kMutedCurve);
    return corner;
}

void Motion::drawMoving(const MotionFrame& frame, WorldPoint corner, Canvas& graph) const {
    if (task_) {
        const practice::Task& task = task_->task;
        const practice::PictureArea area = practice::taskPictureArea();
        practice::drawPictureCurve(practice::curveOf(task), task.hidden, transformOf(frame.curve), area, graph);
        // The caption from the left edge, a line below the top, as on Picture1.
        const practice::Window view = practice::pictureLayout(practice::curveOf(task), task.hidden, area).view;
        graph.point(view.left - (view.right - view.left), view.top);
    } else {
        DrawCurve(stateOf(frame.curve), {frame.curve.start, frame.curve.end}, graph, kRed);
        // The caption from the left edge, a line below the top: the current
        // point goes to a place left of the canvas, where nothing is drawn, and
        // an empty line brings it to the edge.
        const double right = static_cast<double>(plotted_.XEnd) + 1;
        graph.point(corner.x - 2 * (right - corner.x), corner.y);
    }
    graph.print(" ", LineEnd::NewLine);
    graph.print(frame.caption, LineEnd::NewLine);
    graph.print(frame.formula, LineEnd::NewLine);
}

// ---- the player -------------------------------------------------------------

MotionPlayer::MotionPlayer(const Motion& motion, bool reducedMotion, double now)
    : motion_(motion), reduced_(reducedMotion), anchorTime_(now) {
    if (motion.moves().empty()) finished_ = true;
}

double MotionPlayer::step() const { return reduced_ ? kReducedHoldSeconds : kMoveSeconds; }
double MotionPlayer::length() const { return step() * static_cast<double>(motion_.moves().size()); }

double MotionPlayer::position(double now) const {
    if (finished_) return length();
    if (paused_) return anchorPosition_;
    return std::clamp(anchorPosition_ + (now - anchorTime_), 0.0, length());
}

double MotionPlayer::timeAt(double now) const {
    const double p = position(now);
    if (!reduced_) return p;
    // Each hold shows the end of its move.
    const double hold = std::min(std::floor(p / kReducedHoldSeconds), static_cast<double>(motion_.moves().size()) - 1);
    return (hold + 1) * kMoveSeconds;
}

void MotionPlayer::seek(double position, double now) {
    anchorPosition_ = std::clamp(position, 0.0, length());
    anchorTime_ = now;
}

MotionPlayer::Tick MotionPlayer::tick(double now) {
    Tick out;
    if (!finished_ && position(now) >= length()) finished_ = true;
    if (finished_) {
        out.finished = true;
        out.frame = motion_.endFrame();
        out.draw = !endShown_;
        endShown_ = true;
        if (!endAnnounced_) out.said.emplace_back(kMotionEndText);
        endAnnounced_ = true;
        return out;
    }
    const double t = timeAt(now);
    out.frame = motion_.frameAt(t);
    if (out.frame.move != announcedMove_) {
        out.said.push_back(out.frame.caption);
        announcedMove_ = out.frame.move;
    }
    out.draw = t != shownTime_;
    shownTime_ = t;
    return out;
}

void MotionPlayer::press(MotionKey key, double now) {
    if (finished_) return;
    const double p = position(now);
    const std::size_t shown = motion_.frameAt(timeAt(now)).move;
    switch (key) {
    case MotionKey::Space:
        if (paused_) {
            anchorTime_ = now;
            paused_ = false;
        } else {
            anchorPosition_ = p;
            paused_ = true;
        }
        break;
    case MotionKey::Right: {
        double target = step() * static_cast<double>(shown + 1);
        if (target <= p) target += step();
        seek(target, now);
        break;
    }
    case MotionKey::Left: seek(step() * static_cast<double>(shown > 0 ? shown - 1 : 0), now); break;
    case MotionKey::Escape: finished_ = true; break;
    }
}

} // namespace viramont::view
