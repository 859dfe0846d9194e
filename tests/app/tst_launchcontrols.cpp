#include "ComboItems.h"
#include "LaunchSession.h"
#include "app/CommandLineCommand.h"
#include "app/pages/ClientPage.h"
#include "app/pages/GamesPage.h"
#include "app/pages/ServerPage.h"
#include "controls/SettingCheckBox.h"
#include "platform/GameArchives.h"
#include "support/TestRegistry.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTextStream>

namespace {

SettingCheckBox* dedicated(const MainWindow& w) {
    return qobject_cast<SettingCheckBox*>(w.settingControl(QStringLiteral("dedicated")));
}

void fillLists(MainWindow& w) {
    w.clientPage()->startMap()->addItems({"base1", "base 2"});
    w.serverPage()->startMap()->addItems({"q2dm1", "q2dm;2"});
    w.clientPage()->savedGames()->addItems({"save0", "save1"});
    w.clientPage()->servers()->addItems({"Alpha.example:27910", "beta.example"});
    for (QComboBox* box : {w.clientPage()->startMap(), w.serverPage()->startMap(),
                           w.clientPage()->savedGames(), w.clientPage()->servers()})
        box->setCurrentIndex(-1);
}

// Reads a script with this text back into the window.
void readScript(LaunchSession& s, const QByteArray& text) {
    const QString file = s.env.writeFile(QStringLiteral("scripts/read.sh"), text);
    s.window->readBatchFile(QFileInfo(file).absolutePath(), QStringLiteral("read.sh"));
}

// The launch controls' state, for comparing one window with another.
QStringList launchState(const MainWindow& w) {
    auto combo = [](const QComboBox* box) {
        return box->currentText() + QLatin1Char('#') + QString::number(box->currentIndex());
    };
    return {QString::number(dedicated(w)->isChecked()),
            QString::number(w.serverPage()->deathMatch()->isChecked()),
            QString::number(w.clientPage()->startNewGame()->isChecked()),
            QString::number(w.clientPage()->loadSavedGame()->isChecked()),
            QString::number(w.clientPage()->connectToServer()->isChecked()),
            QString::number(w.gamesPage()->startWithGame()->isChecked()),
            w.gamesPage()->currentGame()->text(),
            combo(w.serverPage()->startMap()),
            combo(w.clientPage()->startMap()),
            combo(w.clientPage()->savedGames()),
            combo(w.clientPage()->servers())};
}

} // namespace

class TstLaunchControls : public QObject {
    Q_OBJECT

private slots:
    void comboGivesWhatItShows_data();
    void comboGivesWhatItShows();
    void choosingAnEntryChoosesWhatToDo_data();
    void choosingAnEntryChoosesWhatToDo();
    void commandLineFromTheWindow_data();
    void commandLineFromTheWindow();
    void scriptSetsTheServerControls();
    void scriptSetsTheClientControls();
    void serverIsChosenIgnoringCase();
    void missingGameUnticksAndEmpties();
    void emptyScriptChangesNothing();
    void savedScriptReadsBackTheSameChoices_data();
    void savedScriptReadsBackTheSameChoices();
    void startUpReadsAnExistingScriptOnly();
    void commandLineModePrintsWhatRunWouldStart();
    void commandLineModeAsksNothing();
    void savedGameFromTheScriptStaysChosen();
    void commandLineModeKeepsNamesOutsideAscii();
    void modMapComesBackFromTheScript_data();
    void modMapComesBackFromTheScript();
};

void TstLaunchControls::comboGivesWhatItShows_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("typed"); // null: nothing typed after choosing
    QTest::addColumn<QString>("expected");
    QTest::newRow("entry chosen") << 1 << QString() << "+exec vexa.cfg +map base 2";
    QTest::newRow("text typed, no entry") << -1 << " base9 "
                                          << "+exec vexa.cfg +map base9";
    QTest::newRow("entry's name typed") << -1 << "base1"
                                        << "+exec vexa.cfg +map base1";
    QTest::newRow("entry chosen, then edited") << 0 << "base1x"
                                               << "+exec vexa.cfg +map base1x";
    QTest::newRow("blanks typed") << -1 << "   "
                                  << "+exec vexa.cfg";
}

void TstLaunchControls::comboGivesWhatItShows() {
    QFETCH(int, index);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    LaunchSession s;
    MainWindow& w = s.start();
    s.setIni("quake2", "path", QString());
    fillLists(w);
    w.clientPage()->startMap()->setCurrentIndex(index);
    if (!typed.isNull()) {
        w.clientPage()->startMap()->lineEdit()->selectAll();
        QTest::keyClicks(w.clientPage()->startMap()->lineEdit(), typed);
    }
    QCOMPARE(w.buildCommandLine(), expected);
}

