#include "app/Application.h"
#include "app/CommandLineCommand.h"
#include "app/ConfigCommand.h"
#include "app/Demo.h"
#include "app/HeadlessPrompts.h"
#include "app/QtPrompts.h"
#include "app/VexaMain.h"
#include "controls/Catalogue.h"
#include "platform/Guard.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

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
                                             "--load-config and --save-config)."));
const QCommandLineOption ListSettings(QStringLiteral("list-settings"),
                                      QStringLiteral("Print every built-in setting, one per "
                                                     "line, tab-separated, and end."));

const QCommandLineOption PrintCommandLine(
    QStringLiteral("command-line"),
    QStringLiteral("Print the game's command line as Run would start it, and end."));

const QCommandLineOption* const Options[] = {&LoadConfig, &SaveConfig, &Demo, &ListSettings,
                                             &PrintCommandLine};

std::optional<QString> valueOf(const QCommandLineParser& parser, const QCommandLineOption& option) {
    return parser.isSet(option) ? std::optional<QString>(parser.value(option)) : std::nullopt;
}

// ---- Modes ----

int runWindow(const QCommandLineParser& parser) {
    QtPrompts prompts;
    // --demo: the same program on a demo installation of its own, away from the user's settings.
    if (parser.isSet(Demo) && !runGuarded(prompts, [] { enterDemo(); }))
        return 1;
    TfrmVexaMain window(prompts);
    prompts.setParent(&window);
    window.adjustSize();
    centreOnScreen(window);
    window.show();
    return QApplication::exec();
}

int runConfigCommand(const QCommandLineParser& parser) {
    QTextStream messages(stderr);
    if (parser.isSet(Demo)) {
        HeadlessPrompts prompts(messages);
        if (!runGuarded(prompts, [] { enterDemo(); }))
            return 1;
    }
    return runConfigFiles({valueOf(parser, LoadConfig), valueOf(parser, SaveConfig)}, messages);
}

int runListSettings(const QCommandLineParser&) {
    QTextStream(stdout) << catalogueAsText();
    return 0;
}

int runCommandLine(const QCommandLineParser&) {
    QTextStream out(stdout);
    QTextStream messages(stderr);
    return printCommandLine(out, messages);
}

// What one run does. The first mode any of whose options is given runs; the window when none is.
struct Mode {
    QList<const QCommandLineOption*> options;
    bool headless; // shows no window, so it needs no display
    int (*run)(const QCommandLineParser&);
};

const Mode Modes[] = {
    {{&ListSettings}, true, runListSettings},
    {{&LoadConfig, &SaveConfig}, true, runConfigCommand},
    {{&PrintCommandLine}, true, runCommandLine},
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
    parser.setApplicationDescription(
        QStringLiteral("Settings editor and launcher for Quake 2. With --load-config or "
                       "--save-config it runs without a window: it starts up as usual, reads the "
                       "one file, writes the other, and ends; with --command-line it starts up "
                       "the same way and prints the game's command line."));
    parser.addHelpOption();
    for (const QCommandLineOption* option : Options)
        parser.addOption(*option);
}

bool wantsHelp(const QCommandLineParser& parser) {
    return parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"));
}

// A first look at the arguments before Qt starts, which is when the display is chosen. What
// shows no window runs offscreen unless the user chose a platform: the modes without a window,
// the help, and arguments that will be refused when there is no display to open a window on.
// Returns whether it chose offscreen.
bool chooseDisplay(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    addOptions(parser);
    // Qt's own options are unknown here; errors are reported once Qt has taken them.
    const bool understood = parser.parse(arguments) && parser.positionalArguments().isEmpty();
    const bool noDisplay =
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const bool windowless =
        chosenMode(parser).headless || wantsHelp(parser) || (!understood && noDisplay);
    if (!windowless || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
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
    applyApplicationLook(app);

    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(QApplication::arguments()))
        return refuse(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("Unexpected argument: ") +
                      parser.positionalArguments().join(u' '));
    if (wantsHelp(parser)) {
        QTextStream(stdout) << parser.helpText();
        return 0;
    }
    const Mode& mode = chosenMode(parser);
    if (!mode.headless && offscreen) {
        QTextStream(stderr) << "vexa: the window needs a display" << Qt::endl;
        return 1;
    }
    return mode.run(parser);
}
