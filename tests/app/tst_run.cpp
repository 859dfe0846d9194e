#include "LaunchSession.h"
#include "app/pages/ClientPage.h"
#include "app/pages/GamesPage.h"
#include "app/pages/ServerPage.h"
#include "launch/CommandLine.h"
#include "launch/LaunchStatusDialog.h"
#include "support/TestRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

using Kind = ScriptedPrompts::Kind;

// A session whose Quake 2 directory holds a stand-in game that logs how it was started.
struct RunSession : LaunchSession {
    const QString log = gameProgram + QStringLiteral(".log");

    explicit RunSession(bool withGame = true) {
        if (withGame)
            TestEnvironment::writeStandInGame(gameProgram);
        setIni("vexa", "StatusBox", QStringLiteral("0"));
        setIni("vexa", "CloseOnExit", QStringLiteral("0"));
    }

    // The launch choices the tests run with: a server on a listed map, with a mod.
    void chooseServerGame() {
        window->startServerBox()->setChecked(true);
        window->serverPage()->startMap()->addItems(
            {QStringLiteral("q2dm1"), QStringLiteral("q2dm 2")});
        window->serverPage()->startMap()->setCurrentIndex(1);
        window->gamesPage()->startWithGame()->setChecked(true);
        window->gamesPage()->currentGame()->setText(QStringLiteral("my mod"));
    }

    // The working directory, then the arguments, as the stand-in game recorded them.
    QStringList startedWith() const {
        QStringList lines = QString::fromLocal8Bit(env.readFile(log)).split(QLatin1Char('\n'));
        lines.removeLast(); // after the last line ending
        return lines;
    }
    QStringList expectedStart() const {
        return QStringList{QFileInfo(env.quake2Dir()).canonicalFilePath()} +
               gameArguments(buildCommandPieces(window->launchChoices()));
    }
    // Nothing has started: no log appears within a while.
    bool nothingStarted() const {
        QTest::qWait(300);
        return !QFileInfo::exists(log);
    }
};

} // namespace

class TstRun : public QObject {
    Q_OBJECT

private slots:
    void startsTheScriptOrTheGame_data();
    void startsTheScriptOrTheGame();
    void statusBoxSummarisesAndWaitsWithoutATime();
    void statusBoxProceedsByItself();
    void cancelStartsAndWritesNothing();
    void changedConfigCancelledStartsNothing();
    void missingGameFails_data();
    void missingGameFails();
    void afterTheStart_data();
    void afterTheStart();
    void relativeNamesMeanTheProgramDirectory();
    void aValueTheEngineWouldCutIsRefused();
};

void TstRun::startsTheScriptOrTheGame_data() {
    QTest::addColumn<bool>("saveAllOnRun");
    QTest::newRow("script") << true;
    QTest::newRow("direct") << false;
}

void TstRun::startsTheScriptOrTheGame() {
    QFETCH(bool, saveAllOnRun);
    RunSession s;
    s.setIni("vexa", "SaveAllOnRun", saveAllOnRun ? QStringLiteral("1") : QStringLiteral("0"));
    MainWindow& w = s.start();
    s.chooseServerGame();
    const QString config = s.env.writeFile(QStringLiteral("cfgs/mine.cfg"), "// old\r\n");
    w.configFileEdit()->setText(config);
    w.runButton()->click();
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(s.log), 10000);
    QCOMPARE(s.startedWith(), s.expectedStart());
    QVERIFY(s.startedWith().contains(QStringLiteral("\"q2dm 2\""))); // one word to the console
    // Only the script start saves the files first.
    QCOMPARE(QFileInfo::exists(s.batchFile), saveAllOnRun);
    QCOMPARE(s.env.readFile(config) != "// old\r\n", saveAllOnRun);
    QCOMPARE(s.statusText(),
             saveAllOnRun ? QStringLiteral("Config and Batch files Saved") : QString());
    QCOMPARE(s.ini("vexa", "configfile"), config);
}