void TstLaunchControls::choosingAnEntryChoosesWhatToDo_data() {
    QTest::addColumn<int>("box");       // 0 start map, 1 saved game, 2 server
    QTest::addColumn<QString>("typed"); // null: the first entry chosen from the list
    QTest::addColumn<QString>("expected");
    QTest::newRow("map picked") << 0 << QString() << "+exec vexa.cfg +map base1";
    QTest::newRow("map picked again") << 0 << QString() << "+exec vexa.cfg +map base1";
    QTest::newRow("saved game picked") << 1 << QString() << "+exec vexa.cfg +load save0";
    QTest::newRow("server picked")
        << 2 << QString() << "+exec vexa.cfg +connect Alpha.example:27910";
    QTest::newRow("server typed") << 2 << " q2.example:27911"
                                  << "+exec vexa.cfg +connect q2.example:27911";
    QTest::newRow("map typed") << 0 << "q2dm3"
                               << "+exec vexa.cfg +map q2dm3";
    QTest::newRow("only visited") << 0 << ""
                                  << "+exec vexa.cfg +load save1";
}

// Choosing or typing a map, a saved game or a server chooses what to do with it; passing
// through a box changes nothing.
void TstLaunchControls::choosingAnEntryChoosesWhatToDo() {
    QFETCH(int, box);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    LaunchSession s;
    MainWindow& w = s.start();
    s.setIni("quake2", "path", QString());
    fillLists(w);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.tabs()->setCurrentWidget(w.clientPage());
    w.clientPage()->startMap()->setCurrentIndex(0); // as start-up shows a script's map
    w.clientPage()->savedGames()->setCurrentIndex(1);
    w.clientPage()->loadSavedGame()->setChecked(true);
    QComboBox* boxes[] = {w.clientPage()->startMap(), w.clientPage()->savedGames(),
                          w.clientPage()->servers()};
    QComboBox* chosen = boxes[box];
    chosen->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(chosen->hasFocus());
    if (typed.isNull()) {
        chosen->showPopup();
        QTRY_VERIFY(chosen->view()->isVisible());
        chosen->view()->setCurrentIndex(chosen->model()->index(0, 0));
        QTest::keyClick(chosen->view(), Qt::Key_Return);
        QTRY_VERIFY(!chosen->view()->isVisible());
    } else if (!typed.isEmpty()) {
        chosen->lineEdit()->selectAll();
        QTest::keyClicks(chosen->lineEdit(), typed);
    }
    w.clientPage()->mapListButton()->setFocus(Qt::TabFocusReason); // leaves the box
    QTRY_VERIFY(!chosen->hasFocus());
    QCOMPARE(w.buildCommandLine(), expected);
}

void TstLaunchControls::commandLineFromTheWindow_data() {
    QTest::addColumn<bool>("server");
    QTest::addColumn<QString>("cdrom");
    QTest::addColumn<QString>("expected");
    QTest::newRow("server") << true << QString()
                            << "+set basedir BASE +set dedicated 1 +set coop 1 +set game  "
                               "+exec my.cfg +map q2dm1";
    QTest::newRow("client loading, cdrom")
        << false << "/cd"
        << "+set basedir BASE +set cddir /cd +set game  +exec my.cfg +load save1";
}

void TstLaunchControls::commandLineFromTheWindow() {
    QFETCH(bool, server);
    QFETCH(QString, cdrom);
    QFETCH(QString, expected);
    LaunchSession s;
    s.setIni("quake2", "cdrom", cdrom);
    MainWindow& w = s.start();
    fillLists(w);
    w.startServerBox()->setChecked(server);
    dedicated(w)->setChecked(true);
    w.serverPage()->cooperative()->setChecked(true);
    w.serverPage()->startMap()->setCurrentIndex(0);
    w.clientPage()->loadSavedGame()->setChecked(true);
    w.clientPage()->savedGames()->setCurrentIndex(1);
    w.clientPage()->servers()->setCurrentIndex(0); // not the client's choice: adds nothing
    w.gamesPage()->startWithGame()->setChecked(true);
    w.configFileEdit()->setText(QStringLiteral("/any/where/my.cfg"));
    // The game adds "baseq2" itself: basedir is the Quake 2 directory.
    QCOMPARE(w.buildCommandLine(), QString(expected).replace("BASE", s.env.quake2Dir()));
}

