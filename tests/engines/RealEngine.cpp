#include "RealEngine.h"

#include "support/TestEnvironment.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <unistd.h>

namespace {

// Neither engine runs as root (Yamagi refuses, Q2PRO too): a test run as root starts it as
// this user, on files it owns.
constexpr uid_t EngineUser = 65534;
constexpr int TimeLimitMs = 30000;

const char* folderOf(Engine engine) {
    return engine == Engine::q2pro ? "q2pro" : "yamagi";
}

struct Programs {
    const char* client;
    const char* server;
    const char* homeName;
};

Programs programsOf(Engine engine) {
    return engine == Engine::q2pro ? Programs{"q2pro", "q2proded", ".q2pro"}
                                   : Programs{"quake2", "q2ded", ".yq2"};
}

// What every headless run needs before the game's own arguments: a data directory and no
// window (Yamagi's software renderer needs no GL), console output on a pipe (Q2PRO).
// The Q2PRO build is not a system-wide one, whose home would be ~/.q2pro: it is named.
QStringList headlessSwitches(Engine engine, const QString& dataDir, const QString& home) {
    if (engine == Engine::q2pro)
        return {QStringLiteral("+set"), QStringLiteral("sys_console"), QStringLiteral("1"),
                QStringLiteral("+set"), QStringLiteral("homedir"),     home};
    return {QStringLiteral("-datadir"), dataDir, QStringLiteral("+set"),
            QStringLiteral("vid_renderer"), QStringLiteral("soft")};
}

QStringList listingCommands(Engine engine) {
    QStringList words{QStringLiteral("+echo"),     QStringLiteral("@@binds"),
                      QStringLiteral("+bindlist"), QStringLiteral("+echo"),
                      QStringLiteral("@@cvars"),   QStringLiteral("+cvarlist")};
    if (engine == Engine::q2pro)
        words << QStringLiteral("-v"); // with the flags, in the same layout as Yamagi's
    words << QStringLiteral("+echo") << QStringLiteral("@@aliases") << QStringLiteral("+alias")
          << QStringLiteral("+echo") << QStringLiteral("@@end") << QStringLiteral("+quit");
    return words;
}

void copyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + path.mid(from.size());
        if (it.fileInfo().isDir()) {
            QDir().mkpath(target);
            continue;
        }
        QFile::remove(target);
        QFile::copy(path, target);
        QFile(target).setPermissions(QFile(path).permissions() | QFile::WriteOwner);
    }
}

void giveToEngineUser(const QString& root) {
    if (geteuid() != 0)
        return;
    auto own = [](const QString& path) {
        if (lchown(QFile::encodeName(path).constData(), EngineUser, EngineUser) != 0)
            qWarning("cannot give %s to the engine's user", qPrintable(path));
    };
    own(root);
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        own(it.next());
}

// Splits the engine's output at the markers the listing commands echo.
QMap<QString, QStringList> sections(const QString& log) {
    QMap<QString, QStringList> found;
    QString current;
    for (const QString& rawLine : log.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(QLatin1String("@@"))) {
            current = line.mid(2);
            continue;
        }
        if (!current.isEmpty())
            found[current] << rawLine;
    }
    return found;
}

void parseHold(Engine engine, EngineHold& hold) {
    const QMap<QString, QStringList> parts = sections(hold.log);
    static const QRegularExpression bindLine(QStringLiteral(R"re(^(\S+) "(.*)"\s*$)re"));
    // Four flag columns, a blank, the name and the quoted value.
    static const QRegularExpression cvarLine(QStringLiteral(R"re(^.{4} (\S+) "(.*)"\s*$)re"));
    static const QRegularExpression yamagiAlias(QStringLiteral(R"re(^(\S+) : (.*?)\s*$)re"));
    static const QRegularExpression q2proAlias(QStringLiteral(R"re(^"(.*)" = "(.*)"\s*$)re"));
    auto fill = [&](const char* part, const QRegularExpression& pattern,
                    QMap<QString, QString>& into) {
        for (const QString& line : parts.value(QLatin1String(part))) {
            const QRegularExpressionMatch m = pattern.match(line);
            if (m.hasMatch())
                into.insert(m.captured(1), m.captured(2));
        }
    };
    fill("binds", bindLine, hold.binds);
    fill("cvars", cvarLine, hold.cvars);
    fill("aliases", engine == Engine::q2pro ? q2proAlias : yamagiAlias, hold.aliases);
}

QString describe(const QMap<QString, QString>& map, const QString& key) {
    return map.contains(key) ? map.value(key) : QStringLiteral("(none)");
}

