#pragma once
// Practice and the cards for a class (practice/) as both front ends show
// them: the menu's two items, the practice panel's texts, and the pages of
// cards.
//
// The practice panel: the level, "Задание N из 10", the base function, the
// task's picture, the four fields A, k, b and C, the buttons, the verdict
// and what differs, the solution; after the tenth task the score and a new
// round. The cards: four to a landscape A4 page, two by two, each with its
// heading, the task, the base function and the picture; then the pages of
// the answer key, headed "Ответы"; the set number on every page.

#include "practice/cards.h"
#include "practice/practice.h"
#include "views/menu.h"
#include "views/sheet.h"

#include <array>
#include <string>
#include <vector>

namespace viramont::view {

// The canvases' menu gives these too, after its own items.
inline constexpr std::array<CommandItem, 2> kClassMenu{{
    {Command::Practice, "Тренировка…", 0, KeyScope::None, true},
    {Command::Cards, "Карточки для класса…", 0, KeyScope::None, false},
}};

inline constexpr const char* kPracticeTitle = "Тренировка";
inline constexpr const char* kLevelLabel = "Уровень:";
struct LevelChoice {
    practice::Level level;
    const char* name;
};
inline constexpr std::array<LevelChoice, 3> kLevels{{
    {practice::Level::OneMove, "один шаг"},
    {practice::Level::TwoMoves, "два шага"},
    {practice::Level::AllFour, "все четыре шага"},
}};
inline constexpr const char* kAnswerPrompt = "Ваш ответ, y = A·f(kx + b) + C:";
inline constexpr const char* kCheckButton = "Проверить";
inline constexpr const char* kSolutionButton = "Показать решение";
inline constexpr const char* kNextButton = "Следующее задание";
inline constexpr const char* kNewRoundButton = "Новый раунд";
inline constexpr const char* kPracticePictureName = "График задания";

// The solution as lines: the formula as a textbook writes it, the numbers, then
// each step of the chain with its heading.
std::vector<std::string> solutionLines(const practice::Solution& solution);

inline constexpr const char* kCardsTitle = "Карточки для класса";
inline constexpr const char* kVariantsLabel = "Вариантов";
inline constexpr const char* kSetNumberLabel = "Номер набора";
// A number's caption with its range: "Вариантов (1–30):".
std::string rangeCaption(const char* name, int low, int high);
inline constexpr const char* kCardsSave = "Сохранить PDF…";
inline constexpr const char* kCardsPrint = "Печать…";
inline constexpr const char* kCardsFileName = "карточки.pdf";
inline constexpr int kDefaultVariants = 8;
// A field of the box that holds no whole number, named by its caption.
std::string notAWholeNumber(const char* label);
// The cards' pages that the browser could not make.
inline constexpr const char* kCardsNotMade = "Карточки не удалось подготовить: браузер не смог создать изображение страниц.";
// The pages' resolution on the page: logical pixels (96 to the inch) to a
// device one, 240 dpi.
inline constexpr double kCardsPageRatio = 2.5;

// A page of cards in millimetres: landscape A4, two by two.
struct CardsPage {
    double width = 297, height = 210, margin = 12;
    int columns = 2, rows = 2;
    double gap = 8;         // between cards
    double footerRoom = 6;  // the set number's line at the foot
    double inset = 3;       // inside a card's frame
    double paragraphGap = 0.6;
    layout::FontStyle heading{"Arial", 14, true, false};     // "Вариант N"
    layout::FontStyle text{"Arial", 10, false, false};       // the task, the base function, the key
    layout::FontStyle footer{"Arial", 9, false, false};      // "Набор N"
    layout::FontStyle keyHeading{"Arial", 11, true, false};  // a variant in the key
    layout::FontStyle answers{"Arial", 16, true, false};     // "Ответы"
    Colour paper = layout::kPaper, ink = layout::kPaperInk;
    Colour frame = layout::kFrameGrey;
    double frameWidth = 0.3;
    int cardsPerPage() const { return columns * rows; }
    double cardWidth() const { return (width - 2 * margin - (columns - 1) * gap) / columns; }
    double cardHeight() const { return (height - 2 * margin - footerRoom - (rows - 1) * gap) / rows; }
};
inline constexpr CardsPage kCardsPage{};
// Millimetres in a logical pixel (96 to the inch), the unit of TextMetrics.
inline constexpr double kMmPerPixel = 25.4 / 96;

// A page of cards laid out, in millimetres from its top-left corner: its
// lines (y the top of a line), each card's frame and the box of its
// picture (of layout::kStepGraph's proportions).
struct CardsLine {
    std::string text;
    layout::FontStyle font;
    double x, y;
};
struct CardsBox {
    double x, y, width, height;
};
struct CardsGraph {
    std::size_t card;  // the variant's index in the set
    CardsBox box;
};
struct CardsSheet {
    std::vector<CardsLine> lines;
    std::vector<CardsBox> frames;
    std::vector<CardsGraph> graphs;
};
// The pages of `set`: the cards four to a page, then the answer key from a
// page of its own, each variant's entry whole on one page; the set number
// at the foot of every page. Texts are measured by `metrics`.
std::vector<CardsSheet> cardsSheets(const practice::CardSet& set, const TextMetrics& metrics,
                                    const CardsPage& page = kCardsPage);

// The lines of a variant on its card, under its heading.
std::vector<std::string> cardLines(const practice::Task& card);
// The answer key's lines of a variant, under its heading.
std::vector<std::string> keyLines(const practice::KeyEntry& entry);

} // namespace viramont::view
