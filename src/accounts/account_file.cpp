#include "accounts/account_file.h"

#include "io/ansi_text.h"
#include "io/atomic_file.h"
#include "io/text_lines.h"

namespace quillset {

namespace {

static_assert(korrinLineIndex(2) == 4 && kAccountFields[1] == &Account::korrinKey,
              "the line helpers follow the field order");

// What a line holds, for error messages that must not quote a key.
QString describeLine(int index) {
    const int slot = index / 3 + 1;
    switch (index % 3) {
    case 0:
        return QStringLiteral("the name of account %1").arg(slot);
    case 1:
        return QStringLiteral("the Korrin CD key of account %1").arg(slot);
    default:
        return QStringLiteral("the Deepfall CD key of account %1").arg(slot);
    }
}

} // namespace

AccountLines accountFileLines(const Accounts& accounts) {
    AccountLines lines;
    const int fieldCount = int(kAccountFields.size());
    for (int i = 0; i < kAccountLineCount; ++i)
        lines[i] = accounts[i / fieldCount].*kAccountFields[i % fieldCount];
    return lines;
}

std::variant<QByteArray, AccountEncodeError> serializeAccountFile(const AccountLines& lines) {
    QByteArray out;
    out.reserve(kAccountLineCount * 24);
    for (int i = 0; i < kAccountLineCount; ++i) {
        // The file is read line by line: a line break inside a field would
        // shift every later name and key by a line.
        if (containsLineBreak(lines[i])) {
            return AccountEncodeError{
                QStringLiteral("%1 holds a line break, which this file cannot store")
                    .arg(describeLine(i))};
        }
        const std::optional<QByteArray> bytes = toAnsi(lines[i]);
        if (!bytes) {
            return AccountEncodeError{
                QStringLiteral("%1 holds characters that this file cannot store")
                    .arg(describeLine(i))};
        }
        out.append(*bytes);
        out.append("\r\n");
    }
    return out;
}

std::optional<QString> writeAccountFile(const QString& installDir, const AccountLines& lines) {
    auto result = serializeAccountFile(lines);
    if (const auto* error = std::get_if<AccountEncodeError>(&result))
        return error->message;
    AtomicWriteOptions options;
    options.ownerOnly = true;
    return writeFileAtomically(accountFilePath(installDir), std::get<QByteArray>(result), options);
}

} // namespace quillset
