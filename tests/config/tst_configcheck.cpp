#include "config/ConfigCheck.h"
#include "settings/CvarRanges.h"
#include "support/TestRegistry.h"

#include <QTest>

namespace {

const char* const KindNames[] = {
    "UnknownCvar", "CvarCase",         "RenamedCvar",    "UnknownKey",      "CapitalLetterKey",
    "RefusedKey",  "DuplicateBinding", "UnmatchedQuote", "DedicatedServer", "ValueOutOfRange",
    "CommandCase", "NotACommand",      "SetRefused",     "TooLong",
};

// "Kind@line" of every finding, in order.
QStringList summary(const QList<ConfigFinding>& findings) {
    QStringList items;
    for (const ConfigFinding& finding : findings)
        items << QStringLiteral("%1@%2").arg(KindNames[finding.kind]).arg(finding.line);
    return items;
}

} // namespace

class TestConfigCheck : public QObject {
    Q_OBJECT
private slots:
    void findings_data();
    void findings();
    void scriptSize_data();
    void scriptSize();
    void findingLines();
    void ranges();
};

// One script per row; `found` lists what the check finds ("Kind@line", space-separated), `says`
// a piece of the first finding's text.
void TestConfigCheck::findings_data() {
    QTest::addColumn<int>("engine");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("found");
    QTest::addColumn<QString>("says");
    const auto row = [](const char* tag, Engine engine, const char* script, const char* found,
                        const char* says = "") {
        QTest::newRow(tag) << int(engine) << QString::fromLatin1(script) << found << says;
    };
    const Engine id = Engine::id, yamagi = Engine::yamagi, q2pro = Engine::q2pro;

    row("id: misspelt cvar", id, "set sensitivty 5", "UnknownCvar@1", "did you mean 'sensitivity'");
    row("yamagi: misspelt cvar", yamagi, "\nsensitivty 5", "UnknownCvar@2", "'sensitivity'");
    row("q2pro: misspelt cvar", q2pro, "seta sensitivty 5", "UnknownCvar@1", "'sensitivity'");
    row("no near name: a mod's own cvar", id, "set ctf_grapple_speed 650", "");
    row("a bare word alone only shows the cvar", id, "sensitivty", "");
    row("id: letter case", id, "set HostName x", "CvarCase@1", "is not 'hostname'");
    row("yamagi: letter case", yamagi, "Fov 90", "CvarCase@1", "'fov'");
    row("q2pro: letter case", q2pro, "set HostName x", "CvarCase@1", "'hostname'");
    row("yamagi: renamed", yamagi, "set gl_mode 3", "RenamedCvar@1", "sets 'r_mode'");
    row("yamagi: renamed bare", yamagi, "gl_swapinterval 1", "RenamedCvar@1", "'r_vsync'");
    row("id: gl_mode is its own", id, "set gl_mode 3", "");
    row("id: key name", id, "bind CNTRL +attack", "UnknownKey@1", "did you mean 'CTRL'");
    row("yamagi: key name", yamagi, "bind pgdwn +attack", "UnknownKey@1", "'PGDN'");
    row("q2pro: key name", q2pro, "unbind NUMLCK", "UnknownKey@1", "'NUMLOCK'");
    row("no near key", id, "bind XYZZYQ +attack", "UnknownKey@1", "refuses this line");
    row("id: capital letter", id, "bind A +forward", "CapitalLetterKey@1", "(bind 'a')");
    row("yamagi: capital letter", yamagi, "bind Q +forward", "CapitalLetterKey@1");
    row("q2pro lowers a letter", q2pro, "bind A +forward", "");
    row("yamagi: refused key", yamagi, "bind escape togglemenu", "RefusedKey@1", "'escape'");
    row("yamagi: caret refused", yamagi, "bind ^ toggleconsole", "RefusedKey@1");
    row("q2pro binds the backquote", q2pro, "bind ` toggleconsole", "");
    row("id rebinds ESCAPE", id, "bind ESCAPE togglemenu", "");
    row("yamagi unbinds ESCAPE", yamagi, "unbind ESCAPE", "");
    row("id: bound twice", id, "bind f1 +attack\nbind F1 \"use Railgun\"", "DuplicateBinding@2",
        "line 1 bound it to '+attack', this line to 'use Railgun'");
    row("yamagi: bound twice", yamagi, "bind SEMICOLON x\nbind \";\" y", "DuplicateBinding@2");
    row("q2pro: a and A are one key", q2pro, "bind a x\nbind A y", "DuplicateBinding@2");
    row("id: a and A are two keys", id, "bind a x\nbind a x\nbind A y", "CapitalLetterKey@3");
    row("unbind in between", id, "bind x a\nunbind x\nbind x b", "");
    row("unbindall in between", q2pro, "bind x a\nunbindall\nbind x b", "");
    row("id: unmatched quote", id, "echo \"abc\nset fov 170", "UnmatchedQuote@1 ValueOutOfRange@2",
        "discards this line");
    row("yamagi: unmatched quote after a semicolon", yamagi, "set fov 90; echo \"a; set fov 0",
        "UnmatchedQuote@1", "the rest of this line");
    row("q2pro: unmatched quote", q2pro, "echo \"", "UnmatchedQuote@1");
    row("id counts a quote in a comment", id, "set fov 90 // \"best", "UnmatchedQuote@1");
    row("q2pro removes the comment first", q2pro, "set fov 90 // \"best", "");
    row("id: dedicated", id, "set dedicated 1", "DedicatedServer@1", "dedicated server");
    row("yamagi: dedicated with a flag", yamagi, "set dedicated 2 s", "DedicatedServer@1");
    row("q2pro: dedicated", q2pro, "sets dedicated 1", "DedicatedServer@1");
    row("dedicated 0", id, "set dedicated 0", "");
    row("id: gamma", id, "set vid_gamma 1.4", "ValueOutOfRange@1", "outside 0.5 to 1.3");
    row("yamagi: gamma", yamagi, "set vid_gamma 1.4", "");
    row("q2pro: gamma", q2pro, "vid_gamma 0.2", "ValueOutOfRange@1", "0.3 to 1.3");
    row("id: sound rate", id, "set s_khz 44", "ValueOutOfRange@1", "not 11 or 22");
    row("yamagi: sound rate", yamagi, "set s_khz 44", "");
    row("q2pro: sound rate", q2pro, "set s_khz 32", "ValueOutOfRange@1", "11, 22, 44 or 48");
    row("fov not a number", id, "set fov abc", "ValueOutOfRange@1",
        "'fov' abc is outside 1 to 160");
    row("fov at the top", yamagi, "fov 160", "");
    row("sensitivity 0", q2pro, "set sensitivity 0", "ValueOutOfRange@1", "is not above 0");
    row("sensitivity below 0", id, "sensitivity -3", "ValueOutOfRange@1");
    row("id: rate", id, "set rate 25000", "ValueOutOfRange@1", "100 to 15000");
    row("q2pro: rate", q2pro, "rate 1000", "ValueOutOfRange@1", "1500 to 15000");
    row("yamagi: frame cap from its table", yamagi, "set vid_maxfps 0", "ValueOutOfRange@1",
        "'vid_maxfps' 0 is outside 1 to 999 (the values Yamagi Quake II offers)");
    row("yamagi: a choice it lacks", yamagi, "set r_msaa_samples 3", "ValueOutOfRange@1",
        "is not 0, 2, 4, 8 or 16");
    row("yamagi: a choice as a number", yamagi, "set r_msaa_samples 4.0", "");
    row("q2pro: open range", q2pro, "set vid_fullscreen -1", "ValueOutOfRange@1", "at least 0");
    row("q2pro: colour words take any text", q2pro, "set cl_railcore_color #ff0000", "");
    row("id has no table", id, "set vid_maxfps 0", "");
    row("q2pro: command case", q2pro, "Set name x\nBIND x y", "CommandCase@1 CommandCase@2",
        "only 'set' in lower case");
    row("id takes any letter case", id, "SET fov 90\nBind x y", "");
    row("id: seta", id, "seta fov 90", "NotACommand@1", "not a command of id 3.21");
    row("yamagi: seta", yamagi, "seta fov 90", "NotACommand@1");
    row("id: toggle", id, "toggle cl_run", "NotACommand@1");
    row("yamagi: toggle a misspelt cvar", yamagi, "toggle cl_rnu", "UnknownCvar@1");
    row("id: set with blanks", id, "set name John Doe", "SetRefused@1", "refuses this line");
    row("yamagi: set without value", yamagi, "set name", "SetRefused@1",
        "needs a name and a value");
    row("q2pro joins the value", q2pro, "set name John Doe\nset fov 0 1", "ValueOutOfRange@2");
    row("set flag u", id, "set gender male u", "");
    row("id: a comment does not end the split", id, "bind x a // old; bind x b",
        "DuplicateBinding@1");
    row("q2pro: the comment ends the line", q2pro, "bind x a // old; bind x b", "");
    row("q2pro: block comment", q2pro, "/* set fov 0\nset fov 0 */\nset fov 90", "");
    row("q2pro: joined line", q2pro, "bind x \\\n+attack\nbind x +jump", "DuplicateBinding@3",
        "line 1 bound it to '+attack'");
    row("an alias is not a cvar", id, "alias sensitivty \"echo\"\nSENSITIVTY 5", "");
    row("a value from a cvar", id, "set fov $myfov", "");
    row("CR LF endings", id, "set fov 90\r\nset fov 0\r\n", "ValueOutOfRange@2");
}

