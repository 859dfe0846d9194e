#include "ComboItems.h"

#include <QComboBox>
#include <QSignalBlocker>

void replaceComboItems(QComboBox& box, const QStringList& items) {
    const QSignalBlocker blocker(box);
    const QString text = box.currentText();
    box.clear();
    box.addItems(items);
    box.setCurrentIndex(-1);
    if (box.isEditable())
        box.setEditText(text);
}
