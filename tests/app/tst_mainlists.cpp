#include "ComboItems.h"
#include "app/CommandLineCommand.h"
#include "app/Demo.h"
#include "app/MainWindow.h"
#include "app/pages/ClientPage.h"
#include "app/pages/GeneralPage.h"
#include "app/pages/ServerPage.h"
#include "app/pages/VideoPage.h"
#include "platform/IniFile.h"
#include "platform/TextFile.h"
#include "profiles/MapLists.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <functional>

namespace {

QStringList sorted(QStringList list) {
    list.sort();
    return list;
}

// A Quake 2 installation with something to find in every list, hidden entries among them.
struct Installation {
    explicit Installation(TestEnvironment& env) : env(env) {
        env.seedKnownDirectories();
        files(QStringLiteral("quake2/baseq2/players"), {"readme.txt", "loose.pcx"},
              {"male", "Female", "cyborg", ".hidden"});
        files(QStringLiteral("quake2/baseq2/players/male"),
              {"grunt.pcx", "grunt_i.pcx", "Viper.PCX", "weapon.pcx", "w_i.pcx", ".ghost.pcx"});
        files(QStringLiteral("quake2/baseq2/players/Female"), {"athena.pcx", "athena_i.pcx"});
        files(QStringLiteral("quake2"),
              {"ref_gl.so", "ref_soft.so", "_debug.so", "3DFXGL.SO", ".secret.so", "quake2"});
        files(QStringLiteral("quake2/baseq2/maps"),
              {"base1.bsp", "BASE2.BSP", "readme.txt", ".hidden.bsp"});
        files(QStringLiteral("quake2/baseq2/save"), {"game.ssv"},
              {"save0", "Save1", "current", ".hidden"});
        env.writeFile(QStringLiteral("program/maps.lst"), "Base1\nq2dm1 \"The Edge\"\n");
        env.writeFile(QStringLiteral("program/servers.txt"), "192.0.2.1:27910\nlan:27911\n");
    }

    void files(const QString& dir, const QStringList& names, const QStringList& dirs = {}) {
        for (const QString& name : names)
            env.writeFile(dir + QLatin1Char('/') + name, "");
        for (const QString& name : dirs)
            env.makeDir(dir + QLatin1Char('/') + name);
    }

    // What the lists show, in name order.
    QStringList models() const { return {"cyborg", "female", "male"}; }
    QStringList maleSkins() const { return {"grunt", "viper"}; }
    QStringList drivers() const { return {"3dfxgl", "ref_gl", "ref_soft"}; }
    // The lines of maps.lst, then the maps found that it does not name.
    QStringList startMaps() const { return {"Base1", "q2dm1 \"The Edge\"", "base2", "readme"}; }
    QStringList saves() const { return {"current", "save0", "save1"}; }

    TestEnvironment& env;
};

// Shows the window and waits until a person could type into it.
void showActive(MainWindow& window) {
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

void focusBox(QComboBox* box) {
    box->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(box->hasFocus());
}

// Chooses an entry from the box's drop-down list the way a person does.
void pickFromList(QComboBox* box, const QString& text) {
    const int index = box->findText(text);
    QVERIFY(index >= 0);
    box->setFocus(Qt::MouseFocusReason); // a click on the box gives it the focus
    box->showPopup();
    QAbstractItemView* view = box->view();
    QTRY_VERIFY(view->isVisible());
    view->setCurrentIndex(view->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QTRY_VERIFY(!view->isVisible());
}

// Runs `whileOpen` on the modal editor that `open` shows, then closes the editor with OK.
void withModalEditor(const std::function<void()>& open,
                     const std::function<void(QWidget*)>& whileOpen) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget* editor = QApplication::activeModalWidget();
        if (!editor)
            return;
        seen = true;
        whileOpen(editor);
        qobject_cast<QDialog*>(editor)->accept(); // OK
    });
    open();
    QVERIFY(seen);
}

} // namespace

class TstMainLists : public QObject {
    Q_OBJECT

private slots:
    void startUpFillsEveryList();
    void refillsKeepTheTextButSavesLoseIt_data();
    void refillsKeepTheTextButSavesLoseIt();
    void typingAModelListsItsSkins();
    void pickingAModelListsItsSkins();
    void visitingTheModelKeepsTheSkin();
    void programChangesRebuildNothing();
    void enteringABoxListsAgain();
    void mapEditorReloadsBothStartMapBoxes();
    void serverEditorReloadsTheServerBox();
    void missingBaseDirectoryKeySearchesTheDefault();
    void demoShowsItsOwnInstallation();
    void programDirectoryStaysWhereTheProgramStarted();
};

