#pragma once
// A view for tests: it records what the editor shows.

#include "editor/dialogs.h"
#include "editor/editor_view.h"

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
    bool advanced = true, volumeEnabled = true, visualStyleChecked = true, shown{}, closed{};
    MenuItemState visualStyleItem = MenuItemState::Checked;
};

} // namespace quillset::test
