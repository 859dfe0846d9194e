#pragma once

#include "ProfileFile.h"

class QListWidget;
class QListWidgetItem;

// The check-list boxes show profile entries; a mark set by the program never reaches the user's
// click handler (connected to itemChanged).

// Replaces the list's items by checkable ones with the given texts and marks.
void fillCheckList(QListWidget& list, const QVector<ProfileItem>& items);

using ProfileListLoader = QVector<ProfileItem> (*)(const QString& profile);
// Empties the list, then fills it from load(profile). When the load throws, the list stays empty
// and the error goes on to the caller.
void refillCheckList(QListWidget& list, ProfileListLoader load, const QString& profile);

// Sets one item's mark.
void setCheckMark(QListWidgetItem& item, bool checked);
