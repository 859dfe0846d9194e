#pragma once

#include "FileVersion.h"
#include "TextEncoding.h"

#include <QString>
#include <QStringList>

// Whole text files: Latin-1 unless told otherwise (see TextEncoding; a UTF-8 file's lines that
// are not UTF-8 read as Latin-1, each line on its own), LF or CR LF ending a line on read (a lone
// CR is part of its line, as the game and the shell read it), the caller's ending written after
// every line, atomic replacement.
namespace TextFile {

// Throws VexaError "Cannot open file %s". `version`, when given, gets what the file held (its
// contents unknown when the read fails), for a later save to check against.
QStringList readLines(const QString& fileName, TextEncoding encoding = TextEncoding::Latin1,
                      FileVersion* version = nullptr);

// Throws VexaError "Cannot create file %s"; the old file stays intact on failure. Returns what
// the file holds now.
FileVersion writeLines(const QString& fileName, const QStringList& lines, const QString& lineEnding,
                       TextEncoding encoding = TextEncoding::Latin1);

// Splits text the way readLines splits a file (no empty last line for a final line ending).
QStringList splitLines(const QString& text);

} // namespace TextFile
