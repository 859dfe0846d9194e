#include "platform/IniFile.h"
#include "platform/VexaError.h"
#include "profiles/ProfileFile.h"
#include "support/TestEnvironment.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <algorithm>
#include <functional>

using Items = QVector<ProfileItem>;
using Loader = std::function<Items(const QString&)>;
Q_DECLARE_METATYPE(EntryKind)

// Readable failure messages for the entry types.
namespace QTest {
template <> char* toString(const ProfileItem& item) {
    return QTest::toString(QStringLiteral("%1 [%2]").arg(item.text, item.checked ? "x" : " "));
}
template <> char* toString(const ProfileAlias& alias) {
    return QTest::toString(QStringLiteral("%1 [%2] %3")
                               .arg(alias.descriptiveName, alias.checked ? "x" : " ",
                                    alias.lines.join(QStringLiteral(" | "))));
}
} // namespace QTest

namespace {

// INI text with LF line ends, as another editor might leave it.
QByteArray ini(std::initializer_list<const char*> lines) {
    QByteArray text;
    for (const char* line : lines)
        text += QByteArray(line) + '\n';
    return text;
}

QString itemText(EntryKind kind, int n) {
    switch (kind) {
    case EntryKind::Alias:
        return QStringLiteral("alias %1").arg(n);
    case EntryKind::Binding:
        return QStringLiteral("K%1 = cmd%1").arg(n);
    case EntryKind::Setting:
        break;
    }
    return QStringLiteral("var%1 = %1").arg(n);
}

// Entry n gets data of its own and a flag pattern that tells neighbours apart: no key, "false",
// checked, no key, ... Aliases have n lines.
void writeEntry(IniFile& file, EntryKind kind, int n) {
    const QString section = ProfileFile::sectionName(kind, n);
    const QString num = QString::number(n);
    switch (kind) {
    case EntryKind::Alias:
        file.writeString(section, "DescriptiveName", "alias " + num);
        file.writeString(section, "AliasName", "+name" + num);
        file.writeString(section, "Description", "about " + num);
        file.writeInteger(section, "AliasLines", n);
        for (int j = 1; j <= n; ++j)
            file.writeString(section, QStringLiteral("Aline%1").arg(j),
                             QStringLiteral("echo %1.%2").arg(n).arg(j));
        break;
    case EntryKind::Binding:
        file.writeString(section, "BindKey", "K" + num);
        file.writeString(section, "BindValue", "cmd" + num);
        break;
    case EntryKind::Setting:
        file.writeString(section, "Setting", "var" + num);
        file.writeString(section, "SettingValue", num);
        break;
    }
    if (n % 3 == 0)
        file.writeString(section, "Checked", "true");
    else if (n % 3 == 2)
        file.writeString(section, "Checked", "false");
}

bool flagOf(int n) {
    return n % 3 == 0;
}

Loader loaderOf(EntryKind kind) {
    switch (kind) {
    case EntryKind::Alias:
        return ProfileFile::loadAliasList;
    case EntryKind::Binding:
        return ProfileFile::loadBindingList;
    case EntryKind::Setting:
        break;
    }
    return ProfileFile::loadSettingList;
}

const char* kindName(EntryKind kind) {
    return kind == EntryKind::Alias ? "alias" : kind == EntryKind::Binding ? "binding" : "setting";
}

} // namespace

class TestProfileFile : public QObject {
    Q_OBJECT

