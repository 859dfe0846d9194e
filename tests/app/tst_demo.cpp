#include "app/Demo.h"
#include "app/Discovery.h"
#include "platform/GameFiles.h"
#include "platform/IniFile.h"
#include "platform/TextFile.h"
#include "platform/VexaError.h"
#include "profiles/MapLists.h"
#include "profiles/ProfileFile.h"
#include "settings/GameHome.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

namespace {

// Every file and directory below `root` with a digest of its content and its permissions.
QMap<QString, QByteArray> snapshot(const QString& root) {
    QMap<QString, QByteArray> tree;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QByteArray state = QByteArray::number(int(it.fileInfo().permissions()));
        if (it.fileInfo().isFile()) {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            state += QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1);
        }
        tree.insert(path, state);
    }
    return tree;
}

QStringList itemTexts(const QVector<ProfileItem>& items) {
    QStringList texts;
    for (const ProfileItem& item : items)
        texts << item.text + (item.checked ? QStringLiteral(" [x]") : QString());
    return texts;
}

// Runs the demo's game and returns what it recorded: its working directory, then the arguments.
QStringList runGame(const DemoPaths& demo, const QStringList& arguments) {
    QProcess game;
    game.setWorkingDirectory(demo.quake2Dir);
    game.start(demo.quake2Dir + QStringLiteral("/quake2"), arguments);
    if (!game.waitForFinished(10000))
        return {QStringLiteral("did not finish")};
    return TextFile::readLines(demo.quake2Dir + QStringLiteral("/quake2.log"));
}

} // namespace

class TestDemo : public QObject {
    Q_OBJECT

private slots:
    void livesUnderTheDataHome() {
        TestEnvironment env;
        const DemoPaths demo = demoEnvironment();
        QCOMPARE(demo.root, env.root() + QStringLiteral("/data/vexa/demo"));
        QCOMPARE(demo.configHome, demo.root + QStringLiteral("/config"));
        QCOMPARE(demo.programDir, demo.root + QStringLiteral("/program"));
        QCOMPARE(demo.quake2Dir, demo.root + QStringLiteral("/quake2"));
        QCOMPARE(demo.baseDir, demo.quake2Dir + QStringLiteral("/baseq2"));
        QCOMPARE(demo.gameHome, demo.root + QStringLiteral("/home"));
        qunsetenv("XDG_DATA_HOME"); // the environment puts it back
        QCOMPARE(demoRoot(), QDir::homePath() + QStringLiteral("/.local/share/vexa/demo"));
    }

    void installationListsWhatTheProgramLooksFor() {
        TestEnvironment env;
        const DemoPaths demo = createDemoInstallation(demoRoot(), QString());
        const EngineChoice yamagi{Engine::yamagi, demo.gameHome};
        const GameFiles files = gameDataFiles(yamagi, demo.baseDir);
        // Models, skins and maps lie in archives only, as in a real installation.
        QVERIFY(!QFileInfo::exists(demo.baseDir + QStringLiteral("/players")));
        QCOMPARE(files.archives(), (QStringList{demo.baseDir + QStringLiteral("/dmpack.pk3"),
                                                demo.baseDir + QStringLiteral("/pak0.pak")}));
        QVERIFY(files.damagedArchives().isEmpty());
        QCOMPARE(Discovery::modelNames(files), (QStringList{"cyborg", "female", "male"}));
        for (const QString& model : Discovery::modelNames(files)) {
            const QString folder = QStringLiteral("players/") + model;
            const QStringList skins = Discovery::skinNames(files, model);
            QVERIFY2(skins.size() >= 3, qPrintable(model));
            // Every skin comes with its icon, every model with its weapon picture.
            QStringList pictures;
            for (const ArchiveEntry& entry : files.archivedEntries(folder, QStringLiteral("*")))
                pictures << entry.name;
            QVERIFY(pictures.contains(QStringLiteral("weapon.pcx")));
            for (const QString& skin : skins)
                QVERIFY2(pictures.contains(skin + QStringLiteral("_i.pcx")), qPrintable(skin));
        }
        QVERIFY(Discovery::skinNames(files, QStringLiteral("male")).contains("grunt"));
        QCOMPARE(Discovery::driverNames(demo.quake2Dir, PlatformConventions::posix()),
                 (QStringList{"ref_gl", "ref_soft"}));
        const QStringList maps = MapLists::mapNames(files);
        QCOMPARE(maps.size(), 12);
        QVERIFY(maps.contains(QStringLiteral("base1")) && maps.contains(QStringLiteral("q2dm8")));
        // Id 3.21 reads no pk3: the cyborg and the deathmatch pack's maps are not there for it.
        const GameFiles idFiles = gameDataFiles({}, demo.baseDir);
        QCOMPARE(Discovery::modelNames(idFiles), (QStringList{"female", "male"}));
        QVERIFY(!MapLists::mapNames(idFiles).contains(QStringLiteral("q2dm8")));
        QCOMPARE(MapLists::saveGameNames({homeGameFolder(yamagi), demo.baseDir}),
                 (QStringList{"current", "save0", "save1"}));
        QCOMPARE(MapLists::serverNames(demo.programDir).size(), 3);
        for (const char* mod : {"ctf", "rogue", "xatrix"})
            QVERIFY2(QFileInfo(demo.quake2Dir + QLatin1Char('/') + mod).isDir(), mod);
    }

