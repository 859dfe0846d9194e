#include "platform/EntryNames.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QTest>

class TestEntryNames : public QObject {
    Q_OBJECT

private slots:
    void asciiLower_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("lower");
        QTest::newRow("letters") << "Viper.PCX"
                                 << "viper.pcx";
        QTest::newRow("edges of the range") << "AZaz@[`{"
                                            << "azaz@[`{";
        QTest::newRow("beyond ASCII stays") << QString::fromUtf8("\xc3\x84RGER") // ÄRGER
                                            << QString::fromUtf8("\xc3\x84rger");
        QTest::newRow("empty") << ""
                               << "";
    }
    void asciiLower() {
        QFETCH(QString, name);
        QTEST(EntryNames::asciiLower(name), "lower");
    }

    void hasThreeLetterExtension_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("skipped");
        QTest::newRow("three letters") << "readme.txt" << true;
        QTest::newRow("four letters") << "readme.text" << false;
        QTest::newRow("two letters") << "ref_gl.so" << false;
        QTest::newRow("no extension") << "save0" << false;
        QTest::newRow("only an extension") << ".txt" << true;
        QTest::newRow("dot") << "." << true;
        QTest::newRow("dot dot") << ".." << true;
        QTest::newRow("short, first character tested") << ".a" << true;
        QTest::newRow("short name") << "ab" << false;
        QTest::newRow("three characters") << "a.b" << false;
        QTest::newRow("empty") << "" << false;
    }
    void hasThreeLetterExtension() {
        QFETCH(QString, name);
        QTEST(EntryNames::hasThreeLetterExtension(name), "skipped");
    }

    void untilRepeated_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("no repeat") << QStringList{"a", "b", "a"} << QStringList{"a", "b", "a"};
        QTest::newRow("repeat ends the search")
            << QStringList{"a", "b", "b", "c"} << QStringList{"a", "b"};
        QTest::newRow("repeat at once") << QStringList{"a", "a"} << QStringList{"a"};
        QTest::newRow("letter case counts") << QStringList{"a", "A"} << QStringList{"a", "A"};
        QTest::newRow("empty") << QStringList{} << QStringList{};
    }
    void untilRepeated() {
        QFETCH(QStringList, names);
        QTEST(EntryNames::untilRepeated(names), "kept");
    }

    void emptyDirectoryNameFindsNothing() {
        TestEnvironment env; // the current directory is not empty
        env.writeFile(QStringLiteral("program/maps.lst"), "x");
        QVERIFY(EntryNames::searchEntries(QString(), QStringLiteral("*.*")).isEmpty());
    }
};

VEXA_TEST(TestEntryNames)
#include "tst_entrynames.moc"
