#pragma once
// UTF-8 texts counted and cut by characters (code points), not bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace viramont::utf8 {

// Number of characters.
std::size_t characterCount(std::string_view text);

// Length in bytes of the character that starts at text[pos].
std::size_t characterBytes(std::string_view text, std::size_t pos);

// Removes the last `count` characters (all of the text when it is shorter).
void dropLastCharacters(std::string& text, std::size_t count);

// The text with every Latin letter that stands in for a Cyrillic one inside
// a Cyrillic word (the C of "Cиний", the O of "ПO") made the Cyrillic letter
// it looks like, so that a screen reader speaks the word. Words of Latin
// letters alone ("X", "Sin") stay as they are.
std::string cyrillicLookAlikes(std::string_view text);

// Well-formed UTF-8 without control characters.
bool isClean(std::string_view text);

} // namespace viramont::utf8
