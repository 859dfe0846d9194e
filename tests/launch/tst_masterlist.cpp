#include "launch/MasterList.h"
#include "support/StandInMaster.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace MasterList;

namespace {

const QByteArray Header("\xff\xff\xff\xffservers", 11);
const QStringList Two{QStringLiteral("192.0.2.1:27910"), QStringLiteral("198.51.100.7:27911")};

// "none" for a list the parser refuses.
QString listed(const std::optional<QStringList>& servers) {
    return servers ? servers->join(u' ') : QStringLiteral("none");
}

QStringList manyServers(int count) {
    QStringList servers;
    for (int i = 0; i < count; ++i)
        servers << QStringLiteral("10.0.%1.%2:27910").arg(i / 250).arg(i % 250 + 1);
    return servers;
}

} // namespace

class TstMasterList : public QObject {
    Q_OBJECT

private slots:
    void masterReply_data() {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<QString>("expected");
        const QByteArray records = StandInMaster::records(Two);
        const QString both = Two.join(u' ');
        QTest::newRow("blank after the header") << Header + ' ' + records << both;
        QTest::newRow("newline after the header") << Header + '\n' + records << both;
        QTest::newRow("empty list") << Header + ' ' << QString();
        QTest::newRow("last record cut short") << Header + ' ' + records.chopped(2) << Two[0];
        QTest::newRow("no separator") << Header + records << "none";
        QTest::newRow("header only") << Header << "none";
        QTest::newRow("a status reply") << QByteArray("\xff\xff\xff\xffprint\n\\a\\b\n") << "none";
        QTest::newRow("without the four bytes") << "servers " + records << "none";
        QTest::newRow("broadcast, zero, multicast and port 0 left out")
            << Header + ' ' +
                   StandInMaster::records({"255.255.255.255:27910", "0.0.0.0:27910",
                                           "224.0.0.1:27910", "192.0.2.9:0", Two[1]})
            << Two[1];
    }
    void masterReply() {
        QFETCH(QByteArray, datagram);
        QFETCH(QString, expected);
        QCOMPARE(listed(parseMasterReply(datagram)), expected);
    }

    void httpList_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain, LF")
            << QByteArray("192.0.2.1:27910\n198.51.100.7:27911\n") << Two.join(u' ');
        QTest::newRow("plain, CR LF, blanks")
            << QByteArray(" 192.0.2.1:27910 \r\n\r\n198.51.100.7:27911\r\n") << Two.join(u' ');
        QTest::newRow("plain, notes and names")
            << QByteArray("# servers\nq2.example.org\nnot a server\n[2001:db8::1]:27910\n")
            << "q2.example.org [2001:db8::1]:27910";
        QTest::newRow("plain, last line cut short")
            << QByteArray("192.0.2.1:27910\n198.51.100.7:279") << Two[0];
        QTest::newRow("plain, broadcast left out")
            << QByteArray("255.255.255.255:27910\n0.0.0.0\n192.0.2.1:27910\n") << Two[0];
        QTest::newRow("binary") << StandInMaster::records(Two) << Two.join(u' ');
        // 27910 is 0x6d06: the port's low byte is no text.
        QTest::newRow("binary that starts like text")
            << StandInMaster::records({QStringLiteral("49.57.50.46:27910")}) << "49.57.50.46:27910";
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void httpList() {
        QFETCH(QByteArray, body);
        QFETCH(QString, expected);
        QCOMPARE(parseHttpList(body).join(u' '), expected);
    }

    void listsAreBounded() {
        const QStringList many = manyServers(int(MaxServers) + 10);
        QCOMPARE(parseMasterReply(StandInMaster::reply(many))->size(), MaxServers);
        QCOMPARE(parseHttpList(StandInMaster::records(many)).size(), MaxServers);
        QCOMPARE(parseHttpList(many.join(u'\n').toLatin1() + '\n').size(), MaxServers);
    }

    void masters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("bad");
        QTest::newRow("default port") << "master.example.org"
                                      << "udp master.example.org 27900"
                                      << "";
        QTest::newRow("several, commas and blanks")
            << " 192.0.2.5:27950,http://lists.example.org/q2.txt  https://x.example/l "
            << "udp 192.0.2.5 27950|http http://lists.example.org/q2.txt|http https://x.example/l"
            << "";
        QTest::newRow("bad ones told") << "bad:port http:// ok.example"
                                       << "udp ok.example 27900"
                                       << "bad:port http://";
    }
    void masters() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QFETCH(QString, bad);
        QStringList badWords;
        QStringList shown;
        for (const Master& master : parseMasters(text, &badWords))
            shown << (master.kind == Master::Udp
                          ? QStringLiteral("udp %1 %2").arg(master.host).arg(master.port)
                          : QStringLiteral("http ") + master.url);
        QCOMPARE(shown.join(u'|'), expected);
        QCOMPARE(badWords.join(u' '), bad);
    }
};

VEXA_TEST(TstMasterList)
#include "tst_masterlist.moc"
