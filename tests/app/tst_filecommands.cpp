#include "LaunchSession.h"
#include "app/EditorWindow.h"
#include "app/pages/ClientPage.h"
#include "app/pages/GamesPage.h"
#include "app/pages/GeneralPage.h"
#include "launch/ScriptWords.h"
#include "platform/PlatformConventions.h"
#include "platform/VexaError.h"
#include "support/NoRootOverride.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QToolButton>

namespace {

using Kind = ScriptedPrompts::Kind;

const QString OriginalQuestion =
    QStringLiteral("You are about to save over your original config file. Are you sure you want "
                   "to do this? ");
const QString EditQuestion = QStringLiteral("Do you want to save any changes you may have made?");
const QString ExitQuestion = QStringLiteral("Do you want to save files before you exit?");
const QByteArray Untouched = "// left alone\r\n";
const QByteArray ChangedElsewhere = "set name \"Other\"\r\n";
enum Choice { Reload, Overwrite, Cancel, NotAsked };

QString quoted(const QString& word) {
    return ScriptWords::quote(word, PlatformConventions::Style::Posix);
}

// The script's line for the session's game program and `commands`, with its line ending.
QString gameLine(const LaunchSession& s, const QString& commands) {
    return quoted(s.gameProgram) + (commands.isEmpty() ? QString() : QLatin1Char(' ') + commands) +
           QLatin1Char('\n');
}

QList<EditorWindow*> openEditors(const MainWindow& window) {
    QList<EditorWindow*> shown;
    for (EditorWindow* editor : window.findChildren<EditorWindow*>())
        if (editor->isVisible())
            shown << editor;
    return shown;
}

// The config's editor, opened from the window shown, with "// note" typed at its start.
EditorWindow* editConfigWithNote(MainWindow& w) {
    w.show();
    w.viewConfigAction()->trigger();
    EditorWindow* editor = openEditors(w).value(0);
    if (editor)
        QTest::keyClicks(editor->fileText(), QStringLiteral("// note"));
    return editor;
}

} // namespace

class TstFileCommands : public QObject {
    Q_OBJECT

private slots:
    void glyphRunsItsMenuItem_data();
    void glyphRunsItsMenuItem();
    void newEmptiesTheConfigBoxAndSaveAsksForAName();
    void newAsksWhenThereAreChanges_data();
    void newAsksWhenThereAreChanges();
    void loadConfigReadsTheChosenFile();
    void loadConfigThatFailsKeepsTheKeyAndTheCursor();
    void loadBatchSetsTheLaunchControls();
    void saveConfig_data();
    void saveConfig();
    void ctrlSSavesFromABindingBox();
    void saveConfigAs_data();
    void saveConfigAs();
    void saveConfigAsStartsInTheBaseDirectory_data();
    void saveConfigAsStartsInTheBaseDirectory();
    void saveBatchNamesTheGameInTheQuake2Directory();
    void saveBatchAsWritesTheChosenFile();
    void saveAllAfterDeclinedConfigStillSavesTheBatch();
    void editorOnAMissingFileShowsTheError();
    void deleteOnlyEditAsksAndRereadsTheConfig();
    void batchEditorRereadsIntoTheLaunchControls();
    void batchEditorKeepsEveryByte();
    void closing_data();
    void closing();
    void closingAsksOpenEditorsFirst();
    void changedConfigAsksBeforeSaving_data();
    void changedConfigAsksBeforeSaving();
    void editorAsksWhenTheWindowSavedMeanwhile();
    void unsavedExitKeepsTheWindowOpen();
    void startupGoesOnPastAFailingStep();
    void unreadableSettingsAreKept();
};

void TstFileCommands::glyphRunsItsMenuItem_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("title");
    QTest::newRow("btnLoadConfigFile")
        << "btnLoadConfigFile" << int(Kind::OpenFile) << "Load Config";
    QTest::newRow("btnLoadBatchFile") << "btnLoadBatchFile" << int(Kind::OpenFile) << "Load Batch";
    QTest::newRow("SpeedButton1") << "SpeedButton1" << int(Kind::SaveFile) << "Save Config As";
    QTest::newRow("SpeedButton3") << "SpeedButton3" << -1 << "Batch file Saved";
    QTest::newRow("btnEditConfig") << "btnEditConfig" << -1 << "Editing Config File";
    QTest::newRow("btnEditBatch") << "btnEditBatch" << -1 << "Editing Batch File";
}