void TstLaunchControls::scriptSetsTheServerControls() {
    LaunchSession s;
    MainWindow& w = s.start();
    fillLists(w);
    w.startServerBox()->setChecked(true);
    w.clientPage()->connectToServer()->setChecked(true);
    w.serverPage()->cooperative()->setChecked(true);
    readScript(s, "/q/quake2 +set dedicated 1 +map 'q2dm;2' +set deathmatch 1 +exec a.cfg\n");
    QVERIFY(dedicated(w)->isChecked());
    QCOMPARE(dedicated(w)->supValue(), true);
    QCOMPARE(w.serverPage()->startMap()->currentText(), QStringLiteral("q2dm;2"));
    QCOMPARE(w.serverPage()->startMap()->currentIndex(), 1); // the listed entry is chosen
    QCOMPARE(w.clientPage()->startMap()->currentText(), QString());
    QVERIFY(w.clientPage()->connectToServer()->isChecked()); // the map is the server's
    QVERIFY(w.serverPage()->deathMatch()->isChecked());
    QVERIFY(w.startServerBox()->isChecked());
    QCOMPARE(w.configLines(), (QStringList{"/q/quake2", "set dedicated 1", "map q2dm;2",
                                           "set deathmatch 1", "exec a.cfg"}));

    readScript(s, "/q/quake2 +set Dedicated 0 +set coop 1\n");
    QVERIFY(!dedicated(w)->isChecked());
    QVERIFY(w.serverPage()->cooperative()->isChecked());
    readScript(s, "/q/quake2 +exec a.cfg\n"); // no dedicated piece: left as it is
    QVERIFY(!dedicated(w)->isChecked());
    dedicated(w)->setChecked(true);
    readScript(s, "/q/quake2 +exec a.cfg\n");
    QVERIFY(dedicated(w)->isChecked());
}

void TstLaunchControls::scriptSetsTheClientControls() {
    LaunchSession s;
    MainWindow& w = s.start();
    fillLists(w);
    w.clientPage()->connectToServer()->setChecked(true);
    readScript(s, "/q/quake2 +map unlisted +exec a.cfg\n");
    QVERIFY(w.clientPage()->startNewGame()->isChecked());
    QCOMPARE(w.clientPage()->startMap()->currentText(), QStringLiteral("unlisted"));
    QCOMPARE(w.clientPage()->startMap()->currentIndex(), -1);

    readScript(s, "/q/quake2 +load save1 +exec a.cfg\n");
    QVERIFY(w.clientPage()->loadSavedGame()->isChecked());
    QCOMPARE(w.clientPage()->savedGames()->currentIndex(), 1);
    QCOMPARE(w.clientPage()->startMap()->currentText(), QStringLiteral("unlisted")); // untouched
}

void TstLaunchControls::serverIsChosenIgnoringCase() {
    LaunchSession s;
    MainWindow& w = s.start();
    fillLists(w);
    readScript(s, "/q/quake2 +connect ALPHA.EXAMPLE:27910\n");
    QVERIFY(w.clientPage()->connectToServer()->isChecked());
    QCOMPARE(w.clientPage()->servers()->currentIndex(), 0);
    QCOMPARE(w.clientPage()->servers()->currentText(), QStringLiteral("Alpha.example:27910"));
    QVERIFY(w.buildCommandLine().contains(QStringLiteral("+connect Alpha.example:27910")));

    // A server the list does not hold is the script's all the same.
    readScript(s, "/q/quake2 +connect gamma.example\n");
    QCOMPARE(w.clientPage()->servers()->currentIndex(), -1);
    QVERIFY(w.buildCommandLine().endsWith(QStringLiteral("+connect gamma.example")));
}

void TstLaunchControls::missingGameUnticksAndEmpties() {
    LaunchSession s;
    MainWindow& w = s.start();
    readScript(s, "/q/quake2 +set game ctf\n");
    QVERIFY(w.gamesPage()->startWithGame()->isChecked());
    QCOMPARE(w.gamesPage()->currentGame()->text(), QStringLiteral("ctf"));
    readScript(s, "/q/quake2 +exec a.cfg\n");
    QVERIFY(!w.gamesPage()->startWithGame()->isChecked());
    QCOMPARE(w.gamesPage()->currentGame()->text(), QString());
    // Already unticked: the game's name stays.
    w.gamesPage()->currentGame()->setText(QStringLiteral("rogue"));
    readScript(s, "/q/quake2 +exec a.cfg\n");
    QCOMPARE(w.gamesPage()->currentGame()->text(), QStringLiteral("rogue"));
}

