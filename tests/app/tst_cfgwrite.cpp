#include "CfgWindowFixture.h"

#include "platform/FileAccess.h"
#include "platform/VexaError.h"
#include "settings/Catalogue.h"
#include "support/ErrorOf.h"
#include "support/TestRegistry.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

namespace {

const QStringList ClosingLines = {"", "", "//End of File", "//Thank you for using VEXA",
                                  "//              Taskel"};

// What every enabled check box and spin of a window shows after reading a file without them:
// their initial values, the catalogue's defaults, in catalogue order. Bindings have no key;
// "dedicated" is never written, the command line carries it.
QStringList untouchedControlLines() {
    QStringList lines;
    for (const CatalogueRow& row : catalogue()) {
        const QString command = QString::fromUtf8(row.command);
        // A new config leaves out the launch option and what id 3.21 has no cvar for.
        if (command == QLatin1String("dedicated") || command == QLatin1String("gl_triplebuffer"))
            continue;
        if (row.kind == SettingKind::CheckBox)
            lines << QStringLiteral("Set %1 \"%2\"")
                         .arg(command, qstrcmp(row.defaultValue, "yes") == 0 ? "1" : "0");
        else if (row.kind == SettingKind::Spin)
            lines << QStringLiteral("Set %1 \"%2\"").arg(command, row.defaultValue);
    }
    return lines;
}

const QByteArray GlobalProfile = "[NumberOfSections]\r\n"
                                 "Aliases=2\r\nBindings=1\r\nSettings=1\r\n"
                                 "[Alias1]\r\n"
                                 "DescriptiveName=Rocket Jump\r\nAliasLines=2\r\n"
                                 "Aline1=alias +rjump \"+moveup; +attack\"\r\n"
                                 "Aline2=alias -rjump \"-moveup; -attack\"\r\n"
                                 "checked=true\r\n"
                                 "[Alias2]\r\n"
                                 "DescriptiveName=Unticked\r\nAliasLines=1\r\n"
                                 "Aline1=alias nothing \"wait\"\r\nchecked=false\r\n"
                                 "[Bind1]\r\nBindKey=F2\r\nBindValue=+rjump\r\nchecked=true\r\n"
                                 "[Setting1]\r\nSetting=cl_maxfps\r\nSettingValue=120\r\n"
                                 "checked=true\r\n";

const QByteArray CtfProfile =
    "[NumberOfSections]\r\n"
    "Aliases=1\r\nBindings=0\r\nSettings=1\r\n"
    "[Alias1]\r\nAliasLines=1\r\n"
    "Aline1=alias +hook \"cmd hook\"\r\nchecked=true\r\n"
    "[Setting1]\r\nSetting=ctf_flag\r\nSettingValue=1\r\nchecked=true\r\n";

void uncheckAll(QRadioButton* member) {
    QButtonGroup* group = member->group();
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(false);
    group->setExclusive(true);
}

} // namespace

class TstCfgWrite : public QObject {
    Q_OBJECT

private slots:
    void freshWindow();
    void everyKindOfRowChanged();
    void handAndCrosshair_data();
    void handAndCrosshair();
    void rendererLines_data();
    void rendererLines();
    void soundQuality_data();
    void soundQuality();
    void serverLines_data();
    void serverLines();
    void disabledControlsWriteNothing();
    void profilesCanBeLeftOut();
    void refusedFileKeepsTheNewText();
    void malformedGameProfileStopsBeforeWriting();
    void namedChildFollowsReplacedWidgets();
};

void TstCfgWrite::freshWindow() {
    CfgWindowFixture f;
    QVERIFY2(f.prompts.done(), qPrintable(f.prompts.report()));
    QStringList expected = {
        "set name \"Player\"",    "set skin \"male/grunt\"",
        "set hand \"0\"",         "set crosshair \"0\"",
        "set sensitivity \"5\"",  "set vid_gamma \"1\"",
        "set vid_ref \"gl\"",     "set gl_texturemode \"GL_NEAREST_MIPMAP_NEAREST\"",
        "set s_volume \"0.175\"", "set s_mixahead \"0.20\"",
        "set s_khz \"11\"",       "Set dmflags \"16\"",
    };
    expected += untouchedControlLines();
    expected << ""
             << "//Globals Settings";
    expected += ClosingLines;
    QCOMPARE(f.save(), crlfText(expected));
    QCOMPARE(f.w().configLines(), expected);
}

