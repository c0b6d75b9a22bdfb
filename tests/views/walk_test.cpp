// Walking the picture by keys and hearing it: the step, the lines said at
// each x, the points of interest against their exact x, the keys, the
// practice picture's silence about its hidden numbers, the score and the
// samples, measured.

#include "form_kit.h"
#include "plot/plot.h"
#include "practice/practice.h"
#include "toolkit/number_text.h"
#include "views/sound.h"
#include "views/walk.h"
#include "toolkit/blank_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <string>
#include <tuple>

namespace viramont::view {
namespace {

using test::FakeWindow;
constexpr double kPi = std::numbers::pi;

class WalkTest : public testing::Test {
protected:
    void SetUp() override { setDecimalSeparator(","); }
    void TearDown() override { setDecimalSeparator("."); }
};

struct Numbers {
    const char* function;
    double A, k, b, C, start, end;
};

// The plot of `n` drawn by Command1 on the fakes, and its picture for the
// walk; each plot drawn once (the fakes keep every point).
WalkPicture plotted(const Numbers& n) {
    static std::map<std::string, WalkPicture> drawn;
    const std::string key = std::string(n.function) + " " + std::to_string(n.A) + " " + std::to_string(n.k) + " " +
                            std::to_string(n.b) + " " + std::to_string(n.C) + " " + std::to_string(n.start) + " " +
                            std::to_string(n.end);
    if (const auto at = drawn.find(key); at != drawn.end()) return at->second;
    FakeWindow w;
    FormState& s = w.form.state;
    s.FunctionName = n.function;
    s.StretchY = static_cast<float>(n.A);
    s.StretchX = Numeric::real(n.k);
    s.ShiftX = Numeric::real(n.b);
    s.ShiftY = static_cast<float>(n.C);
    s.XStart = Numeric::real(n.start);
    s.XEnd = static_cast<float>(n.end);
    s.LogBase = 2;
    const FormState inputs = s;
    Command1_Click(w.form);
    return drawn[key] = plotPicture(inputs, s.Spoken.picture1);
}

constexpr Numbers kSin{fn::kSin, 1, 1, 1, 1, 0, 10};  // the window's initial texts

// A logarithm whose blue graph is meant over x from −2, where it has no
// value up to 0.
WalkPicture logOverNothing() {
    WalkPicture p;
    p.function = fn::kLog;
    p.A = 1, p.k = 2, p.b = 3, p.C = 0;
    p.left = -2, p.right = 10, p.bottom = -3, p.top = 4;
    p.blue = {-2, 10};
    p.red = {-2, 10};
    return p;
}

TEST(WalkStep, IsRoundAndCrossesThePictureInTwentyToFiftySteps) {
    struct Row {
        double left, right, step;
    };
    const Row rows[] = {{-1, 11, 0.5}, {0, 1, 0.05}, {-101, 101, 10}, {0, 7, 0.2}, {-3, 3.28, 0.2}, {0, 2000, 100},
                        {-0.5, 0.5, 0.05}, {4, 5.9, 0.05}};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.left << " to " << r.right);
        const double step = walkStep(r.left, r.right);
        EXPECT_DOUBLE_EQ(step, r.step);
        const double steps = (r.right - r.left) / step;
        EXPECT_GE(steps, 20 - 1e-9);
        EXPECT_LE(steps, 50 + 1e-9);
    }
}