void TstLaunchControls::emptyScriptChangesNothing() {
    LaunchSession s;
    MainWindow& w = s.start();
    s.env.writeFile(QStringLiteral("quake2/baseq2/x.cfg"), "set name x\n");
    w.loadCfgFile(s.env.baseDir(), QStringLiteral("x.cfg"));
    w.gamesPage()->startWithGame()->setChecked(true);
    w.gamesPage()->currentGame()->setText(QStringLiteral("ctf"));
    readScript(s, "");
    QVERIFY(w.gamesPage()->startWithGame()->isChecked());
    QCOMPARE(w.gamesPage()->currentGame()->text(), QStringLiteral("ctf"));
    QCOMPARE(w.configLines(), QStringList{QStringLiteral("set name x")});
}

void TstLaunchControls::savedScriptReadsBackTheSameChoices_data() {
    QTest::addColumn<bool>("server");
    QTest::addColumn<int>("clientMode"); // 0 new game, 1 saved game, 2 server; clients only
    QTest::addColumn<QString>("game");
    QTest::newRow("client, new game") << false << 0 << QString();
    QTest::newRow("client, saved game, mod") << false << 1 << "my mod";
    QTest::newRow("client, server") << false << 2 << "$(touch x); `id` 'q' \"d\"";
    QTest::newRow("server, coop, mod") << true << 0 << "ctf";
}

void TstLaunchControls::savedScriptReadsBackTheSameChoices() {
    QFETCH(bool, server);
    QFETCH(int, clientMode);
    QFETCH(QString, game);
    LaunchSession s;
    MainWindow& w = s.start();
    fillLists(w);
    w.startServerBox()->setChecked(server);
    dedicated(w)->setChecked(server);
    // Only choices that reach the command line can come back from it.
    if (server) {
        w.serverPage()->cooperative()->setChecked(true);
        w.serverPage()->startMap()->setCurrentIndex(1);
    } else {
        QRadioButton* modes[] = {w.clientPage()->startNewGame(), w.clientPage()->loadSavedGame(),
                                 w.clientPage()->connectToServer()};
        modes[clientMode]->setChecked(true);
        QComboBox* boxes[] = {w.clientPage()->startMap(), w.clientPage()->savedGames(),
                              w.clientPage()->servers()};
        boxes[clientMode]->setCurrentIndex(1);
    }
    w.gamesPage()->startWithGame()->setChecked(!game.isNull());
    w.gamesPage()->currentGame()->setText(game);
    w.saveBatchAction()->trigger();
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    const QString line = w.buildCommandLine();
    const QStringList state = launchState(w);

    // A second window starts from the same vexa.ini and reads the script at start-up.
    ScriptedPrompts again;
    MainWindow second(again);
    QVERIFY2(again.done(), qPrintable(again.report()));
    fillLists(second);
    second.startServerBox()->setChecked(server);
    second.readBatchFile(s.env.quake2Dir(), QStringLiteral("vexa.sh"));
    QCOMPARE(launchState(second), state);
    QCOMPARE(second.buildCommandLine(), line);
}

void TstLaunchControls::startUpReadsAnExistingScriptOnly() {
    {
        LaunchSession s;
        s.env.writeFile(QStringLiteral("quake2/vexa.sh"),
                        "/q/quake2 +connect there +set game ctf +exec vexa.cfg\n");
        MainWindow& w = s.start();
        QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
        QVERIFY(w.gamesPage()->startWithGame()->isChecked());
        QCOMPARE(w.gamesPage()->currentGame()->text(), QStringLiteral("ctf"));
        QVERIFY(w.clientPage()->connectToServer()->isChecked());
        QCOMPARE(w.clientPage()->servers()->currentText(), QStringLiteral("there"));
    }
    LaunchSession s;
    MainWindow& w = s.start();
    QVERIFY(!QFileInfo::exists(s.batchFile)); // not created at start-up
    QVERIFY(w.clientPage()->startNewGame()->isChecked());
}

void TstLaunchControls::commandLineModePrintsWhatRunWouldStart() {
    LaunchSession s;
    const QByteArray script = "/q/quake2 +set game 'my mod' +exec vexa.cfg\n";
    s.env.writeFile(QStringLiteral("quake2/vexa.sh"), script);
    const QByteArray config = s.env.readFile(s.configFile);
    s.setIni("vexa", "SaveAllOnExit", QStringLiteral("1"));
    QString out, messages;
    QTextStream outStream(&out), messageStream(&messages);
    QCOMPARE(printCommandLine(outStream, messageStream), 0);
    QCOMPARE(out, QStringLiteral("+set basedir ") + s.env.quake2Dir() +
                      QStringLiteral(" +set game my mod +exec vexa.cfg\n"));
    QCOMPARE(messages, QString());
    // No closing: nothing saved.
    QCOMPARE(s.env.readFile(s.batchFile), script);
    QCOMPARE(s.env.readFile(s.configFile), config);
}

