// The transformation in motion: its moves, frames, captions and the
// player's clock and keys.

#include "form_kit.h"
#include "pixel_set_canvas.h"
#include "params/intake.h"
#include "plot/plot.h"
#include "plot/steps.h"
#include "practice/practice.h"
#include "views/motion.h"
#include "toolkit/blank_canvas.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace viramont {
namespace {

using test::PixelSetCanvas;
using view::Motion;
using view::MotionKey;
using view::MotionPlayer;
using view::kMoveSeconds;

struct Typed {
    const char* function;
    const char *a, *k, *b, *c, *start, *end;
    const char* base = "";
};

// The state a press of ВЫБОР leaves for the typed numbers.
FormState pressed(const Typed& t) {
    test::FakeWindow w;
    w.pick(t.function);
    for (auto [field, text] : {std::pair{&w.text1, t.a}, {&w.text2, t.k}, {&w.text3, t.b}, {&w.text4, t.c},
                               {&w.text6, t.start}, {&w.text7, t.end}}) {
        field->setText(text);
    }
    if (*t.base) w.dialogs.answers.push_back(t.base);
    ВЫБОР_Click(w.form);
    return w.form.state;
}

const Typed kExample{fn::kSin, "2", "3", "1", "4", "0", "10"};

std::set<std::tuple<Colour, int, int>> inColour(const PixelSetCanvas& c, Colour colour) {
    std::set<std::tuple<Colour, int, int>> out;
    for (const auto& p : c.pixels()) {
        if (std::get<0>(p) == colour) out.insert(p);
    }
    return out;
}

std::set<std::tuple<Colour, int, int>> recoloured(std::set<std::tuple<Colour, int, int>> pixels, Colour colour) {
    std::set<std::tuple<Colour, int, int>> out;
    for (const auto& [c, x, y] : pixels) out.insert({colour, x, y});
    return out;
}

// ---- the moves --------------------------------------------------------------

TEST(Motion, PlaysTheSheetsMovesAndLeavesOutThoseThatChangeNothing) {
    using enum StepMove;
    struct Row {
        Typed typed;
        std::vector<std::pair<StepMove, std::string>> moves;
    };
    const test::DecimalSeparator separator{","};
    const Row rows[] = {
        {kExample,
         {{StretchX, "Шаг 1 из 4. Сжатие к оси Oy в 3 раза"},
          {ShiftX, "Шаг 2 из 4. Сдвиг вдоль оси Ox на 1/3 влево"},
          {StretchY, "Шаг 3 из 4. Растяжение от оси Ox в 2 раза"},
          {ShiftY, "Шаг 4 из 4. Сдвиг вдоль оси Oy на 4 вверх"}}},
        {{fn::kCos, "1", "1", "0", "-2", "0", "10"}, {{ShiftY, "Шаг 1 из 1. Сдвиг вдоль оси Oy на 2 вниз"}}},
        {{fn::kSquare, "-1", "1", "2", "0", "-3", "3"},
         {{ShiftX, "Шаг 1 из 2. Сдвиг вдоль оси Ox на 2 влево"},
          {StretchY, "Шаг 2 из 2. Отражение относительно оси Ox"}}},
        {{fn::kLog, "1", "-1", "6", "0", "1", "5"},
         {{StretchX, "Шаг 1 из 2. Отражение относительно оси Oy"},
          {ShiftX, "Шаг 2 из 2. Сдвиг вдоль оси Ox на 6 вправо"}}},
        {{fn::kLogBase, "0,5", "2", "0", "1", "1", "8", "2"},
         {{StretchX, "Шаг 1 из 3. Сжатие к оси Oy в 2 раза"},
          {StretchY, "Шаг 2 из 3. Сжатие к оси Ox в 2 раза"},
          {ShiftY, "Шаг 3 из 3. Сдвиг вдоль оси Oy на 1 вверх"}}},
        {{fn::kCube, "1", "1", "0", "0", "0", "10"}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed.function);
        const Motion motion(pressed(row.typed));
        ASSERT_EQ(motion.moves().size(), row.moves.size());
        EXPECT_DOUBLE_EQ(motion.duration(), kMoveSeconds * static_cast<double>(row.moves.size()));
        for (std::size_t i = 0; i < row.moves.size(); ++i) {
            EXPECT_EQ(motion.moves()[i].move, row.moves[i].first);
            EXPECT_EQ(motion.moves()[i].caption, row.moves[i].second);
            EXPECT_EQ(motion.frameAt(kMoveSeconds * (double(i) + 0.5)).caption, row.moves[i].second);
        }
    }
}

TEST(Motion, WritesTheFormulaWithTheMovingNumberInTheSheetsStyle) {
    const test::DecimalSeparator separator{","};
    const Motion motion(pressed(kExample));
    struct Row {
        double t;
        std::string formula;
    };
    // Halfway through a move the eased share is one half.
    const Row rows[] = {
        {0.0, "y = Sin(x)"},
        {0.75, "y = Sin(1,73x)"},  // 3^0,5
        {1.5, "y = Sin(3x)"},
        {2.25, "y = Sin(3x+0,5)"},
        {3.0, "y = Sin(3(x+1/3)) = Sin(3x+1)"},
        {3.75, "y = 1,41Sin(3x+1)"},
        {5.25, "y = 2+2Sin(3x+1)"},
        {6.0, "y = 4+2Sin(3x+1)"},
    };
    for (const Row& row : rows) EXPECT_EQ(motion.frameAt(row.t).formula, row.formula) << row.t;
}

TEST(Motion, ShowsEachGuideLineFromItsMoveOnAndTheCurveBeforeInGrey) {
    const Motion motion(pressed(kExample));
    struct Row {
        double t;
        bool atMinusB, atC, grey;
    };
    const Row rows[] = {{0.0, false, false, false}, {1.4, false, false, false}, {1.6, true, false, true},
                        {4.0, true, false, true},   {4.6, true, true, true},    {6.0, true, true, true}};
    for (const Row& row : rows) {
        const view::MotionFrame f = motion.frameAt(row.t);
        EXPECT_EQ(f.guideAtMinusB, row.atMinusB) << row.t;
        EXPECT_EQ(f.guideAtC, row.atC) << row.t;
        EXPECT_EQ(f.grey, row.grey) << row.t;
    }
}

// ---- the frames ---------------------------------------------------------------

// The red pixels of a frame: the curve of the transformation between.
std::set<std::tuple<Colour, int, int>> redOf(const Motion& motion, double t) {
    PixelSetCanvas c(false);
    motion.draw(motion.frameAt(t), c);
    return inColour(c, kRed);
}

TEST(MotionFrames, BeginOnTheBlueGraphAndEndEachMoveOnItsStepsGraph) {
    const Typed rows[] = {
        kExample,
        {fn::kCos, "-1", "-2", "-2", "-3", "-5", "5"},
        {fn::kSquare, "0,5", "2", "1", "-1", "-3", "3"},
        {fn::kCube, "-2", "0,5", "1", "1", "-2", "2"},
        {fn::kLog, "3", "2", "-1", "1", "1", "10"},
        {fn::kLogBase, "-1", "-3", "9", "2", "0,5", "2", "3"},
    };
    const test::DecimalSeparator separator{","};
    for (const Typed& typed : rows) {
        SCOPED_TRACE(typed.function);
        const FormState state = pressed(typed);
        const Motion motion(state);
        ASSERT_FALSE(motion.moves().empty());

        // At t = 0: the blue graph's pixels, in red.
        PixelSetCanvas press(false);
        redrawGraphs(state, press);
        const auto red0 = redOf(motion, 0);
        EXPECT_FALSE(red0.empty());
        EXPECT_EQ(red0, recoloured(inColour(press, kBlue), kRed));

        // At each move's end: the step's curve on the press's scale.
        const StepChain chain = ComposeSteps(state);
        for (std::size_t i = 0; i < chain.steps.size(); ++i) {
            PixelSetCanvas step(false);
            redrawStill(state, false, false, step);
            const StepCurve& c = chain.steps[i].curve;
            DrawCurve(motion.stateOf(c), {c.start, c.end}, step, kRed);
            EXPECT_EQ(redOf(motion, kMoveSeconds * double(i + 1)), inColour(step, kRed)) << i;
        }
        // The last is the press's red graph.
        EXPECT_EQ(redOf(motion, motion.duration()), inColour(press, kRed));
    }
}

// The lines a drawing makes, by colour, and the texts it prints: the task's
// picture draws its graphs as lines.
struct LineCanvas final : BlankCanvas {
    using Line = std::tuple<Colour, double, double, double, double>;
    void line(double x1, double y1, double x2, double y2, Colour colour) override {
        lines.push_back({colour, x1, y1, x2, y2});
        BlankCanvas::line(x1, y1, x2, y2, colour);
    }
    void print(std::string_view text, LineEnd) override { printed.emplace_back(text); }
    std::vector<Line> in(Colour colour, Colour as) const {
        std::vector<Line> out;
        for (auto [c, x1, y1, x2, y2] : lines) {
            if (c == colour) out.push_back({as, x1, y1, x2, y2});
        }
        return out;
    }
    std::vector<Line> lines;
    std::vector<std::string> printed;
};

TEST(MotionFrames, OfAPracticeTaskBeginOnItsBlueGraphAndEndOnItsRedOneAndThenItsPicture) {
    for (const practice::Task& task : practice::makeRound(20261209, practice::Level::AllFour)) {
        SCOPED_TRACE(task.function);
        const view::TaskPictureState state{task, practice::Transform{1, 1, 0, 0}, true};
        const Motion motion(state);
        ASSERT_FALSE(motion.moves().empty());
        LineCanvas picture;
        practice::drawTask(task, picture, state.answer, state.guides);
        LineCanvas first, last, end;
        motion.draw(motion.frameAt(0), first);
        motion.draw(motion.frameAt(motion.duration()), last);
        motion.draw(motion.endFrame(), end);
        EXPECT_FALSE(first.in(kRed, kRed).empty());
        EXPECT_EQ(first.in(kRed, kRed), picture.in(kBlue, kRed));
        EXPECT_EQ(last.in(kRed, kRed), picture.in(kRed, kRed));
        ASSERT_GE(last.printed.size(), 2u);  // the caption and the formula, over the labels
        EXPECT_EQ(last.printed[last.printed.size() - 2], motion.moves().back().caption);
        // The end is the picture as practice shows it, with its answer and guides.
        EXPECT_EQ(end.lines, picture.lines);
        EXPECT_EQ(end.printed, picture.printed);
    }
}

TEST(MotionFrames, CarryTheCaptionAndEndOnThePressItself) {
    const test::DecimalSeparator separator{","};
    const Typed rows[] = {kExample, {fn::kLog, "-1", "2", "3", "0", "1", "10"}};
    for (const Typed& typed : rows) {
        SCOPED_TRACE(typed.function);
        const FormState state = pressed(typed);
        const Motion motion(state);
        test::RecordingCanvas press(test::kPicture1.width, test::kPicture1.height);
        test::RecordingCanvas frame(test::kPicture1.width, test::kPicture1.height);
        press.setKeepPoints(false);
        frame.setKeepPoints(false);
        redrawGraphs(state, press);

        const view::MotionFrame middle = motion.frameAt(1.0);
        motion.draw(middle, frame);
        const std::string during = frame.accessibleText();
        EXPECT_NE(during.find(middle.caption + "\n" + middle.formula), std::string::npos) << during;

        // The end frame clears the frame before it and draws the press.
        motion.draw(motion.endFrame(), frame);
        EXPECT_EQ(frame.accessibleText(), press.accessibleText());
        EXPECT_EQ(frame.accessibleText().find(middle.caption), std::string::npos);
    }
}

TEST(MotionFrames, AShiftMovesTheCurveOneWay) {
    const Motion motion(pressed(kExample));
    // Move 2 shifts left by 1/3, move 4 up by 4: sampled at many times, the
    // curve's start only falls and C only grows.
    double lastStart = 1e9, lastC = -1e9;
    for (int i = 0; i <= 30; ++i) {
        const view::MotionFrame shift = motion.frameAt(kMoveSeconds * (1 + i / 30.0));
        EXPECT_LE(shift.curve.start, lastStart);
        EXPECT_NEAR(shift.curve.end - shift.curve.start, 10.0, 1e-12);
        lastStart = shift.curve.start;
        const view::MotionFrame up = motion.frameAt(kMoveSeconds * (3 + i / 30.0));
        EXPECT_GE(up.curve.C, lastC);
        lastC = up.curve.C;
    }
    EXPECT_DOUBLE_EQ(lastStart, -1.0);
    EXPECT_EQ(lastC, 4.0);
    // On the picture: the leftmost red column moves left, frame by frame.
    int lastLeft = 1 << 20;
    for (int i = 0; i <= 6; ++i) {
        const auto red = redOf(motion, kMoveSeconds * (1 + i / 6.0));
        ASSERT_FALSE(red.empty());
        int left = 1 << 20;
        for (const auto& [c, x, y] : red) left = std::min(left, x);
        EXPECT_LE(left, lastLeft) << i;
        lastLeft = left;
    }
}

TEST(MotionFrames, AReflectionTurnsTheCurveOverThroughItsAxis) {
    struct Row {
        double target;
        double zeroAt;  // the share of the move where the factor is 0; none for a positive one
    };
    const Row rows[] = {{-1, 0.5}, {-2, 1.0 / 3}, {-0.5, 2.0 / 3}, {3, -1}, {0.25, -1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.target);
        EXPECT_EQ(view::factorAt(row.target, 0), 1.0);
        EXPECT_EQ(view::factorAt(row.target, 1), row.target);
        double last = 1;
        for (int i = 1; i <= 100; ++i) {
            const double f = view::factorAt(row.target, i / 100.0);
            EXPECT_TRUE(row.target < 1 ? f <= last : f >= last);  // one way, through 0 where it turns over
            if (row.target > 0) {
                EXPECT_GT(f, 0);
            }
            last = f;
        }
        if (row.zeroAt > 0) {
            EXPECT_NEAR(view::factorAt(row.target, row.zeroAt), 0.0, 1e-12);
        }
    }
    // The frame where A = 0: the curve lies flat on y = C, here the x-axis.
    const Motion motion(pressed({fn::kSin, "-1", "1", "0", "0", "0", "10"}));
    ASSERT_EQ(motion.moves().size(), 1u);
    const double flat = kMoveSeconds / 2;  // eased share 1/2: A = 0
    EXPECT_NEAR(motion.frameAt(flat).curve.A, 0.0, 1e-12);
    const auto red = redOf(motion, flat);
    ASSERT_FALSE(red.empty());
    std::set<int> rows2;
    for (const auto& [c, x, y] : red) rows2.insert(y);
    EXPECT_EQ(rows2.size(), 1u);
}

TEST(MotionFrames, ALogarithmIsDrawnOnlyWhereItHasValues) {
    // Log(-x+6) over 1..5: in the first move the factor k goes from 1
    // through 0 to -1 and the interval from 1..5 to -11..-7; in its middle,
    // where k passes 0, no x has a value.
    const Motion motion(pressed({fn::kLog, "1", "-1", "6", "0", "1", "5"}));
    struct Row {
        double t;
        bool drawn;
    };
    // (Later frames lie left of the press's view, as the red graph does.)
    const Row rows[] = {{0.0, true}, {0.5, true}, {0.75, false}};
    for (const Row& row : rows) {
        PixelSetCanvas c(false);
        motion.draw(motion.frameAt(row.t), c);
        EXPECT_EQ(!inColour(c, kRed).empty(), row.drawn) << row.t;
        EXPECT_FALSE(inColour(c, kBlue).empty()) << row.t;  // the rest is there
    }
}

// ---- the player -----------------------------------------------------------------

struct Step {
    enum Kind { Tick, Key } kind;
    double now;
    MotionKey key = MotionKey::Space;
    // For a tick: the motion's time shown (-1: the end), and whether it drew.
    double shows = 0;
    bool draws = true;
};

void play(const Motion& motion, bool reduced, const std::vector<Step>& steps) {
    MotionPlayer player(motion, reduced, 100.0);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        if (s.kind == Step::Key) {
            player.press(s.key, s.now);
            continue;
        }
        const MotionPlayer::Tick t = player.tick(s.now);
        SCOPED_TRACE("step " + std::to_string(i));
        EXPECT_EQ(t.draw, s.draws);
        if (s.shows < 0) {
            EXPECT_TRUE(t.finished);
            EXPECT_TRUE(t.frame.end);
        } else {
            EXPECT_FALSE(t.finished);
            EXPECT_NEAR(player.timeAt(s.now), s.shows, 1e-9);
        }
    }
}

