#include "InfoProbe.h"
#include "controls/SettingSpinBox.h"
#include "support/TestRegistry.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

namespace {

// The stream order of the catalogue; the spin has its place before its properties.
void defineSpin(SettingSpinBox& spin, int value, const QString& command, const QString& description,
                QLabel* label = nullptr, LabelPosition position = PosTop,
                const QString& caption = QString()) {
    spin.setGeometry(120, 60, 55, 22);
    spin.setToolTip(QStringLiteral("designer hint"));
    spin.setMaxValue(0);
    spin.setMinValue(0);
    spin.setValue(value);
    spin.setSupValue(value);
    spin.setSupDefault(value);
    spin.setSupCommand(command);
    spin.setSupDescription(description);
    if (label) {
        spin.setSupLabel(label);
        spin.setSupLabelPosition(position);
        spin.setSupLabelCaption(caption);
    }
}

void typeInto(SettingSpinBox& spin, const QString& text) {
    spin.setFocus();
    spin.selectAll();
    if (text.isEmpty())
        QTest::keyClick(&spin, Qt::Key_Delete);
    else
        QTest::keyClicks(&spin, text);
}

} // namespace

class TestSettingSpinBox : public QObject {
    Q_OBJECT
private slots:
    void construction();
    void hint_data();
    void hint();
    void definedInStreamOrder();
    void labelPlacedBySide_data();
    void labelPlacedBySide();
    void noLabelOnlyStores();
    void showsAssignedValueAndInfo();
    void widensToShowLongValues();
    void typing_data();
    void typing();
    void leavingReappliesTheLimits_data();
    void leavingReappliesTheLimits();
    void assigningClampsWhenLimited();
    void changeNotificationOrder();
    void stepButtons();
    void popupMenuOnFirstRightClick();
};

void TestSettingSpinBox::construction() {
    SettingSpinBox spin;
    QCOMPARE(spin.width(), 55);
    QCOMPARE(spin.supDefault(), 0);
    QCOMPARE(spin.supValue(), 0);
    QCOMPARE(spin.text(), QStringLiteral("0"));
    QCOMPARE(spin.minValue(), 0);
    QCOMPARE(spin.maxValue(), 0);
    QCOMPARE(spin.toolTip(), QStringLiteral("0  ()"));
    QVERIFY(!spin.popupMenu());
    QVERIFY(!spin.supLabel());
}

void TestSettingSpinBox::hint_data() {
    QTest::addColumn<int>("defaultValue");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("expected");
    QTest::newRow("gun_x") << 0 << "The x-axis position of the player's gun"
                           << "0  (The x-axis position of the player's gun)";
    QTest::newRow("fov") << 90 << "Field of vision"
                         << "90  (Field of vision)";
    QTest::newRow("negative, empty") << -5 << ""
                                     << "-5  ()";
}

void TestSettingSpinBox::hint() {
    QFETCH(int, defaultValue);
    QFETCH(QString, description);
    QFETCH(QString, expected);
    SettingSpinBox spin;
    defineSpin(spin, defaultValue, "gun_x", description);
    QCOMPARE(spin.toolTip(), expected);
    QCOMPARE(spin.statusTip(), expected);
}

void TestSettingSpinBox::definedInStreamOrder() {
    QWidget tab;
    SettingSpinBox spin(&tab);
    QLabel label(QStringLiteral("Label1"), &tab);
    defineSpin(spin, 90, "fov", "Field of vision", &label, PosLeft, "Field of Vision");
    QCOMPARE(spin.objectName(), QStringLiteral("ssefov"));
    QCOMPARE(label.objectName(), QStringLiteral("lblfov"));
    QCOMPARE(label.text(), QStringLiteral("Field of Vision"));
    QCOMPARE(spin.supLabelCaption(), QStringLiteral("Field of Vision"));
    QCOMPARE(spin.text(), QStringLiteral("90"));
    QCOMPARE(spin.supValue(), 90);
    QCOMPARE(spin.supDefault(), 90);
    // The label ends two pixels left of the spin, with its final text's width.
    QCOMPARE(label.geometry().right(), 120 - 3);
    QCOMPARE(label.width(), label.sizeHint().width());
    // A command given after the label renames the label too.
    spin.setSupCommand("fov2");
    QCOMPARE(label.objectName(), QStringLiteral("lblfov2"));
}