    QString profileWith(TestEnvironment& env, const QByteArray& content,
                        const QString& name = QStringLiteral("ctf.vexa")) {
        return env.writeFile("program/" + name, content);
    }

private slots:
    void onlyLowerCaseTrueChecks_data() {
        QTest::addColumn<QByteArray>("flagLine");
        QTest::addColumn<bool>("checked");
        QTest::newRow("true") << QByteArray("Checked=true") << true;
        QTest::newRow("key lower case") << QByteArray("checked=true") << true;
        QTest::newRow("key upper case") << QByteArray("CHECKED=true") << true;
        QTest::newRow("True") << QByteArray("Checked=True") << false;
        QTest::newRow("TRUE") << QByteArray("Checked=TRUE") << false;
        QTest::newRow("1") << QByteArray("Checked=1") << false;
        QTest::newRow("false") << QByteArray("Checked=false") << false;
        QTest::newRow("empty") << QByteArray("Checked=") << false;
        QTest::newRow("no key") << QByteArray() << false;
    }
    void onlyLowerCaseTrueChecks() {
        QFETCH(QByteArray, flagLine);
        QFETCH(bool, checked);
        TestEnvironment env;
        const QString profile =
            profileWith(env, "[NumberOfSections]\nAliases=1\nBindings=1\nSettings=1\n"
                             "[Alias1]\nDescriptiveName=jump\n" +
                                 flagLine + "\n[Bind1]\nBindKey=j\nBindValue=+jump\n" + flagLine +
                                 "\n[Setting1]\nSetting=fov\nSettingValue=90\n" + flagLine + "\n");
        QCOMPARE(ProfileFile::loadAliasList(profile), (Items{{"jump", checked}}));
        QCOMPARE(ProfileFile::loadBindingList(profile), (Items{{"j = +jump", checked}}));
        QCOMPARE(ProfileFile::loadSettingList(profile), (Items{{"fov = 90", checked}}));
        const ProfileEntries entries = ProfileFile::readProfileEntries(profile);
        QCOMPARE(entries.aliases.value(0).checked, checked);
        QCOMPARE(entries.bindings.value(0).checked, checked);
        QCOMPARE(entries.settings.value(0).checked, checked);
    }

    // Names in any letter case are the same key; missing sections and keys give the defaults.
    void readsKeysInAnyCaseAndDefaults() {
        TestEnvironment env;
        const QString profile =
            profileWith(env, ini({"[numberofsections]", "aliases=3", "BINDINGS=2", "settings=2",
                                  "[ALIAS1]", "descriptivename=Rocket jump", "aliaslines=2",
                                  "ALINE1=+moveup", "aLiNe2=+attack", "CHECKED=true", "[alias2]",
                                  "AliasName=x", "[bind1]", "bindkey=MOUSE2", "bindvalue=+attack",
                                  "[setting1]", "SETTING=name", "settingvalue=Player"}));
        QCOMPARE(ProfileFile::loadAliasList(profile),
                 (Items{{"Rocket jump", true}, {"didn't load", false}, {"didn't load", false}}));
        QCOMPARE(ProfileFile::loadBindingList(profile),
                 (Items{{"MOUSE2 = +attack", false}, {"didn't load = didn't load", false}}));
        QCOMPARE(ProfileFile::loadSettingList(profile),
                 (Items{{"name = Player", false}, {"didn't load = didn't load", false}}));

        const ProfileEntries entries = ProfileFile::readProfileEntries(profile);
        QCOMPARE(entries.aliases,
                 (QVector<ProfileAlias>{{"Rocket jump", {"+moveup", "+attack"}, true},
                                        {"Unknown Alias", {}, false},
                                        {"Unknown Alias", {}, false}}));
        QCOMPARE(entries.bindings,
                 (QVector<ProfileBinding>{{"MOUSE2", "+attack", false}, {"", "", false}}));
        QCOMPARE(entries.settings,
                 (QVector<ProfileSetting>{{"name", "Player", false}, {"", "", false}}));
    }

