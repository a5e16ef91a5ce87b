#pragma once
// Changing a few keys of settings.cfg in place, as a command does: the line
// of each key changed is replaced where it stands and every other byte stays
// as it was (other keys' lines, whatever their values, unknown lines,
// comments, blank lines, their order and their line ends), so the file keeps
// what the game and the user put there and gains no values nobody named.

#include <QByteArray>
#include <QByteArrayView>
#include <optional>
#include <span>

namespace quillset {

struct LineEdit {
    int row; // catalogue row of the key
    // The key's new line as the writer writes it, without a line end;
    // nothing when the key is to have no line (a wait-retrace flag that is on).
    std::optional<QByteArray> line;
};

struct EditedFile {
    QByteArray bytes;
    int linesChanged = 0; // lines replaced by a different line, added or removed
};

// The file with each edit made: the key's first line replaced in place (a
// byte-order mark in front of it stays), its further lines removed, a key
// without a line given one after the file's last line that is not blank,
// ended as the file ends its lines (CR LF in a file without any).
EditedFile editSettingsLines(QByteArrayView file, std::span<const LineEdit> edits);

} // namespace quillset
