#include "HostileNames.h"
#include "launch/BatchFile.h"
#include "launch/GameStart.h"
#include "launch/ScriptWords.h"
#include "platform/ProcessStart.h"
#include "platform/VexaError.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

Q_DECLARE_METATYPE(LaunchChoices)

namespace {

using Style = PlatformConventions::Style;
using Mode = LaunchChoices::ClientMode;
const PlatformConventions& posix = PlatformConventions::posix();
const PlatformConventions& windows = PlatformConventions::windows();

// A quake2 directory whose name holds everything a shell would act on.
const QString HostileDir =
    QStringLiteral("q2 $(touch PWNED) `touch PWNED`; touch PWNED & 'x' \"y\" \\ * ? # ~ <a>\nend");

LaunchChoices serverChoices(const QString& value) {
    LaunchChoices c;
    c.baseDir = value;
    c.cdrom = value;
    c.startServer = true;
    c.dedicated = true;
    c.serverStartMap = value;
    c.startWithGame = true;
    c.currentGame = value;
    c.configFile = QStringLiteral("/q2/") + value;
    return c;
}

LaunchChoices clientChoices(Mode mode, const QString& value) {
    LaunchChoices c;
    c.clientMode = mode;
    c.clientStartMap = value;
    c.saveGame = value;
    c.server = value;
    c.configFile = value;
    return c;
}

// A data row's name without line breaks.
QByteArray tag(const QString& value) {
    return QString(value).replace(QLatin1Char('\n'), QStringLiteral("\\n")).toLocal8Bit();
}

// Runs the script with /bin/sh in `workDir` the way a launch does, and waits for it.
bool runScript(const QString& script, const QString& workDir) {
    QProcess sh;
    sh.setWorkingDirectory(workDir);
    sh.start(QStringLiteral("/bin/sh"), {script});
    return sh.waitForFinished(10000) && sh.exitStatus() == QProcess::NormalExit &&
           sh.exitCode() == 0;
}

// What the stand-in game records: its working directory, then one argument per line.
QString expectedLog(const QString& workDir, const QStringList& arguments) {
    return (QStringList{QFileInfo(workDir).canonicalFilePath()} + arguments)
               .join(QLatin1Char('\n')) +
           QLatin1Char('\n');
}

QStringList filesNamed(const QString& root, const QString& name) {
    QStringList found;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        if (QFileInfo(it.next()).fileName() == name)
            found << it.filePath();
    return found;
}

} // namespace

class TstBatchFile : public QObject {
    Q_OBJECT

private slots:
    void quotingRoundTrip_data();
    void quotingRoundTrip();
    void splitsLikeTheShell_data();
    void splitsLikeTheShell();
    void lineLayout_data();
    void lineLayout();
    void writtenFileHasOneLine();
    void readsBackWhatWasWritten_data();
    void readsBackWhatWasWritten();
    void readsHandWrittenLines_data();
    void readsHandWrittenLines();
    void missingFileIsCreated();
    void unreadableAndUnwritableFiles();
    void scriptRunsOnlyTheGame_data();
    void scriptRunsOnlyTheGame();
    void thousandCommands();
    void binaryScriptReadsWithoutHarm();
    void namesOutsideAsciiRunUnderSh_data();
    void namesOutsideAsciiRunUnderSh();
    void startChecksWhatTheScriptNames_data();
    void startChecksWhatTheScriptNames();
};

void TstBatchFile::quotingRoundTrip_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("value");
    for (const QString& name :
         hostileNames() + QStringList{QString(), "plain", "a+b", "caf\u00e9"}) {
        QTest::addRow("posix %s", tag(name).data()) << int(Style::Posix) << name;
        if (!name.contains(QLatin1Char('\n')))
            QTest::addRow("windows %s", tag(name).data()) << int(Style::Windows) << name;
    }
}

void TstBatchFile::quotingRoundTrip() {
    QFETCH(int, style);
    QFETCH(QString, value);
    const auto s = Style(style);
    const QString line = QStringLiteral("prog +cmd ") + ScriptWords::quote(value, s) + " x";
    const QList<ScriptWord> expected{{"prog", false}, {"+cmd", true}, {value, false}, {"x", false}};
    QCOMPARE(ScriptWords::split(line, s), expected);
}

