#include "app/ConfigCommand.h"
#include "platform/FileAccess.h"
#include "platform/IniFile.h"
#include "platform/VexaError.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QProcess>
#include <QTest>
#include <QTextStream>

namespace {

// A world whose start-up asks nothing and reads base config.cfg, which names the player "Base".
struct CommandWorld {
    TestEnvironment env;
    QString storedConfig;

    explicit CommandWorld(bool knownDirectories = true) {
        if (knownDirectories)
            env.seedKnownDirectories();
        storedConfig = env.writeFile("quake2/baseq2/config.cfg", "set name \"Base\"\r\n");
        IniFile(env.iniPath()).writeString("vexa", "configfile", storedConfig);
    }

    QString inProgramDir(const QString& name) const { return env.programDir() + '/' + name; }
    QString ini(const char* section, const char* key) const {
        return IniFile(env.iniPath()).readString(section, key, QStringLiteral("<missing>"));
    }
};

struct Outcome {
    int exitCode;
    QString messages;
};

Outcome run(const ConfigFiles& files) {
    QString messages;
    QTextStream stream(&messages);
    const int exitCode = runConfigFiles(files, stream);
    stream.flush();
    return {exitCode, messages};
}

} // namespace

class TstConfigCommand : public QObject {
    Q_OBJECT

private slots:
    void readsOneFileAndWritesAnother();
    void writesWhatStartUpRead();
    void failures_data();
    void failures();
    void goesOnWithoutTheStartupConfig();
    void worksOnTheDemo();
    void programRunsWithoutADisplay();
    void programRejectsUnknownOptions();
};

void TstConfigCommand::readsOneFileAndWritesAnother() {
    CommandWorld world;
    world.env.writeFile("program/in.cfg", "set name \"FromIn\"\r\nSet fov \"110\"\r\n");
    const Outcome outcome = run({QStringLiteral("in.cfg"), QStringLiteral("out.cfg")});
    QCOMPARE(outcome.messages, QString());
    QCOMPARE(outcome.exitCode, 0);
    const QByteArray written = world.env.readFile(world.inProgramDir("out.cfg"));
    QVERIFY(written.startsWith("set name \"FromIn\"\r\n"));
    QVERIFY(written.contains("\r\nSet fov \"110\"\r\n"));
    // The file names of vexa.ini stay those of the window.
    QCOMPARE(world.ini("vexa", "configfile"), world.storedConfig);
}

void TstConfigCommand::writesWhatStartUpRead() {
    CommandWorld world;
    const QString out = world.env.root() + "/saved.cfg";
    QCOMPARE(run({std::nullopt, out}).exitCode, 0);
    QVERIFY(world.env.readFile(out).startsWith("set name \"Base\"\r\n"));
}

void TstConfigCommand::failures_data() {
    QTest::addColumn<bool>("knownDirectories");
    QTest::addColumn<bool>("baseConfig");
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("message");
    QTest::newRow("start-up would ask") << false << true << "in.cfg"
                                        << "vexa: Cannot ask without a window: Quake2 Location";
    QTest::newRow("missing input") << true << true << "none.cfg"
                                   << "vexa: Cannot open file %program%/none.cfg";
}

void TstConfigCommand::failures() {
    QFETCH(bool, knownDirectories);
    QFETCH(bool, baseConfig);
    QFETCH(QString, in);
    QFETCH(QString, message);
    CommandWorld world(knownDirectories);
    if (!baseConfig)
        QFile::remove(world.storedConfig);
    world.env.writeFile("program/in.cfg", "set name \"FromIn\"\r\n");
    const Outcome outcome = run({in, QStringLiteral("out.cfg")});
    QCOMPARE(outcome.exitCode, 1);
    message.replace("%base%", displayName(world.env.baseDir()));
    message.replace("%program%", displayName(world.env.programDir()));
    QCOMPARE(outcome.messages, message + '\n');
    QVERIFY(!QFile::exists(world.inProgramDir("out.cfg")));
    if (!knownDirectories) // nothing was stored for an answer nobody gave
        QCOMPARE(world.ini("quake2", "path"), QStringLiteral("<missing>"));
}

