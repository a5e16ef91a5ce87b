// What the user pastes, or a screen reader sets, never garbles a file, and
// what the user did not edit comes back as it was read: long texts and CD
// keys of any length, in settings.cfg and in accounts.cfg.

#include "io/ansi_text.h"
#include "ui/account_window.h"
#include "ui_test_support.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <string>

namespace quillset::test {
namespace {

using Answer = Dialogs::Answer;

const QString kLongName(40000, QLatin1Char('n'));
const QString kDashedKey = QStringLiteral("ABCDE-FGHIJ-KLMNO-PQRST");
const QString kLongKey = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY");

// Twelve lines: the first slot is the one the settings name; every key has
// another length, none of them four groups of five.
const QStringList kAccounts = {
    QStringLiteral("Aldric"),
    kDashedKey,
    kLongKey,
    QStringLiteral("Bryn"),
    QStringLiteral(""),
    QStringLiteral("ABCDEFGHIJKLMNOPQRS"),
    QStringLiteral("Cora"),
    QStringLiteral("ABCDEFGHIJKLMNOPQRSTU"),
    QStringLiteral("ABCDE-FGHIJ-KLMNO-PQRST-U"),
    QStringLiteral("Dara"),
    QStringLiteral("\u00c4\u00d6\u00dc-\u20ac\u0081 KEY"),
    QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVW"),
};

QByteArray ansiLines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += toAnsi(line).value() + "\r\n";
    return bytes;
}

class Integrity : public ::testing::Test {
protected:
    void SetUp() override {
        previousFolder = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(current.path()));
        writeBytes(program.file(QStringLiteral("language.lng")), "[Messages]\r\nM1\r\n");
        writeBytes(program.file(QStringLiteral("settings.bck")), "x");
        writeBytes(settingsPath(), ansiLines({QStringLiteral("NETWORK_LOBBYLOGIN : Aldric"),
                                              QStringLiteral("NETWORK_PLAYER : ") + kLongName,
                                              QStringLiteral("NETWORK_CDKEY : ") + kLongKey,
                                              QStringLiteral("NETWORK_CDKEY2 : ") + kDashedKey}));
        w.state.programDir = program.path();
    }
    void TearDown() override { QDir::setCurrent(previousFolder); }

    void start() { ASSERT_EQ(w->editor().start(), Editor::StartupResult::Running); }
    QString settingsPath() const { return program.file(QStringLiteral("settings.cfg")); }
    QString accountsPath() const { return program.file(QStringLiteral("accounts.cfg")); }
    // Saves over the loaded file, answering its question.
    void save() {
        w.dialogs.answer(Answer::Ok);
        w->editor().save();
    }
    QStringList savedSettings() const { return splitCrlf(readBytes(settingsPath())); }
    // The saved lines that begin with prefix, joined by " | ".
    std::string linesWith(const QString& prefix) const {
        QStringList lines;
        for (const QString& line : savedSettings())
            if (line.startsWith(prefix))
                lines << line;
        return lines.join(QStringLiteral(" | ")).toStdString();
    }
    ui::AccountWindow& accountWindow() { return w->accounts().window(); }

    QString previousFolder;
    TempFolder current;
    TempFolder program;
    TestWindow w;
};

// The three ways text reaches a box without typing: setText from code, the
// clipboard and a screen reader.
void pasteInto(QLineEdit* box, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    box->selectAll();
    box->paste();
}

void setThroughAccessibility(QLineEdit* box, const QString& text) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(box);
    ASSERT_NE(face, nullptr);
    face->setText(QAccessible::Value, text);
}

TEST_F(Integrity, LineBreaksPastedOrSetNeverReachTheSettingsFile) {
    start();
    auto* player = w->control<QLineEdit>(u"defplayername");
    pasteInto(player, QStringLiteral("Bob\r\nFULLSCREEN : 0"));
    EXPECT_EQ(player->text(), QStringLiteral("Bob")) << "a pasted line break ends the text";
    EXPECT_TRUE(w.state.changedFlag);

    auto* session = w->control<QLineEdit>(u"lsa");
    setThroughAccessibility(session, QStringLiteral("\nLobby\nFULLSCREEN : 0"));
    EXPECT_EQ(session->text(), QStringLiteral("Lobby")) << "leading line breaks are skipped";
    player->setText(QStringLiteral("Carl\rFULLSCREEN : 0"));
    EXPECT_EQ(player->text(), QStringLiteral("Carl"));

    save();
    EXPECT_FALSE(w.state.changedFlag);
    EXPECT_EQ(linesWith(QStringLiteral("FULLSCREEN ")), "FULLSCREEN : 0");
    EXPECT_EQ(linesWith(QStringLiteral("NETWORK_PLAYER ")), "NETWORK_PLAYER : Carl");
    EXPECT_EQ(linesWith(QStringLiteral("NETWORK_LOBBY ")), "NETWORK_LOBBY : Lobby");
}