void TstBatchFile::splitsLikeTheShell_data() {
    QTest::addColumn<QString>("arguments");
    QTest::newRow("blanks and tabs") << " a \t b  ";
    QTest::newRow("single quotes") << "'a b' 'it'\\''s' ''";
    QTest::newRow("double quotes") << "\"a b\" \"\\$x \\`y\\` \\\"q\\\" \\\\ \\n\" \"\"";
    QTest::newRow("backslashes") << "a\\ b \\'c \\\"d \\\\ e\\";
    QTest::newRow("mixed in one word") << "a'b c'\"d e\"\\ f";
    QTest::newRow("continued line") << "a \\\nb c\\\nd";
    QTest::newRow("quoted line break") << "'a\nb' \"c\nd\"";
    QTest::newRow("comment") << "a b#c # d e";
    QTest::newRow("command ends at ;") << "a 'b;' c; : d";
    QTest::newRow("command ends at line end") << "a b\n: c d";
}

void TstBatchFile::splitsLikeTheShell() {
    // The stand-in game records what /bin/sh really passed; the splitter has to agree.
    QFETCH(QString, arguments);
    TestEnvironment env;
    const QString game = env.quake2Dir() + QStringLiteral("/quake2");
    TestEnvironment::writeStandInGame(game);
    const QString script = env.writeFile("run.sh", (game + ' ' + arguments + '\n').toLatin1());
    QVERIFY(runScript(script, env.quake2Dir()));

    QStringList words;
    for (const ScriptWord& word :
         ScriptWords::split(QString::fromLatin1(env.readFile(script)), Style::Posix))
        words << word.text;
    QCOMPARE(words.takeFirst(), game);
    QCOMPARE(QString::fromLatin1(env.readFile(game + ".log")), expectedLog(env.quake2Dir(), words));
}

void TstBatchFile::lineLayout_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("quake2Dir");
    QTest::addColumn<QString>("expected");

    QTest::newRow("windows") << int(Style::Windows) << "c:\\quake2"
                             << "c:\\quake2\\quake2.exe +set basedir c:\\quake2\\baseq2 +set "
                                "dedicated 1 +set deathmatch 1 +exec config.cfg +map q2dm1";
    QTest::newRow("windows root") << int(Style::Windows) << "c:\\"
                                  << "c:\\quake2.exe +set basedir c:\\quake2\\baseq2 +set "
                                     "dedicated 1 +set deathmatch 1 +exec config.cfg +map q2dm1";
    QTest::newRow("posix") << int(Style::Posix) << "/home/me/quake2"
                           << "/home/me/quake2/quake2 +set basedir c:\\quake2\\baseq2 +set "
                              "dedicated 1 +set deathmatch 1 +exec config.cfg +map q2dm1";
    QTest::newRow("posix root") << int(Style::Posix) << "/"
                                << "/quake2 +set basedir c:\\quake2\\baseq2 +set dedicated 1 +set "
                                   "deathmatch 1 +exec config.cfg +map q2dm1";
    QTest::newRow("posix no directory") << int(Style::Posix) << ""
                                        << "./quake2 +set basedir c:\\quake2\\baseq2 +set "
                                           "dedicated 1 +set deathmatch 1 +exec config.cfg "
                                           "+map q2dm1";
}

void TstBatchFile::lineLayout() {
    QFETCH(int, style);
    QFETCH(QString, quake2Dir);
    QFETCH(QString, expected);
    const auto& conventions = Style(style) == Style::Posix ? posix : windows;
    LaunchChoices c;
    c.baseDir = QStringLiteral("c:\\quake2\\baseq2");
    c.startServer = c.dedicated = c.deathmatch = true;
    c.serverStartMap = QStringLiteral("q2dm1");
    c.configFile = QStringLiteral("config.cfg");
    QString line = batchFileLine(quake2Dir, buildCommandPieces(c, conventions), conventions);
    // POSIX quotes the backslashes of the Windows-looking base directory.
    line.replace(QStringLiteral("'c:\\quake2\\baseq2'"), QStringLiteral("c:\\quake2\\baseq2"));
    QCOMPARE(line, expected);
}