// As the window does, the command says that the start-up's config is missing and goes on from
// the defaults.
void TstConfigCommand::goesOnWithoutTheStartupConfig() {
    CommandWorld world;
    QFile::remove(world.storedConfig);
    const Outcome outcome = run({std::nullopt, QStringLiteral("out.cfg")});
    QCOMPARE(outcome.messages, "vexa: There is no config " +
                                   displayName(world.env.baseDir() + "/config.cfg") +
                                   " yet: the settings show the defaults until Save Config "
                                   "writes it\n");
    QCOMPARE(outcome.exitCode, 0);
    const QByteArray written = world.env.readFile(world.inProgramDir("out.cfg"));
    QVERIFY(written.contains("\r\nset vid_gamma \"1\"\r\n"));
    QVERIFY(written.contains("\r\nBind CTRL \"+attack\"\r\n"));
}

void TstConfigCommand::worksOnTheDemo() {
    CommandWorld world;
    QProcess vexa;
    vexa.setWorkingDirectory(world.env.programDir());
    const QString out = world.env.root() + "/out.cfg";
    vexa.start(QStringLiteral(VEXA_PROGRAM), {"--demo", "--save-config", out});
    QVERIFY(vexa.waitForFinished(60000));
    QVERIFY2(vexa.exitCode() == 0, vexa.readAllStandardError().constData());
    // The demo's own game-written config, not the world's.
    QVERIFY(world.env.readFile(out).contains("\r\nset name \"Newcomer\"\r\n"));
    QVERIFY(QFile::exists(world.env.root() + "/data/vexa/demo"));
    // The listing and the command line are the demo's too.
    vexa.start(QStringLiteral(VEXA_PROGRAM), {"--demo", "--list-installed"});
    QVERIFY(vexa.waitForFinished(60000));
    QCOMPARE(vexa.exitCode(), 0);
    QVERIFY(vexa.readAllStandardOutput().contains("\nmodel\tfemale\n"));
    vexa.start(QStringLiteral(VEXA_PROGRAM), {"--demo", "--command-line"});
    QVERIFY(vexa.waitForFinished(60000));
    QVERIFY(vexa.readAllStandardOutput().contains("/data/vexa/demo/quake2 "));
    // Files named on the command line are found where the command was given, not in the demo.
    world.env.writeFile("in.cfg", "set name \"FromIn\"\n");
    vexa.setWorkingDirectory(world.env.root());
    vexa.start(QStringLiteral(VEXA_PROGRAM),
               {"--demo", "--load-config", "in.cfg", "--save-config", "relative.cfg"});
    QVERIFY(vexa.waitForFinished(60000));
    QVERIFY2(vexa.exitCode() == 0, vexa.readAllStandardError().constData());
    QVERIFY(
        world.env.readFile(world.env.root() + "/relative.cfg").contains("set name \"FromIn\"\r\n"));
}

void TstConfigCommand::programRunsWithoutADisplay() {
    CommandWorld world;
    world.env.writeFile("program/in.cfg", "set name \"FromIn\"\n");
    QProcess vexa;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    vexa.setProcessEnvironment(environment); // HOME and XDG_CONFIG_HOME are the world's
    vexa.setWorkingDirectory(world.env.programDir());
    vexa.start(QStringLiteral(VEXA_PROGRAM),
               {"--load-config", "in.cfg", "--save-config", world.env.root() + "/out.cfg"});
    QVERIFY(vexa.waitForFinished(60000));
    QCOMPARE(vexa.exitStatus(), QProcess::NormalExit);
    QVERIFY2(vexa.exitCode() == 0, vexa.readAllStandardError().constData());
    QVERIFY(world.env.readFile(world.env.root() + "/out.cfg").contains("set name \"FromIn\"\r\n"));

    // An error ends it with a non-zero code and its message.
    vexa.start(QStringLiteral(VEXA_PROGRAM), {"--load-config", "none.cfg"});
    QVERIFY(vexa.waitForFinished(60000));
    QCOMPARE(vexa.exitCode(), 1);
    QVERIFY(vexa.readAllStandardError().contains("vexa: Cannot open file "));
}

void TstConfigCommand::programRejectsUnknownOptions() {
    QProcess vexa;
    vexa.start(QStringLiteral(VEXA_PROGRAM), {"--load-confg", "in.cfg"});
    QVERIFY(vexa.waitForFinished(60000));
    QCOMPARE(vexa.exitCode(), 2);
    QVERIFY(vexa.readAllStandardError().contains("load-confg"));
}

VEXA_TEST(TstConfigCommand)
#include "tst_configcommand.moc"
