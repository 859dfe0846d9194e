#include "VexaCommon.h"

#include <QVarLengthArray>

#include <algorithm>

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

// What MatchesWildcard(line, key + "*") gives for a key without wildcards, without its setup
// cost: a config of a million lines is searched for some fifty keys.
bool beginsWithKey(QStringView line, QStringView key) {
    if (line.size() < key.size())
        return false;
    for (qsizetype i = 0; i < key.size(); ++i)
        if (upperAscii(line[i]) != upperAscii(key[i]))
            return false;
    return true;
}

bool hasWildcard(QStringView text) {
    return text.contains(u'*') || text.contains(u'?');
}

} // namespace

CfgLookup FindCfgValue(const QStringList& cfgLines, const QString& key) {
    const QString pattern = key + u'*';
    const bool plainKey = !hasWildcard(key);
    for (const QString& line : cfgLines) {
        if (plainKey ? !beginsWithKey(line, key) : !MatchesWildcard(line, pattern))
            continue;
        QString value = trimBlanks(QStringView(line).mid(key.size()));
        if (value.startsWith(Quote))
            value = unquoteValue(value);
        if (!value.isEmpty())
            return {true, value};
    }
    return {};
}

// One pass over the text, keeping the set of pattern positions reached so far; linear in the
// text for the short patterns used here.
bool MatchesWildcard(QStringView text, QStringView pattern) {
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

ThreeParts SplitInThree(const QString& line, QChar separator) {
    QString rest = line;
    const auto take = [&] {
        const qsizetype at = rest.indexOf(separator);
        if (at < 0)
            return rest;
        const QString part = rest.left(at);
        rest = rest.mid(at + 1);
        return part;
    };
    ThreeParts parts;
    parts.first = take();
    parts.second = take();
    parts.third = rest;
    return parts;
}

QString ReplaceChar(const QString& text, QChar c, const QString& replacement) {
    QString result = text;
    return result.replace(c, replacement);
}

QStringList SplitAtSeparator(const QString& text, QChar separator) {
    return text.split(separator, Qt::KeepEmptyParts);
}

QString trimBlanks(QStringView text) {
    qsizetype begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin).toString();
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
