// Load and write of settings files: a typical game file and large ones, to
// show the cost is small and grows linearly with the number of lines.

#include "settings/settings_reader.h"
#include "settings/settings_writer.h"

#include <benchmark/benchmark.h>

using namespace quillset;

namespace {

// A file of `lines` lines: every catalogue key once, the rest unknown lines.
QByteArray makeFile(int lines) {
    QByteArray out;
    const auto catalogue = keyCatalogue();
    for (int i = 0; i < lines; ++i) {
        if (i < kKeyCount) {
            out.append(catalogue[i].key);
            out.append(" : 1\r\n");
        } else {
            out.append("UNKNOWN_KEY_");
            out.append(QByteArray::number(i));
            out.append(" : some value here\r\n");
        }
    }
    return out;
}

void BM_RoundTrip(benchmark::State& state) {
    const QByteArray file = makeFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const SettingsModel model = readSettings(file);
        auto bytes = serializeSettings(model);
        benchmark::DoNotOptimize(bytes);
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(state.iterations() * file.size());
}
BENCHMARK(BM_RoundTrip)
    ->Arg(60)
    ->Arg(25000)
    ->Arg(50000)
    ->Arg(100000)
    ->Arg(200000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

void BM_Load(benchmark::State& state) {
    const QByteArray file = makeFile(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(readSettings(file));
}
BENCHMARK(BM_Load)->Arg(60)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace
