// The picture a teacher takes from the window: composed from the canvases
// and the formula line, copied to the clipboard, saved, printed to a PDF;
// the context menu and the shortcuts; failures told in a message box while
// the canvases and the fields stay as they were.

#include "app/window/main_window.h"
#include "app/window/picture_export.h"
#include "app/window/picture_menu.h"
#include "raster_form.h"
#include "toolkit/qt/canvas_widget.h"
#include "window/example_plot.h"
#include "window/modal_script.h"
#include "window/pixels.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace viramont {
namespace {

constexpr QRgb kBlue = qRgb(0, 0, 255);
constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kGreen = qRgb(0, 128, 0);

// The rectangle of the image's device pixels that holds `part`, placed at
// `at` (logical) in the picture.
QRect deviceRect(QPoint at, const QImage& part) {
    const double dpr = part.devicePixelRatio();
    return {qRound(at.x() * dpr), qRound(at.y() * dpr), part.width(), part.height()};
}

QFont formulaFont() { return test::layoutFontOf("Text5"); }

class ComposedPicture : public ::testing::TestWithParam<double> {};

// A graph canvas with a blue and a red dot, a legend canvas lower and to its
// right with green text, as on the form; with and without the formula line.
TEST_P(ComposedPicture, HoldsTheFormulaAboveBothCanvasesAtTheirOffsets) {
    const double dpr = GetParam();
    RasterCanvas graph(120, 80, dpr, rgb(0, 0, 0), rgb(239, 239, 239), formulaFont());
    graph.setDrawWidth(3);
    graph.point(30, 20, rgb(0, 0, 255));
    graph.point(90, 60, rgb(255, 0, 0));
    RasterCanvas legend(70, 40, dpr, rgb(0, 128, 0), rgb(224, 224, 224), formulaFont());
    legend.print("Ось Y", LineEnd::NewLine);
    PictureParts parts{.graph = graph.image(), .graphAt = {2, 250}, .legend = legend.image(),
                       .legendAt = {136, 280}, .formula = {}, .font = formulaFont(), .ink = Qt::black};

    // Without the formula the picture is exactly the canvases' extent.
    const QImage bare = composePicture(parts);
    EXPECT_EQ(bare.devicePixelRatio(), dpr);
    EXPECT_EQ(bare.size(), QSize(qRound((136 + 70 - 2) * dpr), qRound(80 * dpr)));

    parts.formula = "4+2Sin(3x+1)";
    const QImage picture = composePicture(parts);
    const double band = picture.height() / dpr - 80;
    ASSERT_GE(band, QFontMetricsF(formulaFont()).height());
    const QRect graphRect = deviceRect(QPoint(0, qRound(band)), graph.image());
    const QRect legendRect = deviceRect(QPoint(134, qRound(band) + 30), legend.image());
    EXPECT_TRUE(picture.copy(graphRect) == graph.image());
    EXPECT_TRUE(picture.copy(legendRect) == legend.image());
    EXPECT_EQ(picture.pixel(graphRect.topLeft() + QPoint(qRound(30 * dpr), qRound(20 * dpr))), kBlue);
    EXPECT_EQ(picture.pixel(graphRect.topLeft() + QPoint(qRound(90 * dpr), qRound(60 * dpr))), kRed);
    EXPECT_GT(test::countPixels(picture, kGreen, legendRect), 0);
    // Paper between the canvases.
    const QRect gap(graphRect.right() + 1, graphRect.top(), legendRect.left() - graphRect.right() - 1,
                    legendRect.top() - graphRect.top());
    EXPECT_EQ(test::countPixels(picture, kPaper, gap), gap.width() * gap.height());

    // The formula's ink lies in the band, as wide as the text.
    const QRect bandRect(0, 0, picture.width(), graphRect.top());
    int left = picture.width(), right = -1;
    for (int y = 0; y < bandRect.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (qGray(picture.pixel(x, y)) < 128) left = std::min(left, x), right = std::max(right, x);
        }
    }
    ASSERT_GE(right, 0) << "no formula text";
    const double advance = QFontMetricsF(formulaFont()).horizontalAdvance(parts.formula) * dpr;
    EXPECT_NEAR(right - left + 1, advance, 4 * dpr);
    EXPECT_NEAR(left, kFormulaMargin * dpr, 3 * dpr);
}

INSTANTIATE_TEST_SUITE_P(Ratios, ComposedPicture, ::testing::Values(1.0, 2.0));

