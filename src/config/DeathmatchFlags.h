#pragma once

#include "settings/DeathmatchFlags.h"

class QWidget;

// The flags over the boxes below `root`, found by objectName; a missing box counts as unchecked
// and is left alone when applying.
int deathmatchFlagNumber(const QWidget& root);
void applyDeathmatchFlags(QWidget& root, int number);
