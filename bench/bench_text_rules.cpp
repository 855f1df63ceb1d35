// The text and number rules on the texts the panel meets: reply values on every frame, operator
// answers and keyed entries now and then.
#include "platform/text_rules.h"

#include <QString>
#include <benchmark/benchmark.h>

namespace {

// A current-pressure reply becomes a record value through toNumber, once a frame.
void BM_ToNumber(benchmark::State& state, const char* text)
{
    const QString value = QString::fromLatin1(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(textrules::toNumber(value));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(BM_ToNumber, reply_value, "01.5");
BENCHMARK_CAPTURE(BM_ToNumber, operator_answer, "  -12.75e1 ");
BENCHMARK_CAPTURE(BM_ToNumber, refused, "1,5");

void BM_ToInt16(benchmark::State& state)
{
    const QString answer = QStringLiteral(" 12 ");
    for (auto _ : state)
        benchmark::DoNotOptimize(textrules::toInt16(answer));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ToInt16);

void BM_Pattern00_0(benchmark::State& state)
{
    double value = 0.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(textrules::pattern00_0(value));
        value = value < 50.0 ? value + 0.05 : 0.0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Pattern00_0);

void BM_Pattern00(benchmark::State& state)
{
    qint64 pump = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(textrules::pattern00(pump));
        pump = (pump + 1) % 100;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Pattern00);

} // namespace

BENCHMARK_MAIN();
