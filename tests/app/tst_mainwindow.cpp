#include "app/MainWindow.h"
#include "app/MultiRowTabWidget.h"
#include "app/pages/GamesPage.h"
#include "app/pages/GeneralPage.h"
#include "app/pages/VideoPage.h"
#include "controls/InfoProbe.h"
#include "platform/IniFile.h"
#include "platform/PlatformConventions.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

namespace {

const QString BaseDirUnknown = QStringLiteral(
    "Baseq2 directory is unkown to vexa.  Please go to options and choose a directory");

QString iniValue(const TestEnvironment& env, const char* section, const char* key) {
    return IniFile(env.iniPath()).readString(section, key, QStringLiteral("<missing>"));
}

} // namespace

namespace {

// Whether every edge of `shown` lies within a pixel of the compact place's edge grown by `scale`.
bool nearScaled(const QRect& shown, const QRect& compact, qreal scale) {
    const auto near = [scale](int edge, int compactEdge) {
        return qAbs(edge - compactEdge * scale) <= 1;
    };
    return near(shown.left(), compact.left()) && near(shown.top(), compact.top()) &&
           near(shown.x() + shown.width(), compact.x() + compact.width()) &&
           near(shown.y() + shown.height(), compact.y() + compact.height());
}

} // namespace

class TstMainWindow : public QObject {
    Q_OBJECT

private slots:
    void firstStartAsksForBothDirectories();
    void cancelledLocationStoresTheRoot();
    void pickedBaseDirectoryIsNotAskedAgain();
    void cancelledBaseDirectoryIsAskedAtEveryStart();
    void knownDirectoriesAskNothing();
    void storedFileNamesAreShown();
    void frameMatchesItsLayout();
    void menuItemsInOrder();
    void tabsInOrder_data();
    void tabsInOrder();
    void renderedChoiceShowsItsVideoPage();
    void tabsStayWhereTheyAreWhenClicked();
    void hintLineFollowsThePointer();
    void hintLineIsReadableInADarkTheme();
    void f1TellsAboutTheFocusedSetting();
    void windowsOpenOnTheScreen();
    void splashGoesAfterTheTimer();
    void closingWritesFileNamesBack();
    void unwritableSettingsFileStillOpensTheWindow();
    void globalProfileFillsTheCustomLists();
    void missingGlobalProfileLeavesListsEmpty();
};

void TstMainWindow::firstStartAsksForBothDirectories() {
    TestEnvironment env;
    ScriptedPrompts prompts;
    const QString game = env.quake2Dir() + QStringLiteral("/quake2");
    prompts.answerOpenFile(game);
    prompts.answerBrowseFolder(env.baseDir());
    MainWindow window(prompts);
    QVERIFY2(prompts.done(), qPrintable(prompts.report()));

    QCOMPARE(prompts.shown.size(), size_t(2));
    QCOMPARE(prompts.shown[0].text, QStringLiteral("Quake2 Location"));
    // The pickers start in the home, then beside the program picked.
    QCOMPARE(prompts.shown[0].directory, env.root() + QStringLiteral("/home"));
    QCOMPARE(prompts.shown[0].filter, PlatformConventions::posix().gameExecutableFilter());
    QCOMPARE(prompts.shown[1].text, QStringLiteral("Baseq2 Directory"));
    QCOMPARE(prompts.shown[1].directory, env.quake2Dir());

    QCOMPARE(iniValue(env, "quake2", "path"), env.quake2Dir());
    QCOMPARE(iniValue(env, "quake2", "baseq2"), env.baseDir());
    QCOMPARE(iniValue(env, "vexa", "path"), env.programDir());
    // The script goes beside the game the user pointed at.
    QCOMPARE(iniValue(env, "vexa", "batchfile"), env.quake2Dir() + QStringLiteral("/vexa.sh"));
    QCOMPARE(window.batchFileEdit()->text(), env.quake2Dir() + QStringLiteral("/vexa.sh"));
    // Vexa's script goes into the chosen base directory, beside the game's config.cfg.
    QCOMPARE(window.configFileEdit()->text(), env.baseDir() + QStringLiteral("/vexa.cfg"));
    QCOMPARE(iniValue(env, "vexa", "configfile"), env.baseDir() + QStringLiteral("/vexa.cfg"));
    QCOMPARE(window.openDialogDirectory(), env.quake2Dir());
}

