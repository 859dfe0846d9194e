#include "launch/ServerStatus.h"
#include "launch/ServerStatusText.h"
#include "support/TestRegistry.h"

#include <QTest>

namespace {

QByteArray printed(const QByteArray& body) {
    return QByteArrayLiteral("\xff\xff\xff\xffprint\n") + body;
}

// What a reply shows, in one line: name|map|maximum|players|first player; "-" when refused.
QString summary(const std::optional<ServerStatus::Reply>& r) {
    if (!r)
        return QStringLiteral("-");
    return QStringLiteral("%1|%2|%3|%4|%5")
        .arg(r->hostname, r->map)
        .arg(r->maxClients)
        .arg(r->players.size())
        .arg(r->players.isEmpty() ? QString() : r->players.first().name);
}

} // namespace

class TstServerStatus : public QObject {
    Q_OBJECT

private slots:
    void address_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected"); // host|port, or "-"
        QTest::newRow("port given") << "192.0.2.10:27911"
                                    << "192.0.2.10|27911";
        QTest::newRow("default port, blanks around") << "  q2.example.net \t"
                                                     << "q2.example.net|27910";
        QTest::newRow("bracketed IPv6") << "[2001:db8::1]:27920"
                                        << "2001:db8::1|27920";
        QTest::newRow("bracketed IPv6 alone") << "[::1]"
                                              << "::1|27910";
        QTest::newRow("bare IPv6") << "2001:db8::7"
                                   << "2001:db8::7|27910";
        QTest::newRow("instruction line") << "Type Here to Add Servers."
                                          << "-";
        QTest::newRow("empty port") << "example:"
                                    << "-";
        QTest::newRow("port zero") << "host:0"
                                   << "-";
        QTest::newRow("port too big") << "host:65536"
                                      << "-";
        QTest::newRow("port not a number") << "host:27a"
                                           << "-";
        QTest::newRow("no host") << ":27910"
                                 << "-";
        QTest::newRow("bracket not closed") << "[::1:27910"
                                            << "-";
        QTest::newRow("not IPv6 in brackets") << "[host]:1"
                                              << "-";
        QTest::newRow("control character") << "ho\x01st"
                                           << "-";
        QTest::newRow("zero character after IPv6") << QString::fromLatin1("::2\0]", 5) << "-";
        QTest::newRow("empty") << "   "
                               << "-";
    }
    void address() {
        QFETCH(QString, line);
        QFETCH(QString, expected);
        const auto parsed = ServerStatus::parseAddress(line);
        QCOMPARE(parsed ? parsed->host + QLatin1Char('|') + QString::number(parsed->port)
                        : QStringLiteral("-"),
                 expected);
    }

    void reply_data() {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<QString>("expected");
        const QByteArray info = "\\hostname\\Vexa Arena\\mapname\\q2dm1\\maxclients\\16";
        QTest::newRow("players") << printed(info + "\n12 48 \"Grunt\"\n-3 999 \"Viper\"\n")
                                 << "Vexa Arena|q2dm1|16|2|Grunt";
        QTest::newRow("no players, no final newline")
            << printed(info + "\n") << "Vexa Arena|q2dm1|16|0|";
        QTest::newRow("last line without newline")
            << printed(info + "\n1 2 \"a b\"") << "Vexa Arena|q2dm1|16|1|a b";
        QTest::newRow("first value of a key counts")
            << printed("\\mapname\\base1\\mapname\\base2\\maxclients\\x\n") << "|base1|-1|0|";
        QTest::newRow("empty serverinfo") << printed("\n") << "||-1|0|";
        QTest::newRow("key without value") << printed("\\hostname\\h\\mapname\n") << "h||-1|0|";
        QTest::newRow("game text: bit 7 cleared, control characters dropped")
            << printed("\\hostname\\\xd6\x01K\x7f\x0d\n0 0 \"\xc7r\x1bunt\x80\"\n")
            << "VK||-1|1|Grunt";
        QTest::newRow("long texts cut") << printed("\\hostname\\" + QByteArray(5000, 'h') + "\n")
                                        << QString(ServerStatus::MaxTextLength, u'h') + "||-1|0|";
        QTest::newRow("oversized: many players")
            << printed(info + "\n" + QByteArray("0 0 \"x\"\n").repeated(8000))
            << "Vexa Arena|q2dm1|16|8000|x";
        QTest::newRow("info reply") << QByteArray("\xff\xff\xff\xffinfo\nVexa q2dm1 0/16\n") << "-";
        QTest::newRow("no header") << QByteArray("print\n" + info + "\n") << "-";
        QTest::newRow("three bytes 0xFF") << QByteArray("\xff\xff\xffprint\n\n") << "-";
        QTest::newRow("no newline after serverinfo") << printed(info) << "-";
        QTest::newRow("serverinfo without backslash") << printed("hello\n") << "-";
        QTest::newRow("player line cut short") << printed(info + "\n1 20 \"Gru") << "-";
        QTest::newRow("player line without ping") << printed(info + "\n1 \"Grunt\"\n") << "-";
        QTest::newRow("score out of range") << printed(info + "\n99999999999 1 \"a\"\n") << "-";
        QTest::newRow("zero byte") << printed(info + QByteArray("\0\n", 2)) << "-";
        QTest::newRow("binary") << QByteArray::fromHex("ffffffff00ff7f0a0a0d") << "-";
        QTest::newRow("empty") << QByteArray() << "-";
    }
    void reply() {
        QFETCH(QByteArray, datagram);
        QFETCH(QString, expected);
        QCOMPARE(summary(ServerStatus::parseReply(datagram)), expected);
    }

    // Every serverinfo key with its value, in the reply's order, for the details pane.
    void rules_data() {
        QTest::addColumn<QByteArray>("info");
        QTest::addColumn<QString>("rules");
        QTest::addColumn<int>("count");
        QTest::newRow("in order") << QByteArray("\\b\\2\\a\\1") << "b=2;a=1" << 2;
        QTest::newRow("first value of a key, empty key left out")
            << QByteArray("\\a\\1\\\\x\\a\\2\\c\\") << "a=1;c=" << 2;
        QByteArray many = "\\v\\" + QByteArray(300, 'v') + "\\k\\x";
        for (int i = 0; i < 500; ++i)
            many += "\\k" + QByteArray::number(i) + "\\0";
        QTest::newRow("oversized: keys cut at 128, values at 64")
            << many << "v=" + QString(ServerStatus::MaxTextLength, u'v') + ";k=x" << 128;
    }
    void rules() {
        QFETCH(QByteArray, info);
        QFETCH(QString, rules);
        QFETCH(int, count);
        const auto reply = ServerStatus::parseReply(printed(info + '\n'));
        QVERIFY(reply);
        QStringList shown;
        for (const auto& [key, value] : reply->rules.first(qMin<qsizetype>(2, reply->rules.size())))
            shown << key + u'=' + value;
        QCOMPARE(shown.join(u';'), rules);
        QCOMPARE(reply->rules.size(), count);
    }

    void playerNamesShowAsSent() {
        ServerStatus::Reply reply;
        reply.players = {{3, 40, QStringLiteral("%2 %1")}, {-1, 999, QStringLiteral("x")}};
        QCOMPARE(ServerStatusText::playerList(reply),
                 QStringLiteral("%2 %1  (score 3, ping 40 ms)\nx  (score -1, ping 999 ms)"));
    }
};

VEXA_TEST(TstServerStatus)
#include "tst_serverstatus.moc"
