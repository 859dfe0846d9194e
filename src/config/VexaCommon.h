#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <QStringView>

// Text helpers shared by the config reader and writer. Lines and values may be of any length.

// Every occurrence of `c` replaced by `replacement` (an empty one removes it).
QString replaceChar(const QString& text, QChar c, const QString& replacement);

// The pieces between separators, in order: a trailing separator gives an empty last piece, a
// text without one gives one piece (an empty text one empty piece).
QStringList splitAtSeparator(const QString& text, QChar separator);

// Whether the two texts are equal when only the ASCII letters' case is ignored, as the game
// compares commands.
bool equalsIgnoringAsciiCase(QStringView a, QStringView b);

// The text without the characters up to and including the blank (control characters and
// blanks) at both ends.
QString trimBlanks(QStringView text);
// The same as a view into the text.
QStringView trimmedOfBlanks(QStringView text);
// The text without the characters `trims` accepts at both ends, as a view into it.
QStringView trimmedWhere(QStringView text, bool (*trims)(QChar));
// The same; a text with nothing to trim comes back without a copy.
QString trimBlanks(const QString& text);
