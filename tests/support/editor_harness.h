#pragma once
// The editor without any window: a view that records what it is told to
// show, and scripted dialogs.

#include "editor/editor.h"
#include "support/scripted_dialogs.h"
#include "test_support.h"

namespace quillset::test {

// Starts as the window's design does: advanced mode, volume and style item on.
struct RecordingView : EditorView {
    void showValues(const SettingsModel& shown) override { values = shown; }
    void showTitle(const QString& shown) override { title = shown; }
    void showAdvancedMode(bool on) override { advanced = on; }
    void showVolumeControlsEnabled(bool on) override { volumeEnabled = on; }
    void showVisualStyleItem(MenuItemState state) override { visualStyleItem = state; }
    void showVisualStyleChecked(bool on) override { visualStyleChecked = on; }
    void showTexts(std::span<const TextAssignment>) override {}
    void showHeading(const QString& text) override { heading = text; }
    void showWindow() override { shown = true; }
    void closeProgram() override { closed = true; }

    SettingsModel values;
    QString title = programTitle(), heading;
    bool advanced = true, volumeEnabled = true, visualStyleChecked = true;
    MenuItemState visualStyleItem = MenuItemState::Checked;
    bool shown = false, closed = false;
};

// An editor as the program builds it, before start-up has run.
struct EditorHarness {
    AppState state;
    ScriptedDialogs dialogs;
    RecordingView view;
    Editor editor{state, dialogs, view};
};

} // namespace quillset::test
