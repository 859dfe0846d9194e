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

// The game's name of a released key. An empty name (Backspace, Delete) clears a binding; no name
// at all means the key cannot be bound by pressing it.
std::optional<QString> keyName(const VirtualKey& key);

// Key capture for a plain edit box: its text becomes the name of the released key, or empty when
// the key has no name. Anything but an edit box is left alone.
void CaptureKeyName(QWidget* sender, const VirtualKey& key);

// The popup entries of the capture boxes, "-" standing for a separator: keys that have no key to
// press (Shift alone, Delete and Tab, which other keys clear or the focus takes), and the mouse.
QStringList otherKeyNames();
QStringList mouseKeyNames();

// Popup entries for the keys that cannot be captured by pressing them: one entry per name, "-"
// standing for a separator; choosing an entry hands its name to `choose`.
void addKeyEntries(QMenu& menu, const QStringList& names,
                   const std::function<void(const QString&)>& choose);

// Makes an edit box capture keys instead of taking text: typed characters and the other ways of
// entering text (pasting, dropping, input methods) are discarded, and every release of a key that
// went down in the box is handed to the handler. A release whose key went down elsewhere (Tab
// moving the focus in, Enter closing a dialog above the box) is ignored. Tab still moves the focus.
class KeyCaptureFilter : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(const VirtualKey&)>;

    // Owned by the box.
    KeyCaptureFilter(QLineEdit& box, Handler onRelease);

    // The plain capture boxes: releases go to CaptureKeyName, and the box has no standard context
    // menu (its Paste would bypass the capture).
    static KeyCaptureFilter* install(QLineEdit& box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPressed(const QKeyEvent& event);
    void keyReleased(const QKeyEvent& event);

    Handler onRelease_;
    QSet<int> down_; // virtual-key codes that went down in the box
};
