#include "platform/KeyCodes.h"
#include "support/TestRegistry.h"

#include <QKeyEvent>
#include <QtTest>

class TestKeyCodes : public QObject {
    Q_OBJECT

private slots:
    void codeOfKey_data();
    void codeOfKey();
    void everyLetterDigitAndFunctionKey();
    void modifiersAtRelease_data();
    void modifiersAtRelease();
};

namespace {
constexpr Qt::KeyboardModifiers none = Qt::NoModifier;
constexpr Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
constexpr Qt::KeyboardModifiers shift = Qt::ShiftModifier;

void row(const char* name, int qtKey, Qt::KeyboardModifiers modifiers, int code) {
    QTest::newRow(name) << qtKey << modifiers << code;
}
} // namespace

void TestKeyCodes::codeOfKey_data() {
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("code");

    row("F25 unknown", Qt::Key_F25, none, 0);

    row("backspace", Qt::Key_Backspace, none, 8);
    row("tab", Qt::Key_Tab, none, 9);
    row("backtab", Qt::Key_Backtab, shift, 9);
    row("return", Qt::Key_Return, none, 13);
    row("enter", Qt::Key_Enter, keypad, 13);
    row("shift", Qt::Key_Shift, none, 16);
    row("control", Qt::Key_Control, none, 17);
    row("alt", Qt::Key_Alt, none, 18);
    row("pause", Qt::Key_Pause, none, 19);
    row("caps lock", Qt::Key_CapsLock, none, 20);
    row("escape", Qt::Key_Escape, none, 27);
    row("space", Qt::Key_Space, none, 32);
    row("page up", Qt::Key_PageUp, none, 33);
    row("page down", Qt::Key_PageDown, none, 34);
    row("end", Qt::Key_End, none, 35);
    row("home", Qt::Key_Home, none, 36);
    row("left", Qt::Key_Left, none, 37);
    row("up", Qt::Key_Up, none, 38);
    row("right", Qt::Key_Right, none, 39);
    row("down", Qt::Key_Down, none, 40);
    row("insert", Qt::Key_Insert, none, 45);
    row("delete", Qt::Key_Delete, none, 46);
    row("num lock", Qt::Key_NumLock, keypad, 144);

    row("kp *", Qt::Key_Asterisk, keypad, 106);
    row("kp +", Qt::Key_Plus, keypad, 107);
    row("kp -", Qt::Key_Minus, keypad, 109);
    row("kp .", Qt::Key_Period, keypad, 110);
    row("kp , (decimal comma)", Qt::Key_Comma, keypad, 110);
    row("kp /", Qt::Key_Slash, keypad, 111);
    row("kp ins (num lock off)", Qt::Key_Insert, keypad, 96);
    row("kp end", Qt::Key_End, keypad, 97);
    row("kp down", Qt::Key_Down, keypad, 98);
    row("kp pgdn", Qt::Key_PageDown, keypad, 99);
    row("kp left", Qt::Key_Left, keypad, 100);
    row("kp begin", Qt::Key_Clear, keypad, 101);
    row("kp right", Qt::Key_Right, keypad, 102);
    row("kp home", Qt::Key_Home, keypad, 103);
    row("kp up", Qt::Key_Up, keypad, 104);
    row("kp pgup", Qt::Key_PageUp, keypad, 105);
    row("kp del", Qt::Key_Delete, keypad, 110);
    row("shift kp 7 (home)", Qt::Key_Home, keypad | shift, 103);

    row(";", Qt::Key_Semicolon, none, 186);
    row("shift ;", Qt::Key_Colon, shift, 186);
    row("=", Qt::Key_Equal, none, 187);
    row("shift =", Qt::Key_Plus, shift, 187);
    row(",", Qt::Key_Comma, none, 188);
    row("shift ,", Qt::Key_Less, shift, 188);
    row("-", Qt::Key_Minus, none, 189);
    row("shift -", Qt::Key_Underscore, shift, 189);
    row(".", Qt::Key_Period, none, 190);
    row("shift .", Qt::Key_Greater, shift, 190);
    row("/", Qt::Key_Slash, none, 191);
    row("shift /", Qt::Key_Question, shift, 191);
    row("`", Qt::Key_QuoteLeft, none, 192);
    row("shift `", Qt::Key_AsciiTilde, shift, 192);
    row("[", Qt::Key_BracketLeft, none, 219);
    row("shift [", Qt::Key_BraceLeft, shift, 219);
    row("backslash", Qt::Key_Backslash, none, 220);
    row("shift backslash", Qt::Key_Bar, shift, 220);
    row("]", Qt::Key_BracketRight, none, 221);
    row("shift ]", Qt::Key_BraceRight, shift, 221);
    row("'", Qt::Key_Apostrophe, none, 222);
    row("shift '", Qt::Key_QuoteDbl, shift, 222);

    row("shift 1", Qt::Key_Exclam, shift, 49);
    row("shift 8", Qt::Key_Asterisk, shift, 56);
    row("shift 0", Qt::Key_ParenRight, shift, 48);

    row("unknown letter", Qt::Key_Adiaeresis, none, 0);
    row("no key", 0, none, 0);
    row("unknown with keypad flag", Qt::Key_Adiaeresis, keypad, 0);
}

void TestKeyCodes::codeOfKey() {
    QFETCH(int, qtKey);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, code);
    QCOMPARE(virtualKeyCode(qtKey, modifiers), code);
}

void TestKeyCodes::everyLetterDigitAndFunctionKey() {
    for (int i = 0; i < 26; ++i)
        QCOMPARE(virtualKeyCode(Qt::Key_A + i, Qt::ShiftModifier), 65 + i);
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(virtualKeyCode(Qt::Key_0 + i, Qt::NoModifier), 48 + i);
        QCOMPARE(virtualKeyCode(Qt::Key_0 + i, Qt::KeypadModifier), 96 + i);
    }
    for (int i = 0; i < 24; ++i)
        QCOMPARE(virtualKeyCode(Qt::Key_F1 + i, Qt::NoModifier), 112 + i);
}

void TestKeyCodes::modifiersAtRelease_data() {
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<bool>("ctrl");
    QTest::addColumn<bool>("alt");

    QTest::newRow("none") << Qt::KeyboardModifiers() << false << false << false;
    QTest::newRow("shift") << Qt::KeyboardModifiers(Qt::ShiftModifier) << true << false << false;
    QTest::newRow("ctrl shift") << (Qt::ControlModifier | Qt::ShiftModifier) << true << true
                                << false;
    QTest::newRow("alt keypad") << (Qt::AltModifier | Qt::KeypadModifier) << false << false << true;
    QTest::newRow("meta ignored") << Qt::KeyboardModifiers(Qt::MetaModifier) << false << false
                                  << false;
}

void TestKeyCodes::modifiersAtRelease() {
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, shift);
    QFETCH(bool, ctrl);
    QFETCH(bool, alt);

    const QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, modifiers, QStringLiteral("a"));
    const VirtualKey key = toVirtualKey(release);
    QCOMPARE(key.code, 65);
    QCOMPARE(key.shift, shift);
    QCOMPARE(key.ctrl, ctrl);
    QCOMPARE(key.alt, alt);
    QVERIFY(!key.mouseButton);

    QVERIFY(toVirtualKey(Qt::Key_A, modifiers, Qt::RightButton).mouseButton);
}

VEXA_TEST(TestKeyCodes)
#include "tst_keycodes.moc"
