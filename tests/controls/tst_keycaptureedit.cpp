#include "MenuEntries.h"
#include "controls/KeyCaptureEdit.h"
#include "support/TestRegistry.h"

#include <QTest>

class TestKeyCaptureEdit : public QObject {
    Q_OBJECT
private slots:
    void construction();
    void popupMadeOnFirstRightPressAndOpensOnThatClick();
    void menuKeyOpensThePopupWithoutPress();
    void popupEntries();
    void choosingAnEntryShowsIt_data();
    void choosingAnEntryShowsIt();
};

void TestKeyCaptureEdit::construction() {
    KeyCaptureEdit box;
    QCOMPARE(box.width(), 85);
    QCOMPARE(box.text(), QString());
    QVERIFY(!box.popupMenu());
}

void TestKeyCaptureEdit::popupMadeOnFirstRightPressAndOpensOnThatClick() {
    KeyCaptureEdit box;
    box.show();
    QTest::mousePress(&box, Qt::LeftButton);
    QTest::mouseRelease(&box, Qt::LeftButton);
    QVERIFY(!box.popupMenu());

    QTest::mousePress(&box, Qt::RightButton);
    QMenu* menu = box.popupMenu();
    QVERIFY(menu);
    QCOMPARE(menu->parent(), &box);
    requestContextMenu(box);
    QVERIFY(menu->isVisible());
    menu->close();

    QTest::mousePress(&box, Qt::RightButton);
    QCOMPARE(box.popupMenu(), menu);
}

void TestKeyCaptureEdit::menuKeyOpensThePopupWithoutPress() {
    KeyCaptureEdit box;
    box.show();
    requestContextMenu(box, QContextMenuEvent::Keyboard);
    QVERIFY(box.popupMenu());
    QVERIFY(box.popupMenu()->isVisible());
    box.popupMenu()->close();
}

void TestKeyCaptureEdit::popupEntries() {
    KeyCaptureEdit box;
    QTest::mousePress(&box, Qt::RightButton);
    const QMenu& menu = *box.popupMenu();
    QCOMPARE(menuEntries(menu), QStringList{"Bind Other Keys"});
    const QMenu* other = submenu(menu, "Bind Other Keys");
    QVERIFY(other);
    QCOMPARE(menuEntries(*other), (QStringList{"SHIFT", "DEL", "TAB", "F10", "-", "MOUSE1", "MOUSE2",
                                               "MOUSE3", "-", "MWHEELUP", "MWHEELDOWN"}));
}

void TestKeyCaptureEdit::choosingAnEntryShowsIt_data() {
    QTest::addColumn<QString>("entry");
    for (const char* entry : {"SHIFT", "DEL", "TAB", "MOUSE1", "MWHEELDOWN"})
        QTest::newRow(entry) << QString::fromLatin1(entry);
}

void TestKeyCaptureEdit::choosingAnEntryShowsIt() {
    QFETCH(QString, entry);
    KeyCaptureEdit box;
    box.setText(QStringLiteral("a"));
    QTest::mousePress(&box, Qt::RightButton);
    QMenu* other = submenu(*box.popupMenu(), "Bind Other Keys");
    other->menuAction()->trigger();
    QCOMPARE(box.text(), QStringLiteral("a"));
    menuEntry(*other, entry)->trigger();
    QCOMPARE(box.text(), entry);
}

VEXA_TEST(TestKeyCaptureEdit)
#include "tst_keycaptureedit.moc"
