#include "app/Glyphs.h"
#include "platform/JpegImage.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTest>

// The pictures the program ships: each one decodes with our own decoder at the size the windows
// are laid out for, and stays small.
class TestArtwork : public QObject {
    Q_OBJECT

private slots:
    void pictures_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::newRow("logo") << QStringLiteral(":/images/logo.jpg") << QSize(371, 428);
        QTest::newRow("about") << QStringLiteral(":/images/about.jpg") << QSize(435, 393);
        QTest::newRow("sound tab") << QStringLiteral(":/images/tab_sound.jpg") << QSize(200, 150);
        QTest::newRow("menus tab") << QStringLiteral(":/images/tab_menus.jpg") << QSize(200, 150);
    }
    void pictures() {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QCOMPARE(loadJpeg(name).size(), size);
        QVERIFY(QFile(name).size() < 100 * 1024);
    }

    // A glyph is drawn for the screen's scale, not blown up from 16 pixels and blurred.
    void glyphsAreSharpAtEveryScale_data() {
        QTest::addColumn<qreal>("scale");
        for (const qreal scale : {1.0, 1.25, 1.5, 2.0, 3.0})
            QTest::addRow("scale %g", scale) << scale;
    }
    void glyphsAreSharpAtEveryScale() {
        QFETCH(qreal, scale);
        for (const Glyph glyph :
             {Glyph::Edit, Glyph::Save, Glyph::Open, Glyph::Folder, Glyph::Add, Glyph::Delete}) {
            const QPixmap shown = glyphIcon(glyph).pixmap(QSize(16, 16), scale);
            QCOMPARE(shown.size(), QSize(qRound(16 * scale), qRound(16 * scale)));
        }
    }

    void icon() {
        const QImage icon(QStringLiteral(":/vexa.png"));
        QCOMPARE(icon.size(), QSize(64, 64));
        QVERIFY(icon.hasAlphaChannel());
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(icon.pixel(32, 32)), 255);
    }
};

VEXA_TEST(TestArtwork)
#include "tst_artwork.moc"
