// The whole road through the real window: pick a function, fill the fields,
// press ВЫБОР and Command1, and find the graphs where the scale puts them.

#include "app/window/main_window.h"
#include "toolkit/qt/canvas_widget.h"
#include "window/modal_script.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cmath>

namespace viramont {
namespace {

struct Pixel {
    int x, y;
};

// The device pixel of a user point on Picture1 after a plot.
Pixel pixelOf(const MainWindow& window, const FormState& s, double x, double y) {
    const QImage& img = window.picture1()->canvas().image();
    const double left = s.XStart.value() - 1, right = s.XEnd + 1.0;
    const double top = s.YMax.value() + 1, bottom = s.YMin - 1.0;
    return {static_cast<int>(std::floor((x - left) * img.width() / (right - left))),
            static_cast<int>(std::floor((y - top) * img.height() / (bottom - top)))};
}

TEST(PlotWindow, PressingBothButtonsDrawsBothGraphs) {
    MainWindow window;
    window.show();
    test::ModalScript modal;

    auto* combo = window.findChild<QComboBox*>("Combo1");
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(0);
    emit combo->activated(0);
    ASSERT_EQ(window.form().state.FunctionName, "Sin(X)");

    const std::pair<const char*, const char*> fields[] = {{"Text1", "2"}, {"Text2", "3"}, {"Text3", "1"},
                                                          {"Text4", "4"}, {"Text6", "0"}, {"Text7", "10"}};
    for (auto [name, text] : fields) window.findChild<QLineEdit*>(name)->setText(text);
    window.findChild<QPushButton*>(QString::fromUtf8("ВЫБОР"))->click();
    window.findChild<QPushButton*>("Command1")->click();
    EXPECT_TRUE(modal.seen().empty());

    const FormState& s = window.form().state;
    EXPECT_EQ(window.findChild<QLineEdit*>("Text5")->text(), "4+2Sin(3x+1)");
    const QImage& img = window.picture1()->canvas().image();
    const double halfPi = std::acos(0.0);
    const Pixel blue = pixelOf(window, s, halfPi, 1.0);
    EXPECT_EQ(img.pixel(blue.x, blue.y), qRgb(0, 0, 255));
    const Pixel red = pixelOf(window, s, 0.0, 2 * std::sin(1.0) + 4);
    EXPECT_EQ(img.pixel(red.x, red.y), qRgb(255, 0, 0));
    EXPECT_NE(window.picture2()->accessibleDescription().indexOf(QString::fromUtf8("По оси Y на 4")), -1);
}

} // namespace
} // namespace viramont
