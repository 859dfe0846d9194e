#include "ProfileFile.h"

#include "platform/DirectorySearch.h"
#include "platform/FileRename.h"
#include "platform/IniEdit.h"
#include "platform/IniFile.h"
#include "platform/PlatformConventions.h"
#include "platform/VexaError.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <charconv>
#include <iterator>
#include <limits>
#include <optional>
#include <utility>

using namespace ProfileKeys;

namespace {

struct KindNames {
    const char* sectionPrefix;
    const char* countKey;
};

KindNames namesOf(EntryKind kind) {
    switch (kind) {
    case EntryKind::Alias:
        return {"Alias", "Aliases"};
    case EntryKind::Binding:
        return {"Bind", "Bindings"};
    case EntryKind::Setting:
        break;
    }
    return {"Setting", "Settings"};
}

// The text keys a delete carries from one section to the next (alias lines come on top).
QStringList movedTextKeys(EntryKind kind) {
    switch (kind) {
    case EntryKind::Alias:
        return {DescriptiveName, AliasName, Description};
    case EntryKind::Binding:
        return {BindKey, BindValue};
    case EntryKind::Setting:
        break;
    }
    return {Setting, SettingValue};
}

QString aliasLineKey(int j) {
    return AliasLinePrefix + QString::number(j);
}

int digitOf(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return 16; // no digit in any base used here
}

// A whole number in decimal, or in hexadecimal after "0x", with an optional sign; nothing else.
std::optional<int> toInteger(QStringView text) {
    bool negative = false;
    if (text.startsWith(u'+') || text.startsWith(u'-')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    int base = 10;
    if (text.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        text = text.mid(2);
    }
    if (text.isEmpty())
        return std::nullopt;
    const qint64 limit = qint64(std::numeric_limits<int>::max()) + 1;
    qint64 value = 0;
    for (const QChar c : text) {
        const int digit = digitOf(c);
        if (digit >= base)
            return std::nullopt;
        value = value * base + digit;
        if (value > limit)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(value);
}

// (The helpers below read through an IniFile or, inside one operation, an IniEdit.)
template <typename Ini>
int readNumber(const Ini& ini, const QString& section, const QString& key, int def) {
    return toInteger(ini.readString(section, key, QString())).value_or(def);
}

// A count can only name entries the file holds: every entry is a section, every alias line a
// key. A larger count (a hand-edited "Aliases=200000000") reads as the sections present, which
// keeps its meaning for every count up to them and costs no more than the file itself.
template <typename Ini> int boundedCount(const Ini& ini, int count) {
    return std::min(count, ini.sectionCount());
}

template <typename Ini> int readCountOr(const Ini& ini, EntryKind kind, int def) {
    return boundedCount(ini, readNumber(ini, CountSection, ProfileFile::countKey(kind), def));
}

template <typename Ini> int readAliasLines(const Ini& ini, const QString& section) {
    return std::min(readNumber(ini, section, AliasLines, 0), ini.keyCount(section));
}

bool isChecked(const IniFile& ini, const QString& section) {
    return ini.readString(section, Checked, CheckedFalse) == CheckedTrue;
}

template <typename TextOf>
QVector<ProfileItem> loadList(const QString& profile, EntryKind kind, TextOf textOf) {
    const IniFile ini = IniFile::snapshot(profile);
    const int count = ProfileFile::readCount(ini, kind, CountReading::Strict);
    QVector<ProfileItem> items;
    for (int n = 1; n <= count; ++n) {
        const QString section = ProfileFile::sectionName(kind, n);
        items.push_back({textOf(ini, section), isChecked(ini, section)});
    }
    return items;
}

QString pairText(const IniFile& ini, const QString& section, const QString& left,
                 const QString& right) {
    return ini.readString(section, left, NotLoaded) + QStringLiteral(" = ") +
           ini.readString(section, right, NotLoaded);
}

// What a command naming an alias of the profile shows in the binding list. The aliases replace
// in ascending order and in a chain: alias j's descriptive name is replaced in turn by a later
// alias of that name. Worked out from the last alias back, so a binding costs one look-up.
QHash<QString, QString> aliasReplacements(const IniFile& ini) {
    QHash<QString, QString> shown;
    const int count = readCountOr(ini, EntryKind::Alias, 0);
    for (int j = count; j >= 1; --j) {
        const QString section = ProfileFile::sectionName(EntryKind::Alias, j);
        const QString descriptive = ini.readString(section, DescriptiveName, {});
        shown.insert(ini.readString(section, AliasName, {}), shown.value(descriptive, descriptive));
    }
    return shown;
}

// Entry `from` becomes entry `to` (whose section is empty): its data and its own check flag.
void moveEntry(IniEdit& ini, EntryKind kind, int from, int to) {
    const QString source = ProfileFile::sectionName(kind, from);
    const QString target = ProfileFile::sectionName(kind, to);
    const auto copy = [&](const QString& key) {
        ini.writeString(target, key, ini.readString(source, key, NotLoaded));
    };
    for (const QString& key : movedTextKeys(kind))
        copy(key);
    if (kind == EntryKind::Alias) {
        const int lines = readAliasLines(ini, source);
        ini.writeInteger(target, AliasLines, lines);
        for (int j = 1; j <= lines; ++j)
            copy(aliasLineKey(j));
    }
    if (ini.keyExists(source, Checked))
        ini.writeString(target, Checked, ini.readString(source, Checked, {}));
    ini.eraseSection(source);
}

bool renameWithin(const QString& profile, bool toBackup) {
    const QString backup = ProfileFile::backupPath(profile);
    return toBackup ? renameNoReplace(profile, backup) : renameNoReplace(backup, profile);
}

} // namespace

namespace ProfileFile {

QString profilePath(const QString& directory, const QString& name) {
    return PlatformConventions::native().join(directory, name + ProfileExtension);
}

QString globalProfilePath(const QString& directory) {
    return profilePath(directory, GlobalProfileName);
}

QString gameProfilePath(const QString& directory, const QString& name) {
    const QString exact = profilePath(directory, name);
    if (QFileInfo::exists(exact))
        return exact;
    const QString wanted = name + ProfileExtension;
    for (const QString& file : findFiles(directory, QStringLiteral("*"), EntryFilter::All)) {
        if (file.size() == wanted.size() && file.startsWith(name) &&
            file.endsWith(ProfileExtension, Qt::CaseInsensitive))
            return PlatformConventions::native().join(directory, file);
    }
    return exact;
}

QString backupPath(const QString& profile) {
    const qsizetype extension = ProfileExtension.size();
    return profile.chopped(std::min(extension, profile.size())) + BackupExtension;
}

QString sectionName(EntryKind kind, int n) {
    // One allocation: a save reads some thousand sections by name.
    char digits[16];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), n).ptr;
    const QLatin1String prefix(namesOf(kind).sectionPrefix);
    QString name;
    name.reserve(prefix.size() + (end - digits));
    return name.append(prefix).append(QLatin1String(digits, end));
}

QString countKey(EntryKind kind) {
    return namesOf(kind).countKey;
}

int readCount(const IniFile& profile, EntryKind kind, CountReading reading) {
    if (reading == CountReading::Lenient)
        return readCountOr(profile, kind, 0);
    const QString text = profile.readString(CountSection, countKey(kind), QStringLiteral("0"));
    if (const auto count = toInteger(text))
        return boundedCount(profile, *count);
    throw VexaError(ErrorText::notAnInteger(text));
}

int readCount(const QString& profile, EntryKind kind, CountReading reading) {
    return readCount(IniFile(profile), kind, reading);
}

QVector<ProfileItem> loadAliasList(const QString& profile) {
    return loadList(profile, EntryKind::Alias, [](const IniFile& ini, const QString& section) {
        return ini.readString(section, DescriptiveName, NotLoaded);
    });
}

QVector<ProfileItem> loadBindingList(const QString& profile) {
    std::optional<QHash<QString, QString>> replacements;
    return loadList(profile, EntryKind::Binding, [&](const IniFile& ini, const QString& section) {
        if (!replacements)
            replacements = aliasReplacements(ini);
        const QString command = ini.readString(section, BindValue, NotLoaded);
        return ini.readString(section, BindKey, NotLoaded) + QStringLiteral(" = ") +
               replacements->value(command, command);
    });
}

QVector<ProfileItem> loadSettingList(const QString& profile) {
    return loadList(profile, EntryKind::Setting, [](const IniFile& ini, const QString& section) {
        return pairText(ini, section, Setting, SettingValue);
    });
}

void setEntryChecked(const QString& profile, EntryKind kind, int n, bool flag) {
    IniFile(profile).writeString(sectionName(kind, n), Checked, flag ? CheckedTrue : CheckedFalse);
}

void setEntriesChecked(const QString& profile, EntryKind kind, int count, bool flag) {
    IniFile(profile).edit([&](IniEdit& ini) {
        for (int n = 1; n <= count; ++n)
            ini.writeString(sectionName(kind, n), Checked, flag ? CheckedTrue : CheckedFalse);
    });
}

void deleteEntry(const QString& profile, EntryKind kind, int p) {
    IniFile(profile).edit([&](IniEdit& ini) {
        // Bounded by the sections there were before one goes.
        int count = readCountOr(ini, kind, 0);
        if (p >= 1)
            ini.eraseSection(sectionName(kind, p));
        // A number outside the entries (the file changed since the list was filled) removes no
        // entry, so the count stays; below 0 it never goes.
        if (p >= 1 && p <= count) {
            for (int n = p; n < count; ++n)
                moveEntry(ini, kind, n + 1, n);
            --count;
        }
        ini.writeInteger(CountSection, countKey(kind), std::max(count, 0));
    });
}

QStringList gameProfileFiles(const QString& directory) {
    const QString global = GlobalProfileName + ProfileExtension;
    QStringList files = findFiles(directory, QLatin1Char('*') + ProfileExtension, EntryFilter::All);
    files.removeAll(global);
    return files;
}

void createGameProfile(const QString& profile) {
    IniFile(profile).edit([](IniEdit& ini) {
        for (const EntryKind kind : {EntryKind::Alias, EntryKind::Binding, EntryKind::Setting})
            ini.writeInteger(CountSection, countKey(kind).toLower(), 0);
    });
}

bool backupGameProfile(const QString& profile) {
    return renameWithin(profile, true);
}

bool restoreGameProfile(const QString& profile) {
    return renameWithin(profile, false);
}

bool provideGameProfile(const QString& profile) {
    if (QFileInfo::exists(profile))
        return true;
    if (!restoreGameProfile(profile))
        createGameProfile(profile);
    return false;
}

ProfileEntries readProfileEntries(const QString& profile, CountReading settingsCount) {
    const IniFile ini = IniFile::snapshot(profile);
    ProfileEntries entries;
    const int aliases = readCount(ini, EntryKind::Alias, CountReading::Lenient);
    for (int n = 1; n <= aliases; ++n) {
        const QString section = sectionName(EntryKind::Alias, n);
        ProfileAlias alias{
            ini.readString(section, DescriptiveName, QStringLiteral("Unknown Alias")),
            {},
            isChecked(ini, section)};
        const int lines = readAliasLines(ini, section);
        for (int j = 1; j <= lines; ++j)
            alias.lines << ini.readString(section, aliasLineKey(j), {});
        entries.aliases.push_back(alias);
    }
    const int bindings = readCount(ini, EntryKind::Binding, CountReading::Lenient);
    for (int n = 1; n <= bindings; ++n) {
        const QString section = sectionName(EntryKind::Binding, n);
        entries.bindings.push_back({ini.readString(section, BindKey, {}),
                                    ini.readString(section, BindValue, {}),
                                    isChecked(ini, section)});
    }
    const int settings = readCount(ini, EntryKind::Setting, settingsCount);
    for (int n = 1; n <= settings; ++n) {
        const QString section = sectionName(EntryKind::Setting, n);
        entries.settings.push_back({ini.readString(section, Setting, {}),
                                    ini.readString(section, SettingValue, {}),
                                    isChecked(ini, section)});
    }
    return entries;
}

} // namespace ProfileFile