void TstBatchFile::writtenFileHasOneLine() {
    TestEnvironment env;
    const CommandLine pieces{{"+map", "a b"}};
    const QString file = env.root() + QStringLiteral("/vexa.sh");
    writeBatchFile(file, "/q2", pieces, posix);
    QCOMPARE(env.readFile(file), QByteArray("/q2/quake2 +map '\"a b\"'\n"));
    writeBatchFile(file, "c:\\q2", pieces, windows);
    QCOMPARE(env.readFile(file), QByteArray("c:\\q2\\quake2.exe +map \"\"\"a b\"\"\"\r\n"));
}

void TstBatchFile::readsBackWhatWasWritten_data() {
    QTest::addColumn<LaunchChoices>("choices");
    QTest::addColumn<int>("style");
    for (const QString& name : hostileNames() + QStringList{"q2dm1", QString('x').repeated(600)}) {
        const QByteArray row = tag(name);
        for (Style style : {Style::Posix, Style::Windows}) {
            if (style == Style::Windows && name.contains(QLatin1Char('\n')))
                continue;
            const char* kind = style == Style::Posix ? "posix" : "windows";
            QTest::addRow("%s server %s", kind, row.data()) << serverChoices(name) << int(style);
            for (Mode mode : {Mode::StartNewGame, Mode::LoadSavedGame, Mode::ConnectToServer})
                QTest::addRow("%s client %d %s", kind, int(mode), row.data())
                    << clientChoices(mode, name) << int(style);
        }
    }
}

void TstBatchFile::readsBackWhatWasWritten() {
    QFETCH(LaunchChoices, choices);
    QFETCH(int, style);
    const auto& conventions = Style(style) == Style::Posix ? posix : windows;
    const CommandLine pieces = buildCommandPieces(choices, conventions);
    const QString line = batchFileLine(QStringLiteral("/q2"), pieces, conventions);
    const BatchFileContents read = parseBatchFile(line + conventions.lineEnding(), Style(style));

    QCOMPARE(read.commands, commandWords(pieces));
    QCOMPARE(read.cfgLines.mid(1), cfgLinesOf(pieces).mid(1));
    auto selected = [](const std::optional<QString>& v) {
        return v && !v->trimmed().isEmpty() ? v : std::nullopt;
    };
    const bool server = choices.startServer;
    QCOMPARE(read.game, server ? selected(choices.currentGame) : std::nullopt);
    QCOMPARE(read.dedicated, server ? std::optional<QString>("1") : std::nullopt);
    QCOMPARE(read.deathmatch, server ? std::optional<QString>("1") : std::nullopt);
    QCOMPARE(read.coop, std::nullopt);
    const Mode mode = server ? Mode::None : choices.clientMode;
    const std::optional<QString> map = server ? choices.serverStartMap : choices.clientStartMap;
    QCOMPARE(read.map, server || mode == Mode::StartNewGame ? selected(map) : std::nullopt);
    QCOMPARE(read.saveGame,
             mode == Mode::LoadSavedGame ? selected(choices.saveGame) : std::nullopt);
    QCOMPARE(read.server, mode == Mode::ConnectToServer ? selected(choices.server) : std::nullopt);
}

