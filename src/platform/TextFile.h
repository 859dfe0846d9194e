#pragma once

#include "TextEncoding.h"

#include <QString>
#include <QStringList>

// Whole text files: Latin-1 unless told otherwise (see TextEncoding), CR, LF and CR LF all end a
// line on read, the caller's ending written after every line, atomic replacement.
namespace TextFile {

// Throws VexaError "Cannot open file %s".
QStringList readLines(const QString& fileName, TextEncoding encoding = TextEncoding::Latin1);

// Throws VexaError "Cannot create file %s"; the old file stays intact on failure.
void writeLines(const QString& fileName, const QStringList& lines, const QString& lineEnding,
                TextEncoding encoding = TextEncoding::Latin1);

// Splits text the way readLines splits a file (no empty last line for a final line ending).
QStringList splitLines(const QString& text);

} // namespace TextFile
