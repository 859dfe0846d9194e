#include "app/MainWindow.h"
#include "app/ServerBrowser.h"
#include "app/ServerTable.h"
#include "platform/IniFile.h"
#include "profiles/AddressBook.h"
#include "support/ScriptedPrompts.h"
#include "support/StandInMaster.h"
#include "support/StandInServer.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QCheckBox>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include <memory>

namespace {

QByteArray reply(const QByteArray& name, const QByteArray& map, int max,
                 const QList<QByteArray>& players, const QByteArray& game = "baseq2") {
    return StandInServer::statusReply("\\hostname\\" + name + "\\mapname\\" + map +
                                          "\\maxclients\\" + QByteArray::number(max) +
                                          "\\gamename\\" + game,
                                      players);
}

// Four servers in servers.txt (one silent) and one only in the game's address book.
struct Servers {
    StandInServer busy{{reply("Busy Arena", "base1", 16, {"7 40 \"Grunt\"", "12 55 \"Viper\""})}};
    StandInServer full{{reply("Full House", "q2dm2", 1, {"3 30 \"Solo\""}, "ctf")}};
    StandInServer empty{{reply("Empty Hall", "q2dm1", 8, {})}};
    StandInServer silent;
    StandInServer booked{
        {reply("Book Club", "q2dm3", 8, {"1 20 \"Reader\"", "2 20 \"Writer\"", "0 9 \"Editor\""})}};
};

struct Fixture {
    TestEnvironment env;
    Servers servers;
    ScriptedPrompts prompts;
    std::unique_ptr<IniFile> ini;
    std::unique_ptr<ServerBrowser> browser;

    Fixture() {
        env.seedKnownDirectories();
        env.writeFile(QStringLiteral("program/servers.txt"),
                      (QStringList{servers.busy.address(), servers.full.address(),
                                   servers.empty.address(), servers.silent.address()}
                           .join(u'\n') +
                       u'\n')
                          .toLatin1());
        env.writeFile(QStringLiteral("quake2/baseq2/config.cfg"),
                      "set adr0 \"" + servers.booked.address().toLatin1() + "\"\r\n");
        ini = std::make_unique<IniFile>(env.iniPath());
        const ServerBrowserPlaces places{env.programDir() + QStringLiteral("/servers.txt"),
                                         AddressBook::scriptFiles(env.baseDir()),
                                         AddressBook::favouritesScript(env.baseDir()), Engine::id};
        browser = std::make_unique<ServerBrowser>(*ini, prompts, places);
        browser->search().query().setTimeout(300);
    }

    void refresh() {
        QSignalSpy done(&browser->search(), &ServerSearch::finished);
        browser->refresh();
        QVERIFY(done.wait(10000));
        // Answers reach the table in batches.
        QTRY_COMPARE(shownNames().contains(QStringLiteral("Book Club")), true);
    }

    QStringList shownNames() const {
        QStringList names;
        const QAbstractItemModel* model = browser->table()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            names << model->index(row, ServerTableModel::Name).data().toString();
        return names;
    }

    void choose(const QString& name) {
        const QAbstractItemModel* model = browser->table()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            if (model->index(row, ServerTableModel::Name).data().toString() == name)
                browser->table()->setCurrentIndex(model->index(row, 0));
    }
};

QStringList tableColumn(const QTableWidget* table, int column) {
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        texts << table->item(row, column)->text();
    return texts;
}

} // namespace