void TstBatchFile::readsHandWrittenLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("style");
    QTest::addColumn<QStringList>("cfgLines");
    QTest::addColumn<QStringList>("found"); // the seven lookups in order; null: not found

    const QString none;
    QTest::newRow("old windows line")
        << "c:\\quake2\\quake2.exe +basedir c:\\quake2\\baseq2 +set Dedicated 1 +map q2dm1 "
           "+set deathMatch 1 +exec config.cfg\r\nsecond line +map other\r\n"
        << int(Style::Windows)
        << QStringList{"c:\\quake2\\quake2.exe", "basedir c:\\quake2\\baseq2",
                       "set Dedicated 1",        "map q2dm1",
                       "set deathMatch 1",       "exec config.cfg"}
        << QStringList{none, "1", "q2dm1", "1", none, none, none};
    QTest::newRow("dedicated off, coop, game")
        << "/q2/quake2 +set dedicated 0 +set coop 1 +set game ctf\n"
        << int(Style::Posix)
        << QStringList{"/q2/quake2", "set dedicated 0", "set coop 1", "set game ctf"}
        << QStringList{"ctf", "0", none, none, "1", none, none};
    QTest::newRow("empty game name does not take the next command")
        << "quake2 +set game  +exec config.cfg" << int(Style::Posix)
        << QStringList{"quake2", "set game", "exec config.cfg"}
        << QStringList{none, none, none, none, none, none, none};
    QTest::newRow("prefix quirks")
        << "quake2 +mapx y +LOADgame z +Connect 10.0.0.1" << int(Style::Posix)
        << QStringList{"quake2", "mapx y", "LOADgame z", "Connect 10.0.0.1"}
        << QStringList{none, none, "x y", none, none, "game z", "10.0.0.1"};
    QTest::newRow("plus inside a word is no command")
        << "quake2 +map a+b +load c" << int(Style::Posix)
        << QStringList{"quake2", "map a+b", "load c"}
        << QStringList{none, none, "a+b", none, none, "c", none};
    QTest::newRow("what follows the command is not read")
        << "quake2 +map a ; quake2 +load b" << int(Style::Posix) << QStringList{"quake2", "map a"}
        << QStringList{none, none, "a", none, none, none, none};
    QTest::newRow("unquoted words of a long line")
        << "quake2 +map " + QString('m').repeated(400) + " +connect " + QString('s').repeated(300)
        << int(Style::Posix)
        << QStringList{"quake2", "map " + QString('m').repeated(400),
                       "connect " + QString('s').repeated(300)}
        << QStringList{none, none, QString('m').repeated(400), none,
                       none, none, QString('s').repeated(300)};
    QTest::newRow("no commands") << "quake2\n"
                                 << int(Style::Posix) << QStringList{"quake2"}
                                 << QStringList{none, none, none, none, none, none, none};
    QTest::newRow("empty first line") << "\n+map a\n"
                                      << int(Style::Posix) << QStringList{""}
                                      << QStringList{none, none, none, none, none, none, none};
    QTest::newRow("empty file") << "" << int(Style::Posix) << QStringList{}
                                << QStringList{none, none, none, none, none, none, none};
}

void TstBatchFile::readsHandWrittenLines() {
    QFETCH(QString, text);
    QFETCH(int, style);
    QFETCH(QStringList, cfgLines);
    QFETCH(QStringList, found);
    const BatchFileContents read = parseBatchFile(text, Style(style));
    QCOMPARE(read.cfgLines, cfgLines);
    const std::optional<QString> values[] = {read.game, read.dedicated, read.map,   read.deathmatch,
                                             read.coop, read.saveGame,  read.server};
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(values[i].has_value(), !found[i].isNull());
        if (values[i])
            QCOMPARE(*values[i], found[i]);
    }
}

void TstBatchFile::missingFileIsCreated() {
    TestEnvironment env;
    const QString file = env.root() + QStringLiteral("/new.sh");
    const BatchFileContents read = readBatchFile(file, HostileDir, posix);
    QVERIFY(read.created);
    QVERIFY(read.cfgLines.isEmpty());
    const QString text = QString::fromLatin1(env.readFile(file));
    QVERIFY(text.endsWith(QStringLiteral("quake2'\n")));
    // The file now holds the bare game program, which reads back as itself.
    const BatchFileContents again = readBatchFile(file, HostileDir, posix);
    QVERIFY(!again.created);
    QCOMPARE(again.cfgLines, QStringList{HostileDir + QStringLiteral("/quake2")});
    QVERIFY(again.commands.isEmpty());
}

