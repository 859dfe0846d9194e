#include "ServerQuery.h"

#include "LookupThreads.h"

#include <QMutex>
#include <QNetworkDatagram>
#include <QTimer>
#include <QUdpSocket>

namespace {

// Datagrams read in one go: a flood of them must leave the window time to paint.
constexpr int DatagramsPerRead = 64;
// Addresses of one name that are asked: round-robin names have a few, none needs dozens.
constexpr int AddressesPerName = 4;

QList<QHostAddress> distinctAddresses(const QList<QHostAddress>& found) {
    QList<QHostAddress> addresses;
    for (const QHostAddress& address : found) {
        const QHostAddress plain = plainAddress(address);
        if (!addresses.contains(plain))
            addresses << plain;
        if (addresses.size() == AddressesPerName)
            break;
    }
    return addresses;
}

} // namespace

struct ServerQuery::Link {
    QMutex mutex;
    ServerQuery* query;
};

ServerQuery::ServerQuery(QObject* parent)
    : QObject(parent), nameLookup_(systemLookup), link_(std::make_shared<Link>()) {
    link_->query = this;
}

ServerQuery::~ServerQuery() {
    QMutexLocker lock(&link_->mutex);
    link_->query = nullptr;
    lock.unlock();
    endRound();
}

void ServerQuery::ask(const QStringList& addresses) {
    endRound();
    QHash<QString, ServerResult> kept;
    for (const QString& line : addresses) {
        const QString text = line.trimmed();
        if (!text.isEmpty() && !kept.contains(text))
            kept.insert(text, results_.value(text));
    }
    results_ = kept;
    add(addresses);
}

void ServerQuery::add(const QStringList& addresses) {
    if (!socket_)
        openSocket();
    for (const QString& line : addresses) {
        const QString text = line.trimmed();
        if (text.isEmpty() || inRound_.contains(text))
            continue;
        inRound_.insert(text);
        if (!results_.contains(text))
            results_.insert(text, {});
        queue_ << text;
    }
    finishIfDone();
}

void ServerQuery::openSocket() {
    // Timers of an earlier round must not expire this one's requests.
    ++round_;
    socket_ = new QUdpSocket(this);
    if (!socket_->bind(QHostAddress::Any, 0))
        socket_->bind(QHostAddress::AnyIPv4, 0);
    connect(socket_, &QUdpSocket::readyRead, this, &ServerQuery::readPending);
}

void ServerQuery::startMore() {
    const int round = round_;
    while (round == round_ && !queue_.isEmpty() && pending_.size() < MaxInFlight)
        start(queue_.takeFirst());
}

std::optional<ServerResult> ServerQuery::result(const QString& address) const {
    const auto found = results_.constFind(address.trimmed());
    if (found == results_.constEnd())
        return std::nullopt;
    return *found;
}

void ServerQuery::start(const QString& text) {
    const auto address = ServerStatus::parseAddress(text);
    if (!address) {
        settle(text, {ServerState::BadAddress, -1, {}});
        return;
    }
    pending_.insert(text, {});
    const QHostAddress literal(address->host);
    if (literal.isNull())
        lookUp(text, address->host, address->port);
    else
        send(text, {plainAddress(literal)}, address->port);
}

void ServerQuery::lookUp(const QString& text, const QString& host, quint16 port) {
    const bool started = lookups_.contains(host);
    lookups_[host].waiting << Waiting{text, port};
    if (started)
        return; // one lookup per name
    const int round = round_;
    LookupThreads::run([lookup = nameLookup_, link = link_, round, host] {
        const QList<QHostAddress> found = lookup(host);
        QMutexLocker lock(&link->mutex);
        if (ServerQuery* query = link->query)
            QMetaObject::invokeMethod(
                query, [query, round, host, found] { query->hostFound(round, host, found); },
                Qt::QueuedConnection);
    });
    QTimer::singleShot(timeoutMs_, Qt::PreciseTimer, this,
                       [this, round, host] { expireLookup(round, host); });
}