    // Another program rewrites the profile (in place, within the same second) between two
    // operations: the next read and the next write both start from what it left.
    void seesChangesByAnotherProgram() {
        TestEnvironment env;
        const QString profile = profileWith(
            env, ini({"[NumberOfSections]", "aliases=1", "[Alias1]", "DescriptiveName=one"}));
        QCOMPARE(ProfileFile::loadAliasList(profile), (Items{{"one", false}}));
        QProcess other;
        other.start(QStringLiteral("/bin/sh"),
                    {QStringLiteral("-c"), QStringLiteral("cat > \"$0\""), profile});
        other.write(ini({"[NumberOfSections]", "aliases=2", "[Alias1]", "DescriptiveName=uno",
                         "[Alias2]", "DescriptiveName=two"}));
        other.closeWriteChannel();
        QVERIFY(other.waitForFinished(10000) && other.exitCode() == 0);
        QCOMPARE(ProfileFile::loadAliasList(profile), (Items{{"uno", false}, {"two", false}}));
        ProfileFile::setEntryChecked(profile, EntryKind::Alias, 2, true);
        QCOMPARE(ProfileFile::loadAliasList(profile), (Items{{"uno", false}, {"two", true}}));
        QCOMPARE(env.readFile(profile),
                 ini({"[NumberOfSections]", "aliases=2", "[Alias1]", "DescriptiveName=uno",
                      "[Alias2]", "DescriptiveName=two"}) +
                     "checked=true\r\n");
    }

    void countDecidesWhatExists() {
        TestEnvironment env;
        QByteArray text = "[NumberOfSections]\nBindings=2\n";
        for (int n = 1; n <= 4; ++n)
            text += QStringLiteral("[Bind%1]\nBindKey=F%1\nBindValue=cmd%1\n").arg(n).toLatin1();
        const QString profile = profileWith(env, text);
        QCOMPARE(ProfileFile::loadBindingList(profile),
                 (Items{{"F1 = cmd1", false}, {"F2 = cmd2", false}}));
        QCOMPARE(ProfileFile::readProfileEntries(profile).bindings.size(), 2);
    }

    // A hand-edited count far beyond the file costs no more than the file: it reads as the
    // sections held (each entry is one), an alias's line count as the keys of its section.
    void countsBeyondTheSectionsHeld() {
        TestEnvironment env;
        const QString profile =
            profileWith(env, ini({"[NumberOfSections]", "Aliases=200000000", "Bindings=200000000",
                                  "Settings=2147483647", "[Alias1]", "DescriptiveName=a",
                                  "AliasLines=200000000", "Aline1=echo", "[Bind1]", "BindKey=F1",
                                  "BindValue=+attack"}));
        const QString none = QStringLiteral("didn't load");
        QCOMPARE(ProfileFile::loadAliasList(profile),
                 (Items{{"a", false}, {none, false}, {none, false}}));
        QCOMPARE(ProfileFile::loadBindingList(profile).size(), 3);
        QCOMPARE(ProfileFile::loadSettingList(profile).size(), 3);
        const ProfileEntries entries = ProfileFile::readProfileEntries(profile);
        QCOMPARE(entries.aliases.value(0).lines, (QStringList{"echo", "", ""}));
        QCOMPARE(entries.bindings.size(), 3);

        ProfileFile::deleteEntry(profile, EntryKind::Binding, 1);
        QCOMPARE(IniFile(profile).readString("NumberOfSections", "Bindings", {}), "2");
        QCOMPARE(ProfileFile::loadBindingList(profile).size(), 2);
    }

    void missingProfileOrCountSectionListsNothing() {
        TestEnvironment env;
        const QString missing = env.programDir() + "/none.vexa";
        const QString noCounts = profileWith(env, ini({"[Alias1]", "DescriptiveName=a"}));
        for (const QString& profile : {missing, noCounts}) {
            QVERIFY(ProfileFile::loadAliasList(profile).isEmpty());
            QVERIFY(ProfileFile::loadBindingList(profile).isEmpty());
            QVERIFY(ProfileFile::loadSettingList(profile).isEmpty());
            QVERIFY(
                ProfileFile::readProfileEntries(profile, CountReading::Strict).aliases.isEmpty());
        }
        QVERIFY(!QFileInfo::exists(missing));
    }

