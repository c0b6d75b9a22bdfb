// "Показать движение" in the window, on the offscreen platform's screen
// (800 x 600 at a device pixel ratio of 1): the menu item plays the moves on
// Picture1 and ends on the press's pixels; Escape ends it at once; a field
// typed into ends it first and then takes the key. Every wait is for the
// motion's own frame or end.

#include "window/main_window.h"
#include "window/motion_driver.h"
#include "window/picture_menu.h"
#include "window/step_window.h"
#include "toolkit/qt/accessible.h"
#include "toolkit/qt/canvas_widget.h"
#include "views/motion.h"
#include "window/example_plot.h"

#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace viramont {
namespace {

// Runs the event loop until `done` holds, checked at each frame and at the
// end of the motion; a minute at most, so that a broken motion fails here
// rather than hangs.
template <class Done>
bool waitFor(MotionDriver& motion, Done done) {
    QEventLoop loop;
    motion.onFrame = [&] {
        if (done()) loop.quit();
    };
    motion.onFinished = [&] { loop.quit(); };
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    guard.start(60000);
    if (!done()) loop.exec();
    motion.onFrame = nullptr;
    motion.onFinished = nullptr;
    return done();
}

struct Played {
    MainWindow window;
    QImage press;
    QString pressWords;

    Played() {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        test::plotExample(window);
        press = window.picture1()->canvas().image().copy();
        pressWords = window.picture1()->spokenText();
        window.motion().setReducedMotion(false);
    }
    bool sameAsPress() const {
        return window.picture1()->canvas().image() == press && window.picture1()->spokenText() == pressWords;
    }
};

TEST(MotionWindow, TheMenuItemPlaysTheMovesOnPicture1AndEndsOnThePress) {
    Played p;
    QAction& item = p.window.pictureMenu().action(view::Command::Motion);
    ASSERT_TRUE(item.isEnabled());
    EXPECT_EQ(item.text(), QString::fromUtf8(view::kShowMotionText));

    std::vector<QString> captions;
    bool differed = false;
    bool ended = false;
    QEventLoop loop;
    p.window.motion().onFrame = [&] {
        const QString words = p.window.picture1()->spokenText();
        if (captions.empty() || captions.back() != words.section(". ", 0, 1)) captions.push_back(words.section(". ", 0, 1));
        differed = differed || p.window.picture1()->canvas().image() != p.press;
    };
    p.window.motion().onFinished = [&] {
        ended = true;
        loop.quit();
    };
    item.trigger();
    ASSERT_TRUE(p.window.motion().playing());
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    p.window.motion().onFrame = nullptr;
    p.window.motion().onFinished = nullptr;

    ASSERT_TRUE(ended);
    EXPECT_TRUE(differed);
    // Each move's caption was shown, in order.
    const std::vector<QString> expected{"Шаг 1 из 4. Сжатие к оси Oy в 3 раза",
                                        "Шаг 2 из 4. Сдвиг вдоль оси Ox на 1/3 влево",
                                        "Шаг 3 из 4. Растяжение от оси Ox в 2 раза",
                                        "Шаг 4 из 4. Сдвиг вдоль оси Oy на 4 вверх"};
    std::vector<QString> seen;
    for (const QString& c : captions) {
        if (seen.empty() || seen.back() != c) seen.push_back(c);
    }
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(p.sameAsPress());
    EXPECT_EQ(p.window.announcer().text(), QString::fromUtf8(view::kMotionEndText));
}

TEST(MotionWindow, AFrameOnTheKeptStillPartIsTheFrameDrawnWhole) {
    Played p;
    ASSERT_TRUE(p.window.lastPlotInputs().has_value());
    const view::Motion motion(*p.window.lastPlotInputs());
    RasterCanvas& canvas = p.window.picture1()->canvas();
    // Frames of each move, in order and back, the still part kept from the
    // first frame of a move.
    for (double t : {0.0, 0.4, 1.2, 1.5, 1.6, 2.9, 1.7, 3.2, 4.4, 4.6, 5.9, 6.0, 0.2}) {
        const view::MotionFrame frame = motion.frameAt(t);
        p.window.motion().drawFrame(motion, frame);
        const QImage kept = canvas.image().copy();
        const std::string keptWords = canvas.accessibleText();
        motion.draw(frame, canvas);
        EXPECT_EQ(kept, canvas.image()) << t;
        EXPECT_EQ(keptWords, canvas.accessibleText()) << t;
    }
}

TEST(MotionWindow, EscapeEndsItOnThePressAtOnce) {
    Played p;
    p.window.pictureMenu().action(view::Command::Motion).trigger();
    int frames = 0;
    ASSERT_TRUE(waitFor(p.window.motion(), [&] { return ++frames > 2; }));
    EXPECT_FALSE(p.sameAsPress());
    QTest::keyClick(p.window.picture1(), Qt::Key_Escape);
    EXPECT_FALSE(p.window.motion().playing());
    EXPECT_TRUE(p.sameAsPress());
}

TEST(MotionWindow, SaveAndPrintDrawTheFrameAnewWithItsCaption) {
    Played p;
    const QImage pressLarger = p.window.pictureMenu().picture(2.0);
    p.window.pictureMenu().action(view::Command::Motion).trigger();
    ASSERT_TRUE(waitFor(p.window.motion(), [&] { return !p.sameAsPress(); }));
    QTest::keyClick(p.window.picture1(), Qt::Key_Space);  // paused on the frame
    ASSERT_TRUE(p.window.motion().paused());
    const QString shown = p.window.picture1()->spokenText();
    // The paper's drawing and the larger PNG are the frame, caption and all.
    const PaperParts parts = p.window.pictureMenu().paperParts();
    ASSERT_TRUE(parts.drawGraph);
    RasterCanvas paper(parts.graph.box.width(), parts.graph.box.height(), 3.0, parts.graph.fore, parts.graph.back,
                       parts.graph.font);
    parts.drawGraph(paper);
    EXPECT_TRUE(QString::fromStdString(paper.accessibleText()).contains(shown.section(". ", 0, 1)))
        << shown.toStdString() << " / " << paper.accessibleText();
    EXPECT_TRUE(shown.startsWith("Шаг 1 из 4"));
    EXPECT_NE(p.window.pictureMenu().picture(2.0), pressLarger);
    // Once it has ended, the press again.
    QTest::keyClick(p.window.picture1(), Qt::Key_Escape);
    EXPECT_EQ(p.window.pictureMenu().picture(2.0), pressLarger);
}

TEST(MotionWindow, ASteepCurveKeepsAnsweringTheKeys) {
    // A sine with k = 150 over -300..300, much of it drawn point by point:
    // frames come late and are not made up for; the keys still answer.
    MainWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    test::plotAs(window, 0, {"2", "150", "1", "4", "-300", "300"});
    const QImage press = window.picture1()->canvas().image().copy();
    window.motion().setReducedMotion(false);
    window.pictureMenu().action(view::Command::Motion).trigger();
    int frames = 0;
    ASSERT_TRUE(waitFor(window.motion(), [&] { return ++frames > 1; }));
    QTest::keyClick(window.picture1(), Qt::Key_Space);  // paused
    EXPECT_TRUE(window.motion().playing());
    QTest::keyClick(window.picture1(), Qt::Key_Escape);
    EXPECT_FALSE(window.motion().playing());
    EXPECT_EQ(window.picture1()->canvas().image(), press);
}

TEST(MotionWindow, TypingIntoAFieldEndsItFirstAndTheKeyTakesEffect) {
    Played p;
    auto* text1 = p.window.findChild<QLineEdit*>("Text1");
    text1->setFocus();
    text1->end(false);
    p.window.pictureMenu().action(view::Command::Motion).trigger();
    int frames = 0;
    ASSERT_TRUE(waitFor(p.window.motion(), [&] { return ++frames > 2; }));
    ASSERT_TRUE(p.window.motion().playing());
    QTest::keyClick(text1, Qt::Key_5);
    EXPECT_FALSE(p.window.motion().playing());
    EXPECT_EQ(text1->text(), "25");
    EXPECT_TRUE(p.sameAsPress());
}

TEST(MotionWindow, APressOfCommand1EndsItThenPlots) {
    Played p;
    p.window.pictureMenu().action(view::Command::Motion).trigger();
    int frames = 0;
    ASSERT_TRUE(waitFor(p.window.motion(), [&] { return ++frames > 1; }));
    p.window.findChild<QPushButton*>("Command1")->click();
    EXPECT_FALSE(p.window.motion().playing());
    EXPECT_TRUE(p.sameAsPress());  // the same numbers plotted again: the same picture
    EXPECT_TRUE(p.window.pictureMenu().action(view::Command::Motion).isEnabled());
}

TEST(MotionWindow, TheStepSheetsButtonPlaysItToo) {
    Played p;
    p.window.openSteps();
    auto* button = p.window.stepWindow()->findChild<QPushButton*>("ShowMotion");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QString::fromUtf8(view::kShowMotionText));
    button->click();
    EXPECT_TRUE(p.window.motion().playing());
    p.window.motion().stop();
    EXPECT_TRUE(p.sameAsPress());
}

} // namespace
} // namespace viramont