    void settingsPointIntoTheDemo() {
        TestEnvironment env;
        const DemoPaths demo = createDemoInstallation(demoRoot(), QString());
        const IniFile ini(demo.configHome + QStringLiteral("/vexa.ini"));
        auto value = [&](const char* section, const char* key) {
            return ini.readString(section, key, QStringLiteral("<missing>"));
        };
        QCOMPARE(value("quake2", "path"), demo.quake2Dir);
        QCOMPARE(value("quake2", "baseq2"), demo.baseDir);
        QCOMPARE(value("quake2", "engine"), QStringLiteral("yamagi"));
        QCOMPARE(value("quake2", "home"), demo.gameHome);
        QCOMPARE(value("vexa", "path"), demo.programDir);
        QCOMPARE(value("vexa", "configfile"), demo.gameHome + QStringLiteral("/baseq2/vexa.cfg"));
        QVERIFY(value("vexa", "batchfile").startsWith(demo.quake2Dir + QLatin1Char('/')));
        // The start-map list as start-up builds it: maps.lst first, then the maps found.
        IniFile demoIni(demo.configHome + QStringLiteral("/vexa.ini"));
        const QStringList maps = MapLists::buildMapList(demoIni, demo.programDir);
        QCOMPARE(maps.mid(0, 5), MapLists::readListFile(demo.programDir + "/maps.lst"));
        QCOMPARE(maps.mid(5),
                 MapLists::mapNames(gameDataFiles(*readEngineChoice(ini), demo.baseDir)));
    }

    void configIsWrittenTheGamesWay() {
        TestEnvironment env;
        const DemoPaths demo = createDemoInstallation(demoRoot(), QString());
        const QByteArray bytes = env.readFile(demo.gameHome + QStringLiteral("/baseq2/config.cfg"));
        QVERIFY(bytes.startsWith("// generated by quake, do not modify\r\n"));
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
        const QStringList lines = TextFile::splitLines(QString::fromLatin1(bytes));
        const QRegularExpression shape(QStringLiteral("^(bind|set) \\S+ \"[^\"]*\"$"));
        for (const QString& line : lines.mid(1))
            QVERIFY2(shape.match(line).hasMatch(), qPrintable(line));
        QVERIFY(lines.contains(QStringLiteral("bind TAB \"inven\"")));
        QVERIFY(lines.contains(QStringLiteral("set skin \"female/athena\"")));
    }

