#pragma once

#include <QString>
#include <QStringList>

// Whole text files: Latin-1 (every byte is one character and writes back unchanged), CR, LF and
// CR LF all end a line on read, the caller's ending written after every line, atomic replacement.
namespace TextFile {

// Throws VexaError "Cannot open file %s".
QStringList readLines(const QString& fileName);

// Throws VexaError "Cannot create file %s"; the old file stays intact on failure.
void writeLines(const QString& fileName, const QStringList& lines, const QString& lineEnding);

// Splits text the way readLines splits a file (no empty last line for a final line ending).
QStringList splitLines(const QString& text);

} // namespace TextFile
