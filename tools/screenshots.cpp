// Renders the main window (every tab and Video sub-page), and the dialogs, to PNG files, offscreen.
//
//   vexa_screenshots OUTPUT_DIRECTORY
//
// It runs on a demo installation in a temporary directory (settings file, program directory,
// Quake 2 directory), so the lists are filled and the real settings are never touched. The servers
// of its Connect list are stand-ins on the loopback, two answering and one silent.

#include "app/AboutDialog.h"
#include "app/Application.h"
#include "app/Demo.h"
#include "app/EditorWindow.h"
#include "app/MainWindow.h"
#include "app/OptionsDialog.h"
#include "app/pages/ClientPage.h"
#include "app/pages/EnginePage.h"
#include "app/pages/GamesPage.h"
#include "app/pages/GeneralPage.h"
#include "app/pages/ServerPage.h"
#include "app/pages/SoundPage.h"
#include "app/pages/VideoPage.h"
#include "app/pages/WeaponsPage.h"
#include "controls/BindingEdit.h"
#include "controls/ControlParts.h"
#include "controls/MultiKeyDialog.h"
#include "launch/CommandLine.h"
#include "launch/LaunchStatusDialog.h"
#include "platform/IniFile.h"
#include "platform/VexaIni.h"
#include "profiles/AliasDialog.h"
#include "profiles/BindingDialog.h"
#include "profiles/GameInputDialog.h"
#include "profiles/MapListDialog.h"
#include "profiles/ServerListDialog.h"
#include "profiles/SettingDialog.h"
#include "settings/GameHome.h"
#include "support/StandInServer.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFocusEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// Answers every question with No or Cancel and reports what it was shown.
class SilentPrompts : public Prompts {
public:
    bool confirm(const QString& text) override { return say("question", text), false; }
    void notice(const QString& text) override { say("notice", text); }
    void error(const QString& text) override { say("error", text); }
    int choose(const QString& text, const QStringList& answers) override {
        return say("question", text), int(answers.size()) - 1;
    }
    std::optional<QString> openFile(const FileRequest& r) override { return ask(r.title); }
    std::optional<QString> saveFile(const FileRequest& r) override { return ask(r.title); }
    std::optional<QString> browseFolder(const QString& caption, const QString&) override {
        return ask(caption);
    }

private:
    static void say(const char* kind, const QString& text) {
        std::fprintf(stderr, "%s: %s\n", kind, qPrintable(text));
    }
    static std::optional<QString> ask(const QString& title) {
        say("dialog", title);
        return std::nullopt;
    }
};

QString outputDir;
QString quake2Dir;

void save(QWidget& widget, const QString& name) {
    const QString file = QDir(outputDir).filePath(name + QStringLiteral(".png"));
    if (!widget.grab().save(file))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    else
        std::printf("%s\n", qPrintable(file));
}

QString fileNameOf(const QString& caption) {
    QString name = caption.toLower();
    name.remove(QLatin1Char('&'));
    name.replace(QLatin1Char(' '), QLatin1Char('_'));
    return name;
}

// Lets the event loop run: server answers come in, silent servers run out of time.
void waitFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Long enough for every server to answer or stay silent.
constexpr int ServerRoundMs = 2300;

// A dialog shown modally by the code under test is grabbed and closed from the event loop.
void grabNextModal(const QString& name, int delayMs = 200) {
    QTimer::singleShot(delayMs, [name] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            save(*modal, name);
            modal->close();
        }
    });
}

void renderMainWindow(MainWindow& window) {
    window.show();
    save(window, QStringLiteral("main_splash"));
    window.splashTimer()->start(0);
    while (window.splashPanel())
        QApplication::processEvents();
    save(window, QStringLiteral("main"));
    for (int i = 0; i < window.tabs()->count(); ++i) {
        if (!window.tabs()->isTabVisible(i))
            continue;
        window.tabs()->setCurrentIndex(i);
        const QString tab = fileNameOf(window.tabs()->tabText(i));
        save(window, QStringLiteral("tab_") + tab);
        if (window.tabs()->widget(i) != window.videoPage())
            continue;
        for (int j = 0; j < window.videoPage()->subPages()->count(); ++j) {
            window.videoPage()->subPages()->setCurrentIndex(j);
            save(window, QStringLiteral("tab_video_") +
                             fileNameOf(window.videoPage()->subPages()->tabText(j)));
        }
    }
    window.tabs()->setCurrentIndex(0);
}