void TestSettingSpinBox::labelPlacedBySide_data() {
    QTest::addColumn<int>("position");
    QTest::newRow("top") << int(PosTop);
    QTest::newRow("bottom") << int(PosBottom);
    QTest::newRow("left") << int(PosLeft);
    QTest::newRow("right") << int(PosRight);
}

void TestSettingSpinBox::labelPlacedBySide() {
    QFETCH(int, position);
    QWidget tab;
    SettingSpinBox spin(&tab);
    QLabel label(QStringLiteral("Z"), &tab);
    defineSpin(spin, 0, "gun_z", "", &label, PosTop, "Z");
    spin.setSupLabelPosition(LabelPosition(position));
    QCOMPARE(label.pos(), labelPlacement(spin.geometry(), label.size(), LabelPosition(position)));
    // Moving the spin later does not move the label.
    const QPoint placed = label.pos();
    spin.move(300, 300);
    QCOMPARE(label.pos(), placed);
}

void TestSettingSpinBox::noLabelOnlyStores() {
    SettingSpinBox spin;
    spin.setSupLabelPosition(PosRight);
    spin.setSupLabelCaption("Size");
    QCOMPARE(spin.supLabelPosition(), PosRight);
    QCOMPARE(spin.supLabelCaption(), QStringLiteral("Size"));
    {
        QLabel label;
        spin.setSupLabel(&label);
    }
    // A label that went first is no longer touched.
    spin.setSupLabelCaption("Other");
    spin.setSupCommand("viewsize");
    QVERIFY(!spin.supLabel());
}

void TestSettingSpinBox::showsAssignedValueAndInfo() {
    SettingSpinBox spin;
    defineSpin(spin, 90, "fov", "Field of vision");
    spin.setSupNotes({"Wider than 90 distorts the view."});
    spin.setSupValue(110);
    QCOMPARE(spin.text(), QStringLiteral("110"));
    QCOMPARE(spin.Value(), 110);
    QCOMPARE(spin.supValue(), 110);
    InfoSnapshot shown;
    probeNextInfo(shown);
    spin.showInfo();
    QVERIFY(shown.seen);
    QCOMPARE(shown.title, QStringLiteral("fov"));
    QCOMPARE(shown.texts["txtCommand"], QStringLiteral("fov"));
    QCOMPARE(shown.texts["txtCurrent1"], QStringLiteral("110"));
    QCOMPARE(shown.texts["txtDefault"], QStringLiteral("90"));
    QCOMPARE(shown.texts["mmoDescription"], QStringLiteral("Field of vision"));
    QCOMPARE(shown.texts["mmoNotes"], QStringLiteral("Wider than 90 distorts the view."));
}

void TestSettingSpinBox::widensToShowLongValues() {
    SettingSpinBox spin;
    spin.setMaxValue(100000);
    spin.show();
    QVERIFY(QTest::qWaitForWindowExposed(&spin));
    QLineEdit* field = spin.findChild<QLineEdit*>();
    const auto showsWhole = [&] {
        return field->width() >= field->fontMetrics().horizontalAdvance(field->text());
    };
    spin.setSupValue(90);
    QCOMPARE(spin.width(), 55);
    spin.setSupValue(25000);
    QVERIFY(showsWhole());
    QVERIFY(spin.width() > 55);
    // Typed digits widen it too; a shorter value later keeps the width, so nothing jumps.
    field->selectAll();
    QTest::keyClicks(field, "100000");
    QVERIFY(showsWhole());
    const int wide = spin.width();
    spin.setSupValue(5);
    QCOMPARE(spin.width(), wide);
}

void TestSettingSpinBox::typing_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("expected");
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("negative") << "-5" << -5;
    QTest::newRow("large") << "100000" << 100000;
    QTest::newRow("sign only") << "-" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("beyond int") << "2147483648" << 0;
    QTest::newRow("int max") << "2147483647" << 2147483647;
}