void TstCfgWrite::everyKindOfRowChanged() {
    CfgWindowFixture f;
    f.setIni("OptimizedSaving", "1");
    f.env.writeFile("program/Global Aliases.vexa", GlobalProfile);
    f.env.writeFile("program/ctf.vexa", CtfProfile);
    MainWindow& w = f.w();

    w.generalPage()->playerName()->setText(QStringLiteral("Rang\u00e9r"));
    w.generalPage()->model()->setEditText("female");
    w.generalPage()->skin()->setEditText("athena");
    w.generalPage()->handLeft()->setChecked(true);
    w.generalPage()->crossDot()->setChecked(true);
    w.generalPage()->walkPitch()->setText("0.004");
    w.generalPage()->walkRoll()->setText(" . 3 "); // blanks inside are written as zeros
    w.generalPage()->runPitch()->setText("1.5");
    w.generalPage()->runRoll()->setText("0.005"); // the value that is left out
    w.movementPage()->sensitivity()->setValue(7);
    w.communicationsPage()->messageKey(0)->setText("F5");
    w.communicationsPage()->messageText(0)->setText("hello there");
    w.communicationsPage()->messageKey(2)->setText("x"); // an empty message still says something
    w.communicationsPage()->messageText(3)->setText("a message without a key");
    w.videoPage()->gamma()->setValue(4);
    w.videoPage()->glMode()->setCurrentIndex(4);
    w.videoPage()->textureMode()->setCurrentIndex(
        w.videoPage()->textureMode()->findText("GL_LINEAR"));
    w.videoPage()->glDriver()->setEditText("libGL");
    w.videoPage()->glField("txtPartIntensityA")->setText("0.01");
    w.videoPage()->glField("txtGlPicMip")->setText("1");
    w.soundPage()->volume()->setValue(40);
    w.soundPage()->mixAhead()->setText("0.1");
    w.soundPage()->quality()->setCurrentIndex(0);
    w.startServerBox()->setChecked(true);
    w.serverPage()->serverName()->setText("My Server");
    w.serverPage()->serverPassword()->clear();
    w.serverPage()->masterServer()->setText("master.example.net:27900");
    f.flagBox("cbxNoArmor")->setChecked(true);
    f.flagBox("cbxInstantPowerups")->setChecked(false);
    f.flagBox("cbxCtfTechPowerups")->setChecked(false);
    w.gamesPage()->currentGame()->setText("ctf");

    f.spin("fov")->setSupValue(100);
    f.spin("viewsize")->setSupValue(100); // its default: left out
    f.check("freelook")->setSupValue(true);
    f.check("in_mouse")->setSupValue(false); // disables freelook
    f.check("public")->setSupValue(true);
    f.binding("+attack")->setKeySlot(1, "MOUSE1");
    f.binding("+attack")->setKeySlot(2, "CTRL");
    f.binding("+forward")->setKeySlot(1, "UPARROW"); // first key is the default: left out
    f.binding("+forward")->setKeySlot(2, "w");
    QVERIFY(!f.check("freelook")->isEnabled());

    const QStringList expected = {"set name \"Rang\u00e9r\"",
                                  "set skin \"female/athena\"",
                                  "set hand \"1\"",
                                  "set crosshair \"2\"",
                                  "set bob_pitch \"0.004\"",
                                  "set bob_roll \"0.030\"",
                                  "set run_pitch \"1.500\"",
                                  "set sensitivity \"7\"",
                                  "alias message1 \"say hello there\"",
                                  "bind F5 \"message1\"",
                                  "alias message3 \"say \"",
                                  "bind x \"message3\"",
                                  "set vid_gamma \"1\"",
                                  "set vid_ref \"gl\"",
                                  "set gl_mode \"4\"",
                                  "set gl_texturemode \"GL_LINEAR\"",
                                  "set gl_driver \"libGL\"",
                                  "set gl_particle_att_a \"0.010\"",
                                  "set gl_picmip \"1.00\"",
                                  "set s_volume \"1\"",
                                  "set s_mixahead \"0.10\"",
                                  "set s_khz \"22\"",
                                  "Set hostname \"My Server\"",
                                  "setmaster \"master.example.net:27900\"",
                                  "Set dmflags \"526336\"",
                                  "Set fov \"100\"",
                                  "Set in_mouse \"0\"",
                                  "Bind MOUSE1 \"+attack\"",
                                  "Bind CTRL \"+attack\"",
                                  "Set public \"1\"",
                                  "",
                                  "//Globals Settings",
                                  "",
                                  "//--Aliases--",
                                  "//....Rocket Jump....",
                                  "alias +rjump \"+moveup; +attack\"",
                                  "alias -rjump \"-moveup; -attack\"",
                                  "",
                                  "//--Bindings--",
                                  "Bind F2 \"+rjump\"",
                                  "",
                                  "//--Settings--",
                                  "Set cl_maxfps \"120\"",
                                  "",
                                  "//ctfSettings",
                                  "",
                                  "//--Aliases--",
                                  "alias +hook \"cmd hook\"",
                                  "",
                                  "//--Settings--",
                                  "Set ctf_flag \"1\"",
                                  "",
                                  "",
                                  "//End of File",
                                  "//Thank you for using VEXA",
                                  "//              Taskel"};
    const QByteArray written = f.save();
    QCOMPARE(QString::fromLatin1(written).split("\r\n"), expected + QStringList{""});
    QCOMPARE(written, crlfText(expected)); // Latin-1: the name's e-acute is one byte
    QVERIFY(written.contains("Rang\xe9r"));
}

