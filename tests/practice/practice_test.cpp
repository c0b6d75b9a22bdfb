// Practice: the check by graphs, the generator, the sentences, a round,
// and the cards for a class with their answer key.

#include "form_kit.h"
#include "practice/cards.h"
#include "practice/notation.h"
#include "practice/picture.h"
#include "plot/axes.h"
#include "practice/practice.h"
#include "practice_kit.h"
#include "recording_canvas.h"
#include "toolkit/blank_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>

namespace viramont::practice {
namespace {

Task taskOf(const char* function, Transform hidden, double start, double end, std::int16_t base = 0) {
    Task task;
    task.function = function;
    task.hidden = hidden;
    task.start = start;
    task.end = end;
    task.logBase = base;
    return task;
}

std::array<std::string, 4> typed(const Transform& t) {
    const auto text = [](double v) { return doubleText(v); };
    return {text(t.A), text(t.k), text(t.b), text(t.C)};
}

struct CheckCase {
    const char* what;
    Task task;
    Transform answer;
    bool right;
};

TEST(Check, ComparesGraphsNotNumbers) {
    const Task sine = taskOf(fn::kSin, {2, 3, 1, 4}, -6, 6);
    const Task cosine = taskOf(fn::kCos, {1, -2, 0, 1}, -6, 6);
    const Task square = taskOf(fn::kSquare, {1, 2, 2, -1}, -3, 3);
    const Task cube = taskOf(fn::kCube, {0.5, 2, -1, 1}, -2, 2);
    const Task log = taskOf(fn::kLogBase, {2, 0.5, 1, -1}, 1, 10, 3);
    const CheckCase cases[] = {
        {"the sine's own numbers", sine, {2, 3, 1, 4}, true},
        {"the sine, odd: -A, -k, -b", sine, {-2, -3, -1, 4}, true},
        {"the cosine, even: -k, -b", cosine, {1, 2, 0, 1}, true},
        {"the square, even: -k, -b", square, {1, -2, -2, -1}, true},
        {"the square: 4A, k/2, b/2", square, {4, 1, 1, -1}, true},
        {"the cube, odd: -A, -k, -b", cube, {-0.5, -2, 1, 1}, true},
        {"the logarithm's own numbers", log, {2, 0.5, 1, -1}, true},
        {"the sine, b off by one", sine, {2, 3, 2, 4}, false},
        {"the sine, C off by one", sine, {2, 3, 1, 5}, false},
        {"the sine, k of the other sign", sine, {2, -3, 1, 4}, false},
        {"the cube, k of the other sign", cube, {0.5, -2, -1, 1}, false},
        {"the square, C off by one", square, {4, 1, 1, 0}, false},
        {"the logarithm, b off by one", log, {2, 0.5, 2, -1}, false},
        {"the cosine, A of the other sign", cosine, {-1, -2, 0, 1}, false},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Verdict verdict = check(c.task, typed(c.answer));
        EXPECT_TRUE(verdict.judged);
        EXPECT_EQ(verdict.right, c.right);
        EXPECT_EQ(verdict.line.rfind(c.right ? "Верно" : "Неверно", 0), 0u) << verdict.line;
        EXPECT_EQ(verdict.sentence.empty(), c.right) << verdict.sentence;
    }
}

// The task's picture as the pupil sees it: which pixels the points and the
// lines of each colour fall into.
class ShownPixels final : public BlankCanvas {
public:
    ShownPixels() : BlankCanvas(pictureSize().width, pictureSize().height) {}
    void points(std::span<const GraphPoint> batch, Colour colour) override {
        for (const GraphPoint& p : batch) mark(geometry().map(p.x, p.y), colour);
        BlankCanvas::points(batch, colour);
    }
    void line(double x1, double y1, double x2, double y2, Colour colour) override {
        if (geometry().hasArea()) {
            const DevicePoint a = geometry().map(x1, y1), b = geometry().map(x2, y2);
            const double steps = std::ceil(2 * std::max(std::abs(b.x - a.x), std::abs(b.y - a.y))) + 1;
            for (double i = 0; i <= steps && steps < 1e5; ++i) {
                mark({a.x + (b.x - a.x) * i / steps, a.y + (b.y - a.y) * i / steps}, colour);
            }
        }
        BlankCanvas::line(x1, y1, x2, y2, colour);
    }
    const std::set<std::pair<int, int>>& of(Colour colour) { return pixels_[colour]; }

private:
    void mark(DevicePoint d, Colour colour) {
        const int x = static_cast<int>(std::floor(d.x)), y = static_cast<int>(std::floor(d.y));
        if (geometry().hasArea() && x >= 0 && y >= 0 && x < geometry().widthPx() && y < geometry().heightPx()) {
            pixels_[colour].insert({x, y});
        }
    }
    std::map<Colour, std::set<std::pair<int, int>>> pixels_;
};

// Every pixel of `a` has one of `b` at most one away.
bool near(const std::set<std::pair<int, int>>& a, const std::set<std::pair<int, int>>& b) {
    return std::all_of(a.begin(), a.end(), [&](std::pair<int, int> p) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if (b.count({p.first + dx, p.second + dy})) return true;
            }
        }
        return false;
    });
}

