#pragma once

#include "CommandLine.h"
#include "settings/Engine.h"

#include <QString>
#include <optional>

// Values that an engine would not read whole from its command line. Every engine runs a "+"
// command's text as a console line, which ends at a semicolon or a line break and takes double
// quotes as its own. Before that, each engine cuts the arguments into commands in its own way:
// id 3.21 ends a "+" command's text (all but "+set", which it reads word by word) at any "+" or
// "-"; Yamagi Quake II at any "+" or at a "-" that begins a word; Q2PRO starts a command at every
// word that begins with "+". Quoting cannot help: the engine cuts the text before it reads quotes.
struct CutValue {
    CommandPiece piece;
    QChar character;
    QString reason; // what the engine does there
};

// The first value of `pieces` that `engine` would cut, and where.
std::optional<CutValue> cutValue(const CommandLine& pieces, Engine engine);

// 'Yamagi Quake II would read "q2 -x" of +connect only up to the "-": ...'
QString cutValueMessage(const CutValue& cut, Engine engine);

// Throws VexaError with that message when `engine` would cut a value of `pieces`.
void requireWholeValues(const CommandLine& pieces, Engine engine);
