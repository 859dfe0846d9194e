#include "MasterList.h"

#include "ServerStatus.h"

#include <QHostAddress>
#include <QRegularExpression>
#include <QtEndian>

#include <algorithm>

namespace MasterList {

namespace {

constexpr QByteArrayView ReplyHeader("\xff\xff\xff\xffservers", 11);
constexpr qsizetype RecordSize = 6;

// Nothing a master names may make Vexa send to every host of a network.
bool isServerHost(const QHostAddress& address) {
    return !address.isBroadcast() && !address.isMulticast() &&
           address != QHostAddress(QHostAddress::AnyIPv4) &&
           address != QHostAddress(QHostAddress::AnyIPv6);
}

bool isServerAddress(quint32 ip, quint16 port) {
    return port != 0 && isServerHost(QHostAddress(ip));
}

// A line naming a server by its name, or by an address of one host.
bool isServerLine(const QString& line) {
    const auto address = ServerStatus::parseAddress(line);
    if (!address)
        return false;
    const QHostAddress literal(address->host);
    return literal.isNull() || isServerHost(literal);
}

QStringList records(QByteArrayView bytes) {
    QStringList servers;
    for (qsizetype at = 0; at + RecordSize <= bytes.size() && servers.size() < MaxServers;
         at += RecordSize) {
        const quint32 ip = qFromBigEndian<quint32>(bytes.data() + at);
        const quint16 port = qFromBigEndian<quint16>(bytes.data() + at + 4);
        if (isServerAddress(ip, port))
            servers << QHostAddress(ip).toString() + QLatin1Char(':') + QString::number(port);
    }
    return servers;
}

bool isText(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 0x20 && byte < 0x7f) || c == '\n' || c == '\r' || c == '\t';
}

} // namespace

QByteArray query() {
    return QByteArrayLiteral("query\n\0");
}

std::optional<QStringList> parseMasterReply(QByteArrayView datagram) {
    if (!datagram.startsWith(ReplyHeader) || datagram.size() == ReplyHeader.size())
        return std::nullopt;
    const char separator = datagram[ReplyHeader.size()];
    if (separator != ' ' && separator != '\n')
        return std::nullopt;
    return records(datagram.sliced(ReplyHeader.size() + 1));
}

QStringList parseBinaryList(QByteArrayView bytes) {
    return records(bytes);
}

QStringList parsePlainList(QByteArrayView bytes) {
    QStringList servers;
    qsizetype at = 0;
    while (at < bytes.size() && servers.size() < MaxServers) {
        const qsizetype end = bytes.indexOf('\n', at);
        if (end < 0)
            break;
        const QString line = QString::fromLatin1(bytes.sliced(at, end - at));
        if (isServerLine(line))
            servers << line.trimmed();
        at = end + 1;
    }
    return servers;
}

QStringList parseHttpList(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(), isText) ? parsePlainList(bytes)
                                                           : parseBinaryList(bytes);
}

std::optional<Master> parseMaster(QStringView text) {
    text = text.trimmed();
    for (const QLatin1StringView scheme :
         {QLatin1StringView("http://"), QLatin1StringView("https://")}) {
        if (text.startsWith(scheme, Qt::CaseInsensitive) && text.size() > scheme.size())
            return Master{Master::Http, {}, 0, text.toString(), text.toString()};
    }
    const auto address = ServerStatus::parseAddress(text, DefaultMasterPort);
    if (!address)
        return std::nullopt;
    return Master{Master::Udp, address->host, address->port, {}, text.toString()};
}

QList<Master> parseMasters(QStringView text, QStringList* bad) {
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    QList<Master> masters;
    for (const QString& word : text.toString().split(separators, Qt::SkipEmptyParts)) {
        if (const auto master = parseMaster(word))
            masters << *master;
        else if (bad)
            *bad << word;
    }
    return masters;
}

} // namespace MasterList
