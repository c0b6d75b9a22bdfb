// Practice and the cards for a class in the window: a round from the
// canvas menu (a wrong answer marked in green with what differs, the
// solution typed back, an answer of the same graph, the score after ten),
// and the cards as a PDF whose text pdftotext reads.

#include "window/cards_dialog.h"
#include "window/main_window.h"
#include "window/picture_menu.h"
#include "window/practice_window.h"
#include "window/motion_driver.h"
#include "toolkit/number_text.h"
#include "toolkit/qt/canvas_widget.h"
#include "window/pixels.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace viramont {
namespace {

namespace part = view::practice_part;

constexpr QRgb kGreenPixel =
    qRgb(redOf(practice::kAnswerColour), greenOf(practice::kAnswerColour), blueOf(practice::kAnswerColour));

void answer(PracticeWindow& practice, const practice::Transform& t) {
    const double values[] = {t.A, t.k, t.b, t.C};
    for (std::size_t i = 0; i < 4; ++i) practice.field(i)->setText(QString::fromStdString(doubleText(values[i])));
    practice.button(view::Command::Check)->click();
}

// The window shown, with the canvas menu at hand.
class FromTheMenu : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    // Triggers the canvas menu's item named `text`.
    void menuItem(const char* text) {
        for (QAction* action : window.pictureMenu().menu().actions()) {
            if (action->text() == QString::fromUtf8(text)) return action->trigger();
        }
        FAIL() << "no item " << text;
    }
    MainWindow window;
};
using PracticeWindowTest = FromTheMenu;
using CardsDialogTest = FromTheMenu;

TEST_F(PracticeWindowTest, ARoundFromTheMenu) {
    menuItem("Тренировка…");
    PracticeWindow* practice = window.practiceWindow();
    ASSERT_TRUE(practice && practice->isVisible());
    practice->newRound(20261209);
    const QStringList names{"A", "k", "b", "C"};
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(practice->field(i)->accessibleName(), names[int(i)]);
    EXPECT_EQ(practice->text(part::kHeading)->text(), "Задание 1 из 10");
    EXPECT_TRUE(practice->text(part::kBase)->text().startsWith("Исходная функция: y = "));
    EXPECT_TRUE(practice->picture()->spokenText().contains("Красный график: построен от x = "));

    for (int n = 1; n <= practice::kTasksInRound; ++n) {
        const practice::Task task = practice->round().task();
        const practice::Transform t = task.hidden;
        SCOPED_TRACE(task.function);
        if (n == 1) {
            // Wrong by C: the pupil's graph in green, and what differs.
            answer(*practice, {t.A, t.k, t.b, t.C + 1});
            EXPECT_TRUE(practice->text(part::kVerdict)->text().startsWith("Неверно"));
            EXPECT_TRUE(practice->text(part::kDiffers)->text().contains("Сдвиг вдоль оси Oy")) << practice->text(part::kDiffers)->text().toStdString();
            EXPECT_GT(test::countPixels(practice->picture()->canvas().image(), kGreenPixel), 200);
            // On the offscreen screen of 800 x 600 the panel scrolls: what differs is brought into view.
            EXPECT_FALSE(practice->text(part::kDiffers)->visibleRegion().isEmpty());
            // The solution, typed back.
            practice->button(view::Command::ShowSolution)->click();
            const QStringList lines = practice->text(part::kSteps)->text().split('\n');
            ASSERT_GE(lines.size(), 3);
            const QStringList numbers = lines[1].split("; ");
            for (int i = 0; i < 4; ++i) practice->field(std::size_t(i))->setText(numbers[i].section("= ", 1));
            practice->button(view::Command::Check)->click();
            EXPECT_TRUE(practice->text(part::kVerdict)->text().startsWith("Верно")) << lines.join(" / ").toStdString() << " -> "
                                                                          << practice->text(part::kVerdict)->text().toStdString();
        } else if (n == 2) {
            // Another answer of the same graph counts.
            const bool odd = task.function == fn::kSin || task.function == fn::kCube;
            const bool even = task.function == fn::kCos || task.function == fn::kSquare;
            if (odd) answer(*practice, {-t.A, -t.k, -t.b, t.C});
            else if (even) answer(*practice, {t.A, -t.k, -t.b, t.C});
            else answer(*practice, t);
            EXPECT_TRUE(practice->text(part::kVerdict)->text().startsWith("Верно")) << practice->text(part::kVerdict)->text().toStdString();
            EXPECT_TRUE(practice->text(part::kDiffers)->text().isEmpty());
        } else {
            answer(*practice, t);
        }
        practice->button(view::Command::NextTask)->click();
    }
    // Nine right at the first try: all but the first.
    EXPECT_EQ(practice->text(part::kVerdict)->text(), "Верно с первой попытки: 9 из 10.");
    EXPECT_EQ(practice->button(view::Command::NextTask)->text(), "Новый раунд");
    practice->button(view::Command::NextTask)->click();
    EXPECT_EQ(practice->text(part::kHeading)->text(), "Задание 1 из 10");
}

