#include "KeyCaptureEdit.h"

#include "ControlParts.h"
#include "FontScale.h"
#include "KeyNames.h"

#include <QMenu>

KeyCaptureEdit::KeyCaptureEdit(QWidget* owner) : QLineEdit(owner) {
    setFixedWidth(fontScaled(85));
    new KeyCaptureFilter(*this, [this](const VirtualKey& key) { keyCaptured(key); });
    popup_ = new PopupMenuOnDemand(*this, [this] { return newPopupMenu(); });
}

QMenu* KeyCaptureEdit::popupMenu() const {
    return popup_->menu();
}

void KeyCaptureEdit::keyCaptured(const VirtualKey& key) {
    // A key without a name (Shift among them), or one the engine keeps, leaves the box as it was.
    if (tellWhenRefused(*this, key))
        return;
    if (const auto name = keyName(key))
        setText(*name);
}

QMenu* KeyCaptureEdit::newPopupMenu() {
    auto* menu = new QMenu(this);
    QMenu* other = menu->addMenu(QStringLiteral("Bind Other Keys"));
    addKeyEntries(*other, otherKeyNames() + QStringList{QStringLiteral("-")} + mouseKeyNames(),
                  [this](const QString& name) { setText(name); });
    return menu;
}
