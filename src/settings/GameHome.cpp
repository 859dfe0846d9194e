#include "GameHome.h"

#include "platform/IniFile.h"
#include "platform/PlatformConventions.h"
#include "platform/VexaIni.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString join(const QString& directory, const QString& name) {
    return PlatformConventions::native().join(directory, name);
}

QString yamagiDotHome() {
    return join(QDir::homePath(), QStringLiteral(".yq2"));
}

QString yamagiDataHome() {
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = join(QDir::homePath(), QStringLiteral(".local/share"));
    return join(dataHome, QStringLiteral("YamagiQ2"));
}

QString q2proHome() {
    return join(QDir::homePath(), QStringLiteral(".q2pro"));
}

bool isMod(const QString& game) {
    return !game.trimmed().isEmpty() && game.compare(BaseGame, Qt::CaseInsensitive) != 0;
}

bool isDirectory(const QString& path) {
    return QFileInfo(path).isDir();
}

// A directory's path with links resolved where it exists, so two names of one place compare equal.
QString samePlace(const QString& directory) {
    const QFileInfo info(directory);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

// Whether only `engine` installs a program of this name.
bool programOfOneEngine(Engine engine, const char* program) {
    for (Engine other : AllEngines) {
        for (const char* const* name = engineFacts(other).programNames; other != engine && *name;
             ++name) {
            if (qstrcmp(*name, program) == 0)
                return false;
        }
    }
    return true;
}

// The first program in the Quake 2 directory that names its engine.
std::optional<EngineDetection> engineOfProgram(const QString& quake2Dir) {
    if (quake2Dir.isEmpty())
        return std::nullopt;
    for (Engine engine : AllEngines) {
        for (const char* const* name = engineFacts(engine).programNames; *name; ++name) {
            const QString path = join(quake2Dir, QLatin1String(*name));
            if (programOfOneEngine(engine, *name) && QFileInfo(path).isFile())
                return EngineDetection{{engine, usualHome(engine)},
                                       QStringLiteral("its program %1").arg(path)};
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<EngineChoice> readEngineChoice(const IniFile& settings) {
    const auto engine =
        engineFromIniName(VexaIni::readString(settings, VexaIni::GameEngine, QString()));
    if (!engine)
        return std::nullopt;
    return EngineChoice{*engine, VexaIni::readString(settings, VexaIni::GameHome, QString())};
}

EngineChoice storedEngineChoice(const IniFile& settings) {
    return readEngineChoice(settings).value_or(EngineChoice{});
}

void writeEngineChoice(IniFile& settings, const EngineChoice& choice) {
    VexaIni::write(settings, VexaIni::GameEngine, engineIniName(choice.engine));
    VexaIni::write(settings, VexaIni::GameHome, choice.home);
}

QString usualHome(Engine engine) {
    switch (engine) {
    case Engine::yamagi:
        return isDirectory(yamagiDotHome()) ? yamagiDotHome() : yamagiDataHome();
    case Engine::q2pro:
        return q2proHome();
    case Engine::id:
        break;
    }
    return {};
}

EngineDetection findEngine(const QString& quake2Dir) {
    if (auto byProgram = engineOfProgram(quake2Dir))
        return *byProgram;
    const std::pair<QString, Engine> homes[] = {{yamagiDotHome(), Engine::yamagi},
                                                {yamagiDataHome(), Engine::yamagi},
                                                {q2proHome(), Engine::q2pro}};
    for (const auto& [home, engine] : homes) {
        if (isDirectory(home))
            return {{engine, home}, QStringLiteral("its home %1").arg(home)};
    }
    return {{}, QStringLiteral("no program or home of another engine")};
}

EngineChoice detectEngine(const QString& quake2Dir) {
    return findEngine(quake2Dir).choice;
}

QString gameProgramName(Engine engine, const QString& quake2Dir) {
    const char* const* names = engineFacts(engine).programNames;
    for (const char* const* name = names; *name; ++name) {
        if (QFileInfo(join(quake2Dir, QLatin1String(*name))).isFile())
            return QLatin1String(*name);
    }
    return QLatin1String(names[0]);
}

QString homeGameFolder(const EngineChoice& choice, const QString& game) {
    return choice.home.isEmpty() ? QString() : join(choice.home, game);
}

GameFiles gameDataFiles(const EngineChoice& choice, const QString& baseDir) {
    return GameFiles({homeGameFolder(choice), baseDir}, engineArchivePatterns(choice.engine));
}

GameFiles modDataFiles(const EngineChoice& choice, const QString& quake2Dir, const QString& game) {
    if (!isMod(game))
        return {};
    return GameFiles(
        {homeGameFolder(choice, game), quake2Dir.isEmpty() ? QString() : join(quake2Dir, game)},
        engineArchivePatterns(choice.engine));
}

QString defaultConfigFile(const EngineChoice& choice, const QString& baseDir) {
    return join(choice.home.isEmpty() ? baseDir : homeGameFolder(choice), VexaScriptName);
}

QString gameConfigFile(const EngineChoice& choice, const QString& baseDir) {
    return join(choice.home.isEmpty() ? baseDir : homeGameFolder(choice), GameConfigName);
}

namespace {

// The first file of that name in the folders, as the game's exec finds it; empty for none.
QString firstFound(const QStringList& folders, const QString& name) {
    for (const QString& folder : folders) {
        const QFileInfo file(join(folder, name));
        if (file.isFile())
            return file.absoluteFilePath();
    }
    return {};
}

} // namespace

QStringList gameStartupFiles(const EngineChoice& choice, const QString& quake2Dir,
                             const QString& game) {
    const QStringList folders = gameSearchFolders(choice, quake2Dir, game);
    const QString autoexec = QStringLiteral("autoexec.cfg");
    QStringList found;
    const auto add = [&found](const QString& path) {
        if (!path.isEmpty() && !found.contains(path))
            found << path;
    };
    if (choice.engine == Engine::yamagi)
        add(firstFound(folders, QStringLiteral("yq2.cfg")));
    add(firstFound(folders, GameConfigName));
    if (choice.engine == Engine::q2pro && isMod(game))
        add(firstFound(gameSearchFolders(choice, quake2Dir, BaseGame), autoexec));
    add(firstFound(folders, autoexec));
    if (choice.engine == Engine::q2pro)
        add(firstFound(folders, QStringLiteral("postexec.cfg")));
    return found;
}

QStringList gameSearchFolders(const EngineChoice& choice, const QString& quake2Dir,
                              const QString& game) {
    QStringList games;
    if (isMod(game))
        games << game;
    games << BaseGame;
    QStringList folders;
    for (const QString& name : games) {
        if (!choice.home.isEmpty())
            folders << homeGameFolder(choice, name);
        if (!quake2Dir.isEmpty())
            folders << join(quake2Dir, name);
    }
    return folders;
}

std::optional<QString> fileReadInstead(const QStringList& folders, const QString& chosen) {
    const auto& platform = PlatformConventions::native();
    const QString name = platform.fileNameOf(chosen);
    if (name.isEmpty())
        return std::nullopt;
    const QString chosenFolder = samePlace(platform.directoryOf(chosen));
    // Folders after the chosen file's own come too late: once written, it is found first.
    for (const QString& folder : folders) {
        if (samePlace(folder) == chosenFolder)
            return std::nullopt;
        const QFileInfo candidate(join(folder, name));
        if (candidate.isFile())
            return candidate.absoluteFilePath();
    }
    return std::nullopt;
}

QString fileTheGameReads(const QStringList& folders, const QString& chosen) {
    return fileReadInstead(folders, chosen).value_or(chosen);
}
