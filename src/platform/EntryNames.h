#pragma once

#include <QString>
#include <QStringList>

// Rules shared by the searches that turn directory entries into list items.
namespace EntryNames {

// Turns the ASCII letters A to Z into a to z; every other character stays as it is.
QString asciiLower(const QString& name);

// True for "." and for a name whose fourth character from the end is a point (a three-letter
// extension). A name shorter than four characters is judged by its first character instead,
// which catches "..". Directories without an extension pass, like save slots and model folders.
bool hasThreeLetterExtension(const QString& name);

// The names up to, not including, the first one that repeats the name just before it: a
// search that hands out the same name twice in a row has nothing new to give.
QStringList untilRepeated(const QStringList& names);

// The names in name order, each once: what a list shows of names found in several places.
QStringList sortedOnce(QStringList names);

// The entries of `directory` matching `pattern`, hidden ones left out, in name order and ended
// at a repeat. An empty directory name finds nothing (it must not stand for the
// current directory).
QStringList searchEntries(const QString& directory, const QString& pattern);

} // namespace EntryNames
