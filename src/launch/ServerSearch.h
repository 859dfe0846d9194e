#pragma once

#include "LanSearch.h"
#include "MasterList.h"
#include "MasterQuery.h"
#include "ServerQuery.h"

#include <QHash>
#include <QObject>
#include <QStringList>

// Where a server was found; a server may come from several.
enum ServerSource {
    FromList = 1,        // servers.txt
    FromAddressBook = 2, // the game's adr cvars
    FromLan = 4,         // answered the broadcast
    FromMaster = 8,      // a master listed it
};

// "servers.txt", "address book", "LAN", "master", joined by ", ".
QString sourceNames(int sources);

struct ServerSources {
    QStringList listed;      // lines of servers.txt
    QStringList addressBook; // the adr cvars' values
    bool lan = false;
    QList<MasterList::Master> masters;
};

// Finds servers in every source asked for and asks each for its status: the servers named
// (servers.txt, the address book) at once, those of the masters as their lists come in, while
// the local network's answer bring their status with them. A server is known by its address in
// one spelling ("host:port", the host in lower case, an IPv6 address in brackets), so that the
// same server from two sources is one; a line that names no server is left out.
class ServerSearch : public QObject {
    Q_OBJECT

public:
    explicit ServerSearch(QObject* parent = nullptr);

    // Starts over, forgetting the servers found before.
    void start(const ServerSources& sources);
    bool isRunning() const;

    // Every server found, in the order found.
    const QStringList& addresses() const { return addresses_; }
    int sourcesOf(const QString& address) const { return sources_.value(address); }
    // The status answer, or what became of the question; nothing before it was asked.
    std::optional<ServerResult> result(const QString& address) const;

    ServerQuery& query() { return query_; }
    LanSearch& lan() { return lan_; }
    MasterQuery& masters() { return masters_; }

    // The address as the search spells it; empty for text that names no server.
    static QString canonicalAddress(const QString& text);

signals:
    void serverAdded(const QString& address);
    void resultChanged(const QString& address);
    // A master that failed, in words for the player.
    void problem(const QString& message);
    void finished();

private:
    void addServers(const QStringList& texts, ServerSource source);
    void lanServerFound(const QString& address);
    void finishIfDone();

    ServerQuery query_;
    LanSearch lan_;
    MasterQuery masters_;
    QStringList addresses_;
    QHash<QString, int> sources_;
    bool running_ = false;
    bool starting_ = false;
};
