// Configs modelled on real ones, read and saved: the game holds afterwards what it held before,
// every edit wins, and a file saved again and again stays the same.

#include "CfgWindowFixture.h"

#include "support/GameConsole.h"
#include "support/TestRegistry.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QSlider>
#include <QStatusBar>
#include <QTest>

namespace {

QString dataFile(const QString& name) {
    return QStringLiteral(VEXA_TEST_DATA "/configs/") + name;
}

QByteArray dataBytes(const QString& name) {
    QFile file(dataFile(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(name));
    return file.readAll();
}

QStringList linesOf(const QByteArray& bytes) {
    QString text = QString::fromLatin1(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// A window on the engine that reads `file`; with `game`, its profiles and the current game.
struct KeptWorld {
    CfgWindowFixture f;
    Engine engine;

    KeptWorld(Engine e, const QString& game = {}) : engine(e) {
        IniFile(f.env.iniPath()).writeString("quake2", "engine", engineIniName(e));
        // The window takes its engine from vexa.ini when it starts.
        f.window.reset();
        f.window = std::make_unique<MainWindow>(f.prompts);
        if (game.isEmpty())
            return;
        for (const QString& profile : {QStringLiteral("Global Aliases.vexa"), game + ".vexa"})
            f.env.writeFile("program/" + profile, dataBytes(profile));
        f.w().gamesPage()->currentGame()->setText(game);
    }

    GameState play(const QByteArray& bytes) const { return playConfig(linesOf(bytes), engine); }
};

// One edit a user makes in the window after loading the id config, and what the game then
// holds otherwise than before.
struct Edit {
    const char* name;
    void (*make)(CfgWindowFixture&);
    QStringList differences;
};

const Edit Edits[] = {
    {"check box",
     [](CfgWindowFixture& f) { f.check("cl_run")->setSupValue(false); },
     {"cvar cl_run: 1 -> 0"}},
    {"spin", [](CfgWindowFixture& f) { f.spin("fov")->setSupValue(110); }, {"cvar fov: 90 -> 110"}},
    {"key moved",
     [](CfgWindowFixture& f) { f.binding("+attack")->setKeySlot(2, QStringLiteral("HOME")); },
     {"bind MOUSE1 lost: +attack", "bind HOME added: +attack"}},
    {"key taken away",
     [](CfgWindowFixture& f) {
         BindingEdit& forward = *f.binding("+forward");
         forward.setKeySlot(1, forward.supValue2()); // "w" goes, UPARROW stays
         forward.setKeySlot(2, QString());
     },
     {"bind w lost: +forward"}},
    {"key of a kept line",
     [](CfgWindowFixture& f) { f.binding("save quick")->setSupValue("F6"); },
     {"bind F6: echo Quick Saving...; wait; save quick -> save quick"}},
    {"track bar",
     [](CfgWindowFixture& f) { f.w().movementPage()->sensitivity()->setValue(10); },
     {"cvar sensitivity: 8.5 -> 10"}},
    {"masked field",
     [](CfgWindowFixture& f) { f.w().soundPage()->mixAhead()->setText("0.3"); },
     {"cvar s_mixahead: .14 -> 0.30"}},
    {"player name",
     [](CfgWindowFixture& f) { f.w().generalPage()->playerName()->setText("Ranger"); },
     {"cvar name: Sarge -> Ranger"}},
    {"video mode",
     [](CfgWindowFixture& f) { f.w().videoPage()->glMode()->setCurrentIndex(5); },
     {"cvar gl_mode: 4 -> 5"}},
    {"message slot",
     [](CfgWindowFixture& f) {
         f.w().communicationsPage()->messageKey(2)->setText("F7");
         f.w().communicationsPage()->messageText(2)->setText("hi");
     },
     {"bind F7 added: message3", "alias message3 added: say hi"}},
    {"profile entries",
     [](CfgWindowFixture& f) {
         for (const char* profile : {"Global Aliases.vexa", "ctf.vexa"})
             f.env.writeFile(QStringLiteral("program/") + profile, dataBytes(profile));
         f.w().gamesPage()->currentGame()->setText("ctf");
     },
     {"cvar cl_maxfps: 90 -> 120", "cvar ctf added: 1", "bind F2: menu_savegame -> +rjump",
      "bind MOUSE2: +zoom -> +hook", "alias +hook added: cmd hook",
      "alias +rjump added: +moveup; +attack", "alias -hook added: cmd unhook",
      "alias -rjump added: -moveup; -attack"}},
};

} // namespace

class TstKeptConfig : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void editsWin_data();
    void editsWin();
};

void TstKeptConfig::roundTrip_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("engine");
    QTest::addColumn<QString>("game");
    QTest::addColumn<QStringList>("differences");
    QTest::addColumn<QString>("message");
    QTest::newRow("game-written, id 3.21")
        << "id-game.cfg" << int(Engine::id) << QString() << QStringList()
        << "33 lines of the config are kept as they are: no setting shows them";
    QTest::newRow("game-written, Yamagi")
        << "yamagi-game.cfg" << int(Engine::yamagi) << QString() << QStringList()
        << "23 lines of the config are kept as they are: no setting shows them";
    QTest::newRow("game-written, Q2PRO")
        << "q2pro-game.cfg" << int(Engine::q2pro) << QString() << QStringList()
        << "22 lines of the config are kept as they are: no setting shows them";
    QTest::newRow("hand-written autoexec")
        << "autoexec.cfg" << int(Engine::id) << QString() << QStringList()
        << "33 lines of the config are kept as they are: no setting shows them";
    // Written by Vexa before: "dedicated" and the misspelt "s_waveonly" go, and the game
    // profile's aliases, which lost their lines to an unmatched quote, come to the game.
    QTest::newRow("Vexa-written with profiles")
        << "vexa-written.cfg" << int(Engine::id) << "ctf"
        << QStringList{"cvar dedicated lost: 0", "cvar s_waveonly lost: 0",
                       "cvar s_wavonly added: 0", "alias +hook added: cmd hook",
                       "alias -hook added: cmd unhook"}
        << "2 lines of the config are kept as they are: no setting shows them";
}

void TstKeptConfig::roundTrip() {
    QFETCH(QString, file);
    QFETCH(int, engine);
    QFETCH(QString, game);
    QFETCH(QStringList, differences);
    QFETCH(QString, message);
    KeptWorld world(Engine(engine), game);
    const QByteArray original = dataBytes(file);
    world.f.load(original);
    QCOMPARE(world.f.w().messageBar()->currentMessage(), message);

    const QByteArray saved = world.f.save();
    QCOMPARE(world.play(original).differences(world.play(saved)).join(" | "),
             differences.join(" | "));

    // Three more rounds of reading and saving change nothing.
    for (int round = 0; round < 3; ++round) {
        world.f.load(saved);
        QCOMPARE(world.f.save(), saved);
    }
    QVERIFY2(world.f.prompts.done(), qPrintable(world.f.prompts.report()));
}

void TstKeptConfig::editsWin_data() {
    QTest::addColumn<int>("edit");
    for (int i = 0; i < int(std::size(Edits)); ++i)
        QTest::newRow(Edits[i].name) << i;
}

void TstKeptConfig::editsWin() {
    QFETCH(int, edit);
    KeptWorld world(Engine::id);
    const QByteArray original = dataBytes("id-game.cfg");
    world.f.load(original);
    Edits[edit].make(world.f);
    const QByteArray saved = world.f.save();
    QCOMPARE(world.play(original).differences(world.play(saved)).join(" | "),
             Edits[edit].differences.join(" | "));
    // What the edit wrote reads back and saves the same, unbinds and all.
    world.f.load(saved);
    QCOMPARE(world.f.save(), saved);
}

VEXA_TEST(TstKeptConfig)
#include "tst_keptconfig.moc"
