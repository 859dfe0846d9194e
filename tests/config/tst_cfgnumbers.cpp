#include "app/pages/CatalogueLayout.h"
#include "app/pages/ServerPage.h"
#include "config/CfgNumbers.h"
#include "settings/DeathmatchFlags.h"
#include "support/TestRegistry.h"

#include <QCheckBox>
#include <QSet>
#include <QTest>

#include <limits>

namespace {

QSet<QString> checkedNames(int number) {
    QSet<QString> names;
    for (const DeathmatchFlag& flag : deathmatchFlags()) {
        if (deathmatchFlagChecked(flag, number))
            names << flag.name;
    }
    return names;
}

int numberOf(const QSet<QString>& checked) {
    return deathmatchFlagNumber(
        [&](const DeathmatchFlag& flag) { return checked.contains(flag.name); });
}

} // namespace

class TestCfgNumbers : public QObject {
    Q_OBJECT
private slots:
    void maskedNumber_data();
    void maskedNumber();
    void decimal_data();
    void decimal();
    void trackBarPositionsReadBackWhatIsWritten();
    void positionFromValue_data();
    void positionFromValue();
    void gameNumbers_data();
    void gameNumbers();
    void maskedFields_data();
    void maskedFields();
    void deathmatchNumber_data();
    void deathmatchNumber();
    void deathmatchBoxes();
};

void TestCfgNumbers::maskedNumber_data() {
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("text");
    QTest::newRow("three decimals") << " .  5"
                                    << "0.005";
    QTest::newRow("two decimals") << "1.  "
                                  << "1.00";
    QTest::newRow("all blank") << " .   "
                               << "0.000";
    QTest::newRow("full") << "0.002"
                          << "0.002";
}

void TestCfgNumbers::maskedNumber() {
    QFETCH(QString, shown);
    QFETCH(QString, text);
    QCOMPARE(maskedNumberText(shown), text);
}

void TestCfgNumbers::decimal_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("barVolume 40") << 40 * TrackBarStep::Volume << "1";
    QTest::newRow("barVolume 7") << 7 * TrackBarStep::Volume << "0.175";
    QTest::newRow("barVolume 1") << 1 * TrackBarStep::Volume << "0.025";
    QTest::newRow("barVolume 0") << 0 * TrackBarStep::Volume << "0";
    QTest::newRow("barGamma 4") << 4 * TrackBarStep::Gamma << "1";
    QTest::newRow("barGamma 39") << 39 * TrackBarStep::Gamma << "9.75";
    QTest::newRow("binary noise rounded away") << 0.1 + 0.2 << "0.3";
    QTest::newRow("small, no exponent") << 1e-7 << "0.0000001";
    QTest::newRow("large, no exponent") << 1.5e17 << "150000000000000000";
    QTest::newRow("15 significant digits") << 123456789.0123456789 << "123456789.012346";
    QTest::newRow("negative") << -2.5 << "-2.5";
}

void TestCfgNumbers::decimal() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(decimalText(value), text);
}

void TestCfgNumbers::trackBarPositionsReadBackWhatIsWritten() {
    for (int position = 0; position <= 40; ++position) {
        for (double step : {TrackBarStep::Volume, TrackBarStep::Gamma})
            QCOMPARE(trackBarPosition(gameNumber(trackBarValueText(position, step)), step),
                     position);
    }
}

void TestCfgNumbers::positionFromValue_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<double>("step");
    QTest::addColumn<int>("position");
    QTest::newRow("gamma 1") << "1" << TrackBarStep::Gamma << 4;
    QTest::newRow("gamma half up to even") << "0.375" << TrackBarStep::Gamma << 2;
    QTest::newRow("gamma half down to even") << "0.625" << TrackBarStep::Gamma << 2;
    QTest::newRow("gamma between") << "1.3" << TrackBarStep::Gamma << 5;
    QTest::newRow("volume 0.175") << "0.175" << TrackBarStep::Volume << 7;
    QTest::newRow("sensitivity 3.5") << "3.5" << TrackBarStep::Sensitivity << 4;
    QTest::newRow("sensitivity 2.5") << "2.5" << TrackBarStep::Sensitivity << 2;
    QTest::newRow("huge held") << "1e300" << TrackBarStep::Volume
                               << std::numeric_limits<int>::max();
    QTest::newRow("huge negative held")
        << "-1e300" << TrackBarStep::Volume << std::numeric_limits<int>::min();
}

void TestCfgNumbers::positionFromValue() {
    QFETCH(QString, value);
    QFETCH(double, step);
    QFETCH(int, position);
    QCOMPARE(trackBarPosition(gameNumber(value), step), position);
}

