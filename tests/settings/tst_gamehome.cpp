#include "platform/IniFile.h"
#include "settings/GameHome.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QTest>

namespace {

// "{home}", "{data}" and "{q2}" in a path stand for the test's home, data home and Quake 2
// directory.
QString place(const TestEnvironment& env, QString path) {
    return path.replace("{home}", env.root() + "/home")
        .replace("{data}", env.root() + "/data")
        .replace("{q2}", env.quake2Dir());
}

} // namespace

class TestGameHome : public QObject {
    Q_OBJECT

private slots:
    void detection_data() {
        QTest::addColumn<QStringList>("directories");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("home");
        QTest::newRow("nothing: id 3.21, no home") << QStringList{} << QStringList{} << "id"
                                                   << "";
        QTest::newRow("~/.yq2") << QStringList{"{home}/.yq2", "{home}/.q2pro"} << QStringList{}
                                << "yamagi"
                                << "{home}/.yq2";
        QTest::newRow("Yamagi's data home")
            << QStringList{"{data}/YamagiQ2", "{home}/.q2pro"} << QStringList{} << "yamagi"
            << "{data}/YamagiQ2";
        QTest::newRow("~/.q2pro, quake2 names no engine")
            << QStringList{"{home}/.q2pro"} << QStringList{"{q2}/quake2"} << "q2pro"
            << "{home}/.q2pro";
        QTest::newRow("q2pro program over a leftover Yamagi home")
            << QStringList{"{data}/YamagiQ2"} << QStringList{"{q2}/q2pro"} << "q2pro"
            << "{home}/.q2pro";
        QTest::newRow("q2pro program: its home to be")
            << QStringList{} << QStringList{"{q2}/q2pro"} << "q2pro"
            << "{home}/.q2pro";
        QTest::newRow("yquake2 program") << QStringList{} << QStringList{"{q2}/yquake2"} << "yamagi"
                                         << "{data}/YamagiQ2";
        QTest::newRow("a file named .yq2 is no home")
            << QStringList{} << QStringList{"{home}/.yq2"} << "id"
            << "";
    }
    void detection() {
        QFETCH(QStringList, directories);
        QFETCH(QStringList, files);
        QFETCH(QString, engine);
        QFETCH(QString, home);
        TestEnvironment env;
        for (const QString& dir : directories)
            env.makeDir(place(env, dir).mid(env.root().size() + 1));
        for (const QString& file : files)
            env.writeFile(place(env, file).mid(env.root().size() + 1), "");
        const EngineChoice found = detectEngine(env.quake2Dir());
        QCOMPARE(engineIniName(found.engine), engine);
        QCOMPARE(found.home, place(env, home));
        // Options tells why: the program or the home that decided.
        const EngineDetection why = findEngine(env.quake2Dir());
        QCOMPARE(why.choice, found);
        const QString decided = files.isEmpty() || engine == QLatin1String("id") ||
                                        files[0].endsWith(QLatin1String("/quake2"))
                                    ? place(env, home)
                                    : place(env, files[0]);
        QVERIFY2(why.reason.contains(decided), qPrintable(why.reason));
    }

    void choiceInTheSettings() {
        TestEnvironment env;
        IniFile ini(env.iniPath());
        QVERIFY(!readEngineChoice(ini));
        QCOMPARE(storedEngineChoice(ini), EngineChoice{});
        ini.writeString("quake2", "engine", "quake3");
        QVERIFY(!readEngineChoice(ini)); // unknown: found again at the next start
        writeEngineChoice(ini, {Engine::q2pro, "/games/q2pro"});
        QCOMPARE(readEngineChoice(ini), (EngineChoice{Engine::q2pro, "/games/q2pro"}));
        QCOMPARE(ini.readString("quake2", "engine", {}), QStringLiteral("q2pro"));
    }

    // Where the game looks for "+exec config.cfg", and which file it runs instead of the chosen.
    void fileReadInstead_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("instead"); // empty: the chosen file is the one
        const QString homeCfg = "{home}/.yq2/baseq2/config.cfg";
        const QString baseCfg = "{q2}/baseq2/config.cfg";
        QTest::newRow("the home's shadows the installation's")
            << "" << QStringList{homeCfg, baseCfg} << baseCfg << homeCfg;
        QTest::newRow("the home's is chosen")
            << "" << QStringList{homeCfg, baseCfg} << homeCfg << "";
        QTest::newRow("not written yet, nothing before it")
            << "" << QStringList{baseCfg} << homeCfg << "";
        QTest::newRow("the installation's, no home file")
            << "" << QStringList{baseCfg} << baseCfg << "";
        QTest::newRow("a mod's own config comes first")
            << "ctf" << QStringList{"{q2}/ctf/config.cfg", homeCfg} << homeCfg
            << "{q2}/ctf/config.cfg";
        QTest::newRow("elsewhere: whatever the game finds")
            << "" << QStringList{"{q2}/my/config.cfg", baseCfg} << "{q2}/my/config.cfg" << baseCfg;
        QTest::newRow("elsewhere, found nowhere")
            << "" << QStringList{"{q2}/my/x.cfg"} << "{q2}/my/x.cfg"
            << "";
        QTest::newRow("same file by another name")
            << "" << QStringList{homeCfg} << "{home}/.yq2/baseq2/../baseq2/config.cfg"
            << "";
    }
    void fileReadInstead() {
        QFETCH(QString, game);
        QFETCH(QStringList, existing);
        QFETCH(QString, chosen);
        QFETCH(QString, instead);
        TestEnvironment env;
        for (const QString& file : existing)
            env.writeFile(place(env, file).mid(env.root().size() + 1), "");
        const EngineChoice yamagi{Engine::yamagi, place(env, "{home}/.yq2")};
        const QStringList folders = gameSearchFolders(yamagi, env.quake2Dir(), game);
        const auto found = ::fileReadInstead(folders, place(env, chosen));
        QCOMPARE(found.value_or(QString()), instead.isEmpty() ? QString() : place(env, instead));
    }
};

VEXA_TEST(TestGameHome)
#include "tst_gamehome.moc"
