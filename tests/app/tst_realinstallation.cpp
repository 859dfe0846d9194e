#include "ComboItems.h"
#include "LaunchSession.h"
#include "app/MainWindow.h"
#include "app/OptionsDialog.h"
#include "app/pages/ClientPage.h"
#include "app/pages/GamesPage.h"
#include "app/pages/GeneralPage.h"
#include "app/pages/ServerPage.h"
#include "app/pages/VideoPage.h"
#include "controls/BindingEdit.h"
#include "launch/LaunchStatusDialog.h"
#include "platform/GameArchives.h"
#include "platform/IniFile.h"
#include "platform/TextFile.h"
#include "settings/Engine.h"
#include "support/EngineScope.h"
#include "support/RealInstallation.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

namespace {

void setIni(const TestEnvironment& env, const char* section, const char* key,
            const QString& value) {
    IniFile(env.iniPath()).writeString(section, key, value);
}

struct Run {
    int exitCode = -1;
    QStringList lines;
    QString messages;
};

Run runProgram(const TestEnvironment& env, const QStringList& arguments) {
    QProcess vexa;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    vexa.setProcessEnvironment(environment); // HOME and XDG_CONFIG_HOME are the test's
    vexa.setWorkingDirectory(env.programDir());
    vexa.start(QStringLiteral(VEXA_PROGRAM), arguments);
    if (!vexa.waitForFinished(60000))
        return {};
    // The program's own messages; Qt may add warnings about the machine.
    QStringList messages;
    for (const QString& line : QString::fromUtf8(vexa.readAllStandardError()).split(u'\n')) {
        if (line.startsWith(QLatin1String("vexa: ")))
            messages << line + u'\n';
    }
    return {vexa.exitCode(), QString::fromUtf8(vexa.readAllStandardOutput()).split(u'\n'),
            messages.join(QString())};
}

QString hint(const MainWindow& window) {
    return window.hintLine()->text();
}

} // namespace

class TstRealInstallation : public QObject {
    Q_OBJECT

private slots:
    void listInstalled_data();
    void listInstalled();
    void listInstalledNeedsAnInstallation();
    void listInstalledNamesPrintSafely();
    void listInstalledOnQ2proSkipsZips();
    void startUpShowsWhatTheGameHas();
    void shadowedConfigIsTold();
    void optionsChangeEngineAndLists();
    void eachEngineWritesItsWay_data();
    void eachEngineWritesItsWay();
};

void TstRealInstallation::listInstalled_data() {
    QTest::addColumn<QString>("engine"); // stored; empty: found by the program
    QTest::addColumn<bool>("chooseBaseConfig");
    QTest::addColumn<bool>("damaged");
    QTest::newRow("found: Yamagi with its home") << QString() << false << false;
    QTest::newRow("the installation's config chosen, the home's read")
        << QString() << true << false;
    QTest::newRow("id 3.21: no home, no zips") << "id" << false << false;
    QTest::newRow("a damaged pak told, the rest listed") << QString() << false << true;
}

void TstRealInstallation::listInstalled() {
    QFETCH(QString, engine);
    QFETCH(bool, chooseBaseConfig);
    QFETCH(bool, damaged);
    TestEnvironment env;
    const RealInstallation q2(env);
    if (!engine.isEmpty())
        setIni(env, "quake2", "engine", engine);
    if (chooseBaseConfig)
        setIni(env, "vexa", "configfile", q2.baseConfig());
    if (damaged)
        env.writeFile(QStringLiteral("quake2/baseq2/pak2.pak"), "PACK\x0c\0\0\0");
    const QByteArray iniBefore = env.readFile(env.iniPath());
    const bool yamagi = engine.isEmpty();

    const Run run = runProgram(env, {QStringLiteral("--list-installed")});
    QCOMPARE(run.exitCode, 0);
    QStringList expected{"engine\t" + QString(yamagi ? "yamagi" : "id")};
    if (yamagi)
        expected << "home\t" + q2.home();
    // Vexa's script in the game's writable baseq2; a chosen config.cfg of the installation is
    // shadowed by the home's.
    const QString script = (yamagi ? q2.home() + "/baseq2" : env.baseDir()) + "/vexa.cfg";
    expected << "config\t" + (chooseBaseConfig ? q2.homeConfig() : script);
    for (const QString& model : RealInstallation::models(yamagi))
        expected << "model\t" + model;
    if (yamagi)
        expected << "skin\tcyborg/oni911";
    expected << "skin\tfemale/athena"
             << "skin\tmale/grunt"
             << "skin\tmale/major";
    for (const QString& map : RealInstallation::maps(yamagi))
        expected << "map\t" + map;
    for (const QString& save : RealInstallation::saves(yamagi))
        expected << "save\t" + save;
    QCOMPARE(run.lines.mid(0, expected.size()), expected);
    QVERIFY(run.lines.contains(QStringLiteral("game\tctf")));
    // Yamagi's renderer modules are no GL library.
    QCOMPARE(run.lines.mid(run.lines.size() - 2),
             yamagi ? (QStringList{"game\tctf", ""}) : (QStringList{"driver\tref_gl", ""}));
    QCOMPARE(run.messages, damaged
                               ? "vexa: Damaged archive skipped: " + env.baseDir() + "/pak2.pak\n"
                               : QString());
    QCOMPARE(env.readFile(env.iniPath()), iniBefore); // it only reads
}

