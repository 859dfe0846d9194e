#include "platform/ProcessStart.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

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
        QVERIFY(!startDetached(env.root() + '/' + program, {}, env.root() + '/' + workDir));
    }
};

VEXA_TEST(TestProcessStart)
#include "tst_processstart.moc"
