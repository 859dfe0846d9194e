#pragma once

#include <span>

// The server's deathmatch rule boxes: object name, caption, the bit each stands for in the
// "dmflags" number (its Tag), and whether it starts checked. "CTF Tech PowerUps" is inverted:
// its bit is set when the box is NOT checked.
struct DeathmatchFlag {
    const char* name;
    const char* caption;
    int tag;
    bool initiallyChecked;
    bool inverted;
};

std::span<const DeathmatchFlag> deathmatchFlags();