TEST_F(WalkTest, SaysBothValuesAtEachStepAndWhereAGraphIsNot) {
    struct Row {
        const char* what;
        Numbers numbers;
        std::vector<WalkKey> keys;
        const char* line;
    };
    const Numbers cube{fn::kCube, 2, 1, 1, -1, -2, 2};
    const Numbers log{fn::kLog, 1, 1, 1, 1, 1, 10};
    const Row rows[] = {
        {"sine at Home", kSin, {WalkKey::Home}, "x = −1: синего графика нет; красный 1"},
        {"sine a step on", kSin, {WalkKey::Home, WalkKey::Right}, "x = −0,5: синего графика нет; красный 1,48"},
        {"sine by a first Right", kSin, {WalkKey::Right, WalkKey::Right, WalkKey::Right},
         "x = 0: синий 0; красный 1,84"},
        {"sine at End", kSin, {WalkKey::End}, "x = 11: синего графика нет; красного графика нет"},
        {"sine back from End", kSin, {WalkKey::End, WalkKey::Left, WalkKey::Left}, "x = 10: синий −0,54; красного графика нет"},
        {"cube at Home", cube, {WalkKey::Home}, "x = −3: синего графика нет; красный −17"},
        {"cube a step on", cube, {WalkKey::Home, WalkKey::Right}, "x = −2,8: синего графика нет; красный −12,66"},
        {"cube ten steps on", cube, {WalkKey::Home, WalkKey::PageDown}, "x = −1: синий −1; красный −1"},
        {"cube ten back from End", cube, {WalkKey::End, WalkKey::PageUp}, "x = 1: синий 1; красный 15"},
        {"logarithm at Home", log, {WalkKey::Home}, "x = 0: синего графика нет; красный 1"},
        {"logarithm at 1", log, {WalkKey::Home, WalkKey::Right, WalkKey::Right}, "x = 1: синий 0; красный 1,69"},
        {"logarithm ten steps on", log, {WalkKey::Home, WalkKey::PageDown}, "x = 5: синий 1,61; красный 2,79"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        Walk walk(plotted(r.numbers));
        WalkReply reply;
        for (const WalkKey key : r.keys) reply = walk.press(key);
        EXPECT_EQ(reply.text, r.line);
    }
}

TEST_F(WalkTest, SaysNoValueWhereALogarithmHasNone) {
    const WalkPicture p = logOverNothing();
    EXPECT_EQ(stepLine(p, -1), "x = −1: синего графика нет; красный 0");
    EXPECT_EQ(stepLine(p, -1.5), "x = −1,5: синего графика нет; красного графика нет");
    EXPECT_EQ(stepLine(p, 1), "x = 1: синий 0; красный 1,61");
}

TEST_F(WalkTest, FindsEachPointOfInterestAtItsExactX) {
    struct Row {
        const char* what;
        WalkPicture picture;
        InterestKind kind;
        Graph graph;
        double x;
    };
    const WalkPicture sin = plotted(kSin);
    const WalkPicture square = plotted({fn::kSquare, 1, 1, -1, 0, -2, 2});
    const WalkPicture log = logOverNothing();
    const Row rows[] = {
        {"blue sine's zero", sin, InterestKind::Zero, Graph::Blue, kPi},
        {"blue sine's third zero", sin, InterestKind::Zero, Graph::Blue, 3 * kPi},
        {"red sine touches 0", sin, InterestKind::Zero, Graph::Red, 1.5 * kPi - 1},
        {"blue sine's greatest", sin, InterestKind::Greatest, Graph::Blue, 2.5 * kPi},
        {"blue sine's least", sin, InterestKind::Least, Graph::Blue, 1.5 * kPi},
        {"red sine's greatest", sin, InterestKind::Greatest, Graph::Red, kPi / 2 - 1},
        {"red crosses y = C", sin, InterestKind::CrossesC, Graph::Red, 2 * kPi - 1},
        {"the line x = −b", sin, InterestKind::ShiftLine, Graph::Red, -1},
        {"the parabolas meet", square, InterestKind::Meeting, Graph::Red, 0.5},
        {"the red parabola's least", square, InterestKind::Least, Graph::Red, 1},
        {"the red logarithm's border", log, InterestKind::Border, Graph::Red, -1.5},
        {"the blue logarithm's border", log, InterestKind::Border, Graph::Blue, 0},
        {"the red logarithm's zero", log, InterestKind::Zero, Graph::Red, -1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const std::vector<Interest> found = interests(r.picture);
        const auto at = std::find_if(found.begin(), found.end(), [&](const Interest& i) {
            return i.kind == r.kind && i.graph == r.graph && std::fabs(i.x - r.x) < 1e-12 * std::max(1.0, std::fabs(r.x));
        });
        EXPECT_NE(at, found.end());
    }
    // The counts: blue sine meets the x-axis at 0, π, 2π and 3π; the red
    // one crosses y = 1 at −1, π − 1, 2π − 1 and 3π − 1.
    auto count = [](const WalkPicture& p, InterestKind kind, Graph graph) {
        const std::vector<Interest> found = interests(p);
        return std::count_if(found.begin(), found.end(), [&](const Interest& i) { return i.kind == kind && i.graph == graph; });
    };
    EXPECT_EQ(count(sin, InterestKind::Zero, Graph::Blue), 4);
    EXPECT_EQ(count(sin, InterestKind::CrossesC, Graph::Red), 4);
    EXPECT_EQ(count(square, InterestKind::Meeting, Graph::Red), 1);
    // Where the sines meet, their values are one.
    for (const Interest& i : interests(sin)) {
        if (i.kind != InterestKind::Meeting) continue;
        EXPECT_NEAR(std::sin(i.x), std::sin(i.x + 1) + 1, 1e-9) << i.x;
    }
}

TEST_F(WalkTest, KeysReadTheDescriptionWalkThePointsAndPlay) {
    struct Row {
        const char* what;
        std::vector<WalkKey> keys;
        std::string starts;
        WalkReply::Sound sound;
    };
    const Row rows[] = {
        {"Down: the ranges", {WalkKey::Down}, "Отрезок от 0 до 10.", WalkReply::Sound::None},
        {"Down, Down: the blue graph", {WalkKey::Down, WalkKey::Down}, "Синий график — ", WalkReply::Sound::None},
        {"and back Up", {WalkKey::Down, WalkKey::Down, WalkKey::Up}, "Отрезок от 0 до 10.", WalkReply::Sound::None},
        {"past the last line", std::vector<WalkKey>(9, WalkKey::Down), "Конец описания.", WalkReply::Sound::None},
        {"Up before the first", {WalkKey::Up}, "Начало описания.", WalkReply::Sound::None},
        {"] from the start", {WalkKey::NextPoint},
         "Красный график пересекает линию y = 1; Линия x = −1. x = −1: синего графика нет; красный 1",
         WalkReply::Sound::Play},
        {"] then ]", {WalkKey::NextPoint, WalkKey::NextPoint}, "Синий график пересекает ось x. x = 0: синий 0;",
         WalkReply::Sound::Play},
        {"[ from End", {WalkKey::End, WalkKey::PreviousPoint}, "Синий график пересекает ось x. x = 9,42: синий 0;",
         WalkReply::Sound::Play},
        {"Right past the edge", {WalkKey::End, WalkKey::Right}, "Правый край рисунка.", WalkReply::Sound::Play},
        {"Space plays", {WalkKey::Play}, "Графики звучат слева направо.", WalkReply::Sound::Play},
        {"Space again stops", {WalkKey::Play, WalkKey::Play}, "Звук остановлен.", WalkReply::Sound::Stop},
        {"Escape stops", {WalkKey::Play, WalkKey::Stop}, "Звук остановлен.", WalkReply::Sound::Stop},
        {"Escape with nothing playing", {WalkKey::Stop}, "", WalkReply::Sound::None},
        {"M turns the steps' sound off", {WalkKey::StepSound}, "Звук шагов выключен.", WalkReply::Sound::None},
        {"a silent step", {WalkKey::StepSound, WalkKey::Right}, "x = −1:", WalkReply::Sound::None},
        {"M again", {WalkKey::StepSound, WalkKey::StepSound, WalkKey::Right}, "x = −1:", WalkReply::Sound::Play},
    };
    const WalkPicture picture = plotted(kSin);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        Walk walk(picture);
        WalkReply reply;
        for (const WalkKey key : r.keys) reply = walk.press(key);
        EXPECT_EQ(reply.text.substr(0, r.starts.size()), r.starts);
        EXPECT_EQ(reply.sound, r.sound);
        EXPECT_EQ(reply.samples.empty(), r.sound != WalkReply::Sound::Play);
    }
    Walk walk(picture);
    const WalkReply sweep = walk.press(WalkKey::Play);
    EXPECT_TRUE(sweep.sweep);
    EXPECT_NEAR(static_cast<double>(sweep.samples.size()) / 2 / kSampleRate, kSweepSeconds, 0.2);
    walk.sweepEnded();
    EXPECT_EQ(walk.press(WalkKey::Play).sound, WalkReply::Sound::Play);  // not a stop: it had ended
}

TEST(WalkKeys, AreReadByTheirPlaceOnTheKeyboard) {
    const std::pair<const char*, std::optional<WalkKey>> rows[] = {
        {"ArrowDown", WalkKey::Down},       {"ArrowRight", WalkKey::Right},     {"BracketRight", WalkKey::NextPoint},
        {"BracketLeft", WalkKey::PreviousPoint}, {"Space", WalkKey::Play},  {"Escape", WalkKey::Stop},
        {"KeyM", WalkKey::StepSound},       {"PageDown", WalkKey::PageDown},    {"KeyA", std::nullopt},
        {"Enter", std::nullopt},
    };
    for (const auto& [code, key] : rows) EXPECT_EQ(walkKeyOf(code), key) << code;
}

// Keeps the last scale a drawing set: the part of the plane it shows.
struct ScaleCanvas final : BlankCanvas {
    void setScale(double l, double t, double r, double b) override { left = l, top = t, right = r, bottom = b; }
    double left = 0, top = 0, right = 0, bottom = 0;
};

TEST_F(WalkTest, ThePracticePictureNeverSaysItsHiddenFormula) {
    for (const std::uint64_t seed : {1ull, 7ull, 20261209ull}) {
        for (const practice::Task& task : practice::makeRound(seed, practice::Level::AllFour)) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << ", task " << task.number);
            const std::string formula = practice::solutionOf(task).formula;
            Walk walk(taskPicture(task));
            EXPECT_GE(walk.picture().lines.size(), 2u);
            // The walk crosses the part of the plane the task's picture shows,
            // both graphs drawn across it.
            ScaleCanvas drawn;
            practice::drawTask(task, drawn);
            const WalkPicture& p = walk.picture();
            EXPECT_EQ(std::tuple(p.left, p.right, p.bottom, p.top),
                      std::tuple(drawn.left, drawn.right, drawn.bottom, drawn.top));
            if (!p.isLogarithm()) {
                EXPECT_EQ(walk.press(WalkKey::Home).text.find("нет"), std::string::npos);
                EXPECT_EQ(walk.press(WalkKey::End).text.find("нет"), std::string::npos);
            }
            std::vector<std::string> said;
            for (int i = 0; i < 8; ++i) said.push_back(walk.press(WalkKey::Down).text);
            for (int i = 0; i < 12; ++i) said.push_back(walk.press(WalkKey::NextPoint).text);
            said.push_back(walk.press(WalkKey::End).text);
            for (const std::string& text : said) {
                EXPECT_EQ(text.find(formula), std::string::npos) << text;
                for (const char* word : {"Линия x", "линию y", "Пурпурная", "Голубая", "A =", "k =", "b =", "C ="}) {
                    EXPECT_EQ(text.find(word), std::string::npos) << text;
                }
            }
            for (const Interest& i : interests(walk.picture())) {
                EXPECT_NE(i.kind, InterestKind::CrossesC);
                EXPECT_NE(i.kind, InterestKind::ShiftLine);
            }
            const Score score = sweepScore(walk.picture());
            for (const CueNote& c : score.cues) EXPECT_TRUE(c.cue == Cue::Zero || c.cue == Cue::Edge);
        }
    }
}

