// The transformation step by step: the chain ВЫБОР's numbers make (which
// steps, their formulas, their sentences and numbers), and its graphs on
// recording canvases against the plot's own blue and red graphs.

#include "form_kit.h"
#include "params/intake.h"
#include "plot/plot.h"
#include "plot/step_graphs.h"
#include "plot/steps.h"
#include "toolkit/fault.h"
#include "toolkit/guard.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace viramont {
namespace {

using Call = test::RecordingCanvas::Call;
using Op = test::RecordingCanvas::Op;

struct StepRow {
    StepMove move;
    const char* formula;
    const char* sentence;
};

struct ChainCase {
    const char* function;
    const char* a;
    const char* k;
    const char* b;
    const char* c;
    const char* base;  // answer to the base box, "" when none is asked
    const char* baseFormula;
    std::vector<StepRow> steps;
    std::vector<const char*> leftOut;
    const char* separator = ".";
};

const char* const kNoK = "k = 1: сжатия и растяжения вдоль оси Ox нет";
const char* const kNoB = "b = 0: сдвига вдоль оси Ox нет";
const char* const kNoA = "A = 1: растяжения и сжатия вдоль оси Oy нет";
const char* const kNoC = "C = 0: сдвига вдоль оси Oy нет";

// ВЫБОР pressed for the row on the interval 1 to 4, as the pupil types it.
void pressFor(test::FakeWindow& w, const ChainCase& row) {
    w.pick(row.function);
    for (auto [field, text] : {std::pair{&w.text1, row.a}, {&w.text2, row.k}, {&w.text3, row.b}, {&w.text4, row.c}}) {
        field->setText(text);
    }
    w.text6.setText("1");
    w.text7.setText("4");
    if (*row.base) w.dialogs.answers.push_back(row.base);
    ВЫБОР_Click(w.form);
}

TEST(StepChain, FollowsTheLessonFromTheNumbersOfВЫБОР) {
    using enum StepMove;
    const ChainCase rows[] = {
        // The lesson's example: every move, a fraction for b/k.
        {fn::kSin, "2", "3", "1", "4", "", "y = Sin(x)",
         {{StretchX, "y = Sin(3x)", "Сжатие к оси Oy в 3 раза"},
          {ShiftX, "y = Sin(3(x+1/3)) = Sin(3x+1)", "Сдвиг вдоль оси Ox на 1/3 влево"},
          {StretchY, "y = 2Sin(3x+1)", "Растяжение от оси Ox в 2 раза"},
          {ShiftY, "y = 4+2Sin(3x+1)", "Сдвиг вдоль оси Oy на 4 вверх"}},
         {}},
        // k = -1 and A = -1 only reflect; b/k = 2 is positive: to the left.
        {fn::kCos, "-1", "-1", "-2", "-3", "", "y = Cos(x)",
         {{StretchX, "y = Cos(-x)", "Отражение относительно оси Oy"},
          {ShiftX, "y = Cos(-(x+2)) = Cos(-x-2)", "Сдвиг вдоль оси Ox на 2 влево"},
          {StretchY, "y = -Cos(-x-2)", "Отражение относительно оси Ox"},
          {ShiftY, "y = -3-Cos(-x-2)", "Сдвиг вдоль оси Oy на 3 вниз"}},
         {}},
        // Factors below 1 turn the words round, by 1/|k| and 1/|A|; zero
        // shifts are left out.
        {fn::kSquare, "0.5", "0.5", "0", "0", "", "y = (x)^2",
         {{StretchX, "y = (0.5x)^2", "Растяжение от оси Oy в 2 раза"},
          {StretchY, "y = 0.5(0.5x)^2", "Сжатие к оси Ox в 2 раза"}},
         {kNoB, kNoC}},
        // Negative k and A: squeeze or stretch and reflection; b/k = -0.25.
        {fn::kCube, "-2", "-4", "1", "0.25", "", "y = (x)^3",
         {{StretchX, "y = (-4x)^3", "Сжатие к оси Oy в 4 раза и отражение относительно оси Oy"},
          {ShiftX, "y = (-4(x-0.25))^3 = (-4x+1)^3", "Сдвиг вдоль оси Ox на 0.25 вправо"},
          {StretchY, "y = -2(-4x+1)^3", "Растяжение от оси Ox в 2 раза и отражение относительно оси Ox"},
          {ShiftY, "y = 0.25-2(-4x+1)^3", "Сдвиг вдоль оси Oy на 0.25 вверх"}},
         {}},
        {fn::kLog, "1", "2", "0", "0", "", "y = Log(x)",
         {{StretchX, "y = Log(2x)", "Сжатие к оси Oy в 2 раза"}},
         {kNoB, kNoA, kNoC}},
        // The base-a logarithm with the base of the box; k = 1 is left out,
        // so the shift is b itself.
        {fn::kLogBase, "3", "1", "1", "-2", "2", "y = Log(x)/Log(2)",
         {{ShiftX, "y = Log(x+1)/Log(2)", "Сдвиг вдоль оси Ox на 1 влево"},
          {StretchY, "y = 3Log(x+1)/Log(2)", "Растяжение от оси Ox в 3 раза"},
          {ShiftY, "y = -2+3Log(x+1)/Log(2)", "Сдвиг вдоль оси Oy на 2 вниз"}},
         {kNoK}},
        // Whole b and k: b/k reduced (-4/6 = -2/3), a whole b/k (8/2), and
        // 1/16 whose decimal 0.0625 is not short.
        {fn::kSin, "1", "6", "-4", "0", "", "y = Sin(x)",
         {{StretchX, "y = Sin(6x)", "Сжатие к оси Oy в 6 раз"},
          {ShiftX, "y = Sin(6(x-2/3)) = Sin(6x-4)", "Сдвиг вдоль оси Ox на 2/3 вправо"}},
         {kNoA, kNoC}},
        {fn::kSin, "1", "2", "8", "0", "", "y = Sin(x)",
         {{StretchX, "y = Sin(2x)", "Сжатие к оси Oy в 2 раза"},
          {ShiftX, "y = Sin(2(x+4)) = Sin(2x+8)", "Сдвиг вдоль оси Ox на 4 влево"}},
         {kNoA, kNoC}},
        {fn::kSin, "1", "16", "1", "0", "", "y = Sin(x)",
         {{StretchX, "y = Sin(16x)", "Сжатие к оси Oy в 16 раз"},
          {ShiftX, "y = Sin(16(x+1/16)) = Sin(16x+1)", "Сдвиг вдоль оси Ox на 1/16 влево"}},
         {kNoA, kNoC}},
        // Short decimals give fractions too: 1/0.3 = 10/3, 0.5/0.3 = 5/3;
        // 1/0.2 = 5 and 21 take "раз".
        {fn::kSin, "1", "0.3", "0.5", "0", "", "y = Sin(x)",
         {{StretchX, "y = Sin(0.3x)", "Растяжение от оси Oy в 10/3 раза"},
          {ShiftX, "y = Sin(0.3(x+5/3)) = Sin(0.3x+0.5)", "Сдвиг вдоль оси Ox на 5/3 влево"}},
         {kNoA, kNoC}},
        {fn::kSin, "0.2", "21", "0", "0", "", "y = Sin(x)",
         {{StretchX, "y = Sin(21x)", "Сжатие к оси Oy в 21 раз"},
          {StretchY, "y = 0.2Sin(21x)", "Сжатие к оси Ox в 5 раз"}},
         {kNoB, kNoC}},
        // A long decimal: its quotients rounded, and said to be; no factored
        // formula then. A typed |k| above 1 is shown as typed.
        {fn::kSin, "1", "0.333333333", "1", "0", "", "y = Sin(x)",
         {{StretchX, "y = Sin(0.333333333x)", "Растяжение от оси Oy примерно в 3 раза"},
          {ShiftX, "y = Sin(0.333333333x+1)", "Сдвиг вдоль оси Ox примерно на 3 влево"}},
         {kNoA, kNoC}},
        {fn::kCos, "1", "1.25", "0", "0", "", "y = Cos(x)",
         {{StretchX, "y = Cos(1.25x)", "Сжатие к оси Oy в 1.25 раза"}},
         {kNoB, kNoA, kNoC}},
        // The user's decimal comma in formulas and sentences alike.
        {fn::kCos, "2.5", "4", "2", "-1.5", "", "y = Cos(x)",
         {{StretchX, "y = Cos(4x)", "Сжатие к оси Oy в 4 раза"},
          {ShiftX, "y = Cos(4(x+0,5)) = Cos(4x+2)", "Сдвиг вдоль оси Ox на 0,5 влево"},
          {StretchY, "y = 2,5Cos(4x+2)", "Растяжение от оси Ox в 2,5 раза"},
          {ShiftY, "y = -1,5+2,5Cos(4x+2)", "Сдвиг вдоль оси Oy на 1,5 вниз"}},
         {},
         ","},
        // Empty fields (and a k typed as 0) change nothing: no step at all.
        {fn::kSin, "", "0", "", "", "", "y = Sin(x)", {}, {kNoK, kNoB, kNoA, kNoC}},
    };
    for (const ChainCase& row : rows) {
        SCOPED_TRACE(std::string(row.function) + " A=" + row.a + " k=" + row.k + " b=" + row.b + " C=" + row.c);
        const test::DecimalSeparator separator{row.separator};
        test::FakeWindow w;
        pressFor(w, row);
        ASSERT_TRUE(HasStepChain(w.form.state));
        const StepChain chain = ComposeSteps(w.form.state);
        EXPECT_EQ(chain.baseFormula, row.baseFormula);
        ASSERT_EQ(chain.steps.size(), row.steps.size());
        for (std::size_t i = 0; i < row.steps.size(); ++i) {
            EXPECT_EQ(chain.steps[i].move.kind, row.steps[i].move) << i;
            EXPECT_EQ(chain.steps[i].heading, "Шаг " + std::to_string(i + 1));
            EXPECT_EQ(chain.steps[i].formula, row.steps[i].formula);
            EXPECT_EQ(chain.steps[i].sentence, row.steps[i].sentence);
        }
        EXPECT_EQ(chain.leftOut, std::vector<std::string>(row.leftOut.begin(), row.leftOut.end()));
        // The last formula ends in the one ВЫБОР wrote, without the sign of
        // a leading A.
        if (!chain.steps.empty()) {
            const std::string last = chain.steps.back().formula, text5 = w.text5.text();
            EXPECT_EQ(last.substr(last.rfind(" = ") + 3), text5.substr(text5.front() == '+' ? 1 : 0));
        }
    }
}

TEST(StepChain, NeedsAPlottedFunctionAndThePressOfВЫБОР) {
    test::FakeWindow w;
    w.pick(fn::kSin);
    EXPECT_FALSE(HasStepChain(w.form.state));  // no ВЫБОР yet: k and A unset
    ВЫБОР_Click(w.form);
    EXPECT_TRUE(HasStepChain(w.form.state));
    w.pick("ФУНКЦИИ");
    EXPECT_FALSE(HasStepChain(w.form.state));
}

// Each move as data: its kind, what it does and its number as the sheet
// writes it; the sentence comes from that alone, in either case.
struct MoveRow {
    StepMove kind;
    Scaling scaling;
    bool reflects;
    Direction direction;
    const char* number;
    bool approximate;
    double amount;
};

struct MoveCase {
    const char *function, *a, *k, *b, *c;
    std::vector<MoveRow> moves;
};

TEST(StepChain, GivesEachMoveAsData) {
    using enum StepMove;
    using S = Scaling;
    using D = Direction;
    const MoveCase rows[] = {
        {fn::kSin, "2", "3", "1", "4",
         {{StretchX, S::Squeeze, false, D::None, "3", false, 3},
          {ShiftX, S::None, false, D::Left, "1/3", false, 1.0 / 3},
          {StretchY, S::Stretch, false, D::None, "2", false, 2},
          {ShiftY, S::None, false, D::Up, "4", false, 4}}},
        {fn::kCube, "-0.5", "-0.25", "-1", "-2",
         {{StretchX, S::Stretch, true, D::None, "4", false, -0.25},
          {ShiftX, S::None, false, D::Left, "4", false, 4},
          {StretchY, S::Squeeze, true, D::None, "2", false, -0.5},
          {ShiftY, S::None, false, D::Down, "2", false, -2}}},
        {fn::kCos, "-1", "-1", "3", "0",
         {{StretchX, S::None, true, D::None, "", false, -1},
          {ShiftX, S::None, false, D::Right, "3", false, -3},
          {StretchY, S::None, true, D::None, "", false, -1}}},
        {fn::kSin, "1", "0.333333333", "1", "0",
         {{StretchX, S::Stretch, false, D::None, "3", true, 0.333333333},
          {ShiftX, S::None, false, D::Left, "3", true, 1 / 0.333333333}}},
    };
    for (const MoveCase& row : rows) {
        SCOPED_TRACE(std::string(row.function) + " A=" + row.a + " k=" + row.k + " b=" + row.b + " C=" + row.c);
        test::FakeWindow w;
        pressFor(w, {row.function, row.a, row.k, row.b, row.c, "", "", {}, {}});
        const StepChain chain = ComposeSteps(w.form.state);
        ASSERT_EQ(chain.steps.size(), row.moves.size());
        for (std::size_t i = 0; i < row.moves.size(); ++i) {
            const Move& move = chain.steps[i].move;
            const MoveRow& want = row.moves[i];
            SCOPED_TRACE(chain.steps[i].sentence);
            EXPECT_EQ(move.kind, want.kind);
            EXPECT_EQ(move.scaling, want.scaling);
            EXPECT_EQ(move.reflects, want.reflects);
            EXPECT_EQ(move.direction, want.direction);
            EXPECT_EQ(move.number.text, want.number);
            EXPECT_EQ(move.number.approximate, want.approximate);
            EXPECT_NEAR(move.amount, want.amount, 1e-6);
            EXPECT_EQ(chain.steps[i].sentence, MoveSentence(move));
            // The same words with a small first letter, to stand inside a sentence.
            const std::string small = MoveSentence(move, false), capital = MoveSentence(move);
            EXPECT_NE(small.substr(0, 2), capital.substr(0, 2));
            EXPECT_EQ(small.substr(2), capital.substr(2));
            EXPECT_TRUE(SaidAlike(move, move));
        }
    }
}

// ---- the graphs --------------------------------------------------------------

struct StepSheet {
    explicit StepSheet(std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) {
            owned.push_back(std::make_unique<test::RecordingCanvas>(layout::kStepGraph.width, layout::kStepGraph.height));
            graphs.push_back(owned.back().get());
        }
    }
    test::RecordingCanvas& operator[](std::size_t i) { return *owned[i]; }
    std::vector<std::unique_ptr<test::RecordingCanvas>> owned;
    std::vector<Canvas*> graphs;
    std::vector<std::string> notes;
};

