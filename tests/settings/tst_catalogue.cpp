#include "settings/Catalogue.h"
#include "support/TestRegistry.h"

#include <QHash>
#include <QSet>
#include <QTest>

#include <algorithm>

namespace {

// The settings as the window must offer them, typed from the product's settings list:
// "@tab|group" starts a run of rows, then "kind|command|default" (c check box, s spin, b binding).
const char* const expectedListing = R"(@General|
s|gun_x|0
s|gun_y|0
s|gun_z|0
s|fov|90
s|viewsize|100
@Movement|Mouse Options
c|freelook|no
@Movement|
c|in_mouse|yes
@Movement|Looking
c|lookspring|yes
c|lookstrafe|no
b|+lookup|PGDN
b|centerview|END
b|+lookdown|DEL
b|+mlook|\
b|+klook|INS
@Movement|Running
c|cl_run|no
s|cl_forwardspeed|200
b|+speed|SHIFT
@Movement|Strafing
s|cl_sidespeed|200
b|+strafe|ALT
b|+moveleft|
b|+moveright|
@Movement|Climbing and swimming
b|+moveup|SPACE
b|+movedown|c
@Movement|Player Movement
b|+forward|UPARROW
b|+left|LEFTARROW
b|+right|RIGHTARROW
b|+back|DOWNARROW
@Weapons & Inv|Inventory
b|inven|TAB
b|invuse|ENTER
b|invdrop|BACKSPACE
b|invprev|[
b|invnext|]
@Weapons & Inv|Use Item
b|use environment suit|e
b|use invulnerability|i
b|use power shield|p
b|use quad damage|q
b|use rebreather|b
b|use silencer|s
@Weapons & Inv|
c|cl_vwep|yes
c|g_select_empty|no
b|use blaster|1
b|use shotgun|2
b|use super shotgun|3
b|use machinegun|4
b|use chaingun|5
b|use grenade launcher|6
b|use rocket launcher|7
b|use hyperblaster|8
b|use railgun|9
b|use bfg10k|0
b|use grenades|g
b|+attack|CTRL
b|weapnext|/
b|weapprev|
b|weaplast|
@Communications|
c|logfile|no
s|scr_conspeed|3
s|con_notifytime|3
b|toggleconsole|~
b|messagemode|t
b|score|x
b|wave 1|j
b|wave 2|k
b|wave 0|h
b|wave 3|l
b|wave 4|u
@Video|
c|vid_fullscreen|no
@Video/Both|
b|vid_restart|
b|sizedown|-
b|sizeup|+
@Video/Both|Game Screen Position
s|vid_xpos|3
s|vid_ypos|22
@Video/Software|
c|sw_stipplealpha|no
c|sw_drawflat|no
c|sw_polymodelstats|no
c|sw_reportedgeout|no
c|sw_reportsurfout|no
c|sw_surfcacheoverride|no
c|sw_waterwarp|yes
c|sw_allow_modex|yes
c|sw_draworder|no
s|sw_mipcap|0
s|sw_mipscale|1
s|sw_clearcolor|2
@Video/GL|
c|gl_log|no
@Video/GL|Enhancements
c|gl_bitdepth|no
c|gl_dynamic|yes
c|gl_ext_palettedtexture|yes
c|gl_saturatelighting|no
c|gl_shadows|no
c|gl_flashblend|no
c|gl_nobind|no
c|gl_nosubimage|no
c|gl_round_down|yes
c|gl_skymip|no
c|gl_ztrick|no
c|gl_polyblend|yes
@Video/GL|Video Card Specific
c|gl_3dlabs_broken|yes
c|gl_triplebuffer|no
c|gl_ext_multitexture|yes
c|gl_cull|yes
c|gl_ext_compiled_vertex_array|yes
c|gl_ext_pointparameters|yes
c|gl_ext_swapinterval|yes
c|gl_finish|no
c|gl_vertex_arrays|no
c|gl_allow_software|no
@Video/GL|Debugging
c|gl_showtris|no
c|gl_clear|no
c|gl_lightmap|no
c|gl_lockpvs|no
c|gl_monolightmap|no
@Sound|
c|s_initsound|yes
c|s_primary|no
c|s_wavonly|no
c|cl_footsteps|yes
c|s_loadas8bit|yes
c|s_show|no
c|s_testsound|no
c|cd_nocd|no
s|cd_looptrack|11
s|cd_loopcount|4
b|snd_restart|
b|soundinfo|
b|soundlist|
b|cd on|
b|cd off|
b|cd stop|
b|cd pause|
b|cd resume|
@Menus|
b|togglemenu|ESCAPE
b|cmd help|F1
b|menu_savegame|F2
b|menu_loadgame|F3
b|menu_keys|F4
b|menu_startserver|F5
b|save quick|F6
b|Load quick|F9
b|menu_quit|F10
b|screenshot|F12
b|pause|PAUSE
b|menu_multiplayer|
b|menu_options|
b|menu_playerconfig|
b|menu_video|
b|menu_addressbook|
b|menu_credits|
b|menu_dmoptions|
b|menu_game|
b|menu_joinserver|
@Client|
c|cl_showmiss|no
c|cl_stats|no
c|cl_shownet|no
c|win_noalttab|no
c|fixedtime|no
c|allow_download|yes
c|allow_download_maps|yes
c|allow_download_models|yes
c|allow_download_players|yes
c|allow_download_sounds|yes
c|cl_predict|yes
s|cl_timeout|120
s|cl_maxfps|90
s|rate|2500
@Server|
c|cheats|no
c|public|no
c|dedicated|no
s|maxclients|1
s|sv_maxvelocity|2000
s|sv_gravity|800
s|timeout|125
s|fraglimit|0
s|timelimit|0
)";