// ---- the score ---------------------------------------------------------------------

double xOfTime(const WalkPicture& p, double t) { return p.left + (p.right - p.left) * t / kSweepSeconds; }

TEST_F(WalkTest, TheScorePlaysNoToneWhereALogarithmHasNoValueAndOneCueAtItsBorder) {
    const WalkPicture p = logOverNothing();
    const Score score = sweepScore(p);
    for (const Tone& tone : score.tones) {
        if (tone.voice != Voice::Blue) continue;
        EXPECT_GT(xOfTime(p, tone.start + tone.knotSeconds / 2), 0);  // its first knot's x
        EXPECT_GE(xOfTime(p, tone.start), 0);
    }
    const double border = kSweepSeconds * (0 - p.left) / (p.right - p.left);
    const double knot = kSweepSeconds / 300;
    const auto atBorder = std::count_if(score.cues.begin(), score.cues.end(), [&](const CueNote& c) {
        return c.cue == Cue::Edge && std::fabs(c.start - border) <= knot;
    });
    EXPECT_EQ(atBorder, 1);
    EXPECT_FALSE(score.noises.empty());
    EXPECT_LE(score.noises.front().start, 0.0);
}

TEST_F(WalkTest, TheScoreCuesEachCrossingOfTheLineYEqualsC) {
    const WalkPicture p = plotted(kSin);
    const Score score = sweepScore(p);
    EXPECT_EQ(std::count_if(score.cues.begin(), score.cues.end(), [](const CueNote& c) { return c.cue == Cue::CrossesC; }), 4);
    EXPECT_EQ(std::count_if(score.cues.begin(), score.cues.end(), [](const CueNote& c) { return c.cue == Cue::ShiftLine; }), 1);
    const std::vector<Interest> found = interests(p);
    EXPECT_EQ(std::count_if(score.cues.begin(), score.cues.end(), [](const CueNote& c) { return c.cue == Cue::Zero; }),
              std::count_if(found.begin(), found.end(), [](const Interest& i) { return i.kind == InterestKind::Zero; }));
}

