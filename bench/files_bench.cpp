// Work on real files: loading language.lng (the shipped file, and files of
// 10,000 lines and more made of the shipped sections repeated, each later
// copy winning), to show the load stays far below what start-up can afford
// and grows linearly; and a settings file loaded from disk and saved back
// the safe way (temporary file, fsync, rename, folder fsync).

#include "game/settings_file.h"
#include "lang/language_loader.h"
#include "settings/settings_reader.h"
#include "settings/settings_writer.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace quillset;

namespace {

QByteArray shippedFile() {
    QFile file(QStringLiteral(QUILLSET_SOURCE_DIR "/resources/lang/language.de.lng"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The shipped file repeated until it has `lines` lines, cut at a line end.
QByteArray languageFile(int lines) {
    const QByteArray shipped = shippedFile();
    QByteArray out;
    int count = 0;
    while (count < lines && !shipped.isEmpty()) {
        for (qsizetype begin = 0; begin < shipped.size() && count < lines; ++count) {
            qsizetype end = shipped.indexOf('\n', begin);
            end = end < 0 ? shipped.size() : end + 1;
            out.append(shipped.mid(begin, end - begin));
            begin = end;
        }
    }
    return out;
}

void loadLanguage(benchmark::State& state, const QByteArray& bytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("language.lng"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        state.SkipWithError("cannot write the language file");
        return;
    }
    file.close();
    for (auto _ : state) {
        std::optional<LanguageLoad> load = loadLanguageFile(path);
        if (!load || load->texts.empty()) {
            state.SkipWithError("the language file did not load");
            break;
        }
        benchmark::DoNotOptimize(load);
    }
}

void BM_LanguageLoadShipped(benchmark::State& state) {
    loadLanguage(state, shippedFile());
}
BENCHMARK(BM_LanguageLoadShipped)->Unit(benchmark::kMicrosecond);

void BM_LanguageLoad(benchmark::State& state) {
    loadLanguage(state, languageFile(static_cast<int>(state.range(0))));
    state.SetComplexityN(state.range(0));
}
// Headers count only in the first 32,767 lines, so the sizes stay below that.
BENCHMARK(BM_LanguageLoad)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// The whole file, as the window writes it.
struct WriteWhole final : WriteDecisions {
    explicit WriteWhole(SettingsModel values) : values(std::move(values)) {}
    bool writeWhileGameRuns(const RunningProcess&) override { return true; }
    bool asksUser() const override { return false; }
    std::optional<SettingsContent> contentFor(const SettingsFileRead&,
                                              const SettingsContent*) override {
        return SettingsContent{std::get<QByteArray>(serializeSettings(values)), values};
    }
    SettingsModel values;
};

// The shipped demo settings file: read from disk, one value changed, saved
// through the write transaction (lock, read again, compare, write, compare
// again, rename). Most of the time is the two fsyncs, so the figure depends
// on the disk.
void BM_SettingsFileSave(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.cfg"));
    const QString demo = QStringLiteral(QUILLSET_SOURCE_DIR "/resources/demo/settings.cfg");
    if (!QFile::copy(demo, path) || !QFile::copy(demo, dir.filePath(QStringLiteral("settings.bck"))) ||
        !QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner)) {
        state.SkipWithError("cannot copy the demo settings file");
        return;
    }
    int value = 0;
    for (auto _ : state) {
        SettingsFile file(path);
        if (!file.load().hasBytes()) {
            state.SkipWithError("the settings file did not load");
            break;
        }
        WriteWhole decisions(file.base()->values);
        decisions.values.numbers[rowOf("AUTOSAVE")] = value ^= 1;
        if (file.write(GameFiles{dir.path(), {}}, nullptr, decisions).outcome !=
            WriteResult::Outcome::Written) {
            state.SkipWithError("the settings file was not written");
            break;
        }
    }
}
BENCHMARK(BM_SettingsFileSave)->Unit(benchmark::kMicrosecond);

} // namespace
