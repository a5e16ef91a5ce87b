// The Account window's flows as one decision table, without a window: the
// account menu, selecting, typing into the boxes, Save, the close box, and
// the CD keys a settings file takes.

#include "editor_fixture.h"

namespace quillset::test {
namespace {

// A step of the user's on the editor; written: where settings are written.
using Step = std::function<void(Editor&, const QString& written)>;
const Step menu = [](Editor& e, const QString&) { e.menu().manageAccounts(); };
const Step save = [](Editor& e, const QString&) { e.accounts().save(); };
const Step closeBox = [](Editor& e, const QString&) { e.accounts().unloadWindow(); };
const Step write = [](Editor& e, const QString& to) { EXPECT_TRUE(e.files().writeSettings(to)); };
Step select(int slot) {
    return [=](Editor& e, const QString&) { e.accounts().select(slot); };
}
// Typing into a box of a slot: the name, or group 0 to 3 of a key.
Step type(int slot, AccountBox box, int group, const char* text) {
    return [=](Editor& e, const QString&) { e.accounts().edit(slot, box, group, text); };
}

using enum AccountBox; // Name, KorrinKey, DeepfallKey

struct AccountCase {
    const char* name;
    const char* accountFile; // accounts.cfg before; nullptr: none
    std::vector<Step> steps;
    // After: the CD key lines of the settings written last (none: nothing
    // written); the slot selected; the window shown; slot 1 as its boxes
    // hold it, "name|korrin|deepfall" (nullptr: not checked); the reason a
    // save gave (nullptr: no message); accounts.cfg (nullptr: as before).
    QStringList keys;
    std::optional<int> selected;
    bool visible;
    const char* slot1 = nullptr;
    const char* failure = nullptr;
    const char* fileAfter = nullptr;
    const char* accountName = "Wanderer";
};

const QByteArray kGame = "NETWORK_LOBBYLOGIN : Wanderer\r\nNETWORK_CDKEY : DEMO1DEMO2DEMO3DEMO4\r\n"
                         "NETWORK_CDKEY2 : XPAN1XPAN2XPAN3XPAN4\r\n";
const char* const kAda = "Wanderer\r\nADAKEY1\r\nADAKEY2\r\n";
const QStringList kGameKeys{"NETWORK_CDKEY : DEMO1DEMO2DEMO3DEMO4",
                            "NETWORK_CDKEY2 : XPAN1XPAN2XPAN3XPAN4"};
const QStringList kAdaKeys{"NETWORK_CDKEY : ADAKEY1", "NETWORK_CDKEY2 : ADAKEY2"};

// clang-format off
const AccountCase kAccountCases[] = {
    {"MenuSeedsSlotOneWithoutAFile", nullptr, {menu}, {}, 1, true,
     "Wanderer|DEMO1DEMO2DEMO3DEMO4|XPAN1XPAN2XPAN3XPAN4"},
    {"MenuSelectsTheLastSlotNamedLikeTheAccount",
     "Bob\r\n\r\n\r\nWanderer\r\nK2\r\n\r\nCy\r\n\r\n\r\nWanderer\r\nK4\r\nD4\r\n",
     {menu, write}, {"NETWORK_CDKEY : K4", "NETWORK_CDKEY2 : D4"}, 4, true, "Bob||"},
    {"NamesMatchExactly", "wanderer\r\n\r\n\r\nWanderer \r\n", {menu, write}, kGameKeys, std::nullopt, true, "wanderer||"},
    {"NoMatchKeepsTheSelection", "Bob\r\n", {menu, select(3), menu}, {}, 3, true, "Bob||"},
    {"WithoutTheWindowTheFilesKeys", kAda, {write}, kGameKeys, std::nullopt, false},
    {"TypedKeysGoIntoTheSettingsAndTheStore", kAda,
     {menu, type(1, KorrinKey, 0, "TYPED"), type(1, KorrinKey, 1, ""), type(1, Name, 0, "unsaved"), write, menu},
     {"NETWORK_CDKEY : TYPED", "NETWORK_CDKEY2 : ADAKEY2"}, 1, true, "Wanderer|TYPED|ADAKEY2"},
    {"CloseBoxDropsTheBoxesAndTheNextUseLoadsAgain", kAda,
     {menu, type(1, KorrinKey, 0, "TYPED"), closeBox, write}, kAdaKeys, 1, true, "Wanderer|ADAKEY1|ADAKEY2"},
    {"SaveWritesTheBoxesAndHandsTheSelectedNameOver", kAda,
     {menu, select(2), type(2, Name, 0, ""), type(2, KorrinKey, 0, "ABCDE-FGHIJ-KLMNO-PQRST-U"),
      type(2, DeepfallKey, 3, "NEWKEY"), save},
     {}, 2, false, nullptr, nullptr,
     "Wanderer\r\nADAKEY1\r\nADAKEY2\r\n\r\nABCDE-FGHIJ-KLMNO-PQRST-U\r\nNEWKEY\r\n"
     "\r\n\r\n\r\n\r\n\r\n\r\n", ""},
    {"SaveFailureSaysWhyAndKeepsEverything", kAda,
     {menu, select(2), type(2, KorrinKey, 0, "SECRET\u00FF\u4E2D"), save}, {}, 2, true, nullptr,
     "the Korrin CD key of account 2 holds characters that this file cannot store"},
};
// clang-format on

class AccountFlow : public Flow, public ::testing::WithParamInterface<AccountCase> {};

TEST_P(AccountFlow, ShowsSelectsWritesAsTheRowSays) {
    const AccountCase& c = GetParam();
    const QString accountFile = program.file(u"accounts.cfg"_s);
    writeBytes(c.accountFile ? accountFile : QString(), c.accountFile);
    start(kGame);
    const QString written = elsewhere.file(u"settings.cfg"_s);
    AccountSession& accounts = editor.accounts();
    for (const Step& step : c.steps)
        step(editor, written);

    EXPECT_EQ(QString::fromLatin1(readBytes(written))
                  .split(u"\r\n"_s)
                  .filter(QRegularExpression(u"^NETWORK_CDKEY2? "_s)),
              c.keys);
    EXPECT_EQ(accounts.store().selectedSlot, c.selected);
    EXPECT_EQ(panel.visible, c.visible);
    if (c.slot1) {
        const Account slot1 = accounts.typed()[0].joined();
        EXPECT_EQ(QStringList({slot1.name, slot1.korrinKey, slot1.deepfallKey}).join(u'|'),
                  QString::fromLatin1(c.slot1));
    }
    // Settings written with a selection give the selected account its keys.
    if (c.selected && !c.keys.isEmpty()) {
        EXPECT_EQ(u"NETWORK_CDKEY : "_s + accounts.store().account(*c.selected).korrinKey,
                  c.keys[0]);
    }
    // A failed save tells which file, and why.
    EXPECT_EQ(shown(), c.failure ? QStringList{u"M21"_s} : QStringList());
    for (const auto& s : dialogs.shown)
        EXPECT_EQ(s.text, u"M21 %1 %2 %3"_s.arg(QDir::toNativeSeparators(accountFile),
                                                QLatin1String(c.failure)));
    EXPECT_EQ(readBytes(accountFile), c.fileAfter ? c.fileAfter : c.accountFile);
    EXPECT_EQ(values().texts[rowOf("NETWORK_LOBBYLOGIN")], c.accountName);
    EXPECT_EQ(view.values, values()) << "the Options window shows the name";
}

INSTANTIATE_TEST_SUITE_P(Rows, AccountFlow, ::testing::ValuesIn(kAccountCases), rowName);

} // namespace
} // namespace quillset::test
