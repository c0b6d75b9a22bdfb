#pragma once
// Practice: the pupil sees the blue graph of y = f(x) and the red graph of
// a hidden y = A·f(kx + b) + C, and finds A, k, b and C.
//
// A round is ten tasks of task.h; the six functions take turns. Each task
// has an interval, as the main form plots it, where the difference shows:
// its red graph differs from the blue one, and a logarithm's red graph is
// defined over it.
//
// An answer is checked by the graphs, not the numbers: it is right when its
// curve stamps the pixels of the hidden red graph on the main form's plot
// of the task's interval (of pictureSize()), or
// pixels within one of them, so that every answer of the same graph counts
// (−Sin(−3x−1) is Sin(3x+1)). A wrong answer is told move by move in the
// words of the step sheet; a field that cannot be read is named and the
// answer is not judged.

#include "form/form.h"
#include "plot/plot.h"
#include "plot/steps.h"
#include "practice/task.h"
#include "toolkit/canvas.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace viramont::practice {

// The form's state of a task with the numbers `t`, as ВЫБОР leaves it:
// the plot, the step chain and the formula take it.
FormState taskState(const Task& task, const Transform& t);

// "Исходная функция: y = sin x", as a textbook writes it (notation.h):
// "Исходная функция: y = log₃ x".
std::string baseFunctionLine(const Task& task);
// "Задание 3 из 10"
std::string taskHeading(const Task& task);

// The drawing area of the task's picture, in logical pixels: Picture1's.
struct PictureSize {
    int width, height;
};
PictureSize pictureSize();

// The interval of the hidden red graph, as the main form plots it.
Interval redInterval(const Task& task);

// The task's picture on `canvas` (of pictureSize() at any ratio), by the
// task's own rules (picture.h): the blue and the red graph on a grid of
// one unit a cell; with an `answer`, its curve in green across the picture;
// with `guides`, the guide lines x = −b and y = C of the hidden numbers,
// which give b and C away (a hint).
void drawTask(const Task& task, Canvas& canvas, const std::optional<Transform>& answer = {}, bool guides = false);
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

// Whether the hidden red graph is in view on the main form's plot of the
// task's interval, and is not the blue one: the check can judge answers.
bool showsTheDifference(const Task& task);

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
    std::string formula;  // as a textbook writes it: "y = 2 sin(3x + 1) + 4"
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
    // The hint asked for on the task shown: a right first answer after it
    // counts as solved with a hint.
    void takeHint() { hinted_ = true; }
    // The next task; false after the last.
    bool next();
    bool finished() const { return at_ + 1 == tasks_.size() && decided_; }
    int rightAtFirstTry() const { return right_; }
    int rightWithHint() const { return rightWithHint_; }
    // "Верно с первой попытки: 7 из 10.", and "С подсказкой: 2." where
    // hints helped.
    std::string score() const;

private:
    std::vector<Task> tasks_;
    std::size_t at_ = 0;
    bool decided_ = false;
    bool hinted_ = false;
    int right_ = 0;
    int rightWithHint_ = 0;
};

} // namespace viramont::practice
