// The tasks a teacher would set: every move seen and needed, a level its
// number of moves, no graph twice in a set or a round, shifts in half
// units, pictures a pupil can read, and formulas as a textbook writes them.

#include "form_kit.h"
#include "practice/cards.h"
#include "practice/moves.h"
#include "practice/notation.h"
#include "practice/picture.h"
#include "practice/practice.h"
#include "practice_kit.h"
#include "recording_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace viramont::practice {
namespace {

constexpr Level kLevels[] = {Level::OneMove, Level::TwoMoves, Level::AllFour};

// ---- the test's own arithmetic, apart from the program's --------------------

// y = A·f(kx + b) + C, NaN where it is not defined.
double y(const Task& task, const Transform& t, double x) {
    const double u = t.k * x + t.b;
    const std::string& f = task.function;
    double v;
    if (f == fn::kSin) v = std::sin(u);
    else if (f == fn::kCos) v = std::cos(u);
    else if (f == fn::kSquare) v = std::pow(u, 2);
    else if (f == fn::kCube) v = std::pow(u, 3);
    else if (u <= 0) return NAN;
    else v = f == fn::kLog ? std::log(u) : std::log2(u) / std::log2(double(task.logBase));
    return t.A * v + t.C;
}

// Whether two answers draw the same graph of the task's function: the same
// points, or none, at many x.
bool sameCurve(const Task& task, const Transform& a, const Transform& b) {
    for (double x = -9.71; x < 9.8; x += 0.173) {
        const double ya = y(task, a, x), yb = y(task, b, x);
        if (std::isnan(ya) != std::isnan(yb)) return false;
        if (!std::isnan(ya) && std::fabs(ya - yb) > 1e-7) return false;
    }
    return true;
}

// The numbers a pupil changes, then the steps the step sheet lists.
std::pair<int, int> effort(const Transform& t) {
    const int moves = (t.A != 1) + (t.k != 1) + (t.b != 0) + (t.C != 0);
    const int reflections = (t.A < 0) + (t.k < 0);
    const int stretches = (std::fabs(t.A) != 1) + (std::fabs(t.k) != 1);
    return {moves, stretches + reflections + (t.b != 0) + (t.C != 0)};
}

// Every answer a pupil can type with b and C from -12 to 12 that draws the
// task's graph with less effort than its own numbers; none is expected.
std::vector<Transform> cheaperAnswers(const Task& task) {
    const double factors[] = {-3, -2, -1, -0.5, 0.5, 1, 2, 3};
    const auto own = effort(task.hidden);
    std::vector<Transform> found;
    for (double A : factors) {
        for (double k : factors) {
            for (int b = -12; b <= 12; ++b) {
                for (int C = -12; C <= 12; ++C) {
                    const Transform t{A, k, double(b), double(C)};
                    if (effort(t) < own && sameCurve(task, task.hidden, t)) found.push_back(t);
                }
            }
        }
    }
    return found;
}

using test::numbersOf;

std::string show(const Task& task) {
    return task.function + " a=" + std::to_string(task.logBase) + " A=" + std::to_string(task.hidden.A) +
           " k=" + std::to_string(task.hidden.k) + " b=" + std::to_string(task.hidden.b) +
           " C=" + std::to_string(task.hidden.C);
}

// ---- what a drawn card shows, read from its drawing calls ---------------------

struct Drawn {
    double left = 0, right = 0, bottom = 0, top = 0;
    double blueLow = INFINITY, blueHigh = -INFINITY, redLow = INFINITY, redHigh = -INFINITY;
    int numbers = 0;  // printed labels that are numbers other than 0
};

Drawn drawnCard(const Task& card) {
    test::RecordingCanvas canvas(layout::kStepGraph.width, layout::kStepGraph.height);
    drawCard(card, canvas);
    Drawn d;
    for (const auto& c : canvas.calls()) {
        if (c.op == test::RecordingCanvas::Op::Scale) d.left = c.x1, d.top = c.y1, d.right = c.x2, d.bottom = c.y2;
        if (c.op == test::RecordingCanvas::Op::Line && c.hasColour && (c.colour == kBlue || c.colour == kRed)) {
            double& low = c.colour == kBlue ? d.blueLow : d.redLow;
            double& high = c.colour == kBlue ? d.blueHigh : d.redHigh;
            for (double v : {c.y1, c.y2}) {
                const double seen = std::clamp(v, d.bottom, d.top);
                low = std::min(low, seen), high = std::max(high, seen);
            }
        }
        if (c.op == test::RecordingCanvas::Op::Print && c.text != "0" && c.text.find_first_of("123456789") != std::string::npos) {
            ++d.numbers;
        }
    }
    return d;
}

// Whether the key points of the task's graphs lie in the drawn part of the
// plane: vertices and inflection points, asymptotes, a whole period.
bool keyPointsDrawn(const Task& task, const Drawn& d) {
    const Transform& t = task.hidden;
    const double s = -t.b / t.k;
    const auto in = [&](double x, double v) { return x > d.left && x < d.right && v > d.bottom && v < d.top; };
    if (task.function == fn::kSquare || task.function == fn::kCube) return in(0, 0) && in(s, t.C);
    if (isLogarithm(task.function)) return in(1, 0) && in((1 - t.b) / t.k, t.C) && s > d.left && s < d.right && d.left < 0;
    const double period = 2 * std::numbers::pi / std::min(1.0, std::fabs(t.k));
    return d.right - d.left >= period && d.top > t.C + std::fabs(t.A) && d.bottom < t.C - std::fabs(t.A) &&
           d.top > 1 && d.bottom < -1;
}

// ---- the tasks of the cards, sets 1 to 50 at each level ---------------------------

TEST(Cards, EveryTaskOfSetsOneToFiftyIsOneATeacherWouldSet) {
    for (const Level level : kLevels) {
        for (int set = 1; set <= 50; ++set) {
            SCOPED_TRACE(testing::Message() << "level " << int(level) << ", set " << set);
            const CardSet cards = makeCards(kMostVariants, set, level);
            ASSERT_EQ(cards.cards.size(), std::size_t(kMostVariants));
            const std::vector<KeyEntry> key = answerKey(cards);
            for (std::size_t i = 0; i < cards.cards.size(); ++i) {
                const Task& card = cards.cards[i];
                const Transform& t = card.hidden;
                SCOPED_TRACE(show(card));
                EXPECT_EQ(effort(t).first, int(level)) << "the level is the number of moves";
                EXPECT_TRUE(everyMoveNeeded(curveOf(card), t));
                const double shift = -t.b / t.k;
                EXPECT_EQ(2 * shift, std::round(2 * shift)) << "a whole or half unit";
                for (std::size_t j = 0; j < i; ++j) {
                    if (cards.cards[j].function == card.function && cards.cards[j].logBase == card.logBase) {
                        EXPECT_FALSE(sameCurve(card, cards.cards[j].hidden, t)) << "variants " << j + 1 << ", " << i + 1;
                    }
                }
                // Both graphs span a fifth of the height; the key points are in.
                const Drawn d = drawnCard(card);
                const double height = d.top - d.bottom;
                EXPECT_GE((d.blueHigh - d.blueLow) / height, 0.2) << "blue";
                EXPECT_GE((d.redHigh - d.redLow) / height, 0.2) << "red";
                EXPECT_TRUE(keyPointsDrawn(card, d));
                EXPECT_GE(d.numbers, 2 * kLeastLabels) << "labelled ticks";
                const PictureFacts facts = pictureFacts(curveOf(card), t, cardPictureArea());
                EXPECT_GE(facts.labelsX, kLeastLabels);
                EXPECT_GE(facts.labelsY, kLeastLabels);
                EXPECT_TRUE(facts.keyPointsShown);
                // The key's numbers are the card's, its formula is theirs,
                // and it lists one step a move.
                const ReadAnswer numbers = readAnswer(numbersOf(key[i].numbers));
                ASSERT_TRUE(numbers.answer);
                EXPECT_EQ(*numbers.answer, t);
                EXPECT_EQ(key[i].formula, textbookFormula(curveOf(card), t));
                std::size_t steps = 1;
                for (std::size_t at = key[i].steps.find("; "); at != std::string::npos; at = key[i].steps.find("; ", at + 1))
                    ++steps;
                EXPECT_EQ(steps, std::size_t(level)) << key[i].steps;
            }
        }
    }
}

TEST(Cards, NoAnswerWithFewerMovesDrawsTheGraphBySearchingThePupilsNumbers) {
    // Apart from the table's proof: every pupil's answer with b and C from
    // -12 to 12, compared by its points, on a sample of the sets.
    for (const Level level : kLevels) {
        for (int set = 1; set <= 50; set += 7) {
            for (const Task& card : makeCards(kMostVariants, set, level).cards) {
                SCOPED_TRACE(testing::Message() << "level " << int(level) << ", set " << set << ": " << show(card));
                const std::vector<Transform> cheaper = cheaperAnswers(card);
                EXPECT_TRUE(cheaper.empty()) << "A=" << cheaper.front().A << " k=" << cheaper.front().k
                                             << " b=" << cheaper.front().b << " C=" << cheaper.front().C;
            }
        }
    }
}

TEST(Cards, TheSameSetNumberGivesTheSameCards) {
    for (const Level level : kLevels) {
        const CardSet a = makeCards(kMostVariants, 5, level), b = makeCards(kMostVariants, 5, level);
        for (std::size_t i = 0; i < a.cards.size(); ++i) {
            EXPECT_EQ(a.cards[i].hidden, b.cards[i].hidden);
            EXPECT_EQ(a.cards[i].logBase, b.cards[i].logBase);
        }
    }
}

// ---- a round of practice ----------------------------------------------------------

TEST(Rounds, KeepTheSameRulesAtEachLevel) {
    for (const Level level : kLevels) {
        for (std::uint64_t seed = 1; seed <= 40; ++seed) {
            SCOPED_TRACE(testing::Message() << "level " << int(level) << ", seed " << seed);
            const std::vector<Task> round = makeRound(seed, level);
            for (std::size_t i = 0; i < round.size(); ++i) {
                const Task& task = round[i];
                SCOPED_TRACE(show(task));
                EXPECT_EQ(effort(task.hidden).first, int(level));
                EXPECT_TRUE(everyMoveNeeded(curveOf(task), task.hidden));
                EXPECT_FALSE(lookAlike(curveOf(task), task.hidden, pictureLayout(curveOf(task), task.hidden, taskPictureArea()).view));
                const double shift = -task.hidden.b / task.hidden.k;
                EXPECT_EQ(2 * shift, std::round(2 * shift));
                EXPECT_TRUE(readable(pictureFacts(curveOf(task), task.hidden, taskPictureArea())));
                for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(drawSameGraph(round[j], task)) << j + 1 << ", " << i + 1;
                // The check by graphs takes the solution's numbers, typed back.
                EXPECT_TRUE(check(task, numbersOf(solutionOf(task).numbers)).right);
            }
        }
    }
}

// ---- the proof by the table of symmetries -----------------------------------------

struct TableCase {
    const char* what;
    const char* function;
    int base;
    Transform task;
    Transform simplest;
};

TEST(Moves, TheTableFindsHiddenAndCancellingMoves) {
    const TableCase cases[] = {
        {"(−3x)²: the parabola is even", fn::kSquare, 0, {1, -3, 0, 0}, {1, 3, 0, 0}},
        {"2 + (−x)²: a reflection that changes nothing", fn::kSquare, 0, {1, -1, 0, 2}, {1, 1, 0, 2}},
        {"0,5(2x)² is 2x²", fn::kSquare, 0, {0.5, 2, 0, 0}, {2, 1, 0, 0}},
        {"(2x + 2)² is 4(x + 1)², but 4 is not a pupil's factor", fn::kSquare, 0, {1, 2, 2, 0}, {1, 2, 2, 0}},
        {"−sin(−0,5x) is sin 0,5x", fn::kSin, 0, {-1, -0.5, 0, 0}, {1, 0.5, 0, 0}},
        {"−2 sin(−3x − 1) − 3 is 2 sin(3x + 1) − 3", fn::kSin, 0, {-2, -3, -1, -3}, {2, 3, 1, -3}},
        {"sin(−x) is written −sin x", fn::kSin, 0, {1, -1, 0, 0}, {-1, 1, 0, 0}},
        {"(−2x + 1)² is written (2x − 1)²", fn::kSquare, 0, {1, -2, 1, 0}, {1, 2, -1, 0}},
        {"(−x)³ is written −x³", fn::kCube, 0, {1, -1, 0, 0}, {-1, 1, 0, 0}},
        {"cos(−2x) is cos 2x", fn::kCos, 0, {1, -2, 0, 0}, {1, 2, 0, 0}},
        {"cos(−x + 1) is cos(x − 1)", fn::kCos, 0, {1, -1, 1, 0}, {1, 1, -1, 0}},
        {"−(−x)³ is x³", fn::kCube, 0, {-1, -1, 0, 0}, {1, 1, 0, 0}},
        {"0,5(2x − 2)³ is 4(x − 1)³, not a pupil's", fn::kCube, 0, {0.5, 2, -2, 0}, {0.5, 2, -2, 0}},
        {"3(0,5x)³ is not a pupil's 3/8 x³", fn::kCube, 0, {3, 0.5, 0, 0}, {3, 0.5, 0, 0}},
        {"2 log₂(2x − 2) − 3 is 2 log₂(x − 1) − 1", fn::kLogBase, 2, {2, 2, -2, -3}, {2, 1, -1, -1}},
        {"log₂ 2x − 2 is log₂ x − 1", fn::kLogBase, 2, {1, 2, 0, -2}, {1, 1, 0, -1}},
        {"log₂ 2x is log₂ x + 1, as simple", fn::kLogBase, 2, {1, 2, 0, 0}, {1, 2, 0, 0}},
        {"2 log₄(2x) − 1 is 2 log₄ x", fn::kLogBase, 4, {2, 2, 0, -1}, {2, 1, 0, 0}},
        {"3 log₃(3x) + 1 is 3 log₃ x + 4", fn::kLogBase, 3, {3, 3, 0, 1}, {3, 1, 0, 4}},
        {"log₃ 3x − 1 is log₃ x", fn::kLogBase, 3, {1, 3, 0, -1}, {1, 1, 0, 0}},
        {"ln 2x: ln 2 is never whole", fn::kLog, 0, {1, 2, 0, -1}, {1, 2, 0, -1}},
        {"lg 2x: nor is lg 2", fn::kLogBase, 10, {1, 2, 0, 0}, {1, 2, 0, 0}},
    };
    for (const TableCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Curve curve{c.function, c.base};
        // The simplest answer: one of the cost of `simplest`, the same graph.
        const Transform found = simplestAnswer(curve, c.task);
        EXPECT_EQ(costOf(found), costOf(c.simplest));
        EXPECT_TRUE(sameByTable(curve, c.task, found));
        EXPECT_EQ(everyMoveNeeded(curve, c.task), c.task == c.simplest);
        EXPECT_TRUE(sameByTable(curve, c.task, c.simplest));
        // The table agrees with the points.
        Task task;
        task.function = c.function;
        task.logBase = std::int16_t(c.base);
        EXPECT_TRUE(sameCurve(task, c.task, c.simplest));
    }
}

TEST(Moves, LookAlikesOfAsManyMovesAreFound) {
    // sin(x + 3) is all but −sin x (3 is near π); ln 3x all but ln x + 1.
    const struct {
        const char* function;
        int base;
        Transform task;
        bool alike;
    } cases[] = {
        {fn::kSin, 0, {1, 1, 3, 0}, true},  {fn::kCos, 0, {1, 1, -3, 0}, true}, {fn::kLog, 0, {1, 3, 0, 0}, true},
        {fn::kLogBase, 10, {3, 2, 0, 0}, true}, {fn::kSin, 0, {1, 1, 1, 0}, false}, {fn::kLog, 0, {1, 2, 0, 0}, false},
        {fn::kSquare, 0, {1, 1, 2, 0}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.function << " b=" << c.task.b << " k=" << c.task.k);
        const Curve curve{c.function, c.base};
        const PictureLayout l = pictureLayout(curve, c.task, cardPictureArea());
        const std::optional<Transform> alike = lookAlike(curve, c.task, l.view);
        EXPECT_EQ(alike.has_value(), c.alike) << (alike ? show({1, c.function, std::int16_t(c.base), *alike}) : "");
    }
}

TEST(Generator, SaysWhenATaskCannotBeMade) {
    // There are only so many sines of one move; asked for ever more new
    // ones, the generator says it cannot, rather than repeat one.
    Generator g(3);
    std::vector<Task> made;
    EXPECT_THROW(
        {
            for (int n = 1; n <= 200; ++n) made.push_back(makeTask(g, Level::OneMove, n, fn::kSin, made));
        },
        TaskNotMade);
    EXPECT_GE(made.size(), 10u);
    EXPECT_LT(made.size(), 200u);
    Generator none(3);
    EXPECT_THROW(makeTask(none, Level::AllFour, 1, fn::kCube, {}, 0), TaskNotMade);
}

// ---- formulas as a textbook writes them -------------------------------------------

struct NotationCase {
    const char* function;
    int base;
    Transform t;
    const char* formula;
};

TEST(Notation, WritesFormulasAsATextbookDoes) {
    test::DecimalSeparator comma(",");
    const NotationCase cases[] = {
        {fn::kSin, 0, {-2, 3, 1, 4}, "y = −2 sin(3x + 1) + 4"},
        {fn::kSin, 0, {1, 1, 0, 1}, "y = sin x + 1"},
        {fn::kSin, 0, {0.5, 1, 0, 0}, "y = 0,5 sin x"},
        {fn::kSin, 0, {1, 2, 0, 0}, "y = sin 2x"},
        {fn::kSin, 0, {-1, -1, 0, 0}, "y = −sin(−x)"},
        {fn::kCos, 0, {1, 0.5, 0, 0}, "y = cos(0,5x)"},
        {fn::kCos, 0, {3, 1, -2, -1}, "y = 3 cos(x − 2) − 1"},
        {fn::kCube, 0, {2, 1, 0, -1}, "y = 2x³ − 1"},
        {fn::kCube, 0, {0.5, 2, -1, 0}, "y = 0,5(2x − 1)³"},
        {fn::kSquare, 0, {1, 1, 0, 0}, "y = x²"},
        {fn::kSquare, 0, {-1, 1, 1, 0}, "y = −(x + 1)²"},
        {fn::kSquare, 0, {3, -2, 0, 2}, "y = 3(−2x)² + 2"},
        {fn::kLogBase, 3, {1, 1, 1, 0}, "y = log₃(x + 1)"},
        {fn::kLogBase, 4, {1, 1, 0, 0}, "y = log₄ x"},
        {fn::kLogBase, 10, {1, 1, 0, 0}, "y = lg x"},
        {fn::kLogBase, 2, {-0.5, 2, -3, 3}, "y = −0,5 log₂(2x − 3) + 3"},
        {fn::kLog, 0, {2, 0.5, 0, -3}, "y = 2 ln(0,5x) − 3"},
        {fn::kLog, 0, {-1, 1, -2, 0}, "y = −ln(x − 2)"},
    };
    for (const NotationCase& c : cases) EXPECT_EQ(textbookFormula({c.function, c.base}, c.t), c.formula);
    test::DecimalSeparator point(".");
    EXPECT_EQ(textbookFormula({fn::kSin, 0}, {0.5, 1, 0, 0}), "y = 0.5 sin x") << "the program's separator";
}

TEST(Notation, TheCardsThePracticePanelAndTheKeyWriteIt) {
    Task task;
    task.function = fn::kLogBase;
    task.logBase = 3;
    task.hidden = {1, 1, 1, 0};
    EXPECT_EQ(baseFunctionLine(task), "Исходная функция: y = log₃ x");
    EXPECT_EQ(solutionOf(task).formula, "y = log₃(x + 1)");
    CardSet set;
    set.cards = {task};
    EXPECT_EQ(answerKey(set).front().formula, "y = log₃(x + 1)");
}

} // namespace
} // namespace viramont::practice
