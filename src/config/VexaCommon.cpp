#include "VexaCommon.h"

#include <QVarLengthArray>

#include <algorithm>
#include <optional>

namespace {

constexpr QChar Quote = u'"';

char16_t upperAscii(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') ? char16_t(u - (u'a' - u'A')) : u;
}

bool isBlank(QChar c) {
    return c.unicode() <= u' ';
}

bool isLoneStar(QStringView pattern, qsizetype from) {
    return pattern.size() - from == 1 && pattern[from] == u'*';
}

bool isWildcard(QChar c) {
    return c == u'*' || c == u'?';
}

// The form every line lookup uses, "literal*", is a prefix comparison; the position sets below
// would cost two allocations per line.
std::optional<bool> matchesPrefixPattern(QStringView text, QStringView pattern) {
    if (pattern.isEmpty() || pattern.back() != u'*')
        return std::nullopt;
    const QStringView prefix = pattern.chopped(1);
    if (std::any_of(prefix.begin(), prefix.end(), isWildcard))
        return std::nullopt;
    return text.size() >= prefix.size() &&
           EqualsIgnoringAsciiCase(text.first(prefix.size()), prefix);
}

// The value of a line that matches the key: the rest trimmed, and unquoted when quoted.
QString valueAfterKey(const QString& line, const QString& key) {
    QString value = trimBlanks(QStringView(line).mid(key.size()));
    if (value.startsWith(Quote))
        value = unquoteValue(value);
    return value;
}

// A line's signature: its first SignatureChars characters, one byte each, letters a-z made
// upper case and every character beyond ASCII the same byte; zero bytes past the end. Characters
// that match as MatchesWildcard compares them have equal bytes, so a line whose signature differs
// from the key's where the key has plain characters cannot match. The first character is the
// highest byte.
constexpr qsizetype SignatureChars = 8;

quint64 signature(QStringView text, qsizetype count) {
    const qsizetype n = std::min(count, text.size());
    quint64 bytes = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = upperAscii(text[i]);
        bytes = bytes << 8 | (u < 0x80 ? u : 0x80);
    }
    return n == 0 ? 0 : bytes << (8 * (SignatureChars - n));
}

// The characters of the key before its first wildcard, at most SignatureChars.
qsizetype plainPrefixLength(QStringView key) {
    qsizetype n = 0;
    while (n < std::min(key.size(), SignatureChars) && !isWildcard(key[n]))
        ++n;
    return n;
}

} // namespace

CfgLookup FindCfgValue(const QStringList& cfgLines, const QString& key) {
    const QString pattern = key + u'*';
    for (const QString& line : cfgLines) {
        if (!MatchesWildcard(line, pattern))
            continue;
        if (QString value = valueAfterKey(line, key); !value.isEmpty())
            return {true, value};
    }
    return {};
}

CfgLineFinder::CfgLineFinder(const QStringList& cfgLines) : lines_(cfgLines) {
    const size_t count = size_t(cfgLines.size());
    signatures_.reserve(count);
    for (const QString& line : cfgLines)
        signatures_.push_back(signature(line, SignatureChars));
    // Chains of the lines that share a whole signature, in file order, built from the end.
    next_.assign(count, NoLine);
    for (size_t i = count; i-- > 0;) {
        const auto head = firstLine_.find(signatures_[i]);
        if (head == firstLine_.end()) {
            firstLine_.insert(signatures_[i], quint32(i));
        } else {
            next_[i] = *head;
            *head = quint32(i);
        }
    }
}

CfgLookup CfgLineFinder::find(const QString& key) const {
    const qsizetype plain = plainPrefixLength(key);
    const quint64 wanted = signature(key, plain);
    const QString pattern = key + u'*';
    const auto tryLine = [&](size_t i) -> std::optional<CfgLookup> {
        const QString& line = lines_[qsizetype(i)];
        if (!MatchesWildcard(line, pattern))
            return std::nullopt;
        QString value = valueAfterKey(line, key);
        return value.isEmpty() ? std::nullopt : std::optional(CfgLookup{true, value});
    };
    if (plain == SignatureChars) {
        // Most keys fill the signature: only the lines of that very signature can match.
        for (quint32 i = firstLine_.value(wanted, NoLine); i != NoLine; i = next_[i]) {
            if (const auto found = tryLine(i))
                return *found;
        }
        return {};
    }
    // A shorter key: every line whose signature begins with the key's characters.
    const int freeBits = int(8 * (SignatureChars - plain));
    const quint64 mask = freeBits == 64 ? 0 : ~quint64(0) << freeBits;
    for (size_t i = 0; i < signatures_.size(); ++i) {
        if ((signatures_[i] & mask) != wanted)
            continue;
        if (const auto found = tryLine(i))
            return *found;
    }
    return {};
}