    void countForms_data() {
        QTest::addColumn<QString>("count");
        QTest::addColumn<int>("strict"); // -100: throws
        QTest::addColumn<int>("lenient");
        QTest::newRow("plain") << "3" << 3 << 3;
        QTest::newRow("leading zeros stay decimal") << "010" << 10 << 10;
        QTest::newRow("hexadecimal") << "0x2" << 2 << 2;
        QTest::newRow("plus sign") << "+2" << 2 << 2;
        QTest::newRow("negative") << "-2" << -2 << -2;
        QTest::newRow("word") << "abc" << -100 << 0;
        QTest::newRow("empty") << "" << -100 << 0;
        QTest::newRow("trailing text") << "2x" << -100 << 0;
        QTest::newRow("decimal point") << "1.5" << -100 << 0;
        QTest::newRow("bare prefix") << "0x" << -100 << 0;
        QTest::newRow("sign only") << "-" << -100 << 0;
        QTest::newRow("beyond int") << "2147483648" << -100 << 0;
        QTest::newRow("int minimum") << "-2147483648" << int(-2147483648LL) << int(-2147483648LL);
    }
    void countForms() {
        QFETCH(QString, count);
        QFETCH(int, strict);
        QFETCH(int, lenient);
        TestEnvironment env;
        // Sections enough for every count (a count names no more entries than there are).
        QByteArray sections;
        for (int n = 1; n <= 10; ++n)
            sections += "[Other" + QByteArray::number(n) + "]\n";
        const QString profile =
            profileWith(env, "[NumberOfSections]\nAliases=" + count.toLatin1() +
                                 "\nBindings=" + count.toLatin1() +
                                 "\nSettings=" + count.toLatin1() + "\n" + sections);
        for (const EntryKind kind : {EntryKind::Alias, EntryKind::Binding, EntryKind::Setting}) {
            QCOMPARE(ProfileFile::readCount(profile, kind, CountReading::Lenient), lenient);
            const Loader load = loaderOf(kind);
            if (strict != -100) {
                QCOMPARE(ProfileFile::readCount(profile, kind, CountReading::Strict), strict);
                QCOMPARE(load(profile).size(), std::max(strict, 0));
                continue;
            }
            try {
                load(profile);
                QFAIL(qPrintable(QStringLiteral("no error for the %1 list").arg(kindName(kind))));
            } catch (const VexaError& error) {
                QCOMPARE(error.message(),
                         QStringLiteral("'%1' is not a valid integer value").arg(count));
            }
        }
        if (strict == -100) {
            QVERIFY(ProfileFile::readProfileEntries(profile).settings.isEmpty());
            QVERIFY_THROWS_EXCEPTION(
                VexaError, ProfileFile::readProfileEntries(profile, CountReading::Strict));
        }
    }

