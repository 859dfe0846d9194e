#pragma once

#include <QStringList>

class QTextStream;

// Settings read and changed from the command line, after the window's start-up (shown nowhere).

// --get: for each name, "NAME<TAB>VALUE<TAB>WHERE" as the game will hold it after its own files
// and Vexa's script: WHERE is "autoexec.cfg:3", or "default" when no file sets it. "bind:KEY"
// gives the command the key is bound to. Returns 0, 1 when the start-up failed, 2 for a name
// that is no setting (then nothing is printed).
int printSettings(const QStringList& names, QTextStream& out, QTextStream& messages);

// --set: each "NAME=VALUE" or "bind:KEY=COMMAND" (an empty COMMAND unbinds the key) changes the
// setting as an edit in the window would, and Vexa's script is saved. Returns 0; 1 when the
// start-up or the save failed; 2 for a malformed argument, an unknown name or a value the
// setting cannot take, and then nothing is written.
int changeSettings(const QStringList& assignments, QTextStream& messages);