void TstMainLists::startUpFillsEveryList() {
    TestEnvironment env;
    Installation inst(env);
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    QVERIFY2(prompts.done() && prompts.shown.empty(), qPrintable(prompts.report()));

    QCOMPARE(itemsOf(window.generalPage()->model()), inst.models());
    // A new config shows the installed male/grunt, never "/": the skins of male.
    QCOMPARE(window.generalPage()->model()->currentText(), QStringLiteral("male"));
    QCOMPARE(window.generalPage()->skin()->currentText(), QStringLiteral("grunt"));
    QCOMPARE(itemsOf(window.generalPage()->skin()), inst.maleSkins());
    QCOMPARE(itemsOf(window.videoPage()->glDriver()), inst.drivers());
    QCOMPARE(itemsOf(window.clientPage()->startMap()), inst.startMaps());
    QCOMPARE(itemsOf(window.serverPage()->startMap()), inst.startMaps());
    QCOMPARE(itemsOf(window.clientPage()->savedGames()), inst.saves());
    QCOMPARE(itemsOf(window.clientPage()->servers()),
             (QStringList{"192.0.2.1:27910", "lan:27911"}));
    for (QComboBox* box : {window.videoPage()->glDriver(), window.clientPage()->startMap(),
                           window.serverPage()->startMap(), window.clientPage()->savedGames(),
                           window.clientPage()->servers()}) {
        QVERIFY2(box->currentIndex() == -1, qPrintable(box->objectName()));
        QVERIFY2(box->currentText().isEmpty(), qPrintable(box->objectName()));
    }
}

void TstMainLists::refillsKeepTheTextButSavesLoseIt_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("keepsText");
    QTest::newRow("model") << "cboModel" << true;
    QTest::newRow("skin") << "cboSkin" << true;
    QTest::newRow("driver") << "cboGlDriver" << true;
    QTest::newRow("client start map") << "cboClientStartMap" << true;
    QTest::newRow("server start map") << "cboServerStartMap" << true;
    QTest::newRow("server") << "cboServerList" << true;
    QTest::newRow("saved game") << "cboSaveGames" << false;
}

void TstMainLists::refillsKeepTheTextButSavesLoseIt() {
    QFETCH(QString, box);
    QFETCH(bool, keepsText);
    TestEnvironment env;
    Installation inst(env);
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    auto* combo = window.findChild<QComboBox*>(box);
    QVERIFY(combo);
    const QStringList before = itemsOf(combo);
    // What the config or the batch file could put there: an entry's text or any text.
    for (const QString& text : {before.value(0), QStringLiteral("typed by hand")}) {
        combo->setEditText(text);
        window.fillModelList();
        window.fillSkinList(window.generalPage()->model()->currentText());
        window.fillGlDriverList();
        window.fillStartMapLists();
        window.fillServerList();
        window.fillSaveGameList();
        QCOMPARE(combo->currentText(), keepsText ? text : QString());
        QCOMPARE(combo->currentIndex(), -1);
        QCOMPARE(itemsOf(combo), before);
    }
}

