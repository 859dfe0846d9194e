#include "config/CfgScript.h"
#include "support/GameConsole.h"
#include "support/TestRegistry.h"

#include <QTest>

namespace {

// Slots: 0 fov, 1 name, 2 gl_mode.
CfgVariables variables(Engine engine = Engine::id) {
    CfgVariables v;
    addVariable(v, u"fov", 0, engine);
    addVariable(v, u"name", 1, engine);
    addVariable(v, u"gl_mode", 2, engine);
    return v;
}

QString valueText(const CfgScript& script, int slot) {
    return script.value(slot).value_or(QStringLiteral("<none>"));
}

QStringList boundKeys(const CfgScript& script) {
    QStringList keys;
    for (const CfgScript::Binding& b : script.bindings())
        keys << b.key.toString() + '=' + b.command.toString();
    return keys;
}

} // namespace

class TestCfgScript : public QObject {
    Q_OBJECT
private slots:
    void values_data();
    void values();
    void bindingsAtTheEnd();
    void writableKeys();
    void aliasesRunWhereCalled();
    void loopingAliasesStop_data();
    void loopingAliasesStop();
    void keptLines();
    void ownClosingLines_data();
    void ownClosingLines();
    void keptLinesBeforeGeneratedOnes();
    void unbindsKeysTakenAway();
};

void TestCfgScript::values_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("engine");
    QTest::addColumn<QString>("fov");
    QTest::addColumn<QString>("mode");
    const int id = int(Engine::id), yamagi = int(Engine::yamagi), q2pro = int(Engine::q2pro);
    QTest::newRow("last set wins") << QStringList{"set fov 90", "set fov \"100\""} << id << "100"
                                   << "<none>";
    QTest::newRow("the name as a command, any letter case")
        << QStringList{"SET FOV 90", "Fov 110 // wide"} << id << "110"
        << "<none>";
    QTest::newRow("Q2PRO: seta and the u/s flags")
        << QStringList{"seta fov 95", "set gl_mode 3 u"} << q2pro << "95"
        << "3";
    QTest::newRow("id has no seta") << QStringList{"set fov 90", "seta fov 95"} << id << "90"
                                    << "<none>";
    QTest::newRow("Q2PRO: command names in lower case only")
        << QStringList{"set fov 90", "SET fov \"130\"", "Set gl_mode 3"} << q2pro << "90"
        << "<none>";
    const QStringList blockComments{"set fov 90", "/* set fov \"120\" */", "/*", "set fov 1",
                                    "*/ set gl_mode 2 /* 3 */"};
    QTest::newRow("Q2PRO: block comments") << blockComments << q2pro << "90"
                                           << "2";
    QTest::newRow("id: no block comments") << blockComments << id << "1"
                                           << "<none>";
    QTest::newRow("Yamagi: the archive flag")
        << QStringList{"set fov 90", "set fov 95 a"} << yamagi << "95"
        << "<none>";
    QTest::newRow("id refuses the archive flag")
        << QStringList{"set fov 90", "set fov 95 a"} << id << "90"
        << "<none>";
    QTest::newRow("Q2PRO joins more words")
        << QStringList{"set fov 100 a", "gl_mode 3 4"} << q2pro << "100 a"
        << "3 4";
    QTest::newRow("forms the game refuses")
        << QStringList{"set fov 90", "set fov 1 2", "set fov", "fov", "set fov 3 x"} << id << "90"
        << "<none>";
    QTest::newRow("indented lines run") << QStringList{"  \tset fov 80"} << id << "80"
                                        << "<none>";
    QTest::newRow("Yamagi's new name")
        << QStringList{"set gl_mode 3", "set r_mode 21"} << yamagi << "<none>"
        << "21";
    QTest::newRow("Yamagi's old name after the new")
        << QStringList{"set r_mode 21", "gl_mode 4"} << yamagi << "<none>"
        << "4";
    QTest::newRow("a value that cannot stand in quotes")
        << QStringList{"set fov 90", "fov a\"b\""} << id << "<none>"
        << "<none>";
    QTest::newRow("other engines know no new name")
        << QStringList{"set gl_mode 3", "set r_mode 21"} << id << "<none>"
        << "3";
}

void TestCfgScript::values() {
    QFETCH(QStringList, lines);
    QFETCH(int, engine);
    QFETCH(QString, fov);
    QFETCH(QString, mode);
    const CfgVariables v = variables(Engine(engine));
    const CfgScript script(lines, v, Engine(engine));
    QCOMPARE(valueText(script, 0), fov);
    QCOMPARE(valueText(script, 2), mode);
}

