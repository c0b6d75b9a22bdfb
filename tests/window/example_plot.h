#pragma once
// The example of the window tests, as a pupil makes it: Sin(X) picked from
// Combo1, A = 2, k = 3, b = 1, C = 4 on 0 to 10, then ВЫБОР and Command1
// pressed. Text5 then reads "4+2Sin(3x+1)".

#include "app/window/main_window.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <utility>

namespace viramont::test {

inline void plotExample(MainWindow& window) {
    auto* combo = window.findChild<QComboBox*>("Combo1");
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(0);
    emit combo->activated(0);
    const std::pair<const char*, const char*> fields[] = {{"Text1", "2"}, {"Text2", "3"}, {"Text3", "1"},
                                                          {"Text4", "4"}, {"Text6", "0"}, {"Text7", "10"}};
    for (auto [name, text] : fields) window.findChild<QLineEdit*>(name)->setText(text);
    window.findChild<QPushButton*>(QString::fromUtf8("ВЫБОР"))->click();
    window.findChild<QPushButton*>("Command1")->click();
}

} // namespace viramont::test