void TstMainLists::typingAModelListsItsSkins() {
    TestEnvironment env;
    Installation inst(env);
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    showActive(window);
    window.tabs()->setCurrentWidget(window.generalPage());
    window.generalPage()->skin()->setEditText(QStringLiteral("athena"));
    focusBox(window.generalPage()->model());

    QTest::keyClicks(window.generalPage()->model()->lineEdit(), QStringLiteral("male"));
    QCOMPARE(window.generalPage()->model()->currentText(), QStringLiteral("male"));
    QTRY_COMPARE(itemsOf(window.generalPage()->skin()), inst.maleSkins());
    QCOMPARE(window.generalPage()->skin()->currentText(), QString());

    // Every edit counts, a deletion too: "mal" has no skins.
    window.generalPage()->skin()->setEditText(QStringLiteral("grunt"));
    QTest::keyClick(window.generalPage()->model()->lineEdit(), Qt::Key_Backspace);
    QCOMPARE(window.generalPage()->model()->currentText(), QStringLiteral("mal"));
    QTRY_COMPARE(itemsOf(window.generalPage()->skin()), QStringList());
    QCOMPARE(window.generalPage()->skin()->currentText(), QString());

    // What is typed stays as typed, also where it begins a listed name or differs from one in
    // letter case only: "ma" is not completed to "male".
    for (const QString& typed : {QStringLiteral("ma"), QStringLiteral("MALE")}) {
        window.generalPage()->model()->clearEditText();
        QTest::keyClicks(window.generalPage()->model()->lineEdit(), typed);
        QTest::keyClick(window.generalPage()->model()->lineEdit(), Qt::Key_Return);
        QCOMPARE(window.generalPage()->model()->currentText(), typed);
        QCOMPARE(window.generalPage()->model()->currentIndex(), -1);
    }
    QTest::keyClick(window.generalPage()->model()->lineEdit(), Qt::Key_Backspace);
    QCOMPARE(window.generalPage()->model()->currentText(), QStringLiteral("MAL"));
    QTRY_COMPARE(itemsOf(window.generalPage()->skin()), QStringList());
}

void TstMainLists::pickingAModelListsItsSkins() {
    TestEnvironment env;
    Installation inst(env);
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    showActive(window);
    window.generalPage()->skin()->setEditText(QStringLiteral("viper"));
    // The listed name is lower case, the directory is not: the skins are found all the same.
    pickFromList(window.generalPage()->model(), QStringLiteral("female"));
    QCOMPARE(window.generalPage()->model()->currentText(), QStringLiteral("female"));
    QCOMPARE(window.generalPage()->skin()->currentText(), QString());
    QCOMPARE(itemsOf(window.generalPage()->skin()), QStringList{"athena"});
}

// Visiting the model box, by the mouse or by Tab, or choosing the model already shown, keeps the
// skin: the box reports its text as chosen when it loses the focus.
void TstMainLists::visitingTheModelKeepsTheSkin() {
    TestEnvironment env;
    Installation inst(env);
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    showActive(window);
    window.tabs()->setCurrentWidget(window.generalPage());
    window.generalPage()->model()->setEditText(QStringLiteral("male"));
    window.generalPage()->skin()->setEditText(QStringLiteral("grunt"));
    focusBox(window.generalPage()->model());
    QTest::keyClick(window.generalPage()->model()->lineEdit(), Qt::Key_Tab);
    QTRY_VERIFY(!window.generalPage()->model()->hasFocus());
    pickFromList(window.generalPage()->model(), QStringLiteral("male"));
    focusBox(window.generalPage()->skin());
    QCOMPARE(window.generalPage()->skin()->currentText(), QStringLiteral("grunt"));
}

void TstMainLists::programChangesRebuildNothing() {
    TestEnvironment env;
    Installation inst(env);
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    const QStringList skins = itemsOf(window.generalPage()->skin());
    window.generalPage()->skin()->setEditText(QStringLiteral("grunt"));
    // The config reader's way of filling the boxes.
    window.generalPage()->model()->setEditText(QStringLiteral("male"));
    window.generalPage()->model()->setCurrentIndex(
        window.generalPage()->model()->findText(QStringLiteral("cyborg")));
    window.generalPage()->model()->setEditText(QStringLiteral("female"));
    QTest::qWait(50); // nothing queued may follow either
    QCOMPARE(window.generalPage()->skin()->currentText(), QStringLiteral("grunt"));
    QCOMPARE(itemsOf(window.generalPage()->skin()), skins);
}

void TstMainLists::enteringABoxListsAgain() {
    TestEnvironment env;
    Installation inst(env);
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    showActive(window);
    window.generalPage()->model()->setEditText(QStringLiteral("male"));
    window.generalPage()->skin()->setEditText(QStringLiteral("viper"));
    focusBox(window.generalPage()->skin());
    QCOMPARE(itemsOf(window.generalPage()->skin()), inst.maleSkins());
    QCOMPARE(window.generalPage()->skin()->currentText(), QStringLiteral("viper"));

    // What is installed meanwhile shows at the next entry, not before.
    inst.files(QStringLiteral("quake2/baseq2/players/male"), {"zz.pcx"});
    inst.files(QStringLiteral("quake2/baseq2/players"), {}, {"zombie"});
    const QStringList skins = itemsOf(window.generalPage()->skin());
    const QStringList models = itemsOf(window.generalPage()->model());
    focusBox(window.generalPage()->model());
    QCOMPARE(itemsOf(window.generalPage()->skin()), skins);
    QCOMPARE(sorted(itemsOf(window.generalPage()->model())),
             sorted(models + QStringList{"zombie"}));
    QCOMPARE(window.generalPage()->model()->currentText(), QStringLiteral("male"));
    focusBox(window.generalPage()->skin());
    QCOMPARE(sorted(itemsOf(window.generalPage()->skin())), sorted(skins + QStringList{"zz"}));
}

