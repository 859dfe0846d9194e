#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QTcpServer;
class QTcpSocket;
class QUdpSocket;

// A master server on the loopback: over UDP it answers the master query with the datagrams it
// was given; a stranger on another port can send a datagram first.
class StandInMaster : public QObject {
    Q_OBJECT

public:
    explicit StandInMaster(QList<QByteArray> replies = {}, QObject* parent = nullptr);

    QString address() const; // "127.0.0.1:port"
    void setStrangerReply(const QByteArray& datagram) { strangerReply_ = datagram; }

    // The reply of a master listing these "a.b.c.d:port" servers: header and 6 bytes each.
    static QByteArray reply(const QStringList& servers);
    static QByteArray records(const QStringList& servers);

private:
    void answer();

    QUdpSocket* socket_;
    QUdpSocket* stranger_;
    QList<QByteArray> replies_;
    QByteArray strangerReply_;
};

// An HTTP server on the loopback serving one body to every request; the body can be sent
// without end (the same bytes again and again), or never (the answer stalls after its headers).
class StandInHttp : public QObject {
    Q_OBJECT

public:
    enum class Mode { Whole, Endless, Stall };
    explicit StandInHttp(QByteArray body, Mode mode = Mode::Whole, QObject* parent = nullptr);

    QString url() const; // "http://127.0.0.1:port/servers"

private:
    void serve(QTcpSocket* client);
    void sendMore(QTcpSocket* client);

    QTcpServer* server_;
    QByteArray body_;
    Mode mode_;
};
