#include "CfgWindowFixture.h"

#include "app/CheckConfigCommand.h"
#include "app/ConfigCheckDialog.h"
#include "app/EditorWindow.h"
#include "app/pages/GamesPage.h"
#include "config/ConfigCheck.h"
#include "config/ConfigScript.h"
#include "platform/FileAccess.h"
#include "platform/VexaIni.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextStream>

namespace {

const QByteArray FaultyConfig = "set fov \"90\"\r\nset sensitivty \"3\"\r\nset gl_mode \"3\"\r\n";

QColor baseColour(const QWidget& box) {
    return box.palette().color(QPalette::Active, QPalette::Base);
}

void setEngine(TestEnvironment& env, const char* engine) {
    IniFile ini(env.iniPath());
    VexaIni::write(ini, VexaIni::GameEngine, QLatin1String(engine));
}

} // namespace

class TstConfigCheckWindow : public QObject {
    Q_OBJECT
private slots:
    void commandLine_data();
    void commandLine();
    void programNeedsNoDisplay();
    void writerOutput_data();
    void writerOutput();
    void tooLongToRunIsTold();
    void conflictingKeysAreMarked();
    void dialogShowsFindingsAndOpensTheLine();
};

// --check-config FILE [--engine NAME]: the findings on standard output, the exit code, and the
// engine vexa.ini names when no --engine is given.
void TstConfigCheckWindow::commandLine_data() {
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QString>("iniEngine");
    QTest::addColumn<QString>("engine"); // "-" for none
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("messages");
    QTest::newRow("clean") << QByteArray("set fov 90\n") << ""
                           << "-" << 0 << ""
                           << "";
    QTest::newRow("warning") << FaultyConfig << ""
                             << "id" << 1
                             << "in.cfg:2: warning: 'sensitivty' is not a cvar of id 3.21: did "
                                "you mean 'sensitivity'?\n"
                             << "";
    QTest::newRow("vexa.ini names yamagi") << QByteArray("set gl_mode 3\n") << "yamagi"
                                           << "-" << 0
                                           << "in.cfg:1: note: Yamagi Quake II sets 'r_mode' for "
                                              "the old name 'gl_mode'\n"
                                           << "";
    QTest::newRow("--engine overrides vexa.ini") << QByteArray("set gl_mode 3\n") << "yamagi"
                                                 << "id" << 0 << ""
                                                 << "";
    QTest::newRow("unknown engine in vexa.ini") << QByteArray("set fov 90\n") << "quake3"
                                                << "-" << 0 << ""
                                                << "vexa: vexa.ini names the unknown engine "
                                                   "'quake3'; checking for id 3.21\n";
    QTest::newRow("unknown engine") << QByteArray() << ""
                                    << "quake3" << 2 << ""
                                    << "vexa: unknown engine 'quake3': id, yamagi or q2pro\n";
    QTest::newRow("missing file") << QByteArray() << ""
                                  << "-" << 2 << ""
                                  << "vexa: Cannot open file %root%/in.cfg\n";
}

void TstConfigCheckWindow::commandLine() {
    QFETCH(QByteArray, config);
    QFETCH(QString, iniEngine);
    QFETCH(QString, engine);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, messages);
    TestEnvironment env;
    if (!iniEngine.isEmpty())
        setEngine(env, qPrintable(iniEngine));
    if (!config.isEmpty())
        env.writeFile(QStringLiteral("in.cfg"), config);
    QDir::setCurrent(env.root());
    QString printed, told;
    QTextStream outStream(&printed), messageStream(&told);
    const auto chosen = engine == u"-" ? std::nullopt : std::optional(engine);
    QCOMPARE(checkConfigFile(QStringLiteral("in.cfg"), chosen, outStream, messageStream), exitCode);
    messageStream.flush();
    QCOMPARE(printed, out);
    QCOMPARE(told, messages.replace(QStringLiteral("%root%"), displayName(env.root())));
}

void TstConfigCheckWindow::programNeedsNoDisplay() {
    TestEnvironment env;
    const QString file = env.writeFile(QStringLiteral("in.cfg"), FaultyConfig);
    QProcess vexa;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    vexa.setProcessEnvironment(environment);
    vexa.start(QStringLiteral(VEXA_PROGRAM), {"--check-config", file, "--engine", "yamagi"});
    QVERIFY(vexa.waitForFinished(60000));
    QCOMPARE(vexa.exitCode(), 1);
    QCOMPARE(vexa.readAllStandardOutput().count('\n'), 2); // the misspelt and the renamed cvar
    vexa.start(QStringLiteral(VEXA_PROGRAM), {"--engine", "id"});
    QVERIFY(vexa.waitForFinished(60000));
    QCOMPARE(vexa.exitCode(), 2);
    QVERIFY(vexa.readAllStandardError().contains("--engine goes with --check-config"));
    vexa.start(QStringLiteral(VEXA_PROGRAM), QStringList{}); // the window: a message, no abort
    QVERIFY(vexa.waitForFinished(60000));
    QCOMPARE(vexa.exitStatus(), QProcess::NormalExit);
    QCOMPARE(vexa.exitCode(), 1);
    QVERIFY(vexa.readAllStandardError().contains("the window needs a display"));
}

