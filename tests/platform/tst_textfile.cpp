#include "platform/TextFile.h"
#include "platform/VexaError.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QTest>

#include <sys/stat.h>

class TestTextFile : public QObject {
    Q_OBJECT

private slots:
    void splitLines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("no final ending") << "a" << QStringList{"a"};
        QTest::newRow("final ending adds no line") << "a\r\n" << QStringList{"a"};
        // LF ends a line, as in the game; a lone CR is part of its line.
        QTest::newRow("every ending") << "a\r\nb\rc\nd" << QStringList{"a", "b\rc", "d"};
        QTest::newRow("one empty line") << "\n" << QStringList{""};
        QTest::newRow("empty lines") << "\r\n\r\n" << QStringList{"", ""};
        QTest::newRow("CR before CR LF") << "a\r\r\nb" << QStringList{"a\r", "b"};
        QTest::newRow("LF CR") << "a\n\rb" << QStringList{"a", "\rb"};
        QTest::newRow("blanks kept") << "  a \t\n" << QStringList{"  a \t"};
    }
    void splitLines() {
        QFETCH(QString, text);
        QTEST(TextFile::splitLines(text), "lines");
        // A file splits the same way.
        TestEnvironment env;
        const QString path = env.writeFile(QStringLiteral("a.cfg"), text.toLatin1());
        QTEST(TextFile::readLines(path), "lines");
    }

    void readsLinesOfAnyLengthAndEveryByte() {
        QByteArray bytes;
        for (int c = 0; c < 256; ++c)
            if (c != '\r' && c != '\n')
                bytes += char(c);
        const QByteArray longLine(100000, 'x');
        TestEnvironment env;
        const QString path =
            env.writeFile(QStringLiteral("a.cfg"), bytes + "\r\n" + longLine + "\n\rlast");
        const QStringList lines = TextFile::readLines(path);
        QCOMPARE(lines, (QStringList{QString::fromLatin1(bytes), QString::fromLatin1(longLine),
                                     QStringLiteral("\rlast")}));
        TextFile::writeLines(path, lines, QStringLiteral("\r\n"));
        QCOMPARE(env.readFile(path), bytes + "\r\n" + longLine + "\r\n\rlast\r\n");
    }

    void writesTheCallersEnding() {
        TestEnvironment env;
        const QString path = env.writeFile(QStringLiteral("b.sh"), QByteArray(1000, 'o'));
        TextFile::writeLines(path, {QStringLiteral("a"), QString()}, QStringLiteral("\n"));
        QCOMPARE(env.readFile(path), QByteArray("a\n\n"));
        TextFile::writeLines(path, {}, QStringLiteral("\r\n"));
        QVERIFY(QFile::exists(path));
        QCOMPARE(env.readFile(path), QByteArray());
        // Latin-1 text as it is; a character beyond it as "?".
        TextFile::writeLines(path, {QString::fromUtf8("caf\u00e9 \u20ac\U0001F600.")},
                             QStringLiteral("\r\n"));
        QCOMPARE(env.readFile(path), QByteArray("caf\xe9 ??\?.\r\n"));
    }

    void readFailures_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing file") << "none.cfg";
        QTest::newRow("directory") << "quake2";
        QTest::newRow("FIFO, which would block") << "pipe.cfg";
        QTest::newRow("device that never ends") << "zero.cfg";
        QTest::newRow("link in a loop") << "loop.cfg";
    }
    void readFailures() {
        QFETCH(QString, name);
        TestEnvironment env;
        QDir::setCurrent(env.root()); // a relative name is reported in full
        QVERIFY(::mkfifo("pipe.cfg", 0644) == 0);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), QStringLiteral("zero.cfg")));
        QVERIFY(QFile::link(QStringLiteral("loop.cfg"), QStringLiteral("loop.cfg")));
        try {
            TextFile::readLines(name);
            QFAIL("no error");
        } catch (const VexaError& e) {
            QCOMPARE(e.message(), QStringLiteral("Cannot open file ") + env.root() + '/' + name);
        }
    }

    void writeFailuresKeepTheOldFile_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("readOnly");
        QTest::newRow("read-only file") << "dir/a.cfg"
                                        << "dir/a.cfg";
        QTest::newRow("read-only directory") << "dir/a.cfg"
                                             << "dir";
        QTest::newRow("missing directory") << "nowhere/a.cfg"
                                           << "";
    }
    void writeFailuresKeepTheOldFile() {
        QFETCH(QString, fileName);
        QFETCH(QString, readOnly);
        TestEnvironment env;
        env.writeFile(QStringLiteral("dir/a.cfg"), "old\r\n");
        const QString path = env.root() + '/' + fileName;
        const QString protectedPath = env.root() + '/' + readOnly;
        const auto oldPermissions = QFile::permissions(protectedPath);
        if (!readOnly.isEmpty())
            QFile::setPermissions(protectedPath, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QString message;
        try {
            TextFile::writeLines(path, {QStringLiteral("new")}, QStringLiteral("\r\n"));
        } catch (const VexaError& e) {
            message = e.message();
        }
        if (!readOnly.isEmpty())
            QFile::setPermissions(protectedPath, oldPermissions);
        QCOMPARE(message, QStringLiteral("Cannot create file ") + path);
        QCOMPARE(env.readFile(env.root() + QStringLiteral("/dir/a.cfg")), QByteArray("old\r\n"));
        QCOMPARE(QDir(env.root() + QStringLiteral("/dir")).entryList(QDir::Files),
                 QStringList{"a.cfg"});
    }

    // Text holding file names: UTF-8 as the system spells them, an older Latin-1 file read as
    // Latin-1; the game's 8-bit text keeps one byte per character, '?' beyond Latin-1.
    void encodings_data() {
        QTest::addColumn<int>("encoding");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("read");
        QTest::addColumn<QByteArray>("written");
        const int utf8 = int(TextEncoding::Utf8);
        QTest::newRow("UTF-8") << utf8 << QByteArray("j\xc3\xb6rg \xd0\x9a")
                               << QStringLiteral(u"j\u00f6rg \u041a")
                               << QByteArray("j\xc3\xb6rg \xd0\x9a\n");
        QTest::newRow("UTF-8 file in Latin-1")
            << utf8 << QByteArray("j\xf6rg") << QStringLiteral(u"j\u00f6rg")
            << QByteArray("j\xc3\xb6rg\n");
        QTest::newRow("Latin-1") << int(TextEncoding::Latin1) << QByteArray("\xc3\xb6")
                                 << QStringLiteral(u"\u00c3\u00b6") << QByteArray("\xc3\xb6\n");
    }
    void encodings() {
        QFETCH(int, encoding);
        QFETCH(QByteArray, file);
        QFETCH(QString, read);
        TestEnvironment env;
        const QString path = env.writeFile(QStringLiteral("vexa.sh"), file);
        QCOMPARE(TextFile::readLines(path, TextEncoding(encoding)), QStringList{read});
        TextFile::writeLines(path, {read}, QStringLiteral("\n"), TextEncoding(encoding));
        QTEST(env.readFile(path), "written");
        TextFile::writeLines(path, {QStringLiteral(u"\u041a")}, QStringLiteral("\n"));
        QCOMPARE(env.readFile(path), QByteArray("?\n"));
    }
};

VEXA_TEST(TestTextFile)
#include "tst_textfile.moc"
