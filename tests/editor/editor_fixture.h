#pragma once
// The editor as the program builds it, without a window: a recording view
// and account panel, a registry in memory, scripted dialogs, and a program
// folder with a language file whose kept texts name themselves.

#include "editor/editor.h"
#include "registry/game_location.h"
#include "settings/settings_reader.h"
#include "support/recording_view.h"
#include "support/scripted_dialogs.h"
#include "test_support.h"

#include <QRegularExpression>

#include <map>
#include <tuple>

namespace quillset::test {

struct RecordingAccountPanel : AccountPanel {
    void setTexts(std::span<const TextAssignment> given) override { texts = !given.empty(); }
    void showAccounts(const TypedAccounts& shown) override { accounts = shown, visible = true; }
    void showSelectedSlot(int slot) override { selected = slot; }
    void hideAccounts() override { visible = false; }

    TypedAccounts accounts;
    std::optional<int> selected;
    bool visible = false, texts = false;
};

inline const QByteArray kSearchTrace = "Registry -> Using the prefix of a test";

// A registry held in memory: values planted by the test, writes counted or
// refused (as for a user without rights to the machine root), and a Wine
// prefix's drive C: link.
struct MemoryRegistry final : Registry {
    std::optional<RegistryValue> queryValue(RegistryRoot root, const QString& key,
                                            const QString& name) const override {
        const auto found = values.find({root, key, name});
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    bool setStringValue(RegistryRoot root, const QString& key, const QString& name,
                        const QString& text) override {
        if (refuseWrites)
            return false;
        values[{root, key, name}] = {kRegSz, utf16StringData(text)};
        return ++acceptedWrites > 0;
    }
    // With a drive link, only paths on C: can be mapped.
    QString localPath(const QString& path) const override {
        if (driveC.isEmpty() || !path.startsWith("C:\\"_L1))
            return driveC.isEmpty() ? path : QString();
        return driveC + u'/' + path.mid(3).replace(u'\\', u'/');
    }

    std::map<std::tuple<RegistryRoot, QString, QString>, RegistryValue> values;
    bool refuseWrites = false;
    int acceptedWrites = 0;
    QString driveC;
};

using Answer = Dialogs::Answer;
using Kind = ScriptedDialogs::Shown::Kind;

// The values a load of the file gives; nothing when it cannot be read.
inline std::optional<SettingsModel> loadSettings(const QString& path,
                                                 const QString& fontPages = {}) {
    const SettingsFileRead read = readSettingsFile(path, fontPages);
    return read.hasBytes() ? std::optional(read.values) : std::nullopt;
}

inline const QByteArray kGameFile = "SOUND : 1\r\nNETWORK_PLAYER : Aldric\r\nCAMERA_ZOOM : 3\r\n";

class Flow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(gameDir()));
        writeBytes(program.file(u"language.lng"_s), languageFile());
        editor.setView(view, panel);
        prefix.trace << QString::fromLatin1(kSearchTrace);
    }
    // Start-up with the game's settings (gameFile) and backup beside the
    // program, or without (its backup step then asks for a file to copy:
    // cancelled).
    void start(const QByteArray& gameFile) {
        if (gameFile.isEmpty())
            dialogs.choose(QString());
        else
            for (const char* name : {"settings.cfg", "settings.bck"})
                writeBytes(program.file(QLatin1String(name)), gameFile);
        ASSERT_EQ(startEditor(), Startup::Result::Running);
        dialogs.shown.clear();
    }
    // Start-up, on the game the registry in memory leads to, as the
    // program finds it.
    Startup::Result startEditor(Editor& started) {
        LocationRequest request;
        request.programDir = program.path();
        started.setGameLocation(
            locateInRegistry(request, &registry, prefix, UserValueCopy::IntoMachineRoot));
        return started.start();
    }
    Startup::Result startEditor() { return startEditor(editor); }
    QString settings() const { return program.file(u"settings.cfg"_s); }
    // The game's folder as the registry names it (drive C: of the prefix rows).
    QString gameDir() const { return game.file(u"Games/Korrin"_s); }
    const SettingsModel& values() { return editor.settings().values(); }
    void expectMark(bool marked) {
        const QString path = QDir::toNativeSeparators(editor.settingsFile().path());
        const QString base = programTitle() + (path.isEmpty() ? QString() : " : " + path);
        EXPECT_EQ(view.title, marked ? base + u" - Changed!"_s : base);
        EXPECT_EQ(editor.settings().isChanged(), marked);
    }
    // The dialogs shown: a kept text as itself, a message of the program's
    // own as "!", a title other than the program's before a '|', and a file
    // dialog as "open:" or "save:" with its title.
    QStringList shown() const {
        static const QRegularExpression kept(u"^[CMG]\\d+$"_s);
        QStringList out;
        for (const auto& s : dialogs.shown) {
            const QString first = s.text.section(QLatin1Char(' '), 0, 0);
            out << (s.kind != Kind::Message ? (s.kind == Kind::Open ? "open:" : "save:") + s.title
                    : s.title != programTitle()    ? s.title + QLatin1Char('|') + first
                    : kept.match(first).hasMatch() ? first
                                                   : u"!"_s);
        }
        return out;
    }

    CurrentFolder current;
    TempFolder program, game, elsewhere;
    MemoryRegistry registry;
    WinePrefixChoice prefix; // the Wine prefix chosen, if any
    ScriptedDialogs dialogs;
    RecordingView view;
    RecordingAccountPanel panel;
    // An editor as the program builds it, before start-up has run.
    Editor editor{dialogs, program.path()};
};

} // namespace quillset::test
