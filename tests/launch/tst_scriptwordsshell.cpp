#include "HostileNames.h"
#include "launch/ScriptWords.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QProcess>
#include <QTest>

namespace {

using Style = PlatformConventions::Style;

// Every byte but NUL (which no argument can carry), in one word and one word each.
QStringList byteWords() {
    QString all;
    QStringList each;
    for (int c = 1; c < 256; ++c) {
        all += QChar(c);
        each << QString(QChar(c));
    }
    return QStringList{all} + each;
}

// What /bin/sh hands to printf for the script line "printf '%s\0' WORDS", one word each.
QStringList shellWords(const QString& words, const TestEnvironment& env) {
    const QString script = env.root() + QStringLiteral("/words.sh");
    QFile file(script);
    if (!file.open(QIODevice::WriteOnly))
        return {QStringLiteral("cannot write the script")};
    file.write("printf '%s\\0' " + words.toLatin1() + '\n');
    file.close();
    QProcess sh;
    sh.start(QStringLiteral("/bin/sh"), {script});
    if (!sh.waitForFinished(10000) || sh.exitCode() != 0)
        return {QStringLiteral("the shell failed: ") +
                QString::fromLocal8Bit(sh.readAllStandardError())};
    QStringList found = QString::fromLatin1(sh.readAllStandardOutput()).split(QChar(0));
    found.removeLast(); // after the last word's NUL
    return found;
}

} // namespace

// The launch script's quoting against the real shell: what /bin/sh passes on is exactly the values
// quoted, and exactly what the script reader takes from the same line.
class TstScriptWordsShell : public QObject {
    Q_OBJECT

private slots:
    void shellPassesTheQuotedValues_data() {
        QTest::addColumn<QStringList>("values");
        QTest::newRow("hostile names") << hostileNames();
        QTest::newRow("every byte") << byteWords();
        QTest::newRow("empty and blank") << QStringList{QString(), " ", "\t", "''", "\"\""};
        QTest::newRow("leading plus") << QStringList{"+", "+set", "++", "+'x'"};
    }
    void shellPassesTheQuotedValues() {
        QFETCH(QStringList, values);
        QStringList quoted;
        for (const QString& value : values)
            quoted << ScriptWords::quote(value, Style::Posix);
        const QString line = quoted.join(QLatin1Char(' '));
        TestEnvironment env;
        QCOMPARE(shellWords(line, env), values);

        QStringList read;
        for (const ScriptWord& word : ScriptWords::split(line, Style::Posix)) {
            QVERIFY(!word.startsCommand);
            read << word.text;
        }
        QCOMPARE(read, values);
    }
};

VEXA_TEST(TstScriptWordsShell)
#include "tst_scriptwordsshell.moc"
