#pragma once

#include "ServerQuery.h"

#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QStringList>

class QUdpSocket;

// Finds the game servers of the local network: one status request broadcast to each of the
// game's usual ports (to the limited broadcast address and each network's own), and every status
// reply that comes back within the listening time is a server, with its status and ping. At most
// MaxServers are taken; other datagrams are dropped.
class LanSearch : public QObject {
    Q_OBJECT

public:
    static constexpr int DefaultListenMs = 2000;
    static constexpr int MaxServers = 256;
    static constexpr quint16 FirstPort = 27910;
    static constexpr quint16 LastPort = 27914;

    explicit LanSearch(QObject* parent = nullptr);

    // Where the requests go: the broadcast address and the usual ports unless set.
    void setTarget(const QHostAddress& address, const QList<quint16>& ports);
    void setListenTime(int milliseconds) { listenMs_ = milliseconds; }

    // Starts over: the servers found before are forgotten.
    void search();
    bool isSearching() const { return socket_ != nullptr; }
    // Stops listening, without finished(), and forgets the servers found.
    void stop();

    // "address:port" of each server that answered, in the order of their answers.
    const QStringList& found() const { return found_; }
    std::optional<ServerResult> result(const QString& address) const;

signals:
    void serverFound(const QString& address);
    void finished();

private:
    void readPending();
    void end(int round);

    QHostAddress target_ = QHostAddress::Broadcast;
    QList<quint16> ports_;
    int listenMs_ = DefaultListenMs;
    int round_ = 0;
    QUdpSocket* socket_ = nullptr;
    QElapsedTimer sent_;
    QStringList found_;
    QHash<QString, ServerResult> results_;
};
