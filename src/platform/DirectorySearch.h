#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

enum class EntryFilter {
    OrdinaryOnly, // no hidden entries (names starting with "."; "." and ".." themselves are
                  // ordinary)
    All,
};

// Case-insensitive wildcard match over the whole name: '*' any run, '?' one character.
// "*.*" matches every name, also one without a point, as it does on Windows.
bool matchesFilePattern(const QString& name, const QString& pattern);

// The names of the directory's entries (files and directories) that match the pattern, in
// case-insensitive name order (sortByName). "." and ".." are listed when they match. A missing or
// unreadable directory gives an empty list.
QStringList findFiles(const QString& directory, const QString& pattern, EntryFilter filter);

// Case-insensitive name order, the order the Windows file system lists a folder in: names
// compared by their upper-case letters, so "_" comes after the letters; names that differ only in
// letter case in their exact order. Linux lists a folder in an order of its own, which changes
// from one file system to the next.
void sortByName(QStringList& names);
bool nameOrderLess(QStringView a, QStringView b);
