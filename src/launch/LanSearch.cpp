#include "LanSearch.h"

#include "LookupThreads.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QTimer>
#include <QUdpSocket>

namespace {

constexpr int DatagramsPerRead = 64;

QList<quint16> usualPorts() {
    QList<quint16> ports;
    for (quint16 port = LanSearch::FirstPort; port <= LanSearch::LastPort; ++port)
        ports << port;
    return ports;
}

// The limited broadcast leaves by one interface only: each network's own broadcast address too.
QList<QHostAddress> broadcastAddresses(const QHostAddress& target) {
    QList<QHostAddress> addresses{target};
    if (target != QHostAddress(QHostAddress::Broadcast))
        return addresses;
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        if (!(interface.flags() & QNetworkInterface::IsUp) ||
            !(interface.flags() & QNetworkInterface::CanBroadcast))
            continue;
        for (const QNetworkAddressEntry& entry : interface.addressEntries())
            if (!entry.broadcast().isNull() && !addresses.contains(entry.broadcast()))
                addresses << entry.broadcast();
    }
    return addresses;
}

} // namespace

LanSearch::LanSearch(QObject* parent) : QObject(parent), ports_(usualPorts()) {}

void LanSearch::setTarget(const QHostAddress& address, const QList<quint16>& ports) {
    target_ = address;
    ports_ = ports;
}

void LanSearch::search() {
    end(round_);
    const int round = ++round_;
    found_.clear();
    results_.clear();
    socket_ = new QUdpSocket(this);
    socket_->bind(QHostAddress::AnyIPv4, 0);
    connect(socket_, &QUdpSocket::readyRead, this, &LanSearch::readPending);
    sent_.start();
    for (const QHostAddress& address : broadcastAddresses(target_))
        for (const quint16 port : std::as_const(ports_))
            socket_->writeDatagram(ServerStatus::request(), address, port);
    QTimer::singleShot(listenMs_, Qt::PreciseTimer, this, [this, round] {
        if (round != round_ || !socket_)
            return;
        end(round);
        emit finished();
    });
}

void LanSearch::stop() {
    end(round_);
    found_.clear();
    results_.clear();
}

std::optional<ServerResult> LanSearch::result(const QString& address) const {
    const auto found = results_.constFind(address);
    if (found == results_.constEnd())
        return std::nullopt;
    return *found;
}

void LanSearch::readPending() {
    const int round = round_;
    for (int i = 0;
         i < DatagramsPerRead && round == round_ && socket_ && socket_->hasPendingDatagrams();
         ++i) {
        const QNetworkDatagram datagram = socket_->receiveDatagram();
        const QString address = plainAddress(datagram.senderAddress()).toString() +
                                QLatin1Char(':') + QString::number(datagram.senderPort());
        if (found_.size() >= MaxServers || results_.contains(address))
            continue;
        const auto reply = ServerStatus::parseReply(datagram.data());
        if (!reply)
            continue;
        results_.insert(address,
                        {ServerState::Answered, static_cast<int>(sent_.elapsed()), *reply});
        found_ << address;
        emit serverFound(address);
    }
}

void LanSearch::end(int round) {
    if (round != round_ || !socket_)
        return;
    socket_->close();
    socket_->deleteLater();
    socket_ = nullptr;
}
