// Picture1 walked by keys in the window, offscreen (the window at its
// designed 1144 x 830 on the offscreen screen of 800 x 600 does not matter
// here: keys go to the focused canvas): the keys reach the walk and what it
// says is announced; the menu offers the listening once a plot is drawn;
// without a sound device the sound is told missing once and nothing fails.

#include "window/main_window.h"
#include "window/example_plot.h"
#include "window/picture_menu.h"
#include "window/picture_walker.h"
#include "window/practice_window.h"
#include "window/sound_player.h"
#include "toolkit/qt/accessible.h"
#include "toolkit/qt/canvas_widget.h"
#include "views/menu.h"
#include "views/walk.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace viramont {
namespace {

std::string said(MainWindow& w) { return w.announcer().text().toStdString(); }

// The last text a window said.
QString saidBy(const QWidget& window) {
    for (QObject* child : window.children()) {
        if (const auto* announcer = dynamic_cast<const Announcer*>(child)) return announcer->text();
    }
    return {};
}

TEST(PictureWalk, KeysOnPicture1AreWalkedAndAnnounced) {
    MainWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QAction& listen = window.pictureMenu().action(view::Command::Listen);
    EXPECT_EQ(listen.text().toStdString(), view::kListenCommand);
    EXPECT_FALSE(listen.isEnabled());
    // Before a plot the keys are the canvas's own: nothing said.
    window.picture1()->setFocus();
    QTest::keyClick(window.picture1(), Qt::Key_Down);
    EXPECT_EQ(window.picture1Walker().walk(), nullptr);

    test::plotExample(window);
    EXPECT_TRUE(listen.isEnabled());
    const std::string description = window.form().state.Spoken.picture1;
    const view::Walk core(view::plotPicture(*window.lastPlotInputs(), description));

    window.picture1()->setFocus();
    // Without a sound device the first sound is told missing, once.
    const bool device = SoundPlayer(nullptr).hasDevice();
    const std::string noSound = device ? "" : std::string(" ") + view::kNoSound;
    struct Row {
        Qt::Key key;
        std::string said;
    };
    const Row rows[] = {
        {Qt::Key_Down, description.substr(0, description.find('\n'))},
        {Qt::Key_Down, core.picture().lines.at(1)},
        {Qt::Key_Right, "x = −1: синего графика нет; красный 2.18" + noSound},
        {Qt::Key_End, view::stepLine(core.picture(), core.picture().right)},
        {Qt::Key_Home, view::stepLine(core.picture(), core.picture().left)},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.said);
        QTest::keyClick(window.picture1(), r.key);
        EXPECT_EQ(said(window), r.said);
    }
    EXPECT_EQ(core.picture().lines.at(1).rfind("Синий график — ", 0), 0u);

    // ] by its place on a Russian layout: Ъ.
    QKeyEvent hardSign(QEvent::KeyPress, 0x42A, Qt::NoModifier, QString::fromUtf8("ъ"));
    QApplication::sendEvent(window.picture1(), &hardSign);
    EXPECT_NE(said(window).find(". x = "), std::string::npos) << said(window);

    // Space: the sweep, told missing no more.
    QTest::keyClick(window.picture1(), Qt::Key_Space);
    EXPECT_EQ(said(window), "Графики звучат слева направо.");
    QTest::keyClick(window.picture1(), Qt::Key_Space);
    EXPECT_EQ(said(window), device ? "Звук остановлен." : "Графики звучат слева направо.");

    // A key with Ctrl is not the walk's; a key the walk does not know passes.
    const std::string before = said(window);
    QTest::keyClick(window.picture1(), Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(window.picture1(), Qt::Key_A);
    EXPECT_EQ(said(window), before);

    // The menu's item plays from wherever the focus was.
    window.findChild<QWidget*>("Text1")->setFocus();
    listen.trigger();
    EXPECT_TRUE(window.picture1()->hasFocus());
    EXPECT_EQ(said(window).rfind("Графики звучат", 0), 0u) << said(window);
}

TEST(PictureWalk, ThePracticePictureIsWalkedWithoutItsFormula) {
    MainWindow window;
    window.openClassView(view::Command::Practice);
    PracticeWindow& practice = *window.practiceWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&practice));
    practice.picture()->setFocus();
    QTest::keyClick(practice.picture(), Qt::Key_Down);
    // The ranges it shows first, as Picture1's description, then the blue graph.
    const QString first = saidBy(practice);
    EXPECT_TRUE(first.startsWith(QString::fromUtf8("Видно x от "))) << first.toStdString();
    QTest::keyClick(practice.picture(), Qt::Key_Down);
    const QString second = saidBy(practice);
    EXPECT_TRUE(second.startsWith(QString::fromUtf8("Синий график — исходная функция "))) << second.toStdString();
    QTest::keyClick(practice.picture(), Qt::Key_Home);
    EXPECT_TRUE(saidBy(practice).startsWith(QStringLiteral("x = "))) << saidBy(practice).toStdString();
}

} // namespace
} // namespace viramont
