#include "ListInstalledCommand.h"

#include "app/Discovery.h"
#include "launch/BatchFile.h"
#include "platform/IniFile.h"
#include "platform/PlatformConventions.h"
#include "platform/VexaIni.h"
#include "profiles/GameInputDialog.h"
#include "profiles/MapLists.h"
#include "settings/GameHome.h"

#include <QFileInfo>
#include <QHash>
#include <QTextStream>

#include <algorithm>

namespace {

const QString NoInstallation =
    QStringLiteral("vexa: no Quake 2 installation is known: vexa.ini names no Quake 2 directory "
                   "that exists. Start vexa once to choose it.");

const PlatformConventions& platform() {
    return PlatformConventions::native();
}

// A name as one safe line: names from archives and folders may hold line breaks and the
// terminal's escape sequences, so control characters (C0, DEL, C1) and the backslash are written
// as C escapes.
QString printable(const QString& name) {
    static const QHash<QChar, QString> named{{u'\\', QStringLiteral("\\\\")},
                                             {u'\t', QStringLiteral("\\t")},
                                             {u'\n', QStringLiteral("\\n")},
                                             {u'\r', QStringLiteral("\\r")}};
    const auto control = [](QChar c) {
        const char16_t u = c.unicode();
        return u < 0x20 || (u >= 0x7F && u < 0xA0);
    };
    if (std::none_of(name.cbegin(), name.cend(), [&](QChar c) { return control(c) || c == u'\\'; }))
        return name;
    QString text;
    for (const QChar c : name) {
        if (const auto found = named.constFind(c); found != named.cend())
            text += *found;
        else if (control(c))
            text += QStringLiteral("\\x%1").arg(uint(c.unicode()), 2, 16, QLatin1Char('0'));
        else
            text += c;
    }
    return text;
}

class Listing {
public:
    explicit Listing(QTextStream& out) : out_(out) {}
    void item(const char* kind, const QString& value) {
        out_ << kind << '\t' << printable(value) << '\n';
    }
    void items(const char* kind, const QStringList& values) {
        for (const QString& value : values)
            item(kind, value);
    }

private:
    QTextStream& out_;
};

// The mod the launch script starts, as start-up reads it back; none without a script.
QString scriptGame(const IniFile& ini, const QString& quake2Dir) {
    const QString script = VexaIni::readString(ini, VexaIni::BatchFile, QString());
    if (script.isEmpty() || !QFileInfo(script).isFile())
        return {};
    return readBatchFile(script, quake2Dir).game.value_or(QString());
}

// The script Run names, then the file the game runs in its place.
QString configTheGameReads(const IniFile& ini, const EngineChoice& choice, const QString& quake2Dir,
                           const QString& baseDir) {
    const QString chosen =
        VexaIni::readString(ini, VexaIni::ConfigFile, defaultConfigFile(choice, baseDir));
    return fileTheGameReads(gameSearchFolders(choice, quake2Dir, scriptGame(ini, quake2Dir)),
                            chosen);
}

QStringList skins(const GameFiles& files, const QStringList& models) {
    QStringList skins;
    for (const QString& model : models) {
        for (const QString& skin : Discovery::skinNames(files, model))
            skins << model + QLatin1Char('/') + skin;
    }
    return skins;
}

} // namespace

int listInstalled(QTextStream& out, QTextStream& messages) {
    const IniFile ini(VexaIni::fileName());
    const QString quake2Dir = VexaIni::readString(ini, VexaIni::Quake2Path, QString());
    if (quake2Dir.isEmpty() || !QFileInfo(quake2Dir).isDir()) {
        messages << NoInstallation << Qt::endl;
        return 1;
    }
    const EngineChoice choice = readEngineChoice(ini).value_or(detectEngine(quake2Dir));
    const QString baseDir = VexaIni::readString(ini, VexaIni::BaseDir, platform().defaultBaseDir());
    const GameFiles modelFiles = gameDataFiles(choice, Discovery::playersBaseDirectory(ini));
    const GameFiles mapFiles = gameDataFiles(choice, MapLists::mapBaseDirectory(ini));

    Listing listing(out);
    listing.item("engine", engineIniName(choice.engine));
    if (!choice.home.isEmpty())
        listing.item("home", choice.home);
    listing.item("config", configTheGameReads(ini, choice, quake2Dir, baseDir));
    const QStringList models = Discovery::modelNames(modelFiles);
    listing.items("model", models);
    listing.items("skin", skins(modelFiles, models));
    listing.items("map", MapLists::mapNames(mapFiles));
    listing.items("save", MapLists::saveGameNames({homeGameFolder(choice), baseDir}));
    listing.items("game", gameCandidates(quake2Dir));
    listing.items("driver", Discovery::driverNames(Discovery::driverDirectory(ini),
                                                   PlatformConventions::native(),
                                                   choice.engine == Engine::id));
    out.flush();

    QStringList damaged = modelFiles.damagedArchives() + mapFiles.damagedArchives();
    damaged.removeDuplicates();
    for (const QString& archive : damaged)
        messages << "vexa: " << Discovery::damagedArchiveNotice(archive) << Qt::endl;
    return 0;
}
