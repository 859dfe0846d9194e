#include "platform/DirectorySearch.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The directory's names in the order the file system hands them out.
QStringList readdirOrder(const QString& directory) {
    QStringList names;
    DIR* dir = ::opendir(QFile::encodeName(directory).constData());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir))
        names << QFile::decodeName(entry->d_name);
    ::closedir(dir);
    return names;
}

QStringList sorted(QStringList list) {
    list.sort();
    return list;
}

} // namespace

class TestDirectorySearch : public QObject {
    Q_OBJECT

private slots:
    void matchesFilePattern_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("matches");
        auto row = [](const char* name, const char* pattern, bool matches) {
            QTest::newRow(qPrintable(QStringLiteral("%1 ~ %2").arg(name, pattern)))
                << name << pattern << matches;
        };
        row("Viper.pcx", "*.PCX", true);
        row("viper.PCX", "*.pcx", true);
        row("viper.pcx.bak", "*.pcx", false);
        row("viper_i.pcx", "*_i.pcx", true);
        row("pcx", "*.pcx", false);
        row("readme", "*.*", true);
        row(".", "*.*", true);
        row("..", "*.*", true);
        row("ref_gl.so", "ref_*.so", true);
        row("abc", "a?c", true);
        row("ac", "a?c", false);
        row("abcd", "a?c", false);
        row("base1.bsp", "BASE?.bsp", true);
        row("foo", "foo.*", true);
        row("foo.txt", "foo.*", true);
        row("foobar", "foo.*", false);
        row("aXbXc", "*x*x*", true);
        row("aXbc", "*x*x*", false);
        row("mississippi", "*sip*", true);
        row("abc", "*d", false);
        row("abc", "", false);
        row("\xc3\x84rger.pcx", "\xc3\xa4*", true); // letters beyond ASCII ignore case too
    }
    void matchesFilePattern() {
        QFETCH(QString, name);
        QFETCH(QString, pattern);
        QTEST(::matchesFilePattern(name, pattern), "matches");
    }

    void findsEveryKindInNameOrder_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QStringList>("names");
        const int ordinary = int(EntryFilter::OrdinaryOnly);
        const int all = int(EntryFilter::All);
        const QStringList pcx{"dead.pcx", "dir.pcx",  "link.pcx", "locked.pcx",
                              "loop.pcx", "male.PCX", "pipe.pcx", "Viper.pcx"};
        QTest::newRow("ordinary") << "*.pcx" << ordinary << pcx;
        QTest::newRow("all") << "*.pcx" << all << QStringList{".hidden.pcx"} + pcx;
        QTest::newRow("question mark") << "?IPER.*" << ordinary << QStringList{"Viper.pcx"};
        QTest::newRow("everything, ordinary")
            << "*.*" << ordinary
            << QStringList{".", ".."} + pcx.mid(0, 7) + QStringList{"readme", "Viper.pcx"};
        QTest::newRow("everything") << "*.*" << all
                                    << QStringList{".", "..", ".cfg", ".hidden.pcx"} +
                                           pcx.mid(0, 7) + QStringList{"readme", "Viper.pcx"};
        QTest::newRow("dot names") << ".*" << ordinary << QStringList{".", ".."};
    }
    void findsEveryKindInNameOrder() {
        QFETCH(QString, pattern);
        QFETCH(int, filter);
        TestEnvironment env;
        const QString dir = env.makeDir(QStringLiteral("players"));
        for (const char* file : {"Viper.pcx", "male.PCX", ".hidden.pcx", "readme"})
            env.writeFile(QStringLiteral("players/") + file, "x");
        env.makeDir(QStringLiteral("players/dir.pcx"));
        env.makeDir(QStringLiteral("players/.cfg"));
        QVERIFY(QFile::link(dir + QStringLiteral("/Viper.pcx"), dir + QStringLiteral("/link.pcx")));
        QVERIFY(QFile::link(dir + QStringLiteral("/gone"), dir + QStringLiteral("/dead.pcx")));
        QVERIFY(QFile::link(dir + QStringLiteral("/loop.pcx"), dir + QStringLiteral("/loop.pcx")));
        QVERIFY(::mkfifo(QFile::encodeName(dir + QStringLiteral("/pipe.pcx")).constData(), 0644) ==
                0);
        env.makeDir(QStringLiteral("players/locked.pcx"));
        QFile::setPermissions(dir + QStringLiteral("/locked.pcx"), {});

        QTEST(findFiles(dir, pattern, EntryFilter(filter)), "names");
    }

    // The Windows order whatever order the file system keeps: letters compared in upper case
    // ("_" after them), names equal but for letter case in their exact order.
    void nameOrder_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("letter case ignored") << "apple"
                                             << "Banana";
        QTest::newRow("underscore after letters") << "zebra"
                                                  << "_under";
        QTest::newRow("shorter first") << "map"
                                       << "map1";
        QTest::newRow("point before digits") << "m1.bsp"
                                             << "m10.bsp";
        QTest::newRow("capitals first among equals") << "Male"
                                                     << "male";
    }
    void nameOrder() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QVERIFY(nameOrderLess(first, second));
        QVERIFY(!nameOrderLess(second, first));
        QVERIFY(!nameOrderLess(first, first));
    }

    void listsManyEntriesInNameOrder() {
        TestEnvironment env;
        const QString dir = env.makeDir(QStringLiteral("maps"));
        for (int i = 0; i < 200; ++i)
            env.writeFile(QStringLiteral("maps/m%1.bsp").arg(i * 7919 % 1000), "x");
        QStringList onDisk = readdirOrder(dir);
        onDisk.removeAll(QStringLiteral("."));
        onDisk.removeAll(QStringLiteral(".."));
        QVERIFY(onDisk != sorted(onDisk)); // the file system's order is another one
        // Lower-case letters, digits and points: the plain sort is the name order.
        QCOMPARE(findFiles(dir, QStringLiteral("*.BSP"), EntryFilter::OrdinaryOnly),
                 sorted(onDisk));
    }

    void hundredThousandEntries() {
        TestEnvironment env;
        // In memory where the machine offers it: making the entries is the slow part.
        const QTemporaryDir memory(QStringLiteral("/dev/shm/maps-XXXXXX"));
        const QByteArray dir = QFile::encodeName(
            memory.isValid() ? memory.path() : env.makeDir(QStringLiteral("maps")));
        constexpr int count = 100000;
        for (int i = 0; i < count; ++i) {
            const QByteArray name = dir + "/m" + QByteArray::number(i) + ".bsp";
            const int fd = ::open(name.constData(), O_CREAT | O_WRONLY, 0644);
            QVERIFY(fd >= 0);
            ::close(fd);
        }
        QElapsedTimer timer;
        timer.start();
        const QStringList all =
            findFiles(QFile::decodeName(dir), QStringLiteral("*.BSP"), EntryFilter::OrdinaryOnly);
        const QStringList one = findFiles(QFile::decodeName(dir), QStringLiteral("m99999.*"),
                                          EntryFilter::OrdinaryOnly);
        qInfo("searched twice in %lld ms", timer.elapsed());
        QCOMPARE(all.size(), count);
        QCOMPARE(QSet<QString>(all.cbegin(), all.cend()).size(), count);
        QCOMPARE(one, QStringList{"m99999.bsp"});
    }

    void missingDirectoryGivesNothing() {
        TestEnvironment env;
        QVERIFY(
            findFiles(env.root() + QStringLiteral("/none"), QStringLiteral("*.*"), EntryFilter::All)
                .isEmpty());
        const QString file = env.writeFile(QStringLiteral("file"), "x");
        QVERIFY(findFiles(file, QStringLiteral("*.*"), EntryFilter::All).isEmpty());
    }
};

VEXA_TEST(TestDirectorySearch)
#include "tst_directorysearch.moc"
