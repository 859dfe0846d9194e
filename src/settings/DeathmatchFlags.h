#pragma once

#include <functional>
#include <span>

// The server's deathmatch rule boxes: object name, caption, the bit each stands for in the
// "dmflags" number (its Tag), and whether it starts checked. "CTF Tech PowerUps" is inverted:
// its bit is set when the box is NOT checked. The layout creates the boxes from this table, and
// the config reader and writer use the same rows.
struct DeathmatchFlag {
    const char* name;
    const char* caption;
    int tag;
    bool initiallyChecked;
    bool inverted;
};

std::span<const DeathmatchFlag> deathmatchFlags();

// The flag number: the sum of the bits of the checked boxes (of the unchecked inverted one).
int deathmatchFlagNumber(const std::function<bool(const DeathmatchFlag&)>& isChecked);

// Whether the box is checked for a flag number.
bool deathmatchFlagChecked(const DeathmatchFlag& flag, int number);
