#pragma once
// The Options window's controls as one table: every frame, panel, control
// and label with its object name, kind, parent, German default texts and
// placement in twips, each settings control with the key it edits, and the
// helpers that write its rows. Only control_catalogue.cpp includes it; the
// rest of the program reaches the table through control_catalogue.h.

#include "settings/key_catalogue.h"
#include "ui/control_catalogue.h"

namespace quillset::ui::control_rows {

using K = ControlKind;

// Rows of check boxes and option buttons are 240 twips apart; single-line
// labels and sliders are 255 high, text boxes 285.
constexpr int kRowHeight = 240;
constexpr int kLineHeight = 255;
constexpr int kTwoLineHeight = 495;
constexpr int kTextBoxHeight = 285;

constexpr ControlDef frame(std::string_view name, std::string_view parent, std::string_view caption,
                           TwipRect rect) {
    return {.name = name, .kind = K::Frame, .parent = parent, .caption = caption, .rect = rect};
}

constexpr ControlDef panel(std::string_view name, std::string_view parent, TwipRect rect) {
    return {.name = name, .kind = K::Panel, .parent = parent, .rect = rect};
}

// Each settings control names the key it edits, checked while compiling.

// A panel whose option buttons are one settings control; each button names
// the digit it stands for.
consteval ControlDef optionGroup(std::string_view name, const char* key, std::string_view parent,
                                 TwipRect rect) {
    return {.name = name, .kind = K::OptionGroup, .parent = parent, .rect = rect, .key = rowOf(key)};
}

consteval ControlDef check(std::string_view name, const char* key, std::string_view parent,
                           std::string_view caption, std::string_view tip, int left, int top,
                           int width) {
    return {.name = name,
            .kind = K::CheckBox,
            .parent = parent,
            .caption = caption,
            .toolTip = tip,
            .rect = {left, top, width, kRowHeight},
            .key = rowOf(key)};
}

constexpr ControlDef option(std::string_view name, char digit, std::string_view parent,
                            std::string_view caption, int top) {
    return {.name = name,
            .kind = K::OptionButton,
            .parent = parent,
            .caption = caption,
            .rect = {0, top, 1575, kRowHeight},
            .digit = digit};
}

consteval ControlDef slider(std::string_view name, const char* key, std::string_view parent,
                            std::string_view tip, int left, int top, int width, SliderSteps steps) {
    return {.name = name,
            .kind = K::Slider,
            .parent = parent,
            .toolTip = tip,
            .rect = {left, top, width, kLineHeight},
            .slider = steps,
            .key = rowOf(key)};
}

consteval ControlDef textBox(std::string_view name, const char* key, std::string_view parent,
                             std::string_view tip, TwipRect rect) {
    return {.name = name,
            .kind = K::TextBox,
            .parent = parent,
            .toolTip = tip,
            .rect = rect,
            .key = rowOf(key)};
}

// `buddy`: the slider or text box beside the label that the label names, for
// screen readers and the label's shortcut.
constexpr ControlDef label(std::string_view name, std::string_view parent, std::string_view caption,
                           std::string_view tip, TwipRect rect, std::string_view buddy = {}) {
    return {.name = name,
            .kind = K::Label,
            .parent = parent,
            .caption = caption,
            .toolTip = tip,
            .buddy = buddy,
            .rect = rect};
}

// A label two lines high, text centred and wrapped.
constexpr ControlDef twoLineLabel(std::string_view name, std::string_view parent,
                                  std::string_view caption, std::string_view tip, int left, int top,
                                  int width, bool centred, std::string_view buddy = {}) {
    return {.name = name,
            .kind = K::Label,
            .parent = parent,
            .caption = caption,
            .toolTip = tip,
            .buddy = buddy,
            .rect = {left, top, width, kTwoLineHeight},
            .centred = centred,
            .wordWrap = true};
}

constexpr ControlDef scale(std::string_view name, std::string_view parent, std::string_view caption,
                           int left, int top, int width, std::string_view tip = {}) {
    return {.name = name,
            .kind = K::ScaleLabel,
            .parent = parent,
            .caption = caption,
            .toolTip = tip,
            .rect = {left, top, width, kLineHeight}};
}

constexpr ControlDef button(std::string_view name, std::string_view caption, int left, int top) {
    return {
        .name = name, .kind = K::CommandButton, .caption = caption, .rect = {left, top, 1335, 375}};
}

// clang-format off
// Tooltips shared by a control and the label beside it.
constexpr std::string_view kLanguageTip =
    "Ändert die Sprache im Spiel - !! Nur ändern, wenn NICHT DE drinsteht !!";
constexpr std::string_view kChatDelayTip =
    "Gibt an, wie lange eine Chat-Zeile angezeigt wird (in Sekunden).";
constexpr std::string_view kChatLinesTip = "Anzahl der Zeilen, die im MP-Chat angezeigt werden";
constexpr std::string_view kAccountTip = "Accountname zum Einloggen im Closed/Open";
constexpr std::string_view kPlayerTip = "Standard Charaktername für neue Charaktere";
constexpr std::string_view kSessionTip = "Standard Spielname für selbst erstellte Spiele";
constexpr std::string_view kLobbyPortTip = "Gibt den Port der Lobby an, sollte immer 7065 sein!";
constexpr std::string_view kListenPortTip =
    "Listenport für MP-Spiele. 2005 als Standard eingestellt. (Achtung, nur für Advanced "
    "Users, sollte nicht geändert werden!)";
constexpr std::string_view kWarningTip =
    "Warnung, wenn Lebensenergie < x % (durch roten, aufleuchtenden Kreis oben rechts)";
constexpr std::string_view kMinimapTip =
    "Entspricht dem Optionsmenüpunkt Transparenz der Minimap.";
constexpr std::string_view kDarknessTip = "Helligkeit der Nacht";

constexpr SliderSteps kChatAlpha{1, 5, 51};
constexpr SliderSteps kChatCount{1, 1, 8};
constexpr SliderSteps kAlpha{1, 1, 51};
constexpr SliderSteps kDarkness{1, 1, 51};
constexpr SliderSteps kVolume{1, 1, 25};
constexpr SliderSteps kWarning{1, 10, 25};

constexpr ControlDef kControls[] = {
    // The two halves of the window.
    frame("Frame1", "",
          "Nicht unterstützte Einstellungen - Ändert nur etwas, wenn ihr wißt, was ihr macht!",
          {120, 120, 7095, 1095}),
    frame("Frame2", "", "Unterstützte Einstellungen", {120, 1320, 10095, 6255}),
    frame("Frame7", "Frame2", "Grafikoptionen", {2640, 240, 2295, 1455}),
    frame("Frame6", "Frame2", "Netzwerk", {120, 1800, 4815, 2055}),
    frame("Frame3", "Frame2", "Chat Optionen", {120, 240, 2415, 1455}),
    frame("Frame11", "Frame2", "Allgemeine Einstellungen", {120, 3960, 4815, 2175}),
    frame("Frame4", "Frame2", "In game Optionen ( Taste O )", {5040, 240, 4935, 5295}),
    frame("Frame5", "Frame4", "Detail Level", {120, 240, 1815, 1095}),
    frame("Frame8", "Frame4", "Speedsetting", {120, 1440, 1815, 855}),
    frame("Frame9", "Frame4", "Einsammeln", {120, 3600, 1815, 1095}),
    frame("Frame10", "Frame4", "Sound Quality", {120, 2400, 1815, 1095}),
    frame("Frame12", "Frame4", "Sound", {2040, 240, 2655, 2295}),

    // Each panel fills its frame below the caption.
    panel("Picture1", "Frame1", {1200, 240, 5775, 735}),
    panel("Picture2", "Frame7", {120, 240, 2055, 1095}),
    panel("Picture3", "Frame3", {120, 240, 2175, 1095}),
    panel("Picture4", "Frame6", {120, 240, 4575, 1755}),
    panel("Picture5", "Frame11", {120, 240, 4575, 1815}),
    optionGroup("Picture6", "DETAILLEVEL", "Frame5", {120, 240, 1575, 735}),
    optionGroup("Picture7", "NETWORK_SPEEDSETTINGS", "Frame8", {120, 240, 1575, 495}),
    optionGroup("Picture8", "SOUNDQUALITY", "Frame10", {120, 240, 1575, 735}),
    optionGroup("Picture9", "PICKUPAUTO", "Frame9", {120, 240, 1575, 735}),
    panel("Picture10", "Frame12", {120, 240, 2415, 1935}),
    panel("Picture11", "Frame4", {2040, 2640, 2775, 2535}),

    // Unsupported settings: three columns of check boxes and the language box.
    check("shheroinf", "SHOW_HEROINFO", "Picture1", "Charakterdetails",
          "Charakternamen ohne ALT anzeigen", 0, 0, 1695),
    check("posinfo", "SHOWPOTIONS", "Picture1", "Tränkeleiste",
          "Anzeigen der Tränkeleiste über der Tageszeitanzeige", 0, 240, 1695),
    check("tskicons", "TASKBAR_ICONS", "Picture1", "Taskbar Icons",
          "Damage-Icons in den Waffenslots anzeigen?", 0, 480, 1695),
    check("logging", "LOGGING", "Picture1", "Logging", "Logdateien erstellen?", 1800, 0, 1425),
    check("uncol", "UNIQUE_COLOR", "Picture1", "Unique Color",
          "Alternatives Farbsystem (vor Version 1.7 genutzt)", 1800, 240, 1425),
    check("compatvideo", "COMPAT_VIDEO", "Picture1", "Videokompatibilitätsmodus", "", 3240, 0,
          2535),
    check("sheni", "SHOW_ENEMYINFO", "Picture1", "Gegnerdetails", "Gegner-Infos anzeigen", 3240,
          240, 2535),
    check("combslots", "COMBINE_SLOTS", "Picture1", "Slots kombinieren",
          "Waffen- und Spellslots kombinieren (wenn 1. Waffenslot gewählt, automatisch 1. "
          "Spellslot wählen etc)",
          3240, 480, 2535),
    {.name = "Text1", .kind = K::TextBox, .parent = "Frame1", .toolTip = kLanguageTip,
     .rect = {480, 360, 495, kTextBoxHeight}, .centred = true, .key = rowOf("LANGUAGE")},
    {.name = "Label4", .kind = K::Label, .parent = "Frame1", .caption = "Sprache",
     .toolTip = kLanguageTip, .buddy = "Text1", .rect = {180, 720, 1000, kLineHeight},
     .centred = true},

    // Chat options.
    slider("ca", "CHAT_ALPHA", "Picture3", "Transparenz der Chat-Zeilen.", 0, 120, 975, kChatAlpha),
    twoLineLabel("Label1", "Picture3", "Chat Transparenz", "Transparenz der Chatzeilen.", 960, 0,
                 1215, true, "ca"),
    slider("cd", "CHAT_DELAY", "Picture3", kChatDelayTip, 0, 480, 975, kChatCount),
    label("Label2", "Picture3", "Chat Delay", kChatDelayTip, {1080, 480, 1095, kLineHeight}, "cd"),
    slider("cl", "CHAT_LINES", "Picture3", kChatLinesTip, 0, 840, 975, kChatCount),
    label("Label3", "Picture3", "Chatzeilen", kChatLinesTip, {1080, 840, 1095, kLineHeight}, "cl"),

    // Graphics options.
    check("fbs", "FORCE_BLACK_SHADOW", "Picture2", "Schwarze Schatten",
          "Schwarze Schatten (erhöht die Performance)", 0, 0, 2055),
    check("fullsc", "FULLSCREEN", "Picture2", "Vollbildmodus", "", 0, 240, 2055),
    check("textd", "GFX32", "Picture2", "32 / 16 Bit Texturen",
          "16 oder 32 Bit Texturen  (besser aussehend, aber auf einigen Systemen "
          "performancelastiger)?",
          0, 480, 2055),
    check("waitretrace", "WAITRETRACE", "Picture2", "Waitretrace",
          "Vsync im Spiel? !! KANN ZU INSTABILITÄTEN FÜHREN !!", 0, 840, 2055),

    // Network: text boxes on the left, each with its label to the right.
    textBox("lsa", "NETWORK_LOBBY", "Picture4", "", {0, 0, 2655, kTextBoxHeight}),
    label("Label7", "Picture4", "Lobby Server Adresse", "", {2880, 15, 1695, kLineHeight}, "lsa"),
    textBox("accname", "NETWORK_LOBBYLOGIN", "Picture4", kAccountTip,
            {0, 360, 2655, kTextBoxHeight}),
    label("Label9", "Picture4", "Account Name", kAccountTip, {2880, 375, 1695, kLineHeight},
          "accname"),
    textBox("defplayername", "NETWORK_PLAYER", "Picture4", kPlayerTip,
            {0, 720, 2655, kTextBoxHeight}),
    label("Label11", "Picture4", "Standard Spielername", kPlayerTip, {2880, 720, 1695, kLineHeight},
          "defplayername"),
    textBox("stdspn", "NETWORK_SESSION", "Picture4", kSessionTip, {0, 1065, 2655, kTextBoxHeight}),
    label("Label15", "Picture4", "Standard Spielname", kSessionTip, {2880, 1080, 1695, kLineHeight},
          "stdspn"),
    textBox("lp", "NETWORK_LOBBYPORT", "Picture4", kLobbyPortTip, {0, 1440, 615, kTextBoxHeight}),
    label("Label8", "Picture4", "Lobby Port", kLobbyPortTip, {720, 1455, 1215, kLineHeight}, "lp"),
    textBox("lport", "NETWORK_PORT_LISTEN", "Picture4", kListenPortTip,
            {2040, 1425, 615, kTextBoxHeight}),
    label("Label13", "Picture4", "Listen Port", kListenPortTip, {2880, 1440, 1695, kLineHeight},
          "lport"),

    // General settings: two columns of check boxes, then the warning level.
    check("quake", "SCREEN_QUAKE", "Picture5", "Erdbeben",
          "Bildschirmrütteln (z.B. beim Spruch Meteor)", 0, 0, 2055),
    check("shmov", "SHOWMOVIE", "Picture5", "Filme abspielen", "", 0, 240, 2055),
    check("laddexp", "LADDER_EXPORT", "Picture5", "Ladder Export",
          "Sollen die Charakter in der Ladder angezeigt werden?", 0, 480, 2055),
    check("shextro", "SHOWEXTRO", "Picture5", "Extro abspielen", "", 0, 720, 2055),
    check("defskills", "DEFAULT_SKILLS", "Picture5", "Default Skills",
          "Setzt die Anfangsskills eines neuen Charakters (1 = an, 0 = aus). Standard ist 1.", 0,
          960, 2055),
    check("logf", "LOG", "Picture5", "Programmlogdateien", "Soll die debug.log erstellt werden?",
          2160, 0, 2415),
    check("netlogf", "NETLOG", "Picture5", "Netzwerklogdateien",
          "Soll die korrin_network.log erstellt werden?", 2160, 240, 2415),
    check("hidekey", "NETWORK_CDKEY_HIDE", "Picture5", "CD-Key verstecken",
          "Z. B. für Internet-Cafés o.Ä.: CD-Key wird im Spiel nicht angezeigt, es erscheinen nur "
          "Sternchen im Login-Menü.",
          2160, 480, 2415),
    check("asa", "AUTOSAVE", "Picture5", "Autosave", "Kampagne Autosave an oder aus?", 2160, 720,
          2415),
    check("ate", "AUTOTRACKENEMY", "Picture5", "Autotrackenemy", "Gegner folgen bei Kampfcursor",
          2160, 960, 2415),
    label("Label12", "Picture5", "Warning Level", kWarningTip, {0, 1320, 1155, kLineHeight},
          "warninglevel"),
    slider("warninglevel", "WARNING_LEVEL", "Picture5", kWarningTip, 1200, 1320, 3015, kWarning),
    scale("Label14", "Picture5", "0 %", 1200, 1560, 495),
    scale("Label20", "Picture5", "50 %", 2520, 1560, 495),
    scale("Label17", "Picture5", "100 %", 3960, 1560, 615),

    // In-game options: check boxes, minimap alpha and darkness.
    check("expmap", "EXPLOREMAP", "Picture11", "Übersichtskarte erkunden",
          "Schwarze Karte (mit Kriegsnebel) oder Transparenz ?", 0, 0, 2775),
    check("zaa", "FONTAA", "Picture11", "Font Transparenz",
          "Aktiviertes Font Antialiasing sorgt für glattere Schriften (auf Kosten der "
          "Performance)",
          0, 240, 2775),
    check("fontfilt", "FONTFILTER", "Picture11", "Font filtering", "", 0, 480, 2775),
    check("fsa", "FSAA_FILTER", "Picture11", "Full Scene Anti-Aliasing",
          "Bei aktiviertem FSAA wird eine \"Treppchenbildung\" bei nah herangezoomten Charakteren "
          "verhindert - auf Kosten von bis zu 20 % Systemleistung",
          0, 720, 2775),
    check("atmo", "PICKUPANIM", "Picture11", "Atmosphärische Animationen", "", 0, 960, 2775),
    check("vio", "VIOLENCE", "Picture11", "Gewaltdarstellung", "", 0, 1200, 2775),
    slider("mma", "MINIMAP_ALPHA", "Picture11", kMinimapTip, 0, 1560, 1335, kAlpha),
    twoLineLabel("Label5", "Picture11", "Minimap Alpha", kMinimapTip, 1440, 1500, 1335, false,
                 "mma"),
    scale("Label27", "Picture11", "0", 0, 1800, 360, "Keine Transparenz"),
    scale("Label28", "Picture11", "255", 1080, 1800, 360, "Durchsichtig"),
    slider("dunkelheit", "NIGHT_DARKNESS", "Picture11", kDarknessTip, 0, 2040, 1335, kDarkness),
    label("Label16", "Picture11", "Dunkelheit", kDarknessTip, {1440, 2040, 1335, kLineHeight},
          "dunkelheit"),
    scale("Label29", "Picture11", "0 ", 0, 2280, 360),
    scale("Label30", "Picture11", "100", 1080, 2280, 360),

    // Option groups: each panel's buttons.
    option("Option1", '2', "Picture6", "High", 0),
    option("Option2", '1', "Picture6", "Medium", 240),
    option("Option3", '0', "Picture6", "Low", 480),
    option("modem", '1', "Picture7", "Modem / ISDN", 0),
    option("dsl", '2', "Picture7", "DSL", 240),
    option("Option4", '2', "Picture8", "3D-all Effects", 0),
    option("Option5", '1', "Picture8", "2D-all Effects", 240),
    option("Option6", '0', "Picture8", "2D-low Effects", 480),
    option("all", '0', "Picture9", "Alles", 0),
    option("goldunis", '1', "Picture9", "Gold / Uniques", 240),
    option("gold", '2', "Picture9", "Gold", 480),

    // Sound: the switch and three volume sliders with their scales.
    check("sound", "SOUND", "Picture10", "Sound on / off", "", 360, 0, 2055),
    slider("musicvol", "MUSICVOLUME", "Picture10", "", 0, 480, 1215, kVolume),
    label("Label6", "Picture10", "Music Volume", "", {1320, 480, 1095, kLineHeight}, "musicvol"),
    scale("Label25", "Picture10", "0", 0, 720, 345),
    scale("Label26", "Picture10", "125", 960, 720, 345),
    slider("sfxvol", "SFXVOLUME", "Picture10", "", 0, 960, 1215, kVolume),
    label("Label18", "Picture10", "SFX Volume", "", {1320, 960, 1095, kLineHeight}, "sfxvol"),
    scale("Label23", "Picture10", "0", 0, 1200, 345),
    scale("Label24", "Picture10", "125", 960, 1200, 345),
    slider("voicevol", "VOICEVOLUME", "Picture10", "", 0, 1440, 1215, kVolume),
    label("Label19", "Picture10", "Voice Volume", "", {1320, 1440, 1095, kLineHeight}, "voicevol"),
    scale("Label21", "Picture10", "0", 0, 1680, 345),
    scale("Label22", "Picture10", "125", 960, 1680, 345),

    // The heading under the in-game options; start-up writes its two lines.
    twoLineLabel("Label10", "Frame2", "", "", 5160, 5640, 4815, false),

    button("oeffnen", "Öffnen", 7320, 240),
    button("speichern", "Speichern", 7320, 840),
    button("exitbtn", "Exit ", 8880, 840),
};
// clang-format on

} // namespace quillset::ui::control_rows