TEST(MotionPlayer, KeysPauseSkipGoBackAndStop) {
    const Motion motion(pressed(kExample));  // four moves, 6 s
    using enum MotionKey;
    const struct Row {
        const char* name;
        std::vector<Step> steps;
    } rows[] = {
        {"plays on the clock",
         {{Step::Tick, 100.0, {}, 0.0}, {Step::Tick, 100.5, {}, 0.5}, {Step::Tick, 100.5, {}, 0.5, false},
          {Step::Tick, 105.9, {}, 5.9}, {Step::Tick, 106.0, {}, -1}, {Step::Tick, 107.0, {}, -1, false}}},
        {"Space pauses and resumes",
         {{Step::Tick, 100.5, {}, 0.5}, {Step::Key, 100.5, Space}, {Step::Tick, 103.0, {}, 0.5, false},
          {Step::Key, 103.0, Space}, {Step::Tick, 103.2, {}, 0.7}}},
        {"Right goes to the end of this move, then of the next",
         {{Step::Tick, 100.5, {}, 0.5}, {Step::Key, 100.5, Right}, {Step::Tick, 100.5, {}, 1.5},
          {Step::Key, 100.5, Right}, {Step::Tick, 100.5, {}, 3.0}, {Step::Tick, 100.6, {}, 3.1}}},
        {"Right while paused stays paused there",
         {{Step::Key, 100.2, Space}, {Step::Key, 100.3, Right}, {Step::Tick, 109.0, {}, 1.5}}},
        {"Left goes back to the start of the previous move",
         {{Step::Tick, 102.0, {}, 2.0}, {Step::Key, 102.0, Left}, {Step::Tick, 102.0, {}, 0.0},
          {Step::Key, 102.0, Left}, {Step::Tick, 102.1, {}, 0.1}}},
        {"Right on the last move ends on the press",
         {{Step::Tick, 105.0, {}, 5.0}, {Step::Key, 105.0, Right}, {Step::Tick, 105.0, {}, -1}}},
        {"Escape stops at once, on the press",
         {{Step::Tick, 101.0, {}, 1.0}, {Step::Key, 101.0, Escape}, {Step::Tick, 101.0, {}, -1},
          {Step::Key, 101.1, Space}, {Step::Tick, 101.2, {}, -1, false}}},
        {"a late frame is not made up for: the next shows the time it is",
         {{Step::Tick, 100.0, {}, 0.0}, {Step::Tick, 100.016, {}, 0.016}, {Step::Tick, 102.5, {}, 2.5},
          {Step::Tick, 102.516, {}, 2.516}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        play(motion, false, row.steps);
    }
}

TEST(MotionPlayer, ReducedMotionHoldsEachMovesEndForTwoSeconds) {
    const Motion motion(pressed(kExample));
    using enum MotionKey;
    play(motion, true,
         {{Step::Tick, 100.0, {}, 1.5},
          {Step::Tick, 101.0, {}, 1.5, false},
          {Step::Tick, 101.99, {}, 1.5, false},
          {Step::Tick, 102.0, {}, 3.0},
          {Step::Tick, 105.5, {}, 4.5},
          {Step::Tick, 107.9, {}, 6.0},
          {Step::Tick, 108.0, {}, -1}});
    play(motion, true, {{Step::Tick, 100.0, {}, 1.5}, {Step::Key, 100.5, Right}, {Step::Tick, 100.5, {}, 3.0},
                        {Step::Key, 100.5, Left}, {Step::Tick, 100.6, {}, 1.5}});
}

TEST(MotionPlayer, AnnouncesEachMoveAsItStartsAndTheEnd) {
    const Motion motion(pressed(kExample));
    for (bool reduced : {false, true}) {
        MotionPlayer player(motion, reduced, 0.0);
        std::vector<std::string> said;
        for (double now = 0; !player.finished(); now += 0.1) {
            for (std::string& s : player.tick(now).said) said.push_back(std::move(s));
        }
        std::vector<std::string> expected;
        for (const view::MotionMove& m : motion.moves()) expected.push_back(m.caption);
        expected.emplace_back(view::kMotionEndText);
        EXPECT_EQ(said, expected) << reduced;
    }
}

} // namespace
} // namespace viramont
