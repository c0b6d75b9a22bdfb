#include "practice/cards.h"

#include "practice/picture.h"

#include <algorithm>

namespace viramont::practice {

namespace {
// The seed of a set: apart from any round of practice, and from the other
// levels of the same set number.
std::uint64_t cardSeed(int setNumber, Level level) {
    return 0x43415244ull << 32 | std::uint64_t(setNumber) << 4 | std::uint64_t(level);
}

} // namespace

CardSet makeCards(int variants, int setNumber, Level level) {
    CardSet set;
    set.setNumber = std::clamp(setNumber, 1, kMostSetNumber);
    set.level = level;
    set.cards = makeTasks(cardSeed(set.setNumber, level), level, std::clamp(variants, 1, kMostVariants));
    return set;
}

std::string variantHeading(const Task& card) { return "Вариант " + std::to_string(card.number); }

std::string setLine(const CardSet& set) { return "Набор " + std::to_string(set.setNumber); }

void drawCard(const Task& card, Canvas& graph) { drawPicture(curveOf(card), card.hidden, cardPictureArea(), graph); }

std::vector<KeyEntry> answerKey(const CardSet& set) {
    std::vector<KeyEntry> key;
    for (const Task& card : set.cards) {
        const Solution solution = solutionOf(card);
        std::string steps;
        for (const TransformStep& step : solution.chain.steps) {
            steps += (steps.empty() ? "" : "; ") + MoveSentence(step.move, false);
        }
        key.push_back({variantHeading(card), solution.formula, solution.numbers, steps});
    }
    return key;
}

} // namespace viramont::practice
