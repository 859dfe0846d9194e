#include "ServerStatus.h"

#include <QHostAddress>
#include <QSet>

#include <algorithm>
#include <utility>

namespace ServerStatus {

namespace {

constexpr QByteArrayView ReplyHeader("\xff\xff\xff\xffprint\n", 10);
constexpr qsizetype MaxHostNameLength = 253;

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isHostNameCharacter(QChar c) {
    return isAsciiDigit(c) || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'.' ||
           c == u'-' || c == u'_';
}

// A DNS name or an IPv4 address: only the characters those are written with.
bool isHostName(QStringView host) {
    if (host.isEmpty() || host.size() > MaxHostNameLength)
        return false;
    return std::all_of(host.begin(), host.end(), isHostNameCharacter);
}

// Qt's parser stops at a zero character: the text is checked whole first.
bool isIpv6Address(QStringView host) {
    const auto isIpv6Character = [](QChar c) {
        return isHostNameCharacter(c) || c == u':' || c == u'%';
    };
    return std::all_of(host.begin(), host.end(), isIpv6Character) &&
           QHostAddress(host.toString()).protocol() == QAbstractSocket::IPv6Protocol;
}

std::optional<quint16> parsePort(QStringView digits) {
    if (digits.isEmpty() || digits.size() > 5 ||
        !std::all_of(digits.begin(), digits.end(), isAsciiDigit))
        return std::nullopt;
    const int port = digits.toInt();
    if (port < 1 || port > 65535)
        return std::nullopt;
    return static_cast<quint16>(port);
}

std::optional<Address> parseBracketed(QStringView text, quint16 defaultPort) {
    const qsizetype close = text.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    const QStringView host = text.sliced(1, close - 1);
    const QStringView rest = text.sliced(close + 1);
    std::optional<quint16> port = defaultPort;
    if (!rest.isEmpty())
        port = rest.startsWith(u':') ? parsePort(rest.sliced(1)) : std::nullopt;
    if (!port || !isIpv6Address(host))
        return std::nullopt;
    return Address{host.toString(), *port};
}

// A reply may hold a name of any length.
QString shownText(QByteArrayView bytes) {
    return gameText(bytes).left(MaxTextLength);
}

// The game's serverinfo holds 512 characters: a reply with more keys is not the game's.
constexpr qsizetype MaxRules = 128;

void addRule(Reply& reply, QSet<QString>& seen, QByteArrayView key, QByteArrayView value) {
    const QString name = shownText(key);
    if (reply.rules.size() < MaxRules && !name.isEmpty() && !seen.contains(name)) {
        seen.insert(name);
        reply.rules.append({name, shownText(value)});
    }
}

// "\key\value\key\value...": the first value of each key counts, as with the game's own lookup.
bool parseServerInfo(QByteArrayView line, Reply& reply) {
    if (line.isEmpty())
        return true;
    if (!line.startsWith('\\'))
        return false;
    bool seenHost = false, seenMap = false, seenGame = false, seenMax = false;
    QSet<QString> seen;
    qsizetype at = 1;
    while (at <= line.size()) {
        const qsizetype keyEnd = line.indexOf('\\', at);
        if (keyEnd < 0)
            break; // a key without value
        qsizetype valueEnd = line.indexOf('\\', keyEnd + 1);
        if (valueEnd < 0)
            valueEnd = line.size();
        const QByteArrayView key = line.sliced(at, keyEnd - at);
        const QByteArrayView value = line.sliced(keyEnd + 1, valueEnd - keyEnd - 1);
        addRule(reply, seen, key, value);
        if (key == "hostname" && !std::exchange(seenHost, true)) {
            reply.hostname = shownText(value);
        } else if (key == "mapname" && !std::exchange(seenMap, true)) {
            reply.map = shownText(value);
        } else if (key == "gamename" && !std::exchange(seenGame, true)) {
            reply.game = shownText(value);
        } else if (key == "maxclients" && !std::exchange(seenMax, true)) {
            bool ok = false;
            const int max = value.toInt(&ok);
            reply.maxClients = ok && max >= 0 ? max : -1;
        }
        at = valueEnd + 1;
    }
    return true;
}

std::optional<int> parseNumber(QByteArrayView text) {
    if (text.isEmpty())
        return std::nullopt;
    const qsizetype first = text.front() == '-' ? 1 : 0;
    if (text.size() == first ||
        !std::all_of(text.begin() + first, text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// `score ping "name"`, exactly as the server writes it.
std::optional<Player> parsePlayer(QByteArrayView line) {
    const qsizetype scoreEnd = line.indexOf(' ');
    if (scoreEnd < 0)
        return std::nullopt;
    const qsizetype pingEnd = line.indexOf(' ', scoreEnd + 1);
    if (pingEnd < 0)
        return std::nullopt;
    const QByteArrayView quoted = line.sliced(pingEnd + 1);
    const auto score = parseNumber(line.first(scoreEnd));
    const auto ping = parseNumber(line.sliced(scoreEnd + 1, pingEnd - scoreEnd - 1));
    if (!score || !ping || quoted.size() < 2 || !quoted.startsWith('"') || !quoted.endsWith('"'))
        return std::nullopt;
    return Player{*score, *ping, shownText(quoted.sliced(1, quoted.size() - 2))};
}

} // namespace

std::optional<Address> parseAddress(QStringView text, quint16 defaultPort) {
    text = text.trimmed();
    if (text.startsWith(u'['))
        return parseBracketed(text, defaultPort);
    if (text.count(u':') > 1) {
        if (!isIpv6Address(text))
            return std::nullopt;
        return Address{text.toString(), defaultPort};
    }
    QStringView host = text;
    std::optional<quint16> port = defaultPort;
    if (const qsizetype colon = text.indexOf(u':'); colon >= 0) {
        host = text.first(colon);
        port = parsePort(text.sliced(colon + 1));
    }
    if (!port || !isHostName(host))
        return std::nullopt;
    return Address{host.toString(), *port};
}

QByteArray request() {
    return QByteArrayLiteral("\xff\xff\xff\xffstatus\n");
}

std::optional<Reply> parseReply(QByteArrayView datagram) {
    if (!datagram.startsWith(ReplyHeader) || datagram.contains('\0'))
        return std::nullopt;
    const QByteArrayView body = datagram.sliced(ReplyHeader.size());
    const qsizetype infoEnd = body.indexOf('\n');
    Reply reply;
    if (infoEnd < 0 || !parseServerInfo(body.first(infoEnd), reply))
        return std::nullopt;
    qsizetype at = infoEnd + 1;
    while (at < body.size()) {
        qsizetype end = body.indexOf('\n', at);
        if (end < 0)
            end = body.size();
        const QByteArrayView line = body.sliced(at, end - at);
        if (!line.isEmpty()) {
            const auto player = parsePlayer(line);
            if (!player)
                return std::nullopt;
            reply.players << *player;
        }
        at = end + 1;
    }
    return reply;
}

QString gameText(QByteArrayView bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte) & 0x7f;
        if (c >= 0x20 && c != 0x7f)
            text += QChar(c);
    }
    return text;
}

} // namespace ServerStatus
