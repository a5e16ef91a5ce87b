#include "accounts/account_store.h"

#include "io/ansi_text.h"
#include "io/file_helpers.h"
#include "io/text_lines.h"

#include <algorithm>

namespace quillset {

namespace {

// Keeps both copies of every key in step after Lines changed.
void copyKeyLinesToRecords(AccountStore& store) {
    for (int slot = 1; slot <= kAccountSlotCount; ++slot) {
        store.KorrinKeys[keyRecordIndex(slot)].Full = store.Lines[korrinLineIndex(slot)];
        store.DeepfallKeys[keyRecordIndex(slot)].Full = store.Lines[deepfallLineIndex(slot)];
    }
}

// The last group takes whatever the first three leave, so the groups joined
// always give the key back, whatever its length.
QString keyGroup(const QString& key, int group) {
    const qsizetype length = group == kKeyGroupCount - 1 ? -1 : kKeyGroupLength;
    return key.mid(group * kKeyGroupLength, length);
}

} // namespace

const QString& AccountStore::name(int slot) const {
    Q_ASSERT(isValidSlot(slot));
    return Lines[nameLineIndex(slot)];
}

const CdKeyRecord& AccountStore::korrinKey(int slot) const {
    Q_ASSERT(isValidSlot(slot));
    return KorrinKeys[keyRecordIndex(slot)];
}

const CdKeyRecord& AccountStore::deepfallKey(int slot) const {
    Q_ASSERT(isValidSlot(slot));
    return DeepfallKeys[keyRecordIndex(slot)];
}

QString accountFilePath(const QString& installDir) {
    return joinPath(installDir, QString::fromLatin1(kAccountFileName));
}

bool LoadAccountStore(AccountStore& store, const QString& installDir) {
    const QString path = accountFilePath(installDir);
    if (!FileExists(path))
        return false;
    const std::optional<QByteArray> data = readRegularFile(path);
    if (!data)
        return false;

    // Only the first twelve lines count; the rest is passed over without
    // building a list of them (a huge file must not cost memory per line).
    std::size_t index = 0;
    forEachLine(*data, [&](QByteArrayView line) {
        if (index < store.Lines.size())
            store.Lines[index] = fromAnsi(line);
        ++index;
    });
    copyKeyLinesToRecords(store);
    return true;
}

void splitCdKey(CdKeyRecord& record) {
    record.Part1 = keyGroup(record.Full, 0);
    record.Part2 = keyGroup(record.Full, 1);
    record.Part3 = keyGroup(record.Full, 2);
    record.Part4 = keyGroup(record.Full, 3);
}

void SplitKorrinKey(AccountStore& store, int slot) {
    if (isValidSlot(slot))
        splitCdKey(store.KorrinKeys[keyRecordIndex(slot)]);
}

void SplitDeepfallKey(AccountStore& store, int slot) {
    if (isValidSlot(slot))
        splitCdKey(store.DeepfallKeys[keyRecordIndex(slot)]);
}

void setAccountSlot(AccountStore& store, int slot, const QString& name, const QString& korrinKey,
                    const QString& deepfallKey) {
    if (!isValidSlot(slot))
        return;
    store.Lines[nameLineIndex(slot)] = name;
    store.Lines[korrinLineIndex(slot)] = korrinKey;
    store.Lines[deepfallLineIndex(slot)] = deepfallKey;
    store.KorrinKeys[keyRecordIndex(slot)].Full = korrinKey;
    store.DeepfallKeys[keyRecordIndex(slot)].Full = deepfallKey;
}

void storeSavedLines(AccountStore& store, const AccountLines& lines) {
    store.Lines = lines;
    copyKeyLinesToRecords(store);
    for (int slot = 1; slot <= kAccountSlotCount; ++slot) {
        SplitKorrinKey(store, slot);
        SplitDeepfallKey(store, slot);
    }
}

} // namespace quillset
