// A frame of "Показать движение" in the real window: from the tick of the
// clock until Picture1 is painted, for the six functions with k = 10 (and
// k = -10, a reflection) at the default interval 0..10 and at -2047..2047,
// with the press of Command1 of the same plot timed in the same run. Each
// case plays the whole motion frame by frame (a frame every sixtieth of a
// second of the motion's time) and reports the median and the longest
// frame in milliseconds; the press is reported the same way.
//
// The window runs on the offscreen platform with a 1920 x 1200 screen.
// Targets: a median frame of at most 8 ms at 0..10, at most 16 ms at
// -2047..2047.
//
//   motion_bench                            every case
//   motion_bench --benchmark_filter=Sin     the sine's cases

#include "window/main_window.h"
#include "window/motion_driver.h"
#include "toolkit/qt/canvas_widget.h"
#include "views/motion.h"
#include "window/example_plot.h"
#include "window/modal_script.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QStyleFactory>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

namespace viramont {
namespace {

MainWindow* gWindow = nullptr;

struct Times {
    std::vector<double> ms;
    void report(benchmark::State& state, const char* what) const {
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        if (sorted.empty()) return;
        state.counters[std::string(what) + "_median_ms"] = sorted[sorted.size() / 2];
        state.counters[std::string(what) + "_longest_ms"] = sorted.back();
    }
};

double msSince(const QElapsedTimer& t) { return static_cast<double>(t.nsecsElapsed()) / 1e6; }

// Plots the entry `entry` of Combo1 with A = 2, k, b = 1, C = 4 over the
// interval, then plays its motion frame by frame.
void motionFrames(benchmark::State& state, int entry, const char* k, const char* start, const char* end) {
    MainWindow& w = *gWindow;
    CanvasWidget& picture1 = *w.picture1();
    Times frames, presses;
    for (auto _ : state) {
        QElapsedTimer press;
        press.start();
        test::ModalScript boxes;  // the base-a logarithm asks for its base: 2
        if (entry == 5) boxes.type("2");
        test::plotAs(w, entry, {"2", k, "1", "4", start, end});
        picture1.repaint();
        presses.ms.push_back(msSince(press));
        if (!w.lastPlotInputs()) {
            state.SkipWithError("no plot");
            return;
        }
        const view::Motion motion(*w.lastPlotInputs());
        w.motion().drawFrame(motion, motion.endFrame());  // nothing kept from the case before
        for (double t = 0; t <= motion.duration(); t += 1.0 / 60) {
            QElapsedTimer frame;
            frame.start();
            const view::MotionFrame f = motion.frameAt(t);
            w.motion().drawFrame(motion, f);
            picture1.refresh(f.caption);
            picture1.repaint();
            frames.ms.push_back(msSince(frame));
        }
    }
    frames.report(state, "frame");
    presses.report(state, "press");
}

const char* const kNames[] = {"Sin", "Cos", "Square", "Cube", "Log", "LogBase"};

void registerAll() {
    for (int entry = 0; entry < 6; ++entry) {
        for (const char* k : {"10", "-10"}) {
            for (auto [label, start, end] : {std::tuple{"default", "0", "10"}, {"wide", "-2047", "2047"}}) {
                const std::string name = std::string("Motion/") + kNames[entry] + "/k=" + k + "/" + label;
                benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& s) { motionFrames(s, entry, k, start, end); })
                    ->Iterations(1)
                    ->Unit(benchmark::kMillisecond);
            }
        }
    }
}

} // namespace
} // namespace viramont

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen:size=1920x1200");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    viramont::MainWindow window;
    window.show();
    viramont::gWindow = &window;
    viramont::registerAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
