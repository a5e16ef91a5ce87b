#pragma once
// Writing accounts.cfg: always exactly twelve CR LF ended lines in
// Windows-1252, replacing the whole file. The file holds CD keys, so it is
// created readable by its owner only, and no key text ever appears in an
// error message.

#include "accounts/account_store.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>
#include <variant>

namespace quillset {

// One slot as the Account window's boxes hold it: the name box and the four
// boxes of each key row, first box first.
struct AccountSlotTexts {
    QString name;
    std::array<QString, kKeyGroupCount> korrinGroups;
    std::array<QString, kKeyGroupCount> deepfallGroups;
};

using AccountSlotsTexts = std::array<AccountSlotTexts, kAccountSlotCount>;

// The groups joined without separator; short groups stay short.
QString joinKeyGroups(const std::array<QString, kKeyGroupCount>& groups);

// The twelve file lines for four slots given as box texts.
AccountLines accountLinesFromSlots(const AccountSlotsTexts& slotTexts);

struct AccountEncodeError {
    QString message; // names the account and the field, never the key itself
};

// The file's bytes, or an error when a line holds a character that
// Windows-1252 cannot store (it is never replaced by a substitute).
std::variant<QByteArray, AccountEncodeError> serializeAccountFile(const AccountLines& lines);

// Replaces installDir's accounts.cfg atomically with the given lines, mode
// 0600 whatever the umask. Empty optional on success; otherwise the reason,
// for a message that also names the file. After a failure the old file is
// unchanged.
std::optional<QString> WriteAccountFile(const QString& installDir, const AccountLines& lines);

} // namespace quillset