void TstCfgWrite::handAndCrosshair_data() {
    QTest::addColumn<QString>("hand");
    QTest::addColumn<QString>("crosshair");
    QTest::addColumn<QString>("expected");
    QTest::newRow("right, none") << "rbRight"
                                 << "rbCrossNone"
                                 << "0 0";
    QTest::newRow("left, cross") << "rbLeft"
                                 << "rbCrossX"
                                 << "1 1";
    QTest::newRow("centre, dot") << "rbCenter"
                                 << "rbCrossDot"
                                 << "2 2";
    QTest::newRow("centre, angle") << "rbCenter"
                                   << "rbCrossAngle"
                                   << "2 3";
    QTest::newRow("nothing checked") << ""
                                     << ""
                                     << "2 3";
}

void TstCfgWrite::handAndCrosshair() {
    QFETCH(QString, hand);
    QFETCH(QString, crosshair);
    QFETCH(QString, expected);
    CfgWindowFixture f;
    for (const QString& name : {hand, crosshair}) {
        if (!name.isEmpty())
            f.w().findChild<QRadioButton*>(name)->setChecked(true);
    }
    if (hand.isEmpty())
        uncheckAll(f.w().generalPage()->handRight());
    if (crosshair.isEmpty())
        uncheckAll(f.w().generalPage()->crossX());
    const QStringList digits = expected.split(' ');
    QCOMPARE(linesStartingWith(f.save(), {"set hand", "set crosshair"}),
             (QStringList{"set hand \"" + digits[0] + '"', "set crosshair \"" + digits[1] + '"'}));
}

void TstCfgWrite::rendererLines_data() {
    QTest::addColumn<int>("renderer");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("particleSize"); // typed into the field
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("software") << 0 << 5 << "1.5"
                              << QStringList{"set vid_ref \"soft\"", "set sw_mode \"5\""};
    QTest::newRow("software without a mode")
        << 0 << -1 << "" << QStringList{"set vid_ref \"soft\""};
    QTest::newRow("gl") << 1 << 9 << "1.5"
                        << QStringList{"set vid_ref \"gl\"", "set gl_mode \"9\"",
                                       "set gl_texturemode \"GL_LINEAR_MIPMAP_LINEAR\"",
                                       "set gl_particle_size \"1.500\""};
    QTest::newRow("gl without a mode or numbers")
        << 1 << -1 << ""
        << QStringList{"set vid_ref \"gl\"", "set gl_texturemode \"GL_LINEAR_MIPMAP_LINEAR\""};
}