TEST_F(WalkTest, PitchRisesWhereYRises) {
    const WalkPicture cube = plotted({fn::kCube, 2, 1, 1, -1, -2, 2});
    const Score score = sweepScore(cube);
    ASSERT_EQ(score.tones.size(), 2u);
    for (const Tone& tone : score.tones) {
        for (std::size_t i = 1; i < tone.pitch.size(); ++i) EXPECT_GE(tone.pitch[i], tone.pitch[i - 1]);
        EXPECT_GT(tone.pitch.back(), tone.pitch.front());
    }
    EXPECT_DOUBLE_EQ(pitchOf(cube, cube.bottom), kLowPitch);
    EXPECT_DOUBLE_EQ(pitchOf(cube, cube.top), kHighPitch);
    EXPECT_NEAR(pitchOf(cube, (cube.bottom + cube.top) / 2), 440, 1e-9);  // an octave up from each end
}

// ---- the samples, measured ---------------------------------------------------------

struct Channels {
    std::vector<double> left, right;
};
Channels split(const std::vector<float>& samples) {
    Channels c;
    for (std::size_t i = 0; i + 1 < samples.size(); i += 2) c.left.push_back(samples[i]), c.right.push_back(samples[i + 1]);
    return c;
}

// The frequency of a tone from its upward zero crossings, between the first
// and the last one, inside [from, to).
double measuredPitch(const std::vector<double>& s, std::size_t from, std::size_t to) {
    double first = -1, last = -1;
    int crossings = 0;
    for (std::size_t i = from + 1; i < to; ++i) {
        if (s[i - 1] < 0 && s[i] >= 0) {
            const double at = static_cast<double>(i - 1) + s[i - 1] / (s[i - 1] - s[i]);
            if (first < 0) first = at;
            else ++crossings;
            last = at;
        }
    }
    return crossings * kSampleRate / (last - first);
}