void TstFileCommands::glyphRunsItsMenuItem() {
    QFETCH(QString, button);
    QFETCH(int, kind);
    QFETCH(QString, title);
    LaunchSession s;
    s.env.writeFile(QStringLiteral("quake2/vexa.sh"), "'/q/quake2'\n");
    MainWindow& w = s.start();
    if (button == QLatin1String("SpeedButton1"))
        w.configFileEdit()->clear(); // Save Config then asks for a name
    if (kind == int(Kind::OpenFile))
        s.prompts.answerOpenFile(std::nullopt);
    if (kind == int(Kind::SaveFile))
        s.prompts.answerSaveFile(std::nullopt);
    QTest::mouseClick(w.findChild<QToolButton*>(button), Qt::LeftButton);
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    if (kind >= 0) {
        QCOMPARE(s.prompts.shown.size(), size_t(1));
        QCOMPARE(s.prompts.shown[0].text, title);
    } else if (title.startsWith(QLatin1String("Editing"))) {
        const QList<EditorWindow*> editors = openEditors(w);
        QCOMPARE(editors.size(), 1);
        QCOMPARE(editors[0]->windowTitle(), title);
    } else {
        QCOMPARE(s.statusText(), title);
    }
}

void TstFileCommands::newEmptiesTheConfigBoxAndSaveAsksForAName() {
    LaunchSession s;
    MainWindow& w = s.start();
    QVERIFY(!w.configLines().isEmpty()); // the start-up config's line
    w.newAction()->trigger();
    QCOMPARE(w.configFileEdit()->text(), QString());
    QVERIFY(w.configLines().isEmpty());
    QCOMPARE(s.ini("vexa", "configfile"), s.configFile); // New writes nothing

    s.prompts.answerSaveFile(std::nullopt);
    w.saveConfigAction()->trigger();
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QCOMPARE(s.prompts.texts(Kind::SaveFile), QStringList{QStringLiteral("Save Config As")});
    QCOMPARE(s.prompts.shown[0].filter, QStringLiteral("Config Files (*.cfg)"));
    // The cancelled dialog still leaves the empty box in vexa.ini.
    QCOMPARE(s.ini("vexa", "configfile"), QString());
    QCOMPARE(s.statusText(), QString());
}

// A changed name and the answers: -1 for no change (and no question), else the answer to the
// question (Save, Discard, Cancel), then whether saving over config.cfg goes ahead.
void TstFileCommands::newAsksWhenThereAreChanges_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<bool>("madeNew");
    QTest::newRow("unchanged: no question") << -1 << false << true;
    QTest::newRow("saved first") << 0 << true << true;
    QTest::newRow("save declined keeps all") << 0 << false << false;
    QTest::newRow("discarded") << 1 << false << true;
    QTest::newRow("cancelled keeps all") << 2 << false << false;
}

void TstFileCommands::newAsksWhenThereAreChanges() {
    QFETCH(int, answer);
    QFETCH(bool, overwrite);
    QFETCH(bool, madeNew);
    LaunchSession s;
    MainWindow& w = s.start();
    // The game's own config.cfg chosen, so that the save asks before it writes.
    const QString config =
        s.env.writeFile(QStringLiteral("quake2/baseq2/config.cfg"), "set name \"Player\"\r\n");
    w.configFileEdit()->setText(config);
    if (answer >= 0) {
        w.generalPage()->playerName()->setText(QStringLiteral("Changed"));
        s.prompts.answerChoice(answer);
    }
    if (answer == 0)
        s.prompts.answerConfirm(overwrite);
    if (answer == 0 && !overwrite)
        s.prompts.expectNotice(); // Saving Canceled
    w.newAction()->trigger();
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QCOMPARE(w.configFileEdit()->text().isEmpty(), madeNew);
    if (!madeNew)
        QCOMPARE(w.generalPage()->playerName()->text(), QStringLiteral("Changed"));
    const bool saved = answer == 0 && overwrite;
    QVERIFY(s.env.readFile(config).contains(saved ? "\"Changed\"" : "\"Player\""));
}

void TstFileCommands::loadConfigReadsTheChosenFile() {
    LaunchSession s;
    MainWindow& w = s.start();
    const QString other = s.env.writeFile(QStringLiteral("cfgs/other.cfg"),
                                          "set name \"Other\"\r\nbind x \"+attack\"\r\n");
    s.prompts.answerOpenFile(other);
    w.openConfigAction()->trigger();
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QCOMPARE(s.prompts.shown[0].directory, s.env.baseDir());
    QCOMPARE(s.prompts.shown[0].filter, QStringLiteral("Config Files (*.cfg)"));
    QCOMPARE(w.configFileEdit()->text(), other);
    QCOMPARE(w.configLines(), (QStringList{QStringLiteral("set name \"Other\""),
                                           QStringLiteral("bind x \"+attack\"")}));
    QCOMPARE(s.ini("vexa", "configfile"), other);
    QCOMPARE(s.statusText(), QString());

    // Cancelling changes nothing.
    s.prompts.answerOpenFile(std::nullopt);
    w.openConfigAction()->trigger();
    QCOMPARE(w.configFileEdit()->text(), other);
}

void TstFileCommands::loadConfigThatFailsKeepsTheKeyAndTheCursor() {
    LaunchSession s;
    MainWindow& w = s.start();
    const QString missing = s.env.root() + QStringLiteral("/gone.cfg");
    s.prompts.answerOpenFile(missing);
    s.prompts.expectError();
    w.openConfigAction()->trigger();
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QCOMPARE(s.prompts.texts(Kind::Error),
             QStringList{QStringLiteral("Cannot open file ") + missing});
    QCOMPARE(w.configFileEdit()->text(), missing); // the box was set before the reader failed
    QCOMPARE(s.ini("vexa", "configfile"), s.configFile);
    QVERIFY(!QApplication::overrideCursor());
}

void TstFileCommands::loadBatchSetsTheLaunchControls() {
    LaunchSession s;
    MainWindow& w = s.start();
    const QString script = s.env.writeFile(QStringLiteral("scripts/ctf.sh"),
                                           "'/q/quake2' +set game ctf +exec vexa.cfg\n");
    s.prompts.answerOpenFile(script);
    w.openBatchAction()->trigger();
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QCOMPARE(s.prompts.shown[0].text, QStringLiteral("Load Batch"));
    QCOMPARE(s.prompts.shown[0].directory, s.env.quake2Dir());
    QCOMPARE(s.prompts.shown[0].filter, PlatformConventions::native().batchFileFilter());
    QCOMPARE(w.batchFileEdit()->text(), script);
    QVERIFY(w.gamesPage()->startWithGame()->isChecked());
    QCOMPARE(w.gamesPage()->currentGame()->text(), QStringLiteral("ctf"));
    QCOMPARE(s.ini("vexa", "batchfile"), script);

    // A script that does not exist yet is created holding the bare game program.
    const QString fresh = s.env.root() + QStringLiteral("/scripts/new.sh");
    s.prompts.answerOpenFile(fresh);
    w.openBatchAction()->trigger();
    QCOMPARE(QString::fromLatin1(s.env.readFile(fresh)), gameLine(s, QString()));
    QVERIFY(w.gamesPage()->startWithGame()->isChecked()); // nothing read from it
    QCOMPARE(s.ini("vexa", "batchfile"), fresh);
}

void TstFileCommands::saveConfig_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("answer"); // -1: no question expected, 0: No, 1: Yes
    QTest::addColumn<bool>("written");
    QTest::newRow("other name, no question") << "mine.cfg" << -1 << true;
    QTest::newRow("Config.Cfg, Yes") << "Config.Cfg" << 1 << true;
    QTest::newRow("config.cfg, No") << "config.cfg" << 0 << false;
    QTest::newRow("CONFIG.CFG, No") << "CONFIG.CFG" << 0 << false;
}

