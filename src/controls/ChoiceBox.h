#pragma once

#include <QStringList>

class QComboBox;

// Editable choice boxes keep the text the user typed and have no entry selected unless the
// program selects one (Qt selects the first entry added to an empty box).

// Makes the box editable; typed text is kept as typed and never becomes an entry.
void setUpChoiceBox(QComboBox& box);

// Replaces the entries; the text stays and no entry is selected.
void replaceChoiceItems(QComboBox& box, const QStringList& items);