void TestCfgScript::bindingsAtTheEnd() {
    const CfgVariables v = variables();
    const CfgScript script({"bind a +attack", "bind MOUSE1 +attack", "bind b \"use blaster\"",
                            "unbindall", "bind mouse2 \"+forward\"", "bind c use  shotgun",
                            "bind a +moveup", "bind MOUSE2 +back", "bind d \"\"", "bind e",
                            "unbind C"},
                           v, Engine::id);
    // Key names in any letter case are one key; the latest binding places it.
    QCOMPARE(boundKeys(script), (QStringList{"c=use shotgun", "a=+moveup", "mouse2=+back"}));
}

void TestCfgScript::writableKeys() {
    for (const char* key : {"MOUSE1", "a", "\\", "/", "KP_INS"})
        QVERIFY2(isWritableKey(QString::fromLatin1(key)), key);
    for (const char* key : {"", "//", "a b", "K\x05", ";", "\"", "x\"y"})
        QVERIFY2(!isWritableKey(QString::fromLatin1(key)), key);
}

void TestCfgScript::aliasesRunWhereCalled() {
    const CfgVariables v = variables();
    const CfgScript script({"alias zoom \"fov 30; bind z +zoom_off\"", "set fov 90", "ZOOM",
                            "alias loop \"set name x; loop\"", "loop", "alias +a"},
                           v, Engine::id);
    QCOMPARE(valueText(script, 0), QStringLiteral("30"));
    QCOMPARE(valueText(script, 1), QStringLiteral("x"));
    QCOMPARE(boundKeys(script), QStringList{"z=+zoom_off"});
    QCOMPARE(script.aliasBody(u"Zoom").value_or("<none>"), "fov 30; bind z +zoom_off");
    QCOMPARE(script.aliasBody(u"+a").value_or("<none>"), QString());
    QVERIFY(!script.aliasBody(u"none"));
    // The call keeps its line; what the alias bound has no line of its own.
    QCOMPARE(script.bindings().front().line, -1);
    QVERIFY(script.keptLines().contains("ZOOM"));
}

// An alias that calls itself, called once: how many of its commands run. Every engine stops it
// after 15 runs, and starts counting again after a "wait"; there Vexa stops it after 4096 runs,
// or sooner when the text run reaches 4 Mi characters.
void TestCfgScript::loopingAliasesStop_data() {
    QTest::addColumn<int>("engine");
    QTest::addColumn<QString>("body");
    QTest::addColumn<int>("fewest");
    QTest::addColumn<int>("most");
    const int id = int(Engine::id), yamagi = int(Engine::yamagi), q2pro = int(Engine::q2pro);
    const QString waits = QStringLiteral("wait;").repeated(1800) + 'z';
    const QString longEcho =
        QStringLiteral("echo ") + QString(4000, 'x') + QStringLiteral(";wait;z");
    for (const int engine : {id, yamagi, q2pro})
        QTest::addRow("%s: 15 runs", engineFacts(Engine(engine)).iniName)
            << engine << "echo;z" << 15 << 15;
    QTest::newRow("a wait starts the count again") << yamagi << "wait;z" << 4096 << 4096;
    QTest::newRow("id: too long for the command buffer") << id << waits << 0 << 0;
    QTest::newRow("q2pro: a longer buffer") << q2pro << waits << 16 * 1800 << 4095 * 1800;
    QTest::newRow("id: the text run is bounded") << id << longEcho << 2 * 16 << 2 * 4095;
}

void TestCfgScript::loopingAliasesStop() {
    QFETCH(int, engine);
    QFETCH(QString, body);
    QFETCH(int, fewest);
    QFETCH(int, most);
    const QStringList lines{"alias z \"" + body + '"', "z"};
    const qsizetype ran = playConfig(lines, Engine(engine)).commands.size();
    QVERIFY2(ran >= fewest && ran <= most, qPrintable(QString::number(ran)));
    // The loader runs them alike: the last of them sets the name.
    CfgVariables v;
    addVariable(v, u"name", 0, Engine(engine));
    const CfgScript script({"alias z \"set name a;set name b;" + body + '"', "z"}, v,
                           Engine(engine));
    QCOMPARE(script.value(0).value_or("<none>"), fewest == 0 ? "<none>" : "b");
}

