#pragma once
// The editor without any window: a view that records what it is told to
// show, and scripted dialogs.

#include "editor/editor.h"
#include "support/scripted_dialogs.h"
#include "test_support.h"

namespace quillset::test {

class RecordingView : public EditorView {
public:
    void showValues(const SettingsModel& shown) override { values = shown; }
    void showTitle(const QString& shown) override { title = shown; }
    void showAdvancedMode(bool on) override { advanced = on; }
    void showVolumeControlsEnabled(bool on) override { volumeEnabled = on; }
    void showVisualStyleItem(MenuItemState state) override { visualStyleItem = state; }
    void showVisualStyleChecked(bool on) override { visualStyleChecked = on; }
    void showTexts(std::span<const TextAssignment> texts) override { textCount = texts.size(); }
    void showHeading(const QString& text) override { heading = text; }
    void showWindow() override { shown = true; }
    void closeProgram() override { closed = true; }

    SettingsModel values;
    QString title = QStringLiteral("Quillset");
    bool advanced = true;
    bool volumeEnabled = true;
    MenuItemState visualStyleItem = MenuItemState::Checked;
    bool visualStyleChecked = true;
    std::size_t textCount = 0;
    QString heading;
    bool shown = false;
    bool closed = false;
};

// An editor as the program builds it, before start-up has run.
struct EditorHarness {
    AppState state;
    ScriptedDialogs dialogs;
    RecordingView view;
    Editor editor{state, dialogs, view};
};

// Lines joined the way the game and the program write them.
inline QByteArray crlfLines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

} // namespace quillset::test