void TstRealInstallation::listInstalledNeedsAnInstallation() {
    TestEnvironment env;
    const Run run = runProgram(env, {QStringLiteral("--list-installed")});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.lines, QStringList{QString()});
    QVERIFY2(run.messages.startsWith("vexa: no Quake 2 installation is known"),
             qPrintable(run.messages));
}

// Names from archives may hold line breaks and the terminal's escape sequences: each stays on its
// line, its control characters written as C escapes.
void TstRealInstallation::listInstalledNamesPrintSafely() {
    TestEnvironment env;
    const RealInstallation q2(env);
    QVERIFY(writePakArchive(env.baseDir() + QStringLiteral("/pak8.pak"),
                            {QStringLiteral("maps/two\nlines.bsp"),
                             QStringLiteral("maps/red\x1b[31m\x9b"
                                            "2J\\.bsp"),
                             QStringLiteral("players/tab\tbed/skin.pcx")}));
    const Run run = runProgram(env, {QStringLiteral("--list-installed")});
    QCOMPARE(run.exitCode, 0);
    for (const char* line : {"map\ttwo\\nlines", "map\tred\\x1b[31m\\x9b2j\\\\", "model\ttab\\tbed",
                             "skin\ttab\\tbed/skin"})
        QVERIFY2(run.lines.contains(QLatin1String(line)), line);
    QVERIFY(!run.lines.contains(QStringLiteral("lines")));
}

// Q2PRO never loads a .pk3: neither its model nor its maps are listed.
void TstRealInstallation::listInstalledOnQ2proSkipsZips() {
    TestEnvironment env;
    const RealInstallation q2(env);
    setIni(env, "quake2", "engine", QStringLiteral("q2pro"));
    const Run run = runProgram(env, {QStringLiteral("--list-installed")});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.lines.contains(QStringLiteral("map\tq2dm1")));
    QVERIFY(run.lines.contains(QStringLiteral("skin\tmale/grunt")));
    for (const char* fromPk3 : {"model\tcyborg", "skin\tcyborg/oni911", "map\tq2dm8"})
        QVERIFY2(!run.lines.contains(QLatin1String(fromPk3)), fromPk3);
}

void TstRealInstallation::startUpShowsWhatTheGameHas() {
    TestEnvironment env;
    const RealInstallation q2(env);
    // A pak cut short: what it held is missing, the rest is listed, and the user is told.
    const QByteArray pak1 = env.readFile(env.baseDir() + QStringLiteral("/pak1.pak"));
    env.writeFile(QStringLiteral("quake2/baseq2/pak1.pak"), pak1.chopped(1));
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    QVERIFY2(prompts.done() && prompts.shown.empty(), qPrintable(prompts.report()));

    // The engine found is kept, and with it the home where Vexa's script goes; the window shows
    // what the game's own config there gives.
    const IniFile ini(env.iniPath());
    QCOMPARE(ini.readString("quake2", "engine", {}), QStringLiteral("yamagi"));
    QCOMPARE(ini.readString("quake2", "home", {}), q2.home());
    QCOMPARE(currentEngine(), Engine::yamagi);
    QCOMPARE(window.configFileEdit()->text(), q2.home() + "/baseq2/vexa.cfg");
    QCOMPARE(window.generalPage()->playerName()->text(), QStringLiteral("FromHome"));
    // Vexa's script is still to be written: said first.
    QVERIFY(hint(window).startsWith("There is no config " + q2.home() + "/baseq2/vexa.cfg yet"));
    QVERIFY(hint(window).endsWith("Damaged archive skipped: " + env.baseDir() + "/pak1.pak"));

    QCOMPARE(itemsOf(window.generalPage()->model()), RealInstallation::models(true));
    window.fillSkinList(QStringLiteral("male"));
    QCOMPARE(itemsOf(window.generalPage()->skin()),
             QStringList{"grunt"}); // "major" was in pak1.pak
    QStringList maps = RealInstallation::maps(true);
    maps.removeOne(QStringLiteral("q2dm1"));
    QCOMPARE(itemsOf(window.clientPage()->startMap()), maps);
    QCOMPARE(itemsOf(window.clientPage()->savedGames()), RealInstallation::saves(true));
    // The game adds baseq2 to its data directory itself; Yamagi takes it by its switch.
    QCOMPARE(window.buildCommandLine(),
             QStringLiteral("-datadir ") + env.quake2Dir() + QStringLiteral(" +exec vexa.cfg"));
}

