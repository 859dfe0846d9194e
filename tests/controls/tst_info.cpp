#include "InfoProbe.h"
#include "controls/ControlParts.h"
#include "support/TestRegistry.h"

#include <QCursor>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTest>

class TestInfo : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void frame();
    void everythingFitsWithoutOverlap();
    void edit1HoldsTheFocus();
    void commandPassesTheFocusOn();
    void filling_data();
    void filling();
    void notesKeepTheirLines();
    void deletedAfterClosing();
    void opensAtThePointer_data();
    void opensAtThePointer();

private:
    QFont oldFont_;
};

void TestInfo::initTestCase() {
    oldFont_ = QApplication::font();
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
}

void TestInfo::cleanupTestCase() {
    QApplication::setFont(oldFont_);
}

void TestInfo::frame() {
    SettingInfoDialog info;
    QCOMPARE(info.objectName(), QStringLiteral("frmInfo"));
    QCOMPARE(info.size(), QSize(371, 290));
    QCOMPARE(info.minimumSize(), info.maximumSize());
    const Qt::WindowFlags flags = info.windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));
    QStringList labels;
    for (auto* label : info.findChildren<QLabel*>())
        labels << label->text();
    labels.sort();
    QCOMPARE(labels, QStringList({"Additional Notes", "Command", "Current Values", "Default",
                                  "Description", "Value 1", "Value 2", "Value 3", "Value 4"}));
    for (auto* edit : info.findChildren<QLineEdit*>())
        QVERIFY2(edit->isReadOnly(), qPrintable(edit->objectName()));
    QVERIFY(info.notesText()->isReadOnly());
    QCOMPARE(info.notesText()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(info.descriptionText()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

void TestInfo::everythingFitsWithoutOverlap() {
    SettingInfoDialog info;
    info.show();
    QVERIFY(QTest::qWaitForWindowExposed(&info));
    QList<QWidget*> parts;
    for (auto* child : info.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child != info.focusHolder())
            parts << child;
    for (QWidget* part : parts) {
        QVERIFY2(info.rect().contains(part->geometry()), qPrintable(part->objectName()));
        if (qobject_cast<QLineEdit*>(part) || qobject_cast<QLabel*>(part))
            QVERIFY2(part->height() >= part->sizeHint().height(), qPrintable(part->objectName()));
        for (QWidget* other : parts)
            if (other != part)
                QVERIFY2(!part->geometry().intersects(other->geometry()),
                         qPrintable(part->objectName() + " / " + other->objectName()));
    }
    QVERIFY(info.notesText()->height() >= 3 * info.fontMetrics().lineSpacing());
    const int twoLines = 2 * info.descriptionText()->fontMetrics().lineSpacing();
    QVERIFY(info.descriptionText()->viewport()->height() >= twoLines);
    QVERIFY(info.descriptionText()->viewport()->height() < twoLines + 12);
    // Values 1 and 3 in the left column, 2 and 4 in the right.
    QCOMPARE(info.currentBox(0)->x(), info.currentBox(2)->x());
    QCOMPARE(info.currentBox(1)->x(), info.currentBox(3)->x());
    QVERIFY(info.currentBox(1)->x() > info.currentBox(0)->geometry().right());
    QCOMPARE(info.currentBox(0)->y(), info.currentBox(1)->y());
    QVERIFY(info.currentBox(2)->y() > info.currentBox(0)->y());
}

void TestInfo::edit1HoldsTheFocus() {
    SettingInfoDialog info;
    info.show();
    QVERIFY(QTest::qWaitForWindowActive(&info));
    QCOMPARE(QApplication::focusWidget(), info.focusHolder());
    QVERIFY(info.focusHolder()->isReadOnly());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), info.defaultBox());
}

void TestInfo::commandPassesTheFocusOn() {
    SettingInfoDialog info;
    info.show();
    QVERIFY(QTest::qWaitForWindowActive(&info));
    info.currentBox(1)->setFocus();
    QTest::mouseClick(info.commandBox(), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), info.focusHolder());
    info.commandBox()->setFocus();
    QCOMPARE(QApplication::focusWidget(), info.focusHolder());
}

void TestInfo::filling_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("description");
    QTest::newRow("all given") << "fov"
                               << "Field of vision";
    QTest::newRow("no description") << "fov"
                                    << "";
    QTest::newRow("no command") << ""
                                << "Field of vision";
}

void TestInfo::filling() {
    QFETCH(QString, command);
    QFETCH(QString, description);
    QWidget owner;
    InfoContent content{command, "90", {"110", "", "MOUSE2", ""}, description, {}, {}};
    InfoSnapshot shown;
    probeNextInfo(shown);
    showInfoDialog(&owner, content);
    QVERIFY(shown.seen);
    QCOMPARE(shown.title, command);
    QCOMPARE(shown.texts["txtCommand"], command);
    QCOMPARE(shown.texts["txtDefault"], QStringLiteral("90"));
    QCOMPARE(shown.texts["txtCurrent1"], QStringLiteral("110"));
    QCOMPARE(shown.texts["txtCurrent2"], QString());
    QCOMPARE(shown.texts["txtCurrent3"], QStringLiteral("MOUSE2"));
    QCOMPARE(shown.texts["txtCurrent4"], QString());
    QCOMPARE(shown.texts["mmoDescription"], description);
    QCOMPARE(shown.texts["mmoNotes"], QString());
    QCOMPARE(shown.texts["Edit1"], QString());
    QCOMPARE(shown.focus, QStringLiteral("Edit1"));
}

void TestInfo::notesKeepTheirLines() {
    QWidget owner;
    const QStringList notes{"First line", "", "  indented", "last"};
    InfoSnapshot shown;
    probeNextInfo(shown);
    showInfoDialog(&owner, {"cl_run", "No", {"Yes"}, "Always run", notes, {}});
    QVERIFY(shown.seen);
    QCOMPARE(shown.texts["mmoNotes"].split('\n'), notes);
}

void TestInfo::deletedAfterClosing() {
    QWidget owner;
    InfoSnapshot shown;
    probeNextInfo(shown);
    showInfoDialog(&owner, {"fov", "90", {"90"}, "", {}, {}});
    QVERIFY(shown.seen);
    QPointer<SettingInfoDialog> info = owner.findChild<SettingInfoDialog*>();
    QTRY_VERIFY(info.isNull());
}

void TestInfo::opensAtThePointer_data() {
    QTest::addColumn<bool>("bottomRight");
    QTest::newRow("near the top-left corner") << false;
    QTest::newRow("near the bottom-right corner") << true;
}

void TestInfo::opensAtThePointer() {
    QFETCH(bool, bottomRight);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint pointer =
        bottomRight ? screen.bottomRight() - QPoint(10, 10) : screen.topLeft() + QPoint(10, 10);
    QCursor::setPos(pointer);
    if (QCursor::pos() != pointer)
        QSKIP("the platform cannot move the pointer");
    QWidget owner;
    InfoSnapshot shown;
    probeNextInfo(shown);
    showInfoDialog(&owner, {"fov", "90", {"90"}, "", {}, {}});
    QVERIFY(shown.seen);
    QVERIFY(screen.contains(shown.frame));
    if (bottomRight) {
        QCOMPARE(shown.frame.topLeft(),
                 pointer - QPoint(shown.frame.width(), shown.frame.height()));
    } else {
        QCOMPARE(shown.frame.topLeft(), pointer);
    }
}

VEXA_TEST(TestInfo)
#include "tst_info.moc"