struct ExpectedRow {
    QString tab, group, kind, command, defaultValue;
};

QList<ExpectedRow> expectedRows() {
    QList<ExpectedRow> rows;
    QString tab, group;
    for (const QString& line : QString::fromLatin1(expectedListing).split(u'\n')) {
        const QStringList parts = line.split(u'|');
        if (line.startsWith(u'@')) {
            tab = parts[0].mid(1);
            group = parts[1];
        } else if (parts.size() == 3) {
            const QString kind = parts[0] == u"c"   ? QStringLiteral("checkbox")
                                 : parts[0] == u"s" ? QStringLiteral("spin")
                                                    : QStringLiteral("binding");
            rows.append({tab, group, kind, parts[1], parts[2]});
        }
    }
    return rows;
}

QString text(const char* field) {
    return QString::fromLatin1(field);
}

int count(SettingKind kind) {
    int n = 0;
    for (const CatalogueRow& row : catalogue())
        n += row.kind == kind;
    return n;
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void sizes() {
        QCOMPARE(catalogue().size(), size_t(173));
        QCOMPARE(expectedRows().size(), 173);
        QCOMPARE(count(SettingKind::CheckBox), 68);
        QCOMPARE(count(SettingKind::Spin), 25);
        QCOMPARE(count(SettingKind::Binding), 80);
    }

    // Row by row, so the order (which becomes the order of written config lines) is checked too.
    void rowsInListedOrder_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("defaultValue");
        const QList<ExpectedRow> rows = expectedRows();
        for (int i = 0; i < rows.size(); ++i) {
            const ExpectedRow& r = rows[i];
            QTest::addRow("%d %s", i, qPrintable(r.command))
                << i << r.tab << r.group << r.kind << r.command << r.defaultValue;
        }
    }
    void rowsInListedOrder() {
        QFETCH(int, index);
        QVERIFY(size_t(index) < catalogue().size());
        const CatalogueRow& row = catalogue()[index];
        QTEST(text(row.command), "command");
        QTEST(settingKindName(row.kind), "kind");
        QTEST(text(row.defaultValue), "defaultValue");
        QTEST(tabCaption(row.tab), "tab");
        QTEST(text(row.group), "group");
    }

    void commandsAreUnique() {
        QSet<QString> seen;
        for (const CatalogueRow& row : catalogue()) {
            QVERIFY2(!seen.contains(text(row.command)), row.command);
            seen.insert(text(row.command));
        }
    }

    void tellingRows_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("notes");
        auto row = [](const char* command, const char* caption, const char* description,
                      const char* notes = "") {
            QTest::newRow(command)
                << text(command) << text(caption) << text(description) << text(notes);
        };
        row("freelook", "Mouse Look",
            "Toggle the use of the forward and down movements into look up and look down");
        row("+lookup", "Up", "When active the player is looking up");
        row("+attack", "Fire Weapon", "When active the player is firing the current weapon");
        row("fov", "Field of Vision", "");
        row("gun_x", "X", "The x-axis position of the player's gun");
        row("gun_y", "Y", "The y-axis position of the player's gun");
        row("gun_z", "Z", "The z-axis position of the player's gun");
        row("in_mouse", "Use Mouse", "Toggle the use of input from the mouse");
        row("allow_download", "Allow Downloads", "Toggle the automatic downloading of game files",
            "This command can be used by both, the client and the server individually to prevent "
            "the automatic downloading of game files");
        row("dedicated", "Dedicated Server", "Set the game into dedicated server mode");
    }
    void tellingRows() {
        QFETCH(QString, command);
        QFETCH(QString, notes);
        const CatalogueRow* row = findCatalogueRow(command);
        QVERIFY(row);
        QTEST(text(row->caption), "caption");
        QTEST(text(row->description), "description");
        if (!notes.isEmpty())
            QCOMPARE(notesLines(*row), QStringList{notes});
    }

    void defaultsHaveTheirKindsForm() {
        for (const CatalogueRow& row : catalogue()) {
            const QString value = text(row.defaultValue);
            switch (row.kind) {
            case SettingKind::CheckBox:
                QVERIFY2(value == u"yes" || value == u"no", row.command);
                QCOMPARE(defaultChecked(row), value == u"yes");
                break;
            case SettingKind::Spin: {
                bool ok = false;
                const int number = value.toInt(&ok);
                QVERIFY2(ok && QString::number(number) == value, row.command);
                QCOMPARE(defaultNumber(row), number);
                break;
            }
            default: // the kinds of the engine pages only
                break;
            case SettingKind::Binding:
                QVERIFY2(!value.contains(u' '), row.command);
                break;
            }
        }
    }

    // The texts end up in tooltips, the information dialog, labels and the text listing.
    void textsFitTheirPlaces() {
        int withNotes = 0;
        for (const CatalogueRow& row : catalogue()) {
            const QString caption = text(row.caption);
            const QString description = text(row.description);
            QVERIFY2(!caption.isEmpty(), row.command);
            QVERIFY2(caption.size() <= (row.kind == SettingKind::CheckBox ? 22 : 16), row.command);
            QVERIFY2(description.isEmpty() == (text(row.command) == u"fov"), row.command);
            for (const char* field : {row.command, row.tab, row.group, row.defaultValue,
                                      row.caption, row.description, row.notes}) {
                const QString value = text(field);
                QVERIFY2(!value.contains(u'\t') && !value.contains(u'\r'), row.command);
                QVERIFY2(field == row.notes || !value.contains(u'\n'), row.command);
                QVERIFY2(value == value.trimmed(), row.command);
            }
            const QStringList notes = notesLines(row);
            for (const QString& line : notes)
                QVERIFY2(!line.trimmed().isEmpty(), row.command);
            withNotes += !notes.isEmpty();
        }
        QCOMPARE(withNotes, 48);
    }

    // Every control sits in a group box or in a block the page lays out by walking its rows; a
    // block that orders its rows itself numbers all of them, each place once.
    void blocksPlaceEveryRowOnce() {
        QHash<QString, QList<int>> places;
        for (const CatalogueRow& row : catalogue()) {
            QVERIFY2(!*row.group != !*row.block, row.command);
            QVERIFY2(!*row.group || (row.place == 0 && row.column == 0), row.command);
            if (*row.block)
                places[text(row.tab) + u'/' + text(row.block)] << row.place;
        }
        for (auto block = places.begin(); block != places.end(); ++block) {
            QList<int> sorted = block.value();
            std::sort(sorted.begin(), sorted.end());
            if (sorted.first() == 0)
                QVERIFY2(sorted.last() == 0, qPrintable(block.key()));
            else
                for (int i = 0; i < sorted.size(); ++i)
                    QVERIFY2(sorted[i] == i + 1, qPrintable(block.key()));
        }
    }

    void blockRowsInTheirPlaces_data() {
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("block");
        QTest::addColumn<QStringList>("commands");
        QTest::newRow("catalogue order")
            << "tabWeaponsInv"
            << "Firing" << QStringList{"+attack", "weapnext", "weapprev", "weaplast"};
        QTest::newRow("own order") << "tabServer"
                                   << "Switches" << QStringList{"dedicated", "public", "cheats"};
        QTest::newRow("same name, other sheet")
            << "tabBoth"
            << "Keys" << QStringList{"vid_restart", "sizedown", "sizeup"};
        QTest::newRow("unknown") << "tabServer"
                                 << "Keys" << QStringList();
    }
    void blockRowsInTheirPlaces() {
        QFETCH(QString, tab);
        QFETCH(QString, block);
        QStringList commands;
        for (const CatalogueRow* row : blockRows(qPrintable(tab), qPrintable(block)))
            commands << text(row->command);
        QTEST(commands, "commands");
    }

    void helpers() {
        QCOMPARE(groupObjectName("Mouse Options"), QStringLiteral("gbxMouseOptions"));
        QCOMPARE(groupObjectName("Climbing and swimming"),
                 QStringLiteral("gbxClimbingAndSwimming"));
        QCOMPARE(groupObjectName("Video Card Specific"), QStringLiteral("gbxVideoCardSpecific"));
        QCOMPARE(groupObjectName(""), QString());
        QCOMPARE(tabCaption("tabWeaponsInv"), QStringLiteral("Weapons & Inv"));
        QCOMPARE(tabCaption("TabSheet1"), QStringLiteral("Video/Software"));
        QCOMPARE(tabCaption("tabAlias"), QString());
        QVERIFY(findCatalogueRow(u"use bfg10k"));
        QVERIFY(!findCatalogueRow(u"+ATTACK"));
        QVERIFY(!findCatalogueRow(u""));
        QCOMPARE(notesLines(*findCatalogueRow(u"gun_x")), QStringList());
        QCOMPARE(notesLines(*findCatalogueRow(u"fov")).size(), 3);
    }

    void textListing() {
        const QString listing = catalogueAsText();
        QVERIFY(listing.endsWith(u'\n'));
        QVERIFY(!listing.contains(u'\r'));
        const QStringList lines = listing.chopped(1).split(u'\n');
        QCOMPARE(lines.size(), 173);
        const QList<ExpectedRow> expected = expectedRows();
        for (int i = 0; i < lines.size(); ++i) {
            const QStringList fields = lines[i].split(u'\t');
            QCOMPARE(fields.size(), 7);
            const CatalogueRow& row = catalogue()[i];
            const QStringList want{
                expected[i].command, expected[i].kind,  expected[i].defaultValue, expected[i].tab,
                expected[i].group,   text(row.caption), text(row.description)};
            QCOMPARE(fields, want);
        }
        QCOMPARE(lines[0], QStringLiteral("gun_x\tspin\t0\tGeneral\t\tX\t"
                                          "The x-axis position of the player's gun"));
    }
};

VEXA_TEST(TestCatalogue)
#include "tst_catalogue.moc"
