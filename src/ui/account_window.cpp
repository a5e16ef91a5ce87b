#include "ui/account_window.h"

#include "ui/option_group.h"
#include "ui/text_box.h"
#include "ui/widget_text.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

namespace quillset::ui {

namespace {

// Each key box shows five characters of any kind; a fixed-pitch face keeps
// even five wide letters inside the box and lines the groups up.
QFont keyBoxFont(const QFont& base) {
    QFont font = base;
    font.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("Nimbus Mono PS"),
                      QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Courier New"),
                      QFontDatabase::systemFont(QFontDatabase::FixedFont).family()});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

template <class W> W* controlAs(const WindowParts& parts, const QString& name) {
    auto* widget = qobject_cast<W*>(parts.controls.value(name));
    Q_ASSERT_X(widget, "AccountWindow", "every control of the layout is built");
    return widget;
}

int rowIndex(KeyRow row) {
    return row == KeyRow::Korrin ? 0 : 1;
}

} // namespace

AccountWindow::AccountWindow(Editor& editor, std::span<const TextAssignment> texts, QWidget* owner)
    : QWidget(owner, Qt::Window), editor_(editor) {
    setObjectName(fromCatalogue(kAccountWindowObjectName));
    setWindowTitle(fromCatalogue(kAccountWindowCaption));
    // The close box destroys the window; its host creates a new one when it
    // is needed again.
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(optionsWindowFont(font()));

    const TwipScale scale = TwipScale::forWidget(this);
    setFixedSize(scale.pixels(kAccountClientWidthTwips), scale.pixels(kAccountClientHeightTwips));
    // Row by row, each slot frame filled as soon as it stands: the focus
    // chain then follows the table, as Tab is to.
    for (const ControlDef& def : accountWindowControls()) {
        buildControls(this, scale, {&def, 1}, parts_, fromCatalogue);
        for (int slot = 1; slot <= kAccountSlotCount; ++slot) {
            if (fromCatalogue(def.name) == slotFrameName(slot))
                buildSlot(slot);
        }
    }
    for (int slot = 1; slot <= kAccountSlotCount; ++slot) {
        SlotWidgets& w = slots_[slot - 1];
        // An option button has no caption and takes its slot frame's.
        w.option = controlAs<QRadioButton>(parts_, optionButtonName(slot));
        setAccessibleNamer(w.option, w.frame);
    }
    connectCommands();
    ui::setTabOrder(parts_, accountWindowTabOrder());
    applyTexts(texts);
}

void AccountWindow::buildSlot(int slot) {
    SlotWidgets& w = slots_[slot - 1];
    w.frame = controlAs<FrameBox>(parts_, slotFrameName(slot));
    // Only the selected slot's frame has its border.
    w.frame->setBorder(false);
    buildControls(w.frame, TwipScale::forWidget(this), accountSlotControls(), parts_,
                  [slot](std::string_view role) { return slotControlName(slot, role); });
    w.name = controlAs<QLineEdit>(parts_, nameBoxName(slot));
    // The four boxes of a key share their row's label and say which part
    // they are.
    for (const KeyRow row : kKeyRows) {
        QWidget* label = control(keyLabelName(slot, row));
        for (int i = 0; i < kKeyGroupCount; ++i) {
            QLineEdit* box = controlAs<QLineEdit>(parts_, keyBoxName(slot, row, i));
            box->setFont(keyBoxFont(font()));
            setAccessibleNamer(box, label, i + 1, kKeyGroupCount);
            w.keys[rowIndex(row)][i] = box;
        }
    }
}

void AccountWindow::connectCommands() {
    QList<QAbstractButton*> options;
    for (int slot = 1; slot <= kAccountSlotCount; ++slot) {
        // toggled rather than clicked: the arrow keys move the check as well.
        connect(widgets(slot).option, &QRadioButton::toggled, this, [this, slot](bool checked) {
            if (checked)
                selectSlot(slot);
        });
        options << widgets(slot).option;
    }
    keepTabOnCheckedButton(options);
    connect(controlAs<QPushButton>(parts_, QStringLiteral("Command1")), &QPushButton::clicked, this,
            &AccountWindow::save);
    connect(controlAs<QPushButton>(parts_, QStringLiteral("Command2")), &QPushButton::clicked, this,
            &QWidget::hide);
    // Escape is Close. Enter presses only a focused button: in a box it does
    // nothing, so a half-typed key is never saved by accident.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::hide);
}

void AccountWindow::applyTexts(std::span<const TextAssignment> texts) {
    ui::applyTexts(texts, objectName(), [this](const TextAssignment& text) {
        return control(accountControlName(text.control, text.index));
    });
}

const AccountWindow::SlotWidgets& AccountWindow::widgets(int slot) const {
    Q_ASSERT(isValidSlot(slot));
    return slots_[slot - 1];
}

FrameBox* AccountWindow::slotFrame(int slot) const {
    return isValidSlot(slot) ? widgets(slot).frame : nullptr;
}

QRadioButton* AccountWindow::optionButton(int slot) const {
    return isValidSlot(slot) ? widgets(slot).option : nullptr;
}

QLineEdit* AccountWindow::nameBox(int slot) const {
    return isValidSlot(slot) ? widgets(slot).name : nullptr;
}

QLineEdit* AccountWindow::keyBox(int slot, KeyRow row, int index) const {
    if (!isValidSlot(slot) || index < 0 || index >= kKeyGroupCount)
        return nullptr;
    return widgets(slot).keys[rowIndex(row)][index];
}

void AccountWindow::showAccounts(const Accounts& accounts) {
    for (int slot = 1; slot <= kAccountSlotCount; ++slot) {
        const Account& account = accounts[slot - 1];
        const SlotWidgets& w = widgets(slot);
        setBoxText(w.name, account.name);
        for (const KeyRow row : kKeyRows) {
            const KeyGroups groups =
                keyGroups(row == KeyRow::Korrin ? account.korrinKey : account.deepfallKey);
            for (int i = 0; i < kKeyGroupCount; ++i)
                setBoxText(w.keys[rowIndex(row)][i], groups[i]);
        }
    }
}

Accounts AccountWindow::typedAccounts() const {
    Accounts accounts;
    for (int slot = 1; slot <= kAccountSlotCount; ++slot) {
        const SlotWidgets& w = widgets(slot);
        KeyGroups korrin;
        KeyGroups deepfall;
        for (int i = 0; i < kKeyGroupCount; ++i) {
            korrin[i] = w.keys[0][i]->text();
            deepfall[i] = w.keys[1][i]->text();
        }
        accounts[slot - 1] = {w.name->text(), joinKeyGroups(korrin), joinKeyGroups(deepfall)};
    }
    return accounts;
}

void AccountWindow::showSelectedSlot(int slot) {
    if (!isValidSlot(slot))
        return;
    for (int s = 1; s <= kAccountSlotCount; ++s) {
        const SlotWidgets& w = widgets(s);
        // The other slots' boxes keep their texts, greyed.
        w.frame->setBorder(s == slot);
        w.name->setEnabled(s == slot);
        for (const auto& row : w.keys)
            for (QLineEdit* box : row)
                box->setEnabled(s == slot);
    }
    widgets(slot).option->setChecked(true);
}

void AccountWindow::showModeless() {
    // A window being shown comes up in front by itself; one already open
    // behind the Options window is brought forward.
    const bool wasVisible = isVisible();
    show();
    if (wasVisible) {
        raise();
        activateWindow();
    }
}

void AccountWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit unloaded();
}

} // namespace quillset::ui
