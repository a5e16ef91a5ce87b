#include "accounts/account_store.h"

#include "io/ansi_text.h"
#include "io/file_helpers.h"
#include "io/text_lines.h"

namespace quillset {

Account& AccountStore::account(int slot) {
    Q_ASSERT(isValidSlot(slot));
    return accounts[slot - 1];
}

const Account& AccountStore::account(int slot) const {
    Q_ASSERT(isValidSlot(slot));
    return accounts[slot - 1];
}

KeyGroups keyGroups(const QString& key) {
    KeyGroups groups;
    for (int i = 0; i < kKeyGroupCount; ++i) {
        // The last group takes whatever the first three leave.
        const qsizetype length = i == kKeyGroupCount - 1 ? -1 : kKeyGroupLength;
        groups[i] = key.mid(i * kKeyGroupLength, length);
    }
    return groups;
}

QString joinKeyGroups(const KeyGroups& groups) {
    QString key;
    for (const QString& group : groups)
        key += group;
    return key;
}

QString accountFilePath(const QString& installDir) {
    return joinPath(installDir, QString::fromLatin1(kAccountFileName));
}

void readAccountLines(Accounts& accounts, QByteArrayView data) {
    // Only the first twelve lines count; the rest is passed over without
    // building a list of them (a huge file must not cost memory per line).
    qsizetype index = 0;
    const qsizetype fieldCount = qsizetype(kAccountFields.size());
    forEachLine(data, [&](QByteArrayView line) {
        if (index < kAccountLineCount)
            accounts[index / fieldCount].*kAccountFields[index % fieldCount] = fromAnsi(line);
        ++index;
    });
}

bool loadAccountStore(AccountStore& store, const QString& installDir) {
    const QString path = accountFilePath(installDir);
    if (!fileExists(path))
        return false;
    const std::optional<QByteArray> data = readRegularFile(path);
    if (!data)
        return false;
    readAccountLines(store.accounts, *data);
    return true;
}

} // namespace quillset
