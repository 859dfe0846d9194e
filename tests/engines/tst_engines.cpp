#include "RealEngine.h"
#include "settings/EngineSettings.h"

#include "app/MainWindow.h"
#include "app/pages/CommunicationsPage.h"
#include "app/pages/VideoPage.h"
#include "controls/BindingEdit.h"
#include "controls/SettingSpinBox.h"
#include "launch/CommandLine.h"
#include "platform/IniFile.h"
#include "platform/VexaIni.h"
#include "settings/Catalogue.h"
#include "settings/CvarRanges.h"
#include "settings/EngineWords.h"
#include "support/GameConsole.h"
#include "support/GameSession.h"
#include "support/PlayerChanges.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QStatusBar>
#include <QTest>

#include <memory>
#include <optional>

// What the real engines make of the files and command lines Vexa writes. The engines are the
// judge: the test console's model of them (GameConsole) is checked here too.
namespace {

QByteArray dataFile(const QString& name) {
    QFile file(QStringLiteral(VEXA_TEST_DATA "/configs/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Vexa and one engine on one installation: vexa.ini names the engine's Quake 2 directory, its
// kind and its home, as a first start on that installation would find them.
struct VexaOnEngine {
    TestEnvironment env;
    RealEngine engine;

    explicit VexaOnEngine(Engine kind) : engine(kind, env) {
        IniFile ini(env.iniPath());
        VexaIni::write(ini, VexaIni::Quake2Path, engine.dataDir());
        VexaIni::write(ini, VexaIni::BaseDir, engine.dataDir() + QStringLiteral("/baseq2"));
        VexaIni::write(ini, VexaIni::GameEngine, engineIniName(kind));
        VexaIni::write(ini, VexaIni::GameHome, engine.home());
        VexaIni::write(ini, VexaIni::ConfigFile, engine.baseHome() + QStringLiteral("/vexa.cfg"));
    }

    // Vexa reads `input` and writes what it holds as `name` in the game's baseq2, headless.
    QByteArray loadAndSave(const QByteArray& input, const QString& name) {
        const QString in = env.writeFile(QStringLiteral("in.cfg"), input);
        const QString out = engine.baseHome() + QLatin1Char('/') + name;
        QStringList arguments{QStringLiteral("--save-config"), out};
        if (!input.isNull())
            arguments = QStringList{QStringLiteral("--load-config"), in} + arguments;
        QProcess vexa;
        vexa.setProcessChannelMode(QProcess::MergedChannels);
        vexa.start(QStringLiteral(VEXA_PROGRAM), arguments);
        if (!vexa.waitForFinished(60000) || vexa.exitCode() != 0)
            qWarning("vexa %s: %s", qPrintable(arguments.join(' ')), vexa.readAll().constData());
        return env.readFile(out);
    }

    // A file in the game's baseq2.
    void writeGameFile(const QString& name, const QByteArray& bytes) {
        env.writeFile(QDir(env.root()).relativeFilePath(engine.baseHome() + '/' + name), bytes);
    }

    // Start-up takes the game of the launch script Run wrote last; the global profile and the
    // game's own are beside Vexa.
    void startWithGame(const QString& game) {
        if (game.isEmpty())
            return;
        env.writeFile(QStringLiteral("quake2/vexa.sh"),
                      QStringLiteral("%1/quake2 +set game %2 +exec config.cfg\n")
                          .arg(engine.dataDir(), game)
                          .toUtf8());
        for (const QString& profile : {QStringLiteral("Global Aliases"), game})
            env.writeFile(QStringLiteral("program/%1.vexa").arg(profile),
                          dataFile(profile + QStringLiteral(".vexa")));
    }

    // Runs `file` in the game's baseq2 on a fresh start, as Run's `+exec` does.
    EngineHold exec(const QString& file) {
        QFile::remove(engine.baseHome() + QStringLiteral("/config.cfg"));
        return engine.run({QStringLiteral("+exec"), file});
    }
};

// The test configs, with what a load and save in Vexa may change in the game: a config Vexa
// wrote before, for the game "ctf" with its profiles, loses the misspelt "s_waveonly" for the
// catalogue's name, and the game profile's aliases, which lost their lines to an unmatched quote,
// come to the game.
struct TestConfig {
    const char* file;
    const char* game;
    QStringList changes;
    std::optional<QStringList> q2proChanges = std::nullopt; // when Q2PRO's differ

    QStringList changesIn(Engine engine) const {
        return engine == Engine::q2pro && q2proChanges ? *q2proChanges : changes;
    }
    bool idMenuKeys = false; // binds id's menu commands, which Q2PRO opens by name
};

// The menu bindings of id's commands, which Q2PRO lacks, in Q2PRO's words after a save.
const QStringList Q2proMenus{
    "bind ESCAPE: togglemenu -> pushmenu main", "bind F2: menu_savegame -> pushmenu savegame",
    "bind F3: menu_loadgame -> pushmenu loadgame", "bind F4: menu_keys -> pushmenu keys",
    "bind F5: menu_startserver -> pushmenu startserver"};

// id's cvars that the engine knows by other names are saved in those names, the value mapped
// (cd_nocd 0 is ogg_enable 1): the game no longer holds the old names, and holds the new ones
// where it had none.
const QStringList YamagiIdNames{"cvar cd_nocd: 0 -> (none)",
                                "cvar gl1_multitexture: (none) -> 1",
                                "cvar gl1_pointparameters: (none) -> 1",
                                "cvar gl_ext_multitexture: 1 -> (none)",
                                "cvar gl_ext_palettedtexture: 1 -> (none)",
                                "cvar gl_ext_pointparameters: 1 -> (none)",
                                "cvar gl_ext_swapinterval: 1 -> (none)",
                                "cvar r_palettedtextures: (none) -> 1"};
// Q2PRO also carries sw_waterwarp over to gl_waterwarp, whose default differs (0 against 1).
const QStringList Q2proIdNames{
    "cvar cd_nocd: 0 -> (none)",    "cvar gl_ext_swapinterval: 1 -> (none)",
    "cvar gl_waterwarp: 0 -> 1",    "cvar in_mouse: 1 -> (none)",
    "cvar ogg_enable: (none) -> 1", "cvar sw_waterwarp: 1 -> (none)"};

const TestConfig TestConfigs[] = {
    {"id-game.cfg", "", YamagiIdNames, Q2proIdNames, true},
    {"yamagi-game.cfg",
     "",
     {},
     QStringList{"cvar gl_waterwarp: 0 -> 1", "cvar sw_waterwarp: 1 -> (none)"},
     true},
    {"q2pro-game.cfg", "", {}},
    {"q2pro-autoexec.cfg", "", {}},
    {"autoexec.cfg", "", {}},
    // Q2PRO runs none of the file's "Set" and "Bind" lines; the save writes the profile entries
    // of the game anew, in lower case, and then they run.
    {"vexa-written.cfg",
     "ctf",
     {"cvar cd_nocd: 0 -> (none)", "cvar gl1_multitexture: (none) -> 1",
      "cvar gl1_pointparameters: (none) -> 1", "cvar gl1_saturatelighting: (none) -> 0",
      "cvar gl_ext_multitexture: 1 -> (none)", "cvar gl_ext_palettedtexture: 1 -> (none)",
      "cvar gl_ext_pointparameters: 1 -> (none)", "cvar gl_ext_swapinterval: 1 -> (none)",
      "cvar gl_saturatelighting: 0 -> (none)", "cvar r_palettedtextures: (none) -> 1",
      "cvar r_vsync: 1.00 -> 1", "cvar s_waveonly: 0 -> (none)", "cvar s_wavonly: (none) -> 0",
      "alias +hook: (none) -> cmd hook", "alias -hook: (none) -> cmd unhook"},
     QStringList{"cvar cl_maxfps: 62 -> 120", "cvar ctf: (none) -> 1", "bind F2: (none) -> +rjump",
                 "bind MOUSE2: (none) -> +hook", "alias +hook: (none) -> cmd hook",
                 "alias -hook: (none) -> cmd unhook"}},
};

QStringList linesOf(const QByteArray& bytes) {
    QString text = QString::fromLatin1(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text.split(QLatin1Char('\n'));
}

// One spelling for a key on both sides: a single character as it is, a name in capitals, and
// the characters Yamagi lists by a name ("bind ' x" is listed as QUOTE) as the character.
QString sameKey(const QString& key) {
    static const QMap<QString, QString> characters{
        {QStringLiteral("QUOTE"), QStringLiteral("'")},
        {QStringLiteral("DOUBLEQUOTE"), QStringLiteral("\"")},
        {QStringLiteral("SEMICOLON"), QStringLiteral(";")}};
    const QString name = key.size() == 1 ? key : key.toUpper();
    return characters.value(name, name);
}

QMap<QString, QString> byKey(const QMap<QString, QString>& binds) {
    QMap<QString, QString> keyed;
    for (auto it = binds.cbegin(); it != binds.cend(); ++it)
        keyed.insert(sameKey(it.key()), it.value());
    return keyed;
}

bool sameValue(const QString& a, const QString& b) {
    bool okA = false, okB = false;
    const double x = a.toDouble(&okA), y = b.toDouble(&okB);
    return okA && okB ? x == y : a == b;
}

void compareEntries(const char* kind, const QMap<QString, QString>& model,
                    const QMap<QString, QString>& engine, bool onlyModelKeys, QStringList& out) {
    QStringList keys = model.keys();
    if (!onlyModelKeys)
        keys += engine.keys();
    keys.removeDuplicates();
    for (const QString& key : std::as_const(keys)) {
        if (model.contains(key) && engine.contains(key) && sameValue(model[key], engine[key]))
            continue;
        out << QStringLiteral("%1 %2: model %3, engine %4")
                   .arg(QLatin1String(kind), key,
                        model.contains(key) ? model[key] : QStringLiteral("(none)"),
                        engine.contains(key) ? engine[key] : QStringLiteral("(none)"));
    }
}

// Where the test console and the engine disagree: the cvars the model sets (the engine holds
// many more of its own), every binding and every alias.
QStringList disagreements(const GameState& model, const EngineHold& hold) {
    QStringList out;
    compareEntries("cvar", model.cvars, hold.cvars, true, out);
    compareEntries("bind", byKey(model.binds), byKey(hold.binds), false, out);
    compareEntries("alias", model.aliases, hold.aliases, false, out);
    return out;
}

// The lines of a config that the test console finds doing nothing: neither a value, a binding,
// an alias nor another command.
QStringList deadLines(const QStringList& lines, Engine engine) {
    QStringList dead;
    for (const QString& line : lines) {
        const QString text = line.trimmed();
        if (text.isEmpty() || text.startsWith(QLatin1String("//")))
            continue;
        const GameState state = playConfig({line}, engine);
        if (state.cvars.isEmpty() && state.binds.isEmpty() && state.aliases.isEmpty() &&
            state.commands.isEmpty())
            dead << line;
    }
    return dead;
}

// A config.cfg with what the game forgets at quit: aliases, cvars it does not archive or does
// not know, and the ways a script archives one itself; an exec'd file and a renamed cvar.
const QByteArray ForgottenAtQuit = "alias +zoom \"fov 40\"\nalias -zoom \"fov 90\"\n"
                                   "bind MOUSE2 +zoom\nbind f +use\nset gun_x 2\n"
                                   "set cl_forwardspeed 300\nset fov 105\nset my_own 1\n"
                                   "set kept_own 7 a\nseta kept_q2pro 3\ngl_mode 5\n"
                                   "exec more.cfg\n";

// What two config.cfg files written at quit hold apart: every cvar and every binding. A headless
// run starts no sound backend and only the software renderer, so the engine holds their archived
// cvars as a script created them, unarchived: those are left out.
QStringList quitDisagreements(Engine kind, const GameState& model, const QByteArray& written,
                              const EngineHold& engineHold) {
    const GameState engine = playConfig(linesOf(written), kind);
    QMap<QString, QString> cvars = model.cvars;
    for (auto it = model.cvars.cbegin(); it != model.cvars.cend(); ++it) {
        if (!engine.cvars.contains(it.key()) && engineHold.cvars.contains(it.key()) &&
            archivedByRegistration(kind, it.key()))
            cvars.remove(it.key());
    }
    QStringList out;
    compareEntries("cvar", cvars, engine.cvars, false, out);
    compareEntries("bind", byKey(model.binds), byKey(engine.binds), false, out);
    compareEntries("alias", model.aliases, engine.aliases, false, out);
    return out;
}

// A mod's start: baseq2's config.cfg where the mod has none, the mod's autoexec.cfg in the home,
// which hides the installation's, and baseq2's (which Q2PRO runs too), each setting what shows
// whether it ran.
struct GameFile {
    bool inHome;
    const char* path;
    const char* text;
};
const GameFile ModFiles[] = {
    {true, "baseq2/config.cfg", "set fov 95\nbind x +forward\n"},
    {true, "ctf/autoexec.cfg", "set sensitivity 5\nbind z +moveup\n"},
    {false, "ctf/autoexec.cfg", "set sensitivity 7\nset crosshair 3\n"},
    {false, "baseq2/autoexec.cfg", "set cl_run 1\nbind y +back\n"},
};

// Keys every engine binds, for giving each binding row a key of its own.
const char* const SpareKeys[] = {"a",         "b",
                                 "c",         "d",
                                 "e",         "f",
                                 "g",         "h",
                                 "i",         "j",
                                 "k",         "l",
                                 "m",         "n",
                                 "o",         "p",
                                 "q",         "r",
                                 "s",         "t",
                                 "u",         "v",
                                 "w",         "x",
                                 "y",         "z",
                                 "0",         "1",
                                 "2",         "3",
                                 "4",         "5",
                                 "6",         "7",
                                 "8",         "9",
                                 "F1",        "F2",
                                 "F3",        "F4",
                                 "F5",        "F6",
                                 "F7",        "F8",
                                 "F9",        "F10",
                                 "F11",       "F12",
                                 "INS",       "DEL",
                                 "HOME",      "END",
                                 "PGUP",      "PGDN",
                                 "UPARROW",   "DOWNARROW",
                                 "LEFTARROW", "RIGHTARROW",
                                 "KP_HOME",   "KP_UPARROW",
                                 "KP_PGUP",   "KP_LEFTARROW",
                                 "KP_5",      "KP_RIGHTARROW",
                                 "KP_END",    "KP_DOWNARROW",
                                 "KP_PGDN",   "KP_INS",
                                 "KP_DEL",    "KP_SLASH",
                                 "KP_MINUS",  "KP_PLUS",
                                 "KP_ENTER",  "MOUSE1",
                                 "MOUSE2",    "MOUSE3",
                                 "MWHEELUP",  "MWHEELDOWN",
                                 "TAB",       "ENTER",
                                 "SPACE",     "BACKSPACE",
                                 "PAUSE",     "SHIFT",
                                 "CTRL",      "ALT"};

// A spin's value one step from its default, inside the engine's range.
int changedNumber(const CatalogueRow& row, Engine engine) {
    const int value = defaultNumber(row);
    const CvarRange* range = cvarRange(engine, QString::fromLatin1(row.command));
    return range && !isInRange(*range, value + 1) ? value - 1 : value + 1;
}

// One of the engine's own settings one step from its default: the last other choice (Q2PRO's
// build has no Wayland, the first of its video drivers), within the range; none for a text.
QString changedEngineValue(const EngineSetting& setting) {
    for (auto choice = setting.choices.crbegin(); choice != setting.choices.crend(); ++choice) {
        if (choice->value != setting.defaultValue)
            return choice->value;
    }
    const double value = setting.defaultValue.toDouble();
    const double step = setting.kind == EngineSettingKind::Float ? 0.25 : 1;
    switch (setting.kind) {
    case EngineSettingKind::Bool:
        return value == 0 ? QStringLiteral("1") : QStringLiteral("0");
    case EngineSettingKind::Int:
    case EngineSettingKind::Float:
        return QString::number(setting.high && value + step > *setting.high ? value - step
                                                                            : value + step);
    case EngineSettingKind::Choice:
    case EngineSettingKind::Text:
        break;
    }
    return {};
}

// A config that gives every catalogue setting another value than its default, every binding the
// engine has a key, the fixed fields a value a player would choose, and each of the engine's own
// settings another value.
QByteArray everySettingChanged(Engine engine) {
    QStringList lines;
    qsizetype nextKey = 0;
    for (const CatalogueRow& row : catalogue()) {
        const QString command = QLatin1String(row.command);
        switch (row.kind) {
        case SettingKind::CheckBox:
            lines << QStringLiteral("set %1 \"%2\"").arg(command, defaultChecked(row) ? "0" : "1");
            break;
        case SettingKind::Spin:
            lines << QStringLiteral("set %1 \"%2\"").arg(command).arg(changedNumber(row, engine));
            break;
        default: // the kinds of the engine pages only
            break;
        case SettingKind::Binding:
            // A player binds what the engine has, in its words (the others are greyed).
            if (const QString spelled = engineBindingCommand(engine, command); !spelled.isEmpty())
                lines << QStringLiteral("bind %1 \"%2\"")
                             .arg(QLatin1String(SpareKeys[nextKey++ % std::size(SpareKeys)]),
                                  spelled);
            break;
        }
    }
    lines << QStringLiteral("set name \"Tester\"") << QStringLiteral("set skin \"female/athena\"")
          << QStringLiteral("set hand \"1\"") << QStringLiteral("set crosshair \"2\"")
          << QStringLiteral("set sensitivity \"4.5\"") << QStringLiteral("set s_volume \"0.5\"")
          << QStringLiteral("set s_khz \"22\"") << QStringLiteral("set hostname \"Vexa Test\"")
          << QStringLiteral("set bob_pitch \"0.003\"") << QStringLiteral("set vid_gamma \"0.8\"");
    for (const EngineSetting& setting : engineSettings(engine)) {
        if (const QString value = changedEngineValue(setting); !value.isEmpty())
            lines << QStringLiteral("set %1 \"%2\"").arg(setting.cvar, value);
    }
    return lines.join(QStringLiteral("\r\n")).toLatin1() + "\r\n";
}

// The commands the engine lists with cmdlist, printed after the marker "@@commands".
QStringList listedCommands(const QString& log) {
    const QString listing = log.section(QStringLiteral("@@commands"), 1).section(u'@', 0, 0);
    QStringList commands;
    for (const QString& line : listing.split(u'\n')) {
        const QString word = line.trimmed();
        if (!word.isEmpty() && !word.contains(u' '))
            commands << word;
    }
    return commands;
}

// The command words of the config's bind lines that neither the engine's own listing nor its
// game library (whose commands the client forwards, unlisted) has.
QStringList unknownBoundCommands(const QStringList& lines, const QStringList& listed,
                                 Engine engine) {
    const Qt::CaseSensitivity letterCase =
        engineFacts(engine).exactCommandCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    QStringList unknown;
    for (const QString& line : lines) {
        if (!line.startsWith(QLatin1String("bind "), Qt::CaseInsensitive))
            continue;
        const QString verb = line.section(u'"', 1, 1).section(u' ', 0, 0);
        if (!listed.contains(verb, letterCase) &&
            !engineCommandNames(engine).contains(verb, letterCase))
            unknown << line;
    }
    return unknown;
}

// The width and height in a TGA file's header (Q2PRO's screenshot).
QSize tgaSize(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray header = file.read(18);
    if (header.size() < 18)
        return {};
    auto word = [&](int at) { return quint8(header[at]) | quint8(header[at + 1]) << 8; };
    return {word(12), word(14)};
}

void addEngineRows(const std::function<void(Engine, const char*)>& add) {
    add(Engine::yamagi, "yamagi");
    add(Engine::q2pro, "q2pro");
}

} // namespace

class TstRealEngines : public QObject {
    Q_OBJECT

private slots:
    void init();
    void writtenConfigIsHeld_data();
    void writtenConfigIsHeld();
    void testConfigsKeepWhatTheGameHolds_data();
    void testConfigsKeepWhatTheGameHolds();
    void consoleModelAgreesWithTheEngine_data();
    void consoleModelAgreesWithTheEngine();
    void sessionModelRewritesConfigAsTheEngine_data();
    void sessionModelRewritesConfigAsTheEngine();
    void dedicatedServerStartsAsChosen_data();
    void dedicatedServerStartsAsChosen();
    void playerLoopKeepsEveryChoice_data();
    void playerLoopKeepsEveryChoice();
    void boundCommandsExistInTheEngine_data();
    void boundCommandsExistInTheEngine();
    void chosenResolutionIsSet_data();
    void chosenResolutionIsSet();

private:
    Engine engine() const;
};

Engine TstRealEngines::engine() const {
    return *engineFromIniName(QString::fromLatin1(QTest::currentDataTag()).section('/', 0, 0));
}

void TstRealEngines::init() {
    const QString reason = RealEngine::unavailableReason(engine());
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
}

void TstRealEngines::writtenConfigIsHeld_data() {
    QTest::addColumn<bool>("changed");
    addEngineRows([](Engine, const char* name) {
        QTest::addRow("%s/new config", name) << false;
        QTest::addRow("%s/every setting changed", name) << true;
    });
}

// Every line of a config Vexa writes does something in the engine, and the engine ends up holding
// each value, binding and alias the lines give.
void TstRealEngines::writtenConfigIsHeld() {
    QFETCH(bool, changed);
    VexaOnEngine world(engine());
    const QByteArray written =
        world.loadAndSave(changed ? everySettingChanged(engine()) : QByteArray(), "written.cfg");
    QVERIFY(!written.isEmpty());
    const QStringList lines = linesOf(written);
    const QStringList dead = deadLines(lines, engine());
    QVERIFY2(dead.isEmpty(), qPrintable(dead.join('\n')));
    const EngineHold hold = world.exec(QStringLiteral("written.cfg"));
    const QStringList off = disagreements(playConfig(lines, engine()), hold);
    QVERIFY2(off.isEmpty(), qPrintable(off.join('\n')));
}

void TstRealEngines::testConfigsKeepWhatTheGameHolds_data() {
    QTest::addColumn<int>("config");
    addEngineRows([](Engine, const char* name) {
        for (int i = 0; i < int(std::size(TestConfigs)); ++i)
            QTest::addRow("%s/%s", name, TestConfigs[i].file) << i;
    });
}

// A player's config loaded and saved in Vexa: the game holds the same as with the original,
// but for id's menu bindings, which a save says in Q2PRO's words.
void TstRealEngines::testConfigsKeepWhatTheGameHolds() {
    QFETCH(int, config);
    const TestConfig& test = TestConfigs[config];
    VexaOnEngine world(engine());
    world.startWithGame(QLatin1String(test.game));
    const QByteArray original = dataFile(QLatin1String(test.file));
    world.writeGameFile(QStringLiteral("original.cfg"), original);
    const EngineHold before = world.exec(QStringLiteral("original.cfg"));
    QVERIFY(!world.loadAndSave(original, QStringLiteral("saved.cfg")).isEmpty());
    const EngineHold after = world.exec(QStringLiteral("saved.cfg"));
    const QStringList expected =
        test.changesIn(engine()) +
        (engine() == Engine::q2pro && test.idMenuKeys ? Q2proMenus : QStringList());
    QCOMPARE(holdDifferences(before, after).join('\n'), expected.join('\n'));
}

void TstRealEngines::consoleModelAgreesWithTheEngine_data() {
    testConfigsKeepWhatTheGameHolds_data();
}

// The test console, which the other tests use to judge configs, holds what the engine holds.
void TstRealEngines::consoleModelAgreesWithTheEngine() {
    QFETCH(int, config);
    VexaOnEngine world(engine());
    const QByteArray text = dataFile(QLatin1String(TestConfigs[config].file));
    world.writeGameFile(QStringLiteral("test.cfg"), text);
    const EngineHold hold = world.exec(QStringLiteral("test.cfg"));
    const QStringList off = disagreements(playConfig(linesOf(text), engine()), hold);
    QVERIFY2(off.isEmpty(), qPrintable(off.join('\n')));
}

void TstRealEngines::sessionModelRewritesConfigAsTheEngine_data() {
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QString>("file"); // in baseq2 of the home
    QTest::addColumn<QString>("game");
    addEngineRows([](Engine, const char* name) {
        for (const TestConfig& test : TestConfigs) {
            const QString file = QLatin1String(test.file);
            QTest::addRow("%s/%s", name, test.file)
                << dataFile(file)
                << (file.contains(QLatin1String("autoexec")) ? QStringLiteral("autoexec.cfg")
                                                             : QStringLiteral("config.cfg"))
                << QString();
        }
        QTest::addRow("%s/forgotten at quit", name) << ForgottenAtQuit << "config.cfg"
                                                    << "";
        QTest::addRow("%s/mod", name) << QByteArray() << ""
                                      << "ctf";
    });
}

// The game model's start and quit write the config.cfg the engine writes: the same bindings and
// archived cvars, and nothing the engine forgets.
void TstRealEngines::sessionModelRewritesConfigAsTheEngine() {
    QFETCH(QByteArray, config);
    QFETCH(QString, file);
    QFETCH(QString, game);
    VexaOnEngine world(engine());
    if (!file.isEmpty())
        world.writeGameFile(file, config);
    world.writeGameFile(QStringLiteral("more.cfg"), "set cl_run 1\nbind g +speed\n");
    QStringList arguments{QStringLiteral("+map"), QStringLiteral("q2dm1")};
    if (!game.isEmpty()) {
        for (const GameFile& made : ModFiles)
            world.env.writeFile(
                QDir(world.env.root())
                    .relativeFilePath((made.inHome ? world.engine.home() : world.engine.dataDir()) +
                                      u'/' + QLatin1String(made.path)),
                made.text);
        arguments = QStringList{QStringLiteral("+set"), QStringLiteral("game"), game} + arguments;
    }
    world.engine.addMap();
    GameSession session(engine(), world.engine.home(), world.engine.dataDir());
    session.start(world.engine.headlessArguments() + arguments);
    const EngineHold hold = world.engine.run(arguments);
    const QByteArray written = world.env.readFile(
        world.engine.home() + u'/' + (game.isEmpty() ? QStringLiteral("baseq2") : game) +
        QStringLiteral("/config.cfg"));
    const GameState model = playConfigFile(session.quit(), engine());
    const QStringList off = quitDisagreements(engine(), model, written, hold);
    QVERIFY2(!written.isEmpty() && off.isEmpty(), qPrintable(off.join('\n')));
}

void TstRealEngines::dedicatedServerStartsAsChosen_data() {
    QTest::addColumn<int>("unused");
    addEngineRows([](Engine, const char* name) { QTest::addRow("%s", name) << 0; });
}

// The command line Vexa builds for a deathmatch server on a mod starts the dedicated server in
// that game directory, runs the config and takes the server's settings.
void TstRealEngines::dedicatedServerStartsAsChosen() {
    VexaOnEngine world(engine());
    world.engine.addMap();
    QDir().mkpath(world.engine.home() + QStringLiteral("/ctf"));
    world.loadAndSave("set hostname \"Vexa Test Server\"\r\nset maxclients \"12\"\r\n"
                      "set fraglimit \"25\"\r\nset timelimit \"15\"\r\n",
                      QStringLiteral("server.cfg"));
    LaunchChoices choices;
    choices.baseDir = world.engine.dataDir();
    choices.engine = engine();
    choices.startServer = true;
    choices.dedicated = true;
    choices.deathmatch = true;
    choices.serverStartMap = QStringLiteral("q2dm1");
    choices.startWithGame = true;
    choices.currentGame = QStringLiteral("ctf");
    choices.configFile = world.engine.baseHome() + QStringLiteral("/server.cfg");
    const QStringList arguments = gameArguments(buildCommandPieces(choices));
    const EngineHold hold = world.engine.run(arguments, true);
    const QMap<QString, QString> expected{
        {QStringLiteral("dedicated"), QStringLiteral("1")},
        {QStringLiteral("deathmatch"), QStringLiteral("1")},
        {QStringLiteral("game"), QStringLiteral("ctf")},
        {QStringLiteral("hostname"), QStringLiteral("Vexa Test Server")},
        {QStringLiteral("maxclients"), QStringLiteral("12")},
        {QStringLiteral("fraglimit"), QStringLiteral("25")},
        {QStringLiteral("timelimit"), QStringLiteral("15")}};
    QStringList off;
    compareEntries("cvar", expected, hold.cvars, true, off);
    QVERIFY2(off.isEmpty(), qPrintable(arguments.join(' ') + '\n' + off.join('\n')));
}

void TstRealEngines::playerLoopKeepsEveryChoice_data() {
    dedicatedServerStartsAsChosen_data();
}

// A player's evening: the game has written its config.cfg, an autoexec.cfg holds aliases, their
// bindings and a few settings; the player changes settings, a binding and a message slot in Vexa
// and runs the game, which rewrites config.cfg when it quits; the next Run holds every change
// made in Vexa and every autoexec value the player did not change there.
void TstRealEngines::playerLoopKeepsEveryChoice() {
    VexaOnEngine world(engine());
    world.engine.run({QStringLiteral("+bind"), QStringLiteral("MOUSE1"), QStringLiteral("+attack"),
                      QStringLiteral("+set"), QStringLiteral("sensitivity"), QStringLiteral("4")});
    world.writeGameFile(QStringLiteral("autoexec.cfg"),
                        "alias +zoom \"fov 40\"\nalias -zoom \"fov 110\"\nbind MOUSE2 +zoom\n"
                        "set fov 110\nset cl_run 1\nbind f +use\n");
    {
        ScriptedPrompts prompts;
        MainWindow window(prompts);
        makeTheEveningsChanges(window);
        // What Run does: Vexa's script saved, then the game started with the command line.
        // Asked, the player has autoexec.cfg run the script too.
        prompts.answerConfirm(true);
        window.saveConfigAction()->trigger();
        QCOMPARE(window.messageBar()->currentMessage(), QStringLiteral("Config file Saved"));
        const QStringList arguments = gameArguments(buildCommandPieces(window.launchChoices()));
        world.engine.run(arguments); // played, and quit: config.cfg rewritten
        const EngineHold hold = world.engine.run(arguments);
        const QMap<QString, QString> expected{
            {QStringLiteral("fov"), QStringLiteral("100")},
            {QStringLiteral("gun_x"), QStringLiteral("2")},
            {QStringLiteral("cl_forwardspeed"), QStringLiteral("300")},
            {QStringLiteral("cl_run"), QStringLiteral("1")},
            {QStringLiteral("sensitivity"), QStringLiteral("4")}};
        QStringList off;
        compareEntries("cvar", expected, hold.cvars, true, off);
        compareEntries("bind",
                       {{QStringLiteral("MOUSE3"), QStringLiteral("+attack")},
                        {QStringLiteral("MOUSE2"), QStringLiteral("+zoom")},
                        {QStringLiteral("f"), QStringLiteral("+use")},
                        {QStringLiteral("F7"), QStringLiteral("message1")}},
                       byKey(hold.binds), true, off);
        compareEntries("alias",
                       {{QStringLiteral("+zoom"), QStringLiteral("fov 40")},
                        {QStringLiteral("message1"), QStringLiteral("say gg")}},
                       hold.aliases, true, off);
        QVERIFY2(off.isEmpty(), qPrintable(off.join('\n')));
    }
}

void TstRealEngines::boundCommandsExistInTheEngine_data() {
    writtenConfigIsHeld_data();
}

// No key of a config Vexa writes is bound to a command the engine lacks: the commands it lists
// itself, in the letter case it needs, or its game library's.
void TstRealEngines::boundCommandsExistInTheEngine() {
    QFETCH(bool, changed);
    VexaOnEngine world(engine());
    const QByteArray written =
        world.loadAndSave(changed ? everySettingChanged(engine()) : QByteArray(), "written.cfg");
    const EngineHold hold = world.engine.run(
        {QStringLiteral("+echo"), QStringLiteral("@@commands"), QStringLiteral("+cmdlist")});
    const QStringList listed = listedCommands(hold.log);
    QVERIFY2(listed.size() > 100, qPrintable(hold.log));
    const QStringList unknown = unknownBoundCommands(linesOf(written), listed, engine());
    QVERIFY2(unknown.isEmpty(), qPrintable(unknown.join('\n')));
}

void TstRealEngines::chosenResolutionIsSet_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    addEngineRows([](Engine, const char* name) {
        QTest::addRow("%s/1024x768", name) << 1024 << 768;
        QTest::addRow("%s/1600x1200", name) << 1600 << 1200;
    });
}

// A size chosen in the mode box is the one the game opens: Yamagi names the mode it sets,
// Q2PRO's screenshot has the window's size.
void TstRealEngines::chosenResolutionIsSet() {
    QFETCH(int, width);
    QFETCH(int, height);
    VexaOnEngine world(engine());
    ScriptedPrompts prompts;
    MainWindow window(prompts);
    QComboBox& modes = *window.videoPage()->glMode();
    const VideoMode* mode = engineModeOfSize(engine(), width, height);
    QVERIFY(mode);
    modes.setCurrentIndex(modes.findData(mode->value));
    window.saveCfgFile(world.engine.baseHome(), QStringLiteral("config.cfg"));
    const EngineHold hold = world.engine.run({QStringLiteral("+screenshot")});
    if (engine() == Engine::yamagi) {
        const QString set =
            QStringLiteral("Setting mode %1: %2x%3").arg(mode->value).arg(width).arg(height);
        QVERIFY2(hold.log.contains(set), qPrintable(hold.log));
        return;
    }
    const QString shot = hold.log.section(QStringLiteral("Wrote "), 1).section(u'\n', 0, 0);
    QCOMPARE(tgaSize(shot.trimmed()), QSize(width, height));
}

VEXA_TEST(TstRealEngines)
#include "tst_engines.moc"