double loudness(const std::vector<double>& s) {
    double sum = 0;
    for (const double v : s) sum += v * v;
    return std::sqrt(sum / static_cast<double>(s.size()));
}

TEST(Samples, ToneFrequencyAndPlaceAreTheScoresAndNothingClicks) {
    struct Row {
        Voice voice;
        double pitch, place;
    };
    const Row rows[] = {{Voice::Blue, kLowPitch, -1}, {Voice::Blue, kHighPitch, 1},    {Voice::Red, kLowPitch, -0.5},
                        {Voice::Red, kHighPitch, 0.5}, {Voice::Blue, 523.25, 0},       {Voice::Red, 311.1, 0.8}};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << int(r.voice) << " at " << r.pitch << " Hz, place " << r.place);
        Score score;
        score.tones.push_back({r.voice, 0.1, 0.5, {r.pitch}, {r.place}});
        score.length = 0.7;
        const std::vector<float> samples = render(score);
        const Channels c = split(samples);
        const std::vector<double>& louder = r.place < 0 ? c.left : c.right;
        const std::size_t begin = static_cast<std::size_t>(0.15 * kSampleRate), end = static_cast<std::size_t>(0.55 * kSampleRate);
        EXPECT_NEAR(measuredPitch(louder, begin, end), r.pitch, 0.005 * r.pitch);
        // The place from the two channels' loudness, as equal-power panning sets it.
        const double angle = std::atan2(loudness(c.right), loudness(c.left));
        EXPECT_NEAR(angle * 4 / kPi - 1, r.place, 0.01);
        // No click: the tone comes in and goes out from silence, and no two
        // neighbouring samples jump.
        const std::size_t first = static_cast<std::size_t>(0.1 * kSampleRate);
        const std::size_t last = static_cast<std::size_t>(0.6 * kSampleRate) - 1;
        EXPECT_LT(std::fabs(louder[first]), 1e-3);
        EXPECT_LT(std::fabs(louder[last]), 1e-3);
        EXPECT_EQ(louder[first - 1], 0.0);
        EXPECT_EQ(louder[last + 2], 0.0);
        double jump = 0;
        for (std::size_t i = 1; i < louder.size(); ++i) jump = std::max(jump, std::fabs(louder[i] - louder[i - 1]));
        EXPECT_LT(jump, 0.1);
    }
}

