// Every test config read for every engine by the loader, the checker and the test console. A
// line the checker finds the game refusing is one the loader keeps as it is; a line the loader
// takes whole holds nothing the game refuses; every value the loader reads is the game's.

#include "config/CfgScript.h"
#include "config/ConfigCheck.h"
#include "support/GameConsole.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

bool isRefusal(ConfigFinding::Kind kind) {
    return kind == ConfigFinding::CommandCase || kind == ConfigFinding::NotACommand ||
           kind == ConfigFinding::SetRefused || kind == ConfigFinding::UnmatchedQuote;
}

// The cvars of the engine the file names, each in a slot of its own (with Yamagi's renames).
QStringList cvarsNamed(const QStringList& lines, Engine engine, CfgVariables& variables) {
    static const QRegularExpression name(QStringLiteral("[A-Za-z_][A-Za-z0-9_]*"));
    QStringList names;
    for (const QString& line : lines) {
        for (const QRegularExpressionMatch& match : name.globalMatch(line)) {
            const QString word = match.captured();
            const bool known =
                engineRegistersCvar(engine, word) || !engineCvarRename(engine, word).isEmpty();
            if (known && variables.slotOf(word) < 0) {
                addVariable(variables, word, int(names.size()), engine);
                names << word;
            }
        }
    }
    return names;
}

QString gameName(const QString& name, Engine engine) {
    const QString renamed = engineCvarRename(engine, name);
    return renamed.isEmpty() ? name : renamed;
}

} // namespace

class TestScriptAgreement : public QObject {
    Q_OBJECT
private slots:
    void agree_data();
    void agree();
};

void TestScriptAgreement::agree_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("engine");
    const QStringList files =
        QDir(QStringLiteral(VEXA_TEST_DATA "/configs")).entryList({QStringLiteral("*.cfg")});
    QVERIFY(files.size() >= 5);
    for (const QString& file : files) {
        for (Engine engine : AllEngines)
            QTest::addRow("%s, %s", qPrintable(file), engineFacts(engine).iniName)
                << file << int(engine);
    }
}

void TestScriptAgreement::agree() {
    QFETCH(QString, file);
    QFETCH(int, engine);
    const Engine e = Engine(engine);
    const QStringList lines = readScriptLines(QStringLiteral(VEXA_TEST_DATA "/configs/") + file);
    CfgVariables variables;
    const QStringList names = cvarsNamed(lines, e, variables);
    const CfgScript script(lines, variables, e);
    const CfgLineRange own = ownClosingLines(lines);

    QSet<int> refused;
    for (const ConfigFinding& finding : checkConfig(lines, e)) {
        if (!isRefusal(finding.kind))
            continue;
        refused.insert(finding.line);
        QVERIFY2(script.isKept(finding.line - 1), qPrintable(finding.text));
    }
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!script.isKept(i) && !own.contains(i))
            QVERIFY2(!refused.contains(int(i) + 1), qPrintable(lines[i]));
    }
    const GameState game = playConfig(lines, e);
    for (int slot = 0; slot < names.size(); ++slot) {
        if (const std::optional<QString> value = script.value(slot))
            QCOMPARE(game.cvars.value(gameName(names[slot], e)), *value);
    }
}

VEXA_TEST(TestScriptAgreement)
#include "tst_scriptagreement.moc"
