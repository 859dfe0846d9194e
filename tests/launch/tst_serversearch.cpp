#include "launch/ServerSearch.h"
#include "support/StandInMaster.h"
#include "support/StandInServer.h"
#include "support/TestRegistry.h"

#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QUdpSocket>

#include <memory>
#include <vector>

namespace {

QByteArray replyOf(const QByteArray& name) {
    return StandInServer::statusReply("\\hostname\\" + name + "\\mapname\\q2dm1\\maxclients\\8",
                                      {"1 20 \"Grunt\""});
}

enum class Source { List, AddressBook, UdpMaster, HttpPlain, HttpBinary, Lan };

// What the search found: "address name" per server that answered, sorted.
QStringList answered(const ServerSearch& search) {
    QStringList shown;
    for (const QString& address : search.addresses()) {
        const auto result = search.result(address);
        if (result && result->state == ServerState::Answered)
            shown << address + u' ' + result->reply.hostname;
    }
    shown.sort();
    return shown;
}

void runToEnd(ServerSearch& search, const ServerSources& sources) {
    QSignalSpy done(&search, &ServerSearch::finished);
    search.start(sources);
    QVERIFY(!search.isRunning() || done.wait(20000));
    QVERIFY(!search.isRunning());
}

QStringList manyServers(int count) {
    QStringList servers;
    for (int i = 0; i < count; ++i)
        servers << QStringLiteral("10.1.%1.%2:27910").arg(i / 250).arg(i % 250 + 1);
    return servers;
}

} // namespace

class TstServerSearch : public QObject {
    Q_OBJECT

private slots:
    void everySourceFindsItsServers_data() {
        QTest::addColumn<Source>("source");
        QTest::newRow("servers.txt") << Source::List;
        QTest::newRow("address book") << Source::AddressBook;
        QTest::newRow("UDP master") << Source::UdpMaster;
        QTest::newRow("HTTP plain list") << Source::HttpPlain;
        QTest::newRow("HTTP binary list") << Source::HttpBinary;
        QTest::newRow("local network") << Source::Lan;
    }
    void everySourceFindsItsServers() {
        QFETCH(Source, source);
        StandInServer alpha({replyOf("Alpha")}), beta({replyOf("Beta")});
        const QStringList both{alpha.address(), beta.address()};
        StandInMaster master(
            {StandInMaster::reply({alpha.address()}), StandInMaster::reply({beta.address()})});
        StandInHttp plain(both.join(u'\n').toLatin1() + '\n');
        StandInHttp binary(StandInMaster::records(both));
        ServerSearch search;
        search.lan().setTarget(QHostAddress::LocalHost, {alpha.port(), beta.port()});
        search.lan().setListenTime(500);
        ServerSources sources;
        switch (source) {
        case Source::List:
            sources.listed = {QStringLiteral("Type Here to Add Servers."), both[0], both[1]};
            break;
        case Source::AddressBook:
            sources.addressBook = {both[0], QString(), both[1]};
            break;
        case Source::UdpMaster:
            sources.masters = MasterList::parseMasters(master.address());
            break;
        case Source::HttpPlain:
            sources.masters = MasterList::parseMasters(plain.url());
            break;
        case Source::HttpBinary:
            sources.masters = MasterList::parseMasters(binary.url());
            break;
        case Source::Lan:
            sources.lan = true;
            break;
        }
        runToEnd(search, sources);
        QStringList expected{both[0] + " Alpha", both[1] + " Beta"};
        expected.sort();
        QCOMPARE(answered(search), expected);
        QCOMPARE(search.addresses().size(), 2);
    }

    void oneServerFromTwoSourcesIsOneRow() {
        StandInServer alpha({replyOf("Alpha")});
        const QString byName = QStringLiteral("LOCALHOST:%1").arg(alpha.port());
        ServerSearch search;
        runToEnd(search, {{alpha.address(), QStringLiteral(" ") + alpha.address()},
                          {alpha.address(), byName},
                          false,
                          {}});
        QCOMPARE(search.addresses(), (QStringList{alpha.address(), "localhost:" + byName.mid(10)}));
        QCOMPARE(search.sourcesOf(alpha.address()), FromList | FromAddressBook);
        QCOMPARE(sourceNames(FromList | FromLan), QStringLiteral("servers.txt, LAN"));
    }

