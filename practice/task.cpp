#include "practice/task.h"

#include "form/form.h"
#include "practice/moves.h"
#include "practice/picture.h"
#include "practice/practice.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

namespace viramont::practice {

namespace {

constexpr double kFactors[] = {-3, -2, -1, -0.5, 0.5, 2, 3};
constexpr double kLogFactors[] = {0.5, 2, 3};  // a logarithm keeps its graph to the right
constexpr double kShifts[] = {-3, -2, -1, 1, 2, 3};
constexpr std::int16_t kBases[] = {2, 3, 4, 5, 10};
// The farthest a task shifts its graph along Ox, in units.
constexpr double kFarthestShift = 4;

template <std::size_t N>
double oneOf(Generator& g, const double (&values)[N]) {
    return values[g.below(static_cast<int>(N))];
}

// A b for the factor k: whole, at most 3 (6 where |k| is 3), with −b/k a
// whole or half unit no farther than kFarthestShift.
double shiftFor(Generator& g, double k) {
    std::vector<double> shifts;
    const long long K = std::llround(2 * k);  // k in halves
    for (int b = -6; b <= 6; ++b) {
        const bool small = std::abs(b) <= 3 || std::fabs(k) == 3;
        // −b/k in halves is −4b/K.
        if (b != 0 && small && (4LL * b) % K == 0 && std::fabs(b / k) <= kFarthestShift) shifts.push_back(b);
    }
    return shifts[std::size_t(g.below(int(shifts.size())))];
}

// The interval of a function, as the main form plots it: a few periods of
// the sine, the middle of the powers, and for a logarithm the first stretch
// right of 0 on which both the blue graph and the red one are defined.
std::optional<std::pair<double, double>> intervalOf(const std::string& function, const Transform& t) {
    if (function == fn::kSin || function == fn::kCos) return std::pair{-6.0, 6.0};
    if (function == fn::kSquare) return std::pair{-3.0, 3.0};
    if (function == fn::kCube) return std::pair{-2.0, 2.0};
    for (double start : {0.5, 1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0}) {
        if (t.k * start + t.b > 0 && t.k * (start - t.b) + t.b > 0) return std::pair{start, start + 9.0};
    }
    return std::nullopt;
}

// The numbers of a try: `level` of the four moves, in an order drawn from
// `g`, k before b, whose shift follows k.
Transform drawNumbers(Generator& g, Level level, bool logarithm) {
    std::array<int, 4> moves{0, 1, 2, 3};
    for (int i = 3; i > 0; --i) std::swap(moves[std::size_t(i)], moves[std::size_t(g.below(i + 1))]);
    std::array<bool, 4> made{};
    for (int i = 0; i < static_cast<int>(level); ++i) made[std::size_t(moves[std::size_t(i)])] = true;
    Transform t;
    if (made[0]) t.A = oneOf(g, kFactors);
    if (made[1]) t.k = logarithm ? oneOf(g, kLogFactors) : oneOf(g, kFactors);
    if (made[2]) t.b = shiftFor(g, t.k);
    if (made[3]) t.C = oneOf(g, kShifts);
    return t;
}

// Whether `task` keeps every rule but the one of the set.
bool fair(const Task& task) {
    const Curve curve = curveOf(task);
    const Transform& t = task.hidden;
    if (!everyMoveNeeded(curve, t)) return false;
    for (const PictureArea& area : {cardPictureArea(), taskPictureArea()}) {
        if (!readable(pictureFacts(curve, t, area))) return false;
    }
    return !lookAlike(curve, t, pictureLayout(curve, t, cardPictureArea()).view);
}

} // namespace

std::uint64_t Generator::next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

Task makeTask(Generator& g, Level level, int number, const std::string& function, const std::vector<Task>& others,
              int tries) {
    Task task;
    task.number = number;
    task.function = function;
    for (int attempt = 0; attempt < tries; ++attempt) {
        task.logBase = function == fn::kLogBase ? kBases[g.below(int(std::size(kBases)))] : 0;
        task.hidden = drawNumbers(g, level, isLogarithm(function));
        const std::optional<std::pair<double, double>> interval = intervalOf(function, task.hidden);
        if (!interval) continue;
        std::tie(task.start, task.end) = *interval;
        if (!fair(task)) continue;
        if (std::any_of(others.begin(), others.end(), [&](const Task& o) { return drawSameGraph(o, task); })) continue;
        // The check by the main form's plot sees the red graph.
        if (!showsTheDifference(task)) continue;
        return task;
    }
    throw TaskNotMade("Задание не составлено: за " + std::to_string(tries) + " попыток не нашлось нового графика " +
                      function + ", где каждый из " + std::to_string(int(level)) + " шагов виден и нужен.");
}

std::vector<Task> makeTasks(std::uint64_t seed, Level level, int count) {
    Generator g(seed);
    const int first = g.below(int(std::size(kFunctionNames)));
    std::vector<Task> tasks;
    for (int n = 1; n <= count; ++n) {
        const char* function = kFunctionNames[std::size_t(first + n - 1) % std::size(kFunctionNames)];
        tasks.push_back(makeTask(g, level, n, function, tasks));
    }
    return tasks;
}

} // namespace viramont::practice
