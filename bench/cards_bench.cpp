// Making a set of cards for a class and laying it out as the window saves
// it: 30 variants, at each level.
//
//   cards_bench                                 all cases
//   cards_bench --benchmark_filter=Make         the generator alone

#include "practice/cards.h"
#include "window/cards_dialog.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

namespace viramont {
namespace {

constexpr practice::Level kLevels[] = {practice::Level::OneMove, practice::Level::TwoMoves, practice::Level::AllFour};

// Thirty tasks, each proved fair, its picture checked, none repeated.
void MakeThirtyCards(benchmark::State& state) {
    const practice::Level level = kLevels[state.range(0)];
    int set = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(practice::makeCards(practice::kMostVariants, set, level));
        set = set % practice::kMostSetNumber + 1;
    }
}
BENCHMARK(MakeThirtyCards)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The same set made and painted as the window's PDF at 600 dpi, in memory.
void ThirtyCardsAsAPdf(benchmark::State& state) {
    const practice::Level level = kLevels[state.range(0)];
    int set = 1;
    for (auto _ : state) {
        const practice::CardSet cards = practice::makeCards(practice::kMostVariants, set, level);
        QBuffer file;
        file.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&file);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Landscape);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setResolution(600);
        QPainter painter(&pdf);
        paintCards(painter, pdf, cards);
        painter.end();
        benchmark::DoNotOptimize(file.data().size());
        set = set % practice::kMostSetNumber + 1;
    }
}
BENCHMARK(ThirtyCardsAsAPdf)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace viramont

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
