#pragma once

#include "platform/KeyCodes.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QLineEdit;
class QMenu;
class QWidget;

// The game's name of a released key, as the current engine spells it; a letter in lower case,
// Shift or not. An empty name (Backspace, Delete) clears a binding; no name at all means the key
// cannot be bound by pressing it, or the engine has no such key or refuses to rebind it.
std::optional<QString> keyName(const VirtualKey& key);

// The name of a key the current engine refuses to rebind (Yamagi's ESCAPE), or nothing.
std::optional<QString> refusedKeyName(const VirtualKey& key);
// Says on the hint line, through a status tip of `box`, that the engine keeps the key for itself;
// false when it does not.
bool tellWhenRefused(QWidget& box, const VirtualKey& key);

// Key capture for a plain edit box: its text becomes the name of the released key, or empty when
// the key has no name; a key the engine keeps for itself leaves the box as it was, and the hint
// line says why. Anything but an edit box is left alone.
void captureKeyName(QWidget* sender, const VirtualKey& key);

// Popup entries of the capture boxes for what a key press cannot give: Shift (its release names
// nothing), Delete (it clears), Tab (it moves the focus), and the mouse ("-" is a separator).
QStringList otherKeyNames();
QStringList mouseKeyNames();

// Popup entries for the keys that cannot be captured by pressing them: one entry per name the
// current engine binds, in its spelling, "-" standing for a separator; choosing an entry hands
// its name to `choose`.
void addKeyEntries(QMenu& menu, const QStringList& names,
                   const std::function<void(const QString&)>& choose);

// The width a key box like `box` needs to show the widest key names a player binds whole (the
// keypad arrows, MWHEELDOWN). Measuring costs: a window measures once for all its key boxes.
int keyBoxWidth(const QLineEdit& box);

// Makes an edit box capture keys instead of taking text: typed characters and the other ways of
// entering text (pasting, dropping, input methods) are discarded, and every release of a key that
// went down in the box is handed to the handler. A release whose key went down elsewhere (Tab
// moving the focus in, Enter closing a dialog above the box) is ignored. Tab still moves the focus,
// the window's keys (Alt with a letter, F10, Ctrl+S, Ctrl+O, Ctrl+Q) reach the menus and
// shortcuts, and Esc cancels a dialog holding the box; every other key goes to the box even where
// it is a shortcut of the window.
class KeyCaptureFilter : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(const VirtualKey&)>;

    // Owned by the box.
    KeyCaptureFilter(QLineEdit& box, Handler onRelease);

    // The plain capture boxes: releases go to captureKeyName, and the box has no standard context
    // menu (its Paste would bypass the capture).
    static KeyCaptureFilter* install(QLineEdit& box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPressed(const QKeyEvent& event);
    void keyReleased(const QKeyEvent& event);

    QLineEdit& box_;
    Handler onRelease_;
    QSet<int> down_; // virtual-key codes that went down in the box
};
