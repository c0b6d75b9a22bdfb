// The whole road through the real window: pick a function, fill the fields,
// press ВЫБОР and Command1, and find the graphs where the scale puts them.

#include "app/window/main_window.h"
#include "toolkit/qt/canvas_widget.h"
#include "window/example_plot.h"
#include "window/modal_script.h"

#include <QLineEdit>

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

    test::plotExample(window);
    ASSERT_EQ(window.form().state.FunctionName, "Sin(X)");
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
