#pragma once

#include <QHostAddress>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

// Threads for name lookups, detached: none is ever waited for (the system's resolver cannot be
// interrupted, and a name server that never answers must not hold up the program's end). At most
// a few run at once, the other lookups waiting their turn; a thread ends when none waits.
class LookupThreads {
public:
    using Job = std::function<void()>;
    static void run(Job job);
};

// The system's resolver: the name's addresses, none when it does not resolve. Blocks.
QList<QHostAddress> systemLookup(const QString& host);

// A dual-stack socket reports IPv4 senders as IPv4-mapped IPv6 addresses: the IPv4 address.
QHostAddress plainAddress(const QHostAddress& address);

// What a lookup's thread reaches its owner through: nothing once the owner has cleared it.
struct LookupLink {
    QMutex mutex;
    QObject* owner = nullptr;
    // Called by the owner's destructor: later results are dropped.
    void clear() {
        QMutexLocker lock(&mutex);
        owner = nullptr;
    }
};

// Looks `host` up with `lookup` on a lookup thread, then calls `done` with the addresses in the
// owner's thread, unless the link was cleared meanwhile.
void lookUpInBackground(const std::shared_ptr<LookupLink>& link,
                        std::function<QList<QHostAddress>(const QString&)> lookup,
                        const QString& host, std::function<void(const QList<QHostAddress>&)> done);
