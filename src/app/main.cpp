#include "app/Application.h"
#include "app/CheckConfigCommand.h"
#include "app/CommandLineCommand.h"
#include "app/ConfigCommand.h"
#include "app/Demo.h"
#include "app/HeadlessPrompts.h"
#include "app/ListInstalledCommand.h"
#include "app/MainWindow.h"
#include "app/QtPrompts.h"
#include "app/QueryServersCommand.h"
#include "app/SettingCommand.h"
#include "platform/Guard.h"
#include "settings/Catalogue.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QTextStream>
#include <QTimer>

#include <cstdio>
#include <optional>

namespace {

// ---- Options ----

const QCommandLineOption LoadConfig(QStringLiteral("load-config"),
                                    QStringLiteral("Read the config FILE into the settings."),
                                    QStringLiteral("FILE"));
const QCommandLineOption SaveConfig(QStringLiteral("save-config"),
                                    QStringLiteral("Write the settings as the config FILE."),
                                    QStringLiteral("FILE"));

const QCommandLineOption Demo(QStringLiteral("demo"),
                              QStringLiteral("Start on a demo Quake 2 installation of its own, "
                                             "with its own settings file (also with "
                                             "--load-config, --save-config, --command-line "
                                             "and --list-installed)."));
const QCommandLineOption ListSettings(QStringLiteral("list-settings"),
                                      QStringLiteral("Print every built-in setting, one per "
                                                     "line, tab-separated, and end."));

const QCommandLineOption PrintCommandLine(
    QStringLiteral("command-line"),
    QStringLiteral("Print the game's command line as Run would start it, and end."));

const QCommandLineOption ListInstalled(
    QStringLiteral("list-installed"),
    QStringLiteral("Print what Vexa finds of the Quake 2 installation (engine, home, the config "
                   "the game reads, models, skins, maps, saved games, games, drivers), one per "
                   "line, tab-separated, and end."));

const QCommandLineOption QueryServers(
    QStringLiteral("query-servers"),
    QStringLiteral(
        "Ask every server in FILE (default: servers.txt in the current directory, unless "
        "another source is chosen) for its status, print one line per server (address, ping, "
        "map, players/maximum, name; tab-separated), and end."));
const QCommandLineOption Lan(QStringLiteral("lan"),
                             QStringLiteral("With --query-servers: also the servers of the local "
                                            "network (a broadcast on ports 27910 to 27914)."));
const QCommandLineOption
    Masters(QStringLiteral("masters"),
            QStringLiteral("With --query-servers: also the servers the masters of vexa.ini list "
                           "([servers] masters)."));
const QCommandLineOption AddressBookOption(
    QStringLiteral("address-book"),
    QStringLiteral("With --query-servers: also the game's address book (adr0 to adr8 in "
                   "config.cfg, autoexec.cfg and vexa.cfg of the game's baseq2)."));
const QCommandLineOption Players(
    QStringLiteral("players"),
    QStringLiteral("With --query-servers: after each server a line per player (an empty field, "
                   "score, ping, name; tab-separated)."));

const QCommandLineOption CheckConfig(
    QStringLiteral("check-config"),
    QStringLiteral("Read the config FILE as the game would, print what the game ignores or "
                   "takes otherwise (FILE:LINE: warning: text), and end."),
    QStringLiteral("FILE"));
const QCommandLineOption EngineOption(
    QStringLiteral("engine"),
    QStringLiteral("With --check-config: the engine NAME to check for (id, yamagi or q2pro); "
                   "default the engine in vexa.ini, else id."),
    QStringLiteral("NAME"));

const QCommandLineOption GetSetting(
    QStringLiteral("get"),
    QStringLiteral("Print the setting NAME (\"bind:KEY\" for a key) as the game will hold it: "
                   "name, value and the file and line that set it (\"default\" for none), "
                   "tab-separated, and end. May be given more than once."),
    QStringLiteral("NAME"));
const QCommandLineOption SetSetting(
    QStringLiteral("set"),
    QStringLiteral("Change a setting (NAME=VALUE, or bind:KEY=COMMAND) as the window would, "
                   "save Vexa's script, and end. May be given more than once; nothing is "
                   "written when one of them is wrong."),
    QStringLiteral("NAME=VALUE"));

const QCommandLineOption* const Options[] = {
    &LoadConfig,    &SaveConfig,   &Demo,         &ListSettings, &PrintCommandLine,
    &ListInstalled, &QueryServers, &Lan,          &Masters,      &AddressBookOption,
    &Players,       &CheckConfig,  &EngineOption, &GetSetting,   &SetSetting};

std::optional<QString> valueOf(const QCommandLineParser& parser, const QCommandLineOption& option) {
    return parser.isSet(option) ? std::optional<QString>(parser.value(option)) : std::nullopt;
}

// The file of `option` made absolute against the directory the command was given in: --demo
// moves into the demo's own program directory before the file is used.
std::optional<QString> fileOf(const QCommandLineParser& parser, const QCommandLineOption& option) {
    std::optional<QString> file = valueOf(parser, option);
    if (file && !file->isEmpty())
        file = QFileInfo(*file).absoluteFilePath();
    return file;
}

// ---- Modes ----

int runWindow(const QCommandLineParser& parser) {
    QtPrompts prompts;
    // --demo: the same program on a demo installation of its own, away from the user's settings.
    if (parser.isSet(Demo) && !runGuarded(prompts, [] { enterDemo(); }))
        return 1;
    MainWindow window(prompts);
    prompts.setParent(&window);
    window.adjustSize();
    centreOnScreen(window);
    window.show();
    // Only a player at the window is asked; the commands without one keep Vexa's values.
    QTimer::singleShot(0, &window, [&window] { window.offerChangesMadeInTheGame(); });
    return QApplication::exec();
}

// --demo for a command without a window; false when the demo could not be made.
bool enterDemoWhenAsked(const QCommandLineParser& parser, QTextStream& messages) {
    if (!parser.isSet(Demo))
        return true;
    HeadlessPrompts prompts(messages);
    return runGuarded(prompts, [] { enterDemo(); });
}

int runConfigCommand(const QCommandLineParser& parser) {
    QTextStream messages(stderr);
    const ConfigFiles files{fileOf(parser, LoadConfig), fileOf(parser, SaveConfig)};
    if (!enterDemoWhenAsked(parser, messages))
        return 1;
    return runConfigFiles(files, messages);
}

int runGetSettings(const QCommandLineParser& parser) {
    QTextStream out(stdout);
    QTextStream messages(stderr);
    if (!enterDemoWhenAsked(parser, messages))
        return 1;
    return printSettings(parser.values(GetSetting), out, messages);
}

int runSetSettings(const QCommandLineParser& parser) {
    QTextStream messages(stderr);
    if (!enterDemoWhenAsked(parser, messages))
        return 1;
    return changeSettings(parser.values(SetSetting), messages);
}

int runListSettings(const QCommandLineParser&) {
    QTextStream(stdout) << catalogueAsText();
    return 0;
}

int runListInstalled(const QCommandLineParser& parser) {
    QTextStream out(stdout);
    QTextStream messages(stderr);
    if (!enterDemoWhenAsked(parser, messages))
        return 1;
    return listInstalled(out, messages);
}

int runCommandLine(const QCommandLineParser& parser) {
    QTextStream out(stdout);
    QTextStream messages(stderr);
    if (!enterDemoWhenAsked(parser, messages))
        return 1;
    return printCommandLine(out, messages);
}

int runQueryServers(const QCommandLineParser& parser) {
    QTextStream out(stdout);
    QTextStream messages(stderr);
    if (!parser.isSet(QueryServers)) {
        messages << "vexa: --lan, --masters, --address-book and --players go with --query-servers"
                 << Qt::endl;
        return 2;
    }
    const ServerQueryOptions options{parser.positionalArguments().value(0), parser.isSet(Lan),
                                     parser.isSet(Masters), parser.isSet(AddressBookOption),
                                     parser.isSet(Players)};
    return queryServers(options, out, messages);
}

int runCheckConfig(const QCommandLineParser& parser) {
    QTextStream out(stdout);
    QTextStream messages(stderr);
    if (!parser.isSet(CheckConfig)) {
        messages << "vexa: --engine goes with --check-config FILE" << Qt::endl;
        return 2;
    }
    return checkConfigFile(parser.value(CheckConfig), valueOf(parser, EngineOption), out, messages);
}

// What one run does. The first mode any of whose options is given runs; the window when none is.
struct Mode {
    QList<const QCommandLineOption*> options;
    bool headless; // shows no window, so it needs no display
    int (*run)(const QCommandLineParser&);
};

const Mode Modes[] = {
    {{&ListSettings}, true, runListSettings},
    {{&ListInstalled}, true, runListInstalled},
    {{&LoadConfig, &SaveConfig}, true, runConfigCommand},
    {{&PrintCommandLine}, true, runCommandLine},
    {{&QueryServers, &Lan, &Masters, &AddressBookOption, &Players}, true, runQueryServers},
    {{&CheckConfig, &EngineOption}, true, runCheckConfig},
    {{&GetSetting}, true, runGetSettings},
    {{&SetSetting}, true, runSetSettings},
};
const Mode WindowMode{{}, false, runWindow};

const Mode& chosenMode(const QCommandLineParser& parser) {
    for (const Mode& mode : Modes) {
        for (const QCommandLineOption* option : mode.options) {
            if (parser.isSet(*option))
                return mode;
        }
    }
    return WindowMode;
}

void addOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(QStringLiteral(
        "Settings editor and launcher for Quake 2. With --load-config or "
        "--save-config it runs without a window: it starts up as usual, reads the "
        "one file, writes the other, and ends; with --command-line it starts up "
        "the same way and prints the game's command line; --list-installed only reads the "
        "settings and the installation and prints what it finds; with --query-servers it "
        "asks the servers of a list, the local network, the masters or the game's address "
        "book for their status and prints it. With --check-config it "
        "reads only that file, as the engine would, and ends with status 0 when it found "
        "nothing (notes alone count as nothing), 1 when it warned, 2 for a bad "
        "option or an unreadable file."));
    parser.addHelpOption();
    parser.addVersionOption();
    for (const QCommandLineOption* option : Options)
        parser.addOption(*option);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("The server list of --query-servers."),
                                 QStringLiteral("[FILE]"));
}