// Each sub-page of the engine's own tab, where it has one.
void renderEnginePage(MainWindow& window, Engine engine) {
    EnginePage* page = window.enginePage(engine);
    if (!page)
        return;
    window.tabs()->setCurrentWidget(page);
    for (int i = 0; i < page->groupPages()->count(); ++i) {
        page->groupPages()->setCurrentIndex(i);
        save(window, QStringLiteral("engine_%1_page_%2")
                         .arg(engineIniName(engine), fileNameOf(page->groupPages()->tabText(i))));
    }
}

// The Video tab's GL page and the Sound tab in each engine's words: its modes, sound rates and
// greyed fields; the engine's own tab.
void renderEachEngine(Prompts& prompts) {
    for (Engine engine : AllEngines) {
        IniFile ini(VexaIni::fileName(), VexaIni::Encoding);
        writeEngineChoice(ini, {engine, usualHome(engine)});
        MainWindow window(prompts);
        window.show();
        window.splashTimer()->start(0);
        while (window.splashPanel())
            QApplication::processEvents();
        window.tabs()->setCurrentWidget(window.videoPage());
        window.videoPage()->subPages()->setCurrentWidget(window.videoPage()->glPage());
        save(window, QStringLiteral("engine_%1_video_gl").arg(engineIniName(engine)));
        window.videoPage()->subPages()->setCurrentWidget(window.videoPage()->softwarePage());
        save(window, QStringLiteral("engine_%1_video_software").arg(engineIniName(engine)));
        window.tabs()->setCurrentWidget(window.soundPage());
        save(window, QStringLiteral("engine_%1_sound").arg(engineIniName(engine)));
        renderEnginePage(window, engine);
        window.close();
    }
}

void renderDialogs(MainWindow& window, Prompts& prompts) {
    AboutDialog about(&window);
    about.show();
    save(about, QStringLiteral("dialog_about"));
    about.resize(about.minimumSize());
    save(about, QStringLiteral("dialog_about_small"));

    InfoContent info;
    info.command = QStringLiteral("allow_download");
    info.defaultValue = QStringLiteral("Yes");
    info.current[0] = QStringLiteral("No");
    info.description = QStringLiteral("Toggle the automatic downloading of game files");
    info.notes = {
        QStringLiteral("This command can be used by both, the client and the server "
                       "individually to prevent the automatic downloading of game files")};
    grabNextModal(QStringLiteral("dialog_info"));
    showInfoDialog(&window, info);

    OptionsDialog options(prompts, &window, [] {});
    options.show();
    save(options, QStringLiteral("dialog_options"));

    MultiKeyDialog multiKey(
        &window, QStringLiteral("+attack"), QStringLiteral("CTRL"),
        {QStringLiteral("CTRL"), QStringLiteral("MOUSE1"), QString(), QStringLiteral("KP_ENTER")});
    multiKey.show();
    save(multiKey, QStringLiteral("dialog_multikey"));

    LaunchChoices choices;
    choices.startServer = true;
    choices.dedicated = true;
    choices.serverStartMap = QStringLiteral("q2dm1");
    choices.startWithGame = true;
    choices.currentGame = QStringLiteral("ctf");
    choices.configFile = QStringLiteral("/games/quake2/baseq2/config.cfg");
    LaunchStatusDialog status(&window);
    status.showSummary(summariseLaunch(buildCommandPieces(choices),
                                       QStringLiteral("/games/quake2/vexa.sh"), true));
    status.show();
    save(status, QStringLiteral("dialog_status"));

    MapListDialog maps(
        QDir::currentPath(), prompts, [] {}, &window);
    maps.show();
    save(maps, QStringLiteral("dialog_maplist"));
    maps.hide();
    // Through the window, which shows the servers' status beside the lines.
    grabNextModal(QStringLiteral("dialog_serverlist"), ServerRoundMs);
    window.clientPage()->serverListButton()->click();
}

