#include "config/CfgFile.h"
#include "config/VexaCommon.h"
#include "support/TestRegistry.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>

namespace QTest {
template <> char* toString(const CfgLookup& lookup) {
    return QTest::toString(
        QStringLiteral("%1 [%2]").arg(lookup.found ? "found" : "not found", lookup.value));
}
template <> char* toString(const ThreeParts& parts) {
    return QTest::toString(
        QStringLiteral("[%1|%2|%3]").arg(parts.first, parts.second, parts.third));
}
template <> char* toString(const SettingLine& line) {
    return QTest::toString(QStringLiteral("[%1|%2]").arg(line.command, line.value));
}
} // namespace QTest

class TestCfgLines : public QObject {
    Q_OBJECT
private slots:
    void findCfgValue_data();
    void findCfgValue();
    void finderAgreesOverManyLines();
    void matchesWildcard_data();
    void matchesWildcard();
    void matchingLongLinesStaysLinear();
    void splitInThree_data();
    void splitInThree();
    void splitAtSeparator_data();
    void splitAtSeparator();
    void splitCfgLines_data();
    void splitCfgLines();
};

void TestCfgLines::findCfgValue_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("key");
    QTest::addColumn<CfgLookup>("expected");

    const QString longValue(300, u'x');
    QTest::newRow("empty list") << QStringList() << "set name" << CfgLookup{};
    QTest::newRow("first of two wins")
        << QStringList{"set name \"A\"", "set name \"B\""} << "set name" << CfgLookup{true, "A"};
    QTest::newRow("empty quoted value passed over")
        << QStringList{"set name \"\"", "set name \"B\""} << "set name" << CfgLookup{true, "B"};
    QTest::newRow("only empty values")
        << QStringList{"set name", "set name \"\"", "set name   "} << "set name" << CfgLookup{};
    QTest::newRow("letter case of the line ignored")
        << QStringList{"SET Name  \"Two Words\""} << "set name" << CfgLookup{true, "Two Words"};
    QTest::newRow("letter case of the key ignored")
        << QStringList{"set hostname \"srv\""} << "Set HostName" << CfgLookup{true, "srv"};
    QTest::newRow("indented by a blank")
        << QStringList{" set name \"x\""} << "set name" << CfgLookup{};
    QTest::newRow("indented by a tab")
        << QStringList{"\tset name \"x\""} << "set name" << CfgLookup{};
    QTest::newRow("comment after a bare value kept")
        << QStringList{"set hand 1 // left"} << "set hand" << CfgLookup{true, "1 // left"};
    QTest::newRow("comment after a quoted value dropped")
        << QStringList{"set name \"Jo\" // me"} << "set name" << CfgLookup{true, "Jo"};
    QTest::newRow("longer name shares the prefix")
        << QStringList{"set names \"y\""} << "set name" << CfgLookup{true, "s \"y\""};
    QTest::newRow("doubled quotes stand for one")
        << QStringList{"set name \"a\"\"b\""} << "set name" << CfgLookup{true, "a\"b"};
    QTest::newRow("unclosed quote takes the rest")
        << QStringList{"set name \"abc def"} << "set name" << CfgLookup{true, "abc def"};
    QTest::newRow("tab before the value trimmed")
        << QStringList{"set name\t\"x\""} << "set name" << CfgLookup{true, "x"};
    QTest::newRow("bare key matches the bare form only")
        << QStringList{"set gl_picmip \"1\"", "gl_picmip 2"} << "gl_picmip" << CfgLookup{true, "2"};
    QTest::newRow("values longer than 64 characters whole")
        << QStringList{"set hostname \"" + longValue + "\""} << "set hostname"
        << CfgLookup{true, longValue};
    QTest::newRow("line shorter than the key") << QStringList{"set"} << "set name" << CfgLookup{};
    QTest::newRow("batch pieces") << QStringList{"/q/quake2 ", "set game ctf ", "map q2dm1 "}
                                  << "set game" << CfgLookup{true, "ctf"};
    // Keys and lines around the finder's signature of the first eight characters.
    QTest::newRow("key shorter than the signature")
        << QStringList{"fo 1", "fov 90"} << "fov" << CfgLookup{true, "90"};
    QTest::newRow("lines beginning alike tried in file order")
        << QStringList{"fovz 1", "fova 2"} << "fov" << CfgLookup{true, "z 1"};
    QTest::newRow("wildcard first")
        << QStringList{"xet fov 1", "set fov 2"} << "?et fov" << CfgLookup{true, "1"};
    QTest::newRow("key longer than the signature")
        << QStringList{"set gl_modulate 2", "set gl_mode 3"} << "set gl_mode"
        << CfgLookup{true, "3"};
    QTest::newRow("letters beyond ASCII keep their case")
        << QStringList{"set \u00c9t\u00e9 1", "set \u00e9t\u00e9 2"} << "set \u00e9t\u00e9"
        << CfgLookup{true, "2"};
    QTest::newRow("other letters beyond ASCII do not match")
        << QStringList{"set \u00fc 1"} << "set \u00e9" << CfgLookup{};
    QTest::newRow("question mark in the key")
        << QStringList{"set fov 90"} << "s?t fov" << CfgLookup{true, "90"};
    QTest::newRow("star in the key")
        << QStringList{"set gl_mode 3"} << "set *mode" << CfgLookup{true, "de 3"};
    QTest::newRow("empty key") << QStringList{"", "x"} << "" << CfgLookup{true, "x"};
}

