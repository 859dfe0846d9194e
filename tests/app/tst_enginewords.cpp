#include "CfgWindowFixture.h"

#include "config/SettingControls.h"
#include "settings/EngineWords.h"
#include "support/GameConsole.h"
#include "support/TestRegistry.h"

#include <QComboBox>
#include <QSlider>
#include <QTest>

// What Vexa writes for each engine, judged by the test console with that engine's rules.
namespace {

struct EngineWindow {
    CfgWindowFixture f;
    Engine engine;

    explicit EngineWindow(Engine e) : engine(e) {
        IniFile(f.env.iniPath()).writeString("quake2", "engine", engineIniName(e));
        f.window.reset();
        f.window = std::make_unique<MainWindow>(f.prompts);
    }

    QStringList savedLines() {
        QString text = QString::fromLatin1(f.save());
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        return text.split(u'\n', Qt::SkipEmptyParts);
    }
};

// Everything a player can change in the window, changed: each control the engine has, a key of
// its own for each binding, and the fixed fields.
void changeEverything(MainWindow& w, Engine engine) {
    qsizetype nextKey = 0;
    const QStringList& keys = engineKeyNames(engine);
    forEachSettingControl(&w, [&](SettingControl& control) {
        if (!ownEnabled(control.widget()) || control.supCommand() == QLatin1String("dedicated"))
            return;
        switch (control.kind()) {
        case SettingKind::CheckBox:
            control.setValues({control.valueText() == QLatin1String("1") ? "0" : "1"});
            break;
        case SettingKind::Spin:
            control.setValues({QString::number(control.valueText().toInt() + 1)});
            break;
        default: // the kinds of the engine pages only
            break;
        case SettingKind::Binding:
            while (engineRefusesToRebind(engine, keys.value(nextKey)))
                ++nextKey;
            control.setValues({keys.value(nextKey++)});
            break;
        }
    });
    QComboBox& modes = *w.videoPage()->glMode();
    modes.setCurrentIndex(modes.count() - 1);
    w.soundPage()->quality()->setCurrentIndex(0);
    w.soundPage()->volume()->setValue(30);
    w.movementPage()->sensitivity()->setValue(7);
    w.videoPage()->textureMode()->setCurrentIndex(5);
}

// The lines that do nothing in the game, set what the engine lacks, or bind a command it lacks.
QStringList faultyLines(const QStringList& lines, Engine engine) {
    QStringList faulty;
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1String("//")))
            continue;
        const GameState state = playConfig({line}, engine);
        const bool dead = state.cvars.isEmpty() && state.binds.isEmpty() &&
                          state.aliases.isEmpty() && state.commands.isEmpty();
        const bool lacked =
            std::any_of(state.cvars.keyBegin(), state.cvars.keyEnd(),
                        [&](const QString& cvar) { return !engineRegistersCvar(engine, cvar); });
        const bool unknownCommand =
            std::any_of(state.binds.cbegin(), state.binds.cend(), [&](const QString& command) {
                return !engineHasCommand(engine, command.section(u' ', 0, 0));
            });
        if (dead || lacked || unknownCommand)
            faulty << line;
    }
    return faulty;
}

// The size the game opens with the written lines: its mode table's, or Q2PRO's geometry; the
// game's own default mode when they name none (id 3, Yamagi 4, Q2PRO a 640x480 window).
QSize sizeInTheGame(const GameState& state, Engine engine) {
    if (engine == Engine::q2pro) {
        const QStringList size =
            state.cvars.value(QStringLiteral("vid_geometry"), QStringLiteral("640x480"))
                .split(u'x');
        return {size.value(0).toInt(), size.value(1).toInt()};
    }
    const QString number = engine == Engine::yamagi
                               ? state.cvars.value(QStringLiteral("r_mode"), QStringLiteral("4"))
                               : state.cvars.value(QStringLiteral("gl_mode"), QStringLiteral("3"));
    if (number == QString::number(CustomMode))
        return {state.cvars.value(QStringLiteral("r_customwidth")).toInt(),
                state.cvars.value(QStringLiteral("r_customheight")).toInt()};
    for (const VideoMode& mode : engineVideoModes(engine)) {
        if (mode.value == number)
            return {mode.width, mode.height};
    }
    return {};
}

void addEngineRows(const char* what) {
    QTest::addColumn<int>("engine");
    for (Engine engine : AllEngines)
        QTest::addRow("%s/%s", engineIniName(engine).toLatin1().constData(), what) << int(engine);
}

} // namespace

