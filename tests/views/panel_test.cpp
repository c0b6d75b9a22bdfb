// The panels' controllers with no front end: a whole round of practice
// through its commands, and the cards' box reading its numbers.

#include "practice_kit.h"
#include "toolkit/number_text.h"
#include "views/cards_panel.h"
#include "views/practice.h"
#include "views/practice_panel.h"

#include <gtest/gtest.h>

#include <map>

namespace viramont::view {
namespace {

namespace part = practice_part;

// The fields of a panel as a pupil filled them, and the panel's parts as
// the updates left them.
struct Screen {
    std::map<std::string, std::string> values;  // fields, numbers, choices
    std::map<std::string, std::string> texts;   // texts and buttons' captions
    std::map<std::string, bool> enabled;
    PanelUpdate last;

    PanelValues read() const {
        return [this](const std::string& name) {
            const auto at = values.find(name);
            return at == values.end() ? std::string() : at->second;
        };
    }
    void show(PanelUpdate update) {
        for (const PartChange& c : update.changes) {
            if (c.text) texts[c.name] = *c.text;
            if (c.value) values[c.name] = *c.value;
            if (c.enabled) enabled[c.name] = *c.enabled;
        }
        last = std::move(update);
    }
    void type(const practice::Transform& t) {
        const double numbers[] = {t.A, t.k, t.b, t.C};
        for (std::size_t i = 0; i < 4; ++i) values[part::field(i)] = doubleText(numbers[i]);
    }
    const std::string& text(const std::string& name) { return texts[name]; }
};

TEST(PracticePanel, PlaysAWholeRoundThroughItsCommands) {
    PracticePanel panel([] { return std::uint64_t(20261209); });
    Screen screen;
    screen.values[part::kLevel] = "2";  // все четыре шага
    screen.show(panel.start(screen.read()));
    EXPECT_EQ(screen.text(part::kHeading), "Задание 1 из 10");
    EXPECT_EQ(screen.last.focus, part::field(0));
    EXPECT_TRUE(screen.last.redrawPicture);
    EXPECT_FALSE(panel.guidesShown()) << "the guide lines give b and C away before a first answer";

    for (int n = 1; n <= practice::kTasksInRound; ++n) {
        SCOPED_TRACE(n);
        const practice::Transform t = panel.round().task().hidden;
        if (n == 1) {
            // Wrong by C: drawn, told what differs, in view, and the guide lines earned.
            screen.type({t.A, t.k, t.b, t.C + 1});
            screen.show(panel.press(Command::Check, screen.read()));
            EXPECT_TRUE(screen.text(part::kVerdict).starts_with("Неверно"));
            EXPECT_NE(screen.text(part::kDiffers).find("Сдвиг вдоль оси Oy"), std::string::npos);
            EXPECT_EQ(screen.last.reveal, part::kDiffers);
            EXPECT_TRUE(screen.last.redrawPicture);
            EXPECT_TRUE(panel.guidesShown());
            EXPECT_NE(screen.last.announcement.find(screen.text(part::kDiffers)), std::string::npos);
            // The solution's numbers typed back are right.
            screen.show(panel.press(Command::ShowSolution, screen.read()));
            EXPECT_EQ(screen.last.reveal, part::kSteps);
            const std::string steps = screen.text(part::kSteps);
            const std::size_t from = steps.find('\n') + 1;
            const std::array<std::string, 4> numbers = test::numbersOf(steps.substr(from, steps.find('\n', from) - from));
            for (std::size_t i = 0; i < 4; ++i) screen.values[part::field(i)] = numbers[i];
            screen.show(panel.press(Command::Check, screen.read()));
            EXPECT_TRUE(screen.text(part::kVerdict).starts_with("Верно")) << steps;
            EXPECT_EQ(screen.last.reveal, part::kVerdict);
        } else if (n == 2) {
            // A hint first, then right: solved with a hint.
            screen.show(panel.press(Command::Hint, screen.read()));
            EXPECT_TRUE(panel.guidesShown());
            EXPECT_FALSE(screen.enabled[part::button(Command::Hint)]);
            screen.type(t);
            screen.show(panel.press(Command::Check, screen.read()));
            EXPECT_TRUE(screen.text(part::kVerdict).starts_with("Верно"));
        } else if (n == 3) {
            // Unreadable: named, not judged, the picture as it was.
            screen.type(t);
            screen.values[part::field(1)] = "1e999";
            screen.show(panel.press(Command::Check, screen.read()));
            EXPECT_FALSE(screen.last.redrawPicture);
            EXPECT_NE(screen.text(part::kVerdict).find("«k»"), std::string::npos);
            screen.type(t);
            screen.show(panel.press(Command::Check, screen.read()));
        } else {
            screen.type(t);
            screen.show(panel.press(Command::Check, screen.read()));
        }
        screen.show(panel.press(Command::NextTask, screen.read()));
        if (n < practice::kTasksInRound) {
            EXPECT_EQ(screen.text(part::kVerdict), "");
            EXPECT_TRUE(screen.enabled[part::button(Command::Hint)]);
            EXPECT_FALSE(panel.guidesShown());
        }
    }
    EXPECT_EQ(screen.text(part::kVerdict), "Верно с первой попытки: 9 из 10. С подсказкой: 1.");
    EXPECT_EQ(screen.text(part::button(Command::NextTask)), "Новый раунд");
    for (const Command c : {Command::Check, Command::Hint, Command::ShowSolution}) {
        EXPECT_FALSE(screen.enabled[part::button(c)]);
        EXPECT_TRUE(panel.press(c, screen.read()).changes.empty()) << "nothing to check after the score";
    }
    screen.show(panel.press(Command::NextTask, screen.read()));
    EXPECT_EQ(screen.text(part::kHeading), "Задание 1 из 10");
    EXPECT_EQ(screen.text(part::button(Command::NextTask)), "Следующее задание");
    EXPECT_TRUE(screen.enabled[part::button(Command::Check)]);
}

TEST(PracticePanel, DescribesEveryPartTheUpdatesName) {
    PracticePanel panel([] { return std::uint64_t(5); });
    Screen screen;
    screen.show(panel.start(screen.read()));
    std::vector<PanelUpdate> updates{screen.last};
    screen.type({});
    for (const Command c : {Command::Check, Command::Hint, Command::ShowSolution, Command::NextTask}) {
        updates.push_back(panel.press(c, screen.read()));
    }
    for (const PanelUpdate& update : updates) {
        for (const PartChange& change : update.changes) EXPECT_TRUE(hasPart(practicePanel(), change.name)) << change.name;
        for (const std::string& name : {update.focus, update.reveal}) {
            if (!name.empty()) {
                EXPECT_TRUE(hasPart(practicePanel(), name)) << name;
            }
        }
    }
}

TEST(CardsPanel, ReadsItsNumbersWithinTheirRanges) {
    struct Row {
        std::string variants, set;
        std::optional<int> readVariants, readSet;  // none: the box says the field holds no whole number
    };
    const Row rows[] = {
        {"8", "17", 8, 17},      {" 12 ", "1", 12, 1},   {"0", "1000", 1, 999},
        {"-5", "99999999999999999999", 1, 999},          {"31", "-99999999999999999999", 30, 1},
        {"", "1", std::nullopt, std::nullopt},           {"2,5", "1", std::nullopt, std::nullopt},
        {"3", "семь", 3, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.variants + " / " + row.set);
        Screen screen;
        screen.values = {{cards_part::kVariants, row.variants}, {cards_part::kSetNumber, row.set}, {cards_part::kLevel, "1"}};
        CardsRequest request = requestCards(screen.read());
        screen.show(request.update);
        const bool read = row.readVariants && row.readSet;
        ASSERT_EQ(request.set.has_value(), read);
        if (read) {
            EXPECT_EQ(int(request.set->cards.size()), *row.readVariants);
            EXPECT_EQ(request.set->setNumber, *row.readSet);
            EXPECT_EQ(request.set->level, practice::Level::TwoMoves);
            EXPECT_EQ(screen.values[cards_part::kSetNumber], std::to_string(*row.readSet)) << "shown as read";
            EXPECT_TRUE(request.update.message.empty());
        } else {
            const std::string& unread = row.readVariants ? cards_part::kSetNumber : cards_part::kVariants;
            EXPECT_EQ(request.update.focus, unread);
            EXPECT_EQ(request.update.message, notAWholeNumber(findPart(cardsPanel(), unread)->label.c_str()));
        }
    }
    EXPECT_EQ(findPart(cardsPanel(), cards_part::kVariants)->label, "Вариантов (1–30):");
}

} // namespace
} // namespace viramont::view