    void aliasNamesReplacedInBindingList_data() {
        QTest::addColumn<QByteArray>("aliases"); // "name>descriptive" pairs, ';' between
        QTest::addColumn<int>("aliasCount");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("shown");
        QTest::newRow("exact match") << QByteArray("+rj>Rocket jump") << 1 << "+rj"
                                     << "Rocket jump";
        QTest::newRow("no match") << QByteArray("+rj>Rocket jump") << 1 << "+attack"
                                  << "+attack";
        QTest::newRow("letter case counts") << QByteArray("+rj>Rocket jump") << 1 << "+RJ"
                                            << "+RJ";
        QTest::newRow("no partial match") << QByteArray("+rj>Rocket jump") << 1 << "+rj2"
                                          << "+rj2";
        QTest::newRow("chained") << QByteArray("a>b;b>c") << 2 << "a"
                                 << "c";
        QTest::newRow("ascending only") << QByteArray("b>c;a>b") << 2 << "a"
                                        << "b";
        QTest::newRow("later alias of the same name loses")
            << QByteArray("x>first;x>second") << 2 << "x"
            << "first";
        QTest::newRow("alias above the count ignored") << QByteArray("p>q;x>y") << 1 << "x"
                                                       << "x";
    }
    void aliasNamesReplacedInBindingList() {
        QFETCH(QByteArray, aliases);
        QFETCH(int, aliasCount);
        QFETCH(QString, command);
        QFETCH(QString, shown);
        TestEnvironment env;
        QByteArray text =
            "[NumberOfSections]\nBindings=1\nAliases=" + QByteArray::number(aliasCount) +
            "\n[Bind1]\nBindKey=SPACE\nBindValue=" + command.toLatin1() + "\n";
        int n = 0;
        for (const QByteArray& pair : aliases.split(';')) {
            const QList<QByteArray> parts = pair.split('>');
            text += "[Alias" + QByteArray::number(++n) + "]\nAliasName=" + parts[0] +
                    "\nDescriptiveName=" + parts[1] + "\n";
        }
        const QString profile = profileWith(env, text);
        QCOMPARE(ProfileFile::loadBindingList(profile), (Items{{"SPACE = " + shown, false}}));
        // The config writer takes the command as stored.
        QCOMPARE(ProfileFile::readProfileEntries(profile).bindings.value(0).command, command);
    }

    void aliasesOfAnotherProfileNotReplaced() {
        TestEnvironment env;
        profileWith(env,
                    ini({"[NumberOfSections]", "Aliases=1", "[Alias1]", "AliasName=+rj",
                         "DescriptiveName=Rocket jump"}),
                    "Global Aliases.vexa");
        const QString game = profileWith(env, ini({"[NumberOfSections]", "Bindings=1", "[Bind1]",
                                                   "BindKey=J", "BindValue=+rj"}));
        QCOMPARE(ProfileFile::loadBindingList(game), (Items{{"J = +rj", false}}));
    }

    void deleteKeepsEachEntry_data() {
        QTest::addColumn<EntryKind>("kind");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("deleted");
        QTest::newRow("binding 2 of 4") << EntryKind::Binding << 4 << 2;
        QTest::newRow("binding 1 of 5") << EntryKind::Binding << 5 << 1;
        QTest::newRow("alias 1 of 3") << EntryKind::Alias << 3 << 1;
        QTest::newRow("setting 1 of 2") << EntryKind::Setting << 2 << 1;
        QTest::newRow("setting 2 of 5") << EntryKind::Setting << 5 << 2;
        QTest::newRow("alias 2 of 4") << EntryKind::Alias << 4 << 2;
        QTest::newRow("last binding") << EntryKind::Binding << 3 << 3;
        QTest::newRow("last alias") << EntryKind::Alias << 3 << 3;
        QTest::newRow("only setting") << EntryKind::Setting << 1 << 1;
    }
    void deleteKeepsEachEntry() {
        QFETCH(EntryKind, kind);
        QFETCH(int, count);
        QFETCH(int, deleted);
        TestEnvironment env;
        const QString profile = env.programDir() + "/ctf.vexa";
        IniFile file(profile);
        file.writeInteger("NumberOfSections", ProfileFile::countKey(kind), count);
        for (int n = 1; n <= count; ++n)
            writeEntry(file, kind, n);
        // Another kind's entry with the same number must not move.
        const EntryKind other = kind == EntryKind::Setting ? EntryKind::Alias : EntryKind::Setting;
        file.writeInteger("NumberOfSections", ProfileFile::countKey(other), 1);
        writeEntry(file, other, 1);

        ProfileFile::deleteEntry(profile, kind, deleted);

        Items expected;
        for (int n = 1; n <= count; ++n) {
            if (n != deleted)
                expected.push_back({itemText(kind, n), flagOf(n)});
        }
        QCOMPARE(loaderOf(kind)(profile), expected);
        QCOMPARE(loaderOf(other)(profile), (Items{{itemText(other, 1), flagOf(1)}}));
        QCOMPARE(file.readString("NumberOfSections", ProfileFile::countKey(kind), {}),
                 QString::number(count - 1));
        QVERIFY2(!file.sectionExists(ProfileFile::sectionName(kind, count)),
                 "a section is left above the count");
        if (kind != EntryKind::Alias)
            return;
        // Each moved alias keeps its name, description and lines.
        const ProfileEntries entries = ProfileFile::readProfileEntries(profile);
        for (int n = 1; n < count; ++n) {
            const int old = n < deleted ? n : n + 1;
            const QString section = ProfileFile::sectionName(kind, n);
            QCOMPARE(file.readString(section, "AliasName", {}), "+name" + QString::number(old));
            QCOMPARE(file.readString(section, "description", {}),
                     QStringLiteral("about %1").arg(old));
            QCOMPARE(entries.aliases[n - 1].lines.size(), old);
            QCOMPARE(entries.aliases[n - 1].lines.last(), QStringLiteral("echo %1.%1").arg(old));
        }
    }

