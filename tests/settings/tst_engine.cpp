#include "settings/Engine.h"
#include "settings/EngineWords.h"
#include "settings/GameHome.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestEngine : public QObject {
    Q_OBJECT
private slots:
    void iniNamesRoundTrip();
    void keyNames_data();
    void keyNames();
    void cvarNames_data();
    void cvarNames();
    void yamagiRenames();
    void gameProgram_data();
    void gameProgram();
    void bindingCommands_data();
    void bindingCommands();
};

void TestEngine::iniNamesRoundTrip() {
    for (Engine engine : AllEngines)
        QCOMPARE(engineFromIniName(engineIniName(engine).toUpper()), engine);
    QVERIFY(!engineFromIniName(u"quake3"));
    QVERIFY(!engineFromIniName(u""));
}

void TestEngine::keyNames_data() {
    QTest::addColumn<int>("engine");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("spelling");
    const auto row = [](const char* tag, Engine engine, const char* name, const char* spelling) {
        QTest::newRow(tag) << int(engine) << name << spelling;
    };
    row("id: any letter case", Engine::id, "pgdn", "PGDN");
    row("id: no num lock", Engine::id, "NUMLOCK", "");
    row("yamagi: num lock", Engine::yamagi, "kp_numlock", "KP_NUMLOCK");
    row("yamagi: no NUMLOCK", Engine::yamagi, "NUMLOCK", "");
    row("q2pro: NUMLOCK", Engine::q2pro, "NumLock", "NUMLOCK");
    row("q2pro: no KP_NUMLOCK", Engine::q2pro, "KP_NUMLOCK", "");
    row("single characters as they are", Engine::q2pro, "A", "A");
    row("misspelt", Engine::id, "CNTRL", "");
    row("yamagi scancodes", Engine::yamagi, "sc_a", "SC_A");
}

void TestEngine::keyNames() {
    QFETCH(int, engine);
    QFETCH(QString, name);
    QFETCH(QString, spelling);
    QCOMPARE(engineKeyName(Engine(engine), name), spelling);
}

void TestEngine::cvarNames_data() {
    QTest::addColumn<int>("engine");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("registered");
    QTest::newRow("id gl_mode") << int(Engine::id) << "gl_mode" << true;
    QTest::newRow("yamagi has r_mode, not gl_mode") << int(Engine::yamagi) << "gl_mode" << false;
    QTest::newRow("yamagi r_mode") << int(Engine::yamagi) << "r_mode" << true;
    QTest::newRow("exact letter case") << int(Engine::id) << "HostName" << false;
    QTest::newRow("s_wavonly") << int(Engine::id) << "s_wavonly" << true;
    QTest::newRow("no s_waveonly") << int(Engine::id) << "s_waveonly" << false;
    QTest::newRow("q2pro dedicated") << int(Engine::q2pro) << "dedicated" << true;
}

void TestEngine::cvarNames() {
    QFETCH(int, engine);
    QFETCH(QString, name);
    QFETCH(bool, registered);
    QCOMPARE(engineRegistersCvar(Engine(engine), name), registered);
    const QStringList& all = engineCvarNames(Engine(engine));
    QVERIFY(std::is_sorted(all.cbegin(), all.cend()));
}

void TestEngine::yamagiRenames() {
    QCOMPARE(engineCvarRename(Engine::yamagi, u"gl_mode"), QStringLiteral("r_mode"));
    QCOMPARE(engineCvarRename(Engine::yamagi, u"GL_MODE"), QString()); // exact, like the game
    QCOMPARE(engineCvarRename(Engine::id, u"gl_mode"), QString());
    QCOMPARE(engineCvarsRenamedTo(Engine::yamagi, u"r_palettedtextures"),
             QStringList({"gl_palettedtextures", "gl1_palettedtextures"}));
    QVERIFY(engineRefusesToRebind(Engine::yamagi, u"escape"));
    QVERIFY(!engineRefusesToRebind(Engine::id, u"ESCAPE"));
}

void TestEngine::gameProgram_data() {
    QTest::addColumn<int>("engine");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("program");
    QTest::newRow("id") << int(Engine::id) << QStringList{"quake2"} << "quake2";
    QTest::newRow("q2pro has no quake2") << int(Engine::q2pro) << QStringList{"q2pro"} << "q2pro";
    QTest::newRow("q2pro beside a quake2")
        << int(Engine::q2pro) << QStringList{"quake2", "q2pro"} << "q2pro";
    QTest::newRow("yamagi as yquake2")
        << int(Engine::yamagi) << QStringList{"yquake2"} << "yquake2";
    QTest::newRow("nothing there: the usual name")
        << int(Engine::q2pro) << QStringList{} << "q2pro";
}

void TestEngine::gameProgram() {
    QFETCH(int, engine);
    QFETCH(QStringList, present);
    QFETCH(QString, program);
    QTemporaryDir dir;
    for (const QString& name : present) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(gameProgramName(Engine(engine), dir.path()), program);
}

void TestEngine::bindingCommands_data() {
    QTest::addColumn<int>("engine");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("spelled"); // empty: the engine has none
    auto row = [](const char* name, Engine engine, const char* command, const char* spelled) {
        QTest::newRow(name) << int(engine) << command << spelled;
    };
    row("id keeps its words", Engine::id, "Load quick", "Load quick");
    row("Q2PRO's exact case", Engine::q2pro, "Load quick", "load quick");
    row("Yamagi takes any case", Engine::yamagi, "Load quick", "Load quick");
    row("Yamagi's main menu", Engine::yamagi, "togglemenu", "menu_main");
    row("Yamagi's music", Engine::yamagi, "cd pause", "ogg toggle");
    row("Yamagi has no CD", Engine::yamagi, "cd on", "");
    row("Q2PRO's menus by name", Engine::q2pro, "menu_keys", "pushmenu keys");
    row("Q2PRO has no credits", Engine::q2pro, "menu_credits", "");
    row("Q2PRO has no music", Engine::q2pro, "cd stop", "");
    row("a game command", Engine::q2pro, "use blaster", "use blaster");
}

void TestEngine::bindingCommands() {
    QFETCH(int, engine);
    QFETCH(QString, command);
    QFETCH(QString, spelled);
    QCOMPARE(engineBindingCommand(Engine(engine), command), spelled);
}

VEXA_TEST(TestEngine)
#include "tst_engine.moc"
