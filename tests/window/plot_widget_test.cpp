// The whole road through the real window: pick a function, fill the fields,
// press ВЫБОР and Command1, and find the graphs where the scale puts them.

#include "window/main_window.h"
#include "toolkit/canvas_geometry.h"
#include "toolkit/qt/canvas_widget.h"
#include "window/example_plot.h"
#include "window/modal_script.h"
#include "window/pixels.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace viramont {
namespace {

// The device pixel of a user point on Picture1 after a plot.
QPoint pixelOf(const MainWindow& window, const FormState& s, double x, double y) {
    const QImage& img = window.picture1()->canvas().image();
    CanvasGeometry g(img.width(), img.height());
    g.setScale(s.XStart.value() - 1, s.YMax.value() + 1, s.XEnd + 1.0, s.YMin - 1.0);
    const DevicePixel p = DevicePixel::of(g.map(x, y));
    return {p.left(), p.top()};
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
    const QPoint blue = pixelOf(window, s, halfPi, 1.0);
    EXPECT_EQ(img.pixel(blue), qRgb(0, 0, 255));
    const QPoint red = pixelOf(window, s, 0.0, 2 * std::sin(1.0) + 4);
    EXPECT_EQ(img.pixel(red), qRgb(255, 0, 0));
    EXPECT_NE(window.picture2()->accessibleDescription().indexOf(QString::fromUtf8("По оси Y на 4")), -1);
}

// What the window really shows inside a canvas, read back from what it
// painted: the number of pixels of `colour`.
int shownPixels(const MainWindow& window, const CanvasWidget* canvas, QRgb colour) {
    const QImage shown = window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    return test::countPixels(shown, colour, canvas->contentsRect().translated(canvas->pos()));
}

// A box that opens in the middle of a press shows over the drawing as it is
// at that moment, not over the picture of the press before.
TEST(PlotWindow, BoxesOpenOverTheDrawingAsItStands) {
    MainWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    FormState& s = window.form().state;
    auto* choose = window.findChild<QPushButton*>(QString::fromUtf8("ВЫБОР"));
    auto* plot = window.findChild<QPushButton*>("Command1");
    s.FunctionName = "Sin(X)";
    choose->click();
    plot->click();
    QTest::qWait(20);
    const QRgb legendGreen = qRgb(0, 128, 0) & 0xFFFFFF;
    ASSERT_GT(shownPixels(window, window.picture2(), legendGreen), 0);
    ASSERT_GT(shownPixels(window, window.picture1(), 0xFF0000), 0);

    {  // A fault in the red loop: the new axes and blue graph, no red, behind the box.
        s.FunctionName = "Log(x)";
        s.XStart = Numeric::real(1.0);
        s.StretchX = Numeric::real(2.0);
        s.ShiftX = Numeric::real(5.0);
        test::ModalScript modal;
        int red = -1, blue = -1;
        modal.ok().onEachBox([&](QWidget*) {
            red = shownPixels(window, window.picture1(), 0xFF0000);
            blue = shownPixels(window, window.picture1(), 0x0000FF);
        });
        plot->click();
        EXPECT_TRUE(modal.allAnswered());
        EXPECT_EQ(red, 0);
        EXPECT_GT(blue, 0);
    }
    {  // ВЫБОР has cleared the legend when the interval message opens.
        s.FunctionName = "Sin(X)";
        plot->click();
        QTest::qWait(20);
        ASSERT_GT(shownPixels(window, window.picture2(), legendGreen), 0);
        window.findChild<QComboBox*>("Combo1")->setCurrentIndex(4);
        emit window.findChild<QComboBox*>("Combo1")->activated(4);
        window.findChild<QLineEdit*>("Text6")->setText("0");
        test::ModalScript modal;
        int green = -1;
        modal.ok().onEachBox([&](QWidget*) { green = shownPixels(window, window.picture2(), legendGreen); });
        choose->click();
        EXPECT_EQ(modal.messages(), std::vector<QString>{QString::fromUtf8("измените параметры начала и конца отрезка")});
        EXPECT_EQ(green, 0);
    }
}

} // namespace
} // namespace viramont
