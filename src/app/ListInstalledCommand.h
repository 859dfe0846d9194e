#pragma once

class QTextStream;

// Writes to `out` what Vexa finds of the installation vexa.ini names, one item a line, a TAB
// between kind and value: "engine" (id, yamagi, q2pro), "home" (only with one), "config" (the
// config file the game will read), then every "model", "skin" (model/skin), "map", "save",
// "game" (a mod folder the New Game box offers) and "driver". Archives that could not be read
// are told on `messages`. Reads only: no file is written, nothing is asked. Returns 0, or 1 with
// a message when vexa.ini names no Quake 2 directory that exists.
int listInstalled(QTextStream& out, QTextStream& messages);
