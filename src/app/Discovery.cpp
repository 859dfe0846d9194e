#include "Discovery.h"

#include "platform/EntryNames.h"
#include "platform/IniFile.h"
#include "platform/VexaIni.h"

namespace Discovery {

namespace {

const QString PcxExtension = QStringLiteral(".pcx");
const QString WeaponPicture = QStringLiteral("weapon");

QString playersDirectory(const QString& baseDir) {
    return PlatformConventions::native().join(baseDir, QStringLiteral("players"));
}

bool isIconOrWeapon(const QString& skin) {
    return (skin.size() >= 2 && skin[skin.size() - 2] == QLatin1Char('_')) || skin == WeaponPicture;
}

} // namespace

QString playersBaseDirectory(const IniFile& settings) {
    return VexaIni::readString(settings, VexaIni::BaseDir,
                               PlatformConventions::native().defaultQuake2Dir());
}

QString driverDirectory(const IniFile& settings) {
    return VexaIni::readString(settings, VexaIni::Quake2Path, QString());
}

QStringList modelNames(const QString& baseDir) {
    QStringList names;
    if (baseDir.isEmpty())
        return names;
    for (const QString& entry :
         EntryNames::searchEntries(playersDirectory(baseDir), QStringLiteral("*.*"))) {
        const QString name = EntryNames::asciiLower(entry);
        if (!EntryNames::hasThreeLetterExtension(name))
            names << name;
    }
    return names;
}

QStringList skinNames(const QString& baseDir, const QString& model) {
    QStringList names;
    if (baseDir.isEmpty())
        return names;
    const QString modelDir = PlatformConventions::native().join(playersDirectory(baseDir), model);
    for (const QString& entry :
         EntryNames::searchEntries(modelDir, QLatin1Char('*') + PcxExtension)) {
        const QString skin = EntryNames::asciiLower(entry).chopped(PcxExtension.size());
        if (!isIconOrWeapon(skin))
            names << skin;
    }
    return names;
}

QStringList driverNames(const QString& quake2Dir, const PlatformConventions& platform) {
    QStringList names;
    const qsizetype extension = platform.driverExtension().size();
    for (const QString& entry : EntryNames::searchEntries(quake2Dir, platform.driverPattern())) {
        const QString name = EntryNames::asciiLower(entry);
        if (!name.startsWith(QLatin1Char('_')))
            names << name.chopped(extension);
    }
    return names;
}

} // namespace Discovery
