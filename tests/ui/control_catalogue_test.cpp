// The Options window holds every control, menu item, default text and value
// limit of its design, under the names the rest of the program uses.

#include "lang/language_catalogue.h"
#include "lang/language_loader.h"
#include "ui/control_catalogue.h"
#include "ui/option_group.h"
#include "ui/settings_binding.h"
#include "ui/text_box.h"
#include "ui/tri_state_check_box.h"
#include "ui/widget_text.h"
#include "ui_test_support.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSlider>
#include <algorithm>
#include <gtest/gtest.h>

namespace quillset::test {
namespace {

enum class Kind { Frame, Panel, Group, Check, Option, Slider, Text, Label, Button };

struct Expected {
    const char* name;
    Kind kind;
    const char* parent; // "client": directly on the window
    const char* caption;
};

// The design, written out once more by hand, so a slip in the catalogue shows.
const Expected kExpected[] = {
    {"Frame1", Kind::Frame, "client",
     "Nicht unterstützte Einstellungen - Ändert nur etwas, wenn ihr wißt, was ihr macht!"},
    {"Frame2", Kind::Frame, "client", "Unterstützte Einstellungen"},
    {"Frame7", Kind::Frame, "Frame2", "Grafikoptionen"},
    {"Frame6", Kind::Frame, "Frame2", "Netzwerk"},
    {"Frame3", Kind::Frame, "Frame2", "Chat Optionen"},
    {"Frame11", Kind::Frame, "Frame2", "Allgemeine Einstellungen"},
    {"Frame4", Kind::Frame, "Frame2", "In game Optionen ( Taste O )"},
    {"Frame5", Kind::Frame, "Frame4", "Detail Level"},
    {"Frame8", Kind::Frame, "Frame4", "Speedsetting"},
    {"Frame9", Kind::Frame, "Frame4", "Einsammeln"},
    {"Frame10", Kind::Frame, "Frame4", "Sound Quality"},
    {"Frame12", Kind::Frame, "Frame4", "Sound"},
    {"Picture1", Kind::Panel, "Frame1", ""},
    {"Picture2", Kind::Panel, "Frame7", ""},
    {"Picture3", Kind::Panel, "Frame3", ""},
    {"Picture4", Kind::Panel, "Frame6", ""},
    {"Picture5", Kind::Panel, "Frame11", ""},
    {"Picture6", Kind::Group, "Frame5", ""},
    {"Picture7", Kind::Group, "Frame8", ""},
    {"Picture8", Kind::Group, "Frame10", ""},
    {"Picture9", Kind::Group, "Frame9", ""},
    {"Picture10", Kind::Panel, "Frame12", ""},
    {"Picture11", Kind::Panel, "Frame4", ""},
    {"shheroinf", Kind::Check, "Picture1", "Charakterdetails"},
    {"posinfo", Kind::Check, "Picture1", "Tränkeleiste"},
    {"tskicons", Kind::Check, "Picture1", "Taskbar Icons"},
    {"logging", Kind::Check, "Picture1", "Logging"},
    {"uncol", Kind::Check, "Picture1", "Unique Color"},
    {"compatvideo", Kind::Check, "Picture1", "Videokompatibilitätsmodus"},
    {"sheni", Kind::Check, "Picture1", "Gegnerdetails"},
    {"combslots", Kind::Check, "Picture1", "Slots kombinieren"},
    {"Text1", Kind::Text, "Frame1", ""},
    {"Label4", Kind::Label, "Frame1", "Sprache"},
    {"ca", Kind::Slider, "Picture3", ""},
    {"Label1", Kind::Label, "Picture3", "Chat Transparenz"},
    {"cd", Kind::Slider, "Picture3", ""},
    {"Label2", Kind::Label, "Picture3", "Chat Delay"},
    {"cl", Kind::Slider, "Picture3", ""},
    {"Label3", Kind::Label, "Picture3", "Chatzeilen"},
    {"fbs", Kind::Check, "Picture2", "Schwarze Schatten"},
    {"fullsc", Kind::Check, "Picture2", "Vollbildmodus"},
    {"textd", Kind::Check, "Picture2", "32 / 16 Bit Texturen"},
    {"waitretrace", Kind::Check, "Picture2", "Waitretrace"},
    {"lsa", Kind::Text, "Picture4", ""},
    {"Label7", Kind::Label, "Picture4", "Lobby Server Adresse"},
    {"accname", Kind::Text, "Picture4", ""},
    {"Label9", Kind::Label, "Picture4", "Account Name"},
    {"defplayername", Kind::Text, "Picture4", ""},
    {"Label11", Kind::Label, "Picture4", "Standard Spielername"},
    {"stdspn", Kind::Text, "Picture4", ""},
    {"Label15", Kind::Label, "Picture4", "Standard Spielname"},
    {"lp", Kind::Text, "Picture4", ""},
    {"Label8", Kind::Label, "Picture4", "Lobby Port"},
    {"lport", Kind::Text, "Picture4", ""},
    {"Label13", Kind::Label, "Picture4", "Listen Port"},
    {"quake", Kind::Check, "Picture5", "Erdbeben"},
    {"shmov", Kind::Check, "Picture5", "Filme abspielen"},
    {"laddexp", Kind::Check, "Picture5", "Ladder Export"},
    {"shextro", Kind::Check, "Picture5", "Extro abspielen"},
    {"defskills", Kind::Check, "Picture5", "Default Skills"},
    {"logf", Kind::Check, "Picture5", "Programmlogdateien"},
    {"netlogf", Kind::Check, "Picture5", "Netzwerklogdateien"},
    {"hidekey", Kind::Check, "Picture5", "CD-Key verstecken"},
    {"asa", Kind::Check, "Picture5", "Autosave"},
    {"ate", Kind::Check, "Picture5", "Autotrackenemy"},
    {"Label12", Kind::Label, "Picture5", "Warning Level"},
    {"warninglevel", Kind::Slider, "Picture5", ""},
    {"Label14", Kind::Label, "Picture5", "0 %"},
    {"Label20", Kind::Label, "Picture5", "50 %"},
    {"Label17", Kind::Label, "Picture5", "100 %"},
    {"expmap", Kind::Check, "Picture11", "Übersichtskarte erkunden"},
    {"zaa", Kind::Check, "Picture11", "Font Transparenz"},
    {"fontfilt", Kind::Check, "Picture11", "Font filtering"},
    {"fsa", Kind::Check, "Picture11", "Full Scene Anti-Aliasing"},
    {"atmo", Kind::Check, "Picture11", "Atmosphärische Animationen"},
    {"vio", Kind::Check, "Picture11", "Gewaltdarstellung"},
    {"mma", Kind::Slider, "Picture11", ""},
    {"Label5", Kind::Label, "Picture11", "Minimap Alpha"},
    {"Label27", Kind::Label, "Picture11", "0"},
    {"Label28", Kind::Label, "Picture11", "255"},
    {"dunkelheit", Kind::Slider, "Picture11", ""},
    {"Label16", Kind::Label, "Picture11", "Dunkelheit"},
    {"Label29", Kind::Label, "Picture11", "0 "},
    {"Label30", Kind::Label, "Picture11", "100"},
    {"Option1", Kind::Option, "Picture6", "High"},
    {"Option2", Kind::Option, "Picture6", "Medium"},
    {"Option3", Kind::Option, "Picture6", "Low"},
    {"modem", Kind::Option, "Picture7", "Modem / ISDN"},
    {"dsl", Kind::Option, "Picture7", "DSL"},
    {"Option4", Kind::Option, "Picture8", "3D-all Effects"},
    {"Option5", Kind::Option, "Picture8", "2D-all Effects"},
    {"Option6", Kind::Option, "Picture8", "2D-low Effects"},
    {"all", Kind::Option, "Picture9", "Alles"},
    {"goldunis", Kind::Option, "Picture9", "Gold / Uniques"},
    {"gold", Kind::Option, "Picture9", "Gold"},
    {"sound", Kind::Check, "Picture10", "Sound on / off"},
    {"musicvol", Kind::Slider, "Picture10", ""},
    {"Label6", Kind::Label, "Picture10", "Music Volume"},
    {"Label25", Kind::Label, "Picture10", "0"},
    {"Label26", Kind::Label, "Picture10", "125"},
    {"sfxvol", Kind::Slider, "Picture10", ""},
    {"Label18", Kind::Label, "Picture10", "SFX Volume"},
    {"Label23", Kind::Label, "Picture10", "0"},
    {"Label24", Kind::Label, "Picture10", "125"},
    {"voicevol", Kind::Slider, "Picture10", ""},
    {"Label19", Kind::Label, "Picture10", "Voice Volume"},
    {"Label21", Kind::Label, "Picture10", "0"},
    {"Label22", Kind::Label, "Picture10", "125"},
    {"Label10", Kind::Label, "Frame2", ""},
    {"oeffnen", Kind::Button, "client", "Öffnen"},
    {"speichern", Kind::Button, "client", "Speichern"},
    {"exitbtn", Kind::Button, "client", "Exit "},
};

bool hasKind(const QWidget* widget, Kind kind) {
    switch (kind) {
    case Kind::Frame:
        return qobject_cast<const QGroupBox*>(widget);
    case Kind::Panel:
        return widget->metaObject() == &QWidget::staticMetaObject;
    case Kind::Group:
        return qobject_cast<const ui::OptionGroup*>(widget);
    case Kind::Check:
        return qobject_cast<const ui::TriStateCheckBox*>(widget);
    case Kind::Option:
        return qobject_cast<const QRadioButton*>(widget);
    case Kind::Slider:
        return qobject_cast<const QSlider*>(widget);
    case Kind::Text:
        return qobject_cast<const ui::TextBox*>(widget);
    case Kind::Label:
        return qobject_cast<const QLabel*>(widget);
    case Kind::Button:
        return qobject_cast<const QPushButton*>(widget);
    }
    return false;
}

TEST(ControlCatalogue, EveryControlExistsWithKindParentAndDefaultCaption) {
    TestWindow w;
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(e.name);
        auto* widget = w->findChild<QWidget*>(QString::fromLatin1(e.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget, w->control(QString::fromLatin1(e.name)));
        EXPECT_TRUE(hasKind(widget, e.kind)) << widget->metaObject()->className();
        EXPECT_EQ(widget->parentWidget()->objectName(), QString::fromLatin1(e.parent));
        EXPECT_EQ(ui::caption(widget), QString::fromUtf8(e.caption));
    }
    // Nothing more than the design: every built control is expected above.
    EXPECT_EQ(ui::controlCatalogue().size(), std::size(kExpected));
    EXPECT_EQ(w->objectName(), QStringLiteral("Form1"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Quillset"));
}

TEST(ControlCatalogue, SlidersHaveTheirRangesStepsAndTicks) {
    struct Range {
        const char* name;
        int min, max, small, large, ticks;
    };
    const Range ranges[] = {
        {"ca", 0, 255, 1, 5, 51},
        {"cd", 1, 32, 1, 1, 8},
        {"cl", 1, 32, 1, 1, 8},
        {"mma", 0, 255, 1, 1, 51},
        {"dunkelheit", 0, 100, 1, 1, 51},
        {"musicvol", 0, 125, 1, 1, 25},
        {"sfxvol", 0, 125, 1, 1, 25},
        {"voicevol", 0, 125, 1, 1, 25},
        {"warninglevel", 0, 100, 1, 10, 25},
    };
    TestWindow w;
    for (const Range& r : ranges) {
        SCOPED_TRACE(r.name);
        auto* slider = w->control<QSlider>(QString::fromLatin1(r.name));
        ASSERT_NE(slider, nullptr);
        EXPECT_EQ(slider->orientation(), Qt::Horizontal);
        EXPECT_EQ(slider->minimum(), r.min);
        EXPECT_EQ(slider->maximum(), r.max);
        EXPECT_EQ(slider->singleStep(), r.small);
        EXPECT_EQ(slider->pageStep(), r.large);
        EXPECT_EQ(slider->tickInterval(), r.ticks);
        EXPECT_EQ(slider->tickPosition(), QSlider::TicksBelow);
        EXPECT_EQ(slider->value(), r.min) << "a new window shows every slider at its minimum";
        // The key catalogue clamps file values to the same range.
        const auto row = findKeyByControl(QLatin1String(r.name));
        ASSERT_TRUE(row.has_value());
        EXPECT_EQ(keyCatalogue()[*row].min, r.min);
        EXPECT_EQ(keyCatalogue()[*row].max, r.max);
    }
}

TEST(ControlCatalogue, TextBoxesHaveLengthLimitsAndTheLanguageBoxIsCentred) {
    TestWindow w;
    const std::pair<const char*, int> limits[] = {{"Text1", 3}, {"lp", 5}, {"lport", 5}};
    for (const auto& [name, limit] : limits)
        EXPECT_EQ(w->control<QLineEdit>(QString::fromLatin1(name))->maxLength(), limit) << name;
    EXPECT_TRUE(w->control<QLineEdit>(u"Text1")->alignment() & Qt::AlignHCenter);
    // The others have no limit, not even QLineEdit's default of 32,767.
    for (const char* name : {"lsa", "accname", "defplayername", "stdspn"})
        EXPECT_GT(w->control<QLineEdit>(QString::fromLatin1(name))->maxLength(), 32767) << name;
}

TEST(ControlCatalogue, LabelsShareTheTooltipOfTheControlTheyDescribe) {
    TestWindow w;
    const std::pair<const char*, const char*> pairs[] = {
        {"Label4", "Text1"},
        {"Label2", "cd"},
        {"Label3", "cl"},
        {"Label9", "accname"},
        {"Label11", "defplayername"},
        {"Label15", "stdspn"},
        {"Label8", "lp"},
        {"Label13", "lport"},
        {"Label12", "warninglevel"},
        {"Label5", "mma"},
        {"Label16", "dunkelheit"},
    };
    for (const auto& [label, target] : pairs) {
        const QString tip = w->control(QString::fromLatin1(label))->toolTip();
        EXPECT_FALSE(tip.isEmpty()) << label;
        EXPECT_EQ(tip, w->control(QString::fromLatin1(target))->toolTip()) << label;
    }
    EXPECT_EQ(w->control(u"Label27")->toolTip(), QStringLiteral("Keine Transparenz"));
    EXPECT_EQ(w->control(u"fsa")->toolTip().count(QLatin1Char('"')), 2);
    for (const char* none : {"fullsc", "compatvideo", "sound", "Option1", "lsa", "musicvol"})
        EXPECT_TRUE(w->control(QString::fromLatin1(none))->toolTip().isEmpty()) << none;
}

// Each key is edited by a control of the kind its values need; an option
// group's buttons stand for the digits of its key.
TEST(ControlCatalogue, EveryKeyIsBoundToAControlOfItsKind) {
    const std::pair<KeyKind, Kind> kinds[] = {
        {KeyKind::Flag, Kind::Check},    {KeyKind::WaitRetrace, Kind::Check},
        {KeyKind::Number, Kind::Slider}, {KeyKind::Text, Kind::Text},
        {KeyKind::Choice, Kind::Group},
    };
    TestWindow w;
    ui::ControlMap controls;
    for (QWidget* control : w->centralWidget()->findChildren<QWidget*>())
        controls.insert(control->objectName(), control);
    for (int row = 0; row < kKeyCount; ++row) {
        const KeyDef& def = keyCatalogue()[row];
        SCOPED_TRACE(def.key);
        QWidget* control = ui::boundControl(controls, row);
        const auto kind = std::ranges::find(kinds, def.kind, &std::pair<KeyKind, Kind>::first);
        if (kind == std::end(kinds)) {
            EXPECT_EQ(control, nullptr) << "a held value";
            continue;
        }
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(hasKind(control, kind->second)) << control->metaObject()->className();
        if (def.kind != KeyKind::Choice)
            continue;
        EXPECT_EQ(ui::controlValue(control).toInt(), SettingsModel::kNoChoice)
            << "every button starts off";
        EXPECT_EQ(control->findChildren<QRadioButton*>().size(), def.buttonCount);
        for (const ChoiceButton& choice : def.choices()) {
            auto* button = w->control<QRadioButton>(QString::fromLatin1(choice.control));
            ASSERT_NE(button, nullptr) << choice.control;
            EXPECT_EQ(button->parentWidget(), control) << choice.control;
            button->click();
            EXPECT_EQ(ui::controlValue(control).toInt(), choice.digit - '0') << choice.control;
        }
        // One button on at a time.
        const QList<QRadioButton*> buttons = control->findChildren<QRadioButton*>();
        EXPECT_EQ(std::ranges::count_if(buttons, &QRadioButton::isChecked), 1);
    }
}

TEST(ControlCatalogue, MenusAndTheirItems) {
    struct Item {
        const char* name;
        const char* menu;
        const char* caption;
        bool checkMark;
    };
    const Item items[] = {
        {"mopen", "mfile", "Öffnen", false},
        {"mSave", "mfile", "Speichern", false},
        {"mquit", "mfile", "Beenden", false},
        {"mcreate_standard_cfg", "moptions", "Standardeinstellungen", false},
        {"mcreate_backup", "moptions", "Backup erstellen", false},
        {"maccmanage", "moptions", "Account Management", false},
        {"use_xp_style", "moptions", "XP-Style verwenden", true},
        {"madvanced", "moptions", "Erweitert", true},
        {"mabout", "mhelp", "Über...", false},
    };
    TestWindow w;
    QStringList menuTitles;
    for (QAction* top : w->menuBar()->actions())
        menuTitles << top->menu()->objectName() + QLatin1Char('=') + top->text();
    EXPECT_EQ(menuTitles,
              (QStringList{QStringLiteral("mfile=Datei"), QStringLiteral("moptions=Optionen"),
                           QStringLiteral("mhelp=Hilfe")}));
    for (const Item& item : items) {
        SCOPED_TRACE(item.name);
        auto* action = w->findChild<QAction*>(QString::fromLatin1(item.name));
        ASSERT_NE(action, nullptr);
        QMenu* menu = w->findChild<QMenu*>(QString::fromLatin1(item.menu));
        ASSERT_NE(menu, nullptr);
        EXPECT_TRUE(menu->actions().contains(action));
        EXPECT_EQ(action->text(), QString::fromUtf8(item.caption));
        EXPECT_EQ(action->isCheckable(), item.checkMark);
        // Both check-mark items carry their mark in the design.
        EXPECT_EQ(action->isChecked(), item.checkMark);
    }
}

TEST(ControlCatalogue, EveryLanguageTextFindsItsControl) {
    TestWindow w;
    for (const LanguageTextRow& row : languageTextRows()) {
        if (row.window != kOptionsWindowName)
            continue;
        const QString name = QString::fromLatin1(row.control.data(), qsizetype(row.control.size()));
        const bool found = w->control(name) || w->menu(name) || w->menuItem(name);
        EXPECT_TRUE(found) << name.toStdString();
    }
}

TEST(ControlCatalogue, WindowIsTheDesignedClientAreaAtFifteenTwipsPerPixel) {
    TestWindow w;
    const ui::TwipScale scale = ui::TwipScale::forWidget(w.window.get());
    EXPECT_EQ(w->centralWidget()->size(),
              QSize(scale.pixels(ui::kClientWidthTwips), scale.pixels(ui::kClientHeightTwips)));
    EXPECT_EQ(ui::TwipScale(96).pixels(10305), 687);
    EXPECT_EQ(ui::TwipScale(144).pixels(10305), 1031);
    // Placement comes from the catalogue: the Save button at 7320, 840 twips.
    EXPECT_EQ(w->control(u"speichern")->geometry(),
              ui::TwipScale(w->logicalDpiX()).rect({7320, 840, 1335, 375}));
}

// Controls never overlap their neighbours (the rounding of twips to pixels
// may let edges touch), and each lies inside its parent.
TEST(ControlCatalogue, ControlsLieInsideTheirParentsWithoutOverlapping) {
    TestWindow w;
    QHash<QWidget*, QList<QWidget*>> byParent;
    for (const Expected& e : kExpected) {
        QWidget* widget = w->control(QString::fromLatin1(e.name));
        byParent[widget->parentWidget()].append(widget);
        EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry())) << e.name;
    }
    for (const QList<QWidget*>& siblings : byParent) {
        for (qsizetype i = 0; i < siblings.size(); ++i) {
            for (qsizetype j = i + 1; j < siblings.size(); ++j) {
                const QRect a = siblings[i]->geometry().adjusted(1, 1, -1, -1);
                EXPECT_FALSE(a.intersects(siblings[j]->geometry()))
                    << siblings[i]->objectName().toStdString() << " / "
                    << siblings[j]->objectName().toStdString();
            }
        }
    }
}

// Every caption must be readable whole: German defaults and both shipped
// language files, in the window's own font.
void expectTextsFit(ui::OptionsWindow& window, const std::string& what) {
    for (QWidget* widget : window.centralWidget()->findChildren<QWidget*>()) {
        const std::string name = what + ": " + widget->objectName().toStdString();
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (label->text().isEmpty())
                continue;
            if (label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height()) << name;
                // No single word may be wider than the label.
                for (const QString& word :
                     label->text().split(QRegularExpression(QStringLiteral("\\s+"))))
                    EXPECT_LE(label->fontMetrics().horizontalAdvance(word), label->width()) << name;
            } else {
                EXPECT_LE(label->sizeHint().width(), label->width()) << name;
                EXPECT_LE(
                    label->fontMetrics().boundingRect(label->rect(), 0, label->text()).height(),
                    label->height())
                    << name;
            }
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            EXPECT_LE(button->sizeHint().width(), button->width()) << name;
        } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
            const QFontMetrics metrics(frame->font());
            EXPECT_LE(metrics.horizontalAdvance(frame->title()) + 2 * metrics.averageCharWidth() +
                          4,
                      frame->width())
                << name;
        }
    }
}

TEST(ControlCatalogue, DefaultTextsFitTheirControls) {
    TestWindow w;
    ui::setCaption(
        w->control(u"Label10"),
        QStringLiteral("Korrin Quillset\rSettings editor made by the Quillset developers"));
    expectTextsFit(*w.window, "defaults");
}

TEST(ControlCatalogue, ShippedLanguageTextsFitTheirControls) {
    for (const char* file : {"language.de.lng", "language.en.lng"}) {
        const QString path =
            QStringLiteral(QUILLSET_SOURCE_DIR "/resources/lang/") + QLatin1String(file);
        const std::optional<LanguageLoad> load = loadLanguageFile(path);
        ASSERT_TRUE(load.has_value()) << file;
        TestWindow w;
        w->showTexts(load->texts);
        // The file did replace the design texts.
        EXPECT_FALSE(w->control(u"Frame1")->property("title").toString().isEmpty());
        expectTextsFit(*w.window, file);
        for (QMenu* menu : w->findChildren<QMenu*>()) {
            EXPECT_FALSE(menu->title().isEmpty()) << file;
        }
    }
}

} // namespace
} // namespace quillset::test
