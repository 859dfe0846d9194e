#include "platform/JpegImage.h"
#include "platform/VexaError.h"
#include "support/TestRegistry.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Tiny pictures made once with an image tool: 16 x 8 with a red left half (224, 32, 16) and a
// blue right half (16, 64, 208); the grey one is 51 on the left and 204 on the right; the
// progressive one is 24 x 16, red at the top fading to blue at the bottom.
const QByteArray rgbJpeg = QByteArray::fromBase64(
    "/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDAAIBAQEBAQIBAQECAgICAgQDAgICAgUEBAMEBgUGBgYFBgYGBwkIBgcJBwYG"
    "CAsICQoKCgoKBggLDAsKDAkKCgr/2wBDAQICAgICAgUDAwUKBwYHCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoK"
    "CgoKCgoKCgoKCgoKCgoKCgoKCgr/wAARCAAIABADAREAAhEBAxEB/8QAFQABAQAAAAAAAAAAAAAAAAAABwj/xAAUEAEA"
    "AAAAAAAAAAAAAAAAAAAA/8QAFgEBAQEAAAAAAAAAAAAAAAAACQgK/8QAFBEBAAAAAAAAAAAAAAAAAAAAAP/aAAwDAQAC"
    "EQMRAD8Al9L5hBOeBnrf/9k=");
const QByteArray grayJpeg = QByteArray::fromBase64(
    "/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDAAIBAQEBAQIBAQECAgICAgQDAgICAgUEBAMEBgUGBgYFBgYGBwkIBgcJBwYG"
    "CAsICQoKCgoKBggLDAsKDAkKCgr/wAALCAAIABABAREA/8QAFQABAQAAAAAAAAAAAAAAAAAACQr/xAAUEAEAAAAAAAAA"
    "AAAAAAAAAAAA/9oACAEBAAA/ADLUyP/Z");
const QByteArray cmykJpeg = QByteArray::fromBase64(
    "/9j/7gAOQWRvYmUAZAAAAAAC/9sAQwACAQEBAQECAQEBAgICAgIEAwICAgIFBAQDBAYFBgYGBQYGBgcJCAYHCQcGBggL"
    "CAkKCgoKCgYICwwLCgwJCgoK/9sAQwECAgICAgIFAwMFCgcGBwoKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoK"
    "CgoKCgoKCgoKCgoKCgoKCgoK/8AAFAgACAAQBAERAAIRAQMRAQQRAP/EABUAAQEAAAAAAAAAAAAAAAAAAAcJ/8QAFBAB"
    "AAAAAAAAAAAAAAAAAAAAAP/EABYBAQEBAAAAAAAAAAAAAAAAAAoICf/EABQRAQAAAAAAAAAAAAAAAAAAAAD/2gAOBAEA"
    "AhEDEQQAAD8AcFcMQ1gCQN+TQP3/2Q==");
const QByteArray progressiveJpeg = QByteArray::fromBase64(
    "/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDAAMCAgMCAgMDAwMEAwMEBQgFBQQEBQoHBwYIDAoMDAsKCwsNDhIQDQ4RDgsL"
    "EBYQERMUFRUVDA8XGBYUGBIUFRT/2wBDAQMEBAUEBQkFBQkUDQsNFBQUFBQUFBQUFBQUFBQUFBQUFBQUFBQUFBQUFBQU"
    "FBQUFBQUFBQUFBQUFBQUFBQUFBT/wgARCAAQABgDAREAAhEBAxEB/8QAFgABAQEAAAAAAAAAAAAAAAAAAAQG/8QAFgEB"
    "AQEAAAAAAAAAAAAAAAAAAAcF/9oADAMBAAIQAxAAAAHBZ9YAgqsgA//EABUQAQEAAAAAAAAAAAAAAAAAAAAS/9oACAEB"
    "AAEFArWta1v/xAAWEQADAAAAAAAAAAAAAAAAAAAAFWH/2gAIAQMBAT8BaUaUaUaUaUaU/8QAFhEAAwAAAAAAAAAAAAAA"
    "AAAAABVh/9oACAECAQE/AVsFsFsFsFsFsP/EABQQAQAAAAAAAAAAAAAAAAAAACD/2gAIAQEABj8CX//EABYQAQEBAAAA"
    "AAAAAAAAAAAAAABxEP/aAAgBAQABPyHRSlP/2gAMAwEAAgADAAAAELa2/wD/xAAUEQEAAAAAAAAAAAAAAAAAAAAg/9oA"
    "CAEDAQE/EFVV/8QAFBEBAAAAAAAAAAAAAAAAAAAAIP/aAAgBAgEBPxBVVf/EABYQAQEBAAAAAAAAAAAAAAAAAHEAIP/a"
    "AAgBAQABPxBzngD/2Q==");