void TstFileCommands::saveConfig() {
    QFETCH(QString, name);
    QFETCH(int, answer);
    QFETCH(bool, written);
    LaunchSession s;
    MainWindow& w = s.start();
    const QString file = s.env.writeFile(QStringLiteral("cfgs/") + name, Untouched);
    w.configFileEdit()->setText(file);
    w.generalPage()->playerName()->setText(QStringLiteral("Tester"));
    if (answer >= 0)
        s.prompts.answerConfirm(answer == 1);
    if (answer == 0)
        s.prompts.expectNotice();
    w.saveConfigAction()->trigger();
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QCOMPARE(s.prompts.texts(Kind::Confirm),
             answer >= 0 ? QStringList{OriginalQuestion} : QStringList());
    QCOMPARE(s.prompts.texts(Kind::Notice),
             answer == 0 ? QStringList{QStringLiteral("Saving Canceled")} : QStringList());
    const QByteArray content = s.env.readFile(file);
    QCOMPARE(content == Untouched, !written);
    if (written)
        QVERIFY(content.contains("Tester"));
    QCOMPARE(s.statusText(), written ? QStringLiteral("Config file Saved") : QString());
    QCOMPARE(s.ini("vexa", "configfile"), file);
}

// The desktop's keys reach the window from every box, a key capture box too.
void TstFileCommands::ctrlSSavesFromABindingBox() {
    LaunchSession s;
    MainWindow& w = s.start();
    const QString file = s.env.writeFile(QStringLiteral("cfgs/mine.cfg"), Untouched);
    w.configFileEdit()->setText(file);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QWidget* box = w.settingControl(QStringLiteral("+forward"));
    w.tabs()->setCurrentWidget(box->parentWidget());
    box->setFocus();
    QTRY_VERIFY(box->hasFocus());
    QTest::keyClick(box, Qt::Key_S, Qt::ControlModifier);
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QCOMPARE(s.statusText(), QStringLiteral("Config file Saved"));
    QVERIFY(s.env.readFile(file) != Untouched);
}

void TstFileCommands::saveConfigAs_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("existed");
    QTest::addColumn<int>("answer");          // -1: no question expected
    QTest::addColumn<QByteArray>("expected"); // "*": written by the window
    QTest::newRow("new name") << "fresh.cfg" << false << -1 << QByteArray("*");
    QTest::newRow("existing other name") << "old.cfg" << true << -1 << QByteArray("*");
    QTest::newRow("new config.cfg, No: no file") << "config.cfg" << false << 0 << QByteArray();
    QTest::newRow("existing config.cfg, No: untouched") << "config.cfg" << true << 0 << Untouched;
    QTest::newRow("existing config.cfg, Yes") << "config.cfg" << true << 1 << QByteArray("*");
}

void TstFileCommands::saveConfigAs() {
    QFETCH(QString, name);
    QFETCH(bool, existed);
    QFETCH(int, answer);
    QFETCH(QByteArray, expected);
    LaunchSession s;
    MainWindow& w = s.start();
    const QString file = s.env.root() + QStringLiteral("/cfgs/") + name;
    s.env.makeDir(QStringLiteral("cfgs"));
    if (existed)
        s.env.writeFile(QStringLiteral("cfgs/") + name, Untouched);
    w.generalPage()->playerName()->setText(QStringLiteral("Tester"));
    s.prompts.answerSaveFile(file);
    if (answer >= 0)
        s.prompts.answerConfirm(answer == 1);
    if (answer == 0)
        s.prompts.expectNotice();
    w.saveConfigAsAction()->trigger();
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    // A declined overwrite makes no file and keeps the config chosen before.
    QCOMPARE(QFileInfo::exists(file), existed || answer != 0);
    if (expected == "*")
        QVERIFY(s.env.readFile(file).contains("Tester"));
    else if (existed)
        QCOMPARE(s.env.readFile(file), expected);
    const QString chosen = answer == 0 ? s.configFile : file;
    QCOMPARE(w.configFileEdit()->text(), chosen);
    QCOMPARE(s.ini("vexa", "configfile"), chosen);
    QCOMPARE(s.statusText(), QString());
}

// Save Config As proposes config.cfg in the game's own baseq2 where the engine keeps one, else
// in the base directory, or in the Quake 2 directory when vexa.ini names none, in any case in a
// folder that exists.
void TstFileCommands::saveConfigAsStartsInTheBaseDirectory_data() {
    QTest::addColumn<QString>("baseKey"); // null: no key
    QTest::addColumn<QString>("quake2Key");
    QTest::addColumn<QString>("home"); // null: an engine without one
    QTest::addColumn<QString>("start");
    QTest::newRow("baseq2 known") << "<base>"
                                  << "<quake2>" << QString() << "<base>";
    QTest::newRow("baseq2 missing") << QString() << "<quake2>" << QString() << "<quake2>";
    QTest::newRow("baseq2 gone") << "<root>/gone"
                                 << "<quake2>" << QString() << "<quake2>";
    QTest::newRow("both gone") << "<root>/gone"
                               << "<root>/gone" << QString() << "<root>/home";
    QTest::newRow("game's home") << "<base>"
                                 << "<quake2>"
                                 << "<root>/home/.yq2"
                                 << "<root>/home/.yq2/baseq2";
}

