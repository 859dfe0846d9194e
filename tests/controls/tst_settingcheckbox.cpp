#include "InfoProbe.h"
#include "controls/SettingCheckBox.h"
#include "platform/VexaError.h"
#include "support/TestRegistry.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

namespace {

// The stream order of the catalogue.
void defineCheckBox(SettingCheckBox& box, bool value, const QString& command,
                    const QString& description) {
    box.setToolTip(QStringLiteral("designer hint"));
    box.setText(QStringLiteral("Caption"));
    box.setSupValue(value);
    box.setSupDefault(value);
    box.setSupCommand(command);
    box.setSupDescription(description);
    box.setSupNotes({});
}

// A right click as the window system delivers it: the press, then the context menu request.
void rightClick(QWidget& widget) {
    const QPoint where = widget.rect().center();
    QTest::mousePress(&widget, Qt::RightButton, {}, where);
    QContextMenuEvent request(QContextMenuEvent::Mouse, where, widget.mapToGlobal(where));
    QApplication::sendEvent(&widget, &request);
    QTest::mouseRelease(&widget, Qt::RightButton, {}, where);
}

} // namespace

class TestSettingCheckBox : public QObject {
    Q_OBJECT
private slots:
    void startsEmpty();
    void hint_data();
    void hint();
    void defaultYesStartsChecked();
    void userClickFollowsTheMark();
    void programChangeOfTheDefault();
    void assigningTheShownValueChangesNothing();
    void nameAndNotes();
    void popupMenuOnFirstRightClick();
    void infoShowsYesAndNo();
};

void TestSettingCheckBox::startsEmpty() {
    SettingCheckBox box;
    QCOMPARE(box.supValue(), false);
    QCOMPARE(box.supDefault(), false);
    QVERIFY(!box.isChecked());
    QVERIFY(box.supNotes().isEmpty());
    QVERIFY(!box.popupMenu());
    QCOMPARE(box.toolTip(), QStringLiteral("No ()"));
}

void TestSettingCheckBox::hint_data() {
    QTest::addColumn<int>("defaultValue");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no, described")
        << 0 << "Toggle the use of the forward and down movements into look up and look down"
        << "No (Toggle the use of the forward and down movements into look up and look down)";
    QTest::newRow("yes, described") << 1 << "Always run"
                                    << "Yes (Always run)";
    QTest::newRow("no, empty") << 0 << ""
                               << "No ()";
    QTest::newRow("yes, empty") << 1 << ""
                                << "Yes ()";
}

void TestSettingCheckBox::hint() {
    QFETCH(int, defaultValue);
    QFETCH(QString, description);
    QFETCH(QString, expected);
    SettingCheckBox box;
    defineCheckBox(box, defaultValue != 0, "freelook", description);
    QCOMPARE(box.toolTip(), expected);
    QCOMPARE(box.statusTip(), expected);
    // Either order of default and description gives the same text.
    SettingCheckBox other;
    other.setSupDescription(description);
    other.setSupDefault(defaultValue != 0);
    QCOMPARE(other.toolTip(), expected);
}

void TestSettingCheckBox::defaultYesStartsChecked() {
    SettingCheckBox box;
    defineCheckBox(box, true, "cl_run", "Always run");
    QVERIFY(box.isChecked());
    QCOMPARE(box.supValue(), true);
    QCOMPARE(box.supDefault(), true);
}

void TestSettingCheckBox::userClickFollowsTheMark() {
    SettingCheckBox box;
    defineCheckBox(box, false, "freelook", "Mouse look");
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QList<bool> markSeen;
    connect(&box, &SettingCheckBox::supClick, &box, [&] { markSeen << box.isChecked(); });
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, box.height() / 2));
    QCOMPARE(box.supValue(), true);
    QTest::keyClick(&box, Qt::Key_Space);
    QCOMPARE(box.supValue(), false);
    QCOMPARE(markSeen, QList<bool>({true, false}));
}

void TestSettingCheckBox::programChangeOfTheDefault() {
    SettingCheckBox box;
    defineCheckBox(box, false, "freelook", "Mouse look");
    bool valueDuringClick = true;
    QSignalSpy clicks(&box, &SettingCheckBox::supClick);
    connect(&box, &SettingCheckBox::supClick, &box, [&] { valueDuringClick = box.supValue(); });
    box.setSupDefault(true);
    QVERIFY(box.isChecked());
    QCOMPARE(box.supValue(), true);
    QCOMPARE(clicks.count(), 1);
    // Handlers run before the value follows the mark.
    QCOMPARE(valueDuringClick, false);
    QCOMPARE(box.toolTip(), QStringLiteral("Yes (Mouse look)"));
    box.setSupValue(false); // the reader resetting to a value
    QVERIFY(!box.isChecked());
    QCOMPARE(box.supValue(), false);
    QCOMPARE(clicks.count(), 2);
}

void TestSettingCheckBox::assigningTheShownValueChangesNothing() {
    SettingCheckBox box;
    defineCheckBox(box, true, "cl_run", "Always run");
    QSignalSpy clicks(&box, &SettingCheckBox::supClick);
    box.setSupValue(true);
    box.setSupDefault(true);
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(box.supValue(), true);
}

void TestSettingCheckBox::nameAndNotes() {
    SettingCheckBox box;
    defineCheckBox(box, false, "freelook", "");
    QCOMPARE(box.objectName(), QStringLiteral("sbcfreelook"));
    QStringList notes{"one", "two"};
    box.setSupNotes(notes);
    notes[0] = "changed";
    QCOMPARE(box.supNotes(), QStringList({"one", "two"}));
    box.setSupNotes({"three"});
    QCOMPARE(box.supNotes(), QStringList({"three"}));
}

void TestSettingCheckBox::popupMenuOnFirstRightClick() {
    SettingCheckBox box;
    defineCheckBox(box, true, "cl_run", "Always run");
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, box.height() / 2));
    QVERIFY(!box.popupMenu());
    rightClick(box);
    QMenu* menu = box.popupMenu();
    QVERIFY(menu);
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->parent(), &box);
    QCOMPARE(menu->actions().size(), 1);
    QCOMPARE(menu->actions().first()->text(), QStringLiteral("More Information"));
    menu->hide();
    rightClick(box);
    QCOMPARE(box.popupMenu(), menu); // later presses find it in place
    QTRY_VERIFY(menu->isVisible());
    menu->hide();

    InfoSnapshot shown;
    probeNextInfo(shown);
    menu->actions().first()->trigger();
    QVERIFY(shown.seen);
    QCOMPARE(shown.texts["txtCommand"], QStringLiteral("cl_run"));
}

void TestSettingCheckBox::infoShowsYesAndNo() {
    SettingCheckBox box;
    defineCheckBox(box, true, "cl_run", "Always run");
    box.setSupNotes({"Shift inverts it."});
    box.setSupValue(false);
    InfoSnapshot shown;
    probeNextInfo(shown);
    box.showInfo();
    QVERIFY(shown.seen);
    QCOMPARE(shown.title, QStringLiteral("cl_run"));
    QCOMPARE(shown.texts["txtCurrent1"], QStringLiteral("No"));
    QCOMPARE(shown.texts["txtDefault"], QStringLiteral("Yes"));
    QCOMPARE(shown.texts["txtCurrent2"], QString());
    QCOMPARE(shown.texts["mmoDescription"], QStringLiteral("Always run"));
    QCOMPARE(shown.texts["mmoNotes"], QStringLiteral("Shift inverts it."));
}

VEXA_TEST(TestSettingCheckBox)
#include "tst_settingcheckbox.moc"
