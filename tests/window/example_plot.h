#pragma once
// The example of the window tests, as a pupil makes it: Sin(X) picked from
// Combo1, A = 2, k = 3, b = 1, C = 4 on 0 to 10, then ВЫБОР and Command1
// pressed. Text5 then reads "4+2Sin(3x+1)".

#include "window/main_window.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <array>
#include <cstddef>

namespace viramont::test {

// Picks the entry of Combo1 at `entry`, types A, k, b, C, the start and
// the end of the interval into Text1 to Text4, Text6 and Text7, and presses
// ВЫБОР and Command1.
inline void plotAs(MainWindow& window, int entry, const std::array<const char*, 6>& texts) {
    auto* combo = window.findChild<QComboBox*>("Combo1");
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(entry);
    emit combo->activated(entry);
    const char* names[] = {"Text1", "Text2", "Text3", "Text4", "Text6", "Text7"};
    for (std::size_t i = 0; i < texts.size(); ++i) window.findChild<QLineEdit*>(names[i])->setText(texts[i]);
    window.findChild<QPushButton*>(QString::fromUtf8("ВЫБОР"))->click();
    window.findChild<QPushButton*>("Command1")->click();
}

inline void plotExample(MainWindow& window) { plotAs(window, 0, {"2", "3", "1", "4", "0", "10"}); }

} // namespace viramont::test