// What Vexa writes for each engine, from a new config with two message slots: the checker's
// findings are faults of the writer. Those it still has are listed, so that a new one fails here
// and a mended one is crossed off.
void TstConfigCheckWindow::writerOutput_data() {
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QStringList>("knownFaults");
    // The gamma bar starts at position 20, vid_gamma 5 (see the report of the checker's issue).
    const QString gamma = QStringLiteral("'vid_gamma' 5 is outside");
    QTest::newRow("id") << "id" << QStringList{};
    QTest::newRow("yamagi") << "yamagi" << QStringList{};
    QTest::newRow("q2pro") << "q2pro" << QStringList{};
}

void TstConfigCheckWindow::writerOutput() {
    QFETCH(QString, engine);
    QFETCH(QStringList, knownFaults);
    CfgWindowFixture f;
    const Engine checked = *engineFromIniName(engine);
    setEngine(f.env, qPrintable(engine));
    f.window = std::make_unique<MainWindow>(f.prompts); // starts on that engine
    f.w().newAction()->trigger();
    f.w().communicationsPage()->messageKey(0)->setText(QStringLiteral("F7"));
    f.w().communicationsPage()->messageText(0)->setText(QStringLiteral("hello \"there\""));
    f.w().communicationsPage()->messageKey(1)->setText(QStringLiteral("n"));
    f.save();
    const QString written = f.env.root() + QStringLiteral("/out.cfg");
    QStringList unexplained;
    QSet<QString> seen;
    for (const ConfigFinding& finding : checkConfig(readScriptLines(written), checked)) {
        if (finding.isNote())
            continue; // Yamagi renames the gl_ names the writer writes; the game takes them
        const auto known = std::find_if(knownFaults.cbegin(), knownFaults.cend(),
                                        [&](const QString& k) { return finding.text.contains(k); });
        if (known == knownFaults.cend())
            unexplained << findingLine(written, finding);
        else
            seen.insert(*known);
    }
    QVERIFY2(unexplained.isEmpty(), qPrintable(unexplained.join(u'\n')));
    QCOMPARE(seen.size(), knownFaults.size());
}

// A config the game would skip for its size is still written whole, and the player is told: on
// the hint line when it is the config in use, in a notice after a save.
void TstConfigCheckWindow::tooLongToRunIsTold() {
    QByteArray config;
    for (int i = 0; config.size() < 9000; ++i)
        config += "alias a" + QByteArray::number(i) + " \"echo " + QByteArray(40, 'x') + "\"\n";
    CfgWindowFixture f(config); // the start-up config: the hint line tells it
    QVERIFY2(f.w().hintLine()->toolTip().contains("vexa.cfg is 9"),
             qPrintable(f.w().hintLine()->toolTip()));
    f.prompts.expectNotice();
    QVERIFY(f.save().contains(config.split('\n').at(config.count('\n') - 1)));
    const QStringList notices = f.prompts.texts(ScriptedPrompts::Kind::Notice);
    QCOMPARE(notices.size(), 1);
    QVERIFY2(notices.first().contains("id 3.21 runs no config of 8192 bytes or more"),
             qPrintable(notices.first()));
    QVERIFY2(f.prompts.done(), qPrintable(f.prompts.report()));
}

