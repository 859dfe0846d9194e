#include "app/MainWindow.h"
#include "app/pages/CommunicationsPage.h"
#include "controls/BindingEdit.h"
#include "controls/SettingSpinBox.h"
#include "launch/CommandLine.h"
#include "platform/IniFile.h"
#include "platform/VexaIni.h"
#include "support/GameSession.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>

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
};

void TstPlayerLoop::everyChoiceSurvivesTheGame_data() {
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<QString>("home"); // below $HOME; "" where the game has none
    QTest::newRow("id") << Engine::id << QString();
    QTest::newRow("yamagi") << Engine::yamagi << QStringLiteral(".yq2");
    QTest::newRow("q2pro") << Engine::q2pro << QStringLiteral(".q2pro");
}

void TstPlayerLoop::everyChoiceSurvivesTheGame() {
    QFETCH(Engine, engine);
    QFETCH(QString, home);
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
    VexaIni::write(ini, VexaIni::ConfigFile, gameBase + QStringLiteral("/config.cfg"));
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

    ScriptedPrompts prompts;
    MainWindow window(prompts);
    const auto spin = [&window](const char* command) {
        return qobject_cast<SettingSpinBox*>(window.settingControl(QLatin1String(command)));
    };
    spin("fov")->setSupValue(100);
    spin("gun_x")->setSupValue(2);
    spin("cl_forwardspeed")->setSupValue(300);
    qobject_cast<BindingEdit*>(window.settingControl(QStringLiteral("+attack")))
        ->setSupValue(QStringLiteral("MOUSE3"));
    window.communicationsPage()->messageKey(0)->setText(QStringLiteral("F7"));
    window.communicationsPage()->messageText(0)->setText(QStringLiteral("gg"));
    // What Run does: the config saved, then the game started with the command line. (Saving
    // over the game's own config.cfg asks first.)
    prompts.answerConfirm(true);
    window.saveConfigAction()->trigger();
    QCOMPARE(window.messageBar()->currentMessage(), QStringLiteral("Config file Saved"));
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
                      {QStringLiteral("f"), QStringLiteral("+use")},
                      {QStringLiteral("F7"), QStringLiteral("message1")}};
    expected.aliases = {{QStringLiteral("+zoom"), QStringLiteral("fov 40")},
                        {QStringLiteral("message1"), QStringLiteral("say gg")}};
    GameSession nextEvening(engine, homeDir, env.quake2Dir());
    const GameState& held = nextEvening.start(arguments);
    QStringList off;
    for (const QString& difference : expected.differences(held)) {
        if (!difference.contains(QLatin1String(" added: ")) && !difference.startsWith("commands"))
            off << difference;
    }
    // Vexa writes the game's own config.cfg, which the game rewrites at quit, and its "+exec"
    // runs that file again after the player's autoexec.cfg.
    QEXPECT_FAIL("", "Vexa's settings live in the file the game rewrites", Continue);
    QVERIFY2(off.isEmpty(), qPrintable(off.join('\n')));
    qInfo("%s", qPrintable(off.join(QStringLiteral("; "))));
}

VEXA_TEST(TstPlayerLoop)
#include "tst_playerloop.moc"