    // Hostile or broken masters: each is bounded and said, and the search still ends.
    void mastersThatMisbehave_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("servers");
        QTest::addColumn<QString>("problem");
        QTest::newRow("silent UDP master") << 0 << 0 << "no answer";
        QTest::newRow("flood of datagrams") << 1 << int(MasterList::MaxServers) << "more than 4096";
        QTest::newRow("stranger and garbage dropped") << 2 << 1 << "";
        QTest::newRow("endless HTTP list") << 3 << int(MasterList::MaxServers) << "too long";
        QTest::newRow("stalled HTTP list") << 4 << 0 << "too slow";
        QTest::newRow("unknown host") << 5 << 0 << "unknown host";
        QTest::newRow("nobody listening on HTTP") << 6 << 0 << "refused";
    }
    void mastersThatMisbehave() {
        QFETCH(int, kind);
        QFETCH(int, servers);
        QFETCH(QString, problem);
        QList<QByteArray> flood;
        const QStringList many = manyServers(300);
        for (int i = 0; i < 20; ++i)
            flood << StandInMaster::reply(many);
        StandInMaster silent, flooding(flood),
            stranger({QByteArray("\xff\xff\xff\xffservers"), StandInMaster::reply({many[0]})});
        stranger.setStrangerReply(StandInMaster::reply(many));
        // A million lines, sent for as long as anyone reads.
        StandInHttp endless(QByteArray("192.0.2.1:27910\n").repeated(1000),
                            StandInHttp::Mode::Endless);
        StandInHttp stalled("192.0.2.1:27910\n", StandInHttp::Mode::Stall);
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost, 0);
        const QString refused = QStringLiteral("http://127.0.0.1:%1/x").arg(closed.serverPort());
        closed.close();
        const QString masters[] = {silent.address(), flooding.address(), stranger.address(),
                                   endless.url(),    stalled.url(),      "nowhere.invalid",
                                   refused};
        MasterQuery query;
        query.setTimeout(1500);
        query.setNameLookup([](const QString&) { return QList<QHostAddress>(); });
        int count = 0;
        QStringList problems;
        connect(&query, &MasterQuery::listed, this,
                [&](const QString&, const QStringList& listed) { count += int(listed.size()); });
        connect(&query, &MasterQuery::problem, this,
                [&](const QString&, const QString& message) { problems << message; });
        QSignalSpy done(&query, &MasterQuery::finished);
        query.fetch(MasterList::parseMasters(masters[kind]));
        QVERIFY(done.wait(20000));
        QCOMPARE(count, servers);
        QCOMPARE(problems.join(u';').contains(problem, Qt::CaseInsensitive), true);
        QCOMPARE(problems.isEmpty(), problem.isEmpty());
    }

    // However many servers there are, no more than 50 questions are open at a time.
    void atMostFiftyAtOnce() {
        std::vector<std::unique_ptr<QUdpSocket>> silent;
        QStringList addresses;
        for (int i = 0; i < 60; ++i) {
            silent.push_back(std::make_unique<QUdpSocket>());
            silent.back()->bind(QHostAddress::LocalHost, 0);
            addresses << QStringLiteral("127.0.0.1:%1").arg(silent.back()->localPort());
        }
        // The loopback delivers a datagram as it is sent: what the sockets hold is what was sent.
        const auto asked = [&] {
            int count = 0;
            for (const auto& socket : silent)
                while (socket->hasPendingDatagrams()) {
                    socket->receiveDatagram();
                    socket->setProperty("asked", socket->property("asked").toInt() + 1);
                }
            for (const auto& socket : silent)
                count += socket->property("asked").toInt();
            return count;
        };
        ServerQuery query;
        query.setTimeout(200);
        int askedAtFirstResult = -1;
        connect(&query, &ServerQuery::resultChanged, this, [&] {
            if (askedAtFirstResult < 0)
                askedAtFirstResult = asked();
        });
        QSignalSpy done(&query, &ServerQuery::finished);
        query.ask(addresses);
        QVERIFY(done.wait(20000));
        QCOMPARE(askedAtFirstResult, ServerQuery::MaxInFlight);
        QCOMPARE(asked(), 60);
        QCOMPARE(query.result(addresses.last())->state, ServerState::NoAnswer);
    }
};

VEXA_TEST(TstServerSearch)
#include "tst_serversearch.moc"
