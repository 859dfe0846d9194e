#include "launch/CommandLine.h"
#include "launch/CommandLineCuts.h"
#include "support/TestRegistry.h"

#include <QTest>

Q_DECLARE_METATYPE(LaunchChoices)

namespace {

using Mode = LaunchChoices::ClientMode;

LaunchChoices client(Mode mode = Mode::StartNewGame) {
    LaunchChoices c;
    c.clientMode = mode;
    c.configFile = QStringLiteral("/home/me/quake2/baseq2/config.cfg");
    return c;
}

LaunchChoices server(bool dedicated, bool deathmatch) {
    LaunchChoices c = client();
    c.startServer = true;
    c.dedicated = dedicated;
    c.deathmatch = deathmatch;
    return c;
}

template <typename Change> LaunchChoices with(LaunchChoices c, Change change) {
    change(c);
    return c;
}

QList<CommandWords> commands(std::initializer_list<QStringList> list) {
    return QList<CommandWords>(list);
}

} // namespace

class TstCommandLine : public QObject {
    Q_OBJECT

private slots:
    void commandLine_data();
    void commandLine();
    void configFileNameInBothStyles();
    void argumentsKeepEachValueWhole();
    void lookup_data();
    void lookup();
    void valuesTheEngineWouldCut_data();
    void valuesTheEngineWouldCut();
};

void TstCommandLine::commandLine_data() {
    QTest::addColumn<LaunchChoices>("choices");
    QTest::addColumn<QString>("expected");

    QTest::newRow("bare client") << client() << "+exec config.cfg";
    QTest::newRow("dedicated deathmatch server")
        << with(server(true, true),
                [](LaunchChoices& c) {
                    c.baseDir = QStringLiteral("/home/me/quake2/baseq2");
                    c.serverStartMap = QStringLiteral("q2dm1");
                })
        << "+set basedir /home/me/quake2/baseq2 +set dedicated 1 +set deathmatch 1 "
           "+exec config.cfg +map q2dm1";
    QTest::newRow("listen coop server, no map selected")
        << server(false, false) << "+set dedicated 0 +set coop 1 +exec config.cfg";
    QTest::newRow("client map only with Start New Game")
        << with(client(Mode::LoadSavedGame),
                [](LaunchChoices& c) { c.clientStartMap = QStringLiteral("base1"); })
        << "+exec config.cfg";
    QTest::newRow("new game") << with(client(), [](LaunchChoices& c) {
        c.clientStartMap = QStringLiteral("base1");
    }) << "+exec config.cfg +map base1";
    QTest::newRow("saved game") << with(client(Mode::LoadSavedGame), [](LaunchChoices& c) {
        c.saveGame = QStringLiteral("save0");
    }) << "+exec config.cfg +load save0";
    QTest::newRow("connect") << with(client(Mode::ConnectToServer), [](LaunchChoices& c) {
        c.server = QStringLiteral("10.0.0.1:27910");
        c.clientStartMap = QStringLiteral("base1");
    }) << "+exec config.cfg +connect 10.0.0.1:27910";
    QTest::newRow("server ignores client choices")
        << with(server(true, true),
                [](LaunchChoices& c) {
                    c.clientStartMap = QStringLiteral("base1");
                    c.server = QStringLiteral("x");
                })
        << "+set dedicated 1 +set deathmatch 1 +exec config.cfg";
    QTest::newRow("blank cdrom adds nothing")
        << with(client(), [](LaunchChoices& c) { c.cdrom = QStringLiteral("   "); })
        << "+exec config.cfg";
    QTest::newRow("cdrom keeps its blanks")
        << with(client(), [](LaunchChoices& c) { c.cdrom = QStringLiteral(" /cdrom "); })
        << "+set cddir  /cdrom  +exec config.cfg";
    QTest::newRow("game") << with(client(), [](LaunchChoices& c) {
        c.startWithGame = true;
        c.currentGame = QStringLiteral("ctf");
    }) << "+set game ctf +exec config.cfg";
    QTest::newRow("game with empty name")
        << with(client(), [](LaunchChoices& c) { c.startWithGame = true; })
        << "+set game  +exec config.cfg";
    QTest::newRow("game name unticked")
        << with(client(), [](LaunchChoices& c) { c.currentGame = QStringLiteral("ctf"); })
        << "+exec config.cfg";
    QTest::newRow("no config file") << LaunchChoices() << "+exec";
}

void TstCommandLine::commandLine() {
    QFETCH(LaunchChoices, choices);
    QFETCH(QString, expected);
    QCOMPARE(buildCommandLine(choices, PlatformConventions::posix()), expected);
}

void TstCommandLine::configFileNameInBothStyles() {
    LaunchChoices c;
    c.configFile = QStringLiteral("c:\\quake2\\baseq2\\my.cfg");
    QCOMPARE(buildCommandLine(c, PlatformConventions::windows()), QStringLiteral("+exec my.cfg"));
    c.configFile = QStringLiteral("/q2/baseq2/my.cfg");
    QCOMPARE(buildCommandLine(c, PlatformConventions::posix()), QStringLiteral("+exec my.cfg"));
}

