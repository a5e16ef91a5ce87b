#pragma once
// The four game accounts (slots 1 to 4) held for the whole run, and reading
// them from accounts.cfg in the install folder. A CD key is opaque text here:
// it is stored, cut into its groups and copied, never interpreted. Nothing in
// this file writes to the debug log, so no key can end up in a trace.

#include <QString>
#include <array>

namespace quillset {

inline constexpr int kAccountSlotCount = 4;
inline constexpr int kAccountLineCount = 3 * kAccountSlotCount;
inline constexpr int kKeyGroupCount = 4;
inline constexpr qsizetype kKeyGroupLength = 5;
inline constexpr const char* kAccountFileName = "accounts.cfg";

// One CD key: the whole text as stored in the file, and the four groups the
// Account window shows in its four boxes.
struct CdKeyRecord {
    QString Full;
    QString Part1;
    QString Part2;
    QString Part3;
    QString Part4;
};

// The twelve lines of accounts.cfg in file order: for each slot its account
// name, its Korrin key and its Deepfall key.
using AccountLines = std::array<QString, kAccountLineCount>;

constexpr bool isValidSlot(int slot) {
    return slot >= 1 && slot <= kAccountSlotCount;
}
constexpr int nameLineIndex(int slot) {
    return 3 * (slot - 1);
}
constexpr int korrinLineIndex(int slot) {
    return 3 * (slot - 1) + 1;
}
constexpr int deepfallLineIndex(int slot) {
    return 3 * (slot - 1) + 2;
}
constexpr int keyRecordIndex(int slot) {
    return slot - 1;
}

struct AccountStore {
    // Names live only here; keys live here and in the records' Full.
    AccountLines Lines;
    std::array<CdKeyRecord, kAccountSlotCount> KorrinKeys;
    std::array<CdKeyRecord, kAccountSlotCount> DeepfallKeys;

    // Accessors by slot (1 to 4).
    const QString& name(int slot) const;
    const CdKeyRecord& korrinKey(int slot) const;
    const CdKeyRecord& deepfallKey(int slot) const;
};

// installDir joined with "accounts.cfg".
QString accountFilePath(const QString& installDir);

// Reads accounts.cfg from installDir into the store. The first twelve lines
// of the file (CR LF, CR or LF ended) go to Lines[0..] in order; a shorter
// file leaves the remaining lines as they were and later lines are ignored.
// The key lines are then copied into the records' Full.
// False, with the store unchanged, when the file does not exist or exists
// but cannot be read (a FIFO, a device, no read access): a later attempt may
// then still succeed, whereas true means the file counts as read.
bool LoadAccountStore(AccountStore& store, const QString& installDir);

// Fills Part1..Part4 from Full: characters 1-5, 6-10, 11-15 and the rest. A
// shorter key gives shorter or empty groups; a longer one (written with
// dashes, say) leaves its tail in Part4, so the four parts joined are always
// Full again and a key nobody edited is written back as it was read.
void splitCdKey(CdKeyRecord& record);
void SplitKorrinKey(AccountStore& store, int slot);
void SplitDeepfallKey(AccountStore& store, int slot);

// Sets a slot's three lines and the Full of both key records together, so the
// two copies of each key agree (used when the account menu seeds slot 1).
void setAccountSlot(AccountStore& store, int slot, const QString& name, const QString& korrinKey,
                    const QString& deepfallKey);

// Puts the lines just written to accounts.cfg back into the store (Lines,
// Full and the groups), so that the Account window filled again from the
// store shows what was saved rather than what was read at start-up.
void storeSavedLines(AccountStore& store, const AccountLines& lines);

} // namespace quillset
