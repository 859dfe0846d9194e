#include "MapLists.h"

#include "platform/EntryNames.h"
#include "platform/IniFile.h"
#include "platform/PlatformConventions.h"
#include "platform/TextFile.h"
#include "platform/VexaIni.h"

#include <QFileInfo>

namespace MapLists {

namespace {

const PlatformConventions& platform() {
    return PlatformConventions::native();
}

bool isDotEntry(const QString& name) {
    return name == QLatin1String(".") || name == QLatin1String("..");
}

} // namespace

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

QStringList mapNames(const QString& baseDir) {
    QStringList names;
    if (baseDir.isEmpty())
        return names;
    const QString mapsDir = platform().join(baseDir, QStringLiteral("maps"));
    for (const QString& entry : EntryNames::searchEntries(mapsDir, QStringLiteral("*.*"))) {
        if (isDotEntry(entry))
            continue;
        // The extension is not looked at: every entry stands for a map.
        names << EntryNames::asciiLower(entry).chopped(qMin<qsizetype>(4, entry.size()));
    }
    return names;
}

QStringList mergeMapNames(const QStringList& listed, const QStringList& found) {
    QStringList merged = listed;
    for (const QString& name : found)
        if (!merged.contains(name, Qt::CaseInsensitive))
            merged << name;
    return merged;
}

QStringList BuildMapList(const IniFile& settings, const QString& programDir) {
    return mergeMapNames(readListFile(mapListPath(programDir)),
                         mapNames(mapBaseDirectory(settings)));
}

QStringList saveGameNames(const QString& baseDir) {
    QStringList names;
    if (baseDir.isEmpty())
        return names;
    const QString saveDir = platform().join(baseDir, QStringLiteral("save"));
    for (const QString& entry : EntryNames::searchEntries(saveDir, QStringLiteral("*.*"))) {
        const QString name = EntryNames::asciiLower(entry);
        if (!EntryNames::hasThreeLetterExtension(name))
            names << name;
    }
    return names;
}

QStringList serverNames(const QString& programDir) {
    return readListFile(serverListPath(programDir));
}

} // namespace MapLists
