#pragma once
// The cards' box, once for both front ends: the number of variants, the
// set number and the level, and Сохранить PDF…, Печать… and Закрыть. A
// press of save or print reads the numbers: one that is not a whole number
// is told in a box and takes the focus; one outside its range is brought
// within it and shown so; then the set is made for the front end to put
// on paper.

#include "practice/cards.h"
#include "views/panel.h"

#include <optional>

namespace viramont::view {

namespace cards_part {
inline const std::string kVariants = "cards-variants";
inline const std::string kSetNumber = "cards-set";
inline const std::string kLevel = "cards-level";
} // namespace cards_part

// The box's parts.
const Panel& cardsPanel();

struct CardsRequest {
    PanelUpdate update;                   // the numbers as read, or the box that says why not
    std::optional<practice::CardSet> set;  // the cards to save or print; none where a number was not read
};
// The cards that `values` ask for.
CardsRequest requestCards(const PanelValues& values);

// A whole number typed into a field, blanks around it allowed, brought
// within [low, high]; none where the field holds no whole number.
std::optional<int> readWholeNumber(const std::string& typed, int low, int high);

} // namespace viramont::view
