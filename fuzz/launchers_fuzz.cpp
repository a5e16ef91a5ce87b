// Oracle: every path a launcher's file names (Steam's libraryfolders.vdf,
// a Lutris game file, a Bottles placeholder or data file, a Heroic game
// file: the input's first byte picks which) is absolute and clean; read with
// another home beside the first, the file names the same paths, those inside
// the first home moved into the second: a path depends on the home through
// its "~" alone (a "~/.." climbing out lands beside both homes alike).

#include "fuzz_input.h"
#include "registry/launchers/launcher_configs.h"

#include <QDir>

using namespace quillset;

namespace {

const QString kHome = QStringLiteral("/home/ann");
const QString kOtherHome = QStringLiteral("/home/other one");

// Absolute in the file system: Qt takes ":name" as absolute too, a path
// into the program's resources.
bool isClean(const QString& path) {
    return QDir::isAbsolutePath(path) && !path.startsWith(u':') && QDir::cleanPath(path) == path;
}

// Read with kOtherHome, path read with kHome is itself or moved along.
bool followsHome(const QString& path, const QString& other) {
    const bool inside = path == kHome || path.startsWith(kHome + QLatin1Char('/'));
    return other == path || (inside && other == kOtherHome + path.mid(kHome.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const auto file = static_cast<LauncherFile>(data[0] % 5);
    const QByteArray bytes = fuzzInput(data + 1, size - 1).toByteArray();
    const NamedPaths named = launcherFilePaths(file, bytes, kHome);
    const NamedPaths other = launcherFilePaths(file, bytes, kOtherHome);
    FUZZ_CHECK(named.folders.size() == other.folders.size());
    for (qsizetype i = 0; i < named.folders.size(); ++i)
        FUZZ_CHECK(isClean(named.folders[i]) && followsHome(named.folders[i], other.folders[i]));
    // Only a Lutris game that names no prefix names its program.
    if (!named.program.isEmpty())
        FUZZ_CHECK(file == LauncherFile::LutrisGame && named.folders.isEmpty() &&
                   isClean(named.program) && followsHome(named.program, other.program));
    else
        FUZZ_CHECK(other.program.isEmpty());
    return 0;
}
