#include "app/AboutDialog.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

namespace {

const char* const labelNames[] = {"lblCredit", "lblContact", "lblWeb", "lblYear"};

QList<QLabel*> labelsTopToBottom(const AboutDialog& box) {
    QList<QLabel*> labels;
    for (const char* name : labelNames)
        labels << box.findChild<QLabel*>(QString::fromLatin1(name));
    return labels;
}

bool near(QRgb a, QRgb b, int tolerance) {
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance &&
           qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

// A picture file the box is told to show instead of its own.
QString writePicture(const QTemporaryDir& dir, const QByteArray& content) {
    const QString path = dir.filePath(QStringLiteral("about.jpg"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    return path;
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void frame() {
        AboutDialog box;
        QCOMPARE(box.objectName(), QStringLiteral("frmAbout"));
        QCOMPARE(box.windowTitle(), QStringLiteral("About"));
        QCOMPARE(box.size(), QSize(435, 393));
        QCOMPARE(box.minimumSize(), QSize(275, 215));
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(box.size(), QSize(435, 393));
        box.resize(200, 100);
        QCOMPARE(box.size(), QSize(275, 215));
        box.resize(900, 700);
        QCOMPARE(box.size(), QSize(900, 700));
    }

    void texts() {
        AboutDialog box;
        const QList<QLabel*> labels = labelsTopToBottom(box);
        for (int i = 0; i < labels.size(); ++i)
            QVERIFY2(labels[i], labelNames[i]);
        QVERIFY(labels[0]->text().contains(QStringLiteral("Vexa")));
        QVERIFY(labels[1]->text().contains(
            QRegularExpression(QStringLiteral("\\b[\\w.]+@[\\w-]+(\\.[\\w-]+)+\\b"))));
        QCOMPARE(labels[2]->text().count(QRegularExpression(QStringLiteral("https://\\S+"))), 2);
        QVERIFY(labels[3]->text().contains(QStringLiteral("2026")));
    }

    // At every size the four lines stay centred, in order, apart, uncut and on the picture.
    void layout_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("initial") << QSize(435, 393);
        QTest::newRow("smallest") << QSize(275, 215);
        QTest::newRow("large") << QSize(900, 700);
    }
    void layout() {
        QFETCH(QSize, size);
        AboutDialog box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        box.resize(size);
        QTRY_COMPARE(box.size(), size);
        const QList<QLabel*> labels = labelsTopToBottom(box);
        int previousBottom = -1;
        for (QLabel* label : labels) {
            const QRect r = label->geometry();
            const QString where =
                label->objectName() + QStringLiteral(" at ") +
                QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
            QVERIFY2(label->isVisible(), qPrintable(where));
            QVERIFY2(label->alignment() & Qt::AlignHCenter, qPrintable(where));
            QVERIFY2(qAbs(r.center().x() * 2 + 1 - box.width()) <= 2, qPrintable(where));
            QVERIFY2(box.rect().contains(r), qPrintable(where));
            QVERIFY2(r.top() > previousBottom, qPrintable(where));
            QVERIFY2(r.height() >= label->heightForWidth(r.width()), qPrintable(where));
            QVERIFY2(!label->autoFillBackground(), qPrintable(where));
            QVERIFY2(label->palette().color(QPalette::WindowText).lightness() > 160,
                     qPrintable(where));
            previousBottom = r.bottom();
        }
        QVERIFY(labels.last()->geometry().bottom() > box.height() * 3 / 4);
        // a web address is never broken across lines
        const QLabel* web = labels[2];
        for (const QString& line : web->text().split(QLatin1Char('\n')))
            QVERIFY2(web->fontMetrics().horizontalAdvance(line) <= web->width(), qPrintable(line));
    }

    void pictureFillsTheBox_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("initial") << QSize(435, 393);
        QTest::newRow("smallest") << QSize(275, 215);
        QTest::newRow("wide") << QSize(800, 400);
    }
    void pictureFillsTheBox() {
        QFETCH(QSize, size);
        AboutDialog box;
        QVERIFY2(box.pictureError().isEmpty(), qPrintable(box.pictureError()));
        QCOMPARE(box.picture().size(), QSize(435, 393));
        box.resize(size);
        const QImage shown = box.grab().toImage();
        const QImage expected =
            box.picture().scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        // Points in the upper part and the corners, away from the text.
        for (const QPointF at : {QPointF(0.02, 0.02), QPointF(0.3, 0.15), QPointF(0.5, 0.25),
                                 QPointF(0.9, 0.4), QPointF(0.97, 0.97), QPointF(0.03, 0.9)}) {
            const QPoint p(qRound(at.x() * (size.width() - 1)),
                           qRound(at.y() * (size.height() - 1)));
            QVERIFY2(near(shown.pixel(p), expected.pixel(p), 24),
                     qPrintable(QStringLiteral("%1,%2: %3 instead of %4")
                                    .arg(p.x())
                                    .arg(p.y())
                                    .arg(QColor(shown.pixel(p)).name(),
                                         QColor(expected.pixel(p)).name())));
        }
    }

    void unusablePictureLeavesADarkBox_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("error");
        QTest::newRow("damaged") << QByteArray("\xff\xd8\xff\xe0 broken", 10) << true
                                 << QStringLiteral("Invalid picture data in ");
        QTest::newRow("missing") << QByteArray() << false << QStringLiteral("Cannot open file ");
    }
    void unusablePictureLeavesADarkBox() {
        QFETCH(QByteArray, content);
        QFETCH(bool, exists);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString path =
            exists ? writePicture(dir, content) : dir.filePath(QStringLiteral("none.jpg"));
        AboutDialog box(nullptr, path);
        QVERIFY2(box.pictureError().startsWith(error + path), qPrintable(box.pictureError()));
        QVERIFY(box.picture().isNull());
        const QImage shown = box.grab().toImage();
        QVERIFY(qGray(shown.pixel(2, 2)) < 40);
        QVERIFY(qGray(shown.pixel(box.width() - 3, box.height() - 3)) < 40);
        QCOMPARE(labelsTopToBottom(box).size(), 4);
    }

    void escapeCloses() {
        AboutDialog box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTest::keyClick(&box, Qt::Key_Escape);
        QVERIFY(!box.isVisible());
    }

    void centred() {
        AboutDialog alone;
        alone.show();
        QVERIFY(QTest::qWaitForWindowExposed(&alone));
        const QRect screen = alone.screen()->availableGeometry();
        QVERIFY((alone.frameGeometry().center() - screen.center()).manhattanLength() <= 2);

        QWidget owner;
        owner.setGeometry(screen.x() + 20, screen.y() + 30, 600, 500);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        AboutDialog over(&owner);
        over.show();
        QVERIFY(QTest::qWaitForWindowExposed(&over));
        QVERIFY(
            (over.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength() <=
            2);
    }
};

VEXA_TEST(TestAbout)
#include "tst_about.moc"