bool samePoints(const std::vector<Call>& a, const std::vector<Call>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].x1 != b[i].x1 || a[i].y1 != b[i].y1) return false;
    }
    return true;
}

TEST(StepGraphs, RunFromThePlotsBlueGraphToItsRedOneOnOneScale) {
    test::FakeWindow w;
    w.pick(fn::kSin);
    for (auto [field, text] : {std::pair{&w.text1, "2"}, {&w.text2, "3"}, {&w.text3, "1"}, {&w.text4, "4"},
                               {&w.text6, "0"}, {&w.text7, "2"}}) {
        field->setText(text);
    }
    ВЫБОР_Click(w.form);
    Command1_Click(w.form);
    const StepChain chain = ComposeSteps(w.form.state);
    StepSheet sheet(chain.steps.size() + 1);
    DrawStepGraphs(chain, sheet.graphs, sheet.notes);

    EXPECT_EQ(sheet.notes, std::vector<std::string>(5));
    EXPECT_TRUE(samePoints(sheet[0].pointsIn(kBlue), w.picture1.pointsIn(kBlue)));
    EXPECT_TRUE(sheet[0].pointsIn(kRed).empty() && sheet[0].pointsIn(kMutedCurve).empty());
    EXPECT_TRUE(samePoints(sheet[4].pointsIn(kRed), w.picture1.pointsIn(kRed)));
    for (std::size_t i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        // The curve before the step is the one the graph before ends with.
        EXPECT_TRUE(samePoints(sheet[i].pointsIn(kMutedCurve), sheet[i - 1].pointsIn(i == 1 ? kBlue : kRed)));
        EXPECT_TRUE(sheet[i].pointsIn(kBlue).empty());
        // The red curve drawn over the muted one.
        const auto& calls = sheet[i].calls();
        const auto lastMuted = std::find_if(calls.rbegin(), calls.rend(), [](const Call& c) { return c.colour == kMutedCurve; });
        const auto firstRed = std::find_if(calls.begin(), calls.end(), [](const Call& c) { return c.op == Op::Point && c.colour == kRed; });
        EXPECT_LT(calls.rend() - lastMuted - 1, firstRed - calls.begin());
    }
    // Step 2 moves the curve of step 1 whole, by 1/3 to the left.
    const auto before = sheet[2].pointsIn(kMutedCurve), after = sheet[2].pointsIn(kRed);
    ASSERT_FALSE(before.empty());
    EXPECT_NEAR(after.front().x1 - before.front().x1, -1.0 / 3, 1e-6);
    EXPECT_NEAR(after.front().y1, before.front().y1, 1e-4);

    // One scale for all, holding every point of every curve.
    const Call scale = sheet[0].calls()[1];
    ASSERT_EQ(scale.op, Op::Scale);
    for (std::size_t i = 0; i < sheet.graphs.size(); ++i) {
        const Call s = sheet[i].calls()[1];
        EXPECT_EQ(std::tie(s.x1, s.y1, s.x2, s.y2), std::tie(scale.x1, scale.y1, scale.x2, scale.y2));
        for (const Call& c : sheet[i].calls()) {
            if (c.op != Op::Point) continue;
            EXPECT_TRUE(c.x1 > scale.x1 && c.x1 < scale.x2 && c.y1 < scale.y1 && c.y1 > scale.y2) << c.x1 << " " << c.y1;
        }
    }
    // 4 + 2 sin reaches 6, and y = 0 is in view.
    EXPECT_GT(scale.y1, 6.0);
    EXPECT_LT(scale.y2, 0.0);
}

