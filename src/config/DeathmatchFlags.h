#pragma once

#include <functional>
#include <span>

class QWidget;

// The game-rule check boxes of the Server tab and the bits they stand for in "dmflags". The
// layout creates the boxes from this table, in its order, and the config reader and writer use
// the same rows.
struct DeathmatchFlag {
    const char* name;    // objectName: "cbxNoHealth"
    const char* caption; // "No Health"
    int tag;             // the bit
    bool initiallyChecked;
    bool inverted; // the bit is set when the box is NOT checked
};

std::span<const DeathmatchFlag> deathmatchFlags();

// The flag number: the sum of the bits of the checked boxes (of the unchecked inverted one).
int deathmatchFlagNumber(const std::function<bool(const DeathmatchFlag&)>& isChecked);

// Whether the box is checked for a flag number.
bool deathmatchFlagChecked(const DeathmatchFlag& flag, int number);

// The same over the boxes below `root`, found by objectName; a missing box counts as unchecked
// and is left alone when applying.
int deathmatchFlagNumber(const QWidget& root);
void applyDeathmatchFlags(QWidget& root, int number);