TEST_F(PracticeWindowTest, TheSolutionOffersTheTasksMovesPlayedOnItsPicture) {
    menuItem("Тренировка…");
    PracticeWindow* practice = window.practiceWindow();
    ASSERT_TRUE(practice);
    practice->newRound(20261209);
    QPushButton* motion = practice->button(view::Command::Motion);
    EXPECT_FALSE(motion->isEnabled());
    practice->button(view::Command::ShowSolution)->click();
    ASSERT_TRUE(motion->isEnabled());
    const QImage still = practice->picture()->canvas().image().copy();
    const QString words = practice->picture()->spokenText();

    // The first frame: the first move's caption over a picture of its own;
    // Escape ends it on the task's picture at once.
    practice->motion().setReducedMotion(false);
    bool framed = false;
    practice->motion().onFrame = [&] { framed = true; };
    motion->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return framed; }, 60000));
    practice->motion().onFrame = nullptr;
    EXPECT_TRUE(practice->picture()->spokenText().startsWith("Шаг 1 из ")) << practice->picture()->spokenText().toStdString();
    EXPECT_NE(practice->picture()->canvas().image(), still);
    QTest::keyClick(practice->picture(), Qt::Key_Escape);
    EXPECT_FALSE(practice->motion().playing());
    EXPECT_EQ(practice->picture()->canvas().image(), still);
    EXPECT_EQ(practice->picture()->spokenText(), words);

    // The next task offers it once its solution is shown.
    practice->button(view::Command::NextTask)->click();
    EXPECT_FALSE(motion->isEnabled());
}

QString pdfText(const QString& file) {
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    EXPECT_TRUE(text.waitForFinished(60000));
    return QString::fromUtf8(text.readAllStandardOutput());
}

TEST_F(CardsDialogTest, SavesEightVariantsAndTheKeyAsAPdf) {
    menuItem("Карточки для класса…");
    CardsDialog* cards = window.cardsDialog();
    ASSERT_TRUE(cards && cards->isVisible());
    cards->variants()->setValue(8);
    cards->setNumber()->setValue(17);
    cards->level()->setCurrentIndex(1);
    QTemporaryDir dir;
    const QString first = dir.filePath("карточки.pdf"), second = dir.filePath("again.pdf");
    ASSERT_TRUE(cards->saveTo(first));
    ASSERT_TRUE(cards->saveTo(second));
    const QString text = pdfText(first);
    for (int n = 1; n <= 8; ++n) EXPECT_TRUE(text.contains(QStringLiteral("Вариант %1").arg(n))) << n;
    EXPECT_FALSE(text.contains("Вариант 9"));
    EXPECT_TRUE(text.contains("Ответы"));
    EXPECT_TRUE(text.contains("Запишите формулу функции, график которой изображён красным"));
    EXPECT_EQ(text.count("Набор 17"), 3) << "on each page: two of cards, one of answers";
    EXPECT_EQ(pdfText(second), text) << "the same set number, the same cards";
    for (const practice::KeyEntry& entry : practice::answerKey(*cards->cards())) {
        EXPECT_TRUE(text.contains(QString::fromStdString(entry.numbers))) << entry.numbers;
    }
}

} // namespace
} // namespace viramont
