#pragma once
// Cards for a class: one variant a desk, each a task of practice.h on
// paper, and the answer key after them. The same set number and level give
// the same cards on every machine and in both front ends; the set number
// stands on every page.

#include "practice/practice.h"

#include <string>
#include <vector>

namespace viramont::practice {

inline constexpr int kMostVariants = 30;
inline constexpr int kMostSetNumber = 999;

inline constexpr const char* kCardTask = "Запишите формулу функции, график которой изображён красным";
inline constexpr const char* kAnswersHeading = "Ответы";
// Under the heading of the key: the key gives one formula of each graph.
inline constexpr const char* kKeyNote = "Засчитывается любая формула с тем же графиком";

struct CardSet {
    int setNumber = 1;
    Level level = Level::OneMove;
    std::vector<Task> cards;  // variant N is cards[N - 1], its number N
};

// `variants` cards (1 to kMostVariants) of set `setNumber` (1 to
// kMostSetNumber) at `level`; numbers outside are brought within.
CardSet makeCards(int variants, int setNumber, Level level);

// "Вариант 3"
std::string variantHeading(const Task& card);
// "Набор 17", for every page
std::string setLine(const CardSet& set);

// A card's picture on `graph` (of layout::kStepGraph at any ratio), by the
// task's own rules (picture.h): y = f(x) in blue and the red graph on a
// grid of one unit a cell.
void drawCard(const Task& card, Canvas& graph);

// A variant in the answer key: its formula as a textbook writes it, its
// numbers, and its moves in short.
struct KeyEntry {
    std::string heading;  // "Вариант 3"
    std::string formula;  // "y = 2 sin(3x + 1) + 4"
    std::string numbers;  // "A = 2; k = 3; b = 1; C = 4"
    std::string steps;    // "сжатие к оси Oy в 3 раза; сдвиг вдоль оси Ox на 1/3 влево; …"
};
std::vector<KeyEntry> answerKey(const CardSet& set);

} // namespace viramont::practice
