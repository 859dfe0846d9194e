// Any datagram as a master's reply, any body as an HTTP list, and any text as the masters of
// vexa.ini: never a crash, a hang or a leak; a list never holds more than its bound, and every
// server in it is an address the status query takes, never a broadcast, multicast or zero one.

#include "launch/MasterList.h"
#include "launch/ServerStatus.h"

#include "FuzzWorld.h"

#include <QHostAddress>

#include <cstddef>
#include <cstdint>

namespace {

bool isServer(const QString& text) {
    const auto address = ServerStatus::parseAddress(text);
    if (!address)
        return false;
    const QHostAddress host(address->host);
    return host.isNull() || (!host.isBroadcast() && !host.isMulticast() &&
                             host != QHostAddress(QHostAddress::AnyIPv4));
}

void checkList(const QStringList& servers, qsizetype bound, const QByteArray& bytes) {
    FUZZ_CHECK(servers.size() <= qMin(bound, MasterList::MaxServers), bytes);
    for (const QString& server : servers)
        FUZZ_CHECK(isServer(server), bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const auto reply = MasterList::parseMasterReply(bytes))
        checkList(*reply, bytes.size() / 6, bytes);
    checkList(MasterList::parseBinaryList(bytes), bytes.size() / 6, bytes);
    // The shortest line naming a server is one character and its line end.
    checkList(MasterList::parsePlainList(bytes), bytes.size() / 2, bytes);
    checkList(MasterList::parseHttpList(bytes), bytes.size() / 2, bytes);
    QStringList bad;
    const QList<MasterList::Master> masters =
        MasterList::parseMasters(QString::fromLatin1(bytes), &bad);
    for (const MasterList::Master& master : masters)
        FUZZ_CHECK(master.kind == MasterList::Master::Http
                       ? !master.url.isEmpty()
                       : master.port > 0 && !master.host.isEmpty(),
                   bytes);
    return 0;
}
