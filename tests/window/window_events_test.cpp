// The events of the window itself: the list of Combo1 after start, what
// picks an entry (the mouse, the arrow keys, the wheel on the focused list)
// and what does not (typing, Enter, leaving the field, the wheel elsewhere),
// Enter on the focused buttons, the fields' length and context menu, and
// Command3 ending the program.

#include "window/main_window.h"
#include "toolkit/qt/canvas_widget.h"
#include "window/modal_script.h"
#include "window/typing.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QWheelEvent>
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

TEST_F(Combo1Events, TheWheelPicksOnlyWhileTheListHasTheFocus) {
    const auto wheel = [this](int steps) {
        const QPointF at(combo->width() / 2.0, combo->height() / 2.0);
        QWheelEvent event(at, combo->mapToGlobal(at), {}, QPoint(0, 120 * steps), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(combo, &event);
    };
    combo->setCurrentIndex(1);
    window.findChild<QLineEdit*>("Text1")->setFocus();
    wheel(-1);
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(functionName(), "");
    combo->setFocus();
    wheel(-1);
    EXPECT_EQ(combo->currentIndex(), 2);
    EXPECT_EQ(functionName(), "(x)^2");
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

// Enter and the keypad's Enter press the focused button as a click does;
// in a text field Enter does nothing.
TEST(ButtonKeys, EnterPressesTheFocusedButton) {
    MainWindow window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    test::ModalScript modal;
    const auto button = [&](const char* name) { return window.findChild<QPushButton*>(QString::fromUtf8(name)); };
    int clicks = 0;
    QObject::connect(button("Command3"), &QPushButton::clicked, [&] { ++clicks; });

    auto* text1 = window.findChild<QLineEdit*>("Text1");
    test::typeInto(text1, "2");
    QTest::keyClick(text1, Qt::Key_Return);
    QTest::keyClick(text1, Qt::Key_Enter);
    EXPECT_EQ(window.form().state.StretchY, 0.0f);
    EXPECT_EQ(window.findChild<QLineEdit*>("Text5")->text(), "Text5");

    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        button("ВЫБОР")->setFocus();
        window.form().state.StretchY = 0.0f;
        QTest::keyClick(button("ВЫБОР"), key);
        EXPECT_EQ(window.form().state.StretchY, 2.0f);
        EXPECT_EQ(window.findChild<QLineEdit*>("Text5")->text(), "1+2");
    }
    window.form().state.FunctionName = "Sin(X)";
    button("Command1")->setFocus();
    QTest::keyClick(button("Command1"), Qt::Key_Enter);
    EXPECT_NE(window.picture2()->accessibleDescription().indexOf(QString::fromUtf8("исходный")), -1);
    // Command3 ends the program; its click is counted before the window closes.
    button("Command3")->setFocus();
    QTest::keyClick(button("Command3"), Qt::Key_Return);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(modal.seen().empty());
}

// The fields hold texts up to the layout's limit of 40,000 characters: a
// pasted text that long is read whole, in the window and in the input box,
// and one longer is cut there. A formula wider than
// Text5 shows from its start. The context menu speaks Russian.
TEST(TextFields, HoldLongTextsShowTheFormulaFromItsStartAndSpeakRussian) {
    MainWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QString longText = "1" + QString(39'999, QChar('0'));
    auto* text1 = window.findChild<QLineEdit*>("Text1");
    text1->setText(longText);
    EXPECT_EQ(text1->text().size(), 40'000);
    EXPECT_EQ(window.form().Text1.text().size(), 40'000u);
    text1->setText(longText + "123");
    EXPECT_EQ(window.form().Text1.text(), longText.toStdString());

    std::unique_ptr<QMenu> menu(text1->createStandardContextMenu());
    QStringList actions;
    for (const QAction* action : menu->actions()) actions << action->text().remove('&').section('\t', 0, 0);
    EXPECT_TRUE(actions.contains(QString::fromUtf8("Копировать"))) << actions.join(", ").toStdString();

    window.form().Text5.setText("-1.234568E+07+1.234568E+07Sin(1.234568E+07x-1.234568E+07)");
    auto* text5 = window.findChild<QLineEdit*>("Text5");
    EXPECT_EQ(text5->cursorPosition(), 0);

    test::ModalScript modal;
    modal.otherwise([&](const test::ModalSeen&) { return std::optional<QString>(longText); });
    EXPECT_EQ(window.form().dialogs.input("?", "Ввод числа").size(), 40'000u);
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
