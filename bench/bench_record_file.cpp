// Saving a full record list: the time, the file's size and how much memory the save adds on top
// of the list itself.
#include "platform/dialogs.h"
#include "records/record_file.h"
#include "records/record_list.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fstream>
#include <random>
#include <string>

namespace {

// Tells whether the save confirmed; nobody is there to read the message.
class QuietDialogs final : public Dialogs {
public:
    std::optional<QString> prompt(const QString&, const QString&, const QString&) override { return {}; }
    void message(const QString& text, const QString&) override { last = text; }
    bool choosePrinter(QPrinter&) override { return false; }
    QString last;
};

// Kilobytes from /proc/self/status ("VmRSS", "VmHWM"); 0 where there is no such file.
long statusKilobytes(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key + ':', 0) == 0)
            return std::stol(line.substr(key.size() + 1));
    return 0;
}

// Starts a new peak ("VmHWM") at the current resident size, where the system allows it.
void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

template <typename Next>
void saveFullList(benchmark::State& state, Next next)
{
    RecordList savelist;
    for (qsizetype i = 0; i < RecordList::kCapacity; ++i)
        savelist.append(next());
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("mytext.txt"));
    QuietDialogs dialogs;
    RecordFile file(path, savelist, dialogs);

    const long before = statusKilobytes("VmRSS");
    resetPeak();
    for (auto _ : state)
        file.save();
    if (dialogs.last != QStringLiteral("当前压力数值以存储"))
        state.SkipWithError(qPrintable(dialogs.last));
    state.counters["values"] = double(savelist.count());
    state.counters["file_MB"] = double(QFileInfo(path).size()) / 1e6;
    state.counters["list_MB"] = double(savelist.count() * sizeof(double)) / 1e6;
    state.counters["save_peak_MB"] = double(statusKilobytes("VmHWM") - before) / 1e3;
}

// What the pump reports: four-character readings such as 01.5, texts of three to five characters.
void BM_SavePumpReadings(benchmark::State& state)
{
    int reading = 0;
    saveFullList(state, [&] { return (reading++ % 200) / 10.0; });
}

// The longest value texts: every value with 15 significant digits, some with an exponent.
void BM_SaveFullPrecision(benchmark::State& state)
{
    std::mt19937_64 random(6718);
    std::uniform_real_distribution<double> value(-2.0, 2.0);
    long n = 0;
    saveFullList(state, [&] { return ++n % 10 == 0 ? value(random) * 1e-7 : value(random); });
}

} // namespace

BENCHMARK(BM_SavePumpReadings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveFullPrecision)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
