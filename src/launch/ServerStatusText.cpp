#include "ServerStatusText.h"

#include <QStringList>

namespace ServerStatusText {

QString stateText(ServerState state) {
    switch (state) {
    case ServerState::Asking:
        return QStringLiteral("asking");
    case ServerState::Answered:
        return {};
    case ServerState::NoAnswer:
        return QStringLiteral("no answer");
    case ServerState::BadAnswer:
        return QStringLiteral("bad answer");
    case ServerState::UnknownHost:
        return QStringLiteral("unknown host");
    case ServerState::BadAddress:
        return QStringLiteral("not an address");
    }
    return {};
}

QString pingText(const ServerResult& result) {
    if (result.state != ServerState::Answered)
        return QStringLiteral("-");
    return QStringLiteral("%1 ms").arg(result.pingMs);
}

QString playersText(const ServerStatus::Reply& reply) {
    const QString maximum =
        reply.maxClients < 0 ? QStringLiteral("-") : QString::number(reply.maxClients);
    return QString::number(reply.players.size()) + QLatin1Char('/') + maximum;
}

QString playerList(const ServerStatus::Reply& reply) {
    QStringList lines;
    for (const ServerStatus::Player& player : reply.players)
        // One pass: a name may itself hold "%1".
        lines << QStringLiteral("%1  (score %2, ping %3 ms)")
                     .arg(player.name, QString::number(player.score), QString::number(player.ping));
    return lines.join(QLatin1Char('\n'));
}

Columns columnsOf(const ServerResult& result) {
    if (result.state != ServerState::Answered)
        return {pingText(result), {}, {}, stateText(result.state)};
    const ServerStatus::Reply& reply = result.reply;
    return {pingText(result), playersText(reply), reply.map, reply.hostname};
}

namespace {

// A field of a line on the command line: a tab inside must not read as more fields.
QString fieldText(QString text) {
    for (QChar& c : text)
        if (c < u' ')
            c = u' ';
    return text;
}

} // namespace

QString playerLine(const ServerStatus::Player& player) {
    const QLatin1Char tab('\t');
    return tab + QString::number(player.score) + tab + QString::number(player.ping) + tab +
           fieldText(player.name);
}

QString queryLine(const QString& address, const ServerResult& result) {
    const QLatin1Char tab('\t');
    // A line of the file that holds a tab must not read as more fields.
    const QString shown = fieldText(address);
    if (result.state != ServerState::Answered)
        return shown + tab + stateText(result.state);
    const ServerStatus::Reply& reply = result.reply;
    return QStringList{shown, pingText(result), reply.map, playersText(reply), reply.hostname}.join(
        tab);
}

} // namespace ServerStatusText
