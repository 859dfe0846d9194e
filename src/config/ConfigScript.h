#pragma once

#include "settings/Engine.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVarLengthArray>

#include <functional>

// A config script read the way the engine's exec reads it. The command buffer splits the text into
// commands at line feeds and at semicolons outside quotes (an odd count of quotes so far keeps the
// semicolon); a command with an odd count of quotes is discarded whole ("Line has unmatched
// quote"). Each command is then cut into words at blanks, a quoted word running to the next
// quote. id and Yamagi end a command at a "//" that starts a word (after the split, so a
// semicolon inside such a comment still starts a new command); Q2PRO removes "//" and "/* */"
// comments from the whole file first, and also ends a bare word at a quote.
struct ScriptCommand {
    int line = 0;                          // where the command starts, from 1
    QVarLengthArray<QStringView, 8> words; // views into the script's text
    bool unmatchedQuote = false;           // the game discards the command
    bool startsLine = false;               // nothing but blanks before it on its line
    bool expandsCvars = false;             // a "$" outside quotes: the game puts a value there
};

// The script's lines (split at line feeds only, as the engine splits them) joined into one text,
// and each command of it in order.
void forEachScriptCommand(const QStringList& lines, Engine engine,
                          const std::function<void(const ScriptCommand&)>& visit);

// How many bytes of the script exec puts into the command buffer: id 3.21 and Yamagi copy the
// text up to its first NUL byte; Q2PRO first takes out comments and runs of blanks.
qsizetype execSize(const QStringList& lines, Engine engine);

// The lines of a config file as the game sees them: bytes as Latin-1, split at line feeds only (a
// lone CR is a blank to the game). Throws VexaError "Cannot open file %s".
QStringList readScriptLines(const QString& fileName);