void addDifferences(const char* kind, const QMap<QString, QString>& before,
                    const QMap<QString, QString>& after, const QStringList& ignored,
                    QStringList& out) {
    QStringList keys = before.keys() + after.keys();
    keys.removeDuplicates();
    keys.sort();
    for (const QString& key : keys) {
        if (ignored.contains(key) ||
            (before.contains(key) == after.contains(key) && before.value(key) == after.value(key)))
            continue;
        out << QStringLiteral("%1 %2: %3 -> %4")
                   .arg(QLatin1String(kind), key, describe(before, key), describe(after, key));
    }
}

} // namespace

QString RealEngine::buildsDir() {
    return qEnvironmentVariable("VEXA_TEST_ENGINES");
}

QString RealEngine::unavailableReason(Engine engine) {
    const QString dir = buildsDir();
    if (dir.isEmpty())
        return QStringLiteral("VEXA_TEST_ENGINES is not set: set it to a folder laid out like "
                              "shared/engines/peers to test against the real engines");
    const QString program = dir + QLatin1Char('/') + QLatin1String(folderOf(engine)) +
                            QLatin1Char('/') + QLatin1String(programsOf(engine).client);
    if (!QFileInfo(program).isExecutable())
        return QStringLiteral("no engine at %1").arg(program);
    return {};
}

RealEngine::RealEngine(Engine engine, TestEnvironment& env) : engine_(engine), env_(env) {
    const QString builds = buildsDir();
    copyTree(builds + QLatin1Char('/') + QLatin1String(folderOf(engine)), dataDir());
    QDir().mkpath(baseHome());
    // Yamagi finds its pictures in the home; Q2PRO in the data directory.
    const QString picturesDir =
        engine == Engine::q2pro ? dataDir() + QStringLiteral("/baseq2") : baseHome();
    QFile::copy(builds + QStringLiteral("/data/pak0.pak"),
                picturesDir + QStringLiteral("/pak0.pak"));
}

QString RealEngine::home() const {
    return env_.root() + QStringLiteral("/home/") + QLatin1String(programsOf(engine_).homeName);
}

QString RealEngine::baseHome() const {
    return home() + QStringLiteral("/baseq2");
}

QString RealEngine::dataDir() const {
    return env_.quake2Dir();
}

QStringList RealEngine::headlessArguments() const {
    return headlessSwitches(engine_, dataDir(), home());
}

void RealEngine::addMap() const {
    QFile::copy(buildsDir() + QStringLiteral("/data/fakemap.pak"),
                dataDir() + QStringLiteral("/baseq2/pak1.pak"));
}

EngineHold RealEngine::run(const QStringList& arguments, bool dedicated) const {
    const Programs programs = programsOf(engine_);
    return runProgram(dataDir() + QLatin1Char('/') +
                          QLatin1String(dedicated ? programs.server : programs.client),
                      arguments);
}

EngineHold RealEngine::runProgram(const QString& program, const QStringList& arguments) const {
    giveToEngineUser(env_.root());
    QStringList words = headlessArguments() + arguments + listingCommands(engine_);
    QProcess process;
    if (geteuid() == 0) {
        words.prepend(program);
        words = QStringList{QStringLiteral("--reuid=%1").arg(EngineUser),
                            QStringLiteral("--regid=%1").arg(EngineUser),
                            QStringLiteral("--clear-groups")} +
                words;
        process.setProgram(QStringLiteral("setpriv"));
    } else {
        process.setProgram(program);
    }
    process.setArguments(words);
    process.setWorkingDirectory(dataDir());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("SDL_VIDEODRIVER"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start();
    EngineHold hold;
    if (!process.waitForFinished(TimeLimitMs)) {
        process.kill();
        process.waitForFinished();
        hold.log = QStringLiteral("(no end within the time limit)\n");
    }
    hold.log += QString::fromLatin1(process.readAll());
    if (!hold.log.contains(QLatin1String("@@end")))
        qWarning("%s did not list what it holds:\n%s", qPrintable(program), qPrintable(hold.log));
    parseHold(engine_, hold);
    QFile config(baseHome() + QStringLiteral("/config.cfg"));
    if (config.open(QIODevice::ReadOnly))
        hold.configAtQuit = config.readAll();
    return hold;
}

QStringList holdDifferences(const EngineHold& before, const EngineHold& after) {
    QStringList out;
    // The client's port is drawn at random on every start.
    addDifferences("cvar", before.cvars, after.cvars, {QStringLiteral("qport")}, out);
    addDifferences("bind", before.binds, after.binds, {}, out);
    addDifferences("alias", before.aliases, after.aliases, {}, out);
    return out;
}