void TestCfgLines::findCfgValue() {
    QFETCH(QStringList, lines);
    QFETCH(QString, key);
    QFETCH(CfgLookup, expected);
    QCOMPARE(FindCfgValue(lines, key), expected);
    QCOMPARE(CfgLineFinder(lines).find(key), expected);
}

// Lines in no order, many sharing their first characters and some beyond ASCII, so that the
// finder's sorted signatures hold long runs and every byte position differs somewhere.
void TestCfgLines::finderAgreesOverManyLines() {
    QRandomGenerator random(7);
    const QStringList words{"set", "SET", "bind", "gl_mode", "gl_modulate", "s\u00e9t", "", "x"};
    const QStringList names{"name", "NAME", "names", "hand", "gl_mode", "a", "\u00fc", "skin"};
    const auto pick = [&](const QStringList& list) { return list[random.bounded(list.size())]; };
    QStringList lines;
    for (int i = 0; i < 3000; ++i)
        lines << pick(words) + u' ' + pick(names) + u' ' + QString::number(random.bounded(4));
    const CfgLineFinder finder(lines);
    for (const QString& word : words) {
        for (const QString& name : names) {
            for (const QString& key : {word + u' ' + name, word, word + u'?' + name})
                QCOMPARE(finder.find(key), FindCfgValue(lines, key));
        }
    }
}

void TestCfgLines::matchesWildcard_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("matches");

    QTest::newRow("equal") << "abc"
                           << "abc" << true;
    QTest::newRow("letters in other case") << "aBc"
                                           << "AbC" << true;
    QTest::newRow("only a-z fold") << "\u00e9"
                                   << "\u00c9" << false;
    QTest::newRow("text longer") << "abcd"
                                 << "abc" << false;
    QTest::newRow("text shorter") << "ab"
                                  << "abc" << false;
    QTest::newRow("question mark one character") << "abc"
                                                 << "a?c" << true;
    QTest::newRow("question mark needs a character") << "ac"
                                                     << "a?c" << false;
    QTest::newRow("trailing star takes anything") << "set name x\"y\""
                                                  << "SET NAME*" << true;
    QTest::newRow("star matches nothing") << "ac"
                                          << "a*c" << true;
    QTest::newRow("star backtracks") << "xaybzc"
                                     << "*a*b*c" << true;
    QTest::newRow("star then wrong end") << "ab"
                                         << "*c" << false;
    QTest::newRow("empty text, empty pattern") << ""
                                               << "" << true;
    QTest::newRow("empty text, star") << ""
                                      << "*" << true;
    QTest::newRow("empty text, two stars") << ""
                                           << "**" << false;
    QTest::newRow("empty text, question mark") << ""
                                               << "?" << false;
    QTest::newRow("text, empty pattern") << "a"
                                         << "" << false;
}

void TestCfgLines::matchesWildcard() {
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(bool, matches);
    QCOMPARE(MatchesWildcard(text, pattern), matches);
}

void TestCfgLines::matchingLongLinesStaysLinear() {
    // Backtracking over every star would take ages here.
    const QString text(200000, u'a');
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!MatchesWildcard(text, QStringLiteral("*a*a*a*a*a*b")));
    QVERIFY(MatchesWildcard(text + u'b', QStringLiteral("*a*a*a*a*a*b")));
    QVERIFY(timer.elapsed() < 2000);
}

