#include <benchmark/benchmark.h>

#include "app/Form1.h"
#include "render/LoadGraph.h"
#include "tests/fakes/Fakes.h"

namespace taktora {
namespace {

// A full history for a window of the given client size, the way the program draws it.
struct WideGraph {
    explicit WideGraph(const benchmark::State& state) {
        machine.Store("WinWidth", std::to_string(state.range(0) + 6));
        machine.Store("WinHeight", std::to_string(state.range(1) + 6));
        form.Load();
        form.ShowAfterLoad();
        for (int i = 0; i < state.range(0); ++i) {
            Update(i);
        }
    }
    // One refresh period: ten samples, then the update of the graph, the caption and the icons.
    void Update(int tick) {
        for (int i = 0; i < 10; ++i) {
            machine.kernel.time += 1000000;
            machine.kernel.idle += 1000 * (tick * 7 % 1000);
            form.TimerCTick();
        }
        form.CPUDraw();
        machine.text.calls.clear();
    }

    fake::Machine machine;
    Form1 form{machine.platform, machine.window};
};

// One update as the program does it: the columns scroll and only what changed is drawn.
void GraphUpdate(benchmark::State& state) {
    WideGraph graph(state);
    int tick = 0;
    for (auto _ : state) {
        graph.Update(tick++);
    }
}
BENCHMARK(GraphUpdate)->Args({3840, 200})->Args({192, 64})->Unit(benchmark::kMicrosecond);

// The same picture drawn entirely from the history, as every update did before.
void GraphFullRedraw(benchmark::State& state) {
    WideGraph graph(state);
    const platform::Size client = graph.machine.window.ClientSize();
    render::LoadGraphInput input{graph.form.History(), LoadHistory::GraphSize(client.width),
                                 LoadHistory::GraphSize(client.height), 50.0f};
    input.ShowUptime = true;
    Image image(client.width, client.height);
    for (auto _ : state) {
        benchmark::DoNotOptimize(render::DrawLoadGraph(image, graph.machine.text, input));
        graph.machine.text.calls.clear();
    }
}
BENCHMARK(GraphFullRedraw)->Args({3840, 200})->Args({192, 64})->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace taktora
