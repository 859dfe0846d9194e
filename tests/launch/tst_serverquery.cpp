#include "launch/ServerQuery.h"
#include "launch/ServerStatusText.h"
#include "support/StandInServer.h"
#include "support/TestRegistry.h"

#include <QNetworkDatagram>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QUdpSocket>

#include <memory>

namespace {

const QByteArray Arena =
    StandInServer::statusReply("\\hostname\\Vexa Arena\\mapname\\q2dm1\\maxclients\\16",
                               {"12 48 \"Grunt\"", "3 60 \"Viper\""});
const QByteArray Impostor =
    StandInServer::statusReply("\\hostname\\Impostor\\mapname\\fake\\maxclients\\1", {});

// What the window shows for an address: its state, or name, map and players.
QString shown(const ServerQuery& query, const QString& address) {
    const auto result = query.result(address);
    if (!result)
        return QStringLiteral("not asked");
    if (result->state != ServerState::Answered)
        return ServerStatusText::stateText(result->state);
    return QStringList{result->reply.hostname, result->reply.map,
                       ServerStatusText::playersText(result->reply)}
        .join(u' ');
}

void askAll(ServerQuery& query, const QStringList& lines) {
    QSignalSpy done(&query, &ServerQuery::finished);
    query.ask(lines);
    QVERIFY(!query.isAsking() || done.wait(10000));
    QVERIFY(!query.isAsking());
}

} // namespace

class TstServerQuery : public QObject {
    Q_OBJECT

private slots:
    void everyServerAtOnceEachByItsAddress() {
        StandInServer arena({Arena}), silent, garbage({QByteArray("\xff\xff\xff\xffprint\nhi")});
        ServerQuery query;
        query.setTimeout(300);
        QSignalSpy changes(&query, &ServerQuery::resultChanged);
        const QString byName = QStringLiteral("localhost:%1").arg(arena.port());
        askAll(query,
               {arena.address(), silent.address(), QStringLiteral(" ") + arena.address(),
                garbage.address(), QStringLiteral("Type Here to Add Servers."), QString(), byName});
        QCOMPARE(shown(query, arena.address()), QStringLiteral("Vexa Arena q2dm1 2/16"));
        QVERIFY(query.result(arena.address())->pingMs >= 0);
        QCOMPARE(shown(query, silent.address()), QStringLiteral("no answer"));
        QCOMPARE(shown(query, garbage.address()), QStringLiteral("bad answer"));
        QCOMPARE(shown(query, QStringLiteral("Type Here to Add Servers.")),
                 QStringLiteral("not an address"));
        // The name is looked up; the reply of 127.0.0.1 may come as ::ffff:127.0.0.1.
        QCOMPARE(shown(query, byName), QStringLiteral("Vexa Arena q2dm1 2/16"));
        QCOMPARE(changes.count(), 5);  // once per distinct address
        QCOMPARE(arena.requests(), 2); // its address and its name; the repeat is not asked
        QCOMPARE(silent.requests(), 1);
    }

    void hostileAnswers_data() {
        QTest::addColumn<QList<QByteArray>>("replies");
        QTest::addColumn<QByteArray>("stranger");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a stranger answers first")
            << QList<QByteArray>{Arena} << Impostor << "Vexa Arena q2dm1 2/16";
        QTest::newRow("only a stranger answers") << QList<QByteArray>{} << Impostor << "no answer";
        QTest::newRow("a flood after the answer")
            << (QList<QByteArray>{Arena} + QList<QByteArray>(500, Impostor)) << QByteArray()
            << "Vexa Arena q2dm1 2/16";
        // More than one read takes: the answer is read all the same.
        QTest::newRow("garbage first")
            << (QList<QByteArray>(150, QByteArray("\xff\xff\xff\xffprint")) +
                QList<QByteArray>{Arena})
            << QByteArray() << "Vexa Arena q2dm1 2/16";
        QTest::newRow("a flood of garbage")
            << QList<QByteArray>(500, QByteArray(1000, '\xff')) << QByteArray() << "bad answer";
        QTest::newRow("oversized")
            << QList<QByteArray>{StandInServer::statusReply(
                   "\\hostname\\" + QByteArray(20000, 'h'),
                   QList<QByteArray>(4000, QByteArray("1 2 \"x\"")))}
            << QByteArray() << QString(ServerStatus::MaxTextLength, u'h') + " " + " 4000/-";
        QTest::newRow("truncated")
            << QList<QByteArray>{Arena.chopped(4)} << QByteArray() << "bad answer";
    }
    void hostileAnswers() {
        QFETCH(QList<QByteArray>, replies);
        QFETCH(QByteArray, stranger);
        QFETCH(QString, expected);
        StandInServer server(replies);
        server.setStrangerReply(stranger);
        ServerQuery query;
        query.setTimeout(500);
        askAll(query, {server.address()});
        QCOMPARE(shown(query, server.address()), expected);
    }

    void aNewRoundLeavesTheOldBehind() {
        StandInServer arena({Arena}), silent;
        ServerQuery query;
        query.setTimeout(200);
        QSignalSpy changes(&query, &ServerQuery::resultChanged);
        query.ask({silent.address(), arena.address()});
        askAll(query, {arena.address()});
        QTest::qWait(400); // past the first round's time: nothing of it may come back
        QCOMPARE(shown(query, silent.address()), QStringLiteral("not asked"));
        QCOMPARE(shown(query, arena.address()), QStringLiteral("Vexa Arena q2dm1 2/16"));
        QCOMPARE(changes.count(), 1);
    }

    // Servers answering a twentieth of the time before it is up: every answer counts (a coarse
    // timer, which may fire that much early, once missed some).
    void answersJustInTimeCount() {
        std::vector<std::unique_ptr<StandInServer>> servers;
        QStringList addresses;
        for (int n = 0; n < 8; ++n) {
            servers.push_back(std::make_unique<StandInServer>(QList<QByteArray>{Arena}));
            servers.back()->setDelay(1880 + 10 * n);
            addresses << servers.back()->address();
        }
        ServerQuery query;
        askAll(query, addresses);
        for (const QString& address : addresses)
            QCOMPARE(shown(query, address), QStringLiteral("Vexa Arena q2dm1 2/16"));
    }

    // A name server that never answers: the name is "no answer" once the time is up, and neither
    // the round's end nor the query's waits for the lookup, which may never return.
    void aNameThatNeverResolves() {
        const auto gate = std::make_shared<QSemaphore>();
        StandInServer arena({Arena});
        auto query = std::make_unique<ServerQuery>();
        query->setTimeout(300);
        query->setNameLookup([gate](const QString& host) {
            if (host == QLatin1String("stuck.example"))
                gate->acquire();
            return QList<QHostAddress>{QHostAddress::LocalHost};
        });
        const QString found = QStringLiteral("found.example:%1").arg(arena.port());
        askAll(*query, {QStringLiteral("stuck.example:27910"), found});
        QCOMPARE(shown(*query, QStringLiteral("stuck.example:27910")), QStringLiteral("no answer"));
        QCOMPARE(shown(*query, found), QStringLiteral("Vexa Arena q2dm1 2/16"));
        query.reset();
        gate->release(); // the lookup returns to a query that is gone
    }
};

VEXA_TEST(TstServerQuery)
#include "tst_serverquery.moc"