void TstMainWindow::cancelledLocationStoresTheRoot() {
    TestEnvironment env;
    ScriptedPrompts prompts;
    prompts.answerOpenFile(std::nullopt);
    prompts.answerBrowseFolder(env.baseDir());
    MainWindow window(prompts);
    QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    QCOMPARE(iniValue(env, "quake2", "path"), QStringLiteral("/"));
    // No game chosen: the script's default stays in the home directory, not at the root.
    QCOMPARE(iniValue(env, "vexa", "batchfile"),
             env.root() + QStringLiteral("/home/quake2/vexa.sh"));
}

void TstMainWindow::pickedBaseDirectoryIsNotAskedAgain() {
    TestEnvironment env;
    {
        ScriptedPrompts prompts;
        prompts.answerOpenFile(env.quake2Dir() + QStringLiteral("/quake2"));
        prompts.answerBrowseFolder(env.baseDir());
        MainWindow window(prompts);
        QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    }
    ScriptedPrompts again;
    MainWindow window(again);
    QVERIFY2(again.done(), qPrintable(again.report()));
    QVERIFY(again.shown.empty());
}

void TstMainWindow::cancelledBaseDirectoryIsAskedAtEveryStart() {
    TestEnvironment env;
    for (int start = 0; start < 2; ++start) {
        ScriptedPrompts prompts;
        if (start == 0)
            prompts.answerOpenFile(env.quake2Dir() + QStringLiteral("/quake2"));
        prompts.answerBrowseFolder(std::nullopt);
        prompts.expectNotice();
        // The default base directory holds no config at all: the start-up goes on quietly.
        MainWindow window(prompts);
        QVERIFY2(prompts.done(), qPrintable(prompts.report()));
        QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Notice), QStringList{BaseDirUnknown});
    }
    QCOMPARE(iniValue(env, "quake2", "baseq2"), QStringLiteral("<missing>"));
}

void TstMainWindow::knownDirectoriesAskNothing() {
    TestEnvironment env;
    env.seedKnownDirectories();
    env.writeFile(QStringLiteral("quake2/baseq2/vexa.cfg"), ""); // nothing to tell
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    QVERIFY(prompts.shown.empty());
    QCOMPARE(window.tabs()->currentWidget(), window.generalPage());
    QCOMPARE(window.hintLine()->text(), QStringLiteral("Default : "));
}

void TstMainWindow::storedFileNamesAreShown() {
    TestEnvironment env;
    env.seedKnownDirectories();
    const QString config = env.writeFile(QStringLiteral("games/my config.cfg"), QByteArray());
    IniFile ini(env.iniPath());
    ini.writeString("vexa", "configfile", config);
    ini.writeString("VEXA", "BatchFile", "/games/run it.sh");
    ini.writeString("Vexa", "runserver", "1");
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    QCOMPARE(window.configFileEdit()->text(), config);
    QCOMPARE(window.batchFileEdit()->text(), QStringLiteral("/games/run it.sh"));
    QVERIFY(window.startServerBox()->isChecked());
}

void TstMainWindow::frameMatchesItsLayout() {
    TestEnvironment env;
    env.seedKnownDirectories();
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    QCOMPARE(window.windowTitle().left(4), QStringLiteral("VEXA"));
    QVERIFY(window.windowTitle().endsWith(QStringLiteral("(Beta 7.0)")));
    QVERIFY(window.windowTitle().contains(QStringLiteral("    ")));
    // The compact places, grown in proportion where the pages need more room.
    const qreal scale = window.centralWidget()->width() / 544.0;
    QVERIFY(scale >= 1);
    QVERIFY(qAbs(window.centralWidget()->height() - 446 * scale) <= 1);
    QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));

    struct Expected {
        QWidget* widget;
        QRect geometry;
    } expected[] = {
        {window.tabs(), QRect(2, 4, 541, 341)},
        {window.hintLine(), QRect(2, 346, 539, 17)},
        {window.runButton(), QRect(5, 386, 106, 35)},
        {window.configFileEdit(), QRect(184, 370, 281, 21)},
        {window.batchFileEdit(), QRect(184, 400, 281, 21)},
        {window.messageBar(), QRect(0, 426, 544, 20)},
    };
    for (const Expected& e : expected)
        QVERIFY2(nearScaled(e.widget->geometry(), e.geometry, scale),
                 qPrintable(e.widget->objectName()));
    QCOMPARE(window.runButton()->text(), QStringLiteral("Run Quake2"));
    QVERIFY(window.runButton()->font().bold());
    QCOMPARE(window.runButton()->font().pointSize(), 10);
    QCOMPARE(window.startServerBox()->text(), QStringLiteral("Start a Server"));
    for (const char* name : {"btnEditConfig", "SpeedButton1", "btnLoadConfigFile", "btnEditBatch",
                             "SpeedButton3", "btnLoadBatchFile", "Label4", "Label5", "Bevel3"})
        QVERIFY2(window.findChild<QWidget*>(QLatin1String(name)), name);
}

