#include "CfgWindowFixture.h"

#include "platform/VexaError.h"
#include "support/TestRegistry.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTest>

namespace {

// Reading a config takes a bounded time: linear work on these sizes ends well within this.
constexpr qint64 Patience = 60000;

// Loads `text` and reports the error it gave, if any, and how long it took.
QString loadTimed(CfgWindowFixture& f, const QByteArray& text, qint64& ms) {
    QElapsedTimer timer;
    timer.start();
    QString error;
    try {
        f.load(text);
    } catch (const VexaError& e) {
        error = e.message();
    }
    ms = timer.elapsed();
    return error;
}

QByteArray settingsAtTheEnd() {
    return "set name \"Last\"\r\nbind MOUSE1 \"+attack\"\r\nset fov \"110\"\r\n";
}

} // namespace

// Configs no person would write: huge, binary, with endless lines. They load in linear time,
// the settings they hold still arrive, and the next save writes a whole file.
class TstHostileConfig : public QObject {
    Q_OBJECT

private slots:
    void bigConfig_data() {
        QTest::addColumn<QByteArray>("filler"); // one line, repeated
        QTest::addColumn<int>("count");
        QTest::newRow("50 MB of comments")
            << QByteArray("// " + QByteArray(45, 'c') + "\r\n") << 1000000;
        QTest::newRow("10,000 bindings of one command")
            << QByteArray("bind K \"+attack\"\r\n") << 10000;
        QTest::newRow("lines of 1 MB")
            << QByteArray("set name" + QByteArray(1 << 20, ' ') + "x\n") << 8;
    }
    void bigConfig() {
        QFETCH(QByteArray, filler);
        QFETCH(int, count);
        CfgWindowFixture f;
        qint64 ms = 0;
        const QString error = loadTimed(f, filler.repeated(count) + settingsAtTheEnd(), ms);
        qInfo("read in %lld ms", ms);
        QCOMPARE(error, QString());
        QVERIFY(ms < Patience);
        QCOMPARE(f.w().configLines().size(), count + 3);
        QCOMPARE(f.w().generalPage()->playerName()->text(), QStringLiteral("Last"));
        QCOMPARE(f.spin("fov")->supValue(), 110);
        const QStringList attack = keySlots(*f.binding("+attack"));
        QCOMPARE(attack.first(), filler.startsWith("bind") ? "K" : "MOUSE1");
        // The comments come back as they were, before the window's lines.
        const QByteArray saved = f.save();
        QVERIFY(saved.startsWith(filler.startsWith("//") ? filler : "set name \"Last\"\r\n"));
        QVERIFY(saved.contains("set name \"Last\"\r\n"));
        QVERIFY(saved.endsWith("//              Taskel\r\n"));
    }

    // Random bytes: the read ends in a clear message or applies what it understood; the window
    // stays usable and writes a proper file.
    void binaryConfig() {
        QByteArray bytes(4 << 20, Qt::Uninitialized);
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
        CfgWindowFixture f;
        qint64 ms = 0;
        const QString error = loadTimed(f, bytes, ms);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(ms < Patience);
        f.w().generalPage()->playerName()->setText(QStringLiteral("Player"));
        const QByteArray saved = f.save();
        QVERIFY(saved.contains("set name \"Player\"\r\n"));
        QVERIFY(saved.endsWith("//              Taskel\r\n"));
    }

    // 8-bit text (Latin-1 or broken UTF-8) and NUL bytes in a value come back as they were.
    void eightBitValuesRoundTrip() {
        const QByteArray name = QByteArray("\xc3\x28\xe9\xa0\xff\0\x01", 7);
        CfgWindowFixture f;
        f.load("set name \"" + name + "\"\r\nset skin \"m\xe4le/gr\xfcnt\"\r\n");
        const QByteArray saved = f.save();
        QVERIFY2(saved.startsWith("set name \"" + name + "\"\r\nset skin \"m\xe4le/gr\xfcnt\"\r\n"),
                 saved.left(60).toHex(' ').constData());
    }
};

VEXA_TEST(TstHostileConfig)
#include "tst_hostileconfig.moc"
