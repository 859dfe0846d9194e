#pragma once

#include "platform/FileVersion.h"

#include <QString>
#include <QStringList>

// The lines of a config script: how generated lines look, and how the file is read and written.

// The five words of generated lines. The reader compares them without regard to case, but the
// written letter case is part of the file's layout.
namespace CfgWord {
inline constexpr char set[] = "set";     // fixed settings
inline constexpr char Set[] = "Set";     // setting controls, server lines, profile settings
inline constexpr char bind[] = "bind";   // message keys
inline constexpr char Bind[] = "Bind";   // binding controls, profile bindings
inline constexpr char alias[] = "alias"; // message aliases
} // namespace CfgWord

// word, blank, name, blank, the value in double quotes. The value goes in verbatim: no escaping,
// no trimming. The word is in lower case for an engine that takes commands only so.
QString cfgLine(const char* word, const QString& name, const QString& value);
void appendCfgLine(QStringList& lines, const char* word, const QString& name, const QString& value);

// Two empty lines and the three closing comments.
void appendClosingLines(QStringList& lines);

// Every line followed by CR LF, Latin-1, no byte-order mark, replacing the file atomically.
// Throws VexaError "Cannot create file %s"; the file on disk is then unchanged. Returns what the
// file holds now.
FileVersion writeCfgFile(const QString& fileName, const QStringList& lines);

// Replaces `cfgLines` by the file's lines (LF or CR LF end a line, as in the game; nothing
// trimmed). Throws VexaError "Cannot open file %s", leaving `cfgLines` empty. `version`, when
// given, gets what the file held (see TextFile::readLines).
void readCfgFile(const QString& fileName, QStringList& cfgLines, FileVersion* version = nullptr);