void TestSettingSpinBox::typing() {
    QFETCH(QString, typed);
    QFETCH(int, expected);
    SettingSpinBox spin;
    defineSpin(spin, 90, "fov", "");
    spin.show();
    QVERIFY(QTest::qWaitForWindowActive(&spin));
    typeInto(spin, typed);
    QCOMPARE(spin.text(), typed);
    QCOMPARE(spin.Value(), expected);
    QCOMPARE(spin.supValue(), expected);
    spin.clearFocus(); // leaving the field
    QCOMPARE(spin.text(), QString::number(expected));
    QCOMPARE(spin.supValue(), expected);
}

void TestSettingSpinBox::leavingReappliesTheLimits_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("whileTyping");
    QTest::addColumn<int>("afterLeaving");
    // Limits 3 .. 30: text that is no integer reads as the minimum.
    QTest::newRow("inside") << "12" << 12 << 12;
    QTest::newRow("above") << "99" << 99 << 30;
    QTest::newRow("below") << "1" << 1 << 3;
    QTest::newRow("letters") << "x" << 3 << 3;
}

void TestSettingSpinBox::leavingReappliesTheLimits() {
    QFETCH(QString, typed);
    QFETCH(int, whileTyping);
    QFETCH(int, afterLeaving);
    SettingSpinBox spin;
    spin.setMaxValue(30);
    spin.setMinValue(3);
    spin.show();
    QVERIFY(QTest::qWaitForWindowActive(&spin));
    typeInto(spin, typed);
    QCOMPARE(spin.supValue(), whileTyping);
    spin.clearFocus();
    QCOMPARE(spin.text(), QString::number(afterLeaving));
    QCOMPARE(spin.supValue(), afterLeaving);
}

void TestSettingSpinBox::assigningClampsWhenLimited() {
    SettingSpinBox spin;
    spin.setMaxValue(100);
    spin.setMinValue(40);
    spin.setSupValue(120);
    QCOMPARE(spin.text(), QStringLiteral("100"));
    QCOMPARE(spin.supValue(), 100); // follows what is shown
    spin.setMinValue(100);          // equal limits: none
    spin.setSupValue(-7);
    QCOMPARE(spin.text(), QStringLiteral("-7"));
    QCOMPARE(spin.supValue(), -7);
}

void TestSettingSpinBox::changeNotificationOrder() {
    SettingSpinBox spin;
    defineSpin(spin, 90, "fov", "");
    QList<QPair<int, int>> seen; // Value and supValue while handlers run
    connect(&spin, &SettingSpinBox::supChange, &spin, [&] {
        seen.append({spin.Value(), spin.supValue()});
    });
    spin.setSupDefault(75);
    QCOMPARE(seen, (QList<QPair<int, int>>{{75, 90}}));
    QCOMPARE(spin.supValue(), 75);
    spin.setSupValue(75); // already shown: nothing happens
    QCOMPARE(seen.size(), 1);
}

void TestSettingSpinBox::stepButtons() {
    SettingSpinBox spin;
    defineSpin(spin, -1, "gun_y", "");
    spin.stepUp();
    spin.stepUp();
    QCOMPARE(spin.supValue(), 1);
    spin.stepDown();
    QCOMPARE(spin.supValue(), 0);
}

void TestSettingSpinBox::popupMenuOnFirstRightClick() {
    SettingSpinBox spin;
    defineSpin(spin, 90, "fov", "Field of vision");
    spin.show();
    QVERIFY(QTest::qWaitForWindowExposed(&spin));
    // The right click lands on the edit field inside the spin.
    QWidget* field = spin.childAt(5, spin.height() / 2);
    QVERIFY(field);
    const QPoint where(5, field->height() / 2);
    QTest::mousePress(field, Qt::RightButton, {}, where);
    QVERIFY(spin.popupMenu());
    QContextMenuEvent request(QContextMenuEvent::Mouse, where, field->mapToGlobal(where));
    QApplication::sendEvent(field, &request);
    QTest::mouseRelease(field, Qt::RightButton, {}, where);
    QMenu* menu = spin.popupMenu();
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->actions().size(), 1);
    QCOMPARE(menu->actions().first()->text(), QStringLiteral("More Information"));
    menu->hide();

    InfoSnapshot shown;
    probeNextInfo(shown);
    menu->actions().first()->trigger();
    QVERIFY(shown.seen);
    QCOMPARE(shown.texts["txtCurrent1"], QStringLiteral("90"));
}

VEXA_TEST(TestSettingSpinBox)
#include "tst_settingspinbox.moc"
