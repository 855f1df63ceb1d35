// Building the setpoint frames that the keypad and the prompts send.
#include "link/frames.h"

#include <benchmark/benchmark.h>

namespace {

void BM_SetpointFrame(benchmark::State& state)
{
    qint64 pump = 0;
    double value = 0.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(frames::setpoint(pump, 'L', value));
        pump = (pump + 1) % 100;
        value = value < 50.0 ? value + 0.1 : 0.0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SetpointFrame);

} // namespace

BENCHMARK_MAIN();
