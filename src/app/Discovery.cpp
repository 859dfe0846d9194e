#include "Discovery.h"

#include "platform/EntryNames.h"
#include "platform/FileAccess.h"
#include "platform/GameFiles.h"
#include "platform/IniFile.h"
#include "platform/VexaIni.h"

namespace Discovery {

namespace {

const QString PcxExtension = QStringLiteral(".pcx");
const QString WeaponPicture = QStringLiteral("weapon");
const QString Players = QStringLiteral("players");

bool isIconOrWeapon(const QString& skin) {
    return (skin.size() >= 2 && skin[skin.size() - 2] == QLatin1Char('_')) || skin == WeaponPicture;
}

// Every name directly in `relative`, loose or archived, as the directory search gives it.
QStringList allEntries(const GameFiles& files, const QString& relative, const QString& pattern) {
    QStringList names = files.looseEntries(relative, pattern);
    for (const ArchiveEntry& entry : files.archivedEntries(relative, pattern))
        names << entry.name;
    return names;
}

} // namespace

QString playersBaseDirectory(const IniFile& settings) {
    return VexaIni::readString(settings, VexaIni::BaseDir,
                               PlatformConventions::native().defaultQuake2Dir());
}

QString driverDirectory(const IniFile& settings) {
    return VexaIni::readString(settings, VexaIni::Quake2Path, QString());
}

QStringList modelNames(const GameFiles& files) {
    QStringList names;
    for (const QString& entry : allEntries(files, Players, QStringLiteral("*.*"))) {
        const QString name = EntryNames::asciiLower(entry);
        if (!EntryNames::hasThreeLetterExtension(name))
            names << name;
    }
    return EntryNames::sortedOnce(names);
}

QStringList skinNames(const GameFiles& files, const QString& model) {
    QStringList names;
    const QString modelFolder = model.isEmpty() ? Players : Players + QLatin1Char('/') + model;
    for (const QString& entry : allEntries(files, modelFolder, QLatin1Char('*') + PcxExtension)) {
        const QString skin = EntryNames::asciiLower(entry).chopped(PcxExtension.size());
        if (!isIconOrWeapon(skin))
            names << skin;
    }
    return EntryNames::sortedOnce(names);
}

QStringList driverNames(const QString& quake2Dir, const PlatformConventions& platform,
                        bool rendererModules) {
    QStringList names;
    const qsizetype extension = platform.driverExtension().size();
    for (const QString& entry : EntryNames::searchEntries(quake2Dir, platform.driverPattern())) {
        const QString name = EntryNames::asciiLower(entry);
        if (!name.startsWith(QLatin1Char('_')) &&
            (rendererModules || !name.startsWith(QLatin1String("ref_"))))
            names << name.chopped(extension);
    }
    return names;
}

QString damagedArchiveNotice(const QString& archive) {
    return QStringLiteral("Damaged archive skipped: %1").arg(displayName(archive));
}

} // namespace Discovery
