#include "CfgWindowFixture.h"

#include "app/pages/EnginePage.h"
#include "config/EngineRoles.h"
#include "controls/SettingChoiceBox.h"
#include "settings/EngineSettings.h"
#include "settings/EngineWords.h"
#include "support/GameConsole.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QLabel>
#include <QTest>

// The engines' own settings pages, judged against their settings tables and the game console.
namespace {

const Engine PageEngines[] = {Engine::yamagi, Engine::q2pro};

// The table's rows as its file has them: cvar kind default values caption.
QList<QStringList> tableRows(Engine engine) {
    QFile file(QStringLiteral(":/engines/%1/settings.tsv").arg(engineIniName(engine)));
    file.open(QIODevice::ReadOnly);
    QList<QStringList> rows;
    for (const QByteArray& line : file.readAll().split('\n').mid(1)) {
        if (!line.trimmed().isEmpty())
            rows << QString::fromUtf8(line).split(u'\t');
    }
    return rows;
}

struct EngineWindow {
    CfgWindowFixture f;

    explicit EngineWindow(Engine engine) { choose(engine, true); }

    // The engine as Options chooses it; at start-up, or for the running window.
    void choose(Engine engine, bool restart = false) {
        IniFile(f.env.iniPath()).writeString("quake2", "engine", engineIniName(engine));
        if (!restart)
            return f.w().installationChanged();
        f.window.reset();
        f.window = std::make_unique<MainWindow>(f.prompts);
    }
    SettingControl& control(Engine engine, const QString& cvar) {
        SettingControl* found = f.w().enginePage(engine)->control(cvar);
        if (!found)
            qFatal("no control %s", qPrintable(cvar));
        return *found;
    }
    SettingControl& catalogue(const QString& command) {
        return *settingControlOf(f.w().settingControl(command));
    }
    // The saved lines, "Set" written as the engine takes it, in lower case.
    QStringList savedLines() {
        QStringList lines =
            QString::fromLatin1(f.save()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        for (QString& line : lines) {
            if (line.startsWith(QLatin1String("Set ")))
                line[0] = u's';
        }
        return lines;
    }
};

// A value other than the default within what the table allows; empty where the page only shows
// what another field holds.
QString changedValue(const SettingControl& control, const EngineSetting& setting) {
    // Yamagi writes its custom size only while the custom mode is chosen.
    if (setting.cvar == QLatin1String("r_mode"))
        return QString::number(CustomMode);
    if (auto* choice = qobject_cast<const SettingChoiceBox*>(&control.widget())) {
        for (int i = 0; i < choice->count(); ++i) {
            if (choice->itemData(i).toString() != setting.defaultValue)
                return choice->itemData(i).toString();
        }
    }
    const double base = setting.defaultValue.toDouble();
    switch (setting.kind) {
    case EngineSettingKind::Bool:
        return setting.defaultValue == QLatin1String("1") ? QStringLiteral("0")
                                                          : QStringLiteral("1");
    case EngineSettingKind::Int:
        return QString::number(int(base) + (setting.high && base >= *setting.high ? -1 : 1));
    case EngineSettingKind::Float:
        return QString::number(
            setting.high ? (setting.low.value_or(0) + *setting.high) / 3 : base + 0.25, 'f', 2);
    case EngineSettingKind::Text:
        return qobject_cast<const QLineEdit*>(&control.widget())->isReadOnly()
                   ? QString()
                   : QStringLiteral("pipewire");
    case EngineSettingKind::Choice:
        break;
    }
    return {};
}

bool sameValue(const QString& a, const QString& b) {
    bool numbers = false, other = false;
    const double x = a.toDouble(&numbers), y = b.toDouble(&other);
    return numbers && other ? qFuzzyCompare(1 + x, 1 + y) : a == b;
}

} // namespace

class TstEnginePage : public QObject {
    Q_OBJECT

private slots:
    void everyRowIsOnThePage_data();
    void everyRowIsOnThePage();
    void everySettingSurvivesTheGame_data();
    void everySettingSurvivesTheGame();
    void equivalentsWriteTheEngineName_data();
    void equivalentsWriteTheEngineName();
    void switchingEngineKeepsTheFile();
    void rendererGreysWhatItDoesNotRead();
};

void TstEnginePage::everyRowIsOnThePage_data() {
    QTest::addColumn<int>("engine");
    QTest::addColumn<QStringList>("row");
    for (Engine engine : PageEngines) {
        for (const QStringList& row : tableRows(engine))
            QTest::addRow("%s/%s", qPrintable(engineIniName(engine)), qPrintable(row[0]))
                << int(engine) << row;
    }
}

// Each row of the table has its control: the caption, the default, the values (a choice's
// labels, a whole number's range).
void TstEnginePage::everyRowIsOnThePage() {
    QFETCH(int, engine);
    QFETCH(QStringList, row);
    static std::map<int, std::unique_ptr<EnginePage>> pages;
    auto& page = pages[engine];
    if (!page)
        page = std::make_unique<EnginePage>(Engine(engine), nullptr);
    const SettingControl* control = page->control(row[0]);
    QVERIFY(control);
    QCOMPARE(control->supCommand(), row[0]);
    QCOMPARE(control->defaultText(), row[1] == "int" ? QString::number(row[2].toInt()) : row[2]);
    if (row[1] == "bool")
        QCOMPARE(static_cast<const QCheckBox&>(control->widget()).text(), row[4]);
    else
        QCOMPARE(page->label(row[0])->text(), row[4]);
    if (row[1] == "choice") {
        const auto& box = static_cast<const SettingChoiceBox&>(control->widget());
        const QStringList choices = row[3].split(u'|');
        QCOMPARE(box.count(), choices.size());
        for (int i = 0; i < box.count(); ++i)
            QCOMPARE(box.itemData(i).toString() + u'=' + box.itemText(i),
                     choices[i].contains(u'=') ? choices[i] : choices[i] + u'=' + choices[i]);
    }
    if (row[1] == "int" && row[3].contains(QLatin1String(".."))) {
        const auto& spin = static_cast<const QSpinBox&>(control->widget());
        QCOMPARE(spin.minimum(), row[3].section(QLatin1String(".."), 0, 0).toInt());
        if (const QString high = row[3].section(QLatin1String(".."), 1); !high.isEmpty())
            QCOMPARE(spin.maximum(), high.toInt());
    }
}

void TstEnginePage::everySettingSurvivesTheGame_data() {
    QTest::addColumn<int>("engine");
    for (Engine engine : PageEngines)
        QTest::addRow("%s", qPrintable(engineIniName(engine))) << int(engine);
}

// Every setting of the page changed, saved and run by the game holds its value; the file read
// again shows them all.
void TstEnginePage::everySettingSurvivesTheGame() {
    QFETCH(int, engine);
    EngineWindow world{Engine(engine)};
    QMap<QString, QString> wanted;
    for (const EngineSetting& setting : engineSettings(Engine(engine))) {
        SettingControl& control = world.control(Engine(engine), setting.cvar);
        const QString value = changedValue(control, setting);
        if (value.isEmpty())
            continue;
        control.setValues({value});
        wanted.insert(setting.cvar, value);
    }
    const QStringList lines = world.savedLines();
    const GameState state = playConfig(lines, Engine(engine));
    for (auto [cvar, value] : wanted.asKeyValueRange())
        QVERIFY2(
            sameValue(state.cvars.value(cvar), value),
            qPrintable(cvar + u' ' + state.cvars.value(cvar) + QStringLiteral(" != ") + value));

    EngineWindow again{Engine(engine)};
    again.f.load(crlfText(lines));
    for (auto [cvar, value] : wanted.asKeyValueRange()) {
        again.f.w().showFixedFieldsOnEnginePage();
        const QString shown = again.control(Engine(engine), cvar).valueText();
        QVERIFY2(sameValue(shown, value),
                 qPrintable(cvar + u' ' + shown + QStringLiteral(" != ") + value));
    }
}

void TstEnginePage::equivalentsWriteTheEngineName_data() {
    QTest::addColumn<int>("engine");
    QTest::addColumn<QString>("idCvar");
    QTest::addColumn<QString>("engineCvar");
    QTest::addColumn<bool>("inverted");
    const auto row = [](Engine engine, const char* id, const char* own, bool inverted = false) {
        QTest::addRow("%s/%s", qPrintable(engineIniName(engine)), id)
            << int(engine) << QString::fromLatin1(id) << QString::fromLatin1(own) << inverted;
    };
    row(Engine::yamagi, "cd_nocd", "ogg_enable", true);
    row(Engine::yamagi, "gl_ext_multitexture", "gl1_multitexture");
    row(Engine::yamagi, "gl_ext_palettedtexture", "r_palettedtextures");
    row(Engine::yamagi, "gl_ext_pointparameters", "gl1_pointparameters");
    row(Engine::yamagi, "gl_ext_swapinterval", "r_vsync");
    row(Engine::yamagi, "gl_saturatelighting", "gl1_saturatelighting");
    row(Engine::q2pro, "cd_nocd", "ogg_enable", true);
    row(Engine::q2pro, "gl_bitdepth", "gl_colorbits");
    row(Engine::q2pro, "gl_ext_swapinterval", "gl_swapinterval");
    row(Engine::q2pro, "in_mouse", "in_enable");
    row(Engine::q2pro, "sw_waterwarp", "gl_waterwarp");
}

// A catalogue row the engine knows by another name is enabled, writes that name with the value
// mapped, and reads either name.
void TstEnginePage::equivalentsWriteTheEngineName() {
    QFETCH(int, engine);
    QFETCH(QString, idCvar);
    QFETCH(QString, engineCvar);
    QFETCH(bool, inverted);
    EngineWindow world{Engine(engine)};
    if (Engine(engine) == Engine::yamagi)
        world.control(Engine::yamagi, QStringLiteral("vid_renderer")).setValues({"gl1"});
    SettingControl& old = world.catalogue(idCvar);
    QVERIFY(ownEnabled(old.widget()));
    QVERIFY(old.widget().toolTip().contains(engineCvar));
    const bool spin = old.kind() == SettingKind::Spin;
    const QString set = spin ? QStringLiteral("24") : old.valueText() == "1" ? "0" : "1";
    old.setValues({set});
    const QString written = inverted ? (set == "1" ? "0" : "1") : set;
    // The game holds the engine's name with the value mapped, never id's.
    const auto check = [&](const QStringList& lines) {
        const GameState state = playConfig(lines, Engine(engine));
        QVERIFY2(sameValue(state.cvars.value(engineCvar), written), qPrintable(lines.join(u'\n')));
        QVERIFY(!state.cvars.contains(idCvar));
    };
    check(world.savedLines());

    world.f.load(QStringLiteral("set %1 \"%2\"\r\n").arg(idCvar, set).toLatin1());
    QCOMPARE(old.valueText(), set);
    check(world.savedLines());
}

// Options choosing another engine: its tab shows, the other's goes; a value read for the other
// engine is written back, one both engines have is written once, as the new engine's control
// holds it.
void TstEnginePage::switchingEngineKeepsTheFile() {
    EngineWindow world{Engine::yamagi};
    world.f.load("set gl3_intensity \"2.5\"\r\nset ogg_enable \"0\"\r\nset cd_nocd \"0\"\r\n");
    QCOMPARE(world.catalogue("cd_nocd").valueText(), QStringLiteral("1"));
    world.choose(Engine::q2pro);
    QTabWidget& tabs = *world.f.w().tabs();
    QVERIFY(tabs.isTabVisible(tabs.indexOf(world.f.w().enginePage(Engine::q2pro))));
    QVERIFY(!tabs.isTabVisible(tabs.indexOf(world.f.w().enginePage(Engine::yamagi))));
    QCOMPARE(world.control(Engine::q2pro, "ogg_enable").valueText(), QStringLiteral("0"));
    QCOMPARE(world.catalogue("cd_nocd").valueText(), QStringLiteral("1"));
    world.control(Engine::q2pro, "ogg_volume").setValues({"0.5"});
    QStringList lines = world.savedLines();
    QVERIFY(lines.contains(QStringLiteral("set gl3_intensity \"2.5\"")));
    QCOMPARE(lines.filter(QStringLiteral("ogg_enable")), QStringList{"set ogg_enable \"0\""});
    QVERIFY(lines.contains(QStringLiteral("set ogg_volume \"0.5\"")));
    QVERIFY(lines.filter(QStringLiteral("cd_nocd")).isEmpty());

    // A new config: a catalogue row shows the value of the engine's control it stands for.
    world.f.w().resetSettingsToDefaults();
    world.choose(Engine::yamagi);
    QCOMPARE(world.catalogue("cl_maxfps").valueText(), QStringLiteral("-1"));
    world.choose(Engine::q2pro);
    QCOMPARE(world.catalogue("cl_maxfps").valueText(), QStringLiteral("62"));

    world.f.load("set gl3_intensity \"2.5\"\r\nset ogg_enable \"0\"\r\n");
    world.choose(Engine::id);
    QCOMPARE(world.catalogue("cd_nocd").valueText(), QStringLiteral("1"));
    lines = world.savedLines();
    QVERIFY(lines.contains(QStringLiteral("set gl3_intensity \"2.5\"")));
    QCOMPARE(lines.filter(QStringLiteral("ogg_enable")), QStringList{"set ogg_enable \"0\""});
}

// Yamagi's renderer choice greys the settings of the other renderers and turns the Video tab to
// its sub-page; a value set before is still written.
void TstEnginePage::rendererGreysWhatItDoesNotRead() {
    EngineWindow world{Engine::yamagi};
    SettingControl& renderer = world.control(Engine::yamagi, "vid_renderer");
    SettingControl& gl3 = world.control(Engine::yamagi, "gl3_intensity");
    gl3.setValues({"2.5"});
    renderer.setValues({"gl1"});
    QVERIFY(!gl3.widget().isEnabled());
    QVERIFY(gl3.widget().toolTip().contains(QStringLiteral("gl3 renderer")));
    QVERIFY(world.control(Engine::yamagi, "gl1_intensity").widget().isEnabled());
    QVERIFY(ownEnabled(world.catalogue("gl_saturatelighting").widget()));
    QCOMPARE(world.f.w().videoPage()->subPages()->currentWidget(),
             world.f.w().videoPage()->glPage());
    QVERIFY(world.savedLines().contains(QStringLiteral("set gl3_intensity \"2.5\"")));

    renderer.setValues({"soft"});
    QVERIFY(!ownEnabled(world.catalogue("gl_saturatelighting").widget()));
    QVERIFY(world.control(Engine::yamagi, "sw_texture_filtering").widget().isEnabled());
    QCOMPARE(world.f.w().videoPage()->subPages()->currentWidget(),
             world.f.w().videoPage()->softwarePage());
    renderer.setValues({"gles3"});
    QVERIFY(gl3.widget().isEnabled());
}

VEXA_TEST(TstEnginePage)
#include "tst_enginepage.moc"
