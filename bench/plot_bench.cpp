// How much drawing adds to a plot. Each plot is measured against its compute
// floor: the same three loops computing the same values and drawing nothing.
// The plot goes into canvases of the window's size, axes and legend
// included. After the run the ratios plot / floor are printed, and the peak
// memory a plot adds to the process. The exit status is 1 when a ratio is
// above its target.
//
//   plot_bench                      all cases
//   plot_bench --benchmark_filter=Default

#include "bench/floor.h"
#include "plot/routines.h"
#include "tests/raster_form.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <string>

namespace viramont {
namespace {

// The window's two canvases and a form on them, with the sine and the
// default parameters on the interval from xStart to xEnd.
struct Bench : test::RasterWindow {
    Bench(double xStart, float xEnd) {
        FormState& s = form.state;
        test::setDefaults(s, "Sin(X)");
        s.XStart = Numeric::real(xStart);
        s.XEnd = xEnd;
    }
};

long peakRssKb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmHWM:") {
            status >> value;
            return value;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

void resetPeakRss() { std::ofstream("/proc/self/clear_refs") << "5"; }

void Floor(benchmark::State& state, double xStart, float xEnd) {
    Bench bench(xStart, xEnd);
    for (auto _ : state) benchmark::DoNotOptimize(bench::sineFloor(bench.form.state));
}

void PlotSinInto(benchmark::State& state, double xStart, float xEnd, bool skipRepeats) {
    Bench bench(xStart, xEnd);
    bench.picture1.setSkipRepeatedStamps(skipRepeats);
    resetPeakRss();
    const long idle = peakRssKb();
    for (auto _ : state) {
        bench.picture2.clear();  // as ВЫБОР does before a plot
        PlotSin(bench.form);
    }
    state.counters["peak_growth_kB"] = static_cast<double>(peakRssKb() - idle);
}

BENCHMARK_CAPTURE(Floor, Default, 0.0, 10.0f)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlotSinInto, Default, 0.0, 10.0f, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlotSinInto, DefaultEveryStamp, 0.0, 10.0f, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlotSinInto, SinglePoint, 0.0, 0.0f, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Floor, Wide, -2047.0, 2047.0f)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(PlotSinInto, Wide, -2047.0, 2047.0f, true)->Unit(benchmark::kMillisecond)->Iterations(3);

// Prints the usual table, then plot / floor for each case.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration) times_[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nplot / compute floor, same run:\n");
        ratio("PlotSinInto/Default", "Floor/Default", 1.0);
        ratio("PlotSinInto/DefaultEveryStamp", "Floor/Default", 0);
        ratio("PlotSinInto/Wide", "Floor/Wide", 0.05);
    }
    // True when a ratio that has a target came out above it.
    bool missedTarget() const { return missed_; }

private:
    void ratio(const std::string& plot, const std::string& floor, double target) {
        auto find = [this](const std::string& prefix) -> double {
            for (const auto& [name, t] : times_) {
                if (name.rfind(prefix, 0) == 0 && (name.size() == prefix.size() || name[prefix.size()] == '/')) return t;
            }
            return 0;
        };
        const double p = find(plot), f = find(floor);
        if (p <= 0 || f <= 0) return;
        std::printf("  %-32s %8.2f ms / %8.2f ms = %6.3f", plot.c_str(), p, f, p / f);
        if (target > 0) {
            const bool met = p / f <= target;
            std::printf("  (target <= %.2f%s)", target, met ? "" : ", MISSED");
            missed_ = missed_ || !met;
        }
        std::printf("\n");
    }
    std::map<std::string, double> times_;
    bool missed_ = false;
};

} // namespace
} // namespace viramont

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    viramont::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.missedTarget() ? 1 : 0;
}
