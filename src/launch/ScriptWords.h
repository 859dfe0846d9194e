#pragma once

#include "platform/PlatformConventions.h"

#include <QList>
#include <QString>

// One word of the launch script as the shell hands it to the program. Only a word whose first
// character is a "+" outside any quotes starts a new "+" command when the script is read back, so
// a value that happens to begin with "+" stays a value.
struct ScriptWord {
    QString text;
    bool startsCommand = false;
    bool operator==(const ScriptWord&) const = default;
};

// Quoting of the launch script, so that the script can run nothing but the game and every value
// reads back unchanged.
//
// POSIX (/bin/sh): a word made only of letters, digits and _ - . / , : @ % + (no leading +)
// stays as it is; any other word, and the empty word, is put in single quotes, a single quote
// inside becoming '\''. The shell then passes it as one plain argument whatever it holds.
//
// Windows (cmd): "%" is doubled; a word that is empty, begins with "+" or holds a blank, a tab or
// one of " & | < > ^ ( ) , ; = ! is put in double quotes, a double quote inside being doubled.
// Line breaks cannot be carried by a cmd line (and no Windows file name holds one); they are
// written as blanks.
namespace ScriptWords {

QString quote(const QString& word, PlatformConventions::Style style);

// The words of the first command of a script, with the quoting above (and the rest of the shell's
// quoting: for POSIX also backslash escapes, double quotes, line continuations and comments)
// undone. The command ends at an unquoted line break or, for POSIX, at an unquoted ; & | < > ( ).
QList<ScriptWord> split(const QString& script, PlatformConventions::Style style);

} // namespace ScriptWords
