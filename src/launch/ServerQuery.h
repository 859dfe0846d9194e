#pragma once

#include "ServerStatus.h"

#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QNetworkDatagram;
class QUdpSocket;

enum class ServerState {
    Asking,      // asked, no answer yet
    Answered,    // a status reply came back
    NoAnswer,    // silent until the time was up, or its name took that long to look up
    BadAnswer,   // only datagrams that are not a status reply came back
    UnknownHost, // the name does not resolve
    BadAddress,  // the text cannot name a server
};

struct ServerResult {
    ServerState state = ServerState::Asking;
    int pingMs = -1; // time from the request to the reply
    ServerStatus::Reply reply;
};

// Asks game servers for their status with the game's own out-of-band query, over one UDP socket,
// all servers at once, without ever blocking: names are looked up in the background, once per
// round, on threads that are never waited for (the system's resolver cannot be interrupted, and a
// name server that never answers must hold up neither the window nor the program's end), and
// every result is reported as it comes in. At most MaxInFlight servers are asked at a time, as the
// game's own browser paces it, so that a list of thousands is not a flood. Replies are matched by
// the address and port they come from (an IPv4 reply that the system reports as an IPv4-mapped IPv6
// address counts as the IPv4 address); a name with several addresses is asked at each, and the
// first status reply counts. Datagrams from anywhere else are dropped unread.
class ServerQuery : public QObject {
    Q_OBJECT

public:
    static constexpr int DefaultTimeoutMs = 2000;
    static constexpr int MaxInFlight = 50;

    explicit ServerQuery(QObject* parent = nullptr);
    ~ServerQuery() override;

    // How long a server may stay silent, and how long looking up its name may take.
    void setTimeout(int milliseconds) { timeoutMs_ = milliseconds; }

    // How a name is looked up: the system's resolver unless set. It runs on a thread of its own
    // and gives the name's addresses, none when the name does not resolve.
    using NameLookup = std::function<QList<QHostAddress>(const QString& host)>;
    void setNameLookup(NameLookup lookup) { nameLookup_ = std::move(lookup); }

    // Asks every server named in `addresses` (lines of servers.txt; blanks around them ignored,
    // empty ones and repeats skipped). A round still running is given up. What an address showed
    // after the last round stays until its new result; addresses not named are forgotten.
    void ask(const QStringList& addresses);
    // Asks these too, in the round running (a new one when none is); an address already asked in
    // it is not asked again.
    void add(const QStringList& addresses);

    // The last result for an address as it was given to ask(); nothing when it was not asked.
    std::optional<ServerResult> result(const QString& address) const;

    bool isAsking() const { return socket_ != nullptr; }

signals:
    void resultChanged(const QString& address);
    // Every server of the round has its result.
    void finished();

private:
    struct Endpoint {
        QHostAddress address;
        quint16 port = 0;
        bool operator==(const Endpoint&) const = default;
    };
    friend size_t qHash(const Endpoint& endpoint, size_t seed) {
        return qHashMulti(seed, endpoint.address, endpoint.port);
    }
    struct Pending {
        QElapsedTimer sent;
        bool badReply = false;
    };
    struct Waiting {
        QString text;
        quint16 port = 0;
    };
    struct Lookup {
        QList<Waiting> waiting;
    };
    // What a lookup's thread reaches the query through: nothing once the query is gone.
    struct Link;

    void openSocket();
    void startMore();
    void start(const QString& text);
    void lookUp(const QString& text, const QString& host, quint16 port);
    void hostFound(int round, const QString& host, const QList<QHostAddress>& found);
    void send(const QString& text, const QList<QHostAddress>& hosts, quint16 port);
    void readPending();
    void take(const QNetworkDatagram& datagram);
    void expireRequest(int round, const QString& text);
    void expireLookup(int round, const QString& host);
    void settle(const QString& text, ServerResult result);
    void finishIfDone();
    void endRound();

    int timeoutMs_ = DefaultTimeoutMs;
    NameLookup nameLookup_;
    std::shared_ptr<Link> link_;
    int round_ = 0;
    QUdpSocket* socket_ = nullptr;
    QHash<QString, ServerResult> results_;
    QHash<QString, Pending> pending_;         // texts without their result yet
    QHash<Endpoint, QList<QString>> askedAt_; // who was asked where
    QHash<QString, Lookup> lookups_;          // by name
    QStringList queue_;                       // waiting for a free place among those in flight
    QSet<QString> inRound_;                   // every text of the round
};