void TstCommandLine::argumentsKeepEachValueWhole() {
    LaunchChoices c = server(true, false);
    c.baseDir = QStringLiteral("/my games/q2");
    c.serverStartMap = QStringLiteral("+map evil");
    c.startWithGame = true;
    c.configFile = QStringLiteral("/q2/a b.cfg");
    // A map name with a blank goes in the console's quotes, as one word.
    const QStringList expected{"+set",      "basedir", "/my games/q2", "+set",
                               "dedicated", "1",       "+set",         "coop",
                               "1",         "+set",    "game",         QString(),
                               "+exec",     "a b.cfg", "+map",         "\"+map evil\""};
    QCOMPARE(gameArguments(buildCommandPieces(c, PlatformConventions::posix())), expected);
}

void TstCommandLine::lookup_data() {
    QTest::addColumn<QList<CommandWords>>("commands");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected"); // null: not found

    const auto a = commands;
    QTest::newRow("letter case ignored") << a({{"+SET", "Dedicated", "0"}}) << "set dedicated"
                                         << "0";
    QTest::newRow("first non-blank wins")
        << a({{"+map", ""}, {"+map", " "}, {"+map", "second"}, {"+map", "third"}}) << "map"
        << "second";
    QTest::newRow("value as it stands") << a({{"+map", " two  blanks "}}) << "map"
                                        << " two  blanks ";
    QTest::newRow("several words") << a({{"+connect", "a", "b"}}) << "connect"
                                   << "a b";
    QTest::newRow("key ending inside a word") << a({{"+mapx", "y"}}) << "map"
                                              << "x y";
    QTest::newRow("load prefix") << a({{"+Loadgame", "save1"}}) << "load"
                                 << "game save1";
    QTest::newRow("missing value") << a({{"+connect"}}) << "connect" << QString();
    QTest::newRow("other key") << a({{"+set", "game", "ctf"}}) << "set gam"
                               << "e ctf";
    QTest::newRow("no commands") << a({}) << "map" << QString();
    QTest::newRow("only at the start") << a({{"+set", "map", "x"}}) << "map" << QString();
}

void TstCommandLine::lookup() {
    QFETCH(QList<CommandWords>, commands);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    const std::optional<QString> value = findCommandValue(commands, key);
    QCOMPARE(value.has_value(), !expected.isNull());
    if (value)
        QCOMPARE(*value, expected);
}

// As the engines' sources read their arguments, and as the real Yamagi and Q2PRO builds do.
void TstCommandLine::valuesTheEngineWouldCut_data() {
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("cutAt"); // empty: read whole
    const auto row = [](const char* name, Engine engine, const char* command, const QString& value,
                        const char* cutAt) {
        QTest::newRow(name) << engine << QString::fromLatin1(command) << value
                            << QString::fromLatin1(cutAt);
    };
    const QString host = QStringLiteral("q2-eu.example.net");
    row("id: a dash in a server", Engine::id, "+connect", host, "-");
    row("Yamagi: a dash inside a word", Engine::yamagi, "+connect", host, "");
    row("Yamagi: a dash after a blank", Engine::yamagi, "+map", QStringLiteral("a -b"), "-");
    row("Yamagi: a plus", Engine::yamagi, "+exec", QStringLiteral("a+b.cfg"), "+");
    row("Q2PRO: a plus and a dash inside", Engine::q2pro, "+map", QStringLiteral("a+b -c"), "");
    row("Q2PRO: a plus first", Engine::q2pro, "+map", QStringLiteral("+b"), "+");
    row("id: +set reads its words whole", Engine::id, "+set basedir",
        QStringLiteral("/home/a-b/q2+x"), "");
    row("every engine: a semicolon", Engine::q2pro, "+set game", QStringLiteral("ctf;quit"), ";");
    row("every engine: a double quote", Engine::yamagi, "+map", QStringLiteral("a\"b"), "\"");
    row("every engine: a line break", Engine::id, "+set cddir", QStringLiteral("/cd\nrom"), "\n");
}

void TstCommandLine::valuesTheEngineWouldCut() {
    QFETCH(Engine, engine);
    QFETCH(QString, command);
    QFETCH(QString, value);
    QFETCH(QString, cutAt);
    const CommandLine pieces{{QStringLiteral("+set game"), QStringLiteral("ctf")},
                             {command, value}};
    const auto cut = cutValue(pieces, engine);
    QCOMPARE(cut.has_value(), !cutAt.isEmpty());
    if (!cut)
        return;
    QCOMPARE(QString(cut->character), cutAt);
    QCOMPARE(cut->piece.command, command);
    QVERIFY(cutValueMessage(*cut, engine)
                .startsWith(QString::fromLatin1(engineFacts(engine).displayName)));
}

VEXA_TEST(TstCommandLine)
#include "tst_commandline.moc"