void TstMainWindow::menuItemsInOrder() {
    TestEnvironment env;
    env.seedKnownDirectories();
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    QStringList items;
    for (QAction* menu : window.menuBar()->actions()) {
        items << menu->menu()->objectName() + QLatin1Char('=') + menu->text();
        for (QAction* item : menu->menu()->actions())
            items << item->objectName() + QLatin1Char('=') +
                         (item->isSeparator() ? QStringLiteral("-") : item->text());
    }
    const QStringList expected = {"file1=&File",
                                  "New1=New",
                                  "N2=-",
                                  "OpenConfig1=Load Config",
                                  "OpenBatch1=Load Batch",
                                  "N1=-",
                                  "SaveConfig1=Save Config",
                                  "SaveConfigAs1=Save Config As..",
                                  "CheckConfig1=Check Config",
                                  "N4=-",
                                  "SaveBatch1=Save Batch",
                                  "SaveBatchAs1=Save Batch As..",
                                  "N5=-",
                                  "SaveAll1=Save All",
                                  "N3=-",
                                  "Exit1=Exit",
                                  "View1=Vie&w",
                                  "ConfigFile1=Config File",
                                  "BatchFile1=Batch File",
                                  "N6=-",
                                  "Options1=Options",
                                  "About1=&About",
                                  "VEXA1=VEXA"};
    QCOMPARE(items, expected);
}

void TstMainWindow::tabsInOrder_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    const char* tabs[][2] = {{"tabGeneral", "General"},
                             {"tabMovement", "Movement"},
                             {"tabWeaponsInv", "Weapons & Inv"},
                             {"tabCommunications", "Communications"},
                             {"tabVideo", "Video"},
                             {"tabSound", "Sound"},
                             {"TabMenus", "Menus"},
                             {"tabClient", "Client"},
                             {"tabServer", "Server"},
                             {"tabAlias", "Games & Aliases"},
                             {"tabEngineYamagi", "Yamagi Quake II"},
                             {"tabEngineQ2pro", "Q2PRO"}};
    for (int i = 0; i < 12; ++i)
        QTest::newRow(tabs[i][0]) << i << QString::fromLatin1(tabs[i][0])
                                  << QString::fromLatin1(tabs[i][1]);
}

void TstMainWindow::tabsInOrder() {
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(QString, shown);
    TestEnvironment env;
    env.seedKnownDirectories();
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    QCOMPARE(window.tabs()->count(), 12);
    QCOMPARE(window.tabs()->widget(index)->objectName(), name);
    // "&&" in a caption shows as one ampersand.
    QString caption = window.tabs()->tabText(index);
    caption.replace(QStringLiteral("&&"), QStringLiteral("&"));
    QCOMPARE(caption, shown);
}

void TstMainWindow::renderedChoiceShowsItsVideoPage() {
    TestEnvironment env;
    env.seedKnownDirectories();
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    QCOMPARE(window.videoPage()->subPages()->currentWidget(), window.videoPage()->glPage());
    QStringList pages;
    for (int i = 0; i < window.videoPage()->subPages()->count(); ++i)
        pages << window.videoPage()->subPages()->widget(i)->objectName() + QLatin1Char('=') +
                     window.videoPage()->subPages()->tabText(i);
    QCOMPARE(pages, (QStringList{"tabBoth=Both", "TabSheet1=Software", "TabSheet2=GL"}));

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.tabs()->setCurrentWidget(window.videoPage());
    auto buttons = window.videoPage()->rendererBox()->findChildren<QAbstractButton*>();
    QCOMPARE(buttons.size(), 2);
    QTest::mouseClick(buttons[0], Qt::LeftButton);
    QCOMPARE(window.videoPage()->subPages()->currentWidget(), window.videoPage()->softwarePage());
    QTest::mouseClick(buttons[1], Qt::LeftButton);
    QCOMPARE(window.videoPage()->subPages()->currentWidget(), window.videoPage()->glPage());
}

