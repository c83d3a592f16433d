#include <benchmark/benchmark.h>

#include "render/TrayIconImage.h"

namespace {

using taktora::render::IconFrameColours;
using taktora::render::IconSwitches;
using taktora::render::TrayIconPicture;

// The heaviest update: bars, three bold digits with shadow, frame; at 16 pixels and at the shell's sizes at 150 and
// 200 %.
void BM_TrayIconUpdate(benchmark::State& state) {
    TrayIconPicture picture;
    const IconSwitches switches{true, true, true, true, true};
    const IconFrameColours frame{{64, 64, 64}, {255, 255, 255}};
    float load = 0.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(picture.Update(load, switches, frame));
        benchmark::DoNotOptimize(picture.Canvas(static_cast<int>(state.range(0))).Row(0));
        load = load >= 100.0f ? 0.0f : load + 7.0f;
    }
}
BENCHMARK(BM_TrayIconUpdate)->Arg(16)->Arg(24)->Arg(32);

}  // namespace
