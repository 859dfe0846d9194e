#include "KeyCodes.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <algorithm>
#include <iterator>

namespace {

namespace Vk = VirtualKeyCode;

struct KeyCode {
    int qtKey;
    int code;
};

// Keys outside the letter, digit and function-key ranges. Shifted characters belong to the key
// that carries them on a US layout, so that Shift does not change the key.
constexpr KeyCode mainKeys[] = {
    {Qt::Key_Backspace, Vk::Backspace},
    {Qt::Key_Tab, Vk::Tab},
    {Qt::Key_Backtab, Vk::Tab},
    {Qt::Key_Clear, Vk::Clear},
    {Qt::Key_Return, Vk::Enter},
    {Qt::Key_Enter, Vk::Enter},
    {Qt::Key_Shift, Vk::Shift},
    {Qt::Key_Control, Vk::Ctrl},
    {Qt::Key_Alt, Vk::Alt},
    {Qt::Key_AltGr, Vk::Alt},
    {Qt::Key_Pause, Vk::Pause},
    {Qt::Key_CapsLock, Vk::CapsLock},
    {Qt::Key_Escape, Vk::Escape},
    {Qt::Key_Space, Vk::Space},
    {Qt::Key_PageUp, Vk::PageUp},
    {Qt::Key_PageDown, Vk::PageDown},
    {Qt::Key_End, Vk::End},
    {Qt::Key_Home, Vk::Home},
    {Qt::Key_Left, Vk::Left},
    {Qt::Key_Up, Vk::Up},
    {Qt::Key_Right, Vk::Right},
    {Qt::Key_Down, Vk::Down},
    {Qt::Key_Print, Vk::PrintScreen},
    {Qt::Key_Insert, Vk::Insert},
    {Qt::Key_Delete, Vk::Delete},
    {Qt::Key_Meta, Vk::LeftWindows},
    {Qt::Key_Menu, Vk::Applications},
    {Qt::Key_NumLock, Vk::NumLock},
    {Qt::Key_ScrollLock, Vk::ScrollLock},
    {Qt::Key_ParenRight, Vk::Digit0},
    {Qt::Key_Exclam, Vk::Digit0 + 1},
    {Qt::Key_At, Vk::Digit0 + 2},
    {Qt::Key_NumberSign, Vk::Digit0 + 3},
    {Qt::Key_Dollar, Vk::Digit0 + 4},
    {Qt::Key_Percent, Vk::Digit0 + 5},
    {Qt::Key_AsciiCircum, Vk::Digit0 + 6},
    {Qt::Key_Ampersand, Vk::Digit0 + 7},
    {Qt::Key_Asterisk, Vk::Digit0 + 8},
    {Qt::Key_ParenLeft, Vk::Digit0 + 9},
    {Qt::Key_Semicolon, Vk::Semicolon},
    {Qt::Key_Colon, Vk::Semicolon},
    {Qt::Key_Equal, Vk::Equals},
    {Qt::Key_Plus, Vk::Equals},
    {Qt::Key_Comma, Vk::Comma},
    {Qt::Key_Less, Vk::Comma},
    {Qt::Key_Minus, Vk::Minus},
    {Qt::Key_Underscore, Vk::Minus},
    {Qt::Key_Period, Vk::Period},
    {Qt::Key_Greater, Vk::Period},
    {Qt::Key_Slash, Vk::Slash},
    {Qt::Key_Question, Vk::Slash},
    {Qt::Key_QuoteLeft, Vk::BackQuote},
    {Qt::Key_AsciiTilde, Vk::BackQuote},
    {Qt::Key_BracketLeft, Vk::LeftBracket},
    {Qt::Key_BraceLeft, Vk::LeftBracket},
    {Qt::Key_Backslash, Vk::Backslash},
    {Qt::Key_Bar, Vk::Backslash},
    {Qt::Key_BracketRight, Vk::RightBracket},
    {Qt::Key_BraceRight, Vk::RightBracket},
    {Qt::Key_Apostrophe, Vk::Quote},
    {Qt::Key_QuoteDbl, Vk::Quote},
};

// Keypad keys. With Num Lock off Qt reports the digits by their navigation meaning; they are
// still the same physical keys.
constexpr KeyCode keypadKeys[] = {
    {Qt::Key_Insert, Vk::Keypad0},          {Qt::Key_End, Vk::Keypad0 + 1},
    {Qt::Key_Down, Vk::Keypad0 + 2},        {Qt::Key_PageDown, Vk::Keypad0 + 3},
    {Qt::Key_Left, Vk::Keypad0 + 4},        {Qt::Key_Clear, Vk::Keypad0 + 5},
    {Qt::Key_Right, Vk::Keypad0 + 6},       {Qt::Key_Home, Vk::Keypad0 + 7},
    {Qt::Key_Up, Vk::Keypad0 + 8},          {Qt::Key_PageUp, Vk::Keypad0 + 9},
    {Qt::Key_Asterisk, Vk::KeypadMultiply}, {Qt::Key_Plus, Vk::KeypadAdd},
    {Qt::Key_Minus, Vk::KeypadSubtract},    {Qt::Key_Period, Vk::KeypadDecimal},
    {Qt::Key_Comma, Vk::KeypadDecimal}, // the decimal key of layouts that write a comma
    {Qt::Key_Delete, Vk::KeypadDecimal},    {Qt::Key_Slash, Vk::KeypadDivide},
};

template <std::size_t N> int find(const KeyCode (&table)[N], int qtKey) {
    const auto* entry = std::find_if(std::begin(table), std::end(table),
                                     [qtKey](const KeyCode& k) { return k.qtKey == qtKey; });
    return entry == std::end(table) ? Vk::Unknown : entry->code;
}

#ifdef Q_OS_MACOS
constexpr bool arrowsMarkedAsKeypad = true; // macOS counts the arrow keys as keypad keys
#else
constexpr bool arrowsMarkedAsKeypad = false;
#endif

bool keypadKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    const bool arrow = qtKey >= Qt::Key_Left && qtKey <= Qt::Key_Down;
    return modifiers.testFlag(Qt::KeypadModifier) && !(arrowsMarkedAsKeypad && arrow);
}

} // namespace

int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (keypadKey(qtKey, modifiers)) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
            return Vk::Keypad0 + (qtKey - Qt::Key_0);
        if (const int code = find(keypadKeys, qtKey))
            return code;
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return Vk::Digit0 + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return Vk::LetterA + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return Vk::F1 + (qtKey - Qt::Key_F1);
    return find(mainKeys, qtKey);
}

VirtualKey toVirtualKey(int qtKey, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    VirtualKey key;
    key.code = virtualKeyCode(qtKey, modifiers);
    key.shift = modifiers.testFlag(Qt::ShiftModifier);
    key.ctrl = modifiers.testFlag(Qt::ControlModifier);
    key.alt = modifiers.testFlag(Qt::AltModifier);
    key.mouseButton = buttons != Qt::NoButton;
    return key;
}

VirtualKey toVirtualKey(const QKeyEvent& event) {
    return toVirtualKey(event.key(), event.modifiers(), QGuiApplication::mouseButtons());
}