const QString invalidPrefix = QStringLiteral("Invalid picture data");

bool near(QRgb actual, QColor expected) {
    const int tolerance = 12;
    return qAbs(qRed(actual) - expected.red()) <= tolerance &&
           qAbs(qGreen(actual) - expected.green()) <= tolerance &&
           qAbs(qBlue(actual) - expected.blue()) <= tolerance;
}

// Damaged input must end in one of two ways: a picture, or a VexaError with our message.
// Anything else (a crash, exit(), another exception) fails the run.
bool decodesOrRefuses(const QByteArray& data, QString* failure) {
    try {
        const QImage image = decodeJpeg(data);
        if (image.isNull())
            *failure = QStringLiteral("null picture returned without an error");
        return !image.isNull();
    } catch (const VexaError& e) {
        if (!e.message().startsWith(invalidPrefix))
            *failure = QStringLiteral("unexpected message: ") + e.message();
        return failure->isEmpty();
    }
}

// Offset of the first byte after the start-of-scan header: the compressed picture data.
qsizetype scanDataStart(const QByteArray& jpeg) {
    const qsizetype sos = jpeg.indexOf(QByteArray("\xff\xda", 2));
    const int length = (static_cast<uchar>(jpeg[sos + 2]) << 8) | static_cast<uchar>(jpeg[sos + 3]);
    return sos + 2 + length;
}

// Offset of the start-of-frame height field (baseline or progressive frame).
qsizetype frameSizeOffset(const QByteArray& jpeg) {
    qsizetype sof = jpeg.indexOf(QByteArray("\xff\xc0", 2));
    if (sof < 0)
        sof = jpeg.indexOf(QByteArray("\xff\xc2", 2));
    return sof + 5;
}

} // namespace

