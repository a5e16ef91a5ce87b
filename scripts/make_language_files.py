#!/usr/bin/env python3
"""Writes the shipped language files resources/lang/language.de.lng and
language.en.lng: Windows-1252, CR LF line ends.

Each section is its header line followed directly by its entries, one per
line, entry N being the N-th line below the header. Comment lines ("#") go
only between sections. Run from anywhere: python3 scripts/make_language_files.py
"""

from pathlib import Path

# Entries per section, in the order they stand in the files.
SECTION_SIZES = {
    "Captions": 5,
    "Messages": 9,
    "GUI": 15,
    "Unsupportet": 20,
    "Chatoptions": 6,
    "Displayoptions": 8,
    "Network": 12,
    "Miscsettings": 22,
    "Ingameoptions": 16,
    "Detaillevel": 6,
    "Speedsetting": 4,
    "Soundquality": 6,
    "Collect": 6,
    "Sound": 8,
    "Menu": 11,
    "Accountmanagement": 6,
}

GERMAN_HEAD = [
    "# Quillset - Sprachdatei Deutsch",
    "#",
    "# Diese Datei muss als language.lng neben dem Programm liegen.",
    "# Jeder Abschnitt beginnt mit seiner Kopfzeile, z. B. [Captions].",
    "# Eintrag 1 ist die Zeile direkt darunter, Eintrag 2 die nächste usw.",
    "# Innerhalb eines Abschnitts darf daher keine Kommentar- oder Leerzeile",
    "# stehen; Kommentare gehören zwischen die Abschnitte.",
    "# Zeichensatz Windows-1252, Zeilenende CR LF.",
]

ENGLISH_HEAD = [
    "# Quillset - language file English",
    "#",
    "# Copy this file beside the program as language.lng to use it.",
    "# Each section begins with its header line, e.g. [Captions].",
    "# Entry 1 is the line right below the header, entry 2 the next, and so on,",
    "# so no comment or blank line may stand inside a section; comments go",
    "# between the sections.",
    "# Character set Windows-1252, line ends CR LF.",
]