void TstFileCommands::saveConfigAsStartsInTheBaseDirectory() {
    QFETCH(QString, baseKey);
    QFETCH(QString, quake2Key);
    QFETCH(QString, home);
    QFETCH(QString, start);
    LaunchSession s;
    if (!home.isNull()) {
        s.env.makeDir(QStringLiteral("home/.yq2/baseq2"));
        s.setIni("quake2", "engine", QStringLiteral("yamagi"));
        s.setIni("quake2", "home", home.replace("<root>", s.env.root()));
    }
    MainWindow& w = s.start();
    const auto place = [&s](QString text) {
        return text.replace("<base>", s.env.baseDir())
            .replace("<quake2>", s.env.quake2Dir())
            .replace("<root>", s.env.root());
    };
    IniFile ini(s.env.iniPath());
    if (baseKey.isNull())
        ini.deleteKey("quake2", "baseq2");
    else
        ini.writeString("quake2", "baseq2", place(baseKey));
    ini.writeString("quake2", "path", place(quake2Key));
    s.prompts.answerSaveFile(std::nullopt);
    w.saveConfigAsAction()->trigger();
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QCOMPARE(s.prompts.shown[0].directory, place(start));
    QCOMPARE(s.prompts.shown[0].fileName, QStringLiteral("vexa.cfg"));
    QCOMPARE(w.configFileEdit()->text(), s.configFile);
}

void TstFileCommands::saveBatchNamesTheGameInTheQuake2Directory() {
    LaunchSession s;
    MainWindow& w = s.start();
    // The script lies elsewhere; the game it names is still the one in the Quake 2 directory.
    const QString script = s.env.root() + QStringLiteral("/elsewhere/run.sh");
    s.env.makeDir(QStringLiteral("elsewhere"));
    w.batchFileEdit()->setText(script);
    w.gamesPage()->startWithGame()->setChecked(true);
    w.gamesPage()->currentGame()->setText(QStringLiteral("ctf"));
    const QByteArray iniBefore = s.iniBytes();
    w.saveBatchAction()->trigger();
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QCOMPARE(QString::fromLatin1(s.env.readFile(script)),
             gameLine(s, QStringLiteral("+set basedir ") + quoted(s.env.quake2Dir()) +
                             QStringLiteral(" +set game ctf +exec vexa.cfg")));
    QCOMPARE(s.statusText(), QStringLiteral("Batch file Saved"));
    QCOMPARE(s.iniBytes(), iniBefore);
}

void TstFileCommands::saveBatchAsWritesTheChosenFile() {
    LaunchSession s;
    MainWindow& w = s.start();
    const QString script = s.env.root() + QStringLiteral("/program/mine.sh");
    s.prompts.answerSaveFile(script);
    w.saveBatchAsAction()->trigger();
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QCOMPARE(s.prompts.shown[0].text, QStringLiteral("Save Batch As"));
    QCOMPARE(s.prompts.shown[0].directory, s.env.programDir());
    QCOMPARE(s.prompts.shown[0].filter, PlatformConventions::native().batchFileFilter());
    QCOMPARE(w.batchFileEdit()->text(), script);
    QCOMPARE(QString::fromLatin1(s.env.readFile(script)),
             gameLine(s, QStringLiteral("+set basedir ") + quoted(s.env.quake2Dir()) +
                             QStringLiteral(" +exec vexa.cfg")));
    QCOMPARE(s.statusText(), QStringLiteral("Batch file Saved"));
    QCOMPARE(s.ini("vexa", "batchfile"), script);

    // Cancelling writes nothing and keeps the box.
    s.prompts.answerSaveFile(std::nullopt);
    w.saveBatchAsAction()->trigger();
    QCOMPARE(w.batchFileEdit()->text(), script);
}

