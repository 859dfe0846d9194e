#include "DirectorySearch.h"

#include <QDir>
#include <QDirIterator>

#include <algorithm>

namespace {

bool sameLetter(QChar a, QChar b) {
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

// '*' matches any run, '?' one character; on a mismatch the last '*' takes one more character.
bool wildcardMatch(QStringView name, QStringView pattern) {
    qsizetype n = 0;
    qsizetype p = 0;
    qsizetype starAt = -1;
    qsizetype starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starAt = p++;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == u'?' || sameLetter(pattern[p], name[n]))) {
            ++n;
            ++p;
        } else if (starAt >= 0) {
            p = starAt + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

bool isHidden(const QString& name, const QDirIterator& it) {
    if (name.startsWith(QLatin1Char('.')) && name != QLatin1String(".") &&
        name != QLatin1String(".."))
        return true;
#ifdef Q_OS_WIN
    return it.fileInfo().isHidden();
#else
    Q_UNUSED(it);
    return false;
#endif
}

// A letter's place in the name order: its upper-case form.
char16_t orderKey(QChar c) {
    return c.toUpper().unicode();
}

} // namespace

bool nameOrderLess(QStringView a, QStringView b) {
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        if (a[i] != b[i] && orderKey(a[i]) != orderKey(b[i]))
            return orderKey(a[i]) < orderKey(b[i]);
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

void sortByName(QStringList& names) {
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return nameOrderLess(a, b); });
}

bool matchesFilePattern(const QString& name, const QString& pattern) {
    if (wildcardMatch(name, pattern))
        return true;
    // As on Windows, a final ".*" also matches no extension at all: "*.*" matches "readme".
    return pattern.endsWith(QLatin1String(".*")) &&
           wildcardMatch(name, QStringView(pattern).chopped(2));
}

QStringList findFiles(const QString& directory, const QString& pattern, EntryFilter filter) {
    QStringList names;
    // System brings special files and dangling links.
    QDirIterator it(directory, QDir::AllEntries | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (!matchesFilePattern(name, pattern))
            continue;
        if (filter == EntryFilter::OrdinaryOnly && isHidden(name, it))
            continue;
        names << name;
    }
    sortByName(names);
    return names;
}
