#include "platform/ProcessStart.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

class TestProcessStart : public QObject {
    Q_OBJECT

private slots:
    void passesArgumentsUnchanged() {
        TestEnvironment env;
        const QString game = env.quake2Dir() + QStringLiteral("/quake2");
        TestEnvironment::writeStandInGame(game);
        const QString workDir = env.makeDir(QStringLiteral("work dir"));
        const QStringList arguments{QStringLiteral("+set"),
                                    QStringLiteral("game"),
                                    QStringLiteral("with blanks"),
                                    QStringLiteral("\"quoted\" and 'single'"),
                                    QStringLiteral("a;b && c | d"),
                                    QStringLiteral("$HOME $(id) `id`"),
                                    QStringLiteral("*"),
                                    QStringLiteral("back\\slash"),
                                    QString(),
                                    QStringLiteral("first line\nsecond line")};
        QVERIFY(startDetached(game, arguments, workDir));
        const QString log = game + QStringLiteral(".log");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(log), 10000);
        const QStringList lines = QStringList{QFileInfo(workDir).canonicalFilePath()} + arguments;
        const QString expected = lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
        QCOMPARE(QString::fromLocal8Bit(env.readFile(log)), expected);
    }

    void reportsWhatCannotStart_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("workDir");
        QTest::newRow("missing program") << "quake2/none"
                                         << "quake2";
        QTest::newRow("not executable") << "quake2/plain"
                                        << "quake2";
        QTest::newRow("directory") << "quake2/baseq2"
                                   << "quake2";
        QTest::newRow("missing working directory") << "quake2/quake2"
                                                   << "none";
    }
    void reportsWhatCannotStart() {
        QFETCH(QString, program);
        QFETCH(QString, workDir);
        TestEnvironment env;
        TestEnvironment::writeStandInGame(env.quake2Dir() + QStringLiteral("/quake2"));
        env.writeFile(QStringLiteral("quake2/plain"), "#!/bin/sh\ntouch started\n");
        QVERIFY(
            !startDetached(env.root() + '/' + program, QStringList(), env.root() + '/' + workDir));
    }

    // What a shell in the working directory can run, the name given as its bytes.
    void runnableAsTheShellFindsIt_data() {
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<bool>("runnable");
        QTest::newRow("absolute") << QByteArray("<root>/quake2/quake2") << true;
        QTest::newRow("relative") << QByteArray("../quake2/quake2") << true;
        QTest::newRow("along PATH") << QByteArray("sh") << true;
        QTest::newRow("bare name not on PATH") << QByteArray("quake2") << false;
        QTest::newRow("not executable") << QByteArray("./plain") << false;
        QTest::newRow("directory") << QByteArray("./baseq2") << false;
        QTest::newRow("Latin-1 folder") << QByteArray("<root>/j\xf6rg/plain") << true;
        QTest::newRow("UTF-8 spelling of it") << QByteArray("<root>/j\xc3\xb6rg/plain") << false;
    }
    void runnableAsTheShellFindsIt() {
        QFETCH(QByteArray, program);
        TestEnvironment env;
        TestEnvironment::writeStandInGame(env.quake2Dir() + QStringLiteral("/quake2"));
        env.writeFile(QStringLiteral("quake2/plain"), "#!/bin/sh\n");
        // A folder whose name is not UTF-8, as an older system may have made it.
        const QByteArray root = QFile::encodeName(env.root());
        const QByteArray latin1 = root + "/j\xf6rg";
        QVERIFY(::mkdir(latin1.constData(), 0755) == 0);
        QVERIFY(::symlink(QFile::encodeName(env.quake2Dir() + "/quake2").constData(),
                          (latin1 + "/plain").constData()) == 0);
        QTEST(isRunnable(program.replace("<root>", root), env.quake2Dir()), "runnable");
    }
};

VEXA_TEST(TestProcessStart)
#include "tst_processstart.moc"