    // A setting added after a delete takes the freed number and must not inherit a stale flag.
    void settingAddedAfterDeleteLoadsUnchecked() {
        TestEnvironment env;
        const QString profile =
            profileWith(env, ini({"[NumberOfSections]", "Settings=2", "[Setting1]", "Setting=a",
                                  "SettingValue=1", "[Setting2]", "Setting=b", "SettingValue=2",
                                  "Checked=true"}));
        ProfileFile::deleteEntry(profile, EntryKind::Setting, 1);
        IniFile file(profile);
        file.writeString("Setting2", "Setting", "c");
        file.writeString("Setting2", "SettingValue", "3");
        file.writeInteger("NumberOfSections", "Settings", 2);
        QCOMPARE(ProfileFile::loadSettingList(profile), (Items{{"b = 2", true}, {"c = 3", false}}));
    }

    void deleteOutsideTheEntries_data() {
        QTest::addColumn<QByteArray>("counts");
        QTest::addColumn<int>("deleted");
        QTest::addColumn<QString>("countAfter");
        QTest::addColumn<int>("aliasesLeft");
        QTest::newRow("no count section") << QByteArray() << 1 << "0" << 0;
        QTest::newRow("count not a number") << QByteArray("Aliases=abc") << 1 << "0" << 0;
        QTest::newRow("count 0") << QByteArray("Aliases=0") << 1 << "0" << 0;
        QTest::newRow("negative count") << QByteArray("Aliases=-2") << 1 << "0" << 0;
        QTest::newRow("above the count") << QByteArray("Aliases=1") << 2 << "1" << 1;
        QTest::newRow("number 0") << QByteArray("Aliases=2") << 0 << "2" << 2;
    }
    void deleteOutsideTheEntries() {
        QFETCH(QByteArray, counts);
        QFETCH(int, deleted);
        QFETCH(QString, countAfter);
        QFETCH(int, aliasesLeft);
        TestEnvironment env;
        const QString profile = profileWith(
            env, "[NumberOfSections]\n" + counts +
                     "\n[Alias1]\nDescriptiveName=one\n[Alias2]\nDescriptiveName=two\n");
        ProfileFile::deleteEntry(profile, EntryKind::Alias, deleted);
        const IniFile file(profile);
        QCOMPARE(file.readString("NumberOfSections", "Aliases", {}), countAfter);
        QCOMPARE(ProfileFile::loadAliasList(profile).size(), aliasesLeft);
        QCOMPARE(ProfileFile::loadAliasList(profile).value(0).text,
                 QString(aliasesLeft ? "one" : ""));
    }