void TstFileCommands::saveAllAfterDeclinedConfigStillSavesTheBatch() {
    LaunchSession s;
    MainWindow& w = s.start();
    // The game's own config.cfg chosen: saving over it asks first.
    const QString gameConfig = s.env.writeFile(QStringLiteral("quake2/baseq2/config.cfg"), Untouched);
    w.configFileEdit()->setText(gameConfig);
    s.prompts.answerConfirm(false);
    s.prompts.expectNotice();
    w.saveAllAction()->trigger();
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QCOMPARE(s.prompts.texts(Kind::Notice), QStringList{QStringLiteral("Saving Canceled")});
    QCOMPARE(s.env.readFile(gameConfig), Untouched);
    QVERIFY(QFileInfo::exists(s.batchFile));
    QCOMPARE(s.statusText(), QStringLiteral("Config and Batch files Saved"));
}

void TstFileCommands::editorOnAMissingFileShowsTheError() {
    LaunchSession s;
    MainWindow& w = s.start();
    s.prompts.expectError();
    w.viewBatchAction()->trigger(); // vexa.sh does not exist
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QCOMPARE(s.prompts.texts(Kind::Error),
             QStringList{QStringLiteral("Cannot open file ") + s.batchFile});
    QVERIFY(w.findChildren<EditorWindow*>().isEmpty());
    QVERIFY(!QFileInfo::exists(s.batchFile));
}

void TstFileCommands::deleteOnlyEditAsksAndRereadsTheConfig() {
    LaunchSession s;
    MainWindow& w = s.start();
    s.env.writeFile(QStringLiteral("quake2/baseq2/vexa.cfg"), "Xset name \"Edited\"\r\n");
    w.editConfigButton()->click();
    const QList<EditorWindow*> editors = openEditors(w);
    QCOMPARE(editors.size(), 1);
    QCOMPARE(editors[0]->windowTitle(), QStringLiteral("Editing Config File"));
    editors[0]->fileText()->moveCursor(QTextCursor::Start);
    QTest::keyClick(editors[0]->fileText(), Qt::Key_Delete);
    s.prompts.answerChoice(0); // Yes, save
    QVERIFY(editors[0]->close());
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QCOMPARE(s.prompts.texts(Kind::Choose), QStringList{EditQuestion});
    QCOMPARE(s.env.readFile(s.configFile), QByteArray("set name \"Edited\"\r\n"));
    QCOMPARE(w.configLines(), QStringList{QStringLiteral("set name \"Edited\"")});
}

void TstFileCommands::batchEditorRereadsIntoTheLaunchControls() {
    LaunchSession s;
    s.env.writeFile(QStringLiteral("quake2/vexa.sh"), "'/q/quake2' +exec vexa.cfg\n");
    MainWindow& w = s.start();
    QVERIFY(!w.gamesPage()->startWithGame()->isChecked());
    w.viewBatchAction()->trigger();
    EditorWindow* editor = openEditors(w).value(0);
    QVERIFY(editor);
    QCOMPARE(editor->windowTitle(), QStringLiteral("Editing Batch File"));
    editor->fileText()->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor->fileText(), QStringLiteral(" +set game rogue"));
    const QStringList configBefore = w.configLines();
    s.prompts.answerChoice(0); // Yes, save
    QVERIFY(editor->close());
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QCOMPARE(s.env.readFile(s.batchFile),
             QByteArray("'/q/quake2' +exec vexa.cfg +set game rogue\n"));
    QVERIFY(w.gamesPage()->startWithGame()->isChecked());
    QCOMPARE(w.gamesPage()->currentGame()->text(), QStringLiteral("rogue"));
    QVERIFY(w.configLines() != configBefore); // the script's commands, not the config's lines
    QCOMPARE(w.configLines().last(), QStringLiteral("set game rogue"));
}

// A script with a map name in the game's 8-bit text and a folder name in UTF-8 keeps both
// through the editor.
void TstFileCommands::batchEditorKeepsEveryByte() {
    LaunchSession s;
    const QByteArray script = "'/q/j\xc3\xb6rg/quake2' +map 'caf\xe9'\n";
    s.env.writeFile(QStringLiteral("quake2/vexa.sh"), script);
    MainWindow& w = s.start();
    w.viewBatchAction()->trigger();
    EditorWindow* editor = openEditors(w).value(0);
    QVERIFY(editor);
    editor->fileText()->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor->fileText(), QStringLiteral(" +set game rogue"));
    s.prompts.answerChoice(0); // Yes, save
    QVERIFY(editor->close());
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QCOMPARE(s.env.readFile(s.batchFile), script.chopped(1) + " +set game rogue\n");
    QCOMPARE(w.clientPage()->startMap()->currentText(), QStringLiteral(u"caf\u00e9"));
}

