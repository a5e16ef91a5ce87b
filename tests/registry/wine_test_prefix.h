#pragma once
// Throw-away Wine prefixes and their registry files for the tests.

#include "test_support.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <initializer_list>

#include <unistd.h>

namespace quillset::test {

// A registry file in Wine's layout: the header, Wine's comment line, the
// architecture line when given, then the lines, each ended by LF.
inline QByteArray wineRegFile(std::initializer_list<const char*> lines,
                              const char* arch = nullptr) {
    QByteArray file = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";
    if (arch)
        file += QByteArray("#arch=") + arch + "\n\n";
    for (const char* line : lines)
        file += QByteArray(line) + '\n';
    return file;
}

// Makes folder a prefix folder: drive_c and the relative c: link Wine makes.
inline bool makePrefixFolder(const QString& folder) {
    const QDir root(folder);
    return root.mkpath(QStringLiteral("drive_c")) && root.mkpath(QStringLiteral("dosdevices")) &&
           ::symlink(
               "../drive_c",
               QFile::encodeName(root.filePath(QStringLiteral("dosdevices/c:"))).constData()) == 0;
}

} // namespace quillset::test
