#include "lang/language_catalogue.h"

#include <algorithm>
#include <array>

namespace quillset {

namespace {

// clang-format off
constexpr std::array<std::string_view, 16> kSections = {
    "Captions",      "Messages",        "GUI",           "Unsupportet",
    "Chatoptions",   "Displayoptions",  "Network",       "Miscsettings",
    "Ingameoptions", "Detaillevel",     "Speedsetting",  "Soundquality",
    "Collect",       "Sound",           "Menu",          "Accountmanagement",
};

constexpr std::string_view F1 = kOptionsWindowName;
constexpr std::string_view F2 = kAccountWindowName;
constexpr std::string_view None;
constexpr TextProperty Cap = TextProperty::Caption;
constexpr TextProperty Tip = TextProperty::ToolTip;
constexpr bool Keep = true;
constexpr bool Show = false;

// A kept [Messages] entry added later.
constexpr LanguageTextRow later(int entry) {
    return {"Messages", entry, None, None, -1, Cap, Keep, "", true};
}

// Entries the file has but nothing reads ([Messages] 8, [Unsupportet] 13 and
// 14) have no row. The menu item use_xp_style has none either: its caption
// is the program's own and never translated.
constexpr LanguageTextRow kRows[] = {
    // section            entry window control         index prop  kept  suffix
    {"Captions",              1, F1,   "speichern",       -1, Cap, Keep, ""},
    {"Captions",              1, F2,   "Command1",        -1, Cap, Show, ""},
    {"Captions",              2, F1,   "oeffnen",         -1, Cap, Keep, ""},
    // The exit caption always ends in one blank, and the exit question's
    // title is kept in that same form.
    {"Captions",              3, F1,   "exitbtn",         -1, Cap, Keep, " "},
    {"Captions",              3, F2,   "Command2",        -1, Cap, Show, " "},
    {"Captions",              4, None, None,              -1, Cap, Keep, ""},
    {"Captions",              5, None, None,              -1, Cap, Keep, ""},

    {"Messages",              1, None, None,              -1, Cap, Keep, ""},
    {"Messages",              2, None, None,              -1, Cap, Keep, ""},
    {"Messages",              3, None, None,              -1, Cap, Keep, ""},
    {"Messages",              4, None, None,              -1, Cap, Keep, ""},
    {"Messages",              5, None, None,              -1, Cap, Keep, ""},
    {"Messages",              6, None, None,              -1, Cap, Keep, ""},
    {"Messages",              7, None, None,              -1, Cap, Keep, ""},
    {"Messages",              9, None, None,              -1, Cap, Keep, ""},
    later(10), later(11), later(12), later(13), later(14), later(15), later(16), later(17),
    later(18), later(19), later(20), later(21), later(22), later(23), later(24), later(25),
    later(26),

    {"GUI",                   1, F1,   "Frame1",          -1, Cap, Show, ""},
    {"GUI",                   2, F1,   "Frame2",          -1, Cap, Show, ""},
    {"GUI",                   3, F1,   "Frame7",          -1, Cap, Show, ""},
    {"GUI",                   4, F1,   "Frame6",          -1, Cap, Show, ""},
    {"GUI",                   5, F1,   "Frame3",          -1, Cap, Show, ""},
    {"GUI",                   6, F1,   "Frame11",         -1, Cap, Show, ""},
    {"GUI",                   7, F1,   "Frame4",          -1, Cap, Show, ""},
    {"GUI",                   8, F1,   "Frame5",          -1, Cap, Show, ""},
    {"GUI",                   9, F1,   "Frame8",          -1, Cap, Show, ""},
    {"GUI",                  10, F1,   "Frame9",          -1, Cap, Show, ""},
    {"GUI",                  11, F1,   "Frame10",         -1, Cap, Show, ""},
    {"GUI",                  12, F1,   "Frame12",         -1, Cap, Show, ""},
    {"GUI",                  13, F2,   "Frame1",           1, Cap, Show, ""},
    {"GUI",                  14, None, None,              -1, Cap, Keep, ""},
    {"GUI",                  15, None, None,              -1, Cap, Keep, ""},

    {"Unsupportet",           1, F1,   "Label4",          -1, Cap, Show, ""},
    {"Unsupportet",           2, F1,   "Label4",          -1, Tip, Show, ""},
    {"Unsupportet",           2, F1,   "Text1",           -1, Tip, Show, ""},
    {"Unsupportet",           3, F1,   "shheroinf",       -1, Cap, Show, ""},
    {"Unsupportet",           4, F1,   "shheroinf",       -1, Tip, Show, ""},
    {"Unsupportet",           5, F1,   "posinfo",         -1, Cap, Show, ""},
    {"Unsupportet",           6, F1,   "posinfo",         -1, Tip, Show, ""},
    {"Unsupportet",           7, F1,   "tskicons",        -1, Cap, Show, ""},
    {"Unsupportet",           8, F1,   "tskicons",        -1, Tip, Show, ""},
    {"Unsupportet",           9, F1,   "logging",         -1, Cap, Show, ""},
    {"Unsupportet",          10, F1,   "logging",         -1, Tip, Show, ""},
    {"Unsupportet",          11, F1,   "uncol",           -1, Cap, Show, ""},
    {"Unsupportet",          12, F1,   "uncol",           -1, Tip, Show, ""},
    {"Unsupportet",          15, F1,   "compatvideo",     -1, Cap, Show, ""},
    {"Unsupportet",          16, F1,   "compatvideo",     -1, Tip, Show, ""},
    {"Unsupportet",          17, F1,   "sheni",           -1, Cap, Show, ""},
    {"Unsupportet",          18, F1,   "sheni",           -1, Tip, Show, ""},
    {"Unsupportet",          19, F1,   "combslots",       -1, Cap, Show, ""},
    {"Unsupportet",          20, F1,   "combslots",       -1, Tip, Show, ""},

    // A label's tooltip is also the tooltip of the slider or box it names.
    {"Chatoptions",           1, F1,   "Label1",          -1, Cap, Show, ""},
    {"Chatoptions",           2, F1,   "Label1",          -1, Tip, Show, ""},
    {"Chatoptions",           2, F1,   "ca",              -1, Tip, Show, ""},
    {"Chatoptions",           3, F1,   "Label2",          -1, Cap, Show, ""},
    {"Chatoptions",           4, F1,   "Label2",          -1, Tip, Show, ""},
    {"Chatoptions",           4, F1,   "cd",              -1, Tip, Show, ""},
    {"Chatoptions",           5, F1,   "Label3",          -1, Cap, Show, ""},
    {"Chatoptions",           6, F1,   "Label3",          -1, Tip, Show, ""},
    {"Chatoptions",           6, F1,   "cl",              -1, Tip, Show, ""},

    {"Displayoptions",        1, F1,   "fbs",             -1, Cap, Show, ""},
    {"Displayoptions",        2, F1,   "fbs",             -1, Tip, Show, ""},
    {"Displayoptions",        3, F1,   "fullsc",          -1, Cap, Show, ""},
    {"Displayoptions",        4, F1,   "fullsc",          -1, Tip, Show, ""},
    {"Displayoptions",        5, F1,   "textd",           -1, Cap, Show, ""},
    {"Displayoptions",        6, F1,   "textd",           -1, Tip, Show, ""},
    {"Displayoptions",        7, F1,   "waitretrace",     -1, Cap, Show, ""},
    {"Displayoptions",        8, F1,   "waitretrace",     -1, Tip, Show, ""},

    {"Network",               1, F1,   "Label7",          -1, Cap, Show, ""},
    {"Network",               2, F1,   "Label7",          -1, Tip, Show, ""},
    {"Network",               2, F1,   "lsa",             -1, Tip, Show, ""},
    {"Network",               3, F1,   "Label9",          -1, Cap, Show, ""},
    {"Network",               4, F1,   "Label9",          -1, Tip, Show, ""},
    {"Network",               4, F1,   "accname",         -1, Tip, Show, ""},
    {"Network",               5, F1,   "Label11",         -1, Cap, Show, ""},
    {"Network",               6, F1,   "Label11",         -1, Tip, Show, ""},
    {"Network",               6, F1,   "defplayername",   -1, Tip, Show, ""},
    {"Network",               7, F1,   "Label15",         -1, Cap, Show, ""},
    {"Network",               8, F1,   "Label15",         -1, Tip, Show, ""},
    {"Network",               8, F1,   "stdspn",          -1, Tip, Show, ""},
    {"Network",               9, F1,   "Label8",          -1, Cap, Show, ""},
    {"Network",              10, F1,   "Label8",          -1, Tip, Show, ""},
    {"Network",              10, F1,   "lp",              -1, Tip, Show, ""},
    {"Network",              11, F1,   "Label13",         -1, Cap, Show, ""},
    {"Network",              12, F1,   "Label13",         -1, Tip, Show, ""},
    {"Network",              12, F1,   "lport",           -1, Tip, Show, ""},

    {"Miscsettings",          1, F1,   "quake",           -1, Cap, Show, ""},
    {"Miscsettings",          2, F1,   "quake",           -1, Tip, Show, ""},
    {"Miscsettings",          3, F1,   "shmov",           -1, Cap, Show, ""},
    {"Miscsettings",          4, F1,   "shmov",           -1, Tip, Show, ""},
    {"Miscsettings",          5, F1,   "laddexp",         -1, Cap, Show, ""},
    {"Miscsettings",          6, F1,   "laddexp",         -1, Tip, Show, ""},
    {"Miscsettings",          7, F1,   "shextro",         -1, Cap, Show, ""},
    {"Miscsettings",          8, F1,   "shextro",         -1, Tip, Show, ""},
    {"Miscsettings",          9, F1,   "defskills",       -1, Cap, Show, ""},
    {"Miscsettings",         10, F1,   "defskills",       -1, Tip, Show, ""},
    {"Miscsettings",         11, F1,   "logf",            -1, Cap, Show, ""},
    {"Miscsettings",         12, F1,   "logf",            -1, Tip, Show, ""},
    {"Miscsettings",         13, F1,   "netlogf",         -1, Cap, Show, ""},
    {"Miscsettings",         14, F1,   "netlogf",         -1, Tip, Show, ""},
    {"Miscsettings",         15, F1,   "hidekey",         -1, Cap, Show, ""},
    {"Miscsettings",         16, F1,   "hidekey",         -1, Tip, Show, ""},
    {"Miscsettings",         17, F1,   "asa",             -1, Cap, Show, ""},
    {"Miscsettings",         18, F1,   "asa",             -1, Tip, Show, ""},
    {"Miscsettings",         19, F1,   "ate",             -1, Cap, Show, ""},
    {"Miscsettings",         20, F1,   "ate",             -1, Tip, Show, ""},
    {"Miscsettings",         21, F1,   "Label12",         -1, Cap, Show, ""},
    {"Miscsettings",         22, F1,   "Label12",         -1, Tip, Show, ""},
    {"Miscsettings",         22, F1,   "warninglevel",    -1, Tip, Show, ""},

    {"Ingameoptions",         1, F1,   "expmap",          -1, Cap, Show, ""},
    {"Ingameoptions",         2, F1,   "expmap",          -1, Tip, Show, ""},
    {"Ingameoptions",         3, F1,   "zaa",             -1, Cap, Show, ""},
    {"Ingameoptions",         4, F1,   "zaa",             -1, Tip, Show, ""},
    {"Ingameoptions",         5, F1,   "fontfilt",        -1, Cap, Show, ""},
    {"Ingameoptions",         6, F1,   "fontfilt",        -1, Tip, Show, ""},
    {"Ingameoptions",         7, F1,   "fsa",             -1, Cap, Show, ""},
    {"Ingameoptions",         8, F1,   "fsa",             -1, Tip, Show, ""},
    {"Ingameoptions",         9, F1,   "atmo",            -1, Cap, Show, ""},
    {"Ingameoptions",        10, F1,   "atmo",            -1, Tip, Show, ""},
    {"Ingameoptions",        11, F1,   "vio",             -1, Cap, Show, ""},
    {"Ingameoptions",        12, F1,   "vio",             -1, Tip, Show, ""},
    {"Ingameoptions",        13, F1,   "Label5",          -1, Cap, Show, ""},
    {"Ingameoptions",        14, F1,   "Label5",          -1, Tip, Show, ""},
    {"Ingameoptions",        14, F1,   "mma",             -1, Tip, Show, ""},
    {"Ingameoptions",        15, F1,   "Label16",         -1, Cap, Show, ""},
    {"Ingameoptions",        16, F1,   "Label16",         -1, Tip, Show, ""},
    {"Ingameoptions",        16, F1,   "dunkelheit",      -1, Tip, Show, ""},

    {"Detaillevel",           1, F1,   "Option1",         -1, Cap, Show, ""},
    {"Detaillevel",           2, F1,   "Option1",         -1, Tip, Show, ""},
    {"Detaillevel",           3, F1,   "Option2",         -1, Cap, Show, ""},
    {"Detaillevel",           4, F1,   "Option2",         -1, Tip, Show, ""},
    {"Detaillevel",           5, F1,   "Option3",         -1, Cap, Show, ""},
    {"Detaillevel",           6, F1,   "Option3",         -1, Tip, Show, ""},

    {"Speedsetting",          1, F1,   "modem",           -1, Cap, Show, ""},
    {"Speedsetting",          2, F1,   "modem",           -1, Tip, Show, ""},
    {"Speedsetting",          3, F1,   "dsl",             -1, Cap, Show, ""},
    {"Speedsetting",          4, F1,   "dsl",             -1, Tip, Show, ""},

    {"Soundquality",          1, F1,   "Option4",         -1, Cap, Show, ""},
    {"Soundquality",          2, F1,   "Option4",         -1, Tip, Show, ""},
    {"Soundquality",          3, F1,   "Option5",         -1, Cap, Show, ""},
    {"Soundquality",          4, F1,   "Option5",         -1, Tip, Show, ""},
    {"Soundquality",          5, F1,   "Option6",         -1, Cap, Show, ""},
    {"Soundquality",          6, F1,   "Option6",         -1, Tip, Show, ""},

    {"Collect",               1, F1,   "all",             -1, Cap, Show, ""},
    {"Collect",               2, F1,   "all",             -1, Tip, Show, ""},
    {"Collect",               3, F1,   "goldunis",        -1, Cap, Show, ""},
    {"Collect",               4, F1,   "goldunis",        -1, Tip, Show, ""},
    {"Collect",               5, F1,   "gold",            -1, Cap, Show, ""},
    {"Collect",               6, F1,   "gold",            -1, Tip, Show, ""},

    {"Sound",                 1, F1,   "sound",           -1, Cap, Show, ""},
    {"Sound",                 2, F1,   "sound",           -1, Tip, Show, ""},
    {"Sound",                 3, F1,   "Label6",          -1, Cap, Show, ""},
    {"Sound",                 4, F1,   "Label6",          -1, Tip, Show, ""},
    {"Sound",                 4, F1,   "musicvol",        -1, Tip, Show, ""},
    {"Sound",                 5, F1,   "Label18",         -1, Cap, Show, ""},
    {"Sound",                 6, F1,   "Label18",         -1, Tip, Show, ""},
    {"Sound",                 6, F1,   "sfxvol",          -1, Tip, Show, ""},
    {"Sound",                 7, F1,   "Label19",         -1, Cap, Show, ""},
    {"Sound",                 8, F1,   "Label19",         -1, Tip, Show, ""},
    {"Sound",                 8, F1,   "voicevol",        -1, Tip, Show, ""},

    {"Menu",                  1, F1,   "mfile",           -1, Cap, Show, ""},
    {"Menu",                  2, F1,   "mopen",           -1, Cap, Show, ""},
    {"Menu",                  3, F1,   "mSave",           -1, Cap, Show, ""},
    {"Menu",                  4, F1,   "mquit",           -1, Cap, Show, ""},
    {"Menu",                  5, F1,   "moptions",        -1, Cap, Show, ""},
    {"Menu",                  6, F1,   "mcreate_standard_cfg", -1, Cap, Show, ""},
    {"Menu",                  7, F1,   "mcreate_backup",  -1, Cap, Show, ""},
    {"Menu",                  8, F1,   "maccmanage",      -1, Cap, Show, ""},
    {"Menu",                  9, F1,   "madvanced",       -1, Cap, Show, ""},
    {"Menu",                 10, F1,   "mhelp",           -1, Cap, Show, ""},
    {"Menu",                 11, F1,   "mabout",          -1, Cap, Show, ""},

    // The Account window: one name label, name box and two key rows per slot.
    {"Accountmanagement",     1, F2,   "Label6",          -1, Cap, Show, ""},
    {"Accountmanagement",     2, F2,   "Label6",          -1, Tip, Show, ""},
    {"Accountmanagement",     2, F2,   "Text1",           -1, Tip, Show, ""},
    {"Accountmanagement",     2, F2,   "Text4",           -1, Tip, Show, ""},
    {"Accountmanagement",     2, F2,   "Text7",           -1, Tip, Show, ""},
    {"Accountmanagement",     2, F2,   "Text10",          -1, Tip, Show, ""},
    {"Accountmanagement",     3, F2,   "Label1",           0, Cap, Show, ""},
    {"Accountmanagement",     3, F2,   "Label1",           1, Cap, Show, ""},
    {"Accountmanagement",     3, F2,   "Label1",           2, Cap, Show, ""},
    {"Accountmanagement",     3, F2,   "Label1",           3, Cap, Show, ""},
    {"Accountmanagement",     4, F2,   "Label1",           0, Tip, Show, ""},
    {"Accountmanagement",     4, F2,   "Label1",           1, Tip, Show, ""},
    {"Accountmanagement",     4, F2,   "Label1",           2, Tip, Show, ""},
    {"Accountmanagement",     4, F2,   "Label1",           3, Tip, Show, ""},
    {"Accountmanagement",     4, F2,   "Text2",            0, Tip, Show, ""},
    {"Accountmanagement",     4, F2,   "Text2",            1, Tip, Show, ""},
    {"Accountmanagement",     4, F2,   "Text2",            2, Tip, Show, ""},
    {"Accountmanagement",     4, F2,   "Text2",            3, Tip, Show, ""},
    {"Accountmanagement",     4, F2,   "Text5",            0, Tip, Show, ""},
    {"Accountmanagement",     4, F2,   "Text5",            1, Tip, Show, ""},
    {"Accountmanagement",     4, F2,   "Text5",            2, Tip, Show, ""},
    {"Accountmanagement",     4, F2,   "Text5",            3, Tip, Show, ""},
    {"Accountmanagement",     4, F2,   "Text8",            0, Tip, Show, ""},
    {"Accountmanagement",     4, F2,   "Text8",            1, Tip, Show, ""},
    {"Accountmanagement",     4, F2,   "Text8",            2, Tip, Show, ""},
    {"Accountmanagement",     4, F2,   "Text8",            3, Tip, Show, ""},
    {"Accountmanagement",     4, F2,   "Text11",           0, Tip, Show, ""},
    {"Accountmanagement",     4, F2,   "Text11",           1, Tip, Show, ""},
    {"Accountmanagement",     4, F2,   "Text11",           2, Tip, Show, ""},
    {"Accountmanagement",     4, F2,   "Text11",           3, Tip, Show, ""},
    {"Accountmanagement",     5, F2,   "Label2",           0, Cap, Show, ""},
    {"Accountmanagement",     5, F2,   "Label2",           1, Cap, Show, ""},
    {"Accountmanagement",     5, F2,   "Label2",           2, Cap, Show, ""},
    {"Accountmanagement",     5, F2,   "Label2",           3, Cap, Show, ""},
    {"Accountmanagement",     6, F2,   "Label2",           0, Tip, Show, ""},
    {"Accountmanagement",     6, F2,   "Label2",           1, Tip, Show, ""},
    {"Accountmanagement",     6, F2,   "Label2",           2, Tip, Show, ""},
    {"Accountmanagement",     6, F2,   "Label2",           3, Tip, Show, ""},
    {"Accountmanagement",     6, F2,   "Text3",            0, Tip, Show, ""},
    {"Accountmanagement",     6, F2,   "Text3",            1, Tip, Show, ""},
    {"Accountmanagement",     6, F2,   "Text3",            2, Tip, Show, ""},
    {"Accountmanagement",     6, F2,   "Text3",            3, Tip, Show, ""},
    {"Accountmanagement",     6, F2,   "Text6",            0, Tip, Show, ""},
    {"Accountmanagement",     6, F2,   "Text6",            1, Tip, Show, ""},
    {"Accountmanagement",     6, F2,   "Text6",            2, Tip, Show, ""},
    {"Accountmanagement",     6, F2,   "Text6",            3, Tip, Show, ""},
    {"Accountmanagement",     6, F2,   "Text9",            0, Tip, Show, ""},
    {"Accountmanagement",     6, F2,   "Text9",            1, Tip, Show, ""},
    {"Accountmanagement",     6, F2,   "Text9",            2, Tip, Show, ""},
    {"Accountmanagement",     6, F2,   "Text9",            3, Tip, Show, ""},
    {"Accountmanagement",     6, F2,   "Text12",           0, Tip, Show, ""},
    {"Accountmanagement",     6, F2,   "Text12",           1, Tip, Show, ""},
    {"Accountmanagement",     6, F2,   "Text12",           2, Tip, Show, ""},
    {"Accountmanagement",     6, F2,   "Text12",           3, Tip, Show, ""},
    // The other slots' name labels copy the first slot's label last of all.
    {"Accountmanagement",     1, F2,   "Label5",          -1, Cap, Show, ""},
    {"Accountmanagement",     2, F2,   "Label5",          -1, Tip, Show, ""},
    {"Accountmanagement",     1, F2,   "Label4",          -1, Cap, Show, ""},
    {"Accountmanagement",     2, F2,   "Label4",          -1, Tip, Show, ""},
    {"Accountmanagement",     1, F2,   "Label3",          -1, Cap, Show, ""},
    {"Accountmanagement",     2, F2,   "Label3",          -1, Tip, Show, ""},
};

// Each entry added later is a kept text with its built-in one, and the
// other way round.
constexpr bool laterEntriesHaveRows() {
    for (const KeptTextId& id : kept::kAddedLater) {
        const auto same = [&id](const LanguageTextRow& row) {
            return row.addedLater && row.kept && row.section == std::string_view(id.section) &&
                   row.entry == id.entry && id.builtIn;
        };
        if (std::count_if(std::begin(kRows), std::end(kRows), same) != 1)
            return false;
    }
    return std::count_if(std::begin(kRows), std::end(kRows), [](const LanguageTextRow& row) {
               return row.addedLater;
           }) == std::ssize(kept::kAddedLater);
}
static_assert(laterEntriesHaveRows());

// languageTextRows(section) hands out a sub-span, so each section's rows
// must stand together and every row must name a known section.
// clang-format on
constexpr bool rowsGroupedBySection() {
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
        if (std::find(kSections.begin(), kSections.end(), kRows[i].section) == kSections.end())
            return false;
        if (i == 0 || kRows[i].section == kRows[i - 1].section)
            continue;
        for (std::size_t j = 0; j < i; ++j)
            if (kRows[j].section == kRows[i].section)
                return false;
    }
    return true;
}
static_assert(rowsGroupedBySection());

} // namespace

std::span<const std::string_view> languageSections() {
    return kSections;
}

std::span<const LanguageTextRow> languageTextRows() {
    return kRows;
}

std::span<const LanguageTextRow> languageTextRows(std::string_view section) {
    const auto same = [section](const LanguageTextRow& row) { return row.section == section; };
    const auto* first = std::find_if(std::begin(kRows), std::end(kRows), same);
    const auto* last = std::find_if_not(first, std::end(kRows), same);
    return {first, last};
}

} // namespace quillset
