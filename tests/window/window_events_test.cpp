// The events of the window itself: the list of Combo1 after start, what
// picks an entry (the mouse or the arrow keys) and what does not (typing,
// Enter, leaving the field), and Command3 ending the program.

#include "app/window/main_window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace viramont {
namespace {

std::string str(const QString& s) { return s.toStdString(); }

class Combo1Events : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        combo = window.findChild<QComboBox*>("Combo1");
        ASSERT_NE(combo, nullptr);
        combo->setFocus();
    }
    const std::string& functionName() { return window.form().state.FunctionName; }

    std::vector<std::string> entries() const {
        std::vector<std::string> out;
        for (int i = 0; i < combo->count(); ++i) out.push_back(str(combo->itemText(i)));
        return out;
    }

    void type(const QString& text) {
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, text);
    }

    // Opens the list and clicks the entry with the mouse.
    void clickEntry(int index) {
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
        // The list ignores a release that comes right after it opened.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        const QRect item = view->visualRect(view->model()->index(index, 0));
        ASSERT_TRUE(item.isValid());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
        ASSERT_TRUE(QTest::qWaitFor([view] { return !view->isVisible(); }, 2000));
    }

    MainWindow window;
    QComboBox* combo = nullptr;
};

const std::vector<std::string> kSix{"Sin(X)", "Cos(X)", "(x)^2", "(x)^3", "Log(x)", "Log(b)/Log(a)"};

TEST_F(Combo1Events, AfterStartHoldsTheSixFunctionsAndShowsFunctions) {
    EXPECT_EQ(entries(), kSix);
    EXPECT_EQ(str(combo->currentText()), "ФУНКЦИИ");
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(functionName(), "");
    EXPECT_EQ(combo->completer(), nullptr);
}

TEST_F(Combo1Events, TypedTextNeverBecomesTheFunction) {
    type("Sin(X)");
    EXPECT_EQ(str(combo->currentText()), "Sin(X)");
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_EQ(functionName(), "");
    QTest::keyClick(combo, Qt::Key_Enter);
    EXPECT_EQ(functionName(), "");
    // Leaving the field finishes the edit as well.
    QTest::keyClick(combo, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), combo);
    EXPECT_EQ(functionName(), "");
    EXPECT_EQ(entries(), kSix);  // Enter added nothing

    // A typed name does not replace a picked one either.
    combo->setFocus();
    clickEntry(1);
    ASSERT_EQ(functionName(), "Cos(X)");
    type("Log(x)");
    QTest::keyClick(combo, Qt::Key_Return);
    QTest::keyClick(combo, Qt::Key_Tab);
    EXPECT_EQ(functionName(), "Cos(X)");
    EXPECT_EQ(entries(), kSix);
}

TEST_F(Combo1Events, TypingAPrefixCompletesNothing) {
    type("Lo");
    EXPECT_EQ(str(combo->currentText()), "Lo");
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_EQ(str(combo->currentText()), "Lo");
    EXPECT_EQ(functionName(), "");
}

TEST_F(Combo1Events, PickingWithTheMouseSetsTheFunction) {
    clickEntry(3);
    EXPECT_EQ(functionName(), "(x)^3");
    EXPECT_EQ(str(combo->currentText()), "(x)^3");
    clickEntry(5);
    EXPECT_EQ(functionName(), "Log(b)/Log(a)");
}

TEST_F(Combo1Events, PickingTheSameEntryTwiceKeepsIt) {
    clickEntry(0);
    ASSERT_EQ(functionName(), "Sin(X)");
    clickEntry(0);
    EXPECT_EQ(functionName(), "Sin(X)");
    clickEntry(4);
    EXPECT_EQ(functionName(), "Log(x)");
}

TEST_F(Combo1Events, ArrowKeysPickTheNextAndPreviousEntry) {
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(functionName(), "Sin(X)");
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(functionName(), "Cos(X)");
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(functionName(), "(x)^2");
    QTest::keyClick(combo, Qt::Key_Up);
    EXPECT_EQ(functionName(), "Cos(X)");
}

TEST_F(Combo1Events, ArrowKeysAndEnterInTheOpenListPick) {
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    view->setCurrentIndex(view->model()->index(1, 0));
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([view] { return !view->isVisible(); }, 2000));
    EXPECT_EQ(functionName(), "(x)^2");
}

TEST_F(Combo1Events, EscapeInTheOpenListPicksNothing) {
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    view->setCurrentIndex(view->model()->index(2, 0));
    QTest::keyClick(view, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([view] { return !view->isVisible(); }, 2000));
    EXPECT_EQ(functionName(), "");
    EXPECT_EQ(str(combo->currentText()), "ФУНКЦИИ");
}

// Command3 closes the window and ends the event loop, with graphs on the
// screen or not. A watchdog ends the loop with 1 if nothing else does.
TEST(Command3Event, EndsTheProgram) {
    MainWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* command3 = window.findChild<QPushButton*>("Command3");
    ASSERT_NE(command3, nullptr);
    QTimer::singleShot(0, command3, [command3] { QTest::mouseClick(command3, Qt::LeftButton); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    watchdog.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(window.isVisible());
}

} // namespace
} // namespace viramont
