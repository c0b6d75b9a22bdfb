#pragma once
// What the practice tests share: the numbers of a solution as a pupil
// types them back.

#include <array>
#include <string>

namespace viramont::test {

// The numbers of "A = 2; k = 3; b = 1; C = 4" as a pupil would type them.
inline std::array<std::string, 4> numbersOf(const std::string& line) {
    std::array<std::string, 4> numbers;
    std::size_t at = 0;
    for (std::string& n : numbers) {
        at = line.find("= ", at) + 2;
        n = line.substr(at, line.find(';', at) - at);
    }
    return numbers;
}

} // namespace viramont::test
