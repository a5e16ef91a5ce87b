#pragma once
// The program's text files (settings, language, accounts, debug log) are 8-bit
// Windows-1252. Every byte decodes to one character and back, so text that is
// read and written unchanged keeps its bytes, undefined code points included.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

namespace quillset {

QString fromAnsi(QByteArrayView bytes);

// Empty optional when the text holds a character that Windows-1252 cannot
// represent: such text must never be written with a substitute character.
std::optional<QByteArray> toAnsi(QStringView text);

} // namespace quillset