void TstBatchFile::unreadableAndUnwritableFiles() {
    TestEnvironment env;
    const QString dir = env.makeDir(QStringLiteral("locked"));
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString missing = dir + QStringLiteral("/vexa.sh");
    try {
        readBatchFile(missing, "/q2", posix);
        QFAIL("a file in a read-only directory was created");
    } catch (const VexaError& e) {
        QCOMPARE(e.message(), QStringLiteral("Cannot create file ") + missing);
    }
    QVERIFY(!QFile::exists(missing));
    QVERIFY_THROWS_EXCEPTION(VexaError, writeBatchFile(missing, "/q2", {}, posix));
    QFile::setPermissions(dir,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    const QString directory = env.makeDir(QStringLiteral("a directory"));
    try {
        readBatchFile(directory, "/q2", posix);
        QFAIL("a directory was read as a script");
    } catch (const VexaError& e) {
        QCOMPARE(e.message(), QStringLiteral("Cannot open file ") + directory);
    }
}

void TstBatchFile::scriptRunsOnlyTheGame_data() {
    QTest::addColumn<LaunchChoices>("choices");
    const QString all = hostileNames().join(QLatin1Char(' '));
    QTest::newRow("server") << serverChoices(all);
    QTest::newRow("new game") << clientChoices(Mode::StartNewGame, all);
    QTest::newRow("saved game") << clientChoices(Mode::LoadSavedGame, all);
    QTest::newRow("connect") << clientChoices(Mode::ConnectToServer, "+connect x; touch PWNED");
    QTest::newRow("without blanks")
        << serverChoices("x;touch\tPWNED;`touch\tPWNED`$(touch\tPWNED)|touch\tPWNED>PWNED");
    LaunchChoices emptyGame = clientChoices(Mode::StartNewGame, "$(touch PWNED)");
    emptyGame.startWithGame = true;
    QTest::newRow("empty game name") << emptyGame;
}

void TstBatchFile::scriptRunsOnlyTheGame() {
    QFETCH(LaunchChoices, choices);
    TestEnvironment env;
    const QString quake2Dir = env.makeDir(HostileDir);
    const QString game = quake2Dir + QStringLiteral("/quake2");
    TestEnvironment::writeStandInGame(game);
    const QString script = env.root() + QStringLiteral("/vexa.sh");
    const CommandLine pieces = buildCommandPieces(choices, posix);
    writeBatchFile(script, quake2Dir, pieces, posix);

    QVERIFY(runScript(script, quake2Dir));
    const QString expected = expectedLog(quake2Dir, gameArguments(pieces));
    QCOMPARE(QString::fromLatin1(env.readFile(game + QStringLiteral(".log"))), expected);
    QCOMPARE(filesNamed(env.root(), QStringLiteral("PWNED")), QStringList());

    // Started directly, the game gets the very same arguments.
    QFile::remove(game + QStringLiteral(".log"));
    QVERIFY(startDetached(game, gameArguments(pieces), quake2Dir));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(game + QStringLiteral(".log")), 10000);
    QCOMPARE(QString::fromLatin1(env.readFile(game + QStringLiteral(".log"))), expected);
}

// A script with 1,000 "+" pieces is written and read back whole, in linear time.
void TstBatchFile::thousandCommands() {
    CommandLine pieces;
    for (int i = 0; i < 1000; ++i)
        pieces.append({QStringLiteral("+set"), QStringLiteral("v%1 '%1'").arg(i)});
    pieces.append({QStringLiteral("+map"), QStringLiteral("last map")});
    TestEnvironment env;
    const QString file = env.root() + QStringLiteral("/vexa.sh");
    writeBatchFile(file, QStringLiteral("/q2"), pieces, posix);
    const BatchFileContents read = readBatchFile(file, QStringLiteral("/q2"), posix);
    QCOMPARE(read.commands, commandWords(pieces));
    QCOMPARE(read.cfgLines.size(), 1002);
    QCOMPARE(read.map, QStringLiteral("last map"));
    QCOMPARE(read.game, std::nullopt);
}

// Random bytes, unbalanced quotes and stray backslashes included, read as some words.
void TstBatchFile::binaryScriptReadsWithoutHarm() {
    QRandomGenerator random(3);
    for (int round = 0; round < 50; ++round) {
        QByteArray bytes(4096, Qt::Uninitialized);
        random.fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
        if (round % 2)
            bytes = "/q2/quake2 +map " + bytes; // a command first, then the bytes
        for (Style style : {Style::Posix, Style::Windows}) {
            const BatchFileContents read = parseBatchFile(QString::fromLatin1(bytes), style);
            QCOMPARE(read.cfgLines.size(), read.commands.size() + 1);
        }
    }
}

