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

// The twelve lines of accounts.cfg in file order: for each slot its account
// name, its Korrin key and its Deepfall key.
using AccountLines = std::array<QString, kAccountLineCount>;

constexpr int nameLineIndex(int slot) {
    return 3 * (slot - 1);
}
constexpr int korrinLineIndex(int slot) {
    return 3 * (slot - 1) + 1;
}
constexpr int deepfallLineIndex(int slot) {
    return 3 * (slot - 1) + 2;
}

AccountLines accountFileLines(const Accounts& accounts);

struct AccountEncodeError {
    QString message; // names the account and the field, never the key itself
};

// The file's bytes, or an error when a line holds a line break or a
// character that Windows-1252 cannot store (it is never replaced by a
// substitute).
std::variant<QByteArray, AccountEncodeError> serializeAccountFile(const AccountLines& lines);

// Replaces installDir's accounts.cfg atomically with the given lines, mode
// 0600 whatever the umask. Empty optional on success; otherwise the reason,
// for a message that also names the file. After a failure the old file is
// unchanged.
std::optional<QString> writeAccountFile(const QString& installDir, const AccountLines& lines);

} // namespace quillset
