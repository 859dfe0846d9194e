#include "profiles/AddressBook.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

} // namespace

class TstAddressBook : public QObject {
    Q_OBJECT

private slots:
    // config.cfg, autoexec.cfg and vexa.cfg run in that order, as the game's rules read them.
    void bookAsTheGameHoldsIt_data() {
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QByteArray>("autoexec");
        QTest::addColumn<QByteArray>("vexa");
        QTest::addColumn<Engine>("engine");
        QTest::addColumn<QString>("book");
        QTest::newRow("as the game writes it")
            << QByteArray("set adr0 \"192.0.2.1\"\r\nset adr1 \"\"\r\nset adr2 "
                          "\"q2.example.org:27911\"\r\n")
            << QByteArray() << QByteArray() << Engine::id << "192.0.2.1||q2.example.org:27911";
        QTest::newRow("a later file wins")
            << QByteArray("set adr0 a.example\n") << QByteArray("set adr0 b.example\n")
            << QByteArray("set adr3 c.example\n") << Engine::id << "b.example|||c.example";
        QTest::newRow("letter case and seta")
            << QByteArray("seta ADR1 \"x.example\"\n") << QByteArray() << QByteArray()
            << Engine::q2pro << "|x.example";
        QTest::newRow("comments and other cvars")
            << QByteArray("// set adr0 no.example\nset adr10 no.example\nset name adr0\n")
            << QByteArray() << QByteArray() << Engine::yamagi << "";
    }
    void bookAsTheGameHoldsIt() {
        QFETCH(QByteArray, config);
        QFETCH(QByteArray, autoexec);
        QFETCH(QByteArray, vexa);
        QFETCH(Engine, engine);
        QFETCH(QString, book);
        QTemporaryDir dir;
        const QStringList files = AddressBook::scriptFiles(dir.path());
        const QByteArray texts[] = {config, autoexec, vexa};
        for (int i = 0; i < 3; ++i)
            if (!texts[i].isEmpty())
                write(files[i], texts[i]);
        const QStringList read = AddressBook::read(files, engine);
        QCOMPARE(read.size(), AddressBook::Slots);
        QCOMPARE(read.join(u'|').replace(QRegularExpression(QStringLiteral("\\|+$")), QString()),
                 book);
    }

    void firstFreeSlot() {
        QCOMPARE(AddressBook::firstFreeSlot({"a", "", "c"}), 1);
        QCOMPARE(AddressBook::firstFreeSlot({}), 0);
        QStringList full;
        for (int i = 0; i < AddressBook::Slots; ++i)
            full << QStringLiteral("s%1").arg(i);
        QCOMPARE(AddressBook::firstFreeSlot(full), std::nullopt);
    }

    // The slot is written at the end; the file's other lines and its line ends stay.
    void writeSlotKeepsTheOtherLines_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("no file") << QByteArray("(none)")
                                 << QByteArray("set adr2 \"192.0.2.1:27910\"\r\n");
        QTest::newRow("LF lines kept")
            << QByteArray("bind x \"say hi\"\nset adr0 \"a.example\"\n")
            << QByteArray(
                   "bind x \"say hi\"\nset adr0 \"a.example\"\nset adr2 \"192.0.2.1:27910\"\n");
        QTest::newRow("the slot's old line goes, a shared line stays")
            << QByteArray("SET ADR2 \"\"\r\nset adr2 old; set name x\r\n")
            << QByteArray("set adr2 old; set name x\r\nset adr2 \"192.0.2.1:27910\"\r\n");
    }
    void writeSlotKeepsTheOtherLines() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString script = AddressBook::favouritesScript(dir.path());
        if (before != "(none)")
            write(script, before);
        AddressBook::writeSlot(script, 2, QStringLiteral("192.0.2.1:27910"), Engine::yamagi);
        QCOMPARE(contents(script), after);
        QCOMPARE(AddressBook::read({script}, Engine::yamagi).value(2),
                 QStringLiteral("192.0.2.1:27910"));
    }
};

VEXA_TEST(TstAddressBook)
#include "tst_addressbook.moc"