void TstMainLists::mapEditorReloadsBothStartMapBoxes() {
    TestEnvironment env;
    Installation inst(env);
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    window.clientPage()->startMap()->setEditText(QStringLiteral("base1"));
    window.serverPage()->startMap()->setEditText(QStringLiteral("q2dm1"));
    withModalEditor([&] { window.clientPage()->mapListButton()->click(); },
                    [](QWidget* editor) {
                        QCOMPARE(editor->windowTitle(), QStringLiteral("Map List"));
                        auto* memo = editor->findChild<QPlainTextEdit*>("mmoMapList");
                        QVERIFY(memo);
                        QCOMPARE(memo->toPlainText(), QStringLiteral("Base1\nq2dm1 \"The Edge\""));
                        memo->setPlainText(QStringLiteral("city1 \"Upper Palace\"\nbase2"));
                    });
    QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    // maps.lst first, then the maps found, as at start-up.
    const QStringList expected{"city1 \"Upper Palace\"", "base2", "base1", "readme"};
    QCOMPARE(itemsOf(window.clientPage()->startMap()), expected);
    QCOMPARE(itemsOf(window.serverPage()->startMap()), expected);
    QCOMPARE(window.clientPage()->startMap()->currentText(), QStringLiteral("base1"));
    QCOMPARE(window.serverPage()->startMap()->currentText(), QStringLiteral("q2dm1"));
}

void TstMainLists::serverEditorReloadsTheServerBox() {
    TestEnvironment env;
    Installation inst(env);
    QFile::remove(env.programDir() + QStringLiteral("/servers.txt"));
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    QCOMPARE(itemsOf(window.clientPage()->servers()), QStringList());
    window.clientPage()->servers()->setEditText(QStringLiteral("mine:1"));
    withModalEditor([&] { window.clientPage()->serverListButton()->click(); },
                    [](QWidget* editor) {
                        QCOMPARE(editor->windowTitle(), QStringLiteral("Server List"));
                        auto* memo = editor->findChild<QPlainTextEdit*>("mmoServerList");
                        QVERIFY(memo);
                        QVERIFY(memo->toPlainText().startsWith("Type Here to Add Servers."));
                        memo->setPlainText(QStringLiteral("a.example:27910\nb.example:27911"));
                    });
    QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    QCOMPARE(itemsOf(window.clientPage()->servers()),
             (QStringList{"a.example:27910", "b.example:27911"}));
    QCOMPARE(window.clientPage()->servers()->currentText(), QStringLiteral("mine:1"));
    QCOMPARE(TextFile::readLines(env.programDir() + QStringLiteral("/servers.txt")),
             itemsOf(window.clientPage()->servers()));
}

void TstMainLists::missingBaseDirectoryKeySearchesTheDefault() {
    TestEnvironment env;
    IniFile(env.iniPath()).writeString("quake2", "path", env.quake2Dir());
    // The default Quake 2 directory holds the players when no base directory is known.
    const QString home = QStringLiteral("home/quake2/players/");
    env.writeFile(home + QStringLiteral("cyborg/oni911.pcx"), "");
    ScriptedPrompts prompts;
    prompts.answerBrowseFolder(std::nullopt);
    // The base directory is unknown; the config.cfg missing there too goes to the hint line.
    prompts.expectNotice();
    MainWindow window(prompts);
    QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    QCOMPARE(itemsOf(window.generalPage()->model()), QStringList{"cyborg"});
    window.generalPage()->model()->setEditText(QStringLiteral("cyborg"));
    window.fillSkinList(window.generalPage()->model()->currentText());
    QCOMPARE(itemsOf(window.generalPage()->skin()), QStringList{"oni911"});
}

