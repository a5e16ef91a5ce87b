#include "ui/account_window_layout.h"

#include <array>

namespace quillset::ui {

namespace {

using K = AccountControlKind;

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// clang-format off
constexpr std::array<AccountSlotDef, 4> kSlots{{
    // frame  caption      top   option     top   name      Korrin    Deepfall  label     key labels
    {0, "Account 1", 240, "Option1", 600, "Text1", "Text2", "Text3", "Label6", 0},
    {2, "Account 2", 1560, "Option2", 1920, "Text4", "Text5", "Text6", "Label5", 1},
    {3, "Account 3", 2880, "Option3", 3240, "Text7", "Text8", "Text9", "Label4", 2},
    {4, "Account 4", 4200, "Option4", 4560, "Text10", "Text11", "Text12", "Label3", 3},
}};
// clang-format on

// The outer frame, the strip of option buttons and the two buttons.
constexpr int kOuterFrameIndex = 1;
constexpr TwipRect kOuterFrameRect{120, 120, 5895, 5655};
constexpr TwipRect kOptionStripRect{120, 240, 495, 5415};
constexpr int kOptionLeft = 120;
constexpr int kOptionSize = 255;
constexpr TwipRect kSaveButtonRect{1320, 5880, 1455, 615};
constexpr TwipRect kCloseButtonRect{3240, 5880, 1455, 615};

// Inside a slot frame.
constexpr int kSlotFrameLeft = 600;
constexpr int kSlotFrameWidth = 5175;
constexpr int kSlotFrameHeight = 1335;
constexpr int kBoxHeight = 285;
constexpr int kNameRowTop = 240;
constexpr int kNameBoxWidth = 3255;
constexpr int kKorrinRowTop = 600;
constexpr int kDeepfallRowTop = 960;
constexpr std::array<int, 4> kKeyBoxLefts{120, 960, 1800, 2640};
constexpr int kKeyBoxWidth = 735;
constexpr int kRowLeft = 120;
// The labels stand right of their rows, as high as the boxes so their text
// lines up with the boxes' text.
constexpr int kLabelLeft = 3540;
constexpr int kLabelWidth = 1515;

constexpr std::string_view kNameTip = "Account zum einloggen im Closed/Open";
constexpr std::string_view kKeyTip = "Je Feld fünf Zeichen des CD-Keys eingeben, ohne Bindestriche";

void addSlot(std::vector<AccountControlDef>& controls, const AccountSlotDef& slot) {
    const QString outer = accountControlName(u"Frame1", kOuterFrameIndex);
    const QString frame = accountControlName(u"Frame1", slot.frameIndex);
    controls.push_back({frame,
                        K::SlotFrame,
                        outer,
                        text(slot.frameCaption),
                        {},
                        {kSlotFrameLeft, slot.frameTop, kSlotFrameWidth, kSlotFrameHeight}});
    controls.push_back({text(slot.option),
                        K::OptionButton,
                        QStringLiteral("Picture1"),
                        {},
                        {},
                        {kOptionLeft, slot.optionTop, kOptionSize, kOptionSize}});

    controls.push_back({text(slot.nameBox),
                        K::TextBox,
                        frame,
                        {},
                        text(kNameTip),
                        {kRowLeft, kNameRowTop, kNameBoxWidth, kBoxHeight}});
    controls.push_back({text(slot.nameLabel),
                        K::Label,
                        frame,
                        QStringLiteral("Account name"),
                        {},
                        {kLabelLeft, kNameRowTop, kLabelWidth, kBoxHeight},
                        0,
                        text(slot.nameBox)});

    struct Row {
        std::string_view boxes;
        int top;
        std::string_view label;
        std::string_view caption;
    };
    const std::array<Row, 2> rows{{
        {slot.korrinBoxes, kKorrinRowTop, "Label1", "Korrin CD-Key"},
        {slot.deepfallBoxes, kDeepfallRowTop, "Label2", "Deepfall CD-Key"},
    }};
    for (const Row& row : rows) {
        for (int i = 0; i < int(kKeyBoxLefts.size()); ++i) {
            controls.push_back({accountControlName(text(row.boxes), i),
                                K::KeyBox,
                                frame,
                                {},
                                text(kKeyTip),
                                {kKeyBoxLefts[i], row.top, kKeyBoxWidth, kBoxHeight},
                                kKeyBoxMaxLength});
        }
        controls.push_back({accountControlName(text(row.label), slot.keyLabelIndex),
                            K::Label,
                            frame,
                            text(row.caption),
                            {},
                            {kLabelLeft, row.top, kLabelWidth, kBoxHeight},
                            0,
                            accountControlName(text(row.boxes), 0)});
    }
}

std::vector<AccountControlDef> buildControlList() {
    std::vector<AccountControlDef> controls;
    const QString outer = accountControlName(u"Frame1", kOuterFrameIndex);
    controls.push_back(
        {outer, K::Frame, {}, QStringLiteral("Account auswählen"), {}, kOuterFrameRect});
    controls.push_back({QStringLiteral("Picture1"), K::Panel, outer, {}, {}, kOptionStripRect});
    for (const AccountSlotDef& slot : kSlots)
        addSlot(controls, slot);
    controls.push_back({QStringLiteral("Command1"),
                        K::CommandButton,
                        {},
                        QStringLiteral("Speichern"),
                        {},
                        kSaveButtonRect});
    controls.push_back({QStringLiteral("Command2"),
                        K::CommandButton,
                        {},
                        QStringLiteral("Beenden"),
                        {},
                        kCloseButtonRect});
    return controls;
}

} // namespace

QString accountControlName(QStringView control, int index) {
    if (index < 0)
        return control.toString();
    return control.toString() + QLatin1Char('_') + QString::number(index);
}

const AccountSlotDef& accountSlotDef(int slot) {
    Q_ASSERT(slot >= 1 && slot <= int(kSlots.size()));
    return kSlots[slot - 1];
}

QString slotFrameName(int slot) {
    return accountControlName(u"Frame1", accountSlotDef(slot).frameIndex);
}

QString optionButtonName(int slot) {
    return text(accountSlotDef(slot).option);
}

QString nameBoxName(int slot) {
    return text(accountSlotDef(slot).nameBox);
}

QString keyBoxName(int slot, KeyRow row, int index) {
    const AccountSlotDef& def = accountSlotDef(slot);
    return accountControlName(text(row == KeyRow::Korrin ? def.korrinBoxes : def.deepfallBoxes),
                              index);
}

QString keyLabelName(int slot, KeyRow row) {
    return accountControlName(row == KeyRow::Korrin ? u"Label1" : u"Label2",
                              accountSlotDef(slot).keyLabelIndex);
}

const std::vector<AccountControlDef>& accountWindowControls() {
    static const std::vector<AccountControlDef> controls = buildControlList();
    return controls;
}

QStringList accountWindowTabOrder() {
    QStringList order;
    for (int slot = 1; slot <= int(kSlots.size()); ++slot) {
        order << nameBoxName(slot);
        for (const KeyRow row : {KeyRow::Korrin, KeyRow::Deepfall})
            for (int i = 0; i < int(kKeyBoxLefts.size()); ++i)
                order << keyBoxName(slot, row, i);
    }
    order << QStringLiteral("Command1") << QStringLiteral("Command2");
    for (int slot = 1; slot <= int(kSlots.size()); ++slot)
        order << optionButtonName(slot);
    return order;
}

} // namespace quillset::ui
