#include "platform/PlatformConventions.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QTest>

namespace {
const PlatformConventions& conventions(const QString& style) {
    return style == QLatin1String("win") ? PlatformConventions::windows()
                                         : PlatformConventions::posix();
}
} // namespace

class TestPlatformConventions : public QObject {
    Q_OBJECT

private slots:
    void splitPath_data() {
        for (const char* column : {"style", "path", "drive", "directory", "fileName", "dirOf"})
            QTest::addColumn<QString>(column);
        auto row = [](const char* name, QString style, QString path, QString drive,
                      QString directory, QString file, QString dirOf) {
            QTest::newRow(name) << style << path << drive << directory << file << dirOf;
        };
        row("win config", "win", "c:\\quake2\\baseq2\\config.cfg", "c:", "\\quake2\\baseq2",
            "config.cfg", "c:\\quake2\\baseq2");
        row("win root file", "win", "c:\\a.bat", "c:", "\\", "a.bat", "c:\\");
        row("win forward slashes", "win", "D:/Games/Q2/quake2.exe", "D:", "/Games/Q2", "quake2.exe",
            "D:/Games/Q2");
        row("win trailing separators", "win", "c:\\quake2\\\\", "c:", "\\quake2", "", "c:\\quake2");
        row("win share", "win", "\\\\srv\\games\\q2\\quake2.exe", "\\\\srv\\games", "\\q2",
            "quake2.exe", "\\\\srv\\games\\q2");
        row("win share root", "win", "\\\\srv\\games\\a.bat", "\\\\srv\\games", "\\", "a.bat",
            "\\\\srv\\games\\");
        row("win bare name", "win", "quake2.exe", "", "", "quake2.exe", "");
        row("win drive relative", "win", "c:a.bat", "c:", "", "a.bat", "c:");
        row("posix batch", "posix", "/home/u/quake2/vexa.sh", "", "/home/u/quake2", "vexa.sh",
            "/home/u/quake2");
        row("posix root file", "posix", "/a.sh", "", "/", "a.sh", "/");
        row("posix root", "posix", "/", "", "/", "", "/");
        row("posix has no drive nor backslash", "posix", "c:/q2\\x.cfg", "", "c:", "q2\\x.cfg",
            "c:");
    }
    void splitPath() {
        QFETCH(QString, style);
        QFETCH(QString, path);
        const PlatformConventions& pc = conventions(style);
        const PlatformConventions::PathParts parts = pc.splitPath(path);
        QTEST(parts.drive, "drive");
        QTEST(parts.directory, "directory");
        QTEST(parts.fileName, "fileName");
        QTEST(pc.directoryOf(path), "dirOf");
        QTEST(pc.fileNameOf(path), "fileName");
    }

    void join_data() {
        for (const char* column : {"style", "directory", "name", "joined"})
            QTest::addColumn<QString>(column);
        auto row = [](const char* name, QString style, QString dir, QString file, QString joined) {
            QTest::newRow(name) << style << dir << file << joined;
        };
        row("win", "win", "c:\\quake2", "baseq2", "c:\\quake2\\baseq2");
        row("win root", "win", "c:\\", "a.bat", "c:\\a.bat");
        row("win trailing", "win", "c:\\quake2\\", "x", "c:\\quake2\\x");
        row("win trailing slash", "win", "c:/quake2/", "x", "c:/quake2/x");
        row("posix", "posix", "/home/u/quake2", "vexa.sh", "/home/u/quake2/vexa.sh");
        row("posix root", "posix", "/", "a.sh", "/a.sh");
        row("posix backslash is a letter", "posix", "/a\\", "b", "/a\\/b");
        row("no directory", "posix", "", "maps.lst", "maps.lst");
    }
    void join() {
        QFETCH(QString, style);
        QFETCH(QString, directory);
        QFETCH(QString, name);
        QTEST(conventions(style).join(directory, name), "joined");
    }

