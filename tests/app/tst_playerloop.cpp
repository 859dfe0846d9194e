#include "app/MainWindow.h"
#include "app/SettingCommand.h"
#include "app/pages/CommunicationsPage.h"
#include "app/pages/GeneralPage.h"
#include "controls/BindingEdit.h"
#include "controls/SettingSpinBox.h"
#include "launch/CommandLine.h"
#include "platform/IniFile.h"
#include "platform/VexaIni.h"
#include "support/GameSession.h"
#include "support/PlayerChanges.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>

#include <QTextStream>
#include <tuple>

// A player's evening with the game model in place of the engine: the game has written its
// config.cfg, an autoexec.cfg holds aliases, their bindings and a few settings; the player changes
// settings, a binding and a message slot in Vexa and runs the game, which rewrites config.cfg
// when it quits; the next Run holds every change made in Vexa and every autoexec value the player
// did not change there.
class TstPlayerLoop : public QObject {
    Q_OBJECT

private slots:
    void everyChoiceSurvivesTheGame_data();
    void everyChoiceSurvivesTheGame();
    void changesInTheGameAreOffered_data();
    void changesInTheGameAreOffered();
};

void TstPlayerLoop::everyChoiceSurvivesTheGame_data() {
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<QString>("home");  // below $HOME; "" where the game has none
    QTest::addColumn<bool>("bySet");    // the changes made with --set, not in the window
    QTest::addColumn<bool>("autoexec"); // "exec vexa.cfg" added to autoexec.cfg when asked
    for (const auto& [way, bySet, autoexec] :
         {std::tuple{"window", false, false}, std::tuple{"--set", true, false},
          std::tuple{"window, autoexec runs it", false, true}}) {
        QTest::addRow("id, %s", way) << Engine::id << QString() << bySet << autoexec;
        QTest::addRow("yamagi, %s", way)
            << Engine::yamagi << QStringLiteral(".yq2") << bySet << autoexec;
        QTest::addRow("q2pro, %s", way)
            << Engine::q2pro << QStringLiteral(".q2pro") << bySet << autoexec;
    }
}

namespace {

// The player's changes in the window, saved as Save Config (and Run) does; the first save of
// Vexa's script asks whether autoexec.cfg should run it.
void changeInTheWindow(MainWindow& window, ScriptedPrompts& prompts, bool autoexec) {
    makeTheEveningsChanges(window);
    prompts.answerConfirm(autoexec);
    window.saveConfigAction()->trigger();
    QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    QCOMPARE(window.messageBar()->currentMessage(), QStringLiteral("Config file Saved"));
}

// The bytes and times of the game's own files.
QMap<QString, QString> gameFilesAsTheyAre(const QString& gameBase) {
    QMap<QString, QString> files;
    for (const QString& name : {QStringLiteral("config.cfg"), QStringLiteral("autoexec.cfg")}) {
        const QFileInfo file(gameBase + u'/' + name);
        QFile bytes(file.filePath());
        files[name] =
            (bytes.open(QIODevice::ReadOnly) ? QString::fromLatin1(bytes.readAll().toHex())
                                             : QStringLiteral("unreadable")) +
            u' ' + file.lastModified().toString(Qt::ISODateWithMs);
    }
    return files;
}

} // namespace

