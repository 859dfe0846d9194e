#pragma once

#include "IniFile.h"

#include <QString>
#include <cstddef>
#include <iterator>

// A key of vexa.ini with its section. Names are matched without regard to letter case, so one
// spelling serves every site.
struct IniKey {
    const char* section;
    const char* name;
};

// The one place that names the program's settings; each reading site passes its own default.
namespace VexaIni {

// Where vexa.ini lives: $XDG_CONFIG_HOME/vexa.ini (default ~/.config/vexa.ini). The directory is
// created when missing.
QString fileName();

// vexa.ini holds file names, so it is UTF-8 (an older file in Latin-1 is still read).
inline constexpr TextEncoding Encoding = TextEncoding::Utf8;

inline constexpr IniKey Quake2Path{"quake2", "path"};
inline constexpr IniKey BaseDir{"quake2", "baseq2"};
inline constexpr IniKey CdRom{"quake2", "cdrom"};
// The engine the game runs on ("id", "yamagi", "q2pro") and its per-user directory (empty for
// none), found at the first start and changed in Options.
inline constexpr IniKey GameEngine{"quake2", "engine"};
inline constexpr IniKey GameHome{"quake2", "home"};

inline constexpr IniKey ProgramPath{"vexa", "path"};
inline constexpr IniKey ConfigFile{"vexa", "configfile"};
inline constexpr IniKey BatchFile{"vexa", "batchfile"};
inline constexpr IniKey RunServer{"vexa", "RunServer"};
inline constexpr IniKey SaveAllOnRun{"vexa", "saveAllOnRun"};
inline constexpr IniKey SaveAllOnExit{"vexa", "saveAllOnExit"};
inline constexpr IniKey SaveBoxOnExit{"vexa", "SaveBoxOnExit"};
inline constexpr IniKey CloseOnExit{"vexa", "CloseOnExit"};
inline constexpr IniKey Minimize{"vexa", "Minimize"};
inline constexpr IniKey StatusBox{"vexa", "StatusBox"};
inline constexpr IniKey StatusTime{"vexa", "StatusTime"};
inline constexpr IniKey OptimizedSaving{"vexa", "OptimizedSaving"};
inline constexpr IniKey IncludeAliases{"vexa", "IncludeAliases"};
// Whether the player was asked to have autoexec.cfg run Vexa's script (asked once).
inline constexpr IniKey AutoexecAsked{"vexa", "autoexecAsked"};

// The server browser: the masters it asks (blanks or commas between them), the sources ticked,
// and whether it refreshes as it opens.
inline constexpr IniKey Masters{"servers", "masters"};
inline constexpr IniKey BrowseList{"servers", "list"};
inline constexpr IniKey BrowseAddressBook{"servers", "addressBook"};
inline constexpr IniKey BrowseLan{"servers", "lan"};
inline constexpr IniKey BrowseMasters{"servers", "useMasters"};
inline constexpr IniKey RefreshWhenShown{"servers", "refreshWhenShown"};

inline constexpr IniKey EditX{"edit", "x"};
inline constexpr IniKey EditY{"edit", "y"};
inline constexpr IniKey EditW{"edit", "w"};
inline constexpr IniKey EditH{"edit", "h"};

// [Tabs]: one boolean per hideable tab, in the order of the main window's tabs.
inline constexpr const char* TabsSection = "Tabs";
inline constexpr const char* TabKeys[] = {"Movement", "Weapons&Inv", "Communications",
                                          "Video",    "Sound",       "Menus",
                                          "Client",   "Server",      "Games&Aliases"};
inline constexpr std::size_t TabCount = std::size(TabKeys);
// The [Tabs] key of hideable tab `index` (0 = Movement).
inline constexpr IniKey tabKey(std::size_t index) {
    return {TabsSection, TabKeys[index]};
}

inline QString readString(const IniFile& ini, IniKey key, const QString& def) {
    return ini.readString(key.section, key.name, def);
}
inline int readInteger(const IniFile& ini, IniKey key, int def) {
    return ini.readInteger(key.section, key.name, def);
}
inline bool readBool(const IniFile& ini, IniKey key, bool def) {
    return ini.readBool(key.section, key.name, def);
}
inline bool exists(const IniFile& ini, IniKey key) {
    return ini.keyExists(key.section, key.name);
}
inline void write(IniFile& ini, IniKey key, const QString& value) {
    ini.writeString(key.section, key.name, value);
}
inline void writeInteger(IniFile& ini, IniKey key, int value) {
    ini.writeInteger(key.section, key.name, value);
}
inline void writeBool(IniFile& ini, IniKey key, bool value) {
    ini.writeBool(key.section, key.name, value);
}

} // namespace VexaIni