    // A name typed without a directory belongs to the given one; the batch file's default follows
    // a known Quake 2 directory.
    void absolutePath_data() {
        for (const char* column : {"style", "path", "absolute"})
            QTest::addColumn<QString>(column);
        auto row = [](const char* name, QString style, QString path, QString absolute) {
            QTest::newRow(name) << style << path << absolute;
        };
        row("posix bare name", "posix", "myrun.sh", "/prog/myrun.sh");
        row("posix dots", "posix", "././sub/run.sh", "/prog/sub/run.sh");
        row("posix parent kept", "posix", "../run.sh", "/prog/../run.sh");
        row("posix absolute", "posix", "/q2/vexa.sh", "/q2/vexa.sh");
        row("posix empty", "posix", "", "");
        row("win dot", "win", ".\\run.bat", "c:\\prog\\run.bat");
        row("win drive", "win", "d:\\run.bat", "d:\\run.bat");
        row("win rooted", "win", "\\q2\\run.bat", "\\q2\\run.bat");
    }
    void absolutePath() {
        QFETCH(QString, style);
        QFETCH(QString, path);
        const QString program = style == QLatin1String("win") ? "c:\\prog" : "/prog";
        QTEST(conventions(style).absolutePath(program, path), "absolute");
        const PlatformConventions& posix = PlatformConventions::posix();
        QCOMPARE(posix.batchFileIn(QStringLiteral("/opt/q2")), QStringLiteral("/opt/q2/vexa.sh"));
        for (const QString& unknown : {QString(), QStringLiteral("/")})
            QCOMPARE(posix.batchFileIn(unknown), posix.defaultBatchFile());
    }

    void isRoot_data() {
        QTest::addColumn<QString>("style");
        QTest::addColumn<QStringList>("roots");
        QTest::addColumn<QStringList>("others");
        QTest::newRow("win") << "win" << QStringList{"c:\\", "C:/", "\\", "\\\\srv\\games\\"}
                             << QStringList{"c:", "c:\\quake2", ""};
        QTest::newRow("posix") << "posix" << QStringList{"/"}
                               << QStringList{"/home", "", "c:\\", "\\"};
    }
    void isRoot() {
        QFETCH(QString, style);
        QFETCH(QStringList, roots);
        QFETCH(QStringList, others);
        for (const QString& root : roots)
            QVERIFY2(conventions(style).isRoot(root), qPrintable(root));
        for (const QString& other : others)
            QVERIFY2(!conventions(style).isRoot(other), qPrintable(other));
    }

    void mapping_data() {
        QTest::addColumn<QString>("style");
        QTest::addColumn<QStringList>("texts"); // "~" stands for $HOME
        const QStringList win{"\\",
                              "\r\n",
                              "quake2.exe",
                              "Quake2.exe (quake2.exe)",
                              "Batch Files (*.bat)",
                              "*.dll",
                              ".dll",
                              "c:\\",
                              "c:\\quake2",
                              "c:\\quake2\\baseq2",
                              "c:\\quake2\\baseq2\\config.cfg",
                              "c:\\quake2\\vexa.bat"};
        const QStringList posix{"/",
                                "\n",
                                "quake2",
                                "Quake 2 programs (quake2 yquake2 q2pro);;All files (*)",
                                "Batch Files (*.sh)",
                                "*.so",
                                ".so",
                                "/",
                                "~/quake2",
                                "~/quake2/baseq2",
                                "~/quake2/baseq2/config.cfg",
                                "~/quake2/vexa.sh"};
        QTest::newRow("win") << QStringLiteral("win") << win;
        QTest::newRow("posix") << QStringLiteral("posix") << posix;
    }
    void mapping() {
        QFETCH(QString, style);
        QFETCH(QStringList, texts);
        TestEnvironment env;
        const PlatformConventions& pc = conventions(style);
        QCOMPARE(pc.style(), style == QLatin1String("win") ? PlatformConventions::Style::Windows
                                                           : PlatformConventions::Style::Posix);
        const QStringList actual{pc.separator(),         pc.lineEnding(),
                                 pc.gameExecutable(),    pc.gameExecutableFilter(),
                                 pc.batchFileFilter(),   pc.driverPattern(),
                                 pc.driverExtension(),   pc.browseRoot(),
                                 pc.defaultQuake2Dir(),  pc.defaultBaseDir(),
                                 pc.defaultConfigFile(), pc.defaultBatchFile()};
        QCOMPARE(actual, texts.replaceInStrings(QStringLiteral("~"), QDir::homePath()));
        // The POSIX defaults follow HOME as it is when asked.
        qputenv("HOME", "/");
        QCOMPARE(pc.defaultBatchFile(),
                 style == QLatin1String("win") ? "c:\\quake2\\vexa.bat" : "/quake2/vexa.sh");
    }

    void nativeIsTheHostStyle() {
#ifdef Q_OS_WIN
        QCOMPARE(&PlatformConventions::native(), &PlatformConventions::windows());
#else
        QCOMPARE(&PlatformConventions::native(), &PlatformConventions::posix());
#endif
    }
};

VEXA_TEST(TestPlatformConventions)
#include "tst_platformconventions.moc"
