#include "controls/ControlParts.h"
#include "platform/VexaError.h"
#include "support/TestRegistry.h"

#include <QLabel>
#include <QTest>

class TestControlParts : public QObject {
    Q_OBJECT
private slots:
    void roundHalfEven_data();
    void roundHalfEven();
    void labelPlacement_data();
    void labelPlacement();
    void placeLabelSizesToTextFirst();
    void placeLabelAcrossParents();
    void pointerPlacement_data();
    void pointerPlacement();
    void placementInside_data();
    void placementInside();
};

void TestControlParts::roundHalfEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("1.5") << 1.5 << 2;
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("3.5") << 3.5 << 4;
    QTest::newRow("6.5") << 6.5 << 6;
    QTest::newRow("10.5") << 10.5 << 10;
    QTest::newRow("-0.5") << -0.5 << 0;
    QTest::newRow("-1.5") << -1.5 << -2;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("2.49") << 2.49 << 2;
    QTest::newRow("2.51") << 2.51 << 3;
    QTest::newRow("-2.51") << -2.51 << -3;
    QTest::newRow("11") << 11.0 << 11;
}

void TestControlParts::roundHalfEven() {
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(::roundHalfEven(value), expected);
}

void TestControlParts::labelPlacement_data() {
    QTest::addColumn<QRect>("control");
    QTest::addColumn<QSize>("label");
    QTest::addColumn<int>("position");
    QTest::addColumn<QPoint>("expected");
    const QRect spin(100, 50, 55, 22);
    const QSize label(40, 13);
    QTest::newRow("top") << spin << label << int(PosTop) << QPoint(100, 37);
    QTest::newRow("bottom") << spin << label << int(PosBottom) << QPoint(100, 72);
    QTest::newRow("left, 22 high: T+11-6") << spin << label << int(PosLeft) << QPoint(58, 55);
    QTest::newRow("right, 22 high: T+11-6") << spin << label << int(PosRight) << QPoint(157, 55);
    QTest::newRow("left, 21 high: T+10-6")
        << QRect(100, 50, 121, 21) << label << int(PosLeft) << QPoint(58, 54);
    QTest::newRow("right, 23 high: T+12-6")
        << QRect(100, 50, 55, 23) << label << int(PosRight) << QPoint(157, 56);
    QTest::newRow("left, 25 high, label 15: T+12-8")
        << QRect(100, 50, 55, 25) << QSize(40, 15) << int(PosLeft) << QPoint(58, 54);
    QTest::newRow("left beyond the parent's edge")
        << QRect(10, 0, 55, 22) << label << int(PosLeft) << QPoint(-32, 5);
}

void TestControlParts::labelPlacement() {
    QFETCH(QRect, control);
    QFETCH(QSize, label);
    QFETCH(int, position);
    QFETCH(QPoint, expected);
    QCOMPARE(::labelPlacement(control, label, LabelPosition(position)), expected);
}

void TestControlParts::placeLabelSizesToTextFirst() {
    QWidget parent;
    QWidget control(&parent);
    control.setGeometry(200, 40, 55, 22);
    QLabel label(QStringLiteral("Field of Vision"), &parent);
    label.resize(1, 1);
    placeLabel(control, label, PosLeft);
    QCOMPARE(label.size(), label.sizeHint());
    QCOMPARE(label.pos(), ::labelPlacement(control.geometry(), label.size(), PosLeft));
    QCOMPARE(label.geometry().right(), 200 - 3);
}

void TestControlParts::placeLabelAcrossParents() {
    QWidget window;
    QWidget group(&window);
    group.setGeometry(30, 20, 300, 200);
    QWidget control(&group);
    control.setGeometry(10, 40, 55, 22);
    QLabel label(QStringLiteral("X"), &window);
    placeLabel(control, label, PosTop);
    QCOMPARE(label.pos(), QPoint(40, 60 - label.height()));
}

void TestControlParts::pointerPlacement_data() {
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QPoint>("expected");
    const QRect screen(0, 0, 1024, 768);
    // The dialog is 380 x 320 throughout.
    QTest::newRow("top-left corner: at the pointer") << QPoint(3, 4) << screen << QPoint(3, 4);
    QTest::newRow("middle: at the pointer") << QPoint(300, 200) << screen << QPoint(300, 200);
    QTest::newRow("bottom-right corner: above and left")
        << QPoint(1020, 760) << screen << QPoint(640, 440);
    QTest::newRow("near the bottom only: above") << QPoint(100, 700) << screen << QPoint(100, 380);
    QTest::newRow("near the right only: left") << QPoint(900, 10) << screen << QPoint(520, 10);
    QTest::newRow("exactly fits: stays") << QPoint(644, 448) << screen << QPoint(644, 448);
    QTest::newRow("one pixel over: moves") << QPoint(645, 449) << screen << QPoint(265, 129);
    QTest::newRow("screen too small: clamped to 0")
        << QPoint(200, 150) << QRect(0, 0, 300, 250) << QPoint(0, 0);
    QTest::newRow("second screen: its own edges")
        << QPoint(1900, 1000) << QRect(1024, 0, 1000, 1050) << QPoint(1520, 680);
    QTest::newRow("second screen, too small: its left edge")
        << QPoint(1100, 100) << QRect(1024, 0, 300, 1050) << QPoint(1024, 100);
}

void TestControlParts::pointerPlacement() {
    QFETCH(QPoint, pointer);
    QFETCH(QRect, screen);
    QFETCH(QPoint, expected);
    QCOMPARE(::pointerPlacement(pointer, QSize(380, 320), screen), expected);
}

void TestControlParts::placementInside_data() {
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QPoint>("expected");
    // On a 1366 x 768 screen whose task bar takes the top 30 pixels.
    QTest::newRow("inside: stays") << QRect(100, 100, 400, 300) << QPoint(100, 100);
    QTest::newRow("below the bottom: up") << QRect(425, 342, 320, 620) << QPoint(425, 148);
    QTest::newRow("past the right: left") << QRect(1200, 100, 400, 300) << QPoint(966, 100);
    QTest::newRow("under the task bar: down") << QRect(-50, 0, 400, 300) << QPoint(0, 30);
    QTest::newRow("taller than the screen: title on it")
        << QRect(10, 200, 400, 900) << QPoint(10, 30);
}

void TestControlParts::placementInside() {
    QFETCH(QRect, frame);
    QFETCH(QPoint, expected);
    QCOMPARE(::placementInside(frame, QRect(0, 30, 1366, 738)), expected);
}

VEXA_TEST(TestControlParts)
#include "tst_controlparts.moc"
