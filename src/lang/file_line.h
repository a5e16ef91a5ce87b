#pragma once
// Fetching one line of a text file by its number.

#include <QByteArrayView>
#include <QString>

namespace quillset {

// Line lineNumber (counted from 1) of the file, without its line end and
// untrimmed. Empty when the file is missing or not a regular file, when it
// has fewer lines, or when lineNumber is 0 or negative. Lines end as in every
// text file the program reads (CR LF, CR, LF).
QString readFileLine(const QString& path, int lineNumber);

// The same for a file's bytes already in memory.
QString fileLine(QByteArrayView data, int lineNumber);

} // namespace quillset