TEST(Check, JudgesWhatThePictureShowsTheGreenCurveOnTheRedOneOrNot) {
    const Task sine = taskOf(fn::kSin, {2, 3, 1, 4}, -6, 6);
    const Task square = taskOf(fn::kSquare, {1, 2, 2, -1}, -3, 3);
    const Task log = taskOf(fn::kLogBase, {2, 0.5, 1, -1}, 1, 10, 3);
    const Task cosine = taskOf(fn::kCos, {-1, 1, 0, 0}, -6, 6);
    const CheckCase cases[] = {
        {"the sine, odd", sine, {-2, -3, -1, 4}, true},
        {"the sine, b off by one", sine, {2, 3, 2, 4}, false},
        {"the square, 4A, k/2, b/2", square, {4, 1, 1, -1}, true},
        {"the square, C off by one", square, {4, 1, 1, 0}, false},
        {"the logarithm's own numbers", log, {2, 0.5, 1, -1}, true},
        {"the logarithm, A off", log, {3, 0.5, 1, -1}, false},
        {"the cosine reflected, as -Cos(-x)", cosine, {-1, -1, 0, 0}, true},
        {"the cosine not reflected: the blue graph", cosine, {1, 1, 0, 0}, false},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.what);
        ShownPixels shown;
        drawTask(c.task, shown, c.answer);
        const auto& red = shown.of(kRed);
        const auto& green = shown.of(kAnswerColour);
        ASSERT_FALSE(red.empty());
        EXPECT_EQ(near(red, green) && near(green, red), c.right) << "what the pupil sees";
        EXPECT_EQ(sameGraph(c.task, c.answer), c.right) << "the verdict";
    }
}

TEST(TaskPicture, ShowsTheGuideLinesOnlyAsAHint) {
    const Task sine = taskOf(fn::kSin, {2, 3, 1, 4}, -6, 6);
    for (const bool guides : {false, true}) {
        SCOPED_TRACE(guides);
        ShownPixels shown;
        drawTask(sine, shown, std::nullopt, guides);
        EXPECT_EQ(shown.of(paletteColour(kCGuidePalette)).size() > 100, guides) << "y = C";
        EXPECT_EQ(shown.of(paletteColour(kBGuidePalette)).size() > 100, guides) << "x = -b";
        EXPECT_FALSE(shown.of(kRed).empty());
    }
}

TEST(Check, ReadsTheFieldsAsTheFormDoesAndNamesOneItCannotRead) {
    const Task sine = taskOf(fn::kSin, {1, 3, 0, 0}, -6, 6);
    // 0 for A reads as 1, as in the form; a comma is a separator; a text
    // after the number is left.
    EXPECT_TRUE(check(sine, {"0", "3,0", "", "0abc"}).right);
    const Verdict tooLarge = check(sine, {"1", "1e999", "0", "0"});
    EXPECT_FALSE(tooLarge.judged);
    EXPECT_NE(tooLarge.line.find("«k»"), std::string::npos) << tooLarge.line;
    EXPECT_NE(check(sine, {"1e39", "3", "0", "0"}).line.find("«A»"), std::string::npos) << "beyond a 32-bit A";
}

