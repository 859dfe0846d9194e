#include "StandInMaster.h"

#include <QHostAddress>
#include <QNetworkDatagram>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QtEndian>

StandInMaster::StandInMaster(QList<QByteArray> replies, QObject* parent)
    : QObject(parent), socket_(new QUdpSocket(this)), stranger_(new QUdpSocket(this)),
      replies_(std::move(replies)) {
    socket_->bind(QHostAddress::LocalHost, 0);
    stranger_->bind(QHostAddress::LocalHost, 0);
    connect(socket_, &QUdpSocket::readyRead, this, &StandInMaster::answer);
}

QString StandInMaster::address() const {
    return QStringLiteral("127.0.0.1:%1").arg(socket_->localPort());
}

QByteArray StandInMaster::records(const QStringList& servers) {
    QByteArray bytes;
    for (const QString& server : servers) {
        const qsizetype colon = server.lastIndexOf(u':');
        char record[6];
        qToBigEndian<quint32>(QHostAddress(server.left(colon)).toIPv4Address(), record);
        qToBigEndian<quint16>(server.mid(colon + 1).toUShort(), record + 4);
        bytes.append(record, 6);
    }
    return bytes;
}

QByteArray StandInMaster::reply(const QStringList& servers) {
    return QByteArrayLiteral("\xff\xff\xff\xffservers ") + records(servers);
}

void StandInMaster::answer() {
    while (socket_->hasPendingDatagrams()) {
        const QNetworkDatagram request = socket_->receiveDatagram();
        if (!request.data().startsWith("query"))
            continue;
        const auto port = static_cast<quint16>(request.senderPort());
        if (!strangerReply_.isEmpty())
            stranger_->writeDatagram(strangerReply_, request.senderAddress(), port);
        for (const QByteArray& datagram : std::as_const(replies_))
            socket_->writeDatagram(datagram, request.senderAddress(), port);
    }
}

StandInHttp::StandInHttp(QByteArray body, Mode mode, QObject* parent)
    : QObject(parent), server_(new QTcpServer(this)), body_(std::move(body)), mode_(mode) {
    server_->listen(QHostAddress::LocalHost, 0);
    connect(server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* client = server_->nextPendingConnection())
            connect(client, &QTcpSocket::readyRead, this, [this, client] { serve(client); });
    });
}

QString StandInHttp::url() const {
    return QStringLiteral("http://127.0.0.1:%1/servers").arg(server_->serverPort());
}

void StandInHttp::serve(QTcpSocket* client) {
    if (!client->readAll().contains("\r\n\r\n") || client->property("served").toBool())
        return;
    client->setProperty("served", true);
    QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n";
    if (mode_ == Mode::Whole)
        head += "Content-Length: " + QByteArray::number(body_.size()) + "\r\n";
    client->write(head + "\r\n");
    if (mode_ == Mode::Stall)
        return;
    if (mode_ == Mode::Whole) {
        client->write(body_);
        client->disconnectFromHost();
        return;
    }
    // Endless: more each time the last part has gone out.
    connect(client, &QTcpSocket::bytesWritten, this, [this, client] {
        if (client->bytesToWrite() == 0)
            sendMore(client);
    });
    sendMore(client);
}

void StandInHttp::sendMore(QTcpSocket* client) {
    if (client->state() == QAbstractSocket::ConnectedState)
        client->write(body_);
}
