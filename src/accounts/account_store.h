#pragma once
// The four game accounts (slots 1 to 4) held for the whole run, the slot the
// Account window has selected, and reading them from accounts.cfg in the
// install folder. A CD key is opaque text here: it is stored whole and only
// cut into groups for display, never interpreted. Nothing in this file
// writes to the debug log, so no key can end up in a trace.

#include <QByteArrayView>
#include <QString>
#include <array>
#include <optional>

namespace quillset {

inline constexpr int kAccountSlotCount = 4;
inline constexpr int kKeyGroupCount = 4;
inline constexpr qsizetype kKeyGroupLength = 5;
inline constexpr const char* kAccountFileName = "accounts.cfg";

struct Account {
    QString name;
    QString korrinKey;
    QString deepfallKey;

    bool operator==(const Account&) const = default;
};

using Accounts = std::array<Account, kAccountSlotCount>;

// An account's fields in the order accounts.cfg holds them, slot by slot.
inline constexpr std::array<QString Account::*, 3> kAccountFields{
    &Account::name, &Account::korrinKey, &Account::deepfallKey};
inline constexpr int kAccountLineCount = kAccountSlotCount * int(kAccountFields.size());

constexpr bool isValidSlot(int slot) {
    return slot >= 1 && slot <= kAccountSlotCount;
}

struct AccountStore {
    Accounts accounts;
    // The slot whose option button is checked; none until the user or the
    // account menu picks one, and none again once the window is unloaded.
    std::optional<int> selectedSlot;

    Account& account(int slot);
    const Account& account(int slot) const;
};

// The four boxes a key is shown in: characters 1-5, 6-10, 11-15 and the rest.
// A shorter key gives shorter or empty groups; a longer one (written with
// dashes, say) leaves its tail in the last group, so the groups joined are
// always the key again and a key nobody edited is written back as it was read.
using KeyGroups = std::array<QString, kKeyGroupCount>;
KeyGroups keyGroups(const QString& key);
QString joinKeyGroups(const KeyGroups& groups);

// An account as its boxes in the Account window hold it: the name, and each
// key in its four groups as typed. Typing into one group never moves text
// into another, so the groups stay as the user left them.
struct TypedAccount {
    QString name;
    KeyGroups korrinKey;
    KeyGroups deepfallKey;

    static TypedAccount of(const Account& account) {
        return {account.name, keyGroups(account.korrinKey), keyGroups(account.deepfallKey)};
    }
    Account joined() const { return {name, joinKeyGroups(korrinKey), joinKeyGroups(deepfallKey)}; }
    bool operator==(const TypedAccount&) const = default;
};

using TypedAccounts = std::array<TypedAccount, kAccountSlotCount>;

// The boxes of a slot: its name box and the two rows of key boxes.
enum class AccountBox { Name, KorrinKey, DeepfallKey };

// installDir joined with "accounts.cfg".
QString accountFilePath(const QString& installDir);

// Reads accounts.cfg from installDir into the store. The first twelve lines
// (CR LF, CR or LF ended) fill the fields in file order; a shorter file
// leaves the remaining fields as they were and later lines are ignored.
// False, with the store unchanged, when the file does not exist or exists
// but cannot be read (a FIFO, a device, no read access): a later attempt may
// then still succeed, whereas true means the file counts as read.
bool loadAccountStore(AccountStore& store, const QString& installDir);

// The same from the file's bytes: the fields its first twelve lines fill.
// Apart so that the fuzz target reads its inputs from memory.
void readAccountLines(Accounts& accounts, QByteArrayView data);

} // namespace quillset
