#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

class QHostAddress;
class QUdpSocket;

// A game server on the loopback for the status query: it answers every status request with the
// datagrams it was given, in order (none: it never answers). It can also have a stranger, another
// port on the same host, send a datagram to the one who asked, before the real answer.
class StandInServer : public QObject {
    Q_OBJECT

public:
    explicit StandInServer(QList<QByteArray> replies = {}, QObject* parent = nullptr);

    quint16 port() const;
    // "127.0.0.1:port", as a line of servers.txt.
    QString address() const;
    // Status requests received so far.
    int requests() const { return requests_; }

    void setReplies(QList<QByteArray> replies) { replies_ = std::move(replies); }
    void setStrangerReply(const QByteArray& datagram) { strangerReply_ = datagram; }
    // Answers this long after each request (to the millisecond) instead of at once.
    void setDelay(int milliseconds) { delayMs_ = milliseconds; }

    // A status reply as the game sends it: header, serverinfo line, one line per player.
    static QByteArray statusReply(const QByteArray& serverInfo, const QList<QByteArray>& players);

private:
    void answer();
    void reply(const QHostAddress& address, quint16 port);

    QUdpSocket* socket_;
    QUdpSocket* stranger_;
    QList<QByteArray> replies_;
    QByteArray strangerReply_;
    int requests_ = 0;
    int delayMs_ = 0;
};