GERMAN = {
    "Captions": (
        "# Knöpfe und Titel der Datei-Dialoge; 3 ist auch der Titel der Frage beim Beenden",
        [
            "Speichern",
            "Öffnen",
            "Exit",
            "Backup: Zu sichernde Datei auswählen",
            "Backup: Speicherort der Sicherung auswählen",
        ],
    ),
    "Messages": (
        "# Fragen und Hinweise (Eintrag 8 wird nicht verwendet, muss aber dastehen)",
        [
            "Im Installationsordner des Spiels wurde keine settings.cfg gefunden. Wollt ihr selbst eine Datei auswählen?",
            "Es gibt ungespeicherte Änderungen. Sollen sie jetzt gespeichert werden?",
            "Die gewählte Datei heißt nicht settings.cfg und wurde deshalb nicht geladen.",
            "Jetzt wird eine Sicherungskopie der Einstellungen angelegt.",
            "Alle Einstellungen werden auf die Standardwerte zurückgesetzt. Fortfahren?",
            "Es gibt bereits ein Backup (settings.bck). Soll es ersetzt werden? Bei Nein könnt ihr einen anderen Dateinamen wählen.",
            "Im Installationsordner gibt es weder eine settings.cfg noch ein Backup. Es wurde nichts kopiert.",
            "(nicht verwendet)",
            "Sollen die Einstellungen in diese Datei geschrieben werden? Abbrechen wählt eine andere Datei:",
        ],
    ),
    "GUI": (
        "# Rahmen beider Fenster; 14 und 15 sind Standardwerte (Sprache, Lobby-Server)",
        [
            "Nicht unterstützte Einstellungen - Ändert nur etwas, wenn ihr wißt, was ihr macht!",
            "Unterstützte Einstellungen",
            "Grafikoptionen",
            "Netzwerk",
            "Chat Optionen",
            "Allgemeine Einstellungen",
            "In game Optionen ( Taste O )",
            "Detail Level",
            "Speedsetting",
            "Einsammeln",
            "Sound Quality",
            "Sound",
            "Account auswählen",
            "DE",
            "lobby.korrin-online.example",
        ],
    ),
    "Unsupportet": (
        "# Nicht unterstützte Einstellungen: Beschriftung / Tooltip (13 und 14 werden nicht verwendet)",
        [
            "Sprache",
            "Ändert die Sprache im Spiel - !! Nur ändern, wenn NICHT DE drinsteht !!",
            "Charakterdetails",
            "Charakternamen ohne ALT anzeigen",
            "Tränkeleiste",
            "Anzeigen der Tränkeleiste über der Tageszeitanzeige",
            "Taskbar Icons",
            "Damage-Icons in den Waffenslots anzeigen?",
            "Logging",
            "Logdateien erstellen?",
            "Unique Color",
            "Alternatives Farbsystem (vor Version 1.7 genutzt)",
            "(nicht verwendet)",
            "(nicht verwendet)",
            "Videokompatibilitätsmodus",
            "Einfacherer Grafikmodus für Grafikkarten, mit denen das Spiel Darstellungsfehler zeigt",
            "Gegnerdetails",
            "Gegner-Infos anzeigen",
            "Slots kombinieren",
            "Waffen- und Spellslots kombinieren (wenn 1. Waffenslot gewählt, automatisch 1. Spellslot wählen etc)",
        ],
    ),
    "Chatoptions": (
        "# Chat Optionen: Beschriftung / Tooltip",
        [
            "Chat Transparenz",
            "Transparenz der Chat-Zeilen.",
            "Chat Delay",
            "Gibt an, wie lange eine Chat-Zeile angezeigt wird (in Sekunden).",
            "Chatzeilen",
            "Anzahl der Zeilen, die im MP-Chat angezeigt werden",
        ],
    ),
    "Displayoptions": (
        "# Grafikoptionen: Beschriftung / Tooltip",
        [
            "Schwarze Schatten",
            "Schwarze Schatten (erhöht die Performance)",
            "Vollbildmodus",
            "Spiel im Vollbild statt im Fenster starten",
            "32 / 16 Bit Texturen",
            "16 oder 32 Bit Texturen  (besser aussehend, aber auf einigen Systemen performancelastiger)?",
            "Waitretrace",
            "Vsync im Spiel? !! KANN ZU INSTABILITÄTEN FÜHREN !!",
        ],
    ),
    "Network": (
        "# Netzwerk: Beschriftung / Tooltip",
        [
            "Lobby Server Adresse",
            "Adresse des Lobby-Servers für Mehrspielerpartien",
            "Account Name",
            "Accountname zum Einloggen im Closed/Open",
            "Standard Spielername",
            "Standard Charaktername für neue Charaktere",
            "Standard Spielname",
            "Standard Spielname für selbst erstellte Spiele",
            "Lobby Port",
            "Gibt den Port der Lobby an, sollte immer 7065 sein!",
            "Listen Port",
            "Listenport für MP-Spiele. 2005 als Standard eingestellt. (Achtung, nur für Advanced Users, sollte nicht geändert werden!)",
        ],
    ),
    "Miscsettings": (
        "# Allgemeine Einstellungen: Beschriftung / Tooltip",
        [
            "Erdbeben",
            "Bildschirmrütteln (z.B. beim Spruch Meteor)",
            "Filme abspielen",
            "Zwischensequenzen im Spiel abspielen",
            "Ladder Export",
            "Sollen die Charakter in der Ladder angezeigt werden?",
            "Extro abspielen",
            "Abspann nach dem Ende der Kampagne abspielen",
            "Default Skills",
            "Setzt die Anfangsskills eines neuen Charakters (1 = an, 0 = aus). Standard ist 1.",
            "Programmlogdateien",
            "Soll die debug.log erstellt werden?",
            "Netzwerklogdateien",
            "Soll die korrin_network.log erstellt werden?",
            "CD-Key verstecken",
            "Z. B. für Internet-Cafés o.Ä.: CD-Key wird im Spiel nicht angezeigt, es erscheinen nur Sternchen im Login-Menü.",
            "Autosave",
            "Kampagne Autosave an oder aus?",
            "Autotrackenemy",
            "Gegner folgen bei Kampfcursor",
            "Warning Level",
            "Warnung, wenn Lebensenergie < x % (durch roten, aufleuchtenden Kreis oben rechts)",
        ],
    ),
    "Ingameoptions": (
        "# In game Optionen: Beschriftung / Tooltip",
        [
            "Übersichtskarte erkunden",
            "Schwarze Karte (mit Kriegsnebel) oder Transparenz ?",
            "Font Transparenz",
            "Aktiviertes Font Antialiasing sorgt für glattere Schriften (auf Kosten der Performance)",
            "Font filtering",
            "Schriften gefiltert und dadurch weicher darstellen",
            "Full Scene Anti-Aliasing",
            "Bei aktiviertem FSAA wird eine \"Treppchenbildung\" bei nah herangezoomten Charakteren verhindert - auf Kosten von bis zu 20 % Systemleistung",
            "Atmosphärische Animationen",
            "Animationen beim Aufsammeln von Gegenständen zeigen",
            "Gewaltdarstellung",
            "Blut und Gewalteffekte im Spiel zeigen",
            "Minimap Alpha",
            "Entspricht dem Optionsmenüpunkt Transparenz der Minimap.",
            "Dunkelheit",
            "Helligkeit der Nacht",
        ],
    ),
    "Detaillevel": (
        "# Detail Level: Beschriftung / Tooltip",
        [
            "High",
            "Hohe Detailstufe (braucht einen schnellen Rechner)",
            "Medium",
            "Mittlere Detailstufe",
            "Low",
            "Niedrige Detailstufe für langsame Rechner",
        ],
    ),
    "Speedsetting": (
        "# Speedsetting: Beschriftung / Tooltip",
        [
            "Modem / ISDN",
            "Für langsame Internetverbindungen",
            "DSL",
            "Für schnelle Internetverbindungen (DSL, Kabel)",
        ],
    ),
    "Soundquality": (
        "# Sound Quality: Beschriftung / Tooltip",
        [
            "3D-all Effects",
            "Raumklang mit allen Effekten",
            "2D-all Effects",
            "Stereoklang mit allen Effekten",
            "2D-low Effects",
            "Stereoklang mit wenigen Effekten (schont langsame Rechner)",
        ],
    ),
    "Collect": (
        "# Einsammeln: Beschriftung / Tooltip",
        [
            "Alles",
            "Alle Gegenstände automatisch einsammeln",
            "Gold / Uniques",
            "Nur Gold und Unique-Gegenstände automatisch einsammeln",
            "Gold",
            "Nur Gold automatisch einsammeln",
        ],
    ),
    "Sound": (
        "# Sound: Beschriftung / Tooltip",
        [
            "Sound on / off",
            "Ton im Spiel ein- oder ausschalten",
            "Music Volume",
            "Lautstärke der Musik",
            "SFX Volume",
            "Lautstärke der Geräuscheffekte",
            "Voice Volume",
            "Lautstärke der Sprachausgabe",
        ],
    ),
    "Menu": (
        "# Menü: Datei, Öffnen, Speichern, Beenden, Optionen, Standardeinstellungen, Backup, Accounts, Erweitert, Hilfe, Über",
        [
            "Datei",
            "Öffnen",
            "Speichern",
            "Beenden",
            "Optionen",
            "Standardeinstellungen",
            "Backup erstellen",
            "Account Management",
            "Erweitert",
            "Hilfe",
            "Über...",
        ],
    ),
    "Accountmanagement": (
        "# Account-Fenster: Beschriftung / Tooltip von Accountname, Korrin-Key und Deepfall-Key",
        [
            "Account name",
            "Account zum einloggen im Closed/Open",
            "Korrin CD-Key",
            "Je Feld fünf Zeichen des CD-Keys eingeben, ohne Bindestriche",
            "Deepfall CD-Key",
            "Je Feld fünf Zeichen des CD-Keys eingeben, ohne Bindestriche",
        ],
    ),
}

