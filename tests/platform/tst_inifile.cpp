#include "platform/IniEdit.h"
#include "platform/IniFile.h"
#include "platform/VexaError.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

#include <array>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

const QString missing = QStringLiteral("<default>");

// Makes a file or directory read-only for the length of a test.
class ReadOnly {
public:
    explicit ReadOnly(QString path) : path_(std::move(path)), old_(QFile::permissions(path_)) {
        QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                         QFileDevice::ReadGroup | QFileDevice::ReadOther);
    }
    ~ReadOnly() { QFile::setPermissions(path_, old_); }

private:
    QString path_;
    QFileDevice::Permissions old_;
};

// Rewrites a file behind IniFile's back, keeping size and modification second.
void rewriteInPlace(const QString& path, const QByteArray& bytes) {
    struct stat before;
    QVERIFY(::stat(QFile::encodeName(path).constData(), &before) == 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    file.write(bytes);
    file.close();
    struct timespec times[2] = {before.st_atim, before.st_mtim};
    times[1].tv_nsec = (times[1].tv_nsec + 1) % 1000000000;
    QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0);
}

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT

private slots:
    void read_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        auto row = [](const char* name, const QByteArray& text, const char* section,
                      const char* key, const QString& value) {
            QTest::newRow(name) << text << section << key << value;
        };
        row("plain", "[vexa]\r\npath=c:\\quake2\r\n", "vexa", "path", "c:\\quake2");
        row("letter case ignored", "[VeXa]\r\nPath=x\r\n", "vexa", "PATH", "x");
        row("names and value trimmed", "  [ vexa ]  \r\n \t path \t= \t x y \t\r\n", "vexa", "path",
            "x y");
        row("query names trimmed", "[vexa]\r\npath=x\r\n", " vexa ", " path ", "x");
        row("name runs to the last ]", "[a]b]\nk=1\n", "a]b", "k", "1");
        row("text after ] ignored", "[a] ; note\nk=1\n", "a", "k", "1");
        row("double quotes removed", "[s]\nk=\"  x  \"\n", "s", "k", "  x  ");
        row("single quotes removed", "[s]\nk='x'\n", "s", "k", "x");
        row("mixed quotes kept", "[s]\nk=\"x'\n", "s", "k", "\"x'");
        row("lone quote kept", "[s]\nk=\"\n", "s", "k", "\"");
        row("empty quotes", "[s]\nk=\"\"\n", "s", "k", "");
        row("one pair only", "[s]\nk=\"\"x\"\"\n", "s", "k", "\"x\"");
        row("inner quotes kept", "[s]\nk=bind a \"+attack\"\n", "s", "k", "bind a \"+attack\"");
        row("comment skipped", "[s]\n;k=1\nk=2\n", "s", "k", "2");
        row("comment is no key", "[s]\n  ; k=1\n", "s", "k", missing);
        row("semicolon in value", "[s]\nk=a;b\n", "s", "k", "a;b");
        row("equals in value", "[s]\nk=a=b\n", "s", "k", "a=b");
        row("before first section", "k=1\n[s]\n", "s", "k", missing);
        row("before first section is not the empty section", "k=1\n[s]\n", "", "k", missing);
        row("empty section name", "[]\nk=1\n", "", "k", "1");
        row("key without equals", "[s]\nk\n", "s", "k", missing);
        row("empty value", "[s]\nk=\n", "s", "k", "");
        row("blank value", "[s]\nk=  \t\n", "s", "k", "");
        row("first key wins", "[s]\nk=1\nK=2\n", "s", "k", "1");
        row("first key wins without equals", "[s]\nk\nk=2\n", "s", "k", missing);
        row("first section wins", "[s]\nk=1\n[S]\nk=2\nj=3\n", "s", "k", "1");
        row("later duplicate section unseen", "[s]\nk=1\n[S]\nk=2\nj=3\n", "s", "j", missing);
        row("key of another section", "[a]\nk=1\n[b]\nj=2\n", "b", "k", missing);
        row("CR endings", "[s]\rk=1\rj=2\r", "s", "j", "2");
        row("mixed endings, no final one", "[s]\r\nk=1\nj=2\rm=3", "s", "m", "3");
        row("bracket line without ] is a key", "[s]\n[t\nk=1\n", "s", "k", "1");
        row("missing section", "[s]\nk=1\n", "t", "k", missing);
        row("empty file", "", "s", "k", missing);
        row("Latin-1", "[s]\nk=caf\xe9\n", "s", "k", QStringLiteral(u"caf\u00e9"));
        row("no-break space is no blank", "[s]\nk=x\xa0\n", "s", "k", QStringLiteral(u"x\u00a0"));
        row("Latin-1 names ignore case", "[\xc4s]\n\xe9=1\n", "\xc3\xa4S", "\xc3\x89", "1");
        row("byte-order mark before the first section", "\xef\xbb\xbf[s]\r\nk=1\r\n", "s", "k",
            "1");
        row("byte-order mark only at the start", "[s]\n\xef\xbb\xbf[t]\nk=1\n", "s", "k", "1");
        row("NUL bytes in a value", QByteArray("[s]\nk=a\0b\n", 9), "s", "k",
            QString::fromLatin1("a\0b", 3));
        row("NUL byte ends no line", QByteArray("[s]\nj=\0k=1\nk=2\n", 15), "s", "k", "2");
        row("invalid UTF-8 read as Latin-1", "[s]\nk=\xc3\x28\xff\n", "s", "k",
            QString::fromLatin1("\xc3\x28\xff"));
        row("[ line without ] inside a section", "[s]\n[k=1\n", "s", "[k", "1");
    }
    void read() {
        QFETCH(QByteArray, text);
        QFETCH(QString, section);
        QFETCH(QString, key);
        TestEnvironment env;
        const IniFile ini(env.writeFile(QStringLiteral("t.ini"), text));
        QTEST(ini.readString(section, key, missing), "value");
    }

    void write_data() {
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after"); // null: still no file
        auto row = [](const char* name, const QByteArray& before, const char* op,
                      const char* section, const char* key, const QString& value,
                      const QByteArray& after) {
            QTest::newRow(name) << before << op << section << key << value << after;
        };
        const QByteArray none;
        row("creates the file", none, "write", "s", "k", "v", "[s]\r\nk=v\r\n");
        row("empty file", "", "write", "s", "k", "v", "[s]\r\nk=v\r\n");
        row("only the value changes", "; top\r\n[S]\r\n  Key = old  \r\nother=1\r\n", "write", "s",
            "key", "new", "; top\r\n[S]\r\n  Key = new\r\nother=1\r\n");
        row("line keeps its ending", "[s]\nk=old\nj=1\n", "write", "s", "k", "new",
            "[s]\nk=new\nj=1\n");
        row("last line without ending", "[s]\nk=old", "write", "s", "k", "new", "[s]\nk=new");
        row("key without equals gets one", "[s]\r\nFlag \r\n", "write", "s", "flag", "1",
            "[s]\r\nFlag=1\r\n");
        row("new key after the last entry", "[a]\r\nx=1\r\n\r\n; c\r\n[b]\r\ny=2\r\n", "write", "A",
            "z", "3", "[a]\r\nx=1\r\nz=3\r\n\r\n; c\r\n[b]\r\ny=2\r\n");
        row("new key in an empty section", "[a]\r\n\r\n[b]\r\n", "write", "a", "z", "3",
            "[a]\r\nz=3\r\n\r\n[b]\r\n");
        row("new key after an unended header", "[a]", "write", "a", "z", "3", "[a]\r\nz=3\r\n");
        row("new key after an unended entry", "[a]\nx=1", "write", "a", "z", "3",
            "[a]\nx=1\r\nz=3\r\n");
        row("new section at the end", "[a]\r\nx=1\r\n\r\n", "write", "b", "y", "2",
            "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n");
        row("new section after an unended line", "[a]\nx=1", "write", "b", "y", "2",
            "[a]\nx=1\r\n[b]\r\ny=2\r\n");
        row("first section wins", "[s]\r\nk=1\r\n[S]\r\nk=2\r\n", "write", "s", "k", "3",
            "[s]\r\nk=3\r\n[S]\r\nk=2\r\n");
        row("first key wins", "[s]\r\nk=1\r\nK=2\r\n", "write", "s", "K", "3",
            "[s]\r\nk=3\r\nK=2\r\n");
        row("empty value", "[s]\r\nk=1\r\n", "write", "s", "k", "", "[s]\r\nk=\r\n");
        row("same value leaves the file", "[s]\nk = v\n", "write", "s", "k", "v", "[s]\nk = v\n");
        row("same value with blanks leaves the file", "[s]\nk=  v  \n", "write", "s", "k", "  v  ",
            "[s]\nk=  v  \n");
        row("empty value over blanks", "[s]\nk =\t\n", "write", "s", "k", "", "[s]\nk =\n");
        row("empty value again leaves the file", "[s]\nk =\n", "write", "s", "k", "", "[s]\nk =\n");
        row("value with blanks replaces those after equals", "[s]\nk =  old\n", "write", "s", "k",
            " v", "[s]\nk = v\n");
        row("lines before the first section untouched", "k=1\r\n[s]\r\n", "write", "s", "k", "2",
            "k=1\r\n[s]\r\nk=2\r\n");
        row("line breaks in a value cannot forge lines", "[s]\r\n", "write", "s", "k",
            "a\r\n[x]\nb", "[s]\r\nk=a  [x] b\r\n");
        row("Latin-1 value", "[s]\r\n", "write", "s", "k", QStringLiteral(u"caf\u00e9"),
            "[s]\r\nk=caf\xe9\r\n");
        row("byte-order mark kept", "\xef\xbb\xbf[s]\r\nk=1\r\n", "write", "S", "k", "2",
            "\xef\xbb\xbf[s]\r\nk=2\r\n");
        row("NUL byte written as it is", "[s]\r\n", "write", "s", "k",
            QString::fromLatin1("a\0b", 3), QByteArray("[s]\r\nk=a\0b\r\n", 12));
        row("no sections: one added", "k=1\r\n", "write", "s", "k", "2", "k=1\r\n[s]\r\nk=2\r\n");
        row("erase section", "[a]\r\nx=1\r\n; c\r\n\r\n[b]\r\ny=2\r\n", "erase", "A", "", "",
            "[b]\r\ny=2\r\n");
        row("erase last section", "[a]\r\nx=1\r\n[b]\r\ny=2", "erase", "b", "", "",
            "[a]\r\nx=1\r\n");
        row("erase first match only", "[a]\r\nx=1\r\n[A]\r\ny=2\r\n", "erase", "a", "", "",
            "[A]\r\ny=2\r\n");
        row("erase keeps lines before any section", "; top\r\nk=1\r\n[a]\r\nx=1\r\n", "erase", "a",
            "", "", "; top\r\nk=1\r\n");
        row("erase missing section", "[a]\nx=1\n", "erase", "b", "", "", "[a]\nx=1\n");
        row("erase in a missing file", none, "erase", "a", "", "", none);
        row("delete key", "[a]\r\nx=1\r\ny=2\r\n", "delete", "a", "X", "", "[a]\r\ny=2\r\n");
        row("delete last unended line", "[a]\r\nx=1\r\ny=2", "delete", "a", "y", "",
            "[a]\r\nx=1\r\n");
        row("delete key without value", "[a]\r\nflag\r\ny=2\r\n", "delete", "a", "flag", "",
            "[a]\r\ny=2\r\n");
        row("delete first match only", "[a]\r\nx=1\r\nx=2\r\n", "delete", "a", "x", "",
            "[a]\r\nx=2\r\n");
        row("delete missing key", "[a]\r\nx=1\r\n", "delete", "a", "y", "", "[a]\r\nx=1\r\n");
        row("delete in a missing file", none, "delete", "a", "x", "", none);
    }
    void write() {
        QFETCH(QByteArray, before);
        QFETCH(QString, operation);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        TestEnvironment env;
        const QString path = env.root() + QStringLiteral("/t.ini");
        if (!before.isNull())
            env.writeFile(QStringLiteral("t.ini"), before);
        IniFile ini(path);
        ini.sectionNames(); // the edit must start from the cached parse
        const auto apply = [&](auto& target) {
            if (operation == QLatin1String("write"))
                target.writeString(section, key, value);
            else if (operation == QLatin1String("erase"))
                target.eraseSection(section);
            else
                target.deleteKey(section, key);
        };
        apply(ini);
        QCOMPARE(QFile::exists(path), !after.isNull());
        QCOMPARE(env.readFile(path), after);
        // The same edit inside one edit of a copy.
        const QString copy = env.root() + QStringLiteral("/copy.ini");
        if (!before.isNull())
            env.writeFile(QStringLiteral("copy.ini"), before);
        IniFile(copy).edit(apply);
        QCOMPARE(QFile::exists(copy), !after.isNull());
        QCOMPARE(env.readFile(copy), after);
        // The cache after the write agrees with a fresh parse of the file.
        const QString cached = ini.readString(section, key, missing);
        const QStringList cachedSections = ini.sectionNames();
        IniFile::clearCache();
        QCOMPARE(ini.readString(section, key, missing), cached);
        QCOMPARE(ini.sectionNames(), cachedSections);
    }

    // Many edits in one edit leave the text that the same edits one at a time leave, and reads
    // between them see what came before: random sequences over names that collide in letter
    // case, on texts with repeated sections, keys outside sections and unended last lines.
    void editMatchesEditsOneAtATime() {
        const QByteArray starts[] = {"",
                                     "; top\r\nx=0\r\n[a]\r\nx=1\r\n\r\n; c\r\n[A]\r\ny=2\r\nx = 3",
                                     "\xef\xbb\xbf[b]\ny=1\n[c]\n[a]"};
        const char* const names[] = {"a", "A", "b", "c", "x", "X", "y"};
        const char* const values[] = {"1", "", " v", "'q'"};
        QRandomGenerator random(19);
        TestEnvironment env;
        for (int round = 0; round < 80; ++round) {
            const QByteArray& start = starts[round % std::size(starts)];
            IniFile one(env.writeFile(QStringLiteral("one.ini"), start));
            IniFile many(env.writeFile(QStringLiteral("many.ini"), start));
            QList<std::array<int, 4>> steps; // operation, section, key, value
            for (int i = 0, n = random.bounded(1, 12); i < n; ++i)
                steps.append({random.bounded(4), random.bounded(4), random.bounded(4, 7),
                              random.bounded(4)});
            const auto run = [&](auto& ini, QStringList& seen) {
                for (const auto& [op, section, key, value] : steps) {
                    if (op == 0)
                        ini.writeString(names[section], names[key], values[value]);
                    else if (op == 1)
                        ini.eraseSection(names[section]);
                    else if (op == 2)
                        ini.deleteKey(names[section], names[key]);
                    else
                        seen << ini.readString(names[section], names[key], missing)
                             << QString::number(ini.sectionCount() * 100 +
                                                ini.keyCount(names[section]));
                }
            };
            QStringList seenOne, seenMany;
            run(one, seenOne);
            many.edit([&](IniEdit& edit) { run(edit, seenMany); });
            QCOMPARE(env.readFile(many.fileName()), env.readFile(one.fileName()));
            QCOMPARE(seenMany, seenOne);
        }
        // A new section given many keys, some of them again in other letter case.
        IniFile one(env.writeFile(QStringLiteral("one.ini"), "[s]\r\n"));
        IniFile many(env.writeFile(QStringLiteral("many.ini"), "[s]\r\n"));
        const auto fill = [](auto& ini) {
            for (int k = 1; k <= 45; ++k)
                ini.writeString("n", (k % 20 ? "k" : "K") + QString::number(k % 40), "v");
        };
        fill(one);
        many.edit([&](IniEdit& edit) { fill(edit); });
        QCOMPARE(env.readFile(many.fileName()), env.readFile(one.fileName()));
    }

    void failedEditWritesNothing() {
        TestEnvironment env;
        const QString path = env.writeFile(QStringLiteral("t.ini"), "[s]\r\nk=1\r\n");
        IniFile ini(path);
        QVERIFY_THROWS_EXCEPTION(VexaError, ini.edit([](IniEdit& edit) {
            edit.writeString(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("2"));
            throw VexaError(QStringLiteral("stop"));
        }));
        QCOMPARE(env.readFile(path), QByteArray("[s]\r\nk=1\r\n"));
        QCOMPARE(ini.readString(QStringLiteral("s"), QStringLiteral("k"), missing), "1");
    }

    // vexa.ini holds file names: UTF-8 both ways; a line written in Latin-1 reads as Latin-1 and
    // keeps its bytes until it is written, then in UTF-8; the other lines are not touched.
    void utf8Files_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("after");
        const QString cyrillic = QStringLiteral(u"/home/\u041a\u0438\u0440/q2");
        QTest::newRow("UTF-8") << QByteArray("[q]\r\npath=/tmp/j\xc3\xb6rg\r\n")
                               << QStringLiteral(u"/tmp/j\u00f6rg") << cyrillic
                               << QByteArray("[q]\r\npath=/home/\xd0\x9a\xd0\xb8\xd1\x80/q2\r\n");
        QTest::newRow("Latin-1") << QByteArray("[q]\r\npath=/tmp/j\xf6rg\r\n;\xe9\r\n")
                                 << QStringLiteral(u"/tmp/j\u00f6rg")
                                 << QStringLiteral(u"/tmp/j\u00f6rg/q2")
                                 << QByteArray("[q]\r\npath=/tmp/j\xc3\xb6rg/q2\r\n;\xe9\r\n");
        QTest::newRow("mixed, another line written")
            << QByteArray("[q]\r\npath=/tmp/j\xf6rg\r\nhome=/home/\xd0\x9a\r\n")
            << QStringLiteral(u"/tmp/j\u00f6rg") << QStringLiteral(u"/tmp/j\u00f6rg")
            << QByteArray("[q]\r\npath=/tmp/j\xf6rg\r\nhome=/home/\xd0\x9a\r\n");
        QTest::newRow("mixed, the Latin-1 line written")
            << QByteArray("[q]\r\npath=/tmp/j\xf6rg\r\nhome=/home/\xd0\x9a\r\n")
            << QStringLiteral(u"/tmp/j\u00f6rg") << cyrillic
            << QByteArray(
                   "[q]\r\npath=/home/\xd0\x9a\xd0\xb8\xd1\x80/q2\r\nhome=/home/\xd0\x9a\r\n");
    }
    void utf8Files() {
        QFETCH(QByteArray, before);
        QFETCH(QString, written);
        TestEnvironment env;
        const QString path = env.writeFile(QStringLiteral("t.ini"), before);
        IniFile ini(path, TextEncoding::Utf8);
        QTEST(ini.readString(QStringLiteral("q"), QStringLiteral("path"), missing), "read");
        ini.writeString(QStringLiteral("q"), QStringLiteral("path"), written);
        QTEST(env.readFile(path), "after");
        IniFile::clearCache();
        QCOMPARE(ini.readString(QStringLiteral("q"), QStringLiteral("path"), missing), written);
    }

    void integers_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("integer"); // the default is 7
        QTest::addColumn<int>("boolean"); // 0, 1, or -1 for the default
        QTest::newRow("decimal") << QByteArray("42") << 42 << 1;
        QTest::newRow("zero") << QByteArray("0") << 0 << 0;
        QTest::newRow("negative") << QByteArray("-5") << -5 << 1;
        QTest::newRow("plus") << QByteArray("+5") << 5 << 1;
        QTest::newRow("blanks and quotes") << QByteArray(" \"12\" ") << 12 << 1;
        QTest::newRow("hex") << QByteArray("0x1F") << 31 << 1;
        QTest::newRow("hex upper") << QByteArray("0X1f") << 31 << 1;
        QTest::newRow("hex zero") << QByteArray("0x0") << 0 << 0;
        QTest::newRow("hex bit pattern") << QByteArray("0xFFFFFFFF") << -1 << 1;
        QTest::newRow("largest") << QByteArray("2147483647") << 2147483647 << 1;
        QTest::newRow("smallest") << QByteArray("-2147483648") << int(-2147483648LL) << 1;
        QTest::newRow("too large") << QByteArray("2147483648") << 7 << -1;
        QTest::newRow("hex too large") << QByteArray("0x100000000") << 7 << -1;
        QTest::newRow("prefix only") << QByteArray("0x") << 7 << -1;
        QTest::newRow("signed hex") << QByteArray("-0x10") << 7 << -1;
        QTest::newRow("trailing letters") << QByteArray("12abc") << 7 << -1;
        QTest::newRow("inner blank") << QByteArray("4 2") << 7 << -1;
        QTest::newRow("exponent") << QByteArray("1e3") << 7 << -1;
        QTest::newRow("word true") << QByteArray("true") << 7 << -1;
        QTest::newRow("empty") << QByteArray("") << 7 << -1;
    }
    void integers() {
        QFETCH(QByteArray, text);
        QFETCH(int, boolean);
        TestEnvironment env;
        const IniFile ini(env.writeFile(QStringLiteral("t.ini"), "[s]\r\nk=" + text + "\r\n"));
        QTEST(ini.readInteger(QStringLiteral("s"), QStringLiteral("k"), 7), "integer");
        QCOMPARE(ini.readBool(QStringLiteral("s"), QStringLiteral("k"), false),
                 boolean == -1 ? false : boolean == 1);
        QCOMPARE(ini.readBool(QStringLiteral("s"), QStringLiteral("k"), true),
                 boolean == -1 ? true : boolean == 1);
        QCOMPARE(ini.readInteger(QStringLiteral("s"), QStringLiteral("none"), 7), 7);
        QCOMPARE(ini.readBool(QStringLiteral("s"), QStringLiteral("none"), true), true);
    }

    void writesIntegersAndBooleans() {
        TestEnvironment env;
        IniFile ini(env.root() + QStringLiteral("/t.ini"));
        ini.writeInteger(QStringLiteral("s"), QStringLiteral("n"), -12);
        ini.writeBool(QStringLiteral("s"), QStringLiteral("yes"), true);
        ini.writeBool(QStringLiteral("s"), QStringLiteral("no"), false);
        QCOMPARE(env.readFile(ini.fileName()), QByteArray("[s]\r\nn=-12\r\nyes=1\r\nno=0\r\n"));
    }

    void sectionsAndKeys() {
        TestEnvironment env;
        const IniFile ini(
            env.writeFile(QStringLiteral("t.ini"), "k=0\n[a]\nflag\n[ B ]\n[A]\nz=1\n[c]\n"));
        QCOMPARE(ini.sectionNames(), (QStringList{"a", "B", "c"}));
        QVERIFY(ini.sectionExists(QStringLiteral("b")));
        QVERIFY(!ini.sectionExists(QStringLiteral("d")));
        QVERIFY(ini.keyExists(QStringLiteral("A"), QStringLiteral("FLAG")));
        QVERIFY(!ini.keyExists(QStringLiteral("a"), QStringLiteral("z"))); // in the second [A]
        QVERIFY(!ini.keyExists(QStringLiteral(""), QStringLiteral("k")));
    }

    void seesRewriteInPlaceWithinTheSameSecond() {
        TestEnvironment env;
        const QString path = env.writeFile(QStringLiteral("t.ini"), "[s]\nk=1\n");
        const IniFile ini(path);
        QCOMPARE(ini.readString(QStringLiteral("s"), QStringLiteral("k"), missing), "1");
        rewriteInPlace(path, "[s]\nk=2\n");
        QCOMPARE(ini.readString(QStringLiteral("s"), QStringLiteral("k"), missing), "2");
    }

    void seesReplacementWithTheSameSizeAndTime() {
        TestEnvironment env;
        const QString path = env.writeFile(QStringLiteral("t.ini"), "[s]\nk=1\n");
        const IniFile ini(path);
        QCOMPARE(ini.readString(QStringLiteral("s"), QStringLiteral("k"), missing), "1");
        const QString other = env.writeFile(QStringLiteral("new.ini"), "[s]\nk=2\n");
        struct stat old;
        QVERIFY(::stat(QFile::encodeName(path).constData(), &old) == 0);
        const struct timespec times[2] = {old.st_atim, old.st_mtim};
        QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(other).constData(), times, 0) == 0);
        QVERIFY(::rename(QFile::encodeName(other).constData(),
                         QFile::encodeName(path).constData()) == 0);
        QCOMPARE(ini.readString(QStringLiteral("s"), QStringLiteral("k"), missing), "2");
        QFile::remove(path);
        QCOMPARE(ini.readString(QStringLiteral("s"), QStringLiteral("k"), missing), missing);
    }

    // A snapshot answers from one parse: a later change on disk shows only in a new snapshot,
    // or after the snapshot's own write, which starts from the file on disk.
    void snapshotKeepsItsFirstParseUntilItWrites() {
        TestEnvironment env;
        const QString path = env.writeFile(QStringLiteral("t.ini"), "[s]\r\nk=1\r\n");
        IniFile snapshot = IniFile::snapshot(path);
        QCOMPARE(snapshot.readString(QStringLiteral("s"), QStringLiteral("k"), missing), "1");
        rewriteInPlace(path, "[s]\r\nk=2\r\n");
        QCOMPARE(snapshot.readString(QStringLiteral("S"), QStringLiteral("K"), missing), "1");
        QCOMPARE(
            IniFile::snapshot(path).readString(QStringLiteral("s"), QStringLiteral("k"), missing),
            "2");
        snapshot.writeString(QStringLiteral("s"), QStringLiteral("j"), QStringLiteral("3"));
        QCOMPARE(env.readFile(path), QByteArray("[s]\r\nk=2\r\nj=3\r\n"));
        QCOMPARE(snapshot.readString(QStringLiteral("s"), QStringLiteral("k"), missing), "2");
        QCOMPARE(snapshot.readString(QStringLiteral("s"), QStringLiteral("j"), missing), "3");
    }

    void writeStartsFromTheFileOnDisk() {
        TestEnvironment env;
        const QString path = env.writeFile(QStringLiteral("t.ini"), "[s]\r\nk=1\r\n");
        IniFile ini(path);
        const IniFile sameFileRelative(QStringLiteral("../t.ini"));
        QCOMPARE(ini.readString(QStringLiteral("s"), QStringLiteral("k"), missing), "1");
        rewriteInPlace(path, "[s]\r\nk=2\r\n");
        ini.writeString(QStringLiteral("s"), QStringLiteral("j"), QStringLiteral("3"));
        QCOMPARE(env.readFile(path), QByteArray("[s]\r\nk=2\r\nj=3\r\n"));
        QCOMPARE(sameFileRelative.readString(QStringLiteral("s"), QStringLiteral("j"), missing),
                 "3");
    }

    void refusedWrites_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("readOnly"); // what is made read-only
        QTest::newRow("read-only file") << "dir/t.ini"
                                        << "dir/t.ini";
        QTest::newRow("read-only directory") << "dir/t.ini"
                                             << "dir";
        QTest::newRow("new file in a read-only directory") << "dir/new.ini"
                                                           << "dir";
        QTest::newRow("missing directory") << "nowhere/t.ini"
                                           << "";
    }
    void refusedWrites() {
        QFETCH(QString, fileName);
        QFETCH(QString, readOnly);
        TestEnvironment env;
        const QByteArray old("[s]\nk=1\n");
        env.writeFile(QStringLiteral("dir/t.ini"), old);
        const QString path = env.root() + QLatin1Char('/') + fileName;
        const bool existed = QFile::exists(path);
        std::optional<ReadOnly> protect;
        if (!readOnly.isEmpty())
            protect.emplace(env.root() + QLatin1Char('/') + readOnly);
        IniFile ini(path);
        try {
            ini.writeString(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("2"));
            QFAIL("the write was not refused");
        } catch (const VexaError& e) {
            QCOMPARE(e.message(), QStringLiteral("Unable to write to ") + path);
        }
        if (existed)
            QVERIFY_THROWS_EXCEPTION(VexaError, ini.eraseSection(QStringLiteral("s")));
        QCOMPARE(QFile::exists(path), existed);
        if (existed)
            QCOMPARE(env.readFile(path), old);
        QCOMPARE(ini.readString(QStringLiteral("s"), QStringLiteral("k"), missing),
                 existed ? QStringLiteral("1") : missing);
        QVERIFY(!QDir(env.root() + QStringLiteral("/nowhere")).exists());
        protect.reset();
        QCOMPARE(QDir(env.root() + QStringLiteral("/dir")).entryList(QDir::Files),
                 QStringList{"t.ini"}); // no temporary file left behind
    }

    // A profile in a searched directory may be anything; what is no file reads as an empty one.
    void entriesThatAreNoFilesReadEmpty_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO, which would block") << "fifo";
        QTest::newRow("device that never ends") << "device";
        QTest::newRow("link in a loop") << "loop";
        QTest::newRow("dangling link") << "dangling";
        QTest::newRow("directory") << "directory";
    }
    void entriesThatAreNoFilesReadEmpty() {
        QFETCH(QString, kind);
        TestEnvironment env;
        const QString path = env.root() + QStringLiteral("/ctf.vexa");
        const QByteArray native = QFile::encodeName(path);
        if (kind == QLatin1String("fifo"))
            QVERIFY(::mkfifo(native.constData(), 0644) == 0);
        else if (kind == QLatin1String("device"))
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
        else if (kind == QLatin1String("loop"))
            QVERIFY(QFile::link(path, path));
        else if (kind == QLatin1String("dangling"))
            QVERIFY(QFile::link(env.root() + QStringLiteral("/gone"), path));
        else
            env.makeDir(QStringLiteral("ctf.vexa"));
        const IniFile ini(path);
        QCOMPARE(ini.sectionNames(), QStringList());
        QCOMPARE(ini.readInteger(QStringLiteral("NumberOfSections"), QStringLiteral("aliases"), 0),
                 0);
    }

    void longValuesComeBackWhole() {
        TestEnvironment env;
        IniFile ini(env.root() + QStringLiteral("/t.ini"));
        const QString alias =
            QStringLiteral("alias a \"") + QString(10000, QLatin1Char('x')) + "\"";
        ini.writeString(QStringLiteral("Alias1"), QStringLiteral("ALine1"), alias);
        QCOMPARE(ini.readString(QStringLiteral("alias1"), QStringLiteral("aline1"), missing),
                 alias);
        IniFile::clearCache();
        QCOMPARE(ini.readString(QStringLiteral("alias1"), QStringLiteral("aline1"), missing),
                 alias);
    }

    // Random bytes, line breaks and NULs included: reads give defaults or whatever the lines say,
    // and a write keeps every byte that was there.
    void binaryFileKeepsItsBytes() {
        QRandomGenerator random(12);
        QByteArray bytes(1 << 20, Qt::Uninitialized);
        random.fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
        TestEnvironment env;
        const QString path = env.writeFile(QStringLiteral("t.ini"), bytes);
        IniFile ini(path);
        QCOMPARE(ini.readString(QStringLiteral("vexa"), QStringLiteral("path"), missing), missing);
        ini.sectionNames();
        ini.writeString(QStringLiteral("vexa"), QStringLiteral("path"), QStringLiteral("/q2"));
        const QByteArray after = env.readFile(path);
        QVERIFY(after.startsWith(bytes));
        QVERIFY(after.endsWith("[vexa]\r\npath=/q2\r\n"));
        QCOMPARE(ini.readString(QStringLiteral("vexa"), QStringLiteral("path"), missing), "/q2");
    }

    void latin1BytesRoundTrip() {
        QByteArray bytes;
        for (int c = 1; c < 256; ++c)
            if (c != '\r' && c != '\n' && c != ' ' && c != '\t' && c != '\v' && c != '\f' &&
                c != '"' && c != '\'')
                bytes += char(c);
        TestEnvironment env;
        const QByteArray text = "[s]\r\nk=" + bytes + "\r\n;\xff\xfe comment\r\n";
        const QString path = env.writeFile(QStringLiteral("t.ini"), text);
        IniFile ini(path);
        const QString value = ini.readString(QStringLiteral("s"), QStringLiteral("k"), missing);
        QCOMPARE(value, QString::fromLatin1(bytes));
        ini.writeString(QStringLiteral("s"), QStringLiteral("j"), QStringLiteral("1"));
        ini.writeString(QStringLiteral("s"), QStringLiteral("k"), value);
        QCOMPARE(env.readFile(path), "[s]\r\nk=" + bytes + "\r\nj=1\r\n;\xff\xfe comment\r\n");
    }
};

VEXA_TEST(TestIniFile)
#include "tst_inifile.moc"
