#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Numbers as config lines carry them. The decimal separator is always a point: the game reads
// nothing else.

// A masked edit's shown text with every blank position made "0", the point kept:
// " .  5" gives "0.005", "1.  " gives "1.00".
QString maskedNumberText(const QString& displayText);

// Shortest decimal form with up to 15 significant digits, no exponent, no trailing zeros:
// 0.175, 1, 9.75, 0.025.
QString decimalText(double value);

// The number the game makes of a config value: the longest leading decimal number after blanks
// ("95.5", ".14", "-0.022", "1e2"), and 0 when there is none ("x", "").
double gameNumber(QStringView text);
// The same rounded to the nearest whole number (halves to the even one), or cut toward zero as
// the game does where it wants a whole number (a video mode, the deathmatch flags); both held
// within the int range.
int roundedGameNumber(QStringView text);
int truncatedGameNumber(QStringView text);

// What a masked number field of one whole digit and `decimals` decimals shows for a config
// value exactly, before its blanks: "0.14" for ".14", "1." for "1", "0.005" for "0.0050" in a
// field of three decimals; nothing when the field cannot show the value exactly (a sign, 10 or
// more, more decimals than it has, anything but digits and one point).
std::optional<QString> maskedFieldText(QStringView value, int decimals);

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