void ServerQuery::hostFound(int round, const QString& host, const QList<QHostAddress>& found) {
    if (round != round_ || !lookups_.contains(host))
        return;
    const QList<Waiting> waiting = lookups_.take(host).waiting;
    const QList<QHostAddress> addresses = distinctAddresses(found);
    for (const Waiting& w : waiting) {
        if (round != round_)
            return; // a handler of the last result started a new round
        if (addresses.isEmpty())
            settle(w.text, {ServerState::UnknownHost, -1, {}});
        else
            send(w.text, addresses, w.port);
    }
    finishIfDone();
}

void ServerQuery::send(const QString& text, const QList<QHostAddress>& hosts, quint16 port) {
    pending_[text].sent.start();
    for (const QHostAddress& host : hosts) {
        askedAt_[Endpoint{host, port}] << text;
        // A datagram that cannot be sent is a server that does not answer.
        socket_->writeDatagram(ServerStatus::request(), host, port);
    }
    // A coarse timer may fire a twentieth early: an answer just in time would be missed.
    const int round = round_;
    QTimer::singleShot(timeoutMs_, Qt::PreciseTimer, this,
                       [this, round, text] { expireRequest(round, text); });
}

void ServerQuery::readPending() {
    for (int i = 0; i < DatagramsPerRead && socket_ && socket_->hasPendingDatagrams(); ++i)
        take(socket_->receiveDatagram());
}

void ServerQuery::take(const QNetworkDatagram& datagram) {
    const auto asked = askedAt_.constFind(Endpoint{plainAddress(datagram.senderAddress()),
                                                   static_cast<quint16>(datagram.senderPort())});
    if (asked == askedAt_.constEnd())
        return;
    const QList<QString> texts = *asked; // a handler may start a new round
    const int round = round_;
    std::optional<std::optional<ServerStatus::Reply>> reply; // parsed once, when someone waits
    for (const QString& text : texts) {
        if (round != round_)
            return;
        const auto pending = pending_.find(text);
        if (pending == pending_.end())
            continue;
        if (!reply)
            reply = ServerStatus::parseReply(datagram.data());
        if (!*reply) {
            pending->badReply = true;
            continue;
        }
        const int ping = static_cast<int>(pending->sent.elapsed());
        settle(text, {ServerState::Answered, ping, **reply});
    }
    finishIfDone();
}

void ServerQuery::expireRequest(int round, const QString& text) {
    if (round != round_)
        return;
    const auto pending = pending_.constFind(text);
    if (pending == pending_.constEnd())
        return;
    settle(text, {pending->badReply ? ServerState::BadAnswer : ServerState::NoAnswer, -1, {}});
    finishIfDone();
}

void ServerQuery::expireLookup(int round, const QString& host) {
    if (round != round_ || !lookups_.contains(host))
        return;
    const Lookup lookup = lookups_.take(host);
    for (const Waiting& w : lookup.waiting) {
        if (round != round_)
            return;
        settle(w.text, {ServerState::NoAnswer, -1, {}});
    }
    finishIfDone();
}

void ServerQuery::settle(const QString& text, ServerResult result) {
    pending_.remove(text);
    results_.insert(text, std::move(result));
    emit resultChanged(text);
}

void ServerQuery::finishIfDone() {
    if (!socket_)
        return;
    // A settled server makes room for the next; a handler may start a new round meanwhile.
    startMore();
    if (!socket_ || !pending_.isEmpty() || !queue_.isEmpty())
        return;
    endRound();
    emit finished();
}

void ServerQuery::endRound() {
    queue_.clear();
    inRound_.clear();
    lookups_.clear();
    pending_.clear();
    askedAt_.clear();
    if (socket_) {
        // It may be the sender of the signal being handled.
        socket_->close();
        socket_->deleteLater();
        socket_ = nullptr;
    }
}
