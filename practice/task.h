#pragma once
// A task of practice and of the cards: the pupil sees the blue graph of
// y = f(x) and the red graph of a hidden y = A·f(kx + b) + C, and finds A,
// k, b and C.
//
// The generator makes only tasks a teacher would set:
//   - every move is seen and needed: no answer a pupil can type (A and k
//     from ±1/2, ±1, ±2, ±3, b and C whole) draws the red graph with fewer
//     moves (moves.h proves it for each task), and none with as many or
//     fewer looks like it on the picture;
//   - a level is the number of moves: one, two, or all four of A, k, b, C;
//   - the shift along Ox, −b/k, is a whole or half unit;
//   - the task's picture is one a pupil can read (picture.h);
//   - no two tasks of one set or round draw the same graph.
// A task that cannot be made so is not handed out: TaskNotMade says so.
//
// The numbers come from the core's own generator: a seed gives the same
// tasks on every machine.

#include <cstdint>
#include <stdexcept>
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
    int number = 1;            // 1 to kTasksInRound, or the variant's number
    std::string function;      // an entry of Combo1
    std::int16_t logBase = 0;  // a, for Log(b)/Log(a)
    Transform hidden;
    double start = 0, end = 10;  // the interval, as Text6 and Text7 hold it
};

// The function a task draws: an entry of Combo1 and, for Log(b)/Log(a), a.
struct Curve {
    std::string function;
    int logBase = 0;
};
inline Curve curveOf(const Task& task) { return {task.function, task.logBase}; }

// A task the generator could not make by its rules within its tries.
class TaskNotMade : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The numbers a pupil types: A and k from these, b and C whole.
inline constexpr double kPupilFactors[] = {-3, -2, -1, -0.5, 0.5, 1, 2, 3};

// Task `number` at `level` for `function` (an entry of Combo1), its numbers
// drawn from `generator`, drawing a graph none of `others` draws. Throws
// TaskNotMade when no try within `tries` keeps the rules.
Task makeTask(Generator& generator, Level level, int number, const std::string& function,
              const std::vector<Task>& others = {}, int tries = 400);
// `count` tasks from `seed`, numbered from 1, the six functions in turn
// from one the seed picks, no two of the same graph.
std::vector<Task> makeTasks(std::uint64_t seed, Level level, int count);
// The ten tasks of a round from `seed`.
inline std::vector<Task> makeRound(std::uint64_t seed, Level level) { return makeTasks(seed, level, kTasksInRound); }

} // namespace viramont::practice
