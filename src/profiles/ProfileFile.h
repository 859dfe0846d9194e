#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

class IniFile;

// Custom aliases, bindings and settings live in profiles: INI files in the program's directory,
// "Global Aliases.vexa" and one "<game>.vexa" per game. No profile is held in memory: every
// operation takes the full path of the profile and reopens it, so the file is the only store.
//
// Layout: section "NumberOfSections" holds the three counts; entry n of a kind lives in section
// "Alias<n>", "Bind<n>" or "Setting<n>" (n = 1 .. count). Sections above the count are ignored.
// Names match without regard to letter case, so one spelling per key serves every reader; the
// spellings below are the ones written.
namespace ProfileKeys {
inline const QString CountSection = QStringLiteral("NumberOfSections");

inline const QString DescriptiveName = QStringLiteral("DescriptiveName");
inline const QString AliasName = QStringLiteral("AliasName");
inline const QString Description = QStringLiteral("Description");
inline const QString AliasLines = QStringLiteral("AliasLines");
inline const QString AliasLinePrefix = QStringLiteral("Aline"); // "Aline1" .. "Aline<AliasLines>"

inline const QString BindKey = QStringLiteral("BindKey");
inline const QString BindValue = QStringLiteral("BindValue");

inline const QString Setting = QStringLiteral("Setting");
inline const QString SettingValue = QStringLiteral("SettingValue");

// Only the exact text "true" means checked; anything else, or no key, means unchecked.
inline const QString Checked = QStringLiteral("checked");
inline const QString CheckedTrue = QStringLiteral("true");
inline const QString CheckedFalse = QStringLiteral("false");

// What a reader shows for a missing key.
inline const QString NotLoaded = QStringLiteral("didn't load");

inline const QString ProfileExtension = QStringLiteral(".vexa");
inline const QString BackupExtension = QStringLiteral(".q2bk");
inline const QString GlobalProfileName = QStringLiteral("Global Aliases");
} // namespace ProfileKeys

enum class EntryKind { Alias, Binding, Setting };

// One line of a check-list box: its text and its mark.
struct ProfileItem {
    QString text;
    bool checked = false;
    friend bool operator==(const ProfileItem&, const ProfileItem&) = default;
};

// An entry as the config writer needs it.
struct ProfileAlias {
    QString descriptiveName; // "Unknown Alias" when missing
    QStringList lines;       // "Aline1" .. "Aline<AliasLines>", a missing one empty
    bool checked = false;
    friend bool operator==(const ProfileAlias&, const ProfileAlias&) = default;
};
struct ProfileBinding {
    QString key;
    QString command;
    bool checked = false;
    friend bool operator==(const ProfileBinding&, const ProfileBinding&) = default;
};
struct ProfileSetting {
    QString name;
    QString value;
    bool checked = false;
    friend bool operator==(const ProfileSetting&, const ProfileSetting&) = default;
};
// Every entry within the counts, checked or not; a count below 1 gives no entries.
struct ProfileEntries {
    QVector<ProfileAlias> aliases;
    QVector<ProfileBinding> bindings;
    QVector<ProfileSetting> settings;
};

// How a count is read. Strict: a value that is not a whole number (an empty one included) throws
// VexaError "'%s' is not a valid integer value"; a missing key is 0. Lenient: such a value is 0.
enum class CountReading { Strict, Lenient };

namespace ProfileFile {

// "<directory>/<name>.vexa"; the global profile is profilePath(directory, GlobalProfileName).
QString profilePath(const QString& directory, const QString& name);
QString globalProfilePath(const QString& directory);
// A game's profile as the directory holds it: "<name>.vexa", or else the one file named "<name>"
// with that extension in other letter case ("Upper.VEXA"); "<name>.vexa" when there is neither.
QString gameProfilePath(const QString& directory, const QString& name);
// The backup name of a game profile: ".vexa" replaced by ".q2bk".
QString backupPath(const QString& profile);

// "Alias<n>", "Bind<n>", "Setting<n>"; and the kind's key in "NumberOfSections".
QString sectionName(EntryKind kind, int n);
QString countKey(EntryKind kind);

// Counts above the sections the file holds read as that number of sections (each entry is a
// section), and an alias's line count above its keys as its keys.
int readCount(const IniFile& profile, EntryKind kind, CountReading reading);
int readCount(const QString& profile, EntryKind kind, CountReading reading);

// The list contents: the descriptive names; "key = command" with a command that equals an alias
// name of the same profile shown as that alias's descriptive name; "variable = value". The count
// is read strictly, so a malformed count throws and yields no items.
QVector<ProfileItem> loadAliasList(const QString& profile);
QVector<ProfileItem> loadBindingList(const QString& profile);
QVector<ProfileItem> loadSettingList(const QString& profile);

// Writes "checked" = "true" or "false" into entry n's section; nothing else, the count unread.
void setEntryChecked(const QString& profile, EntryKind kind, int n, bool flag);
// The same for entries 1 to count, in one replace of the file.
void setEntriesChecked(const QString& profile, EntryKind kind, int count, bool flag);

// Removes entry p (1-based) and moves every later entry down by one, each with its own data and
// check flag; no section of the kind is left above the new count, which never drops below 0.
// The file is replaced once: an interruption leaves it as it was before or after.
void deleteEntry(const QString& profile, EntryKind kind, int p);

// The file names of the games' profiles in the directory: every "*.vexa" in any letter case but
// the global profile, in name order.
QStringList gameProfileFiles(const QString& directory);

// A new game profile: section "NumberOfSections" with "aliases", "bindings", "settings" = 0.
void createGameProfile(const QString& profile);

// Renames "<game>.vexa" to "<game>.q2bk" and back. An existing target is never replaced: the
// rename then does nothing and returns false, as does a missing source.
bool backupGameProfile(const QString& profile);
bool restoreGameProfile(const QString& profile);

// A game's profile for a game being added: an existing one keeps its entries and gives true; else
// the backup comes back, or a new profile is made, and the result is false.
bool provideGameProfile(const QString& profile);

// Everything the config writer takes from one profile. Counts are read leniently, except the
// settings count when `settingsCount` is Strict.
ProfileEntries readProfileEntries(const QString& profile,
                                  CountReading settingsCount = CountReading::Lenient);

} // namespace ProfileFile
