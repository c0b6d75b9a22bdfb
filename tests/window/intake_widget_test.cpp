// ВЫБОР on the real window: typed fields, a picked function, the message
// box, the base input box and the formula read back from Text5.

#include "window/main_window.h"
#include "toolkit/fault.h"
#include "window/modal_script.h"
#include "window/typing.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QKeyEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace viramont {
namespace {

using test::typeInto;

// Picks an entry the way the arrow keys do: from the entry above it, Down.
void pick(QComboBox* combo, const QString& entry) {
    const int index = combo->findText(entry);
    ASSERT_GE(index, 0) << entry.toStdString();
    combo->setCurrentIndex(index - 1);
    combo->setFocus();
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(combo, &down);
    ASSERT_EQ(combo->currentText(), entry);
}

TEST(IntakeWindow, PressShowsTheFormulaAfterTheMessagesAndTheBaseBox) {
    MainWindow window;
    window.show();
    auto field = [&](const char* name) {
        auto* edit = window.findChild<QLineEdit*>(QString::fromUtf8(name));
        EXPECT_NE(edit, nullptr) << name;
        return edit;
    };
    auto* combo = window.findChild<QComboBox*>("Combo1");
    auto* choose = window.findChild<QAbstractButton*>(QString::fromUtf8("ВЫБОР"));
    ASSERT_NE(combo, nullptr);
    ASSERT_NE(choose, nullptr);
    QLineEdit* text5 = field("Text5");
    ASSERT_NE(text5, nullptr);
    const QString before = text5->text();

    pick(combo, "Log(b)/Log(a)");
    const char* names[] = {"Text1", "Text2", "Text3", "Text4", "Text6", "Text7"};
    const char* values[] = {"3", "1", "1", "-2", "0", "4"};
    for (int i = 0; i < 6; ++i) {
        QLineEdit* edit = field(names[i]);
        ASSERT_NE(edit, nullptr);
        typeInto(edit, values[i]);
        ASSERT_EQ(edit->text(), values[i]);
    }

    {  // The interval starts at 0: a message, no base box, Text5 as it was.
        test::ModalScript script;
        script.ok();
        choose->click();
        EXPECT_TRUE(script.allAnswered());
        ASSERT_EQ(script.seen().size(), 1u);
        EXPECT_EQ(script.messages(), std::vector<QString>{"измените параметры начала и конца отрезка"});
        EXPECT_EQ(text5->text(), before);
    }
    {  // A usable interval: the base box until a base is given.
        typeInto(field("Text6"), "1");
        test::ModalScript script;
        QStringList buttons;  // Qt's own texts, in Russian
        script.onEachBox([&](QWidget* box) {
            if (auto* row = box->findChild<QDialogButtonBox*>()) {
                for (QDialogButtonBox::StandardButton b : {QDialogButtonBox::Ok, QDialogButtonBox::Cancel}) {
                    if (row->button(b)) buttons << row->button(b)->text().remove('&');
                }
            }
        });
        script.cancel().type("abc").type("2");
        choose->click();
        EXPECT_TRUE(script.allAnswered());
        ASSERT_EQ(script.seen().size(), 3u);
        for (const test::ModalSeen& seen : script.seen()) {
            EXPECT_EQ(seen.kind, test::ModalSeen::Kind::Input);
            EXPECT_EQ(seen.title, "Ввод числа");
            EXPECT_EQ(seen.text, "ВВЕДИТЕ ОСНОВАНИЕ ЛОГАРИФМА");
            EXPECT_TRUE(seen.expected);
        }
        EXPECT_EQ(text5->text(), "-2+3Log(x+1)/Log(2)");
        EXPECT_EQ(window.form().state.LogBase, 2);
        ASSERT_EQ(buttons.size(), 6);
        EXPECT_EQ(buttons[1], QString::fromUtf8("Отмена"));
    }
    {  // A factor beyond the float range: the fault's message, the window goes on.
        typeInto(field("Text1"), "1e39");
        test::ModalScript script;
        script.ok();
        choose->click();
        EXPECT_TRUE(script.allAnswered());
        ASSERT_EQ(script.messages().size(), 1u);
        // The box names the field by its caption.
        EXPECT_TRUE(script.messages()[0].startsWith(QString::fromUtf8("Число в поле «КОЭФ-Т СЖАТИЯ ПО ОСИ У» слишком велико.")))
            << script.messages()[0].toStdString();
        EXPECT_EQ(text5->text(), "-2+3Log(x+1)/Log(2)");
        EXPECT_TRUE(window.isVisible());
    }
}

} // namespace
} // namespace viramont