void TestCfgScript::keptLines() {
    const QStringList lines{"// mine",
                            "set fov 90",
                            "set cl_gun 0",
                            "bind MOUSE1 +attack",
                            "bind x \"+moveup\"; set fov 100",
                            "fov 80; name Jo",
                            "",
                            "alias message1 \"say hi\"",
                            "bind F5 message1",
                            "set bad \"quote",
                            "//Globals Settings",
                            "Set cl_maxfps \"90\"",
                            "//End of File"};
    const CfgVariables v = variables();
    CfgScript script(lines, v, Engine::id);
    QCOMPARE(script.keptLines(),
             (QStringList{"// mine", "set cl_gun 0", "bind MOUSE1 +attack",
                          "bind x \"+moveup\"; set fov 100", "", "alias message1 \"say hi\"",
                          "bind F5 message1", "set bad \"quote"}));
    QCOMPARE(script.keptLineCount(), 7);
    // What the window's settings take no longer keeps a line.
    for (const CfgScript::Binding& b : script.bindings()) {
        if (b.key != u"x")
            script.take(b);
    }
    script.takeAlias(u"MESSAGE1");
    QCOMPARE(script.keptLines(),
             (QStringList{"// mine", "set cl_gun 0", "bind x \"+moveup\"; set fov 100", "",
                          "set bad \"quote"}));
}

void TestCfgScript::ownClosingLines_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    const QStringList closing{"", "", "//End of File", "//Thank you for using VEXA",
                              "//              Taskel"};
    QTest::newRow("none") << QStringList{"set a 1", "//End of File"} << 0 << 0;
    QTest::newRow("profiles and closing")
        << QStringList{"set a 1", "", "//Globals Settings", "Bind F2 \"x\""} + closing << 1 << 9;
    QTest::newRow("closing only, lines after it")
        << QStringList{"set a 1"} + closing + QStringList{"bind x y"} << 1 << 6;
    QTest::newRow("signature trimmed by an editor")
        << QStringList{"//End of File", "//Thank you for using VEXA", "// Taskel"} << 0 << 3;
    QTest::newRow("profiles without closing")
        << QStringList{"set a 1", "//Globals Settings", "Set b \"1\""} << 1 << 3;
    QTest::newRow("the last of two profile blocks")
        << QStringList{"//Globals Settings", "x"} + closing + QStringList{"//Globals Settings"} +
               closing
        << 7 << 13;
}

void TestCfgScript::ownClosingLines() {
    QFETCH(QStringList, lines);
    QFETCH(int, from);
    QFETCH(int, to);
    const CfgLineRange range = ::ownClosingLines(lines);
    QCOMPARE(QString("%1..%2").arg(range.from).arg(range.to), QString("%1..%2").arg(from).arg(to));
}

void TestCfgScript::keptLinesBeforeGeneratedOnes() {
    const QStringList kept{"// mine",
                           "bind F2 \"echo hi\"",
                           "bind F3 \"echo\"; echo also",
                           "alias +zoom \"fov 30\"",
                           "set cl_gun 0",
                           "cl_gun 1",
                           "unbindall",
                           "setmaster a",
                           "",
                           ""};
    const QStringList generated{"Bind f2 \"+rjump\"", "alias +zoom \"fov 20\"", "Set CL_GUN \"1\"",
                                "setmaster \"b\""};
    QCOMPARE(keptLinesBefore(kept, CfgOverrides(generated, Engine::id)),
             (QStringList{"// mine", "bind F3 \"echo\"; echo also", "unbindall", ""}));
    QCOMPARE(keptLinesBefore(kept, CfgOverrides({"unbindall"}, Engine::id)).size(),
             kept.size() - 2);
    QCOMPARE(keptLinesBefore({"", "  "}, CfgOverrides(generated, Engine::id)), QStringList());
}

void TestCfgScript::unbindsKeysTakenAway() {
    const CfgOverrides generated({"Bind mouse1 \"+attack\"", "bind F5 \"message1\""}, Engine::id);
    QCOMPARE(unbindLines({"MOUSE1", "x", "F5"}, generated, Engine::id), QStringList{"unbind x"});
    // Yamagi refuses to bind ESCAPE again once the player's config runs.
    QCOMPARE(unbindLines({"ESCAPE", "x"}, generated, Engine::yamagi), QStringList{"unbind x"});
}

VEXA_TEST(TestCfgScript)
#include "tst_cfgscript.moc"
