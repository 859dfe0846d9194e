#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>
#include <utility>

// The game's out-of-band status query: what a client sends to a server's port and what the
// server answers. Pure functions over bytes and text, no sockets.
namespace ServerStatus {

inline constexpr quint16 DefaultPort = 27910;

// Texts taken from a reply are cut to this many characters (the game's longest info value).
inline constexpr int MaxTextLength = 64;

// A line of servers.txt as the game's "connect" reads it: host or IP address, and the port.
struct Address {
    QString host; // a name, an IPv4 address or an IPv6 address (without brackets)
    quint16 port = DefaultPort;
};

// "host", "host:port", "[ipv6]", "[ipv6]:port" or a bare IPv6 address; blanks around it are
// ignored. Nothing for text that cannot name a server (blanks or other characters inside a name,
// a missing or out-of-range port), so instructions and typing mistakes are never looked up.
// Without a port, the address has `defaultPort`.
std::optional<Address> parseAddress(QStringView text, quint16 defaultPort = DefaultPort);

// Four bytes 0xFF, then "status" and a newline.
QByteArray request();

struct Player {
    int score = 0;
    int ping = 0;
    QString name;
};

struct Reply {
    QString hostname;    // serverinfo "hostname"
    QString map;         // serverinfo "mapname"
    QString game;        // serverinfo "gamename"
    int maxClients = -1; // serverinfo "maxclients"; -1 when missing or not a number
    // Every serverinfo key with its value, in the reply's order, each key once (its first value).
    QList<std::pair<QString, QString>> rules;
    QList<Player> players;
};

// A status reply: four bytes 0xFF, "print", a newline, the serverinfo string (\key\value...), a
// newline, then one line per player: score, ping and the name in double quotes. Nothing for
// anything else: other datagrams, a zero byte (a server sends C strings), a serverinfo line that
// does not end, a player line cut short. Texts are given as the game shows them (gameText) and
// cut to MaxTextLength.
std::optional<Reply> parseReply(QByteArrayView datagram);

// 8-bit game text as the game's console shows it: bit 7 cleared (it only picks the coloured
// glyphs) and control characters dropped.
QString gameText(QByteArrayView bytes);

} // namespace ServerStatus
