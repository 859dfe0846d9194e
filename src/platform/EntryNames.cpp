#include "EntryNames.h"

#include "DirectorySearch.h"

#include <algorithm>

namespace EntryNames {

QString asciiLower(const QString& name) {
    QString lower = name;
    for (QChar& c : lower)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return lower;
}

bool hasThreeLetterExtension(const QString& name) {
    if (name == QLatin1String("."))
        return true;
    const qsizetype at = name.size() >= 4 ? name.size() - 4 : 0;
    return !name.isEmpty() && name[at] == QLatin1Char('.');
}

QStringList untilRepeated(const QStringList& names) {
    QStringList kept;
    for (const QString& name : names) {
        if (!kept.isEmpty() && kept.back() == name)
            break;
        kept << name;
    }
    return kept;
}

QStringList sortedOnce(QStringList names) {
    sortByName(names);
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

QStringList searchEntries(const QString& directory, const QString& pattern) {
    if (directory.isEmpty())
        return {};
    return untilRepeated(findFiles(directory, pattern, EntryFilter::OrdinaryOnly));
}

} // namespace EntryNames
