#include "app/Application.h"
#include "app/CommandLineCommand.h"
#include "app/ConfigCommand.h"
#include "app/QtPrompts.h"
#include "app/VexaMain.h"

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

const QCommandLineOption PrintCommandLine(
    QStringLiteral("command-line"),
    QStringLiteral("Print the game's command line as Run would start it, and end."));

const QCommandLineOption* const Options[] = {&LoadConfig, &SaveConfig, &PrintCommandLine};

std::optional<QString> valueOf(const QCommandLineParser& parser, const QCommandLineOption& option) {
    return parser.isSet(option) ? std::optional<QString>(parser.value(option)) : std::nullopt;
}

// ---- Modes ----

int runWindow(const QCommandLineParser&) {
    QtPrompts prompts;
    TfrmVexaMain window(prompts);
    prompts.setParent(&window);
    window.adjustSize();
    centreOnScreen(window);
    window.show();
    return QApplication::exec();
}

int runConfigCommand(const QCommandLineParser& parser) {
    QTextStream messages(stderr);
    return runConfigFiles({valueOf(parser, LoadConfig), valueOf(parser, SaveConfig)}, messages);
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

// A first look at the arguments before Qt starts, which is when the display is chosen: a mode
// without a window runs offscreen unless the user chose a platform.
void chooseDisplay(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    addOptions(parser);
    parser.parse(arguments); // errors are reported once Qt has taken its own options
    if (chosenMode(parser).headless && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace

int main(int argc, char** argv) {
    chooseDisplay(argc, argv);
    QApplication app(argc, argv);
    applyApplicationLook(app);

    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(QApplication::arguments()) || !parser.positionalArguments().isEmpty()) {
        const QString problem =
            parser.errorText().isEmpty()
                ? QStringLiteral("Unexpected argument: ") + parser.positionalArguments().join(u' ')
                : parser.errorText();
        QTextStream(stderr) << "vexa: " << problem << Qt::endl << "Try 'vexa --help'." << Qt::endl;
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        QTextStream(stdout) << parser.helpText();
        return 0;
    }
    return chosenMode(parser).run(parser);
}