void TestConfigCheck::findings() {
    QFETCH(int, engine);
    QFETCH(QString, script);
    QFETCH(QString, found);
    QFETCH(QString, says);
    const QList<ConfigFinding> findings = checkConfig(script.split(u'\n'), Engine(engine));
    QCOMPARE(summary(findings).join(u' '), found);
    if (!says.isEmpty())
        QVERIFY2(findings.first().text.contains(says), qPrintable(findings.first().text));
}

// Scripts at and around the size each engine's exec still runs.
void TestConfigCheck::scriptSize_data() {
    QTest::addColumn<int>("engine");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("skipped");
    // One comment line that makes a file of `bytes` bytes with its line feed.
    const auto file = [](qsizetype bytes) {
        return QStringList{QStringLiteral("//") + QString(bytes - 3, u'x')};
    };
    const auto repeated = [](const char* line, int count) {
        return QStringList(count, QString::fromLatin1(line));
    };
    QTest::newRow("id: 8191 bytes run") << int(Engine::id) << file(8191) << false;
    QTest::newRow("id: 8192 bytes are skipped") << int(Engine::id) << file(8192) << true;
    QTest::newRow("yamagi: 32767 bytes run") << int(Engine::yamagi) << file(32767) << false;
    QTest::newRow("yamagi: 32768 bytes are skipped") << int(Engine::yamagi) << file(32768) << true;
    QTest::newRow("id reads up to a NUL byte")
        << int(Engine::id)
        << QStringList{QStringLiteral("set fov 90"), QString(1, QChar(0))} + file(9000) << false;
    QTest::newRow("q2pro: comments do not count")
        << int(Engine::q2pro) << file(70000) + repeated("set  fov   90", 5000) << false;
    QTest::newRow("q2pro: 65999 bytes are skipped")
        << int(Engine::q2pro) << repeated("set fov 90", 6000) << true;
}

