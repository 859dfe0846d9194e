#pragma once

#include <QString>

// Numbers as config lines carry them. The decimal separator is always a point: the game reads
// nothing else, and the reader takes what the writer writes.

// A masked edit's shown text with every blank position made "0", the point kept:
// " .  5" gives "0.005", "1.  " gives "1.00".
QString maskedNumberText(const QString& displayText);

// Shortest decimal form with up to 15 significant digits, no exponent, no trailing zeros:
// 0.175, 1, 9.75, 0.025.
QString decimalText(double value);

// A decimal number with an optional sign, point and exponent ("0.25", "-1", ".5", "1e2").
// Anything else, an empty text included, throws VexaError
// "'%s' is not a valid floating point value".
double parseDecimal(const QString& text);

// A decimal whole number with an optional sign within the int range. Anything else ("800.5",
// "", "1 // x") throws VexaError "'%s' is not a valid integer value".
int parseWholeNumber(QStringView text);

// Track bars hold a position; the config holds position times a step.
namespace TrackBarStep {
inline constexpr double Gamma = 0.25;      // barGamma, vid_gamma
inline constexpr double Volume = 0.025;    // barVolume, s_volume
inline constexpr double Sensitivity = 1.0; // barSensitivity, sensitivity
} // namespace TrackBarStep

// The value a position stands for, as written: decimalText(position * step).
QString trackBarValueText(int position, double step);

// The position for a value: value / step rounded to the nearest whole number, halves to the even
// neighbour, held within the int range (the track bar limits it to its own range).
int trackBarPosition(double value, double step);

// The position for a value text; throws like parseDecimal.
int trackBarPosition(const QString& valueText, double step);
