#include "views/practice.h"

#include "params/formula.h"

namespace viramont::view {

std::vector<std::string> solutionLines(const practice::Solution& solution) {
    std::vector<std::string> lines{FormulaOfY(solution.formula), solution.numbers};
    for (const TransformStep& step : solution.chain.steps) lines.push_back(step.heading + ": " + step.sentence);
    return lines;
}

std::vector<std::string> cardLines(const practice::Task& card) {
    return {practice::kCardTask, practice::baseFunctionLine(card)};
}

std::vector<std::string> keyLines(const practice::KeyEntry& entry) {
    return {entry.formula, entry.numbers, "Шаги: " + entry.steps};
}

} // namespace viramont::view
