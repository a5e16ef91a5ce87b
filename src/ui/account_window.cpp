#include "ui/account_window.h"

#include "accounts/account_file.h"
#include "io/file_helpers.h"
#include "ui/option_group.h"
#include "ui/text_box.h"
#include "ui/widget_text.h"
#include "ui/window_builder.h"

#include <QCloseEvent>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStyle>
#include <utility>

namespace quillset::ui {

namespace {

constexpr std::array<QString CdKeyRecord::*, kKeyGroupCount> kKeyGroups{
    &CdKeyRecord::Part1, &CdKeyRecord::Part2, &CdKeyRecord::Part3, &CdKeyRecord::Part4};

constexpr std::array<KeyRow, 2> kKeyRows{KeyRow::Korrin, KeyRow::Deepfall};

// Twips from a frame's left edge to its caption text, as to its boxes.
constexpr int kCaptionIndentTwips = 120;

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

QLineEdit* makeTextBox(const AccountControlDef& def, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    makeSingleLineBox(box, def.maxLength);
    return box;
}

QWidget* makeWidget(const AccountControlDef& def, QWidget* parent) {
    switch (def.kind) {
    case AccountControlKind::Frame: {
        auto* frame = new TitledFrame(parent);
        frame->setBorder(true);
        return frame;
    }
    case AccountControlKind::SlotFrame:
        return new TitledFrame(parent);
    case AccountControlKind::Panel:
        return new QWidget(parent);
    case AccountControlKind::OptionButton:
        // All four share one parent, so checking one unchecks the others.
        return new QRadioButton(parent);
    case AccountControlKind::TextBox:
        return makeTextBox(def, parent);
    case AccountControlKind::KeyBox: {
        QLineEdit* box = makeTextBox(def, parent);
        box->setFont(keyBoxFont(parent->font()));
        return box;
    }
    case AccountControlKind::Label: {
        auto* label = new QLabel(parent);
        // Texts from the language file are shown as they are, never as markup.
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return label;
    }
    case AccountControlKind::CommandButton: {
        auto* button = new QPushButton(parent);
        // Enter presses the focused button, as Space does.
        button->setAutoDefault(true);
        return button;
    }
    }
    return new QWidget(parent);
}

template <class W> W* controlAs(const QHash<QString, QWidget*>& controls, const QString& name) {
    auto* widget = qobject_cast<W*>(controls.value(name));
    Q_ASSERT_X(widget, "AccountWindow", "every control of the layout is built");
    return widget;
}

} // namespace

// --- TitledFrame ---------------------------------------------------------------

TitledFrame::TitledFrame(QWidget* parent) : QGroupBox(parent) {}

void TitledFrame::setBorder(bool on) {
    if (border_ == on)
        return;
    border_ = on;
    update();
}

void TitledFrame::paintEvent(QPaintEvent*) {
    // Drawn here rather than by the style: the style puts its border below
    // the caption, where it would cross the boxes at the frame's top.
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int pad = metrics.horizontalAdvance(QLatin1Char(' ')) / 2 + 1;
    const int indent = TwipScale::forWidget(this).pixels(kCaptionIndentTwips) - pad;
    const QRect captionRect(indent, 0, metrics.horizontalAdvance(title()) + 2 * pad,
                            metrics.height());
    if (border_) {
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawRect(rect().adjusted(0, metrics.height() / 2, -1, -1));
        if (!title().isEmpty())
            painter.fillRect(captionRect, palette().window());
    }
    style()->drawItemText(&painter, captionRect, Qt::AlignCenter | Qt::TextShowMnemonic, palette(),
                          isEnabled(), title(), QPalette::WindowText);
}

// --- AccountWindow ------------------------------------------------------------

std::vector<TextAssignment> accountWindowTexts(std::span<const TextAssignment> texts) {
    std::vector<TextAssignment> own;
    const QString window = QString::fromLatin1(kAccountWindowObjectName);
    for (const TextAssignment& text : texts)
        if (text.window == window)
            own.push_back(text);
    return own;
}

AccountWindow::AccountWindow(AccountStore& store, AppState& state, Dialogs& dialogs,
                             AccountNameReader readAccountName, AccountNameWriter setAccountName,
                             std::span<const TextAssignment> texts, QWidget* owner)
    : QWidget(owner, Qt::Window), store_(store), state_(state), dialogs_(dialogs),
      readAccountName_(std::move(readAccountName)), setAccountName_(std::move(setAccountName)) {
    Q_ASSERT(readAccountName_ && setAccountName_);
    setObjectName(QString::fromLatin1(kAccountWindowObjectName));
    setWindowTitle(QString::fromLatin1(kAccountWindowCaption));
    // The close box destroys the window; its owner creates a new one when
    // it is needed again.
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(optionsWindowFont(font()));

    const TwipScale scale = TwipScale::forWidget(this);
    setFixedSize(scale.pixels(kAccountClientWidthTwips), scale.pixels(kAccountClientHeightTwips));

    buildControls();
    collectSlotWidgets();
    connectHandlers();
    applyTabOrder();
    applyTexts(texts);

    // Escape is Close. Enter presses only a focused button: in a box it does
    // nothing, so a half-typed key is never saved by accident.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &AccountWindow::Command2_Click);
}

void AccountWindow::buildControls() {
    const TwipScale scale = TwipScale::forWidget(this);
    for (const AccountControlDef& def : accountWindowControls()) {
        QWidget* parent = def.parent.isEmpty() ? this : controls_.value(def.parent);
        Q_ASSERT_X(parent, "AccountWindow", "a parent must come before its children");
        QWidget* widget = makeWidget(def, parent);
        widget->setObjectName(def.name);
        widget->setGeometry(scale.rect(def.rect));
        if (!def.caption.isEmpty())
            setCaption(widget, def.caption);
        if (!def.toolTip.isEmpty())
            ui::setToolTip(widget, def.toolTip);
        controls_.insert(def.name, widget);
    }
    for (const AccountControlDef& def : accountWindowControls()) {
        if (!def.buddy.isEmpty())
            setBuddy(controlAs<QLabel>(controls_, def.name), controls_.value(def.buddy));
    }
    // Named by hand where no label names a control on its own: the four
    // boxes of a key share their row's label and say which part they are;
    // an option button has no caption and takes the frame of its slot's.
    for (int slot = 1; slot <= kAccountSlotCount; ++slot) {
        setAccessibleNamer(controls_.value(optionButtonName(slot)),
                           controls_.value(slotFrameName(slot)));
        for (const KeyRow row : kKeyRows) {
            for (int i = 0; i < kKeyGroupCount; ++i)
                setAccessibleNamer(controls_.value(keyBoxName(slot, row, i)),
                                   controls_.value(keyLabelName(slot, row)), i + 1, kKeyGroupCount);
        }
    }
}

void AccountWindow::collectSlotWidgets() {
    for (int slot = 1; slot <= kAccountSlotCount; ++slot) {
        SlotWidgets& w = slots_[slot - 1];
        w.frame = controlAs<TitledFrame>(controls_, slotFrameName(slot));
        w.option = controlAs<QRadioButton>(controls_, optionButtonName(slot));
        w.name = controlAs<QLineEdit>(controls_, nameBoxName(slot));
        for (int i = 0; i < kKeyGroupCount; ++i) {
            w.korrin[i] = controlAs<QLineEdit>(controls_, keyBoxName(slot, KeyRow::Korrin, i));
            w.deepfall[i] = controlAs<QLineEdit>(controls_, keyBoxName(slot, KeyRow::Deepfall, i));
        }
    }
}

void AccountWindow::connectHandlers() {
    for (int slot = 1; slot <= kAccountSlotCount; ++slot) {
        // toggled rather than clicked: the arrow keys move the check as well.
        connect(widgets(slot).option, &QRadioButton::toggled, this, [this, slot](bool checked) {
            if (checked)
                selectSlot(slot);
        });
    }
    QList<QAbstractButton*> options;
    for (int slot = 1; slot <= kAccountSlotCount; ++slot)
        options << widgets(slot).option;
    keepTabOnCheckedButton(options);
    connect(controlAs<QPushButton>(controls_, QStringLiteral("Command1")), &QPushButton::clicked,
            this, &AccountWindow::Command1_Click);
    connect(controlAs<QPushButton>(controls_, QStringLiteral("Command2")), &QPushButton::clicked,
            this, &AccountWindow::Command2_Click);
}

void AccountWindow::applyTabOrder() {
    const QStringList order = accountWindowTabOrder();
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(controls_.value(order[i - 1]), controls_.value(order[i]));
}

const AccountWindow::SlotWidgets& AccountWindow::widgets(int slot) const {
    Q_ASSERT(isValidSlot(slot));
    return slots_[slot - 1];
}

TitledFrame* AccountWindow::slotFrame(int slot) const {
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
    const SlotWidgets& w = widgets(slot);
    return row == KeyRow::Korrin ? w.korrin[index] : w.deepfall[index];
}

void AccountWindow::applyTexts(std::span<const TextAssignment> texts) {
    const QString window = QString::fromLatin1(kAccountWindowObjectName);
    for (const TextAssignment& text : texts) {
        if (text.window != window)
            continue;
        QWidget* target = controls_.value(accountControlName(text.control, text.index));
        if (!target)
            continue;
        if (text.property == TextProperty::Caption)
            setCaption(target, text.text);
        else
            ui::setToolTip(target, text.text);
    }
}

void AccountWindow::Form_Load() {
    // During start-up the window is only being created to take its texts.
    if (!state_.startupComplete)
        return;
    if (!state_.accountsLoaded)
        state_.accountsLoaded = LoadAccountStore(store_, state_.installDir);
    fillFromStore();
    showModeless();
    selectByAccountName();
}

void AccountWindow::fillFromStore() {
    for (int slot = 1; slot <= kAccountSlotCount; ++slot)
        setBoxText(widgets(slot).name, store_.Lines[nameLineIndex(slot)]);
    for (int slot = 1; slot <= kAccountSlotCount; ++slot) {
        SplitKorrinKey(store_, slot);
        SplitDeepfallKey(store_, slot);
    }
    for (int slot = 1; slot <= kAccountSlotCount; ++slot) {
        const SlotWidgets& w = widgets(slot);
        for (int i = 0; i < kKeyGroupCount; ++i) {
            // The last box takes a key's tail beyond twenty characters.
            setBoxText(w.korrin[i], store_.korrinKey(slot).*kKeyGroups[i]);
            setBoxText(w.deepfall[i], store_.deepfallKey(slot).*kKeyGroups[i]);
        }
    }
}

void AccountWindow::selectByAccountName() {
    const QString accountName = readAccountName_();
    for (int slot = 1; slot <= kAccountSlotCount; ++slot)
        if (widgets(slot).name->text() == accountName)
            selectSlot(slot);
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

void AccountWindow::selectSlot(int slot) {
    if (!isValidSlot(slot))
        return;
    for (int s = 1; s <= kAccountSlotCount; ++s)
        widgets(s).frame->setBorder(s == slot);
    for (int s = 1; s <= kAccountSlotCount; ++s)
        widgets(s).name->setEnabled(s == slot);
    for (int i = 0; i < kKeyGroupCount; ++i) {
        for (int s = 1; s <= kAccountSlotCount; ++s) {
            widgets(s).korrin[i]->setEnabled(s == slot);
            widgets(s).deepfall[i]->setEnabled(s == slot);
        }
    }
    widgets(slot).option->setChecked(true);
}

std::optional<int> AccountWindow::selectedSlot() const {
    for (int slot = 1; slot <= kAccountSlotCount; ++slot)
        if (widgets(slot).option->isChecked())
            return slot;
    return std::nullopt;
}

AccountSlotsTexts AccountWindow::slotTexts() const {
    AccountSlotsTexts texts;
    for (int slot = 1; slot <= kAccountSlotCount; ++slot) {
        const SlotWidgets& w = widgets(slot);
        AccountSlotTexts& t = texts[slot - 1];
        t.name = w.name->text();
        for (int i = 0; i < kKeyGroupCount; ++i) {
            t.korrinGroups[i] = w.korrin[i]->text();
            t.deepfallGroups[i] = w.deepfall[i]->text();
        }
    }
    return texts;
}

std::optional<AccountCdKeys> AccountWindow::selectedKeys() const {
    const std::optional<int> slot = selectedSlot();
    if (!slot)
        return std::nullopt;
    const AccountSlotTexts texts = slotTexts()[*slot - 1];
    return AccountCdKeys{joinKeyGroups(texts.korrinGroups), joinKeyGroups(texts.deepfallGroups)};
}

void AccountWindow::storeSelectedKeysBack() {
    const std::optional<int> slot = selectedSlot();
    const std::optional<AccountCdKeys> keys = selectedKeys();
    if (!slot || !keys)
        return;
    store_.Lines[korrinLineIndex(*slot)] = keys->korrin;
    store_.Lines[deepfallLineIndex(*slot)] = keys->deepfall;
}

std::optional<AccountCdKeys> AccountWindow::takeSelectedKeysForSettings() {
    storeSelectedKeysBack();
    return selectedKeys();
}

void AccountWindow::Command1_Click() {
    const AccountLines lines = accountLinesFromSlots(slotTexts());
    if (const std::optional<QString> reason = WriteAccountFile(state_.installDir, lines)) {
        reportSaveFailure(*reason);
        return;
    }
    // Reopening the window refills it from the store, so the store must hold
    // what the file now holds; otherwise a second save would write old data.
    storeSavedLines(store_, lines);
    if (const std::optional<int> slot = selectedSlot())
        setAccountName_(widgets(*slot).name->text());
    hide();
}

void AccountWindow::reportSaveFailure(const QString& reason) {
    // The reason names the file's problem or the offending field, never a key.
    const QString path = QDir::toNativeSeparators(accountFilePath(state_.installDir));
    dialogs_.message(QStringLiteral("The accounts were not saved: %1 could not be written (%2).")
                         .arg(path, reason),
                     programTitle(), Dialogs::Buttons::Ok);
}

void AccountWindow::Command2_Click() {
    hide();
}

void AccountWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit unloaded();
}

} // namespace quillset::ui