// The window with one drop-down list open: the list is a window of its own, so it is painted
// onto the picture of the main window where it shows on the screen, the picture widened where the
// list reaches past the window.
void saveWithOpenList(MainWindow& window, QComboBox* box, const QString& name, int waitMs = 0) {
    // Some lists are filled as the focus enters them.
    QFocusEvent enter(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(box, &enter);
    if (box->count() > 0 && box->currentText().isEmpty())
        box->setCurrentIndex(0);
    box->showPopup();
    waitFor(waitMs);
    QWidget* popup = box->view()->window();
    const QRect list(window.mapFromGlobal(popup->mapToGlobal(QPoint(0, 0))), popup->size());
    const QRect canvas = window.rect().united(list);
    QPixmap picture(canvas.size());
    picture.fill(window.palette().color(QPalette::Dark));
    QPainter painter(&picture);
    painter.drawPixmap(-canvas.topLeft(), window.grab());
    painter.drawPixmap(list.topLeft() - canvas.topLeft(), popup->grab());
    painter.end();
    box->hidePopup();
    const QString file = QDir(outputDir).filePath(name + QStringLiteral(".png"));
    if (picture.save(file))
        std::printf("%s\n", qPrintable(file));
}

// Brings the tab, and the Video sub-page, holding `widget` to the front.
void showPageOf(MainWindow& window, QWidget* widget) {
    for (int i = 0; i < window.tabs()->count(); ++i)
        if (window.tabs()->widget(i)->isAncestorOf(widget))
            window.tabs()->setCurrentIndex(i);
    for (int j = 0; j < window.videoPage()->subPages()->count(); ++j)
        if (window.videoPage()->subPages()->widget(j)->isAncestorOf(widget))
            window.videoPage()->subPages()->setCurrentIndex(j);
}

// The lists filled from the installation, each shown open on its tab.
void renderLists(MainWindow& window) {
    const struct {
        QComboBox* box;
        const char* name;
        int waitMs;
    } lists[] = {
        {window.generalPage()->model(), "list_models", 0},
        {window.generalPage()->skin(), "list_skins", 0},
        {window.videoPage()->glDriver(), "list_gl_drivers", 0},
        {window.clientPage()->startMap(), "list_client_maps", 0},
        {window.clientPage()->savedGames(), "list_saved_games", 0},
        {window.clientPage()->servers(), "list_servers", ServerRoundMs},
        {window.serverPage()->startMap(), "list_server_maps", 0},
    };
    for (const auto& list : lists) {
        showPageOf(window, list.box);
        saveWithOpenList(window, list.box, QLatin1String(list.name), list.waitMs);
    }
    window.tabs()->setCurrentIndex(0);
}

// A binding holding several keys is highlighted; its popup menu opens on the right button.
void renderBinding(MainWindow& window) {
    auto* attack = qobject_cast<BindingEdit*>(window.settingControl(QStringLiteral("+attack")));
    attack->setSupValue2(QStringLiteral("MOUSE1"));
    window.tabs()->setCurrentWidget(window.weaponsPage());
    save(window, QStringLiteral("binding_several_keys"));
    const QPoint inside(5, 5);
    QMouseEvent press(QEvent::MouseButtonPress, inside, attack->mapToGlobal(inside),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(attack, &press);
    QContextMenuEvent context(QContextMenuEvent::Mouse, inside, attack->mapToGlobal(inside));
    QApplication::sendEvent(attack, &context);
    if (QMenu* menu = attack->popupMenu()) {
        save(*menu, QStringLiteral("binding_popup"));
        menu->hide();
    }
}

// Two bindings holding one key are marked; File > Check Config lists what a faulty file holds.
void renderConfigChecks(MainWindow& window) {
    auto* railgun =
        qobject_cast<BindingEdit*>(window.settingControl(QStringLiteral("use railgun")));
    const QString key = railgun->supValue();
    railgun->setSupValue(QStringLiteral("CTRL"));
    QApplication::processEvents();
    window.tabs()->setCurrentWidget(window.weaponsPage());
    save(window, QStringLiteral("binding_conflict"));
    railgun->setSupValue(key);
    const QString file = QDir::current().filePath(QStringLiteral("faulty.cfg"));
    QFile faulty(file);
    if (faulty.open(QIODevice::WriteOnly))
        faulty.write("set sensitivty \"3\"\r\nbind CNTRL \"+attack\"\r\nbind A \"+forward\"\r\n"
                     "bind F1 \"+attack\"\r\nbind F1 \"use railgun\"\r\n"
                     "echo \"unmatched\r\nset fov \"170\"\r\n");
    faulty.close();
    window.configFileEdit()->setText(file);
    window.findChild<QAction*>(QStringLiteral("CheckConfig1"))->trigger();
    if (auto* dialog = window.findChild<QDialog*>(QStringLiteral("configCheckDialog"))) {
        save(*dialog, QStringLiteral("dialog_check_config"));
        dialog->close();
    }
    window.tabs()->setCurrentIndex(0);
}

// The three entry editors and the new-game dialog, each as it opens for a new entry.
void renderEntryEditors(MainWindow& window, Prompts& prompts) {
    EntryEditTarget target;
    target.profileDirectory = QDir::currentPath();
    target.profileName = QStringLiteral("Global Aliases");
    target.profileFile = ProfileFile::globalProfilePath(target.profileDirectory);
    AliasDialog alias(&window, prompts, target);
    alias.show();
    save(alias, QStringLiteral("dialog_alias"));
    alias.hide();
    BindingDialog binding(&window, prompts, target, {QStringLiteral("Rocket jump")});
    binding.show();
    save(binding, QStringLiteral("dialog_binding"));
    binding.hide();
    SettingDialog setting(&window, prompts, target);
    setting.show();
    save(setting, QStringLiteral("dialog_setting"));
    setting.hide();
    GameInputDialog game(&window, prompts, quake2Dir);
    game.show();
    save(game, QStringLiteral("dialog_newgame"));
    game.hide();
}

void renderEditor(MainWindow& window, Prompts& prompts) {
    const QString file = QDir::current().filePath(QStringLiteral("sample.cfg"));
    QFile sample(file);
    if (sample.open(QIODevice::WriteOnly))
        sample.write("// generated by quake, do not modify\r\nbind TAB \"inven\"\r\n"
                     "set name \"Player\"\r\nset skin \"male/grunt\"\r\n");
    sample.close();
    auto* editor = new EditorWindow(&window, prompts, file, QStringLiteral("\r\n"), {});
    editor->setWindowTitle(QStringLiteral("Editing Config File"));
    editor->show();
    save(*editor, QStringLiteral("dialog_editor"));
    editor->hide();
}

// Two servers that answer, one with bit-7 glyphs in its name as players like them, and one that
// never does, listed in the demo's servers.txt.
std::vector<std::unique_ptr<StandInServer>> standInServers(const QString& programDir) {
    std::vector<std::unique_ptr<StandInServer>> servers;
    servers.push_back(std::make_unique<StandInServer>(QList<QByteArray>{StandInServer::statusReply(
        "\\hostname\\Vexa Arena\\mapname\\q2dm1\\maxclients\\16\\gamename\\baseq2",
        {"12 48 \"Grunt\"", "7 63 \"Viper\"", "3 110 \"\xd3\xe8\xef\xf4\xe7\xf5\xee\"",
         "0 35 \"Athena\""})}));
    servers.push_back(std::make_unique<StandInServer>(QList<QByteArray>{StandInServer::statusReply(
        "\\hostname\\\xc3\xd4\xc6 Night: The Edge\\mapname\\q2ctf1\\maxclients\\8",
        {"21 52 \"Cyborg\""})}));
    servers.push_back(std::make_unique<StandInServer>());
    QFile list(QDir(programDir).filePath(QStringLiteral("servers.txt")));
    if (list.open(QIODevice::WriteOnly | QIODevice::Truncate))
        for (const auto& server : servers)
            list.write(server->address().toLatin1() + '\n');
    return servers;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyApplicationLook(app);
    outputDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(outputDir);

    // The demo installation in a temporary place: the lists are filled, the real settings
    // untouched.
    QTemporaryDir world;
    const DemoPaths demo = enterDemo(world.filePath(QStringLiteral("demo")));
    quake2Dir = demo.quake2Dir;
    const auto servers = standInServers(demo.programDir);

    SilentPrompts prompts;
    MainWindow window(prompts);
    renderMainWindow(window);
    renderLists(window);
    renderDialogs(window, prompts);
    renderBinding(window);
    renderConfigChecks(window);
    renderEditor(window, prompts);
    renderEntryEditors(window, prompts);
    // The Games & Aliases tab showing a game's profile instead of the global one.
    window.tabs()->setCurrentWidget(window.gamesPage());
    window.gamesPage()->showGlobalSettings()->setChecked(false);
    save(window, QStringLiteral("tab_games__aliases_game"));
    window.close();
    renderEachEngine(prompts);
    return 0;
}
