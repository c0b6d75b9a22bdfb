// The buttons as they are painted: the face in the button's own colour and
// the caption wrapped and centred on it, its leading blank kept.

#include "window/main_window.h"
#include "toolkit/qt/caption_button.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace viramont {
namespace {

// The rows and columns where the caption put ink: pixels far from the face
// colour inside the bevel.
struct Ink {
    struct Band {
        int top, bottom, left, right;  // inclusive
    };
    std::vector<Band> lines;  // the caption's lines, top to bottom
    QRect box;
};

Ink inkOf(const QImage& img, const QRect& inside, const QColor& face) {
    auto isInk = [&](int x, int y) {
        const QColor c = img.pixelColor(x, y);
        return std::abs(c.red() - face.red()) + std::abs(c.green() - face.green()) + std::abs(c.blue() - face.blue()) >
               200;
    };
    Ink ink;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        int left = -1, right = -1;
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (!isInk(x, y)) continue;
            if (left < 0) left = x;
            right = x;
        }
        if (left < 0) continue;
        ink.box |= QRect(QPoint(left, y), QPoint(right, y));
        // A gap of a few rows is inside a line (the breve over Й), a wider
        // one between lines.
        if (!ink.lines.empty() && ink.lines.back().bottom >= y - 4) {
            Ink::Band& b = ink.lines.back();
            b.bottom = y;
            b.left = std::min(b.left, left);
            b.right = std::max(b.right, right);
        } else {
            ink.lines.push_back({y, y, left, right});
        }
    }
    return ink;
}

QImage paint(QWidget* w) { return w->grab().toImage().convertToFormat(QImage::Format_RGB32); }

struct ButtonCase {
    const char* name;
    QColor face;
    int lines;  // the caption's lines at the button's width
};

TEST(CaptionButton, FaceInItsColourAndCaptionWrappedAndCentred) {
    MainWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const ButtonCase cases[] = {
        {"ВЫБОР", QColor(192, 192, 255), 2},
        {"Command1", QColor(192, 192, 255), 3},
        {"Command3", QColor(0, 192, 192), 1},
    };
    for (const ButtonCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto* button = dynamic_cast<CaptionButton*>(window.findChild<QWidget*>(QString::fromUtf8(c.name)));
        ASSERT_NE(button, nullptr);
        const QImage img = paint(button);
        const QRect inside = button->captionRect();
        // Flat face: the corners just inside the bevel and the middle of the
        // left edge are the face colour, no gradient.
        for (const QPoint p : {inside.topLeft(), inside.topRight(), inside.bottomLeft(), inside.bottomRight(),
                               QPoint(inside.left(), inside.center().y())}) {
            EXPECT_EQ(img.pixelColor(p), c.face) << p.x() << "," << p.y();
        }
        const Ink ink = inkOf(img, button->rect().adjusted(2, 2, -3, -3), c.face);
        ASSERT_EQ(static_cast<int>(ink.lines.size()), c.lines);
        // Nothing of the caption is cut off by the edge of the face.
        EXPECT_TRUE(inside.contains(ink.box)) << ink.box.left() << " " << ink.box.right();
        // Centred: the lines as a block vertically, each line horizontally
        // (a leading blank moves a line at most half a blank to the right).
        const double middleY = (ink.box.top() + ink.box.bottom()) / 2.0;
        EXPECT_NEAR(middleY, (inside.top() + inside.bottom()) / 2.0, 3.0);
        for (const Ink::Band& line : ink.lines) {
            EXPECT_NEAR((line.left + line.right) / 2.0, (inside.left() + inside.right()) / 2.0, 4.0);
        }
    }
}

TEST(CaptionButton, LeadingBlankIsKept) {
    MainWindow window;
    auto* original = dynamic_cast<CaptionButton*>(window.findChild<QWidget*>(QString::fromUtf8("ВЫБОР")));
    ASSERT_NE(original, nullptr);
    auto firstLine = [&](const QString& caption) {
        CaptionButton button(caption, nullptr);
        button.setFont(original->font());
        button.setPalette(original->palette());
        button.resize(original->size());
        const QImage img = paint(&button);
        const Ink ink = inkOf(img, button.rect().adjusted(2, 2, -3, -3), original->palette().color(QPalette::Button));
        return ink.lines.empty() ? Ink::Band{} : ink.lines.front();
    };
    const Ink::Band with = firstLine(QString::fromUtf8(" ВЫБОР ПАРАМЕТРОВ"));
    const Ink::Band without = firstLine(QString::fromUtf8("ВЫБОР ПАРАМЕТРОВ"));
    ASSERT_GT(with.right, with.left);
    EXPECT_EQ(with.right - with.left, without.right - without.left);
    EXPECT_GT(with.left, without.left);
}

TEST(CaptionButton, PressedFaceKeepsItsColour) {
    MainWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* button = dynamic_cast<CaptionButton*>(window.findChild<QWidget*>("Command3"));
    ASSERT_NE(button, nullptr);
    const QImage up = paint(button);
    button->setDown(true);
    const QImage down = paint(button);
    button->setDown(false);
    EXPECT_NE(up, down);  // the bevel turns sunken and the caption moves
    EXPECT_EQ(down.pixelColor(button->captionRect().topLeft() + QPoint(2, 2)), QColor(0, 192, 192));
}

} // namespace
} // namespace viramont