class TstEngineWords : public QObject {
    Q_OBJECT

private slots:
    void everyLineActsInTheEngine_data();
    void everyLineActsInTheEngine();
    void everyModeGivesItsSize_data();
    void everyModeGivesItsSize();
    void mouseLookWithoutInMouse_data();
    void mouseLookWithoutInMouse();
    void q2proReadsItsSizeNotIdsMode();
};

void TstEngineWords::everyLineActsInTheEngine_data() {
    QTest::addColumn<int>("engine");
    QTest::addColumn<bool>("changed");
    for (Engine engine : AllEngines) {
        const QByteArray name = engineIniName(engine).toLatin1();
        QTest::addRow("%s/new config", name.constData()) << int(engine) << false;
        QTest::addRow("%s/every setting changed", name.constData()) << int(engine) << true;
    }
}

// A new config and one with every setting changed: no line is dead, sets a variable the engine
// lacks or binds a command it lacks.
void TstEngineWords::everyLineActsInTheEngine() {
    QFETCH(int, engine);
    QFETCH(bool, changed);
    EngineWindow world{Engine(engine)};
    if (changed)
        changeEverything(world.f.w(), world.engine);
    const QStringList lines = world.savedLines();
    QVERIFY(lines.size() > 20);
    const QStringList faulty = faultyLines(lines, world.engine);
    QVERIFY2(faulty.isEmpty(), qPrintable(faulty.join(u'\n')));
    QVERIFY(!lines.contains(QStringLiteral("set skin \"/\"")));
}

void TstEngineWords::everyModeGivesItsSize_data() {
    addEngineRows("every mode");
}

// Each mode of the box, chosen and saved, gives the game the size it names. The mode a new
// window shows is not written: Yamagi's and Q2PRO's is the game's own; id's first mode, shown
// for a config that names none, has always been left to the game's default.
void TstEngineWords::everyModeGivesItsSize() {
    QFETCH(int, engine);
    EngineWindow world{Engine(engine)};
    QComboBox& modes = *world.f.w().videoPage()->glMode();
    const QString shownFirst = modes.currentData().toString();
    world.f.w().videoPage()->customWidth()->setText(QStringLiteral("1000"));
    world.f.w().videoPage()->customHeight()->setText(QStringLiteral("700"));
    QCOMPARE(modes.count(), engineVideoModes(world.engine).size());
    for (const VideoMode& mode : engineVideoModes(world.engine)) {
        modes.setCurrentIndex(modes.findData(mode.value));
        const GameState state = playConfig(world.savedLines(), world.engine);
        if (world.engine == Engine::id && mode.value == shownFirst)
            QCOMPARE(state.cvars.value(QStringLiteral("gl_mode")), QString());
        else if (mode.value == QString::number(CustomMode))
            QCOMPARE(sizeInTheGame(state, world.engine), QSize(1000, 700));
        else if (mode.width > 0)
            QCOMPARE(sizeInTheGame(state, world.engine), QSize(mode.width, mode.height));
        else if (world.engine == Engine::q2pro)
            QCOMPARE(state.cvars.value(QStringLiteral("vid_modelist")), QStringLiteral("desktop"));
        else
            QCOMPARE(state.cvars.value(QStringLiteral("r_mode")), QString::number(DesktopMode));
    }
}

void TstEngineWords::mouseLookWithoutInMouse_data() {
    addEngineRows("in_mouse 0");
}

// "in_mouse 0" disables Mouse Look only where the engine has in_mouse: id 3.21 alone.
void TstEngineWords::mouseLookWithoutInMouse() {
    QFETCH(int, engine);
    EngineWindow world{Engine(engine)};
    world.f.load("set in_mouse \"0\"\r\n");
    QCOMPARE(ownEnabled(*world.f.w().settingControl(QStringLiteral("freelook"))),
             Engine(engine) != Engine::id);
}

// Q2PRO ignores an old config's mode number: its size comes from vid_geometry alone.
void TstEngineWords::q2proReadsItsSizeNotIdsMode() {
    EngineWindow world{Engine::q2pro};
    QComboBox& modes = *world.f.w().videoPage()->glMode();
    world.f.load("set gl_mode \"3\"\r\n");
    QCOMPARE(modes.currentData().toString(), QStringLiteral("640x480"));
    world.f.load("set gl_mode \"3\"\r\nset vid_geometry \"1024x768+10+20\"\r\n");
    QCOMPARE(modes.currentData().toString(), QStringLiteral("1024x768"));
    QVERIFY(world.f.save().contains("set gl_mode \"3\"\r\nset vid_geometry \"1024x768+10+20\""));
}

VEXA_TEST(TstEngineWords)
#include "tst_enginewords.moc"