void TstFileCommands::closing_data() {
    QTest::addColumn<QString>("saveAllOnExit");
    QTest::addColumn<QString>("saveBoxOnExit");
    QTest::addColumn<int>("answer"); // -1: no question expected
    QTest::addColumn<bool>("saved");
    QTest::newRow("defaults, Yes") << QString() << QString() << 1 << true;
    QTest::newRow("defaults, No") << QString() << QString() << 0 << false;
    QTest::newRow("saveAllOnExit: no question") << "1"
                                                << "1" << -1 << true;
    QTest::newRow("neither: nothing") << "0"
                                      << "0" << -1 << false;
}

void TstFileCommands::closing() {
    QFETCH(QString, saveAllOnExit);
    QFETCH(QString, saveBoxOnExit);
    QFETCH(int, answer);
    QFETCH(bool, saved);
    LaunchSession s;
    if (!saveAllOnExit.isNull())
        s.setIni("vexa", "saveAllOnExit", saveAllOnExit);
    if (!saveBoxOnExit.isNull())
        s.setIni("vexa", "SaveBoxOnExit", saveBoxOnExit);
    MainWindow& w = s.start();
    const QString mine = s.env.writeFile(QStringLiteral("cfgs/mine.cfg"), Untouched);
    w.configFileEdit()->setText(mine);
    w.show();
    if (answer >= 0)
        s.prompts.answerConfirm(answer == 1);
    w.exitAction()->trigger();
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QVERIFY(!w.isVisible());
    QCOMPARE(s.prompts.texts(Kind::Confirm),
             answer >= 0 ? QStringList{ExitQuestion} : QStringList());
    QCOMPARE(s.env.readFile(mine) != Untouched, saved);
    QCOMPARE(QFileInfo::exists(s.batchFile), saved);
    QCOMPARE(s.ini("vexa", "configfile"), mine); // written in every case
}

void TstFileCommands::closingAsksOpenEditorsFirst() {
    LaunchSession s;
    s.setIni("vexa", "SaveBoxOnExit", QStringLiteral("0"));
    MainWindow& w = s.start();
    QPointer<EditorWindow> editor = editConfigWithNote(w);
    QVERIFY(editor);
    QTest::keyClick(editor->fileText(), Qt::Key_Return);
    s.prompts.answerChoice(0); // Yes, save
    QVERIFY(w.close());
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QCOMPARE(s.prompts.texts(Kind::Choose), QStringList{EditQuestion});
    QVERIFY(s.env.readFile(s.configFile).startsWith("// note\r\n"));
    QVERIFY(!editor || !editor->isVisible());
}

// Another program changes the config the window read: a save asks before it overwrites that,
// and does what the player chose. A file only written again with the same bytes asks nothing.
void TstFileCommands::changedConfigAsksBeforeSaving_data() {
    QTest::addColumn<QByteArray>("onDisk"); // what the other program leaves
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("nameAfter"); // the name box after the save
    QTest::addColumn<bool>("written");
    QTest::newRow("changed, overwrite") << ChangedElsewhere << int(Overwrite) << "Tester" << true;
    QTest::newRow("changed, cancel") << ChangedElsewhere << int(Cancel) << "Tester" << false;
    QTest::newRow("changed, reload") << ChangedElsewhere << int(Reload) << "Other" << false;
    QTest::newRow("same bytes again")
        << QByteArray("set name \"Player\"\r\n") << int(NotAsked) << "Tester" << true;
}

