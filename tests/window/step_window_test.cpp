// The step sheet of the window: offered once a plot is drawn, opened with
// Ctrl+G in a window of its own with a graph per step, its formula and
// sentence as text a screen reader reads; copied, saved and printed as one
// picture; kept up to date by the next plot.

#include "window/main_window.h"
#include "window/picture_menu.h"
#include "window/step_window.h"
#include "plot/step_graphs.h"
#include "toolkit/qt/canvas_widget.h"
#include "window/example_plot.h"
#include "window/modal_script.h"
#include "window/pixels.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace viramont {
namespace {

constexpr QRgb kBluePixel = qRgb(0, 0, 255);
constexpr QRgb kRedPixel = qRgb(255, 0, 0);
constexpr QRgb kMutedPixel = qRgb(redOf(kMutedCurve), greenOf(kMutedCurve), blueOf(kMutedCurve));

QStringList labelTexts(const QWidget* sheet, const char* name) {
    QStringList texts;
    for (const QLabel* label : sheet->findChildren<QLabel*>(name)) {
        // What a screen reader is given for the label.
        texts << QAccessible::queryAccessibleInterface(const_cast<QLabel*>(label))->text(QAccessible::Name);
    }
    return texts;
}

TEST(StepWindow, ShowsThePlotStepByStepAndGivesItAsOnePicture) {
    MainWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QAction& steps = window.pictureMenu().stepsAction();
    EXPECT_FALSE(steps.isEnabled()) << "no plot yet";

    // The sine's numbers taken by ВЫБОР, then Command1 for the base-a
    // logarithm, whose base was never asked: the plot is refused and draws
    // nothing, so there is nothing to explain.
    {
        auto* combo = window.findChild<QComboBox*>("Combo1");
        combo->setCurrentIndex(0);
        emit combo->activated(0);
        window.findChild<QPushButton*>(QString::fromUtf8("ВЫБОР"))->click();
        combo->setCurrentIndex(5);
        emit combo->activated(5);
        test::ModalScript boxes;
        boxes.ok();
        window.findChild<QPushButton*>("Command1")->click();
        ASSERT_EQ(boxes.messages().size(), 1u);
        EXPECT_TRUE(boxes.messages()[0].contains("основание логарифма ещё не введено")) << boxes.messages()[0].toStdString();
        EXPECT_FALSE(steps.isEnabled()) << "a refused plot";
    }

    test::plotExample(window);
    ASSERT_TRUE(steps.isEnabled());

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_G, Qt::ControlModifier);
    StepWindow* sheet = window.stepWindow();
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet));
    const QWidget* paper = sheet->findChild<QWidget*>("StepSheet");
    ASSERT_NE(paper, nullptr);

    EXPECT_EQ(labelTexts(paper, "StepFormula"),
              QStringList({"y = Sin(x)", "y = Sin(3x)", "y = Sin(3(x+1/3)) = Sin(3x+1)", "y = 2Sin(3x+1)",
                           "y = 4+2Sin(3x+1)"}));
    EXPECT_EQ(labelTexts(paper, "StepSentence"),
              QStringList({"График исходной функции", "Сжатие к оси Oy в 3 раза", "Сдвиг вдоль оси Ox на 1/3 влево",
                           "Растяжение от оси Ox в 2 раза", "Сдвиг вдоль оси Oy на 4 вверх"}));
    EXPECT_EQ(paper->findChild<QLabel*>("StepsLeftOut"), nullptr);

    // The first graph blue alone, then each step red over the muted curve
    // before it.
    ASSERT_EQ(sheet->graphs().size(), 5u);
    const QImage first = sheet->graphs()[0]->canvas().image();
    EXPECT_GT(test::countPixels(first, kBluePixel), 300);
    EXPECT_EQ(test::countPixels(first, kRedPixel) + test::countPixels(first, kMutedPixel), 0);
    for (std::size_t i = 1; i < 5; ++i) {
        const QImage graph = sheet->graphs()[i]->canvas().image();
        EXPECT_GT(test::countPixels(graph, kRedPixel), 300) << i;
        EXPECT_GT(test::countPixels(graph, kMutedPixel), 100) << i;
        EXPECT_EQ(test::countPixels(graph, kBluePixel), 0) << i;
    }

    // The picture: the whole sheet with every graph at its place, on paper.
    const QImage picture = sheet->picture();
    const double dpr = picture.devicePixelRatio();
    for (const CanvasWidget* graph : sheet->graphs()) {
        const QImage image = graph->canvas().image();
        const QPoint at = graph->mapTo(paper, graph->contentsRect().topLeft()) * dpr;
        EXPECT_TRUE(picture.copy(QRect(at, image.size())) == image.convertToFormat(QImage::Format_RGB32));
        // Its formula and sentence in ink above it.
        EXPECT_GT(test::countPixels(picture, [](QRgb p) { return qGray(p) < 100; },
                                    QRect(at.x(), at.y() - qRound(50 * dpr), image.width(), qRound(45 * dpr))),
                  50);
    }
    EXPECT_EQ(picture.pixel(2, 2), qRgb(255, 255, 255));

    QTemporaryDir dir;
    const QString png = dir.filePath("построение по шагам.png");
    ASSERT_TRUE(sheet->output().saveTo(png));
    EXPECT_TRUE(QImage(png).convertToFormat(QImage::Format_RGB32) == picture);

    // Printed: one landscape page.
    QPrinter printer;
    sheet->output().setUpPrinter(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("шаги.pdf"));
    ASSERT_TRUE(sheet->output().printTo(printer));
    QProcess info;
    info.start("pdfinfo", {printer.outputFileName()});
    ASSERT_TRUE(info.waitForFinished(30000)) << "pdfinfo (poppler-utils) did not run";
    const QString pdf = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(pdf.contains(QRegularExpression("Pages:\\s+1\\n"))) << pdf.toStdString();
    const QRegularExpressionMatch size = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+)").match(pdf);
    ASSERT_TRUE(size.hasMatch()) << pdf.toStdString();
    EXPECT_GT(size.captured(1).toDouble(), size.captured(2).toDouble()) << "landscape";

    // The next plot, of A = 1 and C = 0, shows at once: two steps left out.
    window.findChild<QLineEdit*>("Text1")->setText("1");
    window.findChild<QLineEdit*>("Text4")->setText("0");
    window.findChild<QPushButton*>(QString::fromUtf8("ВЫБОР"))->click();
    window.findChild<QPushButton*>("Command1")->click();
    paper = sheet->findChild<QWidget*>("StepSheet");
    EXPECT_EQ(sheet->graphs().size(), 3u);
    const QLabel* leftOut = paper->findChild<QLabel*>("StepsLeftOut");
    ASSERT_NE(leftOut, nullptr);
    EXPECT_EQ(leftOut->text(), "Шаги, которые ничего не меняют, пропущены:\n"
                               "A = 1: растяжения и сжатия вдоль оси Oy нет\n"
                               "C = 0: сдвига вдоль оси Oy нет");
    sheet->close();
}

} // namespace
} // namespace viramont
