#include "platform/GameFiles.h"
#include "platform/IniFile.h"
#include "platform/VexaError.h"
#include "profiles/MapLists.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QTest>

namespace {

void writeIni(const TestEnvironment& env, const char* section, const char* key,
              const QString& value) {
    IniFile(env.iniPath()).writeString(section, key, value);
}

// vexa.ini as start-up leaves it: the program's and the Quake 2 directories known.
IniFile startedIni(TestEnvironment& env) {
    env.seedKnownDirectories();
    writeIni(env, "vexa", "path", env.programDir());
    return IniFile(env.iniPath());
}

void makeEntries(TestEnvironment& env, const QString& dir, const QStringList& files,
                 const QStringList& dirs = {}) {
    for (const QString& file : files)
        env.writeFile(dir + QLatin1Char('/') + file, "x");
    for (const QString& sub : dirs)
        env.makeDir(dir + QLatin1Char('/') + sub);
}

} // namespace

class TestMapLists : public QObject {
    Q_OBJECT

private slots:
    void mapsFound_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("names"); // in the order listed
        QTest::newRow("letter case")
            << QStringList{"BASE2.BSP", "base1.bsp"} << QStringList{"base1", "base2"};
        QTest::newRow("extension not looked at")
            << QStringList{"readme.txt", "q2dm1.bsp"} << QStringList{"q2dm1", "readme"};
        QTest::newRow("short names become empty, once")
            << QStringList{"abcd", "x.b"} << QStringList{""};
        QTest::newRow("hidden left out")
            << QStringList{".secret.bsp", "base3.bsp"} << QStringList{"base3"};
        // The game opens the file by the bytes of its name: a name that Latin-1 could hold is
        // one character per byte of the name on disk, so that the game gets those bytes.
        QTest::newRow("Latin-1 letters in UTF-8: the name's bytes")
            << QStringList{QString::fromUtf8("\xc3\x84RG.BSP")} // ÄRG.BSP
            << QStringList{QString::fromLatin1("\xc3\x84rg")};
        QTest::newRow("beyond Latin-1 stays")
            << QStringList{QString::fromUtf8("\xd0\x9a\xd0\xb8\xd1\x80.bsp")} // Кир.bsp
            << QStringList{QString::fromUtf8("\xd0\x9a\xd0\xb8\xd1\x80")};
        // The Windows order: letters compared in upper case, so "_" comes after them.
        QTest::newRow("name order") << QStringList{"z.bsp", "_x.bsp", "B.bsp", "a.bsp", "a1.bsp"}
                                    << QStringList{"a", "a1", "b", "z", "_x"};
    }
    void mapsFound() {
        QFETCH(QStringList, files);
        TestEnvironment env;
        makeEntries(env, QStringLiteral("quake2/baseq2/maps"), files);
        QTEST(MapLists::mapNames(GameFiles({env.baseDir()}, {QStringLiteral("pak*.pak")})),
              "names");
    }

    void mapDirectoriesCountAsMaps() {
        TestEnvironment env;
        makeEntries(env, QStringLiteral("quake2/baseq2/maps"), {}, {"unit1.dir"});
        QCOMPARE(MapLists::mapNames(GameFiles({env.baseDir()}, {QStringLiteral("pak*.pak")})),
                 QStringList{"unit1"});
    }

    void mergeKeepsListedLinesFirst_data() {
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QStringList>("found");
        QTest::addColumn<QStringList>("merged");
        QTest::newRow("no list") << QStringList{} << QStringList{"base1", "base2"}
                                 << QStringList{"base1", "base2"};
        QTest::newRow("the file's line wins")
            << QStringList{"Base1"} << QStringList{"base1", "base2"}
            << QStringList{"Base1", "base2"};
        QTest::newRow("whole lines compared")
            << QStringList{"q2dm1 \"The Edge\""} << QStringList{"q2dm1"}
            << QStringList{"q2dm1 \"The Edge\"", "q2dm1"};
        QTest::newRow("found twice, listed once")
            << QStringList{} << QStringList{"base1", "base1"} << QStringList{"base1"};
        QTest::newRow("the list's own repeats stay")
            << QStringList{"a", "a"} << QStringList{"b"} << QStringList{"a", "a", "b"};
        QTest::newRow("unsorted") << QStringList{"z"} << QStringList{"m", "a"}
                                  << QStringList{"z", "m", "a"};
    }
    void mergeKeepsListedLinesFirst() {
        QFETCH(QStringList, listed);
        QFETCH(QStringList, found);
        QTEST(MapLists::mergeMapNames(listed, found), "merged");
    }

    void buildMapListReadsBothSources() {
        TestEnvironment env;
        IniFile ini = startedIni(env);
        env.writeFile(QStringLiteral("program/maps.lst"), "base1\r\nq2ctf1 \"McKinley\"\r\n");
        makeEntries(env, QStringLiteral("quake2/baseq2/maps"), {"Base1.bsp"});
        QCOMPARE(MapLists::buildMapList(ini, env.programDir()),
                 (QStringList{"base1", "q2ctf1 \"McKinley\""}));
    }

    // Another start elsewhere rewrites [vexa] path; this program keeps its own directory.
    void buildMapListTakesMapsLstFromTheProgramDirectory() {
        TestEnvironment env;
        IniFile ini = startedIni(env);
        const QString other = env.makeDir(QStringLiteral("elsewhere"));
        env.writeFile(QStringLiteral("elsewhere/maps.lst"), "fromthere\n");
        env.writeFile(QStringLiteral("program/maps.lst"), "fromhere\n");
        writeIni(env, "vexa", "path", other);
        QCOMPARE(MapLists::buildMapList(ini, env.programDir()), QStringList{"fromhere"});
    }

    void baseDirectoryRule_data() {
        QTest::addColumn<bool>("withBaseKey");
        QTest::addColumn<QString>("expectedMap");
        // The maps of the key's directory, or of "<path>/baseq2" when the key is missing.
        QTest::newRow("baseq2 key") << true << "other";
        QTest::newRow("path + baseq2") << false << "standard";
    }
    void baseDirectoryRule() {
        QFETCH(bool, withBaseKey);
        QFETCH(QString, expectedMap);
        TestEnvironment env;
        writeIni(env, "quake2", "path", env.quake2Dir());
        writeIni(env, "vexa", "path", env.programDir());
        if (withBaseKey)
            writeIni(env, "quake2", "baseq2", env.makeDir(QStringLiteral("other")));
        makeEntries(env, QStringLiteral("other/maps"), {"other.bsp"});
        makeEntries(env, QStringLiteral("quake2/baseq2/maps"), {"standard.bsp"});
        QCOMPARE(MapLists::buildMapList(IniFile(env.iniPath()), env.programDir()),
                 QStringList{expectedMap});
    }

    void emptyBaseKeyFindsNoMaps() {
        TestEnvironment env;
        IniFile ini = startedIni(env);
        writeIni(env, "quake2", "baseq2", QString());
        makeEntries(env, QStringLiteral("program/maps"), {"cwd.bsp"}); // never the current dir
        QVERIFY(MapLists::buildMapList(ini, env.programDir()).isEmpty());
    }

    void missingFilesAndDirectoriesGiveNothing() {
        TestEnvironment env;
        IniFile ini = startedIni(env);
        QVERIFY(MapLists::buildMapList(ini, env.programDir()).isEmpty());
        QVERIFY(MapLists::saveGameNames({env.baseDir()}).isEmpty());
        QVERIFY(MapLists::serverNames(env.programDir()).isEmpty());
        QVERIFY(MapLists::mapNames(
                    GameFiles({env.root() + QStringLiteral("/none")}, {QStringLiteral("*.pk3")}))
                    .isEmpty());
    }

    void unreadableListFileIsReported() {
        TestEnvironment env;
        env.makeDir(QStringLiteral("program/servers.txt")); // exists, but cannot be read
        try {
            MapLists::serverNames(env.programDir());
            QFAIL("no error");
        } catch (const VexaError& e) {
            QVERIFY2(e.message().startsWith(QStringLiteral("Cannot open file ")),
                     qPrintable(e.message()));
        }
    }

    void saveSlotsOnly() {
        TestEnvironment env;
        const QString saves = QStringLiteral("quake2/baseq2/save");
        makeEntries(env, saves, {"game.ssv", ".hidden"}, {"save0", "Save1", "current", ".old"});
        // The game's own directory has its saves too; a slot in both is listed once.
        makeEntries(env, QStringLiteral("home/.yq2/baseq2/save"), {}, {"save0", "quick"});
        QCOMPARE(MapLists::saveGameNames(
                     {env.root() + QStringLiteral("/home/.yq2/baseq2"), env.baseDir()}),
                 (QStringList{"current", "quick", "save0", "save1"}));
    }

    void serversAreTheFileLines() {
        TestEnvironment env;
        env.writeFile(QStringLiteral("program/servers.txt"),
                      "192.0.2.10:27910\r\n198.51.100.7:27911\n");
        QCOMPARE(MapLists::serverNames(env.programDir()),
                 (QStringList{"192.0.2.10:27910", "198.51.100.7:27911"}));
    }
};

VEXA_TEST(TestMapLists)
#include "tst_maplists.moc"