void TestCfgNumbers::gameNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("rounded");
    QTest::addColumn<int>("truncated");
    QTest::newRow("point") << "0.25" << 0.25 << 0 << 0;
    QTest::newRow("leading point") << ".14" << 0.14 << 0 << 0;
    QTest::newRow("trailing point") << "2." << 2.0 << 2 << 2;
    QTest::newRow("signs") << "-0.022" << -0.022 << 0 << 0;
    QTest::newRow("half to even") << "95.5" << 95.5 << 96 << 95;
    QTest::newRow("exponent") << "1e2" << 100.0 << 100 << 100;
    QTest::newRow("blanks around") << " 12 " << 12.0 << 12 << 12;
    QTest::newRow("text after the number") << "3.5x" << 3.5 << 4 << 3;
    QTest::newRow("exponent without digits") << "2e" << 2.0 << 2 << 2;
    QTest::newRow("comma") << "1,5" << 1.0 << 1 << 1;
    QTest::newRow("word") << "abc" << 0.0 << 0 << 0;
    QTest::newRow("empty") << "" << 0.0 << 0 << 0;
    QTest::newRow("point alone") << "." << 0.0 << 0 << 0;
    QTest::newRow("held in the int range")
        << "-1e300" << -1e300 << std::numeric_limits<int>::min() << std::numeric_limits<int>::min();
    QTest::newRow("overflow") << "1e999" << 0.0 << 0 << 0;
}

void TestCfgNumbers::gameNumbers() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(int, rounded);
    QFETCH(int, truncated);
    QCOMPARE(gameNumber(text), value);
    QCOMPARE(roundedGameNumber(text), rounded);
    QCOMPARE(truncatedGameNumber(text), truncated);
}

void TestCfgNumbers::maskedFields_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("shown"); // empty: does not fit
    QTest::newRow("no leading zero") << ".14" << 2 << "0.14";
    QTest::newRow("three decimals") << ".005" << 3 << "0.005";
    QTest::newRow("whole") << "1" << 2 << "1.";
    QTest::newRow("leading zeros") << "00.5" << 3 << "0.5";
    QTest::newRow("trailing zeros that fit stay") << "0.0" << 2 << "0.0";
    QTest::newRow("trailing zeros beyond the field") << "0.0050" << 3 << "0.005";
    QTest::newRow("two whole digits") << "12" << 3 << "";
    QTest::newRow("too many decimals") << "0.0025" << 3 << "";
    QTest::newRow("sign") << "-0.5" << 3 << "";
    QTest::newRow("exponent") << "1e-3" << 3 << "";
    QTest::newRow("point alone") << "." << 3 << "";
    QTest::newRow("empty") << "" << 3 << "";
}

void TestCfgNumbers::maskedFields() {
    QFETCH(QString, value);
    QFETCH(int, decimals);
    QFETCH(QString, shown);
    QCOMPARE(maskedFieldText(value, decimals).value_or(QString()), shown);
}

void TestCfgNumbers::deathmatchNumber_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QSet<QString>>("checked");
    QTest::newRow("2048") << 2048 << QSet<QString>{"cbxNoArmor", "cbxCtfTechPowerups"};
    QTest::newRow("524288") << 524288 << QSet<QString>{};
    QTest::newRow("0") << 0 << QSet<QString>{"cbxCtfTechPowerups"};
    QTest::newRow("initial boxes")
        << 16 << QSet<QString>{"cbxInstantPowerups", "cbxCtfTechPowerups"};
    QTest::newRow("several") << (1 + 64 + 131072 + 262144 + 524288)
                             << QSet<QString>{"cbxNoHealth", "cbxTeamBySkins", "cbxCtfForcedJoin",
                                              "cbxArmorProtect"};
}

void TestCfgNumbers::deathmatchNumber() {
    QFETCH(int, number);
    QFETCH(QSet<QString>, checked);
    QCOMPARE(checkedNames(number), checked);
    QCOMPARE(numberOf(checked), number);
}

void TestCfgNumbers::deathmatchBoxes() {
    CatalogueLayout settings;
    ServerPage page(settings, nullptr);
    QSet<QString> initial;
    for (const QCheckBox* box : page.deathmatchFlagBoxes()) {
        if (box->isChecked())
            initial << box->objectName();
    }
    QCOMPARE(initial, (QSet<QString>{"cbxInstantPowerups", "cbxCtfTechPowerups"}));
    QCOMPARE(page.deathmatchFlagNumber(), 16);

    page.applyDeathmatchFlags(2048);
    QVERIFY(page.findChild<QCheckBox*>("cbxNoArmor")->isChecked());
    QVERIFY(page.findChild<QCheckBox*>("cbxCtfTechPowerups")->isChecked());
    QVERIFY(!page.findChild<QCheckBox*>("cbxInstantPowerups")->isChecked());
    QCOMPARE(page.deathmatchFlagNumber(), 2048);

    // Every box alone reads back as itself.
    for (const DeathmatchFlag& flag : deathmatchFlags()) {
        const int alone = numberOf({flag.name});
        page.applyDeathmatchFlags(alone);
        QCOMPARE(checkedNames(page.deathmatchFlagNumber()), QSet<QString>{flag.name});
    }
}

VEXA_TEST(TestCfgNumbers)
#include "tst_cfgnumbers.moc"