class TstServerBrowser : public QObject {
    Q_OBJECT

private slots:
    void nothingIsAskedUntilRefresh() {
        Fixture f;
        f.browser->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.browser.get()));
        QTest::qWait(100);
        QCOMPARE(f.servers.busy.requests(), 0);
        f.refresh();
        QCOMPARE(f.servers.busy.requests(), 1);
        QCOMPARE(f.servers.booked.requests(), 1);
    }

    // The tick is kept: the next window asks as it opens.
    void refreshWhenShownIsKept() {
        Fixture f;
        f.browser->findChild<QCheckBox*>(QStringLiteral("cbxRefreshWhenShown"))->setChecked(true);
        f.browser->findChild<QCheckBox*>(QStringLiteral("cbxFromAddressBook"))->setChecked(false);
        const ServerBrowserPlaces places{f.env.programDir() + QStringLiteral("/servers.txt"),
                                         AddressBook::scriptFiles(f.env.baseDir()),
                                         {},
                                         Engine::id};
        ServerBrowser next(*f.ini, f.prompts, places);
        QSignalSpy done(&next.search(), &ServerSearch::finished);
        next.show();
        QVERIFY(done.wait(10000));
        QCOMPARE(f.servers.busy.requests(), 1);
        QCOMPARE(f.servers.booked.requests(), 0);
    }

    void sortsAndFilters_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("hideEmpty");
        QTest::addColumn<bool>("hideFull");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        const int name = ServerTableModel::Name, players = ServerTableModel::Players;
        QTest::newRow("by name") << name << false << false << ""
                                 << "Book Club|Busy Arena|Empty Hall|Full House|no answer";
        QTest::newRow("by players, most first")
            << players << false << false << ""
            << "Book Club|Busy Arena|Full House|Empty Hall|no answer";
        QTest::newRow("hide empty") << name << true << false << ""
                                    << "Book Club|Busy Arena|Full House|no answer";
        QTest::newRow("hide full") << name << false << true << ""
                                   << "Book Club|Busy Arena|Empty Hall|no answer";
        QTest::newRow("text over the mod") << name << false << false << "CTF"
                                           << "Full House";
        QTest::newRow("text over the map") << name << false << false << "q2dm"
                                           << "Book Club|Empty Hall|Full House";
        QTest::newRow("text over the name") << name << true << false << "hall"
                                            << "";
    }
    void sortsAndFilters() {
        QFETCH(int, column);
        QFETCH(bool, hideEmpty);
        QFETCH(bool, hideFull);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        Fixture f;
        f.refresh();
        // Players sort most first; a name from A.
        f.browser->table()->sortByColumn(
            column, column == ServerTableModel::Players ? Qt::DescendingOrder : Qt::AscendingOrder);
        f.browser->filter()->setHideEmpty(hideEmpty);
        f.browser->filter()->setHideFull(hideFull);
        f.browser->filter()->setText(text);
        QCOMPARE(f.shownNames().join(u'|'), shown);
    }

    void detailsShowRulesAndPlayers() {
        Fixture f;
        f.refresh();
        f.choose(QStringLiteral("Busy Arena"));
        QCOMPARE(tableColumn(f.browser->rules(), 0).join(u' '),
                 QStringLiteral("hostname mapname maxclients gamename"));
        QCOMPARE(tableColumn(f.browser->rules(), 1).join(u'|'),
                 QStringLiteral("Busy Arena|base1|16|baseq2"));
        f.browser->players()->sortByColumn(1, Qt::DescendingOrder);
        QCOMPARE(tableColumn(f.browser->players(), 0).join(u' '), QStringLiteral("Viper Grunt"));
        QCOMPARE(tableColumn(f.browser->players(), 2).join(u' '), QStringLiteral("55 40"));
        f.choose(QStringLiteral("no answer"));
        QCOMPARE(f.browser->rules()->rowCount(), 0);
        QCOMPARE(f.browser->players()->rowCount(), 0);
    }

    void joinGivesTheConnectCommand() {
        Fixture f;
        f.refresh();
        f.choose(QStringLiteral("Full House"));
        f.browser->connectToCurrent();
        QCOMPARE(f.browser->result(), int(QDialog::Accepted));
        QCOMPARE(f.browser->chosenServer(), f.servers.full.address());

        MainWindow window(f.prompts);
        window.startServerBox()->setChecked(true);
        window.chooseServer(f.browser->chosenServer());
        QVERIFY2(window.buildCommandLine().endsWith(QStringLiteral("+connect ") +
                                                    f.servers.full.address()) ||
                     window.buildCommandLine().contains(QStringLiteral("+connect ") +
                                                        f.servers.full.address() + u' '),
                 qPrintable(window.buildCommandLine()));
        QVERIFY(!window.buildCommandLine().contains(QStringLiteral("+map")));
    }

    void addsToFavouritesAndServersTxt() {
        Fixture f;
        f.refresh();
        f.choose(QStringLiteral("Busy Arena"));
        QVERIFY(f.browser->addToFavourites()); // adr0 is taken by the config
        const QString script = AddressBook::favouritesScript(f.env.baseDir());
        QCOMPARE(f.env.readFile(script),
                 "set adr1 \"" + f.servers.busy.address().toLatin1() + "\"\r\n");
        f.prompts.expectNotice();
        QVERIFY(!f.browser->addToFavourites()); // there already
        f.prompts.expectNotice();
        QVERIFY(!f.browser->addToServerList());

        f.choose(QStringLiteral("Book Club"));
        QVERIFY(f.browser->addToServerList());
        QVERIFY(f.env.readFile(f.env.programDir() + QStringLiteral("/servers.txt"))
                    .endsWith(f.servers.booked.address().toLatin1() + '\n'));
        QVERIFY2(f.prompts.done(), qPrintable(f.prompts.report()));
    }

    void queryServersTakesEverySource() {
        TestEnvironment env;
        env.seedKnownDirectories();
        StandInServer alpha({reply("Alpha", "q2dm1", 8, {"5 30 \"Grunt\""})}),
            beta({reply("Beta", "q2dm2", 4, {})});
        StandInMaster master({StandInMaster::reply({beta.address()})});
        IniFile(env.iniPath())
            .writeString(QStringLiteral("servers"), QStringLiteral("masters"), master.address());
        env.writeFile(QStringLiteral("quake2/baseq2/config.cfg"),
                      "set adr0 \"" + alpha.address().toLatin1() + "\"\n");
        QProcess vexa;
        vexa.setWorkingDirectory(env.programDir());
        QSignalSpy finished(&vexa, &QProcess::finished);
        vexa.start(QStringLiteral(VEXA_PROGRAM), {"--query-servers", "--address-book", "--masters",
                                                  "--players", "-platform", "offscreen"});
        QVERIFY(finished.wait(60000));
        const QString out = QString::fromUtf8(vexa.readAllStandardOutput());
        QCOMPARE(vexa.exitCode(), 0);
        const QString expected = QStringLiteral("^%1\t\\d+ ms\tq2dm1\t1/8\tAlpha\n\t5\t30\tGrunt\n"
                                                "%2\t\\d+ ms\tq2dm2\t0/4\tBeta\n$")
                                     .arg(QRegularExpression::escape(alpha.address()),
                                          QRegularExpression::escape(beta.address()));
        QVERIFY2(QRegularExpression(expected).match(out).hasMatch(), qPrintable(out));

        vexa.start(QStringLiteral(VEXA_PROGRAM), {"--lan", "-platform", "offscreen"});
        QVERIFY(finished.wait(60000));
        QCOMPARE(vexa.exitCode(), 2);
    }
};

VEXA_TEST(TstServerBrowser)
#include "tst_serverbrowser.moc"
