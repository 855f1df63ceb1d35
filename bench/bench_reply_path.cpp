// The reply path in one process: bytes into the reply handler's stream, each frame onto real
// value labels and the trend chart's real picture box, as the window wires them.
#include "chart/trend_chart.h"
#include "link/reply_handler.h"
#include "panel/fonts.h"
#include "panel/panel_state.h"
#include "panel/twips.h"
#include "platform/picture_box.h"

#include <QApplication>
#include <QLabel>
#include <benchmark/benchmark.h>

namespace {

// Replies as a running pump sends them: current pressures sweeping 00.0 to 19.9, and now and
// then the set pressure and the set flow.
QByteArray pumpReplies(int count)
{
    QByteArray bytes;
    bytes.reserve(count * 9);
    for (int i = 0; i < count; ++i) {
        const int tenths = i % 200;
        const char letter = i % 50 == 0 ? 'P' : i % 50 == 25 ? 'L' : 'N';
        bytes += QStringLiteral("Q00%1%2.%3Y")
                     .arg(QLatin1Char(letter))
                     .arg(tenths / 10, 2, 10, QLatin1Char('0'))
                     .arg(tenths % 10)
                     .toLatin1();
    }
    return bytes;
}

// The window's value labels and chart, shown, at their sizes on the panel.
struct ReplyPath {
    QWidget window;
    QLabel LcurrP{QStringLiteral("00.0"), &window};
    QLabel LsetP{QStringLiteral("02.0"), &window};
    QLabel LsetF{QStringLiteral("00.0"), &window};
    PictureBox Picture1{&window};
    PanelState state;
    TrendChart chart{Picture1, LcurrP, state};
    ReplyHandler handler{LcurrP, LsetP, LsetF, state, state.savelist, [this] { chart.update(); }};

    ReplyPath()
    {
        window.resize(twipsToPixels(10905), twipsToPixels(7530));
        for (QLabel* label : {&LcurrP, &LsetP, &LsetF}) {
            label->setFont(songFont(12));
            label->setAutoFillBackground(true);
        }
        LcurrP.setGeometry(twipsRect(7920, 600, 615, 375));
        LsetP.setGeometry(twipsRect(7920, 960, 615, 375));
        LsetF.setGeometry(twipsRect(7920, 1320, 615, 375));
        Picture1.setGeometry(twipsRect(600, 4680, 9975, 2175));
        window.show();
        chart.setUp();
        QApplication::processEvents();
    }
};

// Bytes handed over in reads of state.range(0) bytes: 9 is one frame a read, as at the line's
// pace; larger reads are what a flood brings, cut anywhere in a frame.
void BM_ReplyPath(benchmark::State& state)
{
    ReplyPath path;
    const QByteArray replies = pumpReplies(10'000);
    const qsizetype read = state.range(0);
    qsizetype at = 0;
    for (auto _ : state) {
        const qsizetype n = std::min(read, replies.size() - at);
        path.handler.received(QByteArrayView(replies).sliced(at, n));
        at = (at + n) % replies.size();
    }
    state.SetItemsProcessed(state.iterations() * read / 9);
}

// The parts alone, to show where the path's time goes.
void BM_ReplyStreamOnly(benchmark::State& state)
{
    ReplyStream stream;
    const QByteArray replies = pumpReplies(10'000);
    qsizetype frames = 0;
    for (auto _ : state) {
        stream.feed(replies, [&](QByteArrayView frame) { benchmark::DoNotOptimize(frame.data()); ++frames; });
    }
    state.SetItemsProcessed(frames);
}

void BM_ChartUpdateOnly(benchmark::State& state)
{
    ReplyPath path;
    for (auto _ : state)
        path.chart.update();
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(BM_ReplyPath)->Arg(9)->Arg(512)->Arg(4095);
BENCHMARK(BM_ReplyStreamOnly);
BENCHMARK(BM_ChartUpdateOnly);

int main(int argc, char* argv[])
{
    benchmark::Initialize(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
