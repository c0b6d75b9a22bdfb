// The picture a teacher takes from the window: composed from the canvases
// and the formula line, copied to the clipboard, saved, printed to a PDF;
// the context menu and the shortcuts; failures told in a message box while
// the canvases and the fields stay as they were.

#include "window/main_window.h"
#include "window/picture_export.h"
#include "views/picture.h"
#include "window/picture_menu.h"
#include "plot/redraw.h"
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
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <ostream>

namespace viramont {
namespace {

constexpr QRgb kPaper = qRgb(redOf(layout::kPaper), greenOf(layout::kPaper), blueOf(layout::kPaper));
using view::kFormulaMargin;

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

// Runs a command line tool; its standard output.
QByteArray run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    EXPECT_TRUE(p.waitForFinished(60000)) << program.toStdString() << " did not run (poppler-utils)";
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return p.readAllStandardOutput();
}

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
    EXPECT_EQ(texts, QStringList({"Копировать рисунок", "Сохранить рисунок…", "Печать…", "", "Построение по шагам…",
                                  "Показать движение", "Ссылка на этот график", "Прослушать графики", "", "Тренировка…",
                                  "Карточки для класса…"}));
    menu.menu().close();
    // The link of the plot, for the page.
    ASSERT_TRUE(menu.action(view::Command::Link).isEnabled());
    menu.action(view::Command::Link).trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "viramont.html#fn=sin&A=2&k=3&b=1&C=4&from=0&to=10");
}

TEST_F(PictureOutput, SaveWritesThePictureOrSaysWhyNotAndLeavesNoFile) {
    const QString good = dir.filePath("график.png");
    EXPECT_TRUE(menu.saveTo(good));
    EXPECT_TRUE(QImage(good).convertToFormat(QImage::Format_RGB32) == menu.picture());
    // Twice and four times as large, drawn anew: the same stamps at the
    // larger pixels, as a screen of that ratio shows them; and the page of
    // paper as a PDF.
    for (double ratio : {2.0, 4.0}) {
        const QString larger = dir.filePath(QStringLiteral("график-%1.png").arg(ratio));
        EXPECT_TRUE(menu.saveTo(larger, ratio));
        EXPECT_EQ(QImage(larger).size(), menu.picture().size() * ratio);
        test::RasterCanvases highDpi(ratio);
        redrawGraphs(*window.lastPlotInputs(), highDpi.picture1);
        EXPECT_EQ(test::countPixels(QImage(larger), kRed), test::countPixels(highDpi.picture1.image(), kRed));
    }
    EXPECT_TRUE(menu.saveTo(dir.filePath("график.pdf")));
    EXPECT_TRUE(run("pdfinfo", {dir.filePath("график.pdf")}).contains("Pages:           1"));

    for (const QString& bad : {dir.filePath("нет/график.png"), dir.filePath("график.abc")}) {
        SCOPED_TRACE(bad.toStdString());
        test::ModalScript modal;
        modal.ok();
        EXPECT_FALSE(menu.saveTo(bad));
        ASSERT_EQ(modal.messages().size(), 1u);
        EXPECT_TRUE(modal.messages()[0].contains(bad)) << modal.messages()[0].toStdString();
        EXPECT_FALSE(QFileInfo::exists(bad));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries, QDir::Name),
              QStringList({"график-2.png", "график-4.png", "график.pdf", "график.png"}));
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


// The page of paper, rendered at 300 dpi, against the screen: the letters
// sharp, no JPEG (no image at all), the curves where the screen has them,
// scaled; after a fault the same partial drawing, and two legends after two
// plots without a new ВЫБОР.
struct PaperCase {
    const char* name;
    void (*press)(MainWindow&);
};
void PrintTo(const PaperCase& c, std::ostream* os) { *os << c.name; }

class PaperPage : public ::testing::TestWithParam<PaperCase> {};

// The box of a canvas's back colour: the rows and columns that are mostly
// that colour (letters' soft edges elsewhere on the page are not).
QRect boxOf(const QImage& img, QRgb colour) {
    colour |= 0xFF000000u;
    auto mostly = [&](int count, int length) { return count * 3 > length; };
    QRect box;
    for (int y = 0; y < img.height(); ++y) {
        int n = 0;
        for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) == colour;
        if (mostly(n, img.width() / 4)) box |= QRect(0, y, 1, 1);
    }
    int left = -1, right = -1;
    for (int x = 0; x < img.width(); ++x) {
        int n = 0;
        for (int y = box.top(); y <= box.bottom(); ++y) n += img.pixel(x, y) == colour;
        if (mostly(n, box.height())) (left < 0 ? left : right) = x, right = x;
    }
    return QRect(QPoint(left, box.top()), QPoint(right, box.bottom()));
}

