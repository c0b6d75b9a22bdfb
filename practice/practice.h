#pragma once
// Practice: the pupil sees the blue graph of y = f(x) and the red graph of
// a hidden y = A·f(kx + b) + C, and finds A, k, b and C.
//
// A round is ten tasks; the six functions take turns. A and k come from
// ±1/2, ±1, ±2 and ±3, b and C are small whole numbers; a level sets how
// many of the four moves a task makes (one, two, all four). Each task has an
// interval where the difference shows: its red graph is in view, differs
// from the blue one, and a logarithm's red graph is defined over it.
//
// An answer is checked by the graphs, not the numbers: it is right when its
// curve stamps the pixels of the hidden red graph on the task's picture, or
// pixels within one of them, so that every answer of the same graph counts
// (−Sin(−3x−1) is Sin(3x+1)). A wrong answer is told move by move in the
// words of the step sheet; a field that cannot be read is named and the
// answer is not judged.
//
// The numbers come from the core's own generator: a seed gives the same
// tasks on every machine.

#include "form/form.h"
#include "plot/steps.h"
#include "toolkit/canvas.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace viramont::practice {

inline constexpr int kTasksInRound = 10;

// How many of the four moves a task makes.
enum class Level { OneMove = 1, TwoMoves = 2, AllFour = 4 };

// A small generator of its own (SplitMix64): the same numbers for a seed
// everywhere, whatever the C library.
class Generator {
public:
    explicit Generator(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    // A whole number from 0 to n - 1.
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }

private:
    std::uint64_t state_;
};

struct Transform {
    double A = 1, k = 1, b = 0, C = 0;
    friend bool operator==(const Transform&, const Transform&) = default;
};

struct Task {
    int number = 1;            // 1 to kTasksInRound
    std::string function;      // an entry of Combo1
    std::int16_t logBase = 0;  // a, for Log(b)/Log(a)
    Transform hidden;
    double start = 0, end = 10;  // the interval, as Text6 and Text7 hold it
};

// Task `number` of a round at `level` for `function` (an entry of Combo1),
// its numbers drawn from `generator`.
Task makeTask(Generator& generator, Level level, int number, const std::string& function);
// `count` tasks from `seed`, numbered from 1, the six functions in turn
// from one the seed picks.
std::vector<Task> makeTasks(std::uint64_t seed, Level level, int count);
// The ten tasks of a round from `seed`.
inline std::vector<Task> makeRound(std::uint64_t seed, Level level) { return makeTasks(seed, level, kTasksInRound); }

// The form's state of a task with the numbers `t`, as ВЫБОР leaves it:
// the plot, the step chain and the formula take it.
FormState taskState(const Task& task, const Transform& t);

// "Исходная функция: y = Sin(x)"; a logarithm to a base shows its base:
// "Исходная функция: y = Log(x)/Log(3)".
std::string baseFunctionLine(const Task& task);
// "Задание 3 из 10"
std::string taskHeading(const Task& task);

// The drawing area of the task's picture, in logical pixels: Picture1's.
struct PictureSize {
    int width, height;
};
PictureSize pictureSize();

// The task's picture on `canvas` (of pictureSize() at any ratio): the
// form's plot of the hidden numbers, its axes, guide lines, the blue and
// the red graph; with an `answer`, its curve in green over the red graph's
// interval.
void drawTask(const Task& task, Canvas& canvas, const std::optional<Transform>& answer = {});
inline constexpr Colour kAnswerColour = rgb(0, 160, 0);

// What the task's picture shows, in words, for screen readers: the blue
// graph's function and interval, and where the red graph runs in the words
// of the plot's description (where it starts and ends, its highest and
// lowest points, where it meets the x-axis), never its formula.
std::string describeTask(const Task& task);

// The four fields of an answer, in the order A, k, b, C.
inline constexpr std::array<const char*, 4> kFieldNames{"A", "k", "b", "C"};

// An answer's four texts read as the form reads its fields (0 for A or k
// is 1); a field that cannot be read is named instead.
struct ReadAnswer {
    std::optional<Transform> answer;
    std::string unreadable;  // "Поле «k» не прочитано: ..."; empty when read
};
ReadAnswer readAnswer(const std::array<std::string, 4>& texts);

// Whether the curve of `answer` stamps the hidden red graph's pixels (or
// pixels within one of them) on the task's picture, and no others.
bool sameGraph(const Task& task, const Transform& answer);

struct Verdict {
    bool judged = false;   // the answer could be read
    bool right = false;
    std::string line;      // "Верно: …" or "Неверно: …"; or the field not read
    std::string sentence;  // what differs, move by move; empty when right
    std::optional<Transform> answer;  // the answer as read, when judged
};
Verdict check(const Task& task, const std::array<std::string, 4>& typed);

// What differs between the hidden numbers and `answer`, move by move, in
// the words of the step sheet, as one sentence; the answer taken in its
// form nearest the hidden one (−Sin(−x) for Sin(x), ...).
std::string differences(const Task& task, const Transform& answer);

struct Solution {
    std::string formula;  // as Text5 writes it
    std::string numbers;  // "A = 2; k = 3; b = 1; C = 4"
    StepChain chain;
};
Solution solutionOf(const Task& task);

// A round as the pupil goes through it: the task shown, whether it was
// solved at the first try, and the score.
class Round {
public:
    Round(std::uint64_t seed, Level level) : tasks_(makeRound(seed, level)) {}
    const Task& task() const { return tasks_.at(at_); }
    // Checks an answer to the task shown; the first judged answer decides
    // whether it counts.
    Verdict answer(const std::array<std::string, 4>& typed);
    // The solution of the task shown; the task then counts as not solved.
    Solution showSolution();
    // The next task; false after the last.
    bool next();
    bool finished() const { return at_ + 1 == tasks_.size() && decided_; }
    int rightAtFirstTry() const { return right_; }
    // "Верно с первой попытки: 7 из 10."
    std::string score() const;

private:
    std::vector<Task> tasks_;
    std::size_t at_ = 0;
    bool decided_ = false;
    int right_ = 0;
};

} // namespace viramont::practice