// Two boxes holding one key are marked, and the marks follow captured keys, loads and File > New.
void TstConfigCheckWindow::conflictingKeysAreMarked() {
    CfgWindowFixture f;
    f.w().newAction()->trigger();
    QApplication::processEvents();
    BindingEdit* attack = f.binding("+attack");
    BindingEdit* railgun = f.binding("use railgun");
    const QColor plain = baseColour(*railgun);
    QCOMPARE(attack->conflict(), QString());

    railgun->setFocus();
    QTest::keyClick(railgun, Qt::Key_Control); // captured as CTRL, +attack's key
    QApplication::processEvents();
    QCOMPARE(railgun->supValue(), QStringLiteral("CTRL"));
    QCOMPARE(attack->conflict(), QStringLiteral("CTRL is also bound to 'use railgun'"));
    QVERIFY(railgun->toolTip().endsWith(QStringLiteral("CTRL is also bound to '+attack'")));
    QVERIFY(baseColour(*railgun) != plain);
    QCOMPARE(baseColour(*railgun), baseColour(*attack));

    f.load("bind F1 +attack\r\nbind g \"use railgun\"\r\n");
    QApplication::processEvents();
    QCOMPARE(attack->conflict(), QString());
    QCOMPARE(baseColour(*railgun), plain);

    // A message slot's key counts too, and a further key of a binding.
    f.load("bind g \"use railgun\"\r\nbind F1 +attack\r\nbind F2 +attack\r\n");
    f.w().communicationsPage()->messageKey(2)->setText(QStringLiteral("f2"));
    QApplication::processEvents();
    QCOMPARE(attack->conflict(), QStringLiteral("F2 is also bound to 'message3'"));
    QVERIFY(f.w().communicationsPage()->messageKey(2)->toolTip().endsWith(
        QStringLiteral("f2 is also bound to '+attack'")));
    QVERIFY(baseColour(*f.w().communicationsPage()->messageKey(2)) !=
            baseColour(*f.w().communicationsPage()->messageKey(3)));

    f.w().communicationsPage()->messageKey(2)->clear();
    f.w().newAction()->trigger();
    QApplication::processEvents();
    QCOMPARE(attack->conflict(), QString());
    QCOMPARE(baseColour(*f.w().communicationsPage()->messageKey(2)),
             baseColour(*f.w().communicationsPage()->messageKey(3)));
    QCOMPARE(f.w().communicationsPage()->messageKey(2)->toolTip(),
             f.w().communicationsPage()->messageKey(3)->toolTip());

    // A ticked binding of a profile, which a save writes too, counts; unticked, it does not.
    f.env.writeFile(QStringLiteral("program/Global Aliases.vexa"),
                    "[NumberOfSections]\r\nAliases=0\r\nBindings=1\r\nSettings=0\r\n"
                    "[Bind1]\r\nBindKey=MOUSE2\r\nBindValue=+hook\r\nChecked=true\r\n");
    f.w().gamesPage()->loadGlobalProfile();
    attack->setSupValue(QStringLiteral("MOUSE2"));
    QApplication::processEvents();
    QCOMPARE(attack->conflict(),
             QStringLiteral("MOUSE2 is also bound to '+hook, ticked in Global Aliases'"));
    f.w().gamesPage()->entryList(EntryKind::Binding)->item(0)->setCheckState(Qt::Unchecked);
    QApplication::processEvents();
    QCOMPARE(attack->conflict(), QString());
}

void TstConfigCheckWindow::dialogShowsFindingsAndOpensTheLine() {
    CfgWindowFixture f;
    setEngine(f.env, "yamagi");
    const QString file = f.env.writeFile(QStringLiteral("faulty.cfg"), FaultyConfig);
    f.w().configFileEdit()->setText(file);
    auto* check = f.w().findChild<QAction*>(QStringLiteral("CheckConfig1"));
    check->trigger();
    auto* dialog = f.w().findChild<ConfigCheckDialog*>();
    QVERIFY(dialog && dialog->isVisible());
    QVERIFY(
        dialog->summaryLabel()->text().contains(QStringLiteral("1 warning and 1 note for Yamagi")));
    QCOMPARE(dialog->findingsTable()->rowCount(), 2);
    QCOMPARE(dialog->findingsTable()->item(1, 0)->text(), QStringLiteral("3"));
    QVERIFY(dialog->findingsTable()->item(1, 1)->text().startsWith(
        QStringLiteral("note: Yamagi Quake II sets 'r_mode'")));

    emit dialog->findingsTable()->cellDoubleClicked(1, 1);
    auto* editor = f.w().findChild<EditorWindow*>();
    QVERIFY(editor);
    QCOMPARE(editor->fileText()->textCursor().block().text(), QStringLiteral("set gl_mode \"3\""));
    editor->close();

    // The file mended elsewhere: Re-check finds nothing; a file gone says so.
    f.env.writeFile(QStringLiteral("faulty.cfg"), "set fov \"100\"\n");
    QTest::mouseClick(dialog->recheckButton(), Qt::LeftButton);
    QCOMPARE(dialog->findingsTable()->rowCount(), 0);
    QVERIFY(dialog->summaryLabel()->text().endsWith(
        QStringLiteral("Nothing found for Yamagi Quake II.")));
    QFile::remove(file);
    dialog->recheck();
    QCOMPARE(dialog->summaryLabel()->text(), file + QStringLiteral("\nCannot open file ") + file);

    // With no file there is nothing to check.
    f.w().configFileEdit()->clear();
    f.prompts.expectNotice();
    check->trigger();
    QVERIFY2(f.prompts.done(), qPrintable(f.prompts.report()));
    QCOMPARE(f.prompts.texts(ScriptedPrompts::Kind::Notice).last(),
             QStringLiteral("There is no config file to check: load or save one first."));
}

VEXA_TEST(TstConfigCheckWindow)
#include "tst_configcheckwindow.moc"