void TstCfgWrite::rendererLines() {
    QFETCH(int, renderer);
    QFETCH(int, mode);
    QFETCH(QString, particleSize);
    QFETCH(QStringList, expected);
    CfgWindowFixture f;
    MainWindow& w = f.w();
    w.videoPage()->renderers()->button(renderer)->setChecked(true);
    w.videoPage()->softwareMode()->setCurrentIndex(renderer == 0 ? mode : 3);
    w.videoPage()->glMode()->setCurrentIndex(renderer == 1 ? mode : 3);
    w.videoPage()->textureMode()->setCurrentIndex(
        w.videoPage()->textureMode()->findText("GL_LINEAR_MIPMAP_LINEAR"));
    w.videoPage()->glField("txtGlParticleSize")->setText(particleSize);
    QCOMPARE(linesStartingWith(f.save(), {"set vid_ref", "set sw_", "set gl_"}), expected);
}

void TstCfgWrite::soundQuality_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("High") << 0 << QStringList{"set s_khz \"22\""};
    QTest::newRow("Low") << 1 << QStringList{"set s_khz \"11\""};
    QTest::newRow("neither") << -1 << QStringList{};
}

void TstCfgWrite::soundQuality() {
    QFETCH(int, index);
    QFETCH(QStringList, expected);
    CfgWindowFixture f;
    f.w().soundPage()->quality()->setCurrentIndex(index);
    const QByteArray written = f.save();
    QCOMPARE(linesStartingWith(written, {"set s_khz"}), expected);
    // It stands right after the mixing line.
    const QStringList sound = linesStartingWith(written, {"set s_"});
    QCOMPARE(sound.mid(2), expected);
}

void TstCfgWrite::serverLines_data() {
    QTest::addColumn<bool>("startServer");
    QTest::addColumn<bool>("deathmatch");
    QTest::addColumn<bool>("isPublic");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QStringList>("expected");
    const QString dm = QStringLiteral("Set dmflags \"16\"");
    QTest::newRow("client") << false << true << true << "Srv"
                            << "pw" << QStringList{dm};
    QTest::newRow("server") << true << true << false << "Srv"
                            << "pw"
                            << QStringList{"Set hostname \"Srv\"", "Set password \"pw\"", dm};
    QTest::newRow("public server without a name")
        << true << true << true << ""
        << "" << QStringList{"setmaster \"master.quakeservers.net:27900\"", dm};
    QTest::newRow("cooperative") << true << false << false << "Srv"
                                 << "" << QStringList{"Set hostname \"Srv\""};
}

void TstCfgWrite::serverLines() {
    QFETCH(bool, startServer);
    QFETCH(bool, deathmatch);
    QFETCH(bool, isPublic);
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(QStringList, expected);
    CfgWindowFixture f;
    f.w().startServerBox()->setChecked(startServer);
    (deathmatch ? f.w().serverPage()->deathMatch() : f.w().serverPage()->cooperative())
        ->setChecked(true);
    f.check("public")->setSupValue(isPublic);
    f.w().serverPage()->serverName()->setText(name);
    f.w().serverPage()->serverPassword()->setText(password);
    QCOMPARE(
        linesStartingWith(f.save(), {"Set hostname", "Set password", "setmaster", "Set dmflags"}),
        expected);
}