    void deleteMovesMissingKeysAsNotLoadedAndLongValuesWhole() {
        TestEnvironment env;
        const QString longLine = QString(5000, 'x') + "end";
        const QString profile = profileWith(
            env, "[NumberOfSections]\nAliases=3\n[Alias2]\nDescriptiveName=two\nAliasLines=2\n"
                 "Aline1=" +
                     longLine.toLatin1() + "\n[Alias3]\nAliasName=three\n");
        ProfileFile::deleteEntry(profile, EntryKind::Alias, 1);
        const ProfileEntries entries = ProfileFile::readProfileEntries(profile);
        QCOMPARE(entries.aliases.size(), 2);
        QCOMPARE(entries.aliases[0].lines, (QStringList{longLine, "didn't load"}));
        QCOMPARE(entries.aliases[1].descriptiveName, QStringLiteral("didn't load"));
        QCOMPARE(IniFile(profile).readString("Alias2", "AliasLines", {}), QStringLiteral("0"));
    }

    void setEntryCheckedWritesOnlyTheFlag_data() {
        QTest::addColumn<EntryKind>("kind");
        QTest::addColumn<QString>("section");
        QTest::newRow("alias") << EntryKind::Alias << "Alias3";
        QTest::newRow("binding") << EntryKind::Binding << "Bind3";
        QTest::newRow("setting") << EntryKind::Setting << "Setting3";
    }
    void setEntryCheckedWritesOnlyTheFlag() {
        QFETCH(EntryKind, kind);
        QFETCH(QString, section);
        TestEnvironment env;
        const QString profile = profileWith(env, ini({"[Alias3]", "Checked=True"}));
        ProfileFile::setEntryChecked(profile, kind, 3, true);
        IniFile file(profile);
        QCOMPARE(file.readString(section, "Checked", {}), QStringLiteral("true"));
        QVERIFY(!file.sectionExists("NumberOfSections"));
        ProfileFile::setEntryChecked(profile, kind, 3, false);
        QCOMPARE(file.readString(section, "CHECKED", {}), QStringLiteral("false"));
        QCOMPARE(file.sectionNames().size(), kind == EntryKind::Alias ? 1 : 2);
    }

    // A file written by these operations is plain INI with CR LF line ends.
    void writtenProfileIsPlainIniWithCrLf() {
        TestEnvironment env;
        const QString profile = env.programDir() + "/ctf.vexa";
        ProfileFile::createGameProfile(profile);
        QCOMPARE(env.readFile(profile),
                 QByteArray("[NumberOfSections]\r\naliases=0\r\nbindings=0\r\nsettings=0\r\n"));
        ProfileFile::setEntryChecked(profile, EntryKind::Binding, 1, true);
        IniFile(profile).writeInteger("NumberOfSections", "Bindings", 1);
        ProfileFile::setEntryChecked(profile, EntryKind::Binding, 2, true);
        ProfileFile::deleteEntry(profile, EntryKind::Binding, 1);
        const QByteArray bytes = env.readFile(profile);
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
        QVERIFY(bytes.endsWith("\r\n"));
        const QList<QByteArray> lines = bytes.trimmed().split('\n');
        for (const QByteArray& line : lines) {
            const QByteArray text = line.trimmed();
            QVERIFY2(text.isEmpty() || (text.startsWith('[') && text.endsWith(']')) ||
                         text.contains('='),
                     text);
        }
        QCOMPARE(ProfileFile::readCount(profile, EntryKind::Binding, CountReading::Strict), 0);
        QCOMPARE(ProfileFile::readCount(profile, EntryKind::Alias, CountReading::Strict), 0);
    }

    void refusedWriteIsReported() {
        TestEnvironment env;
        const QByteArray content = "[NumberOfSections]\r\nSettings=1\r\n";
        const QString profile = profileWith(env, content);
        QFile(profile).setPermissions(QFileDevice::ReadOwner);
        for (const auto& write : std::initializer_list<std::function<void()>>{
                 [&] { ProfileFile::setEntryChecked(profile, EntryKind::Setting, 1, true); },
                 [&] { ProfileFile::deleteEntry(profile, EntryKind::Setting, 1); },
                 [&] { ProfileFile::createGameProfile(profile); }}) {
            try {
                write();
                QFAIL("a write to a read-only profile succeeded");
            } catch (const VexaError& error) {
                QCOMPARE(error.message(), ErrorText::unableToWrite(profile));
            }
        }
        QCOMPARE(env.readFile(profile), content);
    }

