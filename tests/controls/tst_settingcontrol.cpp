#include "controls/BindingEdit.h"
#include "controls/SettingCheckBox.h"
#include "controls/SettingSpinBox.h"
#include "support/TestRegistry.h"

#include <QCheckBox>
#include <QTest>

#include <memory>

namespace {

// A control of the kind at its default, as the catalogue makes one.
std::unique_ptr<QWidget> newControl(SettingKind kind, const QString& defaultText) {
    switch (kind) {
    case SettingKind::CheckBox: {
        auto box = std::make_unique<SettingCheckBox>();
        box->setSupValue(defaultText == QLatin1String("1"));
        box->setSupDefault(defaultText == QLatin1String("1"));
        return box;
    }
    case SettingKind::Spin: {
        auto spin = std::make_unique<SettingSpinBox>();
        spin->setSupValue(defaultText.toInt());
        spin->setSupDefault(defaultText.toInt());
        return spin;
    }
    default: // the kinds of the engine pages only
        return nullptr;
    case SettingKind::Binding: {
        auto bind = std::make_unique<BindingEdit>();
        bind->setSupValue(defaultText);
        bind->setSupDefault(defaultText);
        return bind;
    }
    }
    return {};
}

} // namespace

// The three controls as the config reader and writer see them, through SettingControl only.
class TestSettingControl : public QObject {
    Q_OBJECT
private slots:
    void valuesThroughTheInterface_data();
    void valuesThroughTheInterface();
    void onlySettingControlsAreFound();
};

void TestSettingControl::valuesThroughTheInterface_data() {
    QTest::addColumn<SettingKind>("kind");
    QTest::addColumn<QString>("defaultText");
    QTest::addColumn<QStringList>("atStart");
    QTest::addColumn<QStringList>("given");
    QTest::addColumn<QStringList>("taken");
    QTest::addColumn<bool>("givenAtDefault");
    QTest::addColumn<QString>("objectName");

    QTest::newRow("check box") << SettingKind::CheckBox << "1" << QStringList{"1"}
                               << QStringList{"0"} << QStringList{"0"} << false << "sbc+a b";
    QTest::newRow("spin") << SettingKind::Spin << "90" << QStringList{"90"} << QStringList{"110"}
                          << QStringList{"110"} << false << "sse+a b";
    QTest::newRow("binding, other first key")
        << SettingKind::Binding << "CTRL" << QStringList{"CTRL", "", "", ""}
        << QStringList{"MOUSE1", "CTRL"} << QStringList{"MOUSE1", "CTRL", "", ""} << false
        << "suba_b";
    // Only the first key counts for the default, and keys equal to it stay as given.
    QTest::newRow("binding, default first")
        << SettingKind::Binding << "CTRL" << QStringList{"CTRL", "", "", ""}
        << QStringList{"CTRL", "a", "CTRL", "b"} << QStringList{"CTRL", "a", "CTRL", "b"} << true
        << "suba_b";
}

void TestSettingControl::valuesThroughTheInterface() {
    QFETCH(SettingKind, kind);
    QFETCH(QString, defaultText);
    QFETCH(QStringList, atStart);
    QFETCH(QStringList, given);
    QFETCH(QStringList, taken);
    QFETCH(bool, givenAtDefault);
    QFETCH(QString, objectName);

    const std::unique_ptr<QWidget> widget = newControl(kind, defaultText);
    SettingControl* control = settingControlOf(widget.get());
    QVERIFY(control);
    QCOMPARE(&control->widget(), widget.get());
    QCOMPARE(control->kind(), kind);
    control->setSupCommand(QStringLiteral("+a b"));
    QCOMPARE(widget->objectName(), objectName);

    QCOMPARE(control->defaultText(), defaultText);
    QCOMPARE(control->values(), atStart);
    QVERIFY(control->atDefault());

    int changes = 0;
    control->connectChange(widget.get(), [&] { ++changes; });
    control->setValues(given);
    QCOMPARE(control->values(), taken);
    QCOMPARE(control->atDefault(), givenAtDefault);
    QCOMPARE(changes, 1);
    // The same values again change nothing.
    control->setValues(given);
    QCOMPARE(changes, 1);

    control->resetToDefault();
    QCOMPARE(control->values(), atStart);
    QVERIFY(control->atDefault());
    QCOMPARE(changes, 2);
}

void TestSettingControl::onlySettingControlsAreFound() {
    QCheckBox plain;
    QVERIFY(!settingControlOf(&plain));
    QVERIFY(!settingControlOf(nullptr));
}

VEXA_TEST(TestSettingControl)
#include "tst_settingcontrol.moc"