void TstRealInstallation::shadowedConfigIsTold() {
    TestEnvironment env;
    const RealInstallation q2(env);
    // Vexa's script chosen in the installation, while the home holds one of the same name.
    const QString homeScript = q2.home() + "/baseq2/vexa.cfg";
    env.writeFile(QStringLiteral("home/.yq2/baseq2/vexa.cfg"), "");
    setIni(env, "vexa", "configfile",
           env.writeFile(QStringLiteral("quake2/baseq2/vexa.cfg"), "set name \"Installation\"\r\n"));
    setIni(env, "vexa", "saveAllOnRun", "0");
    const QString warning = "The game reads " + homeScript + " instead";
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    QCOMPARE(window.generalPage()->playerName()->text(), QStringLiteral("Installation"));
    QCOMPARE(hint(window), warning); // after start-up
    // A control's hint shows while the pointer is on it; the warning stands otherwise.
    window.updateHintLine(QStringLiteral("elsewhere"));
    QCOMPARE(hint(window), QStringLiteral("Default : elsewhere"));
    window.saveConfigAction()->trigger();
    QCOMPARE(hint(window), warning); // after each save

    QString shown;
    whenModalShows([&](QWidget* modal) {
        auto* box = qobject_cast<LaunchStatusDialog*>(modal);
        shown = box->warningLabel()->isVisible() ? box->warningLabel()->text() : QString();
        box->cancelButton()->click();
    });
    window.runButton()->click();
    QCOMPARE(shown.remove(QChar(0x200b)), warning); // before Run

    // Loading the config the game reads leaves nothing to tell.
    prompts.answerOpenFile(homeScript);
    window.openConfigAction()->trigger();
    QCOMPARE(hint(window), QStringLiteral("Default : "));
    // A mod's own config comes before baseq2's.
    env.writeFile(QStringLiteral("home/.yq2/ctf/vexa.cfg"), "");
    window.gamesPage()->currentGame()->setText(QStringLiteral("ctf"));
    window.gamesPage()->startWithGame()->setChecked(true);
    QCOMPARE(window.configWarning(), "The game reads " + q2.home() + "/ctf/vexa.cfg instead");
    QVERIFY2(prompts.done(), qPrintable(prompts.report()));
}

void TstRealInstallation::optionsChangeEngineAndLists() {
    TestEnvironment env;
    const RealInstallation q2(env);
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    window.clientPage()->savedGames()->setCurrentIndex(0);
    QComboBox& modes = *window.videoPage()->glMode();
    modes.setCurrentIndex(modes.findData(QStringLiteral("10"))); // Yamagi's 1024 x 768
    whenModalShows([](QWidget* modal) {
        auto* options = qobject_cast<OptionsDialog*>(modal);
        options->engineBox()->setFocus();
        QTest::keyClick(options->engineBox(), Qt::Key_Up); // Yamagi to id 3.21
        options->okButton()->click();
    });
    window.optionsAction()->trigger();
    QCOMPARE(currentEngine(), Engine::id);
    QCOMPARE(IniFile(env.iniPath()).readString("quake2", "home", "<missing>"), QString());
    QCOMPARE(itemsOf(window.generalPage()->model()), RealInstallation::models(false));
    QCOMPARE(itemsOf(window.serverPage()->startMap()), RealInstallation::maps(false));
    QCOMPARE(itemsOf(window.clientPage()->savedGames()), RealInstallation::saves(false));
    QCOMPARE(window.clientPage()->savedGames()->currentIndex(), 0);  // the chosen save stays chosen
    QCOMPARE(modes.currentText(), QStringLiteral("6 - 1024 x 768")); // the size, in id's number
    QVERIFY2(prompts.done() && prompts.shown.empty(), qPrintable(prompts.report()));
}

void TstRealInstallation::eachEngineWritesItsWay_data() {
    QTest::addColumn<int>("engine");
    QTest::addColumn<QString>("bindLine");
    QTest::newRow("id 3.21") << int(Engine::id) << "Bind z \"+moveleft\"";
    QTest::newRow("Yamagi") << int(Engine::yamagi) << "Bind z \"+moveleft\"";
    // Q2PRO finds commands by their exact lower-case name.
    QTest::newRow("Q2PRO") << int(Engine::q2pro) << "bind z \"+moveleft\"";
}

void TstRealInstallation::eachEngineWritesItsWay() {
    QFETCH(int, engine);
    QFETCH(QString, bindLine);
    TestEnvironment env;
    const RealInstallation q2(env);
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    const EngineScope scope{Engine(engine)};
    // A binding the player changed: the game's own files bind the others already.
    qobject_cast<BindingEdit*>(window.settingControl(QStringLiteral("+moveleft")))
        ->setSupValue(QStringLiteral("z"));
    window.saveCfgFile(env.root(), QStringLiteral("out.cfg"));
    const QStringList lines = TextFile::readLines(env.root() + QStringLiteral("/out.cfg"));
    QVERIFY(lines.contains(bindLine));
    const bool capitals = std::any_of(lines.cbegin(), lines.cend(), [](const QString& line) {
        return line.startsWith(QLatin1String("Set ")) || line.startsWith(QLatin1String("Bind "));
    });
    QCOMPARE(capitals, Engine(engine) != Engine::q2pro);
}

VEXA_TEST(TstRealInstallation)
#include "tst_realinstallation.moc"
