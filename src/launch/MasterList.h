#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Lists of game servers from master servers: the reply to the Quake 2 master query over UDP, and
// the lists served over HTTP. Pure functions over bytes and text, no sockets. Every list is cut
// at MaxServers addresses, so a hostile master costs no more than a busy one.
namespace MasterList {

inline constexpr quint16 DefaultMasterPort = 27900;
inline constexpr qsizetype MaxServers = 4096;
// An HTTP list is read up to this many bytes: 4096 addresses in text need less than 100 KB.
inline constexpr qsizetype MaxListBytes = 256 * 1024;

// What a client sends to a master's UDP port.
QByteArray query();

// Four bytes 0xFF, "servers", a blank or a newline, then 6 bytes per server: its IPv4 address
// and port, both in network order. A record cut short at the end is dropped. Nothing for any
// other datagram.
std::optional<QStringList> parseMasterReply(QByteArrayView datagram);

// 6 bytes per server, as in the master reply, without a header.
QStringList parseBinaryList(QByteArrayView bytes);

// One "host:port" a line (LF or CR LF); lines that do not name a server are skipped, as is a
// last line without its line end (a list cut short).
QStringList parsePlainList(QByteArrayView bytes);

// A list as an HTTP server gives it: binary when it holds a byte that is not text, else plain.
QStringList parseHttpList(QByteArrayView bytes);

// A master as vexa.ini names it: "host[:port]" for the UDP query (port 27900 unless given), or
// an http:// or https:// address of a list.
struct Master {
    enum Kind { Udp, Http };
    Kind kind = Udp;
    QString host;                     // Udp: a name or an address
    quint16 port = DefaultMasterPort; // Udp
    QString url;                      // Http
    QString text;                     // as written
};
std::optional<Master> parseMaster(QStringView text);

// [servers] masters: masters separated by blanks or commas. What names no master is returned in
// `bad` when given.
QList<Master> parseMasters(QStringView text, QStringList* bad = nullptr);

// The masters used while vexa.ini names none.
inline constexpr char DefaultMasters[] = "master.quakeservers.net:27900";

} // namespace MasterList