void TstPlayerLoop::everyChoiceSurvivesTheGame() {
    QFETCH(Engine, engine);
    QFETCH(QString, home);
    QFETCH(bool, bySet);
    QFETCH(bool, autoexec);
    TestEnvironment env;
    const QString homeDir =
        home.isEmpty() ? QString() : env.makeDir(QStringLiteral("home/") + home);
    const QString gameBase =
        (home.isEmpty() ? env.quake2Dir() : homeDir) + QStringLiteral("/baseq2");
    IniFile ini(env.iniPath());
    VexaIni::write(ini, VexaIni::Quake2Path, env.quake2Dir());
    VexaIni::write(ini, VexaIni::BaseDir, env.baseDir());
    VexaIni::write(ini, VexaIni::GameEngine, engineIniName(engine));
    if (!home.isEmpty())
        VexaIni::write(ini, VexaIni::GameHome, homeDir);
    // The game's own config.cfg, as it writes it at quit.
    QFile::remove(env.baseDir() + QStringLiteral("/config.cfg"));
    env.writeFile(QDir(env.root()).relativeFilePath(gameBase + QStringLiteral("/first.cfg")),
                  "bind MOUSE1 +attack\nset sensitivity 4\n");
    GameSession played(engine, homeDir, env.quake2Dir());
    played.start({QStringLiteral("+exec"), QStringLiteral("first.cfg")});
    played.quit();
    env.writeFile(QDir(env.root()).relativeFilePath(gameBase + QStringLiteral("/autoexec.cfg")),
                  "alias +zoom \"fov 40\"\nalias -zoom \"fov 110\"\nbind MOUSE2 +zoom\n"
                  "set fov 110\nset cl_run 1\nbind f +use\n");
    const QMap<QString, QString> before = gameFilesAsTheyAre(gameBase);

    if (bySet) {
        QString messages;
        QTextStream stream(&messages);
        QCOMPARE(changeSettings({"fov=100", "gun_x=2", "cl_forwardspeed=300", "bind:MOUSE3=+attack",
                                 "bind:MOUSE1="},
                                stream),
                 0);
        QCOMPARE(messages, QString());
    } else {
        ScriptedPrompts prompts;
        MainWindow window(prompts);
        changeInTheWindow(window, prompts, autoexec);
    }
    // Vexa's script only: the game's files as they were (but for the one line autoexec.cfg gets
    // when the player wants it), and three rounds of load and save leave the script as it is.
    const QString autoexecFile = gameBase + QStringLiteral("/autoexec.cfg");
    if (autoexec) {
        QVERIFY(env.readFile(autoexecFile).endsWith("\nbind f +use\nexec vexa.cfg\r\n"));
        QCOMPARE(gameFilesAsTheyAre(gameBase).value("config.cfg"), before.value("config.cfg"));
    } else {
        QCOMPARE(gameFilesAsTheyAre(gameBase), before);
    }
    const QString script = gameBase + QStringLiteral("/vexa.cfg");
    const QByteArray saved = env.readFile(script);
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    for (int round = 0; round < 3; ++round) {
        window.loadCfgFile(gameBase, QStringLiteral("vexa.cfg"));
        window.saveCfgFile(gameBase, QStringLiteral("vexa.cfg"));
        QCOMPARE(env.readFile(script), saved);
    }

    const QStringList arguments = gameArguments(buildCommandPieces(window.launchChoices()));
    GameSession evening(engine, homeDir, env.quake2Dir());
    evening.start(arguments);
    evening.quit();
    GameState expected;
    expected.cvars = {{QStringLiteral("fov"), QStringLiteral("100")},
                      {QStringLiteral("gun_x"), QStringLiteral("2")},
                      {QStringLiteral("cl_forwardspeed"), QStringLiteral("300")},
                      {QStringLiteral("cl_run"), QStringLiteral("1")},
                      {QStringLiteral("sensitivity"), QStringLiteral("4")}};
    expected.binds = {{QStringLiteral("MOUSE3"), QStringLiteral("+attack")},
                      {QStringLiteral("MOUSE2"), QStringLiteral("+zoom")},
                      {QStringLiteral("f"), QStringLiteral("+use")}};
    expected.aliases = {{QStringLiteral("+zoom"), QStringLiteral("fov 40")}};
    if (!bySet) {
        expected.binds.insert(QStringLiteral("F7"), QStringLiteral("message1"));
        expected.aliases.insert(QStringLiteral("message1"), QStringLiteral("say gg"));
    }
    GameSession nextEvening(engine, homeDir, env.quake2Dir());
    const GameState& held = nextEvening.start(arguments);
    QStringList off;
    for (const QString& difference : expected.differences(held)) {
        if (!difference.contains(QLatin1String(" added: ")) && !difference.startsWith("commands"))
            off << difference;
    }
    QVERIFY2(off.isEmpty(), qPrintable(off.join('\n')));
    QVERIFY(!held.binds.contains(QStringLiteral("MOUSE1"))); // taken from +attack
}

void TstPlayerLoop::changesInTheGameAreOffered_data() {
    QTest::addColumn<bool>("gameNewer");
    QTest::addColumn<QList<int>>("answers"); // all, then each in order: name, fov
    QTest::addColumn<QString>("fov");
    QTest::addColumn<QString>("name");
    QTest::newRow("the game's, for all") << true << QList<int>{0} << "110"
                                         << "Game";
    QTest::newRow("Vexa's, for all") << true << QList<int>{1} << "100"
                                     << "Vexa";
    QTest::newRow("each: the game's fov, Vexa's name") << true << QList<int>{2, 1, 0} << "110"
                                                       << "Vexa";
    QTest::newRow("the game's file older: nothing asked") << false << QList<int>{} << "100"
                                                          << "Vexa";
}

// The player changed settings in the game's menu after Vexa saved its script: asked, the
// values chosen stay, the game's as edits that the next save writes.
void TstPlayerLoop::changesInTheGameAreOffered() {
    QFETCH(bool, gameNewer);
    QFETCH(QList<int>, answers);
    TestEnvironment env;
    env.seedKnownDirectories();
    const QString script = env.writeFile(QStringLiteral("quake2/baseq2/vexa.cfg"),
                                         "Set fov \"100\"\r\nset name \"Vexa\"\r\n");
    const QString game =
        env.writeFile(QStringLiteral("quake2/baseq2/config.cfg"),
                      "set fov \"110.000000\"\nset name \"Game\"\nset cl_run \"1\"\n");
    QFile file(game);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QFileInfo(script).lastModified().addSecs(gameNewer ? 60 : -60),
                             QFileDevice::FileModificationTime));
    file.close();
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    for (const int answer : answers)
        prompts.answerChoice(answer);
    window.offerChangesMadeInTheGame();
    QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    const auto* spin = qobject_cast<SettingSpinBox*>(window.settingControl(QStringLiteral("fov")));
    QTEST(QString::number(spin->supValue()), "fov");
    QTEST(window.generalPage()->playerName()->text(), "name");
    window.saveCfgFile(env.baseDir(), QStringLiteral("vexa.cfg"));
    QFETCH(QString, fov);
    QVERIFY(env.readFile(script).contains("fov \"" + fov.toLatin1() + '"'));
}

VEXA_TEST(TstPlayerLoop)
#include "tst_playerloop.moc"