// Only --query-servers takes an argument that is not an option: its one file.
QStringList unexpectedArguments(const QCommandLineParser& parser) {
    const QStringList arguments = parser.positionalArguments();
    return parser.isSet(QueryServers) ? arguments.mid(1) : arguments;
}

bool wantsHelp(const QCommandLineParser& parser) {
    return parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"));
}

bool wantsVersion(const QCommandLineParser& parser) {
    return parser.isSet(QStringLiteral("version"));
}

// A first look at the arguments before Qt starts, which is when the display is chosen. What
// shows no window runs offscreen unless the user chose a platform: the modes without a window,
// the help, the version, and anything at all when there is no display to open a window on (Qt
// would abort; main says what is missing instead). Returns whether it chose offscreen.
bool chooseDisplay(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    addOptions(parser);
    // Qt's own options are unknown here; errors are reported once Qt has taken them.
    parser.parse(arguments);
    const bool noDisplay =
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const bool windowless =
        chosenMode(parser).headless || wantsHelp(parser) || wantsVersion(parser) || noDisplay;
    const bool platformChosen = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
                                arguments.contains(QStringLiteral("-platform"));
    if (!windowless || platformChosen)
        return false;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return true;
}

int refuse(const QString& problem) {
    QTextStream(stderr) << "vexa: " << problem << Qt::endl << "Try 'vexa --help'." << Qt::endl;
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const bool offscreen = chooseDisplay(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(VEXA_VERSION));
    applyApplicationLook(app);

    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(QApplication::arguments()))
        return refuse(parser.errorText());
    if (!unexpectedArguments(parser).isEmpty())
        return refuse(QStringLiteral("Unexpected argument: ") +
                      unexpectedArguments(parser).join(u' '));
    if (wantsHelp(parser)) {
        QTextStream(stdout) << parser.helpText();
        return 0;
    }
    if (wantsVersion(parser)) {
        QTextStream(stdout) << "vexa " << QApplication::applicationVersion() << Qt::endl;
        return 0;
    }
    const Mode& mode = chosenMode(parser);
    if (!mode.headless && offscreen) {
        QTextStream(stderr) << "vexa: the window needs a display (DISPLAY and WAYLAND_DISPLAY "
                               "are empty); the options of vexa --help without a window work "
                               "without one"
                            << Qt::endl;
        return 1;
    }
    return mode.run(parser);
}