// One pass over the text, keeping the set of pattern positions reached so far; linear in the
// text for the short patterns used here.
bool MatchesWildcard(QStringView text, QStringView pattern) {
    if (const auto prefixMatch = matchesPrefixPattern(text, pattern))
        return *prefixMatch;
    const qsizetype m = pattern.size();
    QVarLengthArray<char, 64> first(m + 1, 0), second(m + 1, 0);
    char* reached = first.data();
    char* next = second.data();
    reached[0] = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A star may match nothing, but only while text remains.
        for (qsizetype j = 0; j < m; ++j) {
            if (reached[j] && pattern[j] == u'*')
                reached[j + 1] = 1;
        }
        std::fill(next, next + m + 1, 0);
        bool any = false;
        for (qsizetype j = 0; j < m; ++j) {
            if (!reached[j])
                continue;
            if (isLoneStar(pattern, j))
                return true;
            const QChar p = pattern[j];
            if (p == u'*')
                next[j] = 1;
            else if (p == u'?' || upperAscii(p) == upperAscii(text[i]))
                next[j + 1] = 1;
            else
                continue;
            any = true;
        }
        if (!any)
            return false;
        std::swap(reached, next);
    }
    for (qsizetype j = 0; j <= m; ++j) {
        if (reached[j] && (j == m || isLoneStar(pattern, j)))
            return true;
    }
    return false;
}

qsizetype indexOfChar(QStringView text, QChar c) {
    // Qt 6.4 looks for a single character with its general string search, dearer than this
    // loop over the few characters of a config word.
    const auto at = std::find(text.begin(), text.end(), c);
    return at == text.end() ? -1 : at - text.begin();
}

ThreeViews SplitInThreeViews(QStringView line, QChar separator) {
    const qsizetype first = indexOfChar(line, separator);
    if (first < 0)
        return {line, line, line};
    const QStringView rest = line.mid(first + 1);
    const qsizetype second = indexOfChar(rest, separator);
    if (second < 0)
        return {line.left(first), rest, rest};
    return {line.left(first), rest.left(second), rest.mid(second + 1)};
}

ThreeParts SplitInThree(const QString& line, QChar separator) {
    const ThreeViews views = SplitInThreeViews(line, separator);
    return {views.first.toString(), views.second.toString(), views.third.toString()};
}

QString ReplaceChar(const QString& text, QChar c, const QString& replacement) {
    QString result = text;
    return result.replace(c, replacement);
}

QStringList SplitAtSeparator(const QString& text, QChar separator) {
    return text.split(separator, Qt::KeepEmptyParts);
}

bool EqualsIgnoringAsciiCase(QStringView a, QStringView b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](QChar x, QChar y) {
               return upperAscii(x) == upperAscii(y);
           });
}

QStringView trimmedWhere(QStringView text, bool (*trims)(QChar)) {
    qsizetype begin = 0, end = text.size();
    while (begin < end && trims(text[begin]))
        ++begin;
    while (end > begin && trims(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

QStringView trimmedOfBlanks(QStringView text) {
    return trimmedWhere(text, isBlank);
}

QString trimBlanks(const QString& text) {
    const QStringView trimmed = trimmedOfBlanks(text);
    return trimmed.size() == text.size() ? text : trimmed.toString();
}

QString trimBlanks(QStringView text) {
    return trimmedOfBlanks(text).toString();
}

QString unquoteValue(QStringView text) {
    QString value;
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (text[i] == Quote) {
            if (i + 1 < text.size() && text[i + 1] == Quote) {
                value += Quote;
                ++i;
                continue;
            }
            break;
        }
        value += text[i];
    }
    return value;
}
