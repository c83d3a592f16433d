#include <benchmark/benchmark.h>

#include "base/LoadHistory.h"
#include "platform/Image.h"
#include "render/LoadGraph.h"
#include "tests/fakes/Fakes.h"

namespace taktora {
namespace {

// One update of CPUDraw's measurement and drawing stages with every text and the temperature curve on, for a full
// history of a box of the given size.
void RecordAndDraw(benchmark::State& state) {
    const int sw = static_cast<int>(state.range(0));
    const int sh = static_cast<int>(state.range(1));
    const int w = LoadHistory::GraphSize(sw);
    const int h = LoadHistory::GraphSize(sh);
    LoadHistory history;
    for (int i = 0; i <= w; ++i) {
        history.Record(static_cast<float>(i % 101), 50.0f, w);
    }
    Image image(sw, sh);
    fake::TextPainter painter;
    render::LoadGraphInput input{.history = history,
                                 .w = w,
                                 .h = h,
                                 .ShowUptime = true,
                                 .ShowTemp = true,
                                 .ShowSpeed = true,
                                 .ShowCurve = true,
                                 .uptimeText = "00:01:02:03",
                                 .Temp = 50.0f,
                                 .TjMax = 100,
                                 .fCPUspeed = 2394.0f,
                                 .fFSBspeed = 133.0f,
                                 .fMultipier = 18.0f,
                                 .windowFrame = {105, 105, 105},
                                 .buttonShadow = {160, 160, 160}};
    int tick = 0;
    for (auto _ : state) {
        const float load = static_cast<float>(tick++ % 101);
        history.Record(load, 50.0f, w);
        input.PeriodLoad = load;
        benchmark::DoNotOptimize(render::DrawLoadGraph(image, painter, input));
        painter.calls.clear();
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(RecordAndDraw)->Args({192, 64})->Args({4096, 200});

}  // namespace
}  // namespace taktora
