#pragma once

class QString;
class QTextStream;

// Asks every server listed in `fileName` (servers.txt: one address per line) for its status, all at
// once, and once each has answered or stayed silent writes one line per server to `out`, in the
// file's order, empty lines left out (ServerStatusText::queryLine). An empty `fileName` means
// servers.txt in the current directory, the program's directory. Returns the exit code: 0, or 2
// with the message on `messages` when the file cannot be read.
int queryServers(const QString& fileName, QTextStream& out, QTextStream& messages);
