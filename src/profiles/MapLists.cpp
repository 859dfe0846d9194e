#include "MapLists.h"

#include "platform/EntryNames.h"
#include "platform/IniFile.h"
#include "platform/PlatformConventions.h"
#include "platform/TextFile.h"
#include "platform/VexaIni.h"
#include "settings/GameHome.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>

namespace MapLists {

namespace {

const PlatformConventions& platform() {
    return PlatformConventions::native();
}

bool isDotEntry(const QString& name) {
    return name == QLatin1String(".") || name == QLatin1String("..");
}

QString mapName(const QString& entry) {
    return EntryNames::asciiLower(entry).chopped(qMin<qsizetype>(4, entry.size()));
}

} // namespace

QByteArray mapNameBytes(const QString& name) {
    const bool latin1 =
        std::all_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() < 0x100; });
    return latin1 ? name.toLatin1() : name.toUtf8();
}

QString mapNameOf(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(bytes);
    const bool beyondLatin1 =
        std::any_of(decoded.cbegin(), decoded.cend(), [](QChar c) { return c.unicode() >= 0x100; });
    return !utf8.hasError() && beyondLatin1 && decoded.toUtf8() == bytes
               ? decoded
               : QString::fromLatin1(bytes);
}

QString mapListPath(const QString& programDir) {
    return platform().join(programDir, QLatin1String(MapListName));
}

QString serverListPath(const QString& programDir) {
    return platform().join(programDir, QLatin1String(ServerListName));
}

QStringList readListFile(const QString& fileName) {
    if (!QFileInfo::exists(fileName))
        return {};
    return TextFile::readLines(fileName);
}

QString mapBaseDirectory(const IniFile& settings) {
    if (VexaIni::exists(settings, VexaIni::BaseDir))
        return VexaIni::readString(settings, VexaIni::BaseDir, QString());
    const QString quake2Dir =
        VexaIni::readString(settings, VexaIni::Quake2Path, platform().defaultQuake2Dir());
    return platform().join(quake2Dir, QStringLiteral("baseq2"));
}

QStringList mapNames(const GameFiles& files) {
    QStringList names;
    for (const QString& entry : files.looseEntries(QStringLiteral("maps"), QStringLiteral("*.*"))) {
        if (!isDotEntry(entry)) // the extension is not looked at: every entry is a map
            names << mapName(mapNameOf(QFile::encodeName(entry)));
    }
    for (const ArchiveEntry& entry :
         files.archivedEntries(QStringLiteral("maps"), QStringLiteral("*.bsp"))) {
        if (!entry.folder)
            names << mapName(entry.name);
    }
    return EntryNames::sortedOnce(names);
}

QStringList mergeMapNames(const QStringList& listed, const QStringList& found) {
    QStringList merged = listed;
    QSet<QString> seen; // case-folded: hundreds of maps are found in a well-used installation
    for (const QString& name : listed)
        seen.insert(name.toCaseFolded());
    for (const QString& name : found) {
        if (!seen.contains(name.toCaseFolded())) {
            seen.insert(name.toCaseFolded());
            merged << name;
        }
    }
    return merged;
}

QStringList buildMapList(const IniFile& settings, const QString& programDir, const QString& game) {
    const EngineChoice choice = storedEngineChoice(settings);
    const QString quake2Dir =
        VexaIni::readString(settings, VexaIni::Quake2Path, platform().defaultQuake2Dir());
    const QStringList modMaps = mapNames(modDataFiles(choice, quake2Dir, game));
    return mergeMapNames(mergeMapNames(readListFile(mapListPath(programDir)), modMaps),
                         mapNames(gameDataFiles(choice, mapBaseDirectory(settings))));
}

QStringList saveGameNames(const QStringList& folders) {
    QStringList names;
    for (const QString& folder : folders) {
        if (folder.isEmpty())
            continue;
        const QString saveDir = platform().join(folder, QStringLiteral("save"));
        for (const QString& entry : EntryNames::searchEntries(saveDir, QStringLiteral("*.*"))) {
            const QString name = EntryNames::asciiLower(entry);
            if (!EntryNames::hasThreeLetterExtension(name))
                names << name;
        }
    }
    return EntryNames::sortedOnce(names);
}

QStringList serverNames(const QString& programDir) {
    return readListFile(serverListPath(programDir));
}

} // namespace MapLists
