#include "Discovery.h"

#include "platform/EntryNames.h"
#include "platform/IniFile.h"
#include "platform/VexaIni.h"

#include <QFileInfo>

namespace Discovery {

namespace {

const QString PcxExtension = QStringLiteral(".pcx");
const QString WeaponPicture = QStringLiteral("weapon");

QString playersDirectory(const QString& baseDir) {
    return PlatformConventions::native().join(baseDir, QStringLiteral("players"));
}

// The listed model names are lower case while the directories may not be, and this file
// system tells letter cases apart: a name that names no directory exactly takes the first entry
// that matches it ignoring ASCII case, as it would where names are compared that way.
QString modelDirectory(const QString& playersDir, const QString& model) {
    const auto& platform = PlatformConventions::native();
    const QString exact = platform.join(playersDir, model);
    if (model.isEmpty() || QFileInfo(exact).isDir())
        return exact;
    const QString wanted = EntryNames::asciiLower(model);
    for (const QString& entry : EntryNames::searchEntries(playersDir, QStringLiteral("*")))
        if (EntryNames::asciiLower(entry) == wanted)
            return platform.join(playersDir, entry);
    return exact;
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
    const QString modelDir = modelDirectory(playersDirectory(baseDir), model);
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