void TstFileCommands::changedConfigAsksBeforeSaving() {
    QFETCH(QByteArray, onDisk);
    QFETCH(int, choice);
    LaunchSession s;
    MainWindow& w = s.start();
    QCOMPARE(w.generalPage()->playerName()->text(), QStringLiteral("Player"));
    w.generalPage()->playerName()->setText(QStringLiteral("Tester"));
    QFile::remove(s.configFile); // a new file, as editors save
    s.env.writeFile(QStringLiteral("quake2/baseq2/vexa.cfg"), onDisk);
    if (choice != NotAsked)
        s.prompts.answerChoice(choice);
    w.saveConfigAction()->trigger();
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QCOMPARE(s.prompts.texts(Kind::Choose).size(), choice == NotAsked ? 0 : 1);
    QTEST(w.generalPage()->playerName()->text(), "nameAfter");
    const QByteArray after = s.env.readFile(s.configFile);
    QTEST(after.contains("Tester"), "written");
    if (!after.contains("Tester"))
        QCOMPARE(after, onDisk);
}

// The editor read the config before the window saved it: closing the editor with its changes
// asks, and Cancel keeps the editor open and the window's save on disk.
void TstFileCommands::editorAsksWhenTheWindowSavedMeanwhile() {
    LaunchSession s;
    MainWindow& w = s.start();
    QPointer<EditorWindow> editor = editConfigWithNote(w);
    QVERIFY(editor);
    w.saveConfigAction()->trigger();
    const QByteArray saved = s.env.readFile(s.configFile);
    s.prompts.answerChoice(0); // save the editor's changes? Yes
    s.prompts.answerChoice(Cancel);
    QVERIFY(!editor->close());
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QCOMPARE(s.env.readFile(s.configFile), saved);
}

// A save on exit that fails keeps the window and its changes.
void TstFileCommands::unsavedExitKeepsTheWindowOpen() {
    LaunchSession s;
    s.setIni("vexa", "saveAllOnExit", QStringLiteral("1"));
    MainWindow& w = s.start();
    w.show();
    w.generalPage()->playerName()->setText(QStringLiteral("Tester"));
    QFile::setPermissions(s.configFile, QFileDevice::ReadOwner);
    s.prompts.expectError();
    QVERIFY(!w.close());
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QVERIFY(w.isVisible());
    QCOMPARE(w.generalPage()->playerName()->text(), QStringLiteral("Tester"));
}

// A start-up step that fails (here a profile's count that is no number) leaves the later ones
// to run: the script's start map is still chosen, so the next Save Batch keeps it.
void TstFileCommands::startupGoesOnPastAFailingStep() {
    LaunchSession s;
    s.env.writeFile(QStringLiteral("program/Global Aliases.vexa"),
                    "[NumberOfSections]\r\nAliases=3x\r\n");
    s.env.writeFile(QStringLiteral("program/maps.lst"), "q2dm1\r\n");
    s.env.writeFile(QStringLiteral("quake2/vexa.sh"),
                    quoted(s.gameProgram).toLocal8Bit() + " +map q2dm1\n");
    s.prompts.expectError();
    MainWindow& w = s.start();
    QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    QCOMPARE(s.prompts.texts(Kind::Error), QStringList{ErrorText::notAnInteger("3x")});
    w.saveBatchAction()->trigger();
    QVERIFY(s.env.readFile(s.batchFile).contains(" +map q2dm1"));
}

// vexa.ini that can be written but not read: start-up says so once, goes on without it, and
// leaves every setting in it.
void TstFileCommands::unreadableSettingsAreKept() {
    LaunchSession s;
    const QByteArray before = s.iniBytes();
    QFile::setPermissions(s.env.iniPath(), QFileDevice::WriteOwner);
    {
        const NoRootOverride asAnyUser;
        if (!asAnyUser.active())
            QSKIP("root's overrides cannot be turned off here");
        s.prompts.expectError();
        MainWindow& w = s.start();
        w.generalPage()->playerName()->setText(QStringLiteral("Tester"));
        s.prompts.expectError();
        w.saveBatchAction()->trigger();
        // Closing asks whether to save, as it does by default, so the window can close.
        w.show();
        s.prompts.expectError();
        s.prompts.answerConfirm(false);
        QVERIFY(w.close());
        QVERIFY2(s.prompts.done(), qPrintable(s.prompts.report()));
    }
    QFile::setPermissions(s.env.iniPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(s.prompts.texts(Kind::Error), QStringList(3, ErrorText::cannotRead(s.env.iniPath())));
    QCOMPARE(s.iniBytes(), before);
}

VEXA_TEST(TstFileCommands)
#include "tst_filecommands.moc"