    void profilesParse() {
        TestEnvironment env;
        const DemoPaths demo = createDemoInstallation(demoRoot(), QString());
        const QString global = ProfileFile::globalProfilePath(demo.programDir);
        QCOMPARE(itemTexts(ProfileFile::loadAliasList(global)),
                 (QStringList{"Rocket Jump [x]", "Zoom [x]", "Quick Grenade"}));
        // Bindings to the profile's aliases show the aliases' names.
        QCOMPARE(itemTexts(ProfileFile::loadBindingList(global)),
                 (QStringList{"MOUSE2 = Rocket Jump [x]", "z = Zoom [x]", "f = Quick Grenade"}));
        QCOMPARE(ProfileFile::loadSettingList(global).size(), 3);
        const ProfileEntries entries = ProfileFile::readProfileEntries(global);
        QCOMPARE(entries.aliases[0].lines, (QStringList{"alias +rjump \"+moveup; +attack\"",
                                                        "alias -rjump \"-moveup; -attack\""}));

        const QString ctf = ProfileFile::profilePath(demo.programDir, QStringLiteral("ctf"));
        QVERIFY(ProfileFile::loadAliasList(ctf).isEmpty());
        QCOMPARE(itemTexts(ProfileFile::loadBindingList(ctf)),
                 (QStringList{"MOUSE3 = use grapple [x]", "F7 = team red"}));
        QCOMPARE(itemTexts(ProfileFile::loadSettingList(ctf)),
                 (QStringList{"ctf = 1 [x]", "capturelimit = 8 [x]"}));
        // The games list finds exactly one game profile.
        QStringList games = QDir(demo.programDir).entryList({QStringLiteral("*.vexa")});
        games.removeAll(QStringLiteral("Global Aliases.vexa"));
        QCOMPARE(games, QStringList{"ctf.vexa"});
    }

    void secondRunLeavesUserChanges() {
        TestEnvironment env;
        const DemoPaths demo = createDemoInstallation(demoRoot(), QString());
        env.writeFile(QStringLiteral("data/vexa/demo/program/servers.txt"), "mine:1\n");
        QVERIFY(QFile::remove(demo.gameHome + QStringLiteral("/baseq2/save/save1/game.ssv")));
        const auto before = snapshot(demo.root);
        const DemoPaths again = createDemoInstallation(demoRoot(), QString());
        QCOMPARE(again.root, demo.root);
        QCOMPARE(snapshot(demo.root), before);
        QCOMPARE(MapLists::serverNames(demo.programDir), QStringList{"mine:1"});
    }

    void interruptedCreationIsDoneAgain() {
        TestEnvironment env;
        const QString root = demoRoot();
        env.writeFile(QStringLiteral("data/vexa/demo.partial/quake2/stale"), "x");
        const DemoPaths demo = createDemoInstallation(root, QString());
        QVERIFY(!QFileInfo::exists(root + QStringLiteral(".partial")));
        QVERIFY(!QFileInfo::exists(demo.quake2Dir + QStringLiteral("/stale")));
        QVERIFY(QFileInfo(demo.quake2Dir + QStringLiteral("/quake2")).isExecutable());
    }

    void placeThatCannotHoldItFails() {
        TestEnvironment env;
        const QString blocker = env.writeFile(QStringLiteral("data/blocker"), "a file");
        const QString root = blocker + QStringLiteral("/demo");
        try {
            createDemoInstallation(root, QString());
            QFAIL("no error");
        } catch (const VexaError& e) {
            QVERIFY2(e.message().startsWith(QStringLiteral("Cannot create file ")),
                     qPrintable(e.message()));
        }
        QCOMPARE(env.readFile(blocker), QByteArray("a file"));
    }

    void gameRecordsHowItWasStarted_data() {
        QTest::addColumn<bool>("copied");
        QTest::newRow("copied stand-in program") << true;
        QTest::newRow("script when there is none") << false;
    }
    void gameRecordsHowItWasStarted() {
        QFETCH(bool, copied);
        TestEnvironment env;
        QString standIn;
        if (copied) {
            standIn = env.root() + QStringLiteral("/bin/standin");
            TestEnvironment::writeStandInGame(standIn);
        } else {
            standIn = env.root() + QStringLiteral("/bin/missing");
        }
        const DemoPaths demo = createDemoInstallation(demoRoot(), standIn);
        const QString game = demo.quake2Dir + QStringLiteral("/quake2");
        QVERIFY(QFileInfo(game).isExecutable());
        if (copied)
            QCOMPARE(env.readFile(game), env.readFile(standIn));
        const QStringList arguments{"+set", "game", "ctf", "+map", "q2ctf1 \"The Edge\""};
        QCOMPARE(runGame(demo, arguments), QStringList{demo.quake2Dir} + arguments);
    }
};

VEXA_TEST(TestDemo)
#include "tst_demo.moc"