// Clicking a tab chooses it where it is: no row moves under the pointer.
void TstMainWindow::tabsStayWhereTheyAreWhenClicked() {
    TestEnvironment env;
    env.seedKnownDirectories();
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* bar = qobject_cast<MultiRowTabBar*>(window.tabs()->tabBar());
    QVERIFY(bar);
    QVERIFY(bar->rowCount() > 1);
    QList<QRect> places;
    for (int i = 0; i < bar->count(); ++i)
        places << bar->rowTabRect(i);
    for (int i = bar->count() - 1; i >= 0; --i) {
        if (places[i].isEmpty())
            continue;
        QTest::mouseClick(bar, Qt::LeftButton, {}, places[i].center());
        QCOMPARE(window.tabs()->currentIndex(), i);
        for (int j = 0; j < bar->count(); ++j)
            QCOMPARE(bar->rowTabRect(j), places[j]);
    }
}

// The hint line's text stands out from its ground in a light theme and in a dark one.
void TstMainWindow::hintLineIsReadableInADarkTheme() {
    const QPalette original = QApplication::palette();
    for (const bool dark : {false, true}) {
        QPalette palette = original;
        if (dark) {
            palette.setColor(QPalette::Button, QColor(53, 53, 53));
            palette.setColor(QPalette::Window, QColor(53, 53, 53));
            palette.setColor(QPalette::WindowText, Qt::white);
            palette.setColor(QPalette::ButtonText, Qt::white);
        }
        QApplication::setPalette(palette);
        TestEnvironment env;
        env.seedKnownDirectories();
        ScriptedPrompts prompts;
        MainWindow window(prompts);
        const QPalette hint = window.hintLine()->palette();
        const int contrast = std::abs(hint.color(QPalette::Text).lightness() -
                                      hint.color(QPalette::Base).lightness());
        QVERIFY2(contrast > 100, qPrintable(QString::number(contrast)));
    }
    QApplication::setPalette(original);
}

void TstMainWindow::f1TellsAboutTheFocusedSetting() {
    TestEnvironment env;
    env.seedKnownDirectories();
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QWidget* fov = window.settingControl(QStringLiteral("fov"));
    window.tabs()->setCurrentWidget(window.generalPage());
    fov->setFocus();
    QTRY_VERIFY(fov->hasFocus());
    InfoSnapshot info;
    probeNextInfo(info);
    QTest::keyClick(fov, Qt::Key_F1);
    QVERIFY(info.seen);
    QVERIFY2(info.title.contains(QStringLiteral("fov")), qPrintable(info.title));
}

void TstMainWindow::hintLineFollowsThePointer() {
    TestEnvironment env;
    env.seedKnownDirectories();
    env.writeFile(QStringLiteral("quake2/baseq2/vexa.cfg"), ""); // nothing to tell
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.splashTimer()->start(0);
    QTRY_VERIFY(window.splashPanel() == nullptr);

    // Entering a control with a hint shows it; leaving it (onto one without) shows the prefix.
    QWidget* hinted = window.editConfigButton();
    hinted->setEnabled(true);
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(hinted, &enter);
    QCOMPARE(window.hintLine()->text(), QStringLiteral("Default : ") + hinted->statusTip());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(hinted, &leave);
    QCOMPARE(window.hintLine()->text(), QStringLiteral("Default : "));
}

// A window given a place below the screen (kept from a larger one) opens wholly on it.
void TstMainWindow::windowsOpenOnTheScreen() {
    TestEnvironment env;
    env.seedKnownDirectories();
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    QDialog dialog(&window);
    dialog.resize(300, 200);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    dialog.move(screen.left() + 10, screen.bottom() + 190);
    dialog.show();
    QVERIFY(screen.contains(dialog.frameGeometry()));
}

