#pragma once
// The settings values: what the Options window's settings controls show, plus
// the values held outside any control.

#include "settings/key_catalogue.h"

#include <QByteArray>
#include <QString>
#include <array>

namespace quillset {

struct SettingsModel {
    // Per catalogue row: check box value (0, 1, 2), slider value, or the digit
    // of the selected option button (kNoChoice when none is on).
    std::array<int, kKeyCount> numbers{};
    // Per catalogue row: text box contents (Text keys only).
    std::array<QString, kKeyCount> texts;

    QString fontPagesValue;
    QString fileCdKey;
    QString fileCdKey2;
    // Unknown lines exactly as read, each followed by CR LF.
    QByteArray unknownLines;

    // Every control cleared (check boxes 0, no option on, sliders at their
    // minimum, texts empty) and the held texts empty except FONTPAGES, which
    // survives a clear.
    static SettingsModel cleared(const QString& fontPagesValue = {});

    bool operator==(const SettingsModel&) const = default;
};

} // namespace quillset