void TestCfgLines::splitInThree_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<ThreeParts>("parts");

    QTest::newRow("one word thrice")
        << "unbindall" << ThreeParts{"unbindall", "unbindall", "unbindall"};
    QTest::newRow("two words") << "bind KEY" << ThreeParts{"bind", "KEY", "KEY"};
    QTest::newRow("rest keeps its blanks")
        << "bind 1 \"use Blaster\"" << ThreeParts{"bind", "1", "\"use Blaster\""};
    QTest::newRow("tabs do not separate") << "set\tname x" << ThreeParts{"set\tname", "x", "x"};
    QTest::newRow("leading blank") << " set fov" << ThreeParts{"", "set", "fov"};
    QTest::newRow("two blanks in a row") << "a  b" << ThreeParts{"a", "", "b"};
    QTest::newRow("empty line") << "" << ThreeParts{"", "", ""};
}

void TestCfgLines::splitInThree() {
    QFETCH(QString, line);
    QFETCH(ThreeParts, parts);
    QCOMPARE(SplitInThree(line, u' '), parts);
}

void TestCfgLines::splitAtSeparator_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("pieces");

    QTest::newRow("model and skin") << "male/grunt" << QStringList{"male", "grunt"};
    QTest::newRow("no separator") << "male" << QStringList{"male"};
    QTest::newRow("trailing separator") << "male/" << QStringList{"male", ""};
    QTest::newRow("empty text") << "" << QStringList{""};
    QTest::newRow("beyond 255 characters")
        << QString(300, u'a') + "/b" << QStringList{QString(300, u'a'), "b"};
}

void TestCfgLines::splitAtSeparator() {
    QFETCH(QString, text);
    QFETCH(QStringList, pieces);
    QCOMPARE(SplitAtSeparator(text, u'/'), pieces);
}

void TestCfgLines::splitCfgLines_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<SettingLine>("split");

    const SettingLine other{"Other", "Nothing"};
    QTest::newRow("set") << "set sv_gravity \"800\"" << SettingLine{"sv_gravity", "800"};
    QTest::newRow("Set keeps the name's case")
        << "Set dmFlags \"2048\"" << SettingLine{"dmFlags", "2048"};
    QTest::newRow("value lower-cased") << "SET Name \"Big Jo\"" << SettingLine{"Name", "big jo"};
    QTest::newRow("quotes and blanks inside quotes")
        << "set \"fov\" \" 90 \"" << SettingLine{"fov", "90"};
    QTest::newRow("comment kept in the value")
        << "set crosshair 1 // x" << SettingLine{"crosshair", "1 // x"};
    QTest::newRow("bind") << "bind MOUSE1 \"+attack\"" << SettingLine{"+attack", "MOUSE1"};
    QTest::newRow("Bind lower-cases the command")
        << "Bind a \"+ATTACK\"" << SettingLine{"+attack", "a"};
    QTest::newRow("bind command with blanks")
        << "bind 1 \"use Blaster\"" << SettingLine{"use blaster", "1"};
    QTest::newRow("alias") << "alias message1 \"say hi\"" << other;
    QTest::newRow("comment") << "// generated by quake, do not modify" << other;
    QTest::newRow("empty") << "" << other;
    QTest::newRow("indented") << " set fov 90" << other;
    QTest::newRow("tab after the word") << "set\tfov 90" << other;
    QTest::newRow("unbindall") << "unbindall" << other;
    QTest::newRow("word alone") << "set" << SettingLine{"set", "set"};
    QTest::newRow("bind without a command") << "bind K" << SettingLine{"k", "K"};
    QTest::newRow("mixed case word") << "sEt fov 90" << SettingLine{"fov", "90"};
    QTest::newRow("word with a letter beyond ASCII") << "\u017fet fov 90" << other;
    QTest::newRow("quote inside a name") << "set a\"b \"1\"" << SettingLine{"ab", "1"};
    QTest::newRow("only quotes and blanks") << "set \" \" \"\"" << SettingLine{"", ""};
}

void TestCfgLines::splitCfgLines() {
    QFETCH(QString, line);
    QFETCH(SettingLine, split);
    QCOMPARE(SplitCfgLines({line, line}), (QVector<SettingLine>{split, split}));
}

VEXA_TEST(TestCfgLines)
#include "tst_cfglines.moc"