void TestConfigCheck::scriptSize() {
    QFETCH(int, engine);
    QFETCH(QStringList, lines);
    QFETCH(bool, skipped);
    const QList<ConfigFinding> findings = checkConfig(lines, Engine(engine));
    const bool found = !findings.isEmpty() && findings.first().kind == ConfigFinding::TooLong;
    QCOMPARE(found, skipped);
    if (skipped)
        QVERIFY2(findings.first().line == 1 && findings.first().text.contains("skips every line"),
                 qPrintable(findings.first().text));
}

void TestConfigCheck::findingLines() {
    QCOMPARE(findingLine(QStringLiteral("a.cfg"), {3, ConfigFinding::UnmatchedQuote, "x"}),
             QStringLiteral("a.cfg:3: warning: x"));
    QCOMPARE(findingLine(QStringLiteral("a.cfg"), {7, ConfigFinding::RenamedCvar, "y"}),
             QStringLiteral("a.cfg:7: note: y"));
}

// Every engine has a row for each ranged cvar, and each row takes its own bounds.
void TestConfigCheck::ranges() {
    for (const char* cvar : {"vid_gamma", "s_khz", "fov", "sensitivity", "rate"}) {
        for (Engine engine : AllEngines) {
            const CvarRange* range = cvarRange(engine, QString::fromLatin1(cvar));
            QVERIFY2(range, cvar);
            QCOMPARE(isInRange(*range, range->high), true);
            QCOMPARE(isInRange(*range, range->low), !range->lowExcluded);
        }
    }
    QVERIFY(!cvarRange(Engine::id, u"FOV"));
    QCOMPARE(cvarNumber(u" +1.5e1xyz"), 15.0);
    QCOMPARE(cvarNumber(u"abc"), 0.0);
}

VEXA_TEST(TestConfigCheck)
#include "tst_configcheck.moc"
