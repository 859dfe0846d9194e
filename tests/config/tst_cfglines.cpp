#include "config/CfgScript.h"
#include "config/VexaCommon.h"
#include "support/TestRegistry.h"

#include <QTest>

namespace {

QStringList texts(const auto& views) {
    QStringList list;
    for (QStringView view : views)
        list << view.toString();
    return list;
}

} // namespace

class TestCfgLines : public QObject {
    Q_OBJECT
private slots:
    void commandsOfALine_data();
    void commandsOfALine();
    void splitAtSeparator_data();
    void splitAtSeparator();
};

void TestCfgLines::commandsOfALine_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("words"); // of every command, "|" between commands

    QTest::newRow("set") << "set name \"Big Jo\"" << QStringList{"set", "name", "Big Jo"};
    QTest::newRow("blanks and tabs separate")
        << "\t bind  1\tweapnext " << QStringList{"bind", "1", "weapnext"};
    QTest::newRow("semicolons separate commands")
        << "set a 1;set b 2" << QStringList{"set", "a", "1", "|", "set", "b", "2"};
    QTest::newRow("not inside quotes")
        << "bind F6 \"echo Saving...; wait; save quick\""
        << QStringList{"bind", "F6", "echo Saving...; wait; save quick"};
    QTest::newRow("comment ends the command")
        << "set cl_run 1 // always run" << QStringList{"set", "cl_run", "1"};
    QTest::newRow("a semicolon in a comment still separates")
        << "// off; fov 100" << QStringList{"|", "fov", "100"};
    QTest::newRow("slashes inside a word are no comment")
        << "connect a//b" << QStringList{"connect", "a//b"};
    QTest::newRow("quotes inside a word stay") << "say a\"b\"c" << QStringList{"say", "a\"b\"c"};
    QTest::newRow("empty quoted word counts") << "set name \"\"" << QStringList{"set", "name", ""};
    QTest::newRow("a quote inside a word stays in it")
        << "set\"x\" 1" << QStringList{"set\"x\"", "1"};
    QTest::newRow("unmatched quote drops the command")
        << "set a 1; bind x \"+attack" << QStringList{"set", "a", "1", "|"};
    QTest::newRow("blank line") << "   " << QStringList{};
    QTest::newRow("trailing semicolon") << "wait;" << QStringList{"wait", "|"};
}

void TestCfgLines::commandsOfALine() {
    QFETCH(QString, line);
    QFETCH(QStringList, words);
    QStringList found;
    const CfgCommands commands = splitCfgCommands(line);
    for (qsizetype i = 0; i < commands.size(); ++i) {
        if (i > 0)
            found << "|";
        found += texts(cfgCommandWords(commands[i], Engine::id));
    }
    QCOMPARE(found, words);
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
    QCOMPARE(::splitAtSeparator(text, u'/'), pieces);
}

VEXA_TEST(TestCfgLines)
#include "tst_cfglines.moc"