    void backupAndRestore_data() {
        QTest::addColumn<bool>("backup");
        QTest::addColumn<QString>("targetKind"); // what already stands at the target name
        for (const bool backup : {true, false}) {
            for (const char* target : {"none", "file", "directory", "dangling link"})
                QTest::addRow("%s, target %s", backup ? "backup" : "restore", target)
                    << backup << QString(target);
        }
    }
    void backupAndRestore() {
        QFETCH(bool, backup);
        QFETCH(QString, targetKind);
        TestEnvironment env;
        const QString profile = env.programDir() + "/My Game.vexa";
        const QString backupFile = env.programDir() + "/My Game.q2bk";
        QCOMPARE(ProfileFile::backupPath(profile), backupFile);
        const QString source = backup ? profile : backupFile;
        const QString target = backup ? backupFile : profile;
        const QByteArray content = "[NumberOfSections]\r\nAliases=0\r\n";
        env.writeFile(QDir(env.root()).relativeFilePath(source), content);
        const QString pointee = env.root() + "/pointee";
        if (targetKind == "file")
            env.writeFile(QDir(env.root()).relativeFilePath(target), "other");
        else if (targetKind == "directory")
            QVERIFY(QDir().mkpath(target));
        else if (targetKind == "dangling link")
            QVERIFY(QFile::link(pointee, target));

        const bool renamed = backup ? ProfileFile::backupGameProfile(profile)
                                    : ProfileFile::restoreGameProfile(profile);

        QCOMPARE(renamed, targetKind == "none");
        QCOMPARE(env.readFile(renamed ? target : source), content);
        QCOMPARE(QFileInfo::exists(source), !renamed);
        if (targetKind == "file")
            QCOMPARE(env.readFile(target), QByteArray("other"));
        QVERIFY(!QFileInfo::exists(pointee));
    }

    // Every binding's command is looked up once among the aliases, not compared with each: a
    // list of 80,000 took minutes. Linear work ends well within the limit.
    void bigBindingListLoadsInLinearTime() {
        TestEnvironment env;
        const int n = 80000;
        QByteArray text = "[NumberOfSections]\r\nAliases=" + QByteArray::number(n) +
                          "\r\nBindings=" + QByteArray::number(n) + "\r\n";
        for (int i = 1; i <= n; ++i)
            text += QStringLiteral("[Alias%1]\r\nDescriptiveName=a%1\r\nAliasName=n%1\r\n"
                                   "[Bind%1]\r\nBindKey=k%1\r\nBindValue=n%1\r\n")
                        .arg(i)
                        .toLatin1();
        const QString path = env.writeFile(QStringLiteral("Global Aliases.vexa"), text);
        QElapsedTimer timer;
        timer.start();
        const Items items = ProfileFile::loadBindingList(path);
        QVERIFY(timer.elapsed() < 30000);
        QCOMPARE(items.size(), n);
        QCOMPARE(items.last().text, QStringLiteral("k%1 = a%1").arg(n));
    }

    void renameOfMissingProfileFails() {
        TestEnvironment env;
        const QString profile = ProfileFile::profilePath(env.programDir(), "gone");
        QCOMPARE(profile, env.programDir() + "/gone.vexa");
        QVERIFY(!ProfileFile::backupGameProfile(profile));
        QVERIFY(!ProfileFile::restoreGameProfile(profile));
        QVERIFY(QDir(env.programDir()).isEmpty());
    }
};

VEXA_TEST(TestProfileFile)
#include "tst_profilefile.moc"
