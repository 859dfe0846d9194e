#pragma once

#include <QStringList>

class QComboBox;

// Replaces every item of a combo box while the text it shows stays as it was and no item is
// selected (current index -1). Qt would otherwise select the first item added to an empty box
// and show its text. The box's own signals are held back meanwhile, so handlers that follow the
// user's choices see nothing; the text and the items end as the caller set them.
//
// Meant for editable boxes; a box that is not editable shows no text once nothing is selected.
void replaceComboItems(QComboBox& box, const QStringList& items);
