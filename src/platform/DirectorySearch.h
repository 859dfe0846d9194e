#pragma once

#include <QString>
#include <QStringList>

enum class EntryFilter {
    OrdinaryOnly, // no hidden entries (names starting with "."; "." and ".." themselves are ordinary)
    All,
};

// Case-insensitive wildcard match over the whole name: '*' any run, '?' one character.
// "*.*" matches every name, also one without a point, as it does on Windows.
bool matchesFilePattern(const QString& name, const QString& pattern);

// The names of the directory's entries (files and directories) that match the pattern, in the
// order the file system returns them, not sorted. "." and ".." are listed when they match.
// A missing or unreadable directory gives an empty list.
QStringList findFiles(const QString& directory, const QString& pattern, EntryFilter filter);
