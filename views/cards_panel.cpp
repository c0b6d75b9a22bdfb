#include "views/cards_panel.h"

#include "toolkit/controls.h"
#include "views/practice.h"

#include <algorithm>
#include <charconv>

namespace viramont::view {

namespace part = cards_part;

const Panel& cardsPanel() {
    static const Panel panel = [] {
        std::vector<std::string> levels;
        for (const LevelChoice& choice : kLevels) levels.emplace_back(choice.name);
        return Panel{
            .id = "cards",
            .title = kCardsTitle,
            .enter = Command::Save,
            .parts = {
                numberPart(part::kVariants, rangeCaption(kVariantsLabel, 1, practice::kMostVariants), 1, practice::kMostVariants, kDefaultVariants),
                numberPart(part::kSetNumber, rangeCaption(kSetNumberLabel, 1, practice::kMostSetNumber), 1, practice::kMostSetNumber, 1),
                choicePart(part::kLevel, kLevelLabel, std::move(levels), Command::None),
                buttonsPart({{Command::Save, kCardsSave}, {Command::Print, kCardsPrint}, {Command::Close, kCloseCaption, true}}),
            },
        };
    }();
    return panel;
}

std::optional<int> readWholeNumber(const std::string& typed, int low, int high) {
    const std::size_t first = typed.find_first_not_of(' '), last = typed.find_last_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    const std::string_view digits(typed.data() + first, last - first + 1);
    long value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc::invalid_argument || end != digits.data() + digits.size()) return std::nullopt;
    if (error == std::errc::result_out_of_range) return digits.front() == '-' ? low : high;
    return int(std::clamp<long>(value, low, high));
}

CardsRequest requestCards(const PanelValues& values) {
    CardsRequest request;
    int numbers[2] = {};
    const std::string* names[2] = {&part::kVariants, &part::kSetNumber};
    for (int i = 0; i < 2; ++i) {
        const PanelPart& field = *findPart(cardsPanel(), *names[i]);
        const std::optional<int> read = readWholeNumber(values(field.name), field.low, field.high);
        if (!read) {
            request.update.message = notAWholeNumber(field.label.c_str());
            request.update.focus = field.name;
            return request;
        }
        numbers[i] = *read;
        request.update.value(field.name, std::to_string(*read));
    }
    const practice::Level level = kLevels[choiceIndex(values(part::kLevel), kLevels.size())].level;
    request.set = practice::makeCards(numbers[0], numbers[1], level);
    return request;
}

} // namespace viramont::view
