#include "ui/account_window.h"

#include "ui/option_group.h"
#include "ui/text_box.h"
#include "ui/widget_text.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QHideEvent>
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

int rowIndex(AccountBox row) {
    return row == AccountBox::KorrinKey ? 0 : 1;
}

} // namespace

AccountWindow::AccountWindow(AccountSession& session, std::span<const TextAssignment> texts,
                             QWidget* owner)
    : QWidget(owner, Qt::Window), session_(session) {
    setObjectName(fromCatalogue(kAccountWindowName));
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
    reportEdits(slot, w.name, AccountBox::Name, 0);
    // The four boxes of a key share their row's label and say which part
    // they are.
    for (const AccountBox row : kKeyRows) {
        QWidget* label = control(keyLabelName(slot, row));
        for (int i = 0; i < kKeyGroupCount; ++i) {
            QLineEdit* box = controlAs<QLineEdit>(parts_, keyBoxName(slot, row, i));
            box->setFont(keyBoxFont(font()));
            setAccessibleNamer(box, label, i + 1, kKeyGroupCount);
            reportEdits(slot, box, row, i);
            w.keys[rowIndex(row)][i] = box;
        }
    }
}

// Whatever changes a box's text (typing, pasting, a screen reader) is an
// edit of the session's account; the session's own texts are not.
void AccountWindow::reportEdits(int slot, QLineEdit* box, AccountBox kind, int group) {
    connect(box, &QLineEdit::textChanged, this, [this, slot, kind, group](const QString& text) {
        if (!showing_)
            session_.edit(slot, kind, group, text);
    });
}

void AccountWindow::connectCommands() {
    QList<QAbstractButton*> options;
    for (int slot = 1; slot <= kAccountSlotCount; ++slot) {
        // toggled rather than clicked: the arrow keys move the check as well.
        QRadioButton* option = slots_[slot - 1].option;
        connect(option, &QRadioButton::toggled, this, [this, slot](bool checked) {
            if (checked)
                session_.select(slot);
        });
        options << option;
    }
    keepTabOnCheckedButton(options);
    connect(controlAs<QPushButton>(parts_, QStringLiteral("Command1")), &QPushButton::clicked, this,
            [this] { session_.save(); });
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

void AccountWindow::showAccounts(const TypedAccounts& accounts) {
    showing_ = true;
    for (int slot = 1; slot <= kAccountSlotCount; ++slot) {
        const TypedAccount& account = accounts[slot - 1];
        const SlotWidgets& w = slots_[slot - 1];
        setBoxText(w.name, account.name);
        for (int i = 0; i < kKeyGroupCount; ++i) {
            setBoxText(w.keys[0][i], account.korrinKey[i]);
            setBoxText(w.keys[1][i], account.deepfallKey[i]);
        }
    }
    showing_ = false;
}

void AccountWindow::showSelectedSlot(int slot) {
    if (!isValidSlot(slot))
        return;
    for (int s = 1; s <= kAccountSlotCount; ++s) {
        const SlotWidgets& w = slots_[s - 1];
        // The other slots' boxes keep their texts, greyed.
        w.frame->setBorder(s == slot);
        w.name->setEnabled(s == slot);
        for (const auto& row : w.keys)
            for (QLineEdit* box : row)
                box->setEnabled(s == slot);
    }
    slots_[slot - 1].option->setChecked(true);
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

// Close and Escape only hide the window: the session learns it is closed.
void AccountWindow::hideEvent(QHideEvent* event) {
    if (!event->spontaneous())
        session_.windowHidden();
}

void AccountWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit unloaded();
}

} // namespace quillset::ui