ENGLISH = {
    "Captions": (
        "# Buttons and file dialog titles; 3 is also the title of the question on exit",
        [
            "Save",
            "Open",
            "Exit",
            "Backup: choose the file to back up",
            "Backup: choose where to put the backup",
        ],
    ),
    "Messages": (
        "# Questions and notices (entry 8 is not used but must be there)",
        [
            "No settings.cfg was found in the game's install folder. Do you want to choose a file yourself?",
            "There are unsaved changes. Save them now?",
            "The chosen file is not named settings.cfg, so it was not loaded.",
            "A backup copy of the settings will be made now.",
            "All settings will be reset to their standard values. Continue?",
            "A backup (settings.bck) already exists. Replace it? Choose No to pick another file name.",
            "The install folder holds neither a settings.cfg nor a backup. Nothing was copied.",
            "(not used)",
            "Write the settings to this file? Cancel lets you choose another file:",
        ],
    ),
    "GUI": (
        "# Frames of both windows; 14 and 15 are standard values (language, lobby server)",
        [
            "Unsupported settings - change them only if you know what you are doing!",
            "Supported settings",
            "Graphics",
            "Network",
            "Chat options",
            "General settings",
            "In-game options ( key O )",
            "Detail level",
            "Speed setting",
            "Pick up",
            "Sound quality",
            "Sound",
            "Choose account",
            "EN",
            "lobby.korrin-online.example",
        ],
    ),
    "Unsupportet": (
        "# Unsupported settings: caption / tooltip (13 and 14 are not used)",
        [
            "Language",
            "Changes the game's language - !! only change it if it does NOT say EN !!",
            "Character details",
            "Show character names without pressing ALT",
            "Potion bar",
            "Show the potion bar above the time-of-day display",
            "Taskbar icons",
            "Show damage icons in the weapon slots?",
            "Logging",
            "Write log files?",
            "Unique colour",
            "Alternative colour scheme (used before version 1.7)",
            "(not used)",
            "(not used)",
            "Video compatibility mode",
            "Simpler graphics mode for cards that show display errors in the game",
            "Enemy details",
            "Show enemy information",
            "Combine slots",
            "Combine weapon and spell slots (choosing weapon slot 1 also chooses spell slot 1, etc.)",
        ],
    ),
    "Chatoptions": (
        "# Chat options: caption / tooltip",
        [
            "Chat transparency",
            "Transparency of the chat lines.",
            "Chat delay",
            "How long a chat line stays on screen (in seconds).",
            "Chat lines",
            "Number of lines shown in the multiplayer chat",
        ],
    ),
    "Displayoptions": (
        "# Graphics: caption / tooltip",
        [
            "Black shadows",
            "Black shadows (faster)",
            "Full screen",
            "Run the game in full screen instead of a window",
            "32 / 16 bit textures",
            "16 or 32 bit textures (32 looks better but is slower on some systems)?",
            "Wait for retrace",
            "Vsync in the game? !! MAY MAKE THE GAME UNSTABLE !!",
        ],
    ),
    "Network": (
        "# Network: caption / tooltip",
        [
            "Lobby server address",
            "Address of the lobby server for multiplayer games",
            "Account name",
            "Account name for logging in to Closed/Open",
            "Default player name",
            "Default character name for new characters",
            "Default game name",
            "Default name for games you host",
            "Lobby port",
            "The lobby's port; should always be 7065!",
            "Listen port",
            "Listen port for multiplayer games, 2005 by default. (Advanced users only; should not be changed!)",
        ],
    ),
    "Miscsettings": (
        "# General settings: caption / tooltip",
        [
            "Earthquake",
            "Screen shaking (e.g. from the Meteor spell)",
            "Play movies",
            "Play the cut scenes in the game",
            "Ladder export",
            "Show your characters in the ladder?",
            "Play extro",
            "Play the closing sequence after the end of the campaign",
            "Default skills",
            "Sets the starting skills of a new character (1 = on, 0 = off). Default is 1.",
            "Program log files",
            "Write debug.log?",
            "Network log files",
            "Write korrin_network.log?",
            "Hide CD key",
            "E.g. for internet cafés: the CD key is not shown in the game, the login menu shows only asterisks.",
            "Autosave",
            "Campaign autosave on or off?",
            "Auto-track enemy",
            "Follow enemies with the combat cursor",
            "Warning level",
            "Warn when life energy falls below x % (red flashing circle at the top right)",
        ],
    ),
    "Ingameoptions": (
        "# In-game options: caption / tooltip",
        [
            "Explore overview map",
            "Black map (with fog of war) or transparent?",
            "Font transparency",
            "Font antialiasing gives smoother letters (at some cost in speed)",
            "Font filtering",
            "Draw letters filtered and so smoother",
            "Full scene anti-aliasing",
            "FSAA smooths the jagged edges of closely zoomed characters - at a cost of up to 20 % of system speed",
            "Atmospheric animations",
            "Show animations when items are picked up",
            "Show violence",
            "Show blood and violent effects in the game",
            "Minimap alpha",
            "Same as the minimap transparency item of the game's options menu.",
            "Darkness",
            "Brightness of the night",
        ],
    ),
    "Detaillevel": (
        "# Detail level: caption / tooltip",
        [
            "High",
            "High detail (needs a fast computer)",
            "Medium",
            "Medium detail",
            "Low",
            "Low detail for slow computers",
        ],
    ),
    "Speedsetting": (
        "# Speed setting: caption / tooltip",
        [
            "Modem / ISDN",
            "For slow internet connections",
            "DSL",
            "For fast internet connections (DSL, cable)",
        ],
    ),
    "Soundquality": (
        "# Sound quality: caption / tooltip",
        [
            "3D-all Effects",
            "Surround sound with all effects",
            "2D-all Effects",
            "Stereo sound with all effects",
            "2D-low Effects",
            "Stereo sound with few effects (easier on slow computers)",
        ],
    ),
    "Collect": (
        "# Pick up: caption / tooltip",
        [
            "Everything",
            "Pick up all items automatically",
            "Gold / Uniques",
            "Pick up only gold and unique items automatically",
            "Gold",
            "Pick up only gold automatically",
        ],
    ),
    "Sound": (
        "# Sound: caption / tooltip",
        [
            "Sound on / off",
            "Switch the game's sound on or off",
            "Music volume",
            "Volume of the music",
            "SFX volume",
            "Volume of the sound effects",
            "Voice volume",
            "Volume of the speech",
        ],
    ),
    "Menu": (
        "# Menu: File, Open, Save, Quit, Options, Standard settings, Backup, Accounts, Advanced, Help, About",
        [
            "File",
            "Open",
            "Save",
            "Quit",
            "Options",
            "Standard settings",
            "Create backup",
            "Account management",
            "Advanced",
            "Help",
            "About...",
        ],
    ),
    "Accountmanagement": (
        "# Account window: caption / tooltip of account name, Korrin key and Deepfall key",
        [
            "Account name",
            "Account for logging in to Closed/Open",
            "Korrin CD key",
            "Five characters of the CD key per box, without dashes",
            "Deepfall CD key",
            "Five characters of the CD key per box, without dashes",
        ],
    ),
}


def render(head, sections):
    lines = list(head)
    for name, size in SECTION_SIZES.items():
        comment, entries = sections[name]
        assert len(entries) == size, f"{name}: {len(entries)} entries, expected {size}"
        assert comment.startswith("#")
        for entry in entries:
            assert entry and not entry.startswith("#") and entry.strip() == entry, entry
        lines += ["#", comment, f"[{name}]", *entries]
    return "".join(line + "\r\n" for line in lines)


def main():
    folder = Path(__file__).resolve().parent.parent / "resources" / "lang"
    folder.mkdir(parents=True, exist_ok=True)
    for file_name, head, sections in (
        ("language.de.lng", GERMAN_HEAD, GERMAN),
        ("language.en.lng", ENGLISH_HEAD, ENGLISH),
    ):
        # strict: a character outside Windows-1252 must fail, not be replaced
        data = render(head, sections).encode("cp1252", errors="strict")
        (folder / file_name).write_bytes(data)


if __name__ == "__main__":
    main()
