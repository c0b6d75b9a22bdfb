// Click to pixels: the time from the click on Command1 in the real window
// until both canvases are painted, against the compute floor of the same
// plot (bench/floor.h), in one process.
//
// The window runs on the offscreen platform with a 1920 x 1200 screen, so
// it keeps its full size. Each run picks "Sin(X)" in Combo1, types the
// fields and presses ВЫБОР (not timed), then times a mouse press and release
// on Command1 and the event processing after it, until both canvases have
// had their paint event. Painting and the copy of the window's backing store
// to the platform happen in one pass of the event loop, so when that pass
// returns the new pixels are in the window's surface: that is "painted"
// here. Runs alternate with runs of the floor; each case reports medians.
//
//   press_bench                 both cases
//   press_bench default|wide    one case
//   press_bench default 500     one case, 500 runs (for a profiler)
//   valgrind --tool=callgrind --collect-atstart=no press_bench default 10
//
// The exit status is 1 when a case's ratio is above its target.

#include "window/main_window.h"
#include "bench/floor.h"
#include "toolkit/number_text.h"
#include "toolkit/qt/canvas_widget.h"
#include "window/typing.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyleFactory>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_TOGGLE_COLLECT
#endif

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace viramont {
namespace {

struct PressCase {
    const char* name;
    const char* start;  // Text6
    const char* end;    // Text7
    int runs;
    double target;      // largest press / floor
};

constexpr PressCase kCases[] = {
    {"default", "0", "10", 31, 1.0},
    {"wide", "-2047", "2047", 5, 0.05},
};

// Counts the paint events of a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++count;
        return false;
    }
};

void clickOn(QWidget* w) {
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    const QPointF global = w->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

// Clicks and processes events until both canvases were painted; the time
// in ms. Under callgrind --collect-atstart=no only this part is collected.
double clickAndWaitForPaint(QWidget* button, PaintCounter& paints1, PaintCounter& paints2) {
    paints1.count = paints2.count = 0;
    QElapsedTimer timer;
    CALLGRIND_TOGGLE_COLLECT;
    timer.start();
    clickOn(button);
    while (paints1.count == 0 || paints2.count == 0) {
        QApplication::processEvents();
        if (timer.elapsed() > 60000) {
            std::fprintf(stderr, "the canvases were not painted\n");
            std::exit(2);
        }
    }
    CALLGRIND_TOGGLE_COLLECT;
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

void settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Timing {
    double press, floor;  // medians, ms
    double pressMin, pressMax, floorMin, floorMax;
};

Timing run(const PressCase& c, int runs) {
    MainWindow window;
    window.show();
    settle();
    auto* combo = window.findChild<QComboBox*>("Combo1");
    auto* choose = window.findChild<QPushButton*>(QString::fromUtf8("ВЫБОР"));
    auto* command1 = window.findChild<QPushButton*>("Command1");
    PaintCounter paints1(window.picture1()), paints2(window.picture2());
    const std::pair<const char*, const char*> fields[] = {{"Text1", "1"}, {"Text2", "1"}, {"Text3", "1"},
                                                          {"Text4", "1"}, {"Text6", c.start}, {"Text7", c.end}};
    std::vector<double> presses, floors;
    volatile double sink = 0;
    for (int i = 0; i < runs; ++i) {
        combo->setCurrentIndex(0);
        emit combo->activated(0);
        for (auto [name, text] : fields) test::typeInto(window.findChild<QLineEdit*>(name), text);
        clickOn(choose);
        settle();

        presses.push_back(clickAndWaitForPaint(command1, paints1, paints2));
        settle();

        QElapsedTimer timer;
        timer.start();
        sink = sink + bench::sineFloor(window.form().state);
        floors.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    if (window.form().state.FunctionName != "Sin(X)") {
        std::fprintf(stderr, "%s: no function was picked\n", c.name);
        std::exit(2);
    }
    return {median(presses),
            median(floors),
            *std::min_element(presses.begin(), presses.end()),
            *std::max_element(presses.begin(), presses.end()),
            *std::min_element(floors.begin(), floors.end()),
            *std::max_element(floors.begin(), floors.end())};
}

// A screen large enough for the whole window, in a file for the platform.
QByteArray offscreenWithLargeScreen() {
    const QString path = QDir::temp().filePath(QStringLiteral("press_bench_screen.json"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(R"({"screens":[{"name":"s","x":0,"y":0,"width":1920,"height":1200,)"
                   R"("logicalDpiX":96,"logicalDpiY":96,"dpr":1}]})");
    }
    return "offscreen:configfile=" + path.toUtf8();
}

} // namespace
} // namespace viramont

int main(int argc, char** argv) {
    using namespace viramont;
    qputenv("QT_QPA_PLATFORM", offscreenWithLargeScreen());
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    setDecimalSeparator(".");

    bool missed = false;
    std::printf("%-8s %5s %28s %28s %6s\n", "case", "runs", "click to painted, ms", "floor, ms", "ratio");
    for (const PressCase& c : kCases) {
        if (argc > 1 && std::strcmp(argv[1], c.name) != 0) continue;
        const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : c.runs;
        const Timing t = run(c, runs);
        const double ratio = t.press / t.floor;
        const bool met = ratio <= c.target;
        missed = missed || !met;
        std::printf("%-8s %5d %9.2f (%7.2f..%7.2f) %9.2f (%7.2f..%7.2f) %6.3f  (target <= %.2f%s)\n", c.name, runs,
                    t.press, t.pressMin, t.pressMax, t.floor, t.floorMin, t.floorMax, ratio, c.target,
                    met ? "" : ", MISSED");
    }
    return missed ? 1 : 0;
}