TEST(TaskDescription, SaysWhereTheRedGraphRunsInThePlotsWordsNotItsFormula) {
    test::DecimalSeparator comma(",");
    const Task sine = taskOf(fn::kSin, {2, 3, 1, 4}, -6, 6);
    const std::string words = describeTask(sine);
    // Both graphs as the task's picture shows them: across its part of the plane.
    const auto view = pictureLayout(curveOf(sine), sine.hidden, taskPictureArea()).view;
    EXPECT_EQ(words.rfind("Видно x от " + spokenNumber(view.left) + " слева до " + spokenNumber(view.right), 0), 0u)
        << words;
    for (const char* graph : {". Синий график — исходная функция y = Sin(x): ", " Красный график: "}) {
        EXPECT_NE(words.find(graph + std::string("построен от x = ") + spokenNumber(view.left) + " до x = "),
                  std::string::npos)
            << words;
    }
    EXPECT_NE(words.find(". Наибольшее значение 6 при x = "), std::string::npos) << words;
    EXPECT_NE(words.find(", наименьшее 2 при x = "), std::string::npos) << words;
    EXPECT_NE(words.find("Ось x не пересекает."), std::string::npos) << "2Sin(..)+4 stays above the axis";
    EXPECT_EQ(words.find("Sin(3"), std::string::npos) << words;
    const std::string cube = describeTask(taskOf(fn::kCube, {1, 1, 0, 0.5}, -2, 2));
    EXPECT_NE(cube.find("Пересекает ось x в 1 точке: x = "), std::string::npos) << cube;
}

TEST(Generator, IsSplitMix64) {
    // The published first outputs of SplitMix64 from the seed 0.
    Generator g(0);
    EXPECT_EQ(g.next(), 0xE220A8397B1DCDAFull);
    EXPECT_EQ(g.next(), 0x6E789E6AA1B965F4ull);
    EXPECT_EQ(g.next(), 0x06C45D188009454Full);
}

TEST(Generator, GivesTasksThatShowTheirMovesAndAreSolvedByTheirSolution) {
    for (const Level level : {Level::OneMove, Level::TwoMoves, Level::AllFour}) {
        for (const std::uint64_t seed : {1ull, 2ull, 20261209ull}) {
            SCOPED_TRACE(testing::Message() << "level " << int(level) << ", seed " << seed);
            const std::vector<Task> round = makeRound(seed, level);
            ASSERT_EQ(round.size(), std::size_t(kTasksInRound));
            const std::vector<Task> again = makeRound(seed, level);
            std::set<std::string> functions;
            for (std::size_t i = 0; i < round.size(); ++i) {
                const Task& task = round[i];
                SCOPED_TRACE(task.function);
                EXPECT_EQ(task.hidden, again[i].hidden) << "the same seed, the same task";
                EXPECT_EQ(task.number, int(i) + 1);
                functions.insert(task.function);
                if (i > 0) {
                    EXPECT_NE(task.function, round[i - 1].function) << "the functions take turns";
                }
                const Transform& t = task.hidden;
                EXPECT_EQ((t.A != 1) + (t.k != 1) + (t.b != 0) + (t.C != 0), int(level));
                for (double factor : {t.A, t.k}) EXPECT_TRUE(factor == 1 || factor == -1 || std::fabs(factor) == 0.5 ||
                                                             std::fabs(factor) == 2 || std::fabs(factor) == 3);
                EXPECT_FALSE(sameGraph(task, Transform{})) << "the red graph differs from the blue one";
                if (isLogarithm(task.function)) {
                    EXPECT_GT(task.start, 0);
                    EXPECT_GT(t.k * (task.start - t.b) + t.b, 0) << "the red graph is defined over its interval";
                }
                if (task.function == fn::kLogBase) {
                    EXPECT_GT(task.logBase, 1);
                }
                // The solution's numbers, typed back, are right.
                const Solution solution = solutionOf(task);
                std::array<std::string, 4> numbers;
                std::size_t at = 0;
                for (std::string& n : numbers) {
                    at = solution.numbers.find("= ", at) + 2;
                    n = solution.numbers.substr(at, solution.numbers.find(';', at) - at);
                }
                EXPECT_TRUE(check(task, numbers).right) << solution.numbers;
                EXPECT_EQ(solution.formula, textbookFormula(curveOf(task), t));
            }
            EXPECT_EQ(functions.size(), std::size(kFunctionNames));
        }
    }
}

