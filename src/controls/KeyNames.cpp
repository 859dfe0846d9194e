#include "KeyNames.h"

#include "settings/Engine.h"

#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusTipEvent>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <iterator>

namespace {

namespace Vk = VirtualKeyCode;

struct KeyName {
    int code;
    const char* name;
    const char* otherName = nullptr; // another engine's name of the key
};

// Names the game's bind command accepts; each engine takes those of its own list (Engine.h).
constexpr KeyName namedKeys[] = {
    {Vk::Backspace, ""},
    {Vk::Tab, "TAB"},
    {Vk::Enter, "ENTER"},
    {Vk::Ctrl, "CTRL"},
    {Vk::Alt, "ALT"},
    {Vk::Pause, "PAUSE"},
    {Vk::CapsLock, "CAPSLOCK"},
    {Vk::Escape, "ESCAPE"},
    {Vk::Space, "SPACE"},
    {Vk::PageUp, "PGUP"},
    {Vk::PageDown, "PGDN"},
    {Vk::End, "END"},
    {Vk::Home, "HOME"},
    {Vk::Left, "LEFTARROW"},
    {Vk::Up, "UPARROW"},
    {Vk::Right, "RIGHTARROW"},
    {Vk::Down, "DOWNARROW"},
    {Vk::Insert, "INS"},
    {Vk::Delete, ""},
    {Vk::KeypadMultiply, "*"},
    {Vk::KeypadAdd, "KP_PLUS"},
    {Vk::KeypadSubtract, "KP_MINUS"},
    {Vk::KeypadDecimal, "KP_DEL"},
    {Vk::KeypadDivide, "/"},
    {Vk::NumLock, "NUMLOCK", "KP_NUMLOCK"},
    // A bare ";" would split the game's command line when the config is read back.
    {Vk::Semicolon, "SEMICOLON"},
    {Vk::Equals, "="},
    {Vk::Comma, ","},
    {Vk::Minus, "-"},
    {Vk::Period, "."},
    {Vk::Slash, "/"},
    {Vk::BackQuote, "`"},
    {Vk::LeftBracket, "["},
    {Vk::Backslash, "\\"},
    {Vk::RightBracket, "]"},
    {Vk::Quote, "'"},
};

constexpr int lastNamedFunctionKey = 13;

bool inRange(int code, int first, int count) {
    return code >= first && code < first + count;
}

// The name as the current engine spells it; nothing when it has no such key or refuses to bind
// it. An empty name (clearing) is every engine's.
std::optional<QString> engineSpelling(QStringView name) {
    const Engine engine = currentEngine();
    if (name.isEmpty())
        return QString();
    if (engineRefusesToRebind(engine, name))
        return std::nullopt;
    const QString spelled = engineKeyName(engine, name);
    return spelled.isEmpty() ? std::nullopt : std::optional<QString>(spelled);
}

const KeyName* tableEntry(int code) {
    const auto* entry = std::find_if(std::begin(namedKeys), std::end(namedKeys),
                                     [code](const KeyName& k) { return k.code == code; });
    return entry == std::end(namedKeys) ? nullptr : entry;
}

std::optional<QString> tableName(int code) {
    const KeyName* entry = tableEntry(code);
    if (!entry)
        return std::nullopt;
    if (auto name = engineSpelling(QString::fromLatin1(entry->name)))
        return name;
    if (!entry->otherName)
        return std::nullopt;
    return engineSpelling(QString::fromLatin1(entry->otherName));
}

bool movesFocus(const QKeyEvent& event) {
    return (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) &&
           !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

// Esc cancels the dialog that holds the box.
bool cancelsDialog(const QKeyEvent& event, const QWidget& box) {
    return event.key() == Qt::Key_Escape && event.modifiers() == Qt::NoModifier &&
           qobject_cast<const QDialog*>(box.window());
}

// The window's keys: Alt with a letter (a menu's mnemonic) and F10 open the menus; Ctrl+S,
// Ctrl+O and Ctrl+Q save, open and quit. The game binds no key with Alt held, and F10 is in the
// boxes' menu of other keys.
bool isWindowKey(const QKeyEvent& event) {
    if (event.key() == Qt::Key_F10)
        return event.modifiers() == Qt::NoModifier;
    if (event.matches(QKeySequence::Save) || event.matches(QKeySequence::Open) ||
        event.matches(QKeySequence::Quit))
        return true;
    return (event.modifiers() & Qt::AltModifier) && event.key() >= Qt::Key_A &&
           event.key() <= Qt::Key_Z;
}

// The widest key names a player binds, as the engines spell them (the keypad arrows, the mouse
// wheel); the engines' scancode names are longer still, but bound by hardly anyone.
const char* const WideKeyNames[] = {"KP_DOWNARROW", "KP_RIGHTARROW", "KP_LEFTARROW", "MWHEELDOWN",
                                    "RIGHTARROW",   "BACKSPACE",     "CAPSLOCK"};

// The width of a line edit like `box` that shows `textWidth` pixels of text whole, with the room
// it keeps around its text and for the cursor after it.
int lineEditWidth(const QLineEdit& box, int textWidth) {
    constexpr int innerMargins = 2 * 2 + 1; // the line edit's own margin each side, the cursor
    const QMargins margins = box.textMargins();
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.lineWidth = box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box);
    const QSize contents(textWidth + innerMargins + margins.left() + margins.right(), box.height());
    return box.style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, &box).width();
}

} // namespace

