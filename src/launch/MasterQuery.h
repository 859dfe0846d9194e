#pragma once

#include "MasterList.h"

#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <functional>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QUdpSocket;
struct LookupLink;

// Fetches the lists of servers from master servers: the UDP master query, answered by one or
// more datagrams of addresses until the time is up, and HTTP lists. Never blocks: names are
// looked up in the background and everything else waits on the event loop. Each master's list
// is cut at MasterList::MaxServers addresses, an HTTP list at MasterList::MaxListBytes, and a
// master that takes longer than the timeout is given up; datagrams from anyone but a master that
// was asked are dropped unread.
class MasterQuery : public QObject {
    Q_OBJECT

public:
    static constexpr int DefaultTimeoutMs = 3000;

    explicit MasterQuery(QObject* parent = nullptr);
    ~MasterQuery() override;

    void setTimeout(int milliseconds) { timeoutMs_ = milliseconds; }
    using NameLookup = std::function<QList<QHostAddress>(const QString& host)>;
    void setNameLookup(NameLookup lookup) { nameLookup_ = std::move(lookup); }

    // Asks every master; a fetch still running is given up.
    void fetch(const QList<MasterList::Master>& masters);
    bool isFetching() const { return !counts_.isEmpty(); }

signals:
    // Servers a master listed (more may follow from the same master).
    void listed(const QString& master, const QStringList& servers);
    // Why a master gave nothing, or gave only part of its list.
    void problem(const QString& master, const QString& message);
    void finished();

private:
    struct Download {
        QString master;
        QByteArray body;
        bool cut = false;  // longer than a list may be
        bool late = false; // still running when the time was up
    };

    void askUdp(const MasterList::Master& master);
    void sendQuery(int round, const MasterList::Master& master, const QList<QHostAddress>& found);
    void askHttp(const MasterList::Master& master);
    void readHttp(QNetworkReply* reply);
    void endHttp(QNetworkReply* reply);
    void readDatagrams();
    void take(const QString& master, const QStringList& servers);
    void expire(int round, const QString& master);
    void quietAfter(int round, const QString& master);
    void close(const QString& master);
    void stop();

    int timeoutMs_ = DefaultTimeoutMs;
    NameLookup nameLookup_;
    std::shared_ptr<LookupLink> link_;
    int round_ = 0;
    QUdpSocket* socket_ = nullptr;
    QNetworkAccessManager* network_ = nullptr;
    QHash<QString, QString> udpAt_; // master by the "address:port" it was asked at
    QHash<QString, int> counts_;    // servers taken per master, while it is open
    QHash<QString, int> datagrams_; // datagrams taken per UDP master
    QHash<QNetworkReply*, Download> downloads_;
};
