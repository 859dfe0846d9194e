#include "controls/MaskedNumberEdit.h"
#include "support/TestRegistry.h"

#include <QTest>

class TstMaskedNumberEdit : public QObject {
    Q_OBJECT

private slots:
    void textIsFittedPositionByPosition_data();
    void textIsFittedPositionByPosition();
    void typingOverwritesDigits();
    void backspaceAndDeleteBlankDigits();
    void lettersAndPastedTextNeverBreakTheFormat();
};

void TstMaskedNumberEdit::textIsFittedPositionByPosition_data() {
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("shown");
    QTest::newRow("layout text") << 3 << " .  5"
                                 << " .  5";
    QTest::newRow("full number") << 3 << "0.002"
                                 << "0.002";
    QTest::newRow("short") << 2 << "0.2"
                           << "0.2 ";
    QTest::newRow("empty") << 3 << ""
                           << " .   ";
    QTest::newRow("too long") << 2 << "1.2345"
                              << "1.23";
    QTest::newRow("letters") << 3 << "a.b1c"
                             << " . 1 ";
    QTest::newRow("no point") << 2 << "40"
                              << "4.  ";
}

void TstMaskedNumberEdit::textIsFittedPositionByPosition() {
    QFETCH(int, decimals);
    QFETCH(QString, given);
    QFETCH(QString, shown);
    MaskedNumberEdit edit(decimals);
    edit.setMaskedText(given);
    QCOMPARE(edit.displayText(), shown);
    edit.setText(given); // the program's plain setText keeps the format too
    QCOMPARE(edit.text(), shown);
}

void TstMaskedNumberEdit::typingOverwritesDigits() {
    MaskedNumberEdit edit(3);
    edit.setMaskedText(" .  5");
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, QStringLiteral("0"));
    QCOMPARE(edit.text(), QStringLiteral("0.  5")); // the point is stepped over
    QCOMPARE(edit.cursorPosition(), 2);
    QTest::keyClicks(&edit, QStringLiteral("125"));
    QCOMPARE(edit.text(), QStringLiteral("0.125"));
    QTest::keyClicks(&edit, QStringLiteral("9")); // past the last digit nothing changes
    QCOMPARE(edit.text(), QStringLiteral("0.125"));
}

void TstMaskedNumberEdit::backspaceAndDeleteBlankDigits() {
    MaskedNumberEdit edit(3);
    edit.setMaskedText("0.125");
    edit.setCursorPosition(5);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.text(), QStringLiteral("0.12 "));
    edit.setCursorPosition(2);
    QTest::keyClick(&edit, Qt::Key_Backspace); // over the point onto the first digit
    QCOMPARE(edit.text(), QStringLiteral(" .12 "));
    edit.setCursorPosition(3);
    QTest::keyClick(&edit, Qt::Key_Delete);
    QCOMPARE(edit.text(), QStringLiteral(" .1  "));
}

void TstMaskedNumberEdit::lettersAndPastedTextNeverBreakTheFormat() {
    MaskedNumberEdit edit(2);
    edit.setMaskedText("1.00");
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, QStringLiteral("x-,"));
    QCOMPARE(edit.text(), QStringLiteral("1.00"));
    edit.selectAll();
    edit.insert(QStringLiteral("abc"));
    QCOMPARE(edit.text().size(), 4);
    QCOMPARE(edit.text().at(1), QLatin1Char('.'));
}

VEXA_TEST(TstMaskedNumberEdit)
#include "tst_maskednumberedit.moc"
