#include "StandInServer.h"

#include <QNetworkDatagram>
#include <QTimer>
#include <QUdpSocket>

StandInServer::StandInServer(QList<QByteArray> replies, QObject* parent)
    : QObject(parent), socket_(new QUdpSocket(this)), stranger_(new QUdpSocket(this)),
      replies_(std::move(replies)) {
    socket_->bind(QHostAddress::LocalHost, 0);
    stranger_->bind(QHostAddress::LocalHost, 0);
    connect(socket_, &QUdpSocket::readyRead, this, &StandInServer::answer);
}

quint16 StandInServer::port() const {
    return socket_->localPort();
}

QString StandInServer::address() const {
    return QStringLiteral("127.0.0.1:%1").arg(port());
}

QByteArray StandInServer::statusReply(const QByteArray& serverInfo,
                                      const QList<QByteArray>& players) {
    QByteArray reply = QByteArrayLiteral("\xff\xff\xff\xffprint\n") + serverInfo + '\n';
    for (const QByteArray& player : players)
        reply += player + '\n';
    return reply;
}

void StandInServer::answer() {
    while (socket_->hasPendingDatagrams()) {
        const QNetworkDatagram request = socket_->receiveDatagram();
        if (request.data() != QByteArrayLiteral("\xff\xff\xff\xffstatus\n"))
            continue;
        ++requests_;
        const QHostAddress address = request.senderAddress();
        const auto port = quint16(request.senderPort());
        if (delayMs_ > 0)
            QTimer::singleShot(delayMs_, Qt::PreciseTimer, this,
                               [this, address, port] { reply(address, port); });
        else
            reply(address, port);
    }
}

void StandInServer::reply(const QHostAddress& address, quint16 port) {
    if (!strangerReply_.isEmpty())
        stranger_->writeDatagram(strangerReply_, address, port);
    for (const QByteArray& datagram : std::as_const(replies_))
        socket_->writeDatagram(datagram, address, port);
}
