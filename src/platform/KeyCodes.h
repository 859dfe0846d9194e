#pragma once

#include <Qt>

class QKeyEvent;

// Windows virtual-key codes of the keys the key-name table knows.
namespace VirtualKeyCode {
constexpr int Unknown = 0;
constexpr int Backspace = 8;
constexpr int Tab = 9;
constexpr int Clear = 12;
constexpr int Enter = 13;
constexpr int Shift = 16;
constexpr int Ctrl = 17;
constexpr int Alt = 18;
constexpr int Pause = 19;
constexpr int CapsLock = 20;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int PrintScreen = 44;
constexpr int Insert = 45;
constexpr int Delete = 46;
constexpr int Digit0 = 48;  // to Digit0 + 9
constexpr int LetterA = 65; // to LetterA + 25
constexpr int LeftWindows = 91;
constexpr int Applications = 93;
constexpr int Keypad0 = 96; // to Keypad0 + 9
constexpr int KeypadMultiply = 106;
constexpr int KeypadAdd = 107;
constexpr int KeypadSubtract = 109;
constexpr int KeypadDecimal = 110;
constexpr int KeypadDivide = 111;
constexpr int F1 = 112; // to F1 + 23 (F24)
constexpr int NumLock = 144;
constexpr int ScrollLock = 145;
constexpr int Semicolon = 186;
constexpr int Equals = 187;
constexpr int Comma = 188;
constexpr int Minus = 189;
constexpr int Period = 190;
constexpr int Slash = 191;
constexpr int BackQuote = 192;
constexpr int LeftBracket = 219;
constexpr int Backslash = 220;
constexpr int RightBracket = 221;
constexpr int Quote = 222;
} // namespace VirtualKeyCode

// A key as the key-name table sees it: its Windows virtual-key code and the modifiers held when
// it was released.
struct VirtualKey {
    int code = VirtualKeyCode::Unknown; // 0 to 255; 0 when the key has no code
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool mouseButton = false; // any mouse button held

    friend bool operator==(const VirtualKey&, const VirtualKey&) = default;
};

// The virtual-key code of a Qt key. Keys that Qt reports by their shifted character on a US layout
// (Qt::Key_Colon, Qt::Key_Exclam, ...) give the code of the key that carries it, and keypad keys
// (Qt::KeypadModifier) give the keypad codes whatever the Num Lock state.
int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

VirtualKey toVirtualKey(int qtKey, Qt::KeyboardModifiers modifiers,
                        Qt::MouseButtons buttons = Qt::NoButton);

// The key of a key event, with the mouse buttons held at this moment.
VirtualKey toVirtualKey(const QKeyEvent& event);
