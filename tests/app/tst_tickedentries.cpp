#include "CfgWindowFixture.h"

#include "support/TestRegistry.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

const QByteArray Global = "[NumberOfSections]\r\nAliases=2\r\nBindings=2\r\nSettings=1\r\n"
                          "[Alias1]\r\nDescriptiveName=Rocket Jump\r\nAliasName=+rj\r\n"
                          "AliasLines=1\r\nAline1=alias +rj \"+moveup;+attack\"\r\n"
                          "[Alias2]\r\nDescriptiveName=Zoom\r\nAliasName=zoom\r\nAliasLines=1\r\n"
                          "Aline1=alias zoom \"fov 30\"\r\n"
                          "[Bind1]\r\nBindKey=MOUSE2\r\nBindValue=+rj\r\n"
                          "[Bind2]\r\nBindKey=z\r\nBindValue=zoom\r\n"
                          "[Setting1]\r\nSetting=cl_maxfps\r\nSettingValue=125\r\n";

const QByteArray Ctf = "[NumberOfSections]\r\naliases=0\r\nbindings=1\r\nsettings=1\r\n"
                       "[Bind1]\r\nBindKey=h\r\nBindValue=+hook\r\n"
                       "[Setting1]\r\nSetting=ctf_grapple\r\nSettingValue=1\r\n";

// Ticks the item the way a player does: a click on its check mark.
void tick(QListWidget* list, int row) {
    QListWidgetItem* item = list->item(row);
    QVERIFY(item);
    item->setCheckState(Qt::Checked);
}

} // namespace

// What the player ticks on the Games & Aliases tab is exactly what the config gets: the global
// entries first, then the current game's.
class TstTickedEntries : public QObject {
    Q_OBJECT

private slots:
    void tickedEntriesReachTheConfig();
};

void TstTickedEntries::tickedEntriesReachTheConfig() {
    CfgWindowFixture f;
    f.env.writeFile(QStringLiteral("program/Global Aliases.vexa"), Global);
    f.env.writeFile(QStringLiteral("program/ctf.vexa"), Ctf);
    f.window = std::make_unique<MainWindow>(f.prompts); // start-up loads the global profile
    MainWindow& w = f.w();
    QCOMPARE(w.gamesPage()->entryList(EntryKind::Alias)->count(), 2);
    tick(w.gamesPage()->entryList(EntryKind::Alias), 1);   // Zoom, not Rocket Jump
    tick(w.gamesPage()->entryList(EntryKind::Binding), 1); // z = zoom
    tick(w.gamesPage()->entryList(EntryKind::Setting), 0);

    // The game's profile: show it, tick its setting only, and make ctf the current game.
    QCOMPARE(w.gamesPage()->games()->count(), 1);
    w.gamesPage()->games()->setCurrentRow(0);
    w.gamesPage()->showGlobalSettings()->setChecked(false);
    QCOMPARE(w.gamesPage()->entryList(EntryKind::Setting)->count(), 1);
    tick(w.gamesPage()->entryList(EntryKind::Setting), 0);
    w.gamesPage()->useThisGameButton()->click();
    QCOMPARE(w.gamesPage()->currentGame()->text(), QStringLiteral("ctf"));

    const QByteArray written = f.save();
    const int start = written.indexOf("//Globals Settings");
    const int end = written.indexOf("\r\n\r\n\r\n//End of File");
    QVERIFY(start > 0 && end > start);
    QCOMPARE(written.mid(start, end - start),
             QByteArray("//Globals Settings\r\n"
                        "\r\n//--Aliases--\r\n"
                        "//....Zoom....\r\nalias zoom \"fov 30\"\r\n"
                        "\r\n//--Bindings--\r\n"
                        "Bind z \"zoom\"\r\n"
                        "\r\n//--Settings--\r\n"
                        "Set cl_maxfps \"125\"\r\n"
                        "\r\n//ctfSettings\r\n"
                        "\r\n//--Bindings--\r\n"
                        "\r\n//--Settings--\r\n"
                        "Set ctf_grapple \"1\""));
    QVERIFY2(f.prompts.done(), qPrintable(f.prompts.report()));
}

VEXA_TEST(TstTickedEntries)
#include "tst_tickedentries.moc"