void TstMainWindow::splashGoesAfterTheTimer() {
    TestEnvironment env;
    env.seedKnownDirectories();
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    QVERIFY(window.splashPanel());
    QVERIFY(!window.splashPanel()->isHidden());
    const qreal scale = window.centralWidget()->width() / 544.0;
    QVERIFY(nearScaled(window.splashLogo()->geometry(), QRect(75, 17, 371, 428), scale));
    QVERIFY(!window.splashLogo()->pixmap().isNull());
    QVERIFY(window.splashTimer()->isActive());
    QCOMPARE(window.splashTimer()->interval(), 1500);
    // The menu stays usable under the splash.
    QVERIFY(window.aboutAction()->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(window.splashPanel() == nullptr, 5000);
    QVERIFY(!window.splashTimer()->isActive());
}

void TstMainWindow::closingWritesFileNamesBack() {
    TestEnvironment env;
    env.seedKnownDirectories();
    ScriptedPrompts prompts;
    auto window = std::make_unique<MainWindow>(prompts);
    window->configFileEdit()->setText(QStringLiteral("/x/a.cfg"));
    window->batchFileEdit()->setText(QStringLiteral("/x/b.sh"));
    window->startServerBox()->setChecked(true);
    window->show();
    prompts.answerConfirm(false); // no saving on the way out
    window->close();
    QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    QCOMPARE(iniValue(env, "vexa", "configfile"), QStringLiteral("/x/a.cfg"));
    QCOMPARE(iniValue(env, "vexa", "batchfile"), QStringLiteral("/x/b.sh"));
    QCOMPARE(iniValue(env, "vexa", "RunServer"), QStringLiteral("1"));
}

void TstMainWindow::unwritableSettingsFileStillOpensTheWindow() {
    TestEnvironment env;
    env.seedKnownDirectories();
    QFile::setPermissions(env.iniPath(), QFileDevice::ReadOwner);
    ScriptedPrompts prompts;
    prompts.expectError();
    MainWindow window(prompts);
    QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Error),
             QStringList{QStringLiteral("Unable to write to ") + env.iniPath()});
    // The failed step ended the start-up, but the splash timer still runs.
    QVERIFY(window.splashTimer()->isActive());
    QFile::setPermissions(env.iniPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TstMainWindow::globalProfileFillsTheCustomLists() {
    TestEnvironment env;
    env.seedKnownDirectories();
    env.writeFile(QStringLiteral("program/Global Aliases.vexa"),
                  "[NumberOfSections]\r\nAliases=1\r\nBindings=2\r\nSettings=1\r\n"
                  "[Alias1]\r\nDescriptiveName=Rocket jump\r\nAliasName=rj\r\nchecked=true\r\n"
                  "[Bind1]\r\nBindKey=MOUSE2\r\nBindValue=rj\r\nchecked=true\r\n"
                  "[Bind2]\r\nBindKey=F\r\nBindValue=+use\r\nchecked=True\r\n"
                  "[Setting1]\r\nSetting=cl_maxfps\r\nSettingValue=125\r\n");
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    QVERIFY2(prompts.done(), qPrintable(prompts.report()));
    QCOMPARE(window.gamesPage()->entryList(EntryKind::Alias)->count(), 1);
    QCOMPARE(window.gamesPage()->entryList(EntryKind::Binding)->count(), 2);
    QCOMPARE(window.gamesPage()->entryList(EntryKind::Setting)->count(), 1);
    QCOMPARE(window.gamesPage()->entryList(EntryKind::Setting)->item(0)->text(),
             QStringLiteral("cl_maxfps = 125"));
    QCOMPARE(window.gamesPage()->entryList(EntryKind::Binding)->item(0)->checkState(), Qt::Checked);
    QCOMPARE(window.gamesPage()->entryList(EntryKind::Binding)->item(1)->checkState(),
             Qt::Unchecked); // only "true" ticks
}

void TstMainWindow::missingGlobalProfileLeavesListsEmpty() {
    TestEnvironment env;
    env.seedKnownDirectories();
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    QCOMPARE(window.gamesPage()->entryList(EntryKind::Alias)->count() +
                 window.gamesPage()->entryList(EntryKind::Binding)->count() +
                 window.gamesPage()->entryList(EntryKind::Setting)->count(),
             0);
    QVERIFY(!QFile::exists(env.programDir() + QStringLiteral("/Global Aliases.vexa")));
}

VEXA_TEST(TstMainWindow)
#include "tst_mainwindow.moc"
