#pragma once

#include <QChar>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

// Line helpers shared by the config reader and writer and the launch code. Lines and values may
// be of any length.

// Result of a line lookup: whether a non-empty value was found, and the value.
struct CfgLookup {
    bool found = false;
    QString value;
    friend bool operator==(const CfgLookup&, const CfgLookup&) = default;
};

// The first line that matches key + "*" (MatchesWildcard) and has a non-empty value after the
// key's length: the rest of the line trimmed (trimBlanks) and, when it begins with a double
// quote, unquoted (unquoteValue). Lines whose value is empty are passed over.
CfgLookup FindCfgValue(const QStringList& cfgLines, const QString& key);

// FindCfgValue for many keys over the same lines, with the same results. A signature of each
// line's first characters, made once, takes a lookup straight to the lines that can match: the
// lines of the key's signature, or for a key shorter than a signature, the lines whose
// signature begins with it. `cfgLines` must outlive the finder and stay unchanged.
class CfgLineFinder {
public:
    explicit CfgLineFinder(const QStringList& cfgLines);
    CfgLookup find(const QString& key) const;

private:
    static constexpr quint32 NoLine = ~quint32(0);
    const QStringList& lines_;
    std::vector<quint64> signatures_;
    std::vector<quint32> next_;         // the next line of the same signature, or NoLine
    QHash<quint64, quint32> firstLine_; // each signature's first line
};

// Whether the whole text matches the pattern, letters a-z compared without regard to case:
// "*" matches any run of characters, "?" exactly one, every other character itself. A rest of
// the pattern that is exactly "*" matches any rest of the text; an empty text matches only ""
// and "*".
bool MatchesWildcard(QStringView text, QStringView pattern);

// Exactly three parts: before the first separator, between the first and the second, and
// everything after the second. Where a separator is missing the remainder stands in: "a" gives
// a, a, a and "bind K" gives bind, K, K.
struct ThreeParts {
    QString first;
    QString second;
    QString third;
    friend bool operator==(const ThreeParts&, const ThreeParts&) = default;
};
ThreeParts SplitInThree(const QString& line, QChar separator);

// The same parts as views into the line, copying nothing.
struct ThreeViews {
    QStringView first;
    QStringView second;
    QStringView third;
};
ThreeViews SplitInThreeViews(QStringView line, QChar separator);

// The position of the first `c` in the text, or -1.
qsizetype indexOfChar(QStringView text, QChar c);

// Every occurrence of `c` replaced by `replacement` (an empty one removes it).
QString ReplaceChar(const QString& text, QChar c, const QString& replacement);

// The pieces between separators, in order: a trailing separator gives an empty last piece, a
// text without one gives one piece (an empty text one empty piece).
QStringList SplitAtSeparator(const QString& text, QChar separator);

// Whether the two texts are equal when only the ASCII letters' case is ignored, as the game
// compares commands.
bool EqualsIgnoringAsciiCase(QStringView a, QStringView b);

// The text without the characters up to and including the blank (control characters and
// blanks) at both ends.
QString trimBlanks(QStringView text);
// The same as a view into the text.
QStringView trimmedOfBlanks(QStringView text);
// The text without the characters `trims` accepts at both ends, as a view into it.
QStringView trimmedWhere(QStringView text, bool (*trims)(QChar));
// The same; a text with nothing to trim comes back without a copy.
QString trimBlanks(const QString& text);

// `text` begins with a double quote: the characters up to the next lone double quote, two in a
// row standing for one; without a closing quote, the rest.
QString unquoteValue(QStringView text);
