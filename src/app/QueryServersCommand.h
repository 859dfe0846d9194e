#pragma once

#include <QString>

class QTextStream;

// What --query-servers asks: the file's servers (the file given, else servers.txt when no other
// source is chosen), the local network, the masters of vexa.ini, the game's address book; with
// `players`, a line per player under each server.
struct ServerQueryOptions {
    QString fileName;
    bool lan = false;
    bool masters = false;
    bool addressBook = false;
    bool players = false;
};

// Asks every server of the chosen sources for its status, at most 50 at a time, and once each
// has answered or stayed silent writes one line per server to `out`
// (ServerStatusText::queryLine): first the file's servers in the file's order (empty lines left
// out), then those found elsewhere in the order found; with `players`, after a server's line one
// line per player: an empty field, score, ping and name. An empty `fileName` means servers.txt
// in the current directory, the program's directory. Returns the exit code: 0, or 2 with the
// message on `messages` when the file, vexa.ini or the game's scripts cannot be read; a master
// that fails is told on `messages` and the others still count.
int queryServers(const ServerQueryOptions& options, QTextStream& out, QTextStream& messages);