std::optional<QString> keyName(const VirtualKey& key) {
    const int code = key.code;
    if (inRange(code, Vk::Digit0, 10))
        return QString(QChar(code));
    // The game only ever sends lower-case letter codes: a capital's binding would never fire.
    if (inRange(code, Vk::LetterA, 26))
        return QString(QChar(code).toLower());
    if (inRange(code, Vk::Keypad0, 10))
        return QString(QChar(Vk::Digit0 + code - Vk::Keypad0));
    if (inRange(code, Vk::F1, lastNamedFunctionKey))
        return engineSpelling(QStringLiteral("F%1").arg(code - Vk::F1 + 1));
    return tableName(code);
}

std::optional<QString> refusedKeyName(const VirtualKey& key) {
    const Engine engine = currentEngine();
    const KeyName* entry = tableEntry(key.code);
    if (!entry)
        return std::nullopt;
    for (const char* name : {entry->name, entry->otherName}) {
        if (name && engineRefusesToRebind(engine, QString::fromLatin1(name)))
            return QString::fromLatin1(name);
    }
    return std::nullopt;
}

bool tellWhenRefused(QWidget& box, const VirtualKey& key) {
    const std::optional<QString> refused = refusedKeyName(key);
    if (!refused)
        return false;
    QStatusTipEvent tip(
        QStringLiteral("%1 keeps %2 for itself: it cannot be bound")
            .arg(QLatin1String(engineFacts(currentEngine()).displayName), *refused));
    QCoreApplication::sendEvent(&box, &tip);
    return true;
}

void captureKeyName(QWidget* sender, const VirtualKey& key) {
    auto* box = qobject_cast<QLineEdit*>(sender);
    if (box && !tellWhenRefused(*box, key))
        box->setText(keyName(key).value_or(QString()));
}

QStringList otherKeyNames() {
    return {QStringLiteral("SHIFT"), QStringLiteral("DEL"), QStringLiteral("TAB"),
            QStringLiteral("F10")};
}

QStringList mouseKeyNames() {
    return {QStringLiteral("MOUSE1"), QStringLiteral("MOUSE2"),   QStringLiteral("MOUSE3"),
            QStringLiteral("-"),      QStringLiteral("MWHEELUP"), QStringLiteral("MWHEELDOWN")};
}

void addKeyEntries(QMenu& menu, const QStringList& names,
                   const std::function<void(const QString&)>& choose) {
    for (const QString& name : names) {
        if (name == QLatin1String("-")) {
            menu.addSeparator();
            continue;
        }
        // Only keys the engine binds, in its spelling.
        if (const auto spelled = engineSpelling(name))
            menu.addAction(*spelled, &menu, [choose, spelled] { choose(*spelled); });
    }
}

KeyCaptureFilter::KeyCaptureFilter(QLineEdit& box, Handler onRelease)
    : QObject(&box), box_(box), onRelease_(std::move(onRelease)) {
    box.setAcceptDrops(false);
    box.setAttribute(Qt::WA_InputMethodEnabled, false);
    box.installEventFilter(this);
}

KeyCaptureFilter* KeyCaptureFilter::install(QLineEdit& box) {
    box.setContextMenuPolicy(Qt::NoContextMenu);
    return new KeyCaptureFilter(box, [&box](const VirtualKey& key) { captureKeyName(&box, key); });
}

bool KeyCaptureFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Every key but the focus keys and the window's keys is the box's to capture, not a
        // shortcut's. The Alt or Ctrl held for a window's key binds nothing when let go.
        const auto& key = static_cast<QKeyEvent&>(*event);
        if (isWindowKey(key) || cancelsDialog(key, box_))
            down_.clear();
        else if (!movesFocus(key))
            event->accept();
        return false;
    }
    case QEvent::KeyPress:
        return keyPressed(static_cast<QKeyEvent&>(*event));
    case QEvent::KeyRelease:
        keyReleased(static_cast<QKeyEvent&>(*event));
        return false;
    case QEvent::FocusIn:
        down_.clear();
        return false;
    case QEvent::InputMethod:
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        // The middle button pastes the selection on X11.
        return static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton;
    default:
        return QObject::eventFilter(watched, event);
    }
}

bool KeyCaptureFilter::keyPressed(const QKeyEvent& event) {
    if (isWindowKey(event)) {
        // Not the box's: no shortcut took it, and the box must not edit its text with it. Nor
        // does the Alt or Ctrl held for it bind.
        down_.clear();
        return true;
    }
    if (cancelsDialog(event, box_)) {
        down_.clear();
        return false; // the box leaves it to the dialog
    }
    down_.insert(toVirtualKey(event).code);
    return !movesFocus(event);
}

void KeyCaptureFilter::keyReleased(const QKeyEvent& event) {
    if (event.isAutoRepeat())
        return;
    const VirtualKey key = toVirtualKey(event);
    if (down_.remove(key.code))
        onRelease_(key);
}

int keyBoxWidth(const QLineEdit& box) {
    const QFontMetrics metrics = box.fontMetrics();
    int widest = 0;
    for (const char* name : WideKeyNames)
        widest = std::max(widest, metrics.horizontalAdvance(QLatin1String(name)));
    return lineEditWidth(box, widest);
}