void TstLaunchControls::commandLineModeAsksNothing() {
    TestEnvironment env; // nothing known: start-up would have to ask
    QString out, messages;
    QTextStream outStream(&out), messageStream(&messages);
    QCOMPARE(printCommandLine(outStream, messageStream), 1);
    QCOMPARE(out, QString());
    QVERIFY2(messages.startsWith(QStringLiteral("vexa: ")), qPrintable(messages));
}

// The script's saved game is put back once start-up has listed the saved games.
void TstLaunchControls::savedGameFromTheScriptStaysChosen() {
    LaunchSession s;
    for (const char* slot : {"save0", "save1"})
        s.env.makeDir(QStringLiteral("quake2/baseq2/save/") + slot);
    s.env.writeFile(QStringLiteral("quake2/vexa.sh"), "/q/quake2 +load save1 +exec vexa.cfg\n");
    MainWindow& w = s.start();
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QVERIFY(w.clientPage()->loadSavedGame()->isChecked());
    QCOMPARE(w.clientPage()->savedGames()->currentText(), QStringLiteral("save1"));
    QCOMPARE(w.clientPage()->savedGames()->currentIndex(),
             w.clientPage()->savedGames()->findText(QStringLiteral("save1")));
    QVERIFY2(w.buildCommandLine().contains(QStringLiteral("+load save1")),
             qPrintable(w.buildCommandLine()));
}

// The program itself, on an installation in folders named outside ASCII: the names come out as
// they are.
void TstLaunchControls::commandLineModeKeepsNamesOutsideAscii() {
    TestEnvironment env;
    const QString quake2Dir = env.makeDir(QStringLiteral(u"j\u00f6rg/q2 \u041a\u0438\u0440"));
    const QString baseDir = env.makeDir(QStringLiteral(u"j\u00f6rg/q2 \u041a\u0438\u0440/baseq2"));
    env.writeFile(QStringLiteral(u"j\u00f6rg/q2 \u041a\u0438\u0440/baseq2/config.cfg"), "\r\n");
    IniFile ini(env.iniPath(), TextEncoding::Utf8);
    ini.writeString("quake2", "path", quake2Dir);
    ini.writeString("quake2", "baseq2", baseDir);
    QProcess vexa;
    vexa.start(QStringLiteral(VEXA_PROGRAM), {QStringLiteral("--command-line")});
    QVERIFY(vexa.waitForFinished(30000));
    QCOMPARE(vexa.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(vexa.readAllStandardOutput()),
             QStringLiteral("+set basedir ") + quake2Dir + QStringLiteral(" +exec vexa.cfg\n"));
    QCOMPARE(IniFile(env.iniPath(), TextEncoding::Utf8).readString("quake2", "path", {}),
             quake2Dir);
}

void TstLaunchControls::modMapComesBackFromTheScript_data() {
    QTest::addColumn<QByteArray>("script");
    QTest::newRow("+set basedir") << QByteArray("./quake2 +set basedir /q2 +set game ctf "
                                                "+exec vexa.cfg +map q2ctf1\n");
    QTest::newRow("Yamagi's -datadir")
        << QByteArray("./quake2 -datadir /q2 +set game ctf +exec vexa.cfg +map q2ctf1\n");
}

// A mod's own map, loose or in its archives, is listed before baseq2's, and a script starting
// the mod on it is read back with the map chosen.
void TstLaunchControls::modMapComesBackFromTheScript() {
    QFETCH(QByteArray, script);
    LaunchSession s;
    s.env.writeFile(QStringLiteral("quake2/ctf/maps/q2ctf1.bsp"), "");
    QVERIFY(writePakArchive(s.env.quake2Dir() + QStringLiteral("/ctf/pak0.pak"),
                            {QStringLiteral("maps/q2ctf2.bsp")}));
    s.env.writeFile(QStringLiteral("quake2/baseq2/maps/base1.bsp"), "");
    MainWindow& w = s.start();
    readScript(s, script);
    QComboBox& maps = *w.clientPage()->startMap();
    QCOMPARE(maps.currentText(), QStringLiteral("q2ctf1"));
    QVERIFY(maps.currentIndex() >= 0);
    QCOMPARE(itemsOf(&maps).mid(0, 3), (QStringList{"q2ctf1", "q2ctf2", "base1"}));
    QVERIFY(
        w.buildCommandLine().endsWith(QLatin1String("+set game ctf +exec vexa.cfg +map q2ctf1")));
}

VEXA_TEST(TstLaunchControls)
#include "tst_launchcontrols.moc"