void TstCfgWrite::disabledControlsWriteNothing() {
    CfgWindowFixture f;
    MainWindow& w = f.w();
    f.check("allow_download")->setSupValue(false); // disables the four below it
    f.check("cl_run")->setEnabled(false);
    w.movementPage()->setEnabled(false); // a disabled page is still walked
    w.movementPage()->sensitivity()->setEnabled(false);
    const QByteArray written = f.save();
    QCOMPARE(linesStartingWith(written, {"Set allow_download"}),
             QStringList{"Set allow_download \"0\""});
    QVERIFY(linesStartingWith(written, {"Set cl_run", "set sensitivity"}).isEmpty());
    QCOMPARE(linesStartingWith(written, {"Set cl_forwardspeed", "Set in_mouse"}),
             (QStringList{"Set in_mouse \"1\"", "Set cl_forwardspeed \"200\""}));

    // Optimized saving leaves out a disabled control whatever its value.
    f.setIni("OptimizedSaving", "1");
    f.check("cl_run")->setSupValue(true);
    QVERIFY(linesStartingWith(f.save(), {"Set cl_run"}).isEmpty());
    f.check("cl_run")->setEnabled(true);
    QCOMPARE(linesStartingWith(f.save(), {"Set cl_run"}), QStringList{"Set cl_run \"1\""});
}

void TstCfgWrite::profilesCanBeLeftOut() {
    CfgWindowFixture f;
    f.env.writeFile("program/Global Aliases.vexa", GlobalProfile);
    f.w().gamesPage()->currentGame()->setText("ctf"); // a game without a profile: its header only
    QCOMPARE(linesStartingWith(f.save(), {"//"}),
             (QStringList{"//Globals Settings", "//--Aliases--", "//....Rocket Jump....",
                          "//--Bindings--", "//--Settings--", "//ctfSettings", "//End of File",
                          "//Thank you for using VEXA", "//              Taskel"}));
    f.setIni("IncludeAliases", "0");
    const QByteArray written = f.save();
    QCOMPARE(
        linesStartingWith(written, {"//"}),
        (QStringList{"//End of File", "//Thank you for using VEXA", "//              Taskel"}));
    QVERIFY(!written.contains("+rjump"));
}

void TstCfgWrite::refusedFileKeepsTheNewText() {
    CfgWindowFixture f;
    f.w().generalPage()->playerName()->setText("Kept");
    const QString directory = f.env.root() + "/missing";
    QCOMPARE(errorOf([&] { f.w().saveCfgFile(directory, "out.cfg"); }),
             ErrorText::cannotCreate(displayName(directory + "/out.cfg")));
    QCOMPARE(f.w().configLines().first(), QStringLiteral("set name \"Kept\""));
    QCOMPARE(f.w().configLines().last(), QStringLiteral("//              Taskel"));
}

void TstCfgWrite::malformedGameProfileStopsBeforeWriting() {
    CfgWindowFixture f;
    f.env.writeFile("program/ctf.vexa", "[NumberOfSections]\r\nSettings=two\r\n");
    f.w().gamesPage()->currentGame()->setText("ctf");
    const QString file = f.env.writeFile("out.cfg", "old\r\n");
    const QStringList before = f.w().configLines();
    QCOMPARE(errorOf([&] { f.w().saveCfgFile(f.env.root(), "out.cfg"); }),
             ErrorText::notAnInteger("two"));
    QCOMPARE(f.env.readFile(file), QByteArray("old\r\n"));
    QCOMPARE(f.w().configLines(), before);
}

VEXA_TEST(TstCfgWrite)
// The name index must not hand out a deleted widget, nor keep a miss once the widget exists.
void TstCfgWrite::namedChildFollowsReplacedWidgets() {
    CfgWindowFixture f;
    QVERIFY(!f.w().namedChild<QLineEdit>("edtLater"));
    auto* later = new QLineEdit(f.w().centralWidget());
    later->setObjectName(QStringLiteral("edtLater"));
    QCOMPARE(f.w().namedChild<QLineEdit>("edtLater"), later);
    delete later;
    QVERIFY(!f.w().namedChild<QLineEdit>("edtLater"));
    auto* again = new QLineEdit(f.w().centralWidget());
    again->setObjectName(QStringLiteral("edtLater"));
    QCOMPARE(f.w().namedChild<QLineEdit>("edtLater"), again);
}

#include "tst_cfgwrite.moc"
