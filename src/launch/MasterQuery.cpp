#include "MasterQuery.h"

#include "LookupThreads.h"

#include <QNetworkAccessManager>
#include <QNetworkDatagram>
#include <QNetworkReply>
#include <QTimer>
#include <QUdpSocket>

namespace {

constexpr int DatagramsPerRead = 64;
// A master sends its list in a burst of datagrams: this long after the last one, it is done.
constexpr int QuietMs = 500;
constexpr int AddressesPerName = 4;

QString endpointKey(const QHostAddress& address, quint16 port) {
    return plainAddress(address).toString() + QLatin1Char('/') + QString::number(port);
}

} // namespace

MasterQuery::MasterQuery(QObject* parent)
    : QObject(parent), nameLookup_(systemLookup), link_(std::make_shared<LookupLink>()) {
    link_->owner = this;
}

MasterQuery::~MasterQuery() {
    link_->clear();
    stop();
}

void MasterQuery::fetch(const QList<MasterList::Master>& masters) {
    stop();
    ++round_;
    for (const MasterList::Master& master : masters)
        counts_.insert(master.text, 0);
    for (const MasterList::Master& master : masters) {
        if (master.kind == MasterList::Master::Udp)
            askUdp(master);
        else
            askHttp(master);
        const int round = round_;
        QTimer::singleShot(timeoutMs_, Qt::PreciseTimer, this,
                           [this, round, text = master.text] { expire(round, text); });
    }
    if (counts_.isEmpty())
        emit finished();
}

void MasterQuery::askUdp(const MasterList::Master& master) {
    if (!socket_) {
        socket_ = new QUdpSocket(this);
        if (!socket_->bind(QHostAddress::Any, 0))
            socket_->bind(QHostAddress::AnyIPv4, 0);
        connect(socket_, &QUdpSocket::readyRead, this, &MasterQuery::readDatagrams);
    }
    const QHostAddress literal(master.host);
    const int round = round_;
    if (!literal.isNull()) {
        sendQuery(round, master, {literal});
        return;
    }
    lookUpInBackground(link_, nameLookup_, master.host,
                       [this, round, master](const QList<QHostAddress>& found) {
                           sendQuery(round, master, found);
                       });
}

void MasterQuery::sendQuery(int round, const MasterList::Master& master,
                            const QList<QHostAddress>& found) {
    if (round != round_ || !counts_.contains(master.text))
        return;
    if (found.isEmpty()) {
        emit problem(master.text, QStringLiteral("unknown host"));
        close(master.text);
        return;
    }
    for (const QHostAddress& address : found.first(qMin(found.size(), AddressesPerName))) {
        udpAt_.insert(endpointKey(address, master.port), master.text);
        socket_->writeDatagram(MasterList::query(), plainAddress(address), master.port);
    }
}

void MasterQuery::readDatagrams() {
    for (int i = 0; i < DatagramsPerRead && socket_ && socket_->hasPendingDatagrams(); ++i) {
        const QNetworkDatagram datagram = socket_->receiveDatagram(65536);
        const QString master = udpAt_.value(
            endpointKey(datagram.senderAddress(), static_cast<quint16>(datagram.senderPort())));
        if (master.isEmpty() || !counts_.contains(master))
            continue;
        const auto servers = MasterList::parseMasterReply(datagram.data());
        if (!servers)
            continue;
        const int count = ++datagrams_[master];
        const int round = round_;
        take(master, *servers);
        QTimer::singleShot(QuietMs, this, [this, round, master, count] {
            if (round == round_ && datagrams_.value(master) == count)
                quietAfter(round, master);
        });
    }
}

void MasterQuery::quietAfter(int round, const QString& master) {
    if (round == round_)
        close(master);
}

void MasterQuery::askHttp(const MasterList::Master& master) {
    if (!network_)
        network_ = new QNetworkAccessManager(this);
    QNetworkRequest request{QUrl(master.url)};
    QNetworkReply* reply = network_->get(request);
    downloads_.insert(reply, {master.text, {}, false, false});
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] { readHttp(reply); });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { endHttp(reply); });
}

void MasterQuery::readHttp(QNetworkReply* reply) {
    auto download = downloads_.find(reply);
    if (download == downloads_.end() || download->cut || !reply->isOpen())
        return;
    download->body += reply->read(MasterList::MaxListBytes + 1 - download->body.size());
    if (download->body.size() > MasterList::MaxListBytes) {
        download->body.truncate(MasterList::MaxListBytes);
        download->cut = true;
        reply->abort();
    }
}

void MasterQuery::endHttp(QNetworkReply* reply) {
    reply->deleteLater();
    readHttp(reply);
    const auto found = downloads_.constFind(reply);
    if (found == downloads_.constEnd())
        return;
    const Download download = *found;
    downloads_.erase(found);
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (download.cut)
        emit problem(download.master,
                     QStringLiteral("the list is too long: only its start is read"));
    else if (download.late)
        emit problem(download.master, QStringLiteral("too slow: only what came in time is read"));
    else if (reply->error() != QNetworkReply::NoError)
        emit problem(download.master, reply->errorString());
    else if (status != 200)
        emit problem(download.master, QStringLiteral("HTTP status %1").arg(status));
    const bool usable = download.cut || download.late ||
                        (reply->error() == QNetworkReply::NoError && status == 200);
    const int round = round_;
    if (usable)
        take(download.master, MasterList::parseHttpList(download.body));
    if (round == round_) // a handler may have started another fetch
        close(download.master);
}

void MasterQuery::take(const QString& master, const QStringList& servers) {
    const auto count = counts_.find(master);
    if (count == counts_.end())
        return;
    const qsizetype room = MasterList::MaxServers - *count;
    if (servers.size() > room)
        emit problem(master, QStringLiteral("more than %1 servers: the rest is left out")
                                 .arg(MasterList::MaxServers));
    const QStringList taken = servers.first(qMax<qsizetype>(0, qMin(room, servers.size())));
    *count += static_cast<int>(taken.size());
    if (!taken.isEmpty())
        emit listed(master, taken);
}

void MasterQuery::expire(int round, const QString& master) {
    if (round != round_ || !counts_.contains(master))
        return;
    for (auto it = downloads_.begin(); it != downloads_.end(); ++it) {
        if (it->master == master) {
            it->late = true;
            it.key()->abort(); // its end closes the master
            return;
        }
    }
    if (datagrams_.value(master) == 0)
        emit problem(master, QStringLiteral("no answer"));
    close(master);
}

void MasterQuery::close(const QString& master) {
    if (!counts_.remove(master))
        return;
    if (counts_.isEmpty()) {
        stop();
        emit finished();
    }
}

void MasterQuery::stop() {
    const QList<QNetworkReply*> replies = downloads_.keys();
    downloads_.clear();
    for (QNetworkReply* reply : replies) {
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    counts_.clear();
    datagrams_.clear();
    udpAt_.clear();
    if (socket_) {
        socket_->close();
        socket_->deleteLater();
        socket_ = nullptr;
    }
}
