#include "app/Discovery.h"
#include "platform/GameFiles.h"
#include "platform/IniFile.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QTest>

namespace {

void makeEntries(TestEnvironment& env, const QString& dir, const QStringList& files,
                 const QStringList& dirs = {}) {
    for (const QString& file : files)
        env.writeFile(dir + QLatin1Char('/') + file, "");
    for (const QString& sub : dirs)
        env.makeDir(dir + QLatin1Char('/') + sub);
}

GameFiles loose(const QString& baseDir) {
    return GameFiles({baseDir}, {QStringLiteral("pak*.pak")});
}

} // namespace

class TestDiscovery : public QObject {
    Q_OBJECT

private slots:
    void models() {
        TestEnvironment env;
        const QString players = QStringLiteral("quake2/baseq2/players");
        makeEntries(env, players, {"readme.txt", "notes", ".hidden.pcx"},
                    {"male", "Female", "cyborg", ".git", "old.bak"});
        QCOMPARE(Discovery::modelNames(loose(env.baseDir())),
                 (QStringList{"cyborg", "female", "male", "notes"}));
    }

    void skins_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("directory");
        QTest::newRow("a model") << "male"
                                 << "players/male";
        QTest::newRow("typed in another case finds the directory") << "MALE"
                                                                   << "players/male";
        QTest::newRow("no model: the players directory") << ""
                                                         << "players";
        QTest::newRow("no such model") << "nobody"
                                       << "";
    }
    void skins() {
        QFETCH(QString, model);
        QFETCH(QString, directory);
        TestEnvironment env;
        const QString male = QStringLiteral("quake2/baseq2/players/male");
        makeEntries(env, male,
                    {"grunt.pcx", "grunt_i.pcx", "Viper.PCX", "weapon.pcx", "w_i.pcx", "a.pcx",
                     "tris.md2", ".hidden.pcx", "x_.pcx", "Weapon.Pcx"},
                    {"sub.pcx"});
        makeEntries(env, QStringLiteral("quake2/baseq2/players"), {"loose.pcx"});

        QStringList expected;
        if (directory == QLatin1String("players/male"))
            expected = QStringList{"a", "grunt", "sub", "viper", "x_"};
        else if (directory == QLatin1String("players"))
            expected = QStringList{"loose"};
        QCOMPARE(Discovery::skinNames(loose(env.baseDir()), model), expected);
    }

    void modelDirectoryFoundIgnoringLetterCase() {
        TestEnvironment env;
        makeEntries(env, QStringLiteral("quake2/baseq2/players/Female"), {"athena.pcx"});
        QCOMPARE(Discovery::skinNames(loose(env.baseDir()), "female"), QStringList{"athena"});
        // A directory named exactly so comes first.
        makeEntries(env, QStringLiteral("quake2/baseq2/players/female"), {"venus.pcx"});
        QCOMPARE(Discovery::skinNames(loose(env.baseDir()), "female"), QStringList{"venus"});
        QCOMPARE(Discovery::skinNames(loose(env.baseDir()), "Female"), QStringList{"athena"});
        QCOMPARE(Discovery::skinNames(loose(env.baseDir()), "femal"), QStringList());
    }

    void drivers_data() {
        QTest::addColumn<bool>("windowsStyle");
        QTest::newRow("posix") << false;
        QTest::newRow("windows") << true;
    }
    void drivers() {
        QFETCH(bool, windowsStyle);
        const PlatformConventions& platform =
            windowsStyle ? PlatformConventions::windows() : PlatformConventions::posix();
        const QString ext = platform.driverExtension();
        const QString other = windowsStyle ? QStringLiteral(".so") : QStringLiteral(".dll");
        TestEnvironment env;
        const QStringList kept{"ref_gl" + ext, "ref_soft" + ext, "3DFXGL" + ext.toUpper()};
        makeEntries(env, QStringLiteral("quake2"),
                    kept + QStringList{"_debug" + ext, ".hidden" + ext, "opengl32" + other,
                                       "ref_gl" + ext + ".bak"});
        QCOMPARE(Discovery::driverNames(env.quake2Dir(), platform),
                 (QStringList{"3dfxgl", "ref_gl", "ref_soft"}));
        // The other engines' renderer modules are no GL library.
        QCOMPARE(Discovery::driverNames(env.quake2Dir(), platform, false), QStringList{"3dfxgl"});
    }

    void missingDirectoriesGiveEmptyLists() {
        TestEnvironment env;
        const QString none = env.root() + QStringLiteral("/none");
        QVERIFY(Discovery::modelNames(loose(none)).isEmpty());
        QVERIFY(Discovery::skinNames(loose(none), QStringLiteral("male")).isEmpty());
        QVERIFY(Discovery::driverNames(none).isEmpty());
        // An empty directory name never stands for the current directory.
        makeEntries(env, QStringLiteral("program"), {"ref_gl.so"}, {"players/male"});
        QVERIFY(Discovery::modelNames(loose(QString())).isEmpty());
        QVERIFY(Discovery::driverNames(QString()).isEmpty());
    }

    void directoriesComeFromTheSettings() {
        TestEnvironment env;
        IniFile ini(env.iniPath());
        const QString defaultDir = QDir::homePath() + QStringLiteral("/quake2");
        // Without the keys, both the model and the skin list search the default Quake 2
        // directory.
        QCOMPARE(Discovery::playersBaseDirectory(ini), defaultDir);
        QCOMPARE(Discovery::driverDirectory(ini), QString());
        env.seedKnownDirectories();
        QCOMPARE(Discovery::playersBaseDirectory(ini), env.baseDir());
        QCOMPARE(Discovery::driverDirectory(ini), env.quake2Dir());
    }
};

VEXA_TEST(TestDiscovery)
#include "tst_discovery.moc"