TEST(StepGraphs, DrawWhereDefinedSayWhereNowhereAndReportAFaultAfterAll) {
    // Log(2x+20) on 1 to 4: ВЫБОР lets it through, but over the red
    // interval -19 to -16 the argument is negative everywhere.
    test::FakeWindow w;
    w.pick(fn::kLog);
    for (auto [field, text] : {std::pair{&w.text1, "1"}, {&w.text2, "2"}, {&w.text3, "20"}, {&w.text4, "0"},
                               {&w.text6, "1"}, {&w.text7, "4"}}) {
        field->setText(text);
    }
    ВЫБОР_Click(w.form);
    StepChain chain = ComposeSteps(w.form.state);
    ASSERT_EQ(chain.steps.size(), 2u);
    StepSheet nowhere(3);
    EXPECT_TRUE(runGuarded(w.dialogs, [&] { DrawStepGraphs(chain, nowhere.graphs, nowhere.notes); }));
    EXPECT_EQ(nowhere.notes, (std::vector<std::string>{"", kNowhereDefinedNote, kNowhereDefinedNote}));
    EXPECT_GT(nowhere[0].pointsIn(kBlue).size(), 1000u);
    EXPECT_TRUE(nowhere[1].pointsIn(kRed).empty());

    // k = -1, b = 5 on 1 to 4: Log(-x+5) over -4 to -1 is defined, Log(-x)
    // before the shift over -9 to -6 too, and ln x over 1 to 4. Over a
    // backward interval there is no x at all.
    w.text2.setText("-1");
    w.text3.setText("5");
    ВЫБОР_Click(w.form);
    chain = ComposeSteps(w.form.state);
    chain.base.start = 5;
    StepSheet partly(3);
    DrawStepGraphs(chain, partly.graphs, partly.notes);
    EXPECT_EQ(partly.notes, (std::vector<std::string>{kEmptyIntervalNote, "", ""}));
    EXPECT_GT(partly[2].pointsIn(kRed).size(), 1000u);

    // The base 1 divides by ln 1 = 0 in every value (on 2 to 4 no value is
    // ln 1 itself): each graph says so, and the one message box of the fault
    // comes after all were drawn.
    w.pick(fn::kLogBase);
    w.text6.setText("2");
    w.dialogs.answers.push_back("1");
    ВЫБОР_Click(w.form);
    chain = ComposeSteps(w.form.state);
    StepSheet faulted(chain.steps.size() + 1);
    w.dialogs.messages.clear();
    EXPECT_FALSE(runGuarded(w.dialogs, [&] { DrawStepGraphs(chain, faulted.graphs, faulted.notes); }));
    EXPECT_EQ(w.dialogs.messages, std::vector<std::string>{faultMessage(FaultKind::DivisionByZero)});
    for (std::size_t i = 0; i < faulted.graphs.size(); ++i) {
        EXPECT_EQ(faulted.notes[i].rfind(faultMessage(FaultKind::DivisionByZero), 0), 0u) << faulted.notes[i];
        EXPECT_EQ(faulted[i].count(Op::Scale), 1);  // its paper and axes are there
    }
}

} // namespace
} // namespace viramont