TEST_F(Integrity, LineBreaksPastedOrSetNeverReachTheAccountFile) {
    writeBytes(accountsPath(), ansiLines(kAccounts));
    start();
    w->editor().manageAccounts();
    ui::AccountWindow& accounts = accountWindow();
    ASSERT_EQ(w->editor().accountStore().selectedSlot, std::optional<int>(1));
    pasteInto(accounts.nameBox(1), QStringLiteral("Ann\r\nEve"));
    setThroughAccessibility(accounts.keyBox(1, ui::KeyRow::Deepfall, 0), QStringLiteral("12\n34"));
    accounts.save();

    QStringList expected = kAccounts;
    expected[0] = QStringLiteral("Ann");
    expected[2] = QStringLiteral("12") + kLongKey.mid(5);
    EXPECT_EQ(readBytes(accountsPath()), ansiLines(expected));
    EXPECT_EQ(w->control<QLineEdit>(u"accname")->text(), QStringLiteral("Ann"));
}

TEST_F(Integrity, WhatNobodyEditedComesBackAsItWasRead) {
    const QByteArray accountFile = ansiLines(kAccounts);
    writeBytes(accountsPath(), accountFile);
    start();
    EXPECT_EQ(w->control<QLineEdit>(u"defplayername")->text(), kLongName);

    // No account selected yet: the file's own keys go back.
    w->control<QCheckBox>(u"fullsc")->click();
    save();
    EXPECT_TRUE(linesWith(QStringLiteral("NETWORK_PLAYER ")) ==
                (QStringLiteral("NETWORK_PLAYER : ") + kLongName).toStdString());
    EXPECT_EQ(linesWith(QStringLiteral("NETWORK_CDKEY ")) + " | " +
                  linesWith(QStringLiteral("NETWORK_CDKEY2")),
              QStringLiteral("NETWORK_CDKEY : %1 | NETWORK_CDKEY2 : %2")
                  .arg(kLongKey, kDashedKey)
                  .toStdString());

    // The account menu selects Aldric's slot; closed without an edit, its
    // keys go to the settings exactly as accounts.cfg holds them.
    w->editor().manageAccounts();
    ui::AccountWindow& accounts = accountWindow();
    EXPECT_EQ(accounts.keyBox(1, ui::KeyRow::Korrin, 3)->text(), QStringLiteral("NO-PQRST"))
        << "the last box shows the rest of a long key";
    accounts.hide();
    w->control<QCheckBox>(u"fullsc")->click();
    save();
    EXPECT_EQ(linesWith(QStringLiteral("NETWORK_CDKEY ")) + " | " +
                  linesWith(QStringLiteral("NETWORK_CDKEY2")),
              QStringLiteral("NETWORK_CDKEY : %1 | NETWORK_CDKEY2 : %2")
                  .arg(kDashedKey, kLongKey)
                  .toStdString());

    // Saved in the Account window without an edit: every slot's name and
    // keys byte for byte.
    w->editor().manageAccounts();
    accountWindow().save();
    EXPECT_EQ(readBytes(accountsPath()), accountFile);
}

TEST_F(Integrity, SaveTakesTheKeysTheSelectedAccountsBoxesShow) {
    // No accounts.cfg: the menu seeds slot 1 from the settings' account name
    // and keys, and selects it by that name.
    start();
    w->editor().manageAccounts();
    ui::AccountWindow& accounts = accountWindow();
    ASSERT_EQ(w->editor().accountStore().selectedSlot, std::optional<int>(1));
    const QStringList groups = {QStringLiteral("AAAAA"), QStringLiteral("BBBBB"),
                                QStringLiteral("CCC"), QString()};
    for (int i = 0; i < 4; ++i)
        accounts.keyBox(1, ui::KeyRow::Korrin, i)->setText(groups[i]);
    for (int i = 0; i < 4; ++i)
        accounts.keyBox(1, ui::KeyRow::Deepfall, i)
            ->setText(i == 0 ? QStringLiteral("DDDDD") : QString());
    w->menuItem(u"mSave")->trigger();
    EXPECT_FALSE(w.state.changedFlag) << "nothing to save yet";
    w->control<QCheckBox>(u"fullsc")->click();
    w.dialogs.answer(Answer::Ok);
    w->menuItem(u"mSave")->trigger();
    EXPECT_EQ(linesWith(QStringLiteral("NETWORK_CDKEY ")) + " | " +
                  linesWith(QStringLiteral("NETWORK_CDKEY2")),
              "NETWORK_CDKEY : AAAAABBBBBCCC | NETWORK_CDKEY2 : DDDDD");
    EXPECT_EQ(w->editor().accountStore().account(1).korrinKey, QStringLiteral("AAAAABBBBBCCC"));
    EXPECT_EQ(w->editor().accountStore().account(1).deepfallKey, QStringLiteral("DDDDD"));
}

} // namespace
} // namespace quillset::test
