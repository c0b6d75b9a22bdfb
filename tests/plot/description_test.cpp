// The picture in words: what Picture1's description says after ВЫБОР and
// Command1, one row a case. Every number is what the mathematics of the
// case gives, rounded to two decimals (π/2 = 1,57, ln 10 = 2,3).

#include "form_kit.h"
#include "params/intake.h"
#include "plot/description.h"
#include "plot/plot.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace viramont {
namespace {

struct DescriptionCase {
    const char* name;
    const char* function;
    std::vector<std::string> fields;  // Text1, Text2, Text3, Text4, Text6, Text7
    const char* base;                 // the answer to the base box
    std::vector<std::string> says;    // lines or parts of lines
    std::vector<std::string> never = {};
};
void PrintTo(const DescriptionCase& c, std::ostream* os) { *os << c.name; }

// A window after ВЫБОР and Command1 on the fields of a case.
struct Plotted : test::FakeWindow {
    explicit Plotted(const DescriptionCase& c) {
        Form_Load(form);
        pick(c.function);
        test::FakeField* texts[] = {&text1, &text2, &text3, &text4, &text6, &text7};
        for (std::size_t i = 0; i < 6; ++i) texts[i]->setText(c.fields[i]);
        if (*c.base) dialogs.answers.push_back(c.base);
        picture1.setKeepPoints(false);
        runHandler(form, ВЫБОР_Click);
        runHandler(form, Command1_Click);
    }
};

class Description : public ::testing::TestWithParam<DescriptionCase> {
protected:
    test::DecimalSeparator comma{","};
};

TEST_P(Description, SaysWhatThePictureShows) {
    const DescriptionCase& c = GetParam();
    const Plotted w(c);
    const std::string& text = w.form.state.Spoken.picture1;
    for (const std::string& part : c.says) EXPECT_NE(text.find(part), std::string::npos) << part << "\nin:\n" << text;
    for (const std::string& part : c.never) EXPECT_EQ(text.find(part), std::string::npos) << part << "\nin:\n" << text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Description,
    ::testing::Values(
        // The window's initial fields: sin x and 1 + sin(x + 1) on 0..10.
        DescriptionCase{
            "sine",
            "Sin(X)",
            {"1", "1", "1", "1", "0", "10"},
            "",
            {"Отрезок от 0 до 10. Видно x от −1 слева до 11 справа и y от −1,98 внизу до 3 вверху.\n",
             "Синий график — исходная функция y = Sin(x): построен от x = 0 до x = 10. Наибольшее значение 1 при "
             "x = 1,57, наименьшее −1 при x = 4,71. Пересекает ось x в 4 точках: x = 0; 3,14; 6,28; 9,42.\n",
             // lowest where x + 1 = 3π/2; it touches the axis there
             "Красный график — преобразованная функция y = 1+Sin(x+1): построен от x = −1 до x = 9. Наибольшее "
             "значение 2 при x = 0,57, наименьшее 0 при x = 3,71. Касается оси x при x = 3,71.\n",
             "Пурпурная горизонтальная линия y = 1: сдвиг по оси y на 1 вверх.\n",
             "Голубая вертикальная линия x = −1: сдвиг по оси x на 1 влево."},
            {"По сравнению"}},
        // Negative A and k: -2·cos(-0,5x) is cos x stretched and mirrored
        // both ways; no shift.
        DescriptionCase{
            "cosine, negative A and k",
            "Cos(X)",
            {"-2", "-0,5", "0", "0", "0", "10"},
            "",
            {"y = Cos(x): построен от x = 0 до x = 10. Наибольшее значение 1 при x = 0, наименьшее −1 при "
             "x = 3,14. Пересекает ось x в 3 точках: x = 1,57; 4,71; 7,85.",
             "y = -2Cos(-0,5x): построен от x = 0 до x = 10. Наибольшее значение 2 при x = 6,28, наименьшее −2 "
             "при x = 0. Пересекает ось x в 2 точках: x = 3,14; 9,42. По сравнению с синим он растянут по оси x "
             "в 2 раза, отражён относительно оси y, растянут по оси y в 2 раза и отражён относительно оси x.",
             "Пурпурная горизонтальная линия y = 0: сдвига по оси y нет, линия лежит на оси x.",
             "Голубая вертикальная линия x = 0: сдвига по оси x нет, линия лежит на оси y."}},
        // x² only touches the axis; 3(2x + 1)² + 2 does not reach it. Its
        // scan leaves b out and ends at 3·10² + 2 = 302, while on its own
        // interval, -5 - 1 .. 5 - 1, it climbs to 3·11² + 2 = 365 at x = -6.
        DescriptionCase{
            "square, no crossing",
            "(x)^2",
            {"3", "2", "1", "2", "-5", "5"},
            "",
            {"y = (x)^2: построен от x = −5 до x = 5. Наибольшее значение 25 при x = −5, наименьшее 0 при x = 0. "
             "Касается оси x при x = 0.",
             "y = 2+3(2x+1)^2: построен от x = −6 до x = 4. Наибольшее значение 365 при x = −6, наименьшее 2 при "
             "x = −0,5. Ось x не пересекает. Часть графика не видна: он выходит за верхний край рисунка. По "
             "сравнению с синим он сжат по оси x в 2 раза и растянут по оси y в 3 раза.",
             "Видно x от −6 слева до 6 справа и y от −1 внизу до 303 вверху."}},
        // x³ crosses 0 once, between two points of the float grid.
        DescriptionCase{"cube",
                        "(x)^3",
                        {"1", "1", "0", "0", "-2", "2"},
                        "",
                        {"y = (x)^3: построен от x = −2 до x = 2. Наибольшее значение 8 при x = 2, наименьшее −8 "
                         "при x = −2. Пересекает ось x в 1 точке: x = 0."}},
        // The red graph starts at x = 1 - 5 = -4, where 2x + 5 = -3.
        DescriptionCase{"logarithm stopped at the red graph's start",
                        "Log(x)",
                        {"1", "2", "5", "0", "1", "10"},
                        "",
                        {"y = Log(x): построен от x = 1 до x = 10. Наибольшее значение 2,3 при x = 10, наименьшее 0 "
                         "при x = 1. Пересекает ось x в 1 точке: x = 1.",
                         "Красный график — преобразованная функция y = Log(2x+5): не построен: при x = −4 логарифм "
                         "не определён: 2x+5 = −3 ≤ 0.\n"}},
        // log2(x + 1) on 1 - 1 .. 8 - 1.
        DescriptionCase{"logarithm to base 2",
                        "Log(b)/Log(a)",
                        {"1", "1", "1", "0", "1", "8"},
                        "2",
                        {"Синий график — исходная функция y = Log(x)/Log(2): построен от x = 1 до x = 8. Наибольшее "
                         "значение 3 при x = 8, наименьшее 0 при x = 1.",
                         "Красный график — преобразованная функция y = Log(x+1)/Log(2): построен от x = 0 до x = 7. "
                         "Наибольшее значение 3 при x = 7, наименьшее 0 при x = 0. Пересекает ось x в 1 точке: x = 0."}},
        // (10^12·x - 1)³ + 1 passes 3,4·10^38 where 10^12·x - 1 passes its
        // cube root, 6,98·10^12.
        DescriptionCase{"a fault mid-curve",
                        "(x)^3",
                        {"1", "1e12", "-1", "1", "0", "6"},
                        "",
                        {"Синий график — исходная функция y = (x)^3: построен от x = 0 до x = 6.",
                         "Красный график — преобразованная функция y = 1+(1000000000000x-1)^3: построен от x = 1 до "
                         "x = 6,98 и обрывается: при x = 6,98 значение функции больше 3,4·10^38."}},
        // The example plot, 4+2Sin(3x+1) on 0 to 10: it stays between 2 and 6.
        DescriptionCase{
            "sine squeezed, stretched and lifted",
            "Sin(X)",
            {"2", "3", "1", "4", "-5", "5"},
            "",
            {"Пересекает ось x в 3 точках: x = −3,14; 0; 3,14.",
             "y = 4+2Sin(3x+1): построен от x = −6 до x = 4. Наибольшее значение 6 при x = ",
             ", наименьшее 2 при x = ", ". Ось x не пересекает. По сравнению с синим он сжат по оси x в 3 раза и "
                                        "растянут по оси y в 2 раза.",
             "Пурпурная горизонтальная линия y = 4: сдвиг по оси y на 4 вверх."}},
        // Nothing on a backward interval; the scale turns with it.
        DescriptionCase{"a backward interval",
                        "Sin(X)",
                        {"1", "1", "1", "1", "5", "1"},
                        "",
                        {"Отрезок от 5 до 1. Его начало больше конца, поэтому графики не построены. Видно x от 4 "
                         "слева до 2 справа и y от 999 внизу до −999 вверху.",
                         "Синий график — исходная функция y = Sin(x): не построен: на отрезке нет ни одной точки.",
                         "Красный график — преобразованная функция y = 1+Sin(x+1): не построен: на отрезке нет ни "
                         "одной точки."}}));

// What a press announces, and the picture said to belong to the formula it
// was drawn for while the fields have moved on.
TEST(Description, PressesAnnounceAndAnOlderPictureKeepsItsFormula) {
    const test::DecimalSeparator comma{","};
    test::FakeWindow w;
    Form_Load(w.form);
    const SpokenText& spoken = w.form.state.Spoken;
    EXPECT_EQ(spoken.picture1, "Графики ещё не построены.");
    w.pick("Sin(X)");
    runHandler(w.form, ВЫБОР_Click);
    EXPECT_EQ(spoken.announcement, "Формула: y = 1+Sin(x+1).");
    runHandler(w.form, Command1_Click);
    EXPECT_EQ(spoken.announcement, "Графики построены: синий y = Sin(x), красный y = 1+Sin(x+1).");
    const std::string plot = spoken.picture1;
    EXPECT_TRUE(plot.starts_with("Отрезок от 0 до 10.")) << plot;

    // A check stops ВЫБОР: the older picture is the sine's.
    w.pick("Log(x)");
    w.text6.setText("-1");
    runHandler(w.form, ВЫБОР_Click);
    EXPECT_EQ(w.dialogs.messages.back(), kIntervalMessage);
    EXPECT_EQ(spoken.announcement, "«ВЫБОР ПАРАМЕТРОВ» остановлен, формула прежняя.");
    EXPECT_EQ(spoken.picture1,
              "«ВЫБОР ПАРАМЕТРОВ» остановлен; рисунок построен раньше, для формулы y = 1+Sin(x+1).\n" + plot);

    // A new formula: the picture is of the one before.
    w.text6.setText("1");
    runHandler(w.form, ВЫБОР_Click);
    EXPECT_EQ(spoken.announcement, "Формула: y = 1+Log(x+1).");
    EXPECT_TRUE(spoken.picture1.starts_with("Рисунок построен для прежней формулы y = 1+Sin(x+1); чтобы построить "
                                            "графики новой, нажмите «ПОСТРОИТЬ ГРАФИКИ ФУНКЦИЙ».\n"))
        << spoken.picture1;

    // Plotted, the picture is the new formula's alone; a stop there is
    // announced apart from its box.
    runHandler(w.form, Command1_Click);
    EXPECT_TRUE(spoken.picture1.starts_with("Отрезок от 1 до 10.")) << spoken.picture1;
    w.form.state.StretchX = Numeric::real(2);
    w.form.state.ShiftX = Numeric::real(5);
    EXPECT_FALSE(runHandler(w.form, Command1_Click));
    EXPECT_EQ(spoken.announcement, "Построение остановлено сообщением; рисунок показывает то, что успело построиться.");
    EXPECT_NE(spoken.picture1.find("y = 1+Log(2x+5): не построен: при x = −4"), std::string::npos) << spoken.picture1;
}

// Batches cut anywhere: a crossing between two batches, a run of points on
// the axis across a cut, and extremes met again later count once.
TEST(GraphTrace, GathersAcrossBatches) {
    const std::vector<GraphPoint> points = {
        {0.0f, 2.0f},  {1.0f, 1.0f}, {2.0f, -2.0f}, {3.0f, -3.0f}, {4.0f, 0.0f},  {5.0f, 0.0f},  {6.0f, -0.5f},
        {7.0f, 4.0f},  {8.0f, 4.0f}, {9.0f, 0.5f},  {10.0f, 0.25f}, {11.0f, 0.0f}, {12.0f, 1.0f}, {13.0f, -3.0f},
    };
    for (std::size_t cut = 1; cut < points.size(); ++cut) {
        SCOPED_TRACE(cut);
        GraphTrace t;
        const std::span<const GraphPoint> all(points);
        t.add(all.first(cut));
        t.add(all.subspan(cut));
        EXPECT_EQ(t.points(), 14);
        EXPECT_EQ(t.first().x, 0.0f);
        EXPECT_EQ(t.last().x, 13.0f);
        // the first of equal extremes: 4 at 7 and 8, -3 at 3 and 13
        EXPECT_EQ(t.highest().y, 4.0f);
        EXPECT_EQ(t.highest().x, 7.0f);
        EXPECT_EQ(t.lowest().y, -3.0f);
        EXPECT_EQ(t.lowest().x, 3.0f);
        // 1 -> -2 across (nearer at x = 1), onto the axis at 4, -0.5 -> 4
        // across (nearer at 6), onto it at 11, 1 -> -3 across (nearer at
        // 12): five meetings, the first four kept.
        EXPECT_EQ(t.crossings(), 5);
        const std::vector<float> listed(t.listedCrossings().begin(), t.listedCrossings().end());
        EXPECT_EQ(listed, (std::vector<float>{1.0f, 4.0f, 6.0f, 11.0f}));
    }
}

} // namespace
} // namespace viramont