void TstRun::statusBoxSummarisesAndWaitsWithoutATime() {
    RunSession s;
    s.setIni("vexa", "StatusBox", QStringLiteral("1"));
    s.setIni("vexa", "StatusTime", QStringLiteral("0"));
    s.setIni("vexa", "SaveAllOnRun", QStringLiteral("0"));
    MainWindow& w = s.start();
    s.chooseServerGame();
    QStringList shown;
    bool stillOpen = false;
    whenModalShows([&](QWidget* modal) {
        auto* box = qobject_cast<LaunchStatusDialog*>(modal);
        QVERIFY(box);
        shown << box->batchFileBox()->text() << box->gameBox()->text() << box->mapBox()->text()
              << box->startingServerBox()->text() << box->connectingBox()->text()
              << box->serverBox()->text();
        QTimer::singleShot(1500, box, [&stillOpen, box] {
            stillOpen = box->isVisible();
            box->proceedButton()->click();
        });
    });
    w.runButton()->click();
    QVERIFY(stillOpen);
    QCOMPARE(shown, (QStringList{"vexa.sh", "my mod", "q2dm 2", "Yes", "No", "None selected"}));
    QCOMPARE(w.configLines().last(), QStringLiteral("map \"q2dm 2\""));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(s.log), 10000);
    QCOMPARE(s.startedWith(), s.expectedStart());
}

void TstRun::statusBoxProceedsByItself() {
    RunSession s;
    s.setIni("vexa", "StatusBox", QStringLiteral("1"));
    s.setIni("vexa", "StatusTime", QStringLiteral("1"));
    s.setIni("vexa", "SaveAllOnRun", QStringLiteral("0"));
    MainWindow& w = s.start();
    QElapsedTimer clock;
    clock.start();
    w.runButton()->click(); // returns once the box has closed itself
    QVERIFY(clock.elapsed() >= 900);
    QVERIFY(!QApplication::activeModalWidget());
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(s.log), 10000);
    QCOMPARE(s.startedWith(), s.expectedStart());
}

void TstRun::cancelStartsAndWritesNothing() {
    RunSession s;
    s.setIni("vexa", "StatusBox", QStringLiteral("1"));
    s.setIni("vexa", "StatusTime", QStringLiteral("0"));
    s.setIni("vexa", "SaveAllOnRun", QStringLiteral("0"));
    MainWindow& w = s.start();
    w.configFileEdit()->setText(QStringLiteral("/elsewhere/other.cfg"));
    const QByteArray iniBefore = s.iniBytes();
    whenModalShows(
        [](QWidget* modal) { qobject_cast<LaunchStatusDialog*>(modal)->cancelButton()->click(); });
    w.runButton()->click();
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QVERIFY(s.nothingStarted());
    QCOMPARE(s.iniBytes(), iniBefore);
    QVERIFY(!QFileInfo::exists(s.batchFile));
}

// Run saves first: when the config changed on disk and the player cancels (or reloads), nothing
// is written and nothing starts.
void TstRun::changedConfigCancelledStartsNothing() {
    RunSession s;
    MainWindow& w = s.start();
    const QByteArray other = "set name \"Other\"\r\n";
    s.env.writeFile(QStringLiteral("quake2/baseq2/vexa.cfg"), other);
    s.prompts.answerChoice(2); // Cancel
    w.runButton()->click();
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QVERIFY(s.nothingStarted());
    QCOMPARE(s.env.readFile(s.configFile), other);
    QVERIFY(!QFileInfo::exists(s.batchFile));
}

void TstRun::missingGameFails_data() {
    QTest::addColumn<bool>("saveAllOnRun");
    QTest::addColumn<bool>("present"); // there but not executable
    QTest::newRow("direct, missing") << false << false;
    QTest::newRow("direct, not executable") << false << true;
    QTest::newRow("script, missing") << true << false;
}

void TstRun::missingGameFails() {
    QFETCH(bool, saveAllOnRun);
    QFETCH(bool, present);
    RunSession s(false);
    if (present)
        s.env.writeFile(QStringLiteral("quake2/quake2"), "#!/bin/sh\n");
    s.setIni("vexa", "SaveAllOnRun", saveAllOnRun ? QStringLiteral("1") : QStringLiteral("0"));
    s.setIni("vexa", "CloseOnExit", QStringLiteral("1"));
    MainWindow& w = s.start();
    w.show();
    w.batchFileEdit()->setText(s.env.quake2Dir() + QStringLiteral("/other.sh"));
    w.configFileEdit()->setText(s.env.writeFile(QStringLiteral("cfgs/mine.cfg"), "\r\n"));
    const QString batchKey = s.ini("vexa", "batchfile");
    const QString runServer = s.ini("vexa", "RunServer");
    const QByteArray iniBefore = s.iniBytes();
    s.prompts.expectError();
    w.runButton()->click();
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QCOMPARE(s.prompts.texts(Kind::Error),
             QStringList{QStringLiteral("Failed to execute ") + s.gameProgram});
    QVERIFY(w.isVisible()); // the program stays open
    QCOMPARE(s.ini("vexa", "batchfile"), batchKey);
    QCOMPARE(s.ini("vexa", "RunServer"), runServer);
    if (!saveAllOnRun)
        QCOMPARE(s.iniBytes(), iniBefore);
}

