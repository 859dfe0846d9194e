#include "ChoiceBox.h"

#include <QComboBox>
#include <QSignalBlocker>

void setUpChoiceBox(QComboBox& box) {
    box.setEditable(true);
    // Enter would otherwise add the typed text as an entry of its own.
    box.setInsertPolicy(QComboBox::NoInsert);
    // Qt's completion would replace the typed text by an entry that matches it in another
    // letter case.
    box.setCompleter(nullptr);
}

void replaceChoiceItems(QComboBox& box, const QStringList& items) {
    const QString text = box.currentText();
    const QSignalBlocker blocker(box);
    box.clear();
    box.addItems(items);
    box.setCurrentIndex(-1);
    box.setEditText(text);
}
