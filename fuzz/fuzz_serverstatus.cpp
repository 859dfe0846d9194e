// Any datagram as a server's status reply, and any line of servers.txt as a server's address:
// never a crash, a hang or a leak; what is shown (the rules too) holds only printable ASCII,
// within its length, and a command-line line always has its five fields.

#include "launch/ServerStatus.h"
#include "launch/ServerStatusText.h"

#include "FuzzWorld.h"

#include <cstddef>
#include <cstdint>

namespace {

bool printable(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u' ' && c < u'\x7f'; });
}

bool shownWell(const QString& text) {
    return printable(text) && text.size() <= ServerStatus::MaxTextLength;
}

void checkReply(const QByteArray& bytes) {
    const auto reply = ServerStatus::parseReply(bytes);
    if (!reply)
        return;
    FUZZ_CHECK(shownWell(reply->hostname) && shownWell(reply->map) && shownWell(reply->game),
               bytes);
    FUZZ_CHECK(reply->maxClients >= -1, bytes);
    FUZZ_CHECK(reply->rules.size() <= 128, bytes);
    for (const auto& [key, value] : reply->rules)
        FUZZ_CHECK(!key.isEmpty() && shownWell(key) && shownWell(value), bytes);
    // The shortest player line is `0 0 ""` and its newline.
    FUZZ_CHECK(reply->players.size() <= bytes.size() / 7 + 1, bytes);
    const QStringList listed = ServerStatusText::playerList(*reply).split(u'\n');
    for (qsizetype i = 0; i < reply->players.size(); ++i) {
        const ServerStatus::Player& player = reply->players[i];
        FUZZ_CHECK(shownWell(player.name), bytes);
        FUZZ_CHECK(listed.value(i).startsWith(player.name + QStringLiteral("  (score ")), bytes);
    }
    const ServerResult answered{ServerState::Answered, 5, *reply};
    FUZZ_CHECK(ServerStatusText::queryLine(QStringLiteral("a:1"), answered).count(u'\t') == 4,
               bytes);
}

void checkAddress(const QByteArray& bytes) {
    const QString line = QString::fromLatin1(bytes);
    const auto address = ServerStatus::parseAddress(line);
    if (!address)
        return;
    FUZZ_CHECK(!address->host.isEmpty() && address->port > 0, bytes);
    FUZZ_CHECK(printable(address->host) && !address->host.contains(u' '), bytes);
    // Written back the usual way, it names the same server.
    const QString written =
        QLatin1Char('[') + address->host + QStringLiteral("]:") + QString::number(address->port);
    const auto again = ServerStatus::parseAddress(
        address->host.contains(u':') ? written : written.mid(1).remove(u']'));
    FUZZ_CHECK(again && again->host == address->host && again->port == address->port, bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkReply(bytes);
    checkAddress(bytes);
    FUZZ_CHECK(printable(ServerStatus::gameText(bytes)), bytes);
    return 0;
}