struct SentenceCase {
    Task task;
    Transform answer;
    const char* sentence;
};

TEST(Differences, SayWhatDiffersMoveByMoveInTheStepSheetsWords) {
    test::DecimalSeparator comma(",");
    const SentenceCase cases[] = {
        {taskOf(fn::kSin, {1, 3, 0, 0}, -6, 6), {1, 2, 0, 0}, "Сжатие к оси Oy должно быть в 3 раза, а у вас — в 2 раза."},
        {taskOf(fn::kSin, {1, 1, 0, 4}, -6, 6), {1, 1, 0, 2},
         "Сдвиг вдоль оси Oy: нужно на 4 вверх, а у вас — на 2 вверх."},
        {taskOf(fn::kCos, {2, 1, 0, 0}, -6, 6), {0.5, 1, 0, -1},
         "Вдоль оси Oy: нужно растяжение от оси Ox в 2 раза, а у вас — сжатие к оси Ox в 2 раза; "
         "сдвиг вдоль оси Oy не нужен, а у вас — на 1 вниз."},
        {taskOf(fn::kSquare, {1, 1, -3, 0}, -3, 3), {2, 1, 0, 0},
         "Сдвиг вдоль оси Ox: нужно на 3 вправо, а у вас — сдвига нет; "
         "вдоль оси Oy не нужно ни растяжения, ни сжатия, а у вас — растяжение от оси Ox в 2 раза."},
        {taskOf(fn::kSquare, {1, 1, 2, 0}, -3, 3), {1, 1, 0, 0},
         "Сдвиг вдоль оси Ox: нужно на 2 влево, а у вас — сдвига нет."},
        // The answer is taken in its form nearest the hidden one: −Sin(−3x)+1
        // differs from Sin(3x) only by C.
        {taskOf(fn::kSin, {1, 3, 0, 0}, -6, 6), {-1, -3, 0, 1},
         "Сдвиг вдоль оси Oy не нужен, а у вас — на 1 вверх."},
        // Reflections: the same squeeze with its reflection, and a
        // reflection alone against none.
        {taskOf(fn::kSin, {1, -3, 0, 0}, -6, 6), {1, -2, 0, 0},
         "Сжатие к оси Oy должно быть в 3 раза и отражение относительно оси Oy, "
         "а у вас — в 2 раза и отражение относительно оси Oy."},
        {taskOf(fn::kCos, {-1, 1, 0, 0}, -6, 6), {1, 1, 0, 0},
         "Вдоль оси Oy: нужно отражение относительно оси Ox, а у вас — ни растяжения, ни сжатия."},
        {taskOf(fn::kSquare, {1, 0.5, 0, 0}, -3, 3), {1, 3, 0, 0},
         "Вдоль оси Ox: нужно растяжение от оси Oy в 2 раза, а у вас — сжатие к оси Oy в 3 раза."},
    };
    for (const SentenceCase& c : cases) EXPECT_EQ(differences(c.task, c.answer), c.sentence);
}

