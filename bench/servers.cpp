// Stand-in game servers and a master listing them, on the loopback, for the server-list bench:
//
//   vexa_bench_servers COUNT
//
// prints the master's address ("127.0.0.1:PORT") and a blank line once every server listens,
// then answers until its standard input closes. Each server answers a status request at once
// with a reply of its own, as a busy Internet server would (a name, a map, eight players).

#include <QCoreApplication>
#include <QHostAddress>
#include <QNetworkDatagram>
#include <QSocketNotifier>
#include <QUdpSocket>
#include <QtEndian>

#include <cstdio>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

QByteArray statusReply(int number) {
    QByteArray reply = QByteArrayLiteral("\xff\xff\xff\xffprint\n") +
                       "\\hostname\\Bench " + QByteArray::number(number) +
                       "\\mapname\\q2dm1\\maxclients\\16\\gamename\\baseq2\n";
    for (int player = 0; player < 8; ++player)
        reply += QByteArray::number(player) + " 50 \"Player " + QByteArray::number(player) + "\"\n";
    return reply;
}

QByteArray record(quint16 port) {
    char bytes[6];
    qToBigEndian<quint32>(QHostAddress(QHostAddress::LocalHost).toIPv4Address(), bytes);
    qToBigEndian<quint16>(port, bytes + 4);
    return QByteArray(bytes, 6);
}

// Answers every datagram that starts with `question` with `answer`.
void answer(QUdpSocket* socket, const QByteArray& question, const QByteArray& answer) {
    QObject::connect(socket, &QUdpSocket::readyRead, socket, [socket, question, answer] {
        while (socket->hasPendingDatagrams()) {
            const QNetworkDatagram request = socket->receiveDatagram();
            if (request.data().startsWith(question))
                socket->writeDatagram(answer, request.senderAddress(),
                                      static_cast<quint16>(request.senderPort()));
        }
    });
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : 1000;
    std::vector<std::unique_ptr<QUdpSocket>> servers;
    QByteArray list = QByteArrayLiteral("\xff\xff\xff\xffservers ");
    for (int i = 0; i < count; ++i) {
        auto server = std::make_unique<QUdpSocket>();
        if (!server->bind(QHostAddress::LocalHost, 0))
            return 1;
        list += record(server->localPort());
        answer(server.get(), QByteArrayLiteral("\xff\xff\xff\xffstatus"), statusReply(i));
        servers.push_back(std::move(server));
    }
    QUdpSocket master;
    if (!master.bind(QHostAddress::LocalHost, 0))
        return 1;
    answer(&master, QByteArrayLiteral("query"), list);
    std::printf("127.0.0.1:%u\n\n", master.localPort());
    std::fflush(stdout);
    // Ends when the bench closes its end of the pipe.
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char byte;
        if (read(STDIN_FILENO, &byte, 1) <= 0)
            QCoreApplication::quit();
    });
    return QCoreApplication::exec();
}