TEST(FormulaLine, LeavesOutTheInitialAndBlankTexts) {
    EXPECT_EQ(formulaLineOf("Text5"), "");
    EXPECT_EQ(formulaLineOf("  "), "");
    EXPECT_EQ(formulaLineOf("4+2Sin(3x+1)"), "4+2Sin(3x+1)");
}

class PictureOutput : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        test::plotExample(window);
        ASSERT_EQ(window.findChild<QLineEdit*>("Text5")->text(), "4+2Sin(3x+1)");
        ASSERT_TRUE(dir.isValid());
        graphBefore = window.picture1()->canvas().image().copy();
        legendBefore = window.picture2()->canvas().image().copy();
    }
    // The canvases, the fields and the state after a failure are as before.
    void expectUnchanged() {
        EXPECT_TRUE(window.picture1()->canvas().image() == graphBefore);
        EXPECT_TRUE(window.picture2()->canvas().image() == legendBefore);
        EXPECT_EQ(window.findChild<QLineEdit*>("Text5")->text(), "4+2Sin(3x+1)");
        EXPECT_EQ(window.form().state.FormulaText, "4+2Sin(3x+1)");
        EXPECT_EQ(window.form().state.ShiftY, 4.0f);
    }

    MainWindow window;
    PictureMenu& menu = window.pictureMenu();
    QTemporaryDir dir;
    QImage graphBefore, legendBefore;
};

TEST_F(PictureOutput, CtrlCOnACanvasCopiesThePictureAndInAFieldTheText) {
    const QImage picture = menu.picture();
    const int canvasHeight = window.picture1()->canvas().image().height();
    EXPECT_GT(picture.height(), canvasHeight);  // the formula line is on it

    window.picture2()->setFocus();
    QTest::keyClick(window.picture2(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32) == picture);

    auto* text1 = window.findChild<QLineEdit*>("Text1");
    text1->setFocus();
    text1->selectAll();
    QTest::keyClick(text1, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "2");

    // Shift+F10 on the canvas opens the menu.
    window.picture1()->setFocus();
    QTest::keyClick(window.picture1(), Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu.menu()));
    QStringList texts;
    for (const QAction* action : menu.menu().actions()) texts << action->text();
    EXPECT_EQ(texts, QStringList({"Копировать рисунок", "Сохранить рисунок…", "Печать…", "", "Построение по шагам…"}));
    menu.menu().close();
}

TEST_F(PictureOutput, SaveWritesThePictureOrSaysWhyNotAndLeavesNoFile) {
    const QString good = dir.filePath("график.png");
    EXPECT_TRUE(menu.saveTo(good));
    EXPECT_TRUE(QImage(good).convertToFormat(QImage::Format_RGB32) == menu.picture());

    for (const QString& bad : {dir.filePath("нет/график.png"), dir.filePath("график.abc")}) {
        SCOPED_TRACE(bad.toStdString());
        test::ModalScript modal;
        modal.ok();
        EXPECT_FALSE(menu.saveTo(bad));
        ASSERT_EQ(modal.messages().size(), 1u);
        EXPECT_TRUE(modal.messages()[0].contains(bad)) << modal.messages()[0].toStdString();
        EXPECT_FALSE(QFileInfo::exists(bad));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"график.png"});
    expectUnchanged();
}

TEST_F(PictureOutput, PrintToPdfShowsBothGraphsOnALandscapePage) {
    QPrinter printer;
    setUpPrinter(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("график.pdf"));
    ASSERT_TRUE(menu.printTo(printer));

    QProcess render;
    render.start("pdftoppm", {"-r", "40", "-png", "-singlefile", printer.outputFileName(), dir.filePath("page")});
    ASSERT_TRUE(render.waitForFinished(30000)) << "pdftoppm (poppler-utils) did not run";
    ASSERT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
    const QImage page(dir.filePath("page.png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(page.width(), page.height());
    const auto near = [](QRgb want) {
        return [want](QRgb p) {
            return std::abs(qRed(p) - qRed(want)) < 60 && std::abs(qGreen(p) - qGreen(want)) < 60 &&
                   std::abs(qBlue(p) - qBlue(want)) < 60;
        };
    };
    EXPECT_GT(test::countPixels(page, near(kBlue)), 20);
    EXPECT_GT(test::countPixels(page, near(kRed)), 20);

    // A printer that cannot start gets the message, and nothing changes.
    test::ModalScript modal;
    modal.ok();
    printer.setOutputFileName(dir.filePath("нет/график.pdf"));
    EXPECT_FALSE(menu.printTo(printer));
    EXPECT_EQ(modal.messages().size(), 1u);
    expectUnchanged();
}

} // namespace
} // namespace viramont
