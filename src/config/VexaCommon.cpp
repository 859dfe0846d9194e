#include "VexaCommon.h"

#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <numeric>
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
// highest byte, so the lines that begin alike sort together.
constexpr qsizetype SignatureChars = 8;

quint64 signature(QStringView text, qsizetype count) {
    quint64 bytes = 0;
    for (qsizetype i = 0; i < std::min(count, text.size()); ++i) {
        const char16_t u = upperAscii(text[i]);
        bytes |= quint64(u < 0x80 ? u : 0x80) << (8 * (SignatureChars - 1 - i));
    }
    return bytes;
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

// Sorts by signature, lines of equal signature staying in file order: a stable radix sort, one
// pass per byte (a pass where every line has the same byte is skipped), linear in the lines.
void CfgLineFinder::sortBySignature(std::vector<Signed>& entries) {
    std::vector<Signed> sorted(entries.size());
    for (int shift = 0; shift < 64; shift += 8) {
        const auto byte = [shift](const Signed& e) { return size_t(e.signature >> shift) & 0xFF; };
        std::array<size_t, 257> starts{};
        for (const Signed& e : entries)
            ++starts[byte(e) + 1];
        if (std::find(starts.begin(), starts.end(), entries.size()) != starts.end())
            continue;
        std::partial_sum(starts.begin(), starts.end(), starts.begin());
        for (const Signed& e : entries)
            sorted[starts[byte(e)]++] = e;
        entries.swap(sorted);
    }
}

CfgLineFinder::CfgLineFinder(const QStringList& cfgLines) : lines_(cfgLines) {
    sorted_.reserve(size_t(cfgLines.size()));
    for (qsizetype i = 0; i < cfgLines.size(); ++i)
        sorted_.push_back({signature(cfgLines[i], SignatureChars), quint32(i)});
    sortBySignature(sorted_);
}

CfgLookup CfgLineFinder::find(const QString& key) const {
    // The lines that can match have the key's plain characters as the first bytes of their
    // signature: one run of the sorted signatures. They are tried in file order.
    const qsizetype plain = plainPrefixLength(key);
    const quint64 lowest = signature(key, plain);
    const int freeBits = int(8 * (SignatureChars - plain));
    const quint64 highest = lowest | (freeBits == 64 ? ~quint64(0) : (quint64(1) << freeBits) - 1);
    const auto from = std::lower_bound(sorted_.begin(), sorted_.end(), Signed{lowest, 0});
    const auto to = std::upper_bound(from, sorted_.end(), Signed{highest, ~quint32(0)});
    QVarLengthArray<quint32, 64> candidates;
    for (auto it = from; it != to; ++it)
        candidates.append(it->line);
    std::sort(candidates.begin(), candidates.end());

    const QString pattern = key + u'*';
    for (const quint32 i : candidates) {
        const QString& line = lines_[qsizetype(i)];
        if (!MatchesWildcard(line, pattern))
            continue;
        if (QString value = valueAfterKey(line, key); !value.isEmpty())
            return {true, value};
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

QStringView trimmedOfBlanks(QStringView text) {
    qsizetype begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
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