// Rows of `img` within `area` that hold a pixel darker than `dark`, as runs
// (one per line of text).
int textLines(const QImage& img, QRect area, int dark) {
    int lines = 0;
    bool inLine = false;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        bool ink = false;
        for (int x = area.left(); x <= area.right() && !ink; ++x) ink = qGray(img.pixel(x, y)) < dark;
        lines += ink && !inLine;
        inLine = ink;
    }
    return lines;
}

TEST_P(PaperPage, IsDrawnAnewAtThePrintersResolution) {
    MainWindow window;
    window.show();
    GetParam().press(window);
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("page.pdf"));
    ASSERT_TRUE(window.pictureMenu().printTo(printer));

    const QList<QByteArray> images = run("pdfimages", {"-list", printer.outputFileName()}).split('\n');
    EXPECT_LE(images.size(), 3) << "the page holds images:\n" << images.join('\n').toStdString();
    run("pdftoppm", {"-r", "300", "-png", "-singlefile", printer.outputFileName(), dir.filePath("page")});
    const QImage page = QImage(dir.filePath("page.png")).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(page.isNull());

    // The canvases' backs give their boxes, and the scale from the screen.
    const QImage screen = window.picture1()->canvas().image();
    const QImage legendScreen = window.picture2()->canvas().image();
    // (Lines along the graph canvas's left edge hide its back there: its
    // height gives the scale, its right edge the rest.)
    QRect graph = boxOf(page, window.picture1()->canvas().backColour());
    const QRect legend = boxOf(page, window.picture2()->canvas().backColour());
    const double scale = static_cast<double>(graph.height()) / screen.height();
    graph.setLeft(graph.right() + 1 - qRound(screen.width() * scale));
    ASSERT_GT(scale, 2.5) << "the graph does not fill the page";
    EXPECT_NEAR(legend.width() / scale, legendScreen.width(), 2);

    // Letters: from ink to paper within about two pixels. The formula line
    // stands above the graph; every edge along its rows is counted.
    const QRect formula(graph.left(), 0, graph.width(), graph.top());
    int edges = 0, soft = 0;
    for (int y = formula.top(); y < formula.bottom(); ++y) {
        for (int x = formula.left(), run = 0; x < formula.right(); ++x) {
            const int g = qGray(page.pixel(x, y));
            if (g > 60 && g < 200) {
                ++run;
            } else {
                if (run > 0) ++edges, soft += run > 2;
                run = 0;
            }
        }
    }
    EXPECT_GT(edges, 200) << "no formula line";
    EXPECT_LT(soft, edges / 10) << soft << " of " << edges << " edges are soft";

    // The curves: in each tenth of the graph's width, where the screen has a
    // colour in a column, the page has it at the same height, scaled.
    for (QRgb colour : {kBlue, kRed}) {
        for (int i = 1; i < 10; ++i) {
            const int sx = screen.width() * i / 10;
            const double sy = test::centreInColumn(screen, sx, colour);
            const int px = graph.left() + static_cast<int>((sx + 0.5) * scale);
            double sum = 0;
            int n = 0;
            for (int y = graph.top(); y <= graph.bottom(); ++y) {
                const QRgb p = page.pixel(px, y);
                if (qRed(p) == qRed(colour) && qBlue(p) == qBlue(colour) && qGreen(p) == 0) sum += y + 0.5, ++n;
            }
            SCOPED_TRACE(testing::Message() << GetParam().name << " colour " << std::hex << colour << std::dec << " column " << sx);
            if (sy < 0) {
                EXPECT_EQ(n, 0) << "the page has a curve the screen does not";
                continue;
            }
            ASSERT_GT(n, 0) << "the page has no curve here";
            EXPECT_NEAR((sum / n - graph.top()) / scale, sy, 3.0);
        }
    }

    // The legend: as many lines of text as on the screen.
    EXPECT_EQ(textLines(page, legend.adjusted(0, 0, 0, -1), 150), textLines(legendScreen, legendScreen.rect(), 150));
}

void plotTwice(MainWindow& w) {
    test::plotExample(w);
    w.findChild<QPushButton*>("Command1")->click();
}
// Log(2x+5) on 1..10: the red graph from -4 faults at once, after the blue.
void plotUntilAFault(MainWindow& w) {
    test::ModalScript modal;
    modal.ok();
    test::plotAs(w, 4, {"1", "2", "5", "0", "1", "10"});
    ASSERT_EQ(modal.messages().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Cases, PaperPage,
                         ::testing::Values(PaperCase{"Example", test::plotExample},
                                           PaperCase{"AfterAFault", plotUntilAFault},
                                           PaperCase{"TwoLegends", plotTwice}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace viramont