void TstMainLists::demoShowsItsOwnInstallation() {
    TestEnvironment env;
    const DemoPaths demo = enterDemo(demoRoot());
    QCOMPARE(QDir::currentPath(), demo.programDir);
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    QVERIFY2(prompts.done() && prompts.shown.empty(), qPrintable(prompts.report()));
    // The user's own settings are left alone.
    QVERIFY(!QFileInfo::exists(env.iniPath()));
    QVERIFY(QFileInfo::exists(demo.configHome + QStringLiteral("/vexa.ini")));

    QCOMPARE(itemsOf(window.generalPage()->model()), (QStringList{"cyborg", "female", "male"}));
    // The demo's Yamagi has renderer modules, no GL library.
    QCOMPARE(itemsOf(window.videoPage()->glDriver()), QStringList());
    QCOMPARE(itemsOf(window.clientPage()->startMap()),
             MapLists::buildMapList(window.settings(), window.programDirectory()));
    QVERIFY(itemsOf(window.clientPage()->startMap()).size() > 12);
    QCOMPARE(itemsOf(window.serverPage()->startMap()), itemsOf(window.clientPage()->startMap()));
    // The demo game keeps its saves in its own directory.
    QCOMPARE(itemsOf(window.clientPage()->savedGames()),
             (QStringList{"current", "save0", "save1"}));
    QCOMPARE(itemsOf(window.clientPage()->servers()).size(), 3);
    showActive(window);
    pickFromList(window.generalPage()->model(), QStringLiteral("male"));
    QVERIFY(itemsOf(window.generalPage()->skin()).contains(QStringLiteral("grunt")));
    QVERIFY(!itemsOf(window.generalPage()->skin()).contains(QStringLiteral("weapon")));
}

// A second start elsewhere (the command-line mode is enough) rewrites [vexa] path; the window
// open before it goes on with the profiles and lists of its own directory.
void TstMainLists::programDirectoryStaysWhereTheProgramStarted() {
    TestEnvironment env;
    Installation inst(env);
    const QByteArray profile = "[NumberOfSections]\r\nSettings=1\r\n"
                               "[Setting1]\r\nSetting=%1\r\nSettingValue=1\r\nChecked=true\r\n";
    env.writeFile(QStringLiteral("program/Global Aliases.vexa"),
                  QByteArray(profile).replace("%1", "here"));
    ScriptedPrompts prompts;
    MainWindow window(prompts);

    const QString other = env.makeDir(QStringLiteral("other"));
    env.writeFile(QStringLiteral("other/Global Aliases.vexa"),
                  QByteArray(profile).replace("%1", "there"));
    env.writeFile(QStringLiteral("other/maps.lst"), "theirs\n");
    QDir::setCurrent(other);
    QString out, messages;
    QTextStream outStream(&out), messageStream(&messages);
    QCOMPARE(printCommandLine(outStream, messageStream), 0);
    QDir::setCurrent(env.programDir());
    QCOMPARE(IniFile(env.iniPath()).readString("vexa", "path", {}), other);

    window.saveCfgFile(env.root(), QStringLiteral("out.cfg"));
    const QStringList written = TextFile::readLines(env.root() + QStringLiteral("/out.cfg"));
    QVERIFY(written.contains(QStringLiteral("Set here \"1\"")));
    QVERIFY(written.filter(QStringLiteral("there")).isEmpty());
    withModalEditor([&] { window.clientPage()->mapListButton()->click(); },
                    [](QWidget* editor) {
                        auto* memo = editor->findChild<QPlainTextEdit*>("mmoMapList");
                        QCOMPARE(memo->toPlainText(), QStringLiteral("Base1\nq2dm1 \"The Edge\""));
                        memo->setPlainText(QStringLiteral("mine"));
                    });
    QCOMPARE(TextFile::readLines(env.programDir() + QStringLiteral("/maps.lst")),
             QStringList{"mine"});
    QCOMPARE(TextFile::readLines(other + QStringLiteral("/maps.lst")), QStringList{"theirs"});
    QCOMPARE(itemsOf(window.clientPage()->startMap()).value(0), QStringLiteral("mine"));
}

VEXA_TEST(TstMainLists)
#include "tst_mainlists.moc"