// File names are UTF-8 on the disk and in the script: /bin/sh finds the game under them. A map
// name reaches the game in the bytes an archive or maps.lst holds it in (Latin-1), started by the
// script or directly, one outside Latin-1 in UTF-8; the script reads back as written.
void TstBatchFile::namesOutsideAsciiRunUnderSh_data() {
    QTest::addColumn<QString>("map");
    QTest::addColumn<QByteArray>("bytes"); // what the game gets
    QTest::newRow("Latin-1, as in a pak") << QStringLiteral(u"caf\u00e9") << QByteArray("caf\xe9");
    QTest::newRow("the bytes of a UTF-8 file name")
        << QStringLiteral(u"caf\u00c3\u00a9") << QByteArray("caf\xc3\xa9");
    QTest::newRow("beyond Latin-1")
        << QStringLiteral(u"\u041a\u0438\u0440") << QByteArray("\xd0\x9a\xd0\xb8\xd1\x80");
}

void TstBatchFile::namesOutsideAsciiRunUnderSh() {
    QFETCH(QString, map);
    QFETCH(QByteArray, bytes);
    TestEnvironment env;
    const QString quake2Dir = env.makeDir(QStringLiteral(u"j\u00f6rg/\u041a\u0438\u0440 q2"));
    const QString game = quake2Dir + QStringLiteral("/quake2");
    TestEnvironment::writeStandInGame(game);
    const QString script = quake2Dir + QStringLiteral("/vexa.sh");
    const CommandLine pieces{{QStringLiteral("+set game"), QStringLiteral(u"m\u00f6d")},
                             {QStringLiteral("+map"), map}};
    const QByteArray expected = QFile::encodeName(QFileInfo(quake2Dir).canonicalFilePath()) +
                                "\n+set\ngame\nm\xc3\xb6"
                                "d\n+map\n\"" +
                                bytes + "\"\n";
    const QString log = game + QStringLiteral(".log");
    writeBatchFile(script, quake2Dir, pieces, posix);
    QVERIFY(runScript(script, quake2Dir));
    QCOMPARE(env.readFile(log), expected);
    QFile::remove(log);
    QVERIFY(startGame(directStart(pieces, quake2Dir, posix)) == std::nullopt);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(log), 10000);
    QCOMPARE(env.readFile(log), expected);
    const BatchFileContents read = readBatchFile(script, quake2Dir, posix);
    QCOMPARE(read.map, map);
    QCOMPARE(read.game, QStringLiteral(u"m\u00f6d"));
}

// The shell starting says nothing about the game: what the script names is checked first.
void TstBatchFile::startChecksWhatTheScriptNames_data() {
    QTest::addColumn<QByteArray>("script"); // <dir> stands for the game's folder, in UTF-8
    QTest::addColumn<QString>("failed");    // nothing when the game starts
    const QString folder = QStringLiteral(u"/j\u00f6rg");
    QTest::newRow("written by the program") << QByteArray() << QString();
    QTest::newRow("the folder in Latin-1")
        << QByteArray("<root>/j\xf6rg/quake2 +map base1\n") << "<root>" + folder + "/quake2";
    QTest::newRow("no program") << QByteArray("+map base1\n") << "<script>";
    QTest::newRow("empty") << QByteArray("") << "<script>";
}
void TstBatchFile::startChecksWhatTheScriptNames() {
    QFETCH(QByteArray, script);
    QFETCH(QString, failed);
    TestEnvironment env;
    const QString quake2Dir = env.makeDir(QStringLiteral(u"j\u00f6rg"));
    const QString game = quake2Dir + QStringLiteral("/quake2");
    TestEnvironment::writeStandInGame(game);
    const QString file = env.root() + QStringLiteral("/vexa.sh");
    if (script.isNull())
        writeBatchFile(file, quake2Dir, {}, posix);
    else
        env.writeFile(QStringLiteral("vexa.sh"),
                      script.replace("<root>", QFile::encodeName(env.root())));
    const std::optional<QString> result = startGame(scriptStart(file, quake2Dir, posix));
    failed.replace(QStringLiteral("<root>"), env.root()).replace(QStringLiteral("<script>"), file);
    QCOMPARE(result.value_or(QString()), failed);
    if (failed.isEmpty())
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(game + QStringLiteral(".log")), 10000);
}

VEXA_TEST(TstBatchFile)
#include "tst_batchfile.moc"