TEST_F(WalkTest, AStepPlaysBlueThenRedAndItsCues) {
    const WalkPicture p = plotted(kSin);
    // At x = 0 blue is 0 (a cue) and red sin 1 + 1.
    const Score score = stepScore(p, 0);
    ASSERT_EQ(score.tones.size(), 2u);
    EXPECT_EQ(score.tones[0].voice, Voice::Blue);
    EXPECT_EQ(score.tones[1].voice, Voice::Red);
    EXPECT_GT(score.tones[1].start, score.tones[0].start + score.tones[0].length() - 1e-9);
    EXPECT_DOUBLE_EQ(score.tones[0].pitch[0], pitchOf(p, 0));
    ASSERT_EQ(score.cues.size(), 1u);
    EXPECT_EQ(score.cues[0].cue, Cue::Zero);
    // The samples: the blue tone's pitch measured, and the cue heard after both.
    const Channels c = split(render(score));
    const std::size_t toneFrom = static_cast<std::size_t>(0.02 * kSampleRate), toneTo = static_cast<std::size_t>(0.16 * kSampleRate);
    EXPECT_NEAR(measuredPitch(c.left, toneFrom, toneTo), pitchOf(p, 0), 0.005 * pitchOf(p, 0));
    const std::size_t cueAt = static_cast<std::size_t>((score.cues[0].start + 0.03) * kSampleRate);
    EXPECT_GT(std::fabs(c.left[cueAt]) + std::fabs(c.left[cueAt + 3]) + std::fabs(c.left[cueAt + 7]), 0.01);
    // Where the red graph is not drawn, soft noise instead of its tone.
    const Score end = stepScore(p, 10.5);
    EXPECT_TRUE(end.tones.empty());
    EXPECT_EQ(end.noises.size(), 2u);
}

} // namespace
} // namespace viramont::view
