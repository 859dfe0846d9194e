#pragma once

#include "Engine.h"

#include <QString>
#include <QStringView>

#include <span>

// The values an engine takes for the cvars Vexa knows a range of, from the engines' sources.
struct CvarRange {
    const char* cvar;
    Engine engine;
    double low;
    double high;
    bool lowExcluded;                  // `low` itself is outside too
    std::span<const double> onlyThese; // when not empty, the only values that count
    const char* outside;               // what the game does with a value outside, or whose range
};

// The range of `cvar` (exact letter case) for `engine`, or null when Vexa knows none.
const CvarRange* cvarRange(Engine engine, QStringView cvar);

// Every row of the table, for tests and documentation.
std::span<const CvarRange> cvarRanges();

// The number a cvar holds for the text, as the engines read it with atof: leading blanks, a sign,
// digits with one point and an exponent; 0 when the text starts with none of that.
double cvarNumber(QStringView text);

bool isInRange(const CvarRange& range, double value);

// The range in words: "1 to 160", "above 0", "11 or 22", "11, 22, 44 or 48".
QString describeRange(const CvarRange& range);
