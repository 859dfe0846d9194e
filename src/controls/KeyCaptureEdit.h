#pragma once

#include <QLineEdit>

class QMenu;
class PopupMenuOnDemand;
struct VirtualKey;

// A key-capture edit box: typing never edits it; releasing a key shows the key's name, and a
// popup menu offers the keys that cannot be captured by pressing them.
class KeyCaptureEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit KeyCaptureEdit(QWidget* owner = nullptr);

    // Absent until the first right-button press.
    QMenu* popupMenu() const;

private:
    void keyCaptured(const VirtualKey& key);
    QMenu* newPopupMenu();

    PopupMenuOnDemand* popup_;
};
