#include <benchmark/benchmark.h>

#include "app/Form1.h"
#include "tests/fakes/Fakes.h"

namespace taktora {
namespace {

// One measurement update with its drawing, for a window of the given outer size; the fake window's present is a
// copy of the picture, which stands in for the blit.
void BM_CPUDraw(benchmark::State& state) {
    fake::Machine machine;
    machine.Store("WinWidth", std::to_string(state.range(0)));
    machine.Store("WinHeight", std::to_string(state.range(1)));
    Form1 form{machine.platform, machine.window};
    form.Load();
    form.ShowAfterLoad();
    for (auto _ : state) {
        machine.kernel.time += 1000000;
        machine.kernel.idle += 600000;
        form.TimerCTick();
        form.CPUDraw();
    }
}
BENCHMARK(BM_CPUDraw)->Args({192, 64})->Args({4102, 206})->Unit(benchmark::kMicrosecond);

// A whole refresh period at the default rate: ten samples and the refresh tick.
void BM_RefreshPeriod(benchmark::State& state) {
    fake::Machine machine;
    Form1 form{machine.platform, machine.window};
    form.Load();
    form.ShowAfterLoad();
    for (auto _ : state) {
        for (int i = 0; i < 10; ++i) {
            machine.kernel.time += 1000000;
            machine.kernel.idle += 600000;
            form.TimerCTick();
        }
        form.Timer1Tick();
    }
}
BENCHMARK(BM_RefreshPeriod)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace taktora