TEST(Round, CountsTheTasksRightAtTheFirstTry) {
    Round round(7, Level::OneMove);
    int tasks = 1;
    // Right at once, wrong first then right, the solution shown first.
    do {
        const Transform hidden = round.task().hidden;
        switch (tasks % 3) {
        case 0: EXPECT_TRUE(round.answer(typed(hidden)).right); break;
        case 1:
            EXPECT_FALSE(round.answer(typed({hidden.A, hidden.k, hidden.b, hidden.C + 1})).right);
            EXPECT_TRUE(round.answer(typed(hidden)).right);
            break;
        case 2:
            round.showSolution();
            EXPECT_TRUE(round.answer(typed(hidden)).right);
            break;
        }
    } while (round.next() && ++tasks);
    EXPECT_EQ(tasks, kTasksInRound);
    EXPECT_TRUE(round.finished());
    EXPECT_EQ(round.score(), "Верно с первой попытки: 3 из 10.");
}

} // namespace
} // namespace viramont::practice

namespace viramont::practice {
namespace {

using test::numbersOf;

// The lines drawn in `colour`, in order: a card's curves are drawn as lines.
std::vector<test::RecordingCanvas::Call> linesIn(const test::RecordingCanvas& canvas, Colour colour) {
    std::vector<test::RecordingCanvas::Call> out;
    for (const auto& c : canvas.calls()) {
        if (c.op == test::RecordingCanvas::Op::Line && c.hasColour && c.colour == colour) out.push_back(c);
    }
    return out;
}

TEST(Cards, SameSetSameCardsAndEachKeyRedrawsItsRedGraph) {
    const CardSet set = makeCards(8, 17, Level::TwoMoves);
    ASSERT_EQ(set.cards.size(), 8u);
    EXPECT_EQ(setLine(set), "Набор 17");
    const std::vector<KeyEntry> key = answerKey(set);
    ASSERT_EQ(key.size(), 8u);
    for (std::size_t i = 0; i < key.size(); ++i) {
        const Task& card = set.cards[i];
        SCOPED_TRACE(key[i].formula);
        EXPECT_EQ(key[i].heading, "Вариант " + std::to_string(i + 1));
        EXPECT_EQ(variantHeading(card), key[i].heading);
        EXPECT_EQ(key[i].formula.rfind("y = ", 0), 0u);
        EXPECT_FALSE(key[i].steps.empty());
        // The key's numbers draw the card's red graph, point for point.
        const ReadAnswer read = readAnswer(numbersOf(key[i].numbers));
        ASSERT_TRUE(read.answer);
        Task fromKey = card;
        fromKey.hidden = *read.answer;
        test::RecordingCanvas drawn(layout::kStepGraph.width, layout::kStepGraph.height);
        test::RecordingCanvas redrawn(layout::kStepGraph.width, layout::kStepGraph.height);
        drawCard(card, drawn);
        drawCard(fromKey, redrawn);
        const auto red = linesIn(drawn, kRed), repeated = linesIn(redrawn, kRed);
        EXPECT_GT(red.size(), 100u);
        ASSERT_EQ(red.size(), repeated.size());
        for (std::size_t p = 0; p < red.size(); p += 7) {
            EXPECT_EQ(red[p].y1, repeated[p].y1);
            EXPECT_EQ(red[p].y2, repeated[p].y2);
        }
        EXPECT_GT(linesIn(drawn, kBlue).size(), 100u) << "y = f(x) in blue";
    }
    // The same set number, the same cards; another, others.
    const std::vector<KeyEntry> again = answerKey(makeCards(8, 17, Level::TwoMoves));
    const std::vector<KeyEntry> other = answerKey(makeCards(8, 18, Level::TwoMoves));
    bool differs = false;
    for (std::size_t i = 0; i < key.size(); ++i) {
        EXPECT_EQ(again[i].formula, key[i].formula);
        differs = differs || other[i].formula != key[i].formula;
    }
    EXPECT_TRUE(differs);
    EXPECT_EQ(makeCards(99, 5000, Level::OneMove).cards.size(), std::size_t(kMostVariants));
    EXPECT_EQ(makeCards(99, 5000, Level::OneMove).setNumber, kMostSetNumber);
}

} // namespace
} // namespace viramont::practice