void TstRun::afterTheStart_data() {
    QTest::addColumn<bool>("closeOnExit");
    QTest::addColumn<bool>("minimize");
    QTest::newRow("close") << true << false;
    QTest::newRow("close wins over minimise") << true << true;
    QTest::newRow("minimise") << false << true;
    QTest::newRow("stay") << false << false;
}

void TstRun::afterTheStart() {
    QFETCH(bool, closeOnExit);
    QFETCH(bool, minimize);
    RunSession s;
    s.setIni("vexa", "CloseOnExit", closeOnExit ? QStringLiteral("1") : QStringLiteral("0"));
    s.setIni("vexa", "Minimize", minimize ? QStringLiteral("1") : QStringLiteral("0"));
    s.setIni("vexa", "SaveAllOnRun", QStringLiteral("0"));
    s.setIni("vexa", "RunServer", QStringLiteral("0"));
    MainWindow& w = s.start();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.startServerBox()->setChecked(true);
    const QString config = s.env.writeFile(QStringLiteral("cfgs/mine.cfg"), "\r\n");
    w.configFileEdit()->setText(config);
    if (closeOnExit)
        s.prompts.answerConfirm(false); // the closing's question
    w.runButton()->click();
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(s.log), 10000);
    QCOMPARE(!w.isVisible(), closeOnExit);
    QCOMPARE(w.isMinimized(), !closeOnExit && minimize);
    QCOMPARE(s.ini("vexa", "configfile"), config);
    QCOMPARE(s.ini("vexa", "batchfile"), s.batchFile);
    // Closing records the server state itself; staying open records it after the start.
    QCOMPARE(s.ini("vexa", "RunServer"), QStringLiteral("1"));
}

// Names typed without a directory mean files in the program's directory, wherever the game
// runs: saved there, stored and started whole.
void TstRun::relativeNamesMeanTheProgramDirectory() {
    RunSession s;
    s.setIni("vexa", "SaveAllOnRun", QStringLiteral("1"));
    s.setIni("vexa", "SaveBoxOnExit", QStringLiteral("0"));
    MainWindow& w = s.start();
    s.env.writeFile(QStringLiteral("program/cfgs/mine.cfg"), "\r\n");
    w.batchFileEdit()->setText(QStringLiteral("myrun.sh"));
    w.configFileEdit()->setText(QStringLiteral("./cfgs/mine.cfg"));
    w.runButton()->click();
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(s.log), 10000);
    const QString script = s.env.programDir() + QStringLiteral("/myrun.sh");
    const QString config = s.env.programDir() + QStringLiteral("/cfgs/mine.cfg");
    QVERIFY(QFileInfo::exists(script) && s.env.readFile(config).size() > 2);
    QCOMPARE(w.batchFileEdit()->text(), script);
    QCOMPARE(w.configFileEdit()->text(), config);
    QCOMPARE(s.ini("vexa", "batchfile"), script);
    QCOMPARE(s.ini("vexa", "configfile"), config);
    // Closing stores them whole too.
    w.batchFileEdit()->setText(QStringLiteral("other.sh"));
    w.close();
    QCOMPARE(s.ini("vexa", "batchfile"), s.env.programDir() + QStringLiteral("/other.sh"));
}

// id 3.21 would connect to "q2": Run says why and starts and saves nothing.
void TstRun::aValueTheEngineWouldCutIsRefused() {
    RunSession s;
    s.setIni("vexa", "SaveAllOnRun", QStringLiteral("1"));
    s.setIni("quake2", "engine", QStringLiteral("id"));
    MainWindow& w = s.start();
    w.clientPage()->servers()->addItem(QStringLiteral("q2-eu.example.net"));
    w.clientPage()->servers()->setCurrentIndex(0);
    w.clientPage()->connectToServer()->setChecked(true);
    const QByteArray config = s.env.readFile(s.configFile);
    s.prompts.expectError();
    w.runButton()->click();
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    const QStringList errors = s.prompts.texts(Kind::Error);
    QVERIFY2(errors.size() == 1 && errors.first().startsWith(QStringLiteral(
                                       "id 3.21 would read \"q2-eu.example.net\" of +connect "
                                       "only up to the \"-\"")),
             qPrintable(errors.join(u'\n')));
    QVERIFY(s.nothingStarted());
    QVERIFY(!QFileInfo::exists(s.batchFile));
    QCOMPARE(s.env.readFile(s.configFile), config);
}

VEXA_TEST(TstRun)
#include "tst_run.moc"
