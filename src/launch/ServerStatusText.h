#pragma once

#include "ServerQuery.h"

#include <QString>

// How a server's status reads, in the window and on the command line.
namespace ServerStatusText {

// "asking", "no answer", "bad answer", "unknown host", "not an address"; empty for an answer.
QString stateText(ServerState state);

// "12 ms", or "-" without an answer.
QString pingText(const ServerResult& result);

// Players and maximum, "3/16"; "3/-" when the server does not say its maximum.
QString playersText(const ServerStatus::Reply& reply);

// One line per player: name, score and ping.
QString playerList(const ServerStatus::Reply& reply);

// What the window shows beside an address. Without an answer the ping is "-" and the name
// column tells the state.
struct Columns {
    QString ping;
    QString players;
    QString map;
    QString name;
};
Columns columnsOf(const ServerResult& result);

// The command line's line for a player under its server: an empty field, then score, ping and
// name, separated by tabs.
QString playerLine(const ServerStatus::Player& player);

// The command line's line for a server, fields separated by tabs: address, ping, map, players,
// name; or address and the state in place of the rest.
QString queryLine(const QString& address, const ServerResult& result);

} // namespace ServerStatusText