class TestJpeg : public QObject {
    Q_OBJECT

private slots:
    void decodesEveryColourLayout_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("firstPoint");
        QTest::addColumn<QColor>("firstColour");
        QTest::addColumn<QPoint>("secondPoint");
        QTest::addColumn<QColor>("secondColour");
        const QColor red(224, 32, 16), blue(16, 64, 208);
        QTest::newRow("rgb") << rgbJpeg << QSize(16, 8) << QPoint(2, 4) << red << QPoint(13, 4)
                             << blue;
        QTest::newRow("grey") << grayJpeg << QSize(16, 8) << QPoint(2, 4) << QColor(51, 51, 51)
                              << QPoint(13, 4) << QColor(204, 204, 204);
        QTest::newRow("cmyk") << cmykJpeg << QSize(16, 8) << QPoint(2, 4) << red << QPoint(13, 4)
                              << blue;
        QTest::newRow("progressive")
            << progressiveJpeg << QSize(24, 16) << QPoint(12, 0) << red << QPoint(12, 15) << blue;
    }
    void decodesEveryColourLayout() {
        QFETCH(QByteArray, data);
        QFETCH(QSize, size);
        QFETCH(QPoint, firstPoint);
        QFETCH(QColor, firstColour);
        QFETCH(QPoint, secondPoint);
        QFETCH(QColor, secondColour);
        const QImage image = decodeJpeg(data);
        QCOMPARE(image.size(), size);
        QCOMPARE(image.format(), QImage::Format_RGB32);
        const QRgb first = image.pixel(firstPoint), second = image.pixel(secondPoint);
        QVERIFY2(near(first, firstColour), qPrintable(QColor(first).name()));
        QVERIFY2(near(second, secondColour), qPrintable(QColor(second).name()));
    }

    // libjpeg on its own pads a cut-off picture with grey and calls it a success.
    void refusesEveryTruncation_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("rgb") << rgbJpeg;
        QTest::newRow("grey") << grayJpeg;
        QTest::newRow("cmyk") << cmykJpeg;
        QTest::newRow("progressive") << progressiveJpeg;
    }
    void refusesEveryTruncation() {
        QFETCH(QByteArray, data);
        for (qsizetype length = 0; length < data.size(); ++length) {
            try {
                decodeJpeg(data.left(length));
                QFAIL(qPrintable(
                    QStringLiteral("accepted %1 of %2 bytes").arg(length).arg(data.size())));
            } catch (const VexaError& e) {
                QVERIFY2(e.message().startsWith(invalidPrefix + QStringLiteral(": ")),
                         qPrintable(e.message()));
            }
        }
    }

    void refusesGarbage_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("reason");
        QRandomGenerator random(20260101);
        auto noise = [&random](int size) {
            QByteArray bytes(size, '\0');
            for (char& c : bytes)
                c = static_cast<char>(random.bounded(256));
            return bytes;
        };
        QTest::newRow("empty") << QByteArray() << QStringLiteral("Empty input");
        QTest::newRow("one byte") << QByteArray("\xff", 1) << QString();
        QTest::newRow("text") << QByteArray("GIF89a not a picture") << QStringLiteral("Not a JPEG");
        QTest::newRow("noise") << noise(4096) << QString();
        QTest::newRow("start marker then noise")
            << QByteArray("\xff\xd8\xff", 3) + noise(2048) << QString();
        QTest::newRow("header then noise")
            << rgbJpeg.left(scanDataStart(rgbJpeg) - 20) + noise(2048) << QString();
        QTest::newRow("only markers") << QByteArray(64, '\xff') << QString();
    }
    void refusesGarbage() {
        QFETCH(QByteArray, data);
        QFETCH(QString, reason);
        try {
            decodeJpeg(data);
            QFAIL("garbage decoded");
        } catch (const VexaError& e) {
            QVERIFY2(e.message().startsWith(invalidPrefix + QStringLiteral(": ") + reason),
                     qPrintable(e.message()));
        }
    }

    void refusesImpossibleFrameSizes_data() {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("reason");
        QTest::newRow("huge") << 20000 << 20000 << QStringLiteral("too large");
        QTest::newRow("zero width") << 8 << 0 << QString();
        QTest::newRow("zero height") << 0 << 16 << QString();
    }
    void refusesImpossibleFrameSizes() {
        QFETCH(int, height);
        QFETCH(int, width);
        QFETCH(QString, reason);
        QByteArray data = rgbJpeg;
        const qsizetype at = frameSizeOffset(data);
        data[at] = static_cast<char>(height >> 8);
        data[at + 1] = static_cast<char>(height & 0xff);
        data[at + 2] = static_cast<char>(width >> 8);
        data[at + 3] = static_cast<char>(width & 0xff);
        try {
            decodeJpeg(data);
            QFAIL("impossible frame decoded");
        } catch (const VexaError& e) {
            QVERIFY2(e.message().startsWith(invalidPrefix), qPrintable(e.message()));
            QVERIFY2(e.message().contains(reason), qPrintable(e.message()));
        }
    }

    // Damage anywhere in the file, one byte at a time, and scramble the compressed data.
    void survivesDamage_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("rgb") << rgbJpeg;
        QTest::newRow("cmyk") << cmykJpeg;
        QTest::newRow("progressive") << progressiveJpeg;
    }
    void survivesDamage() {
        QFETCH(QByteArray, data);
        QString failure;
        for (qsizetype i = 0; i < data.size(); ++i) {
            for (const char value : {'\x00', '\xff', '\x5a'}) {
                QByteArray damaged = data;
                damaged[i] = static_cast<char>(damaged[i] ^ value ^ '\x01');
                decodesOrRefuses(damaged, &failure);
                QVERIFY2(failure.isEmpty(),
                         qPrintable(QStringLiteral("byte %1: ").arg(i) + failure));
            }
        }
        QRandomGenerator random(7);
        const qsizetype scan = scanDataStart(data);
        for (int round = 0; round < 200; ++round) {
            QByteArray damaged = data;
            for (qsizetype i = scan; i < damaged.size() - 2; ++i)
                damaged[i] = static_cast<char>(random.bounded(256));
            decodesOrRefuses(damaged, &failure);
            QVERIFY2(failure.isEmpty(), qPrintable(failure));
        }
    }

    void loadsFromFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("picture.jpg"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(rgbJpeg);
        file.close();
        QCOMPARE(loadJpeg(path).size(), QSize(16, 8));
    }

    // What stands at the path: nothing, a folder, or a file with the given content.
    void refusesUnreadableFiles_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        const QString cannotOpen = QStringLiteral("Cannot open file %1");
        const QString invalid = QStringLiteral("Invalid picture data in %1: ");
        QTest::newRow("missing") << QStringLiteral("nothing") << QByteArray() << cannotOpen;
        QTest::newRow("directory") << QStringLiteral("folder") << QByteArray() << cannotOpen;
        QTest::newRow("damaged") << QStringLiteral("file") << rgbJpeg.left(200) << invalid;
        QTest::newRow("empty") << QStringLiteral("file") << QByteArray() << invalid;
    }
    void refusesUnreadableFiles() {
        QFETCH(QString, entry);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("picture.jpg"));
        if (entry == QStringLiteral("folder")) {
            QVERIFY(QDir().mkdir(path));
        } else if (entry == QStringLiteral("file")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        try {
            loadJpeg(path);
            QFAIL("unreadable file decoded");
        } catch (const VexaError& e) {
            QVERIFY2(e.message().startsWith(message.arg(path)), qPrintable(e.message()));
        }
    }
};

VEXA_TEST(TestJpeg)
#include "tst_jpeg.moc"
