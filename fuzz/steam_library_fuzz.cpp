// Oracle: reading any bytes as Steam's libraryfolders.vdf ends, names no
// empty path, and the paths it names, written back the way Steam writes the
// file (with \\ and \" escapes), read back as the same paths.

#include "registry/launchers/steam_library_file.h"

#include <cstdlib>

using namespace quillset;

namespace {

QByteArray escaped(const QString& path) {
    QByteArray out;
    for (const char c : path.toUtf8()) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QStringList paths = steamLibraryPaths(
        QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    QByteArray rewritten = "\"libraryfolders\"\n{\n";
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (paths[i].isEmpty())
            std::abort();
        rewritten += "\t\"" + QByteArray::number(i) + "\"\n\t{\n\t\t\"path\"\t\t\"" +
                     escaped(paths[i]) + "\"\n\t}\n";
    }
    rewritten += "}\n";
    if (steamLibraryPaths(rewritten) != paths)
        std::abort();
    return 0;
}
