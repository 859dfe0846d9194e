#include "ConfigCheck.h"

#include "ConfigScript.h"
#include "platform/FoldedText.h"
#include "settings/CvarRanges.h"
#include "settings/EngineSettings.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <bitset>
#include <cmath>
#include <optional>

namespace {

// ---- Names near a misspelt one ----

// How far a name may be from the one meant: short names match too much to guess at.
int allowedDistance(qsizetype length) {
    return length <= 2 ? 0 : length <= 5 ? 1 : 2;
}

char16_t folded(QChar c, bool foldCase) {
    const char16_t u = c.unicode();
    return foldCase && u >= u'a' && u <= u'z' ? char16_t(u - 32) : u;
}

constexpr qsizetype LongestGuessed = 63; // longer names get no guess

// Edits (insert, delete, replace, swap two neighbours) from a to b, or limit + 1 when more.
int editDistance(QStringView a, QStringView b, int limit, bool foldCase) {
    const qsizetype n = b.size();
    if (std::abs(a.size() - n) > limit || a.size() > LongestGuessed || n > LongestGuessed)
        return limit + 1;
    std::array<int, LongestGuessed + 1> rows[3];
    int* before = rows[0].data();
    int* previous = rows[1].data();
    int* current = rows[2].data();
    for (qsizetype j = 0; j <= n; ++j)
        previous[j] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        current[0] = int(i);
        int rowMinimum = current[0];
        for (qsizetype j = 1; j <= n; ++j) {
            const bool same = folded(a[i - 1], foldCase) == folded(b[j - 1], foldCase);
            int d = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + !same});
            if (i > 1 && j > 1 && folded(a[i - 1], foldCase) == folded(b[j - 2], foldCase) &&
                folded(a[i - 2], foldCase) == folded(b[j - 1], foldCase))
                d = std::min(d, before[j - 2] + 1);
            current[j] = d;
            rowMinimum = std::min(rowMinimum, d);
        }
        if (rowMinimum > limit)
            return limit + 1;
        std::swap(before, previous);
        std::swap(previous, current);
    }
    return previous[n];
}

// The characters a name holds, beyond ASCII as one.
using CharacterSet = std::bitset<128>;

CharacterSet charactersOf(QStringView name, bool foldCase) {
    CharacterSet set;
    for (QChar c : name)
        set.set(std::min<char16_t>(folded(c, foldCase), 127));
    return set;
}

// Names to guess from. Every character of a name that the other lacks takes an edit, which
// passes over most names without working out their distance.
class NearNames {
public:
    NearNames(const QStringList& names, bool foldCase) : foldCase_(foldCase) {
        for (const QString& name : names)
            names_.push_back({name, charactersOf(name, foldCase)});
    }

    // The nearest name within the allowed distance (the first of equally near ones), or empty.
    QString nearest(QStringView name) const {
        int best = allowedDistance(name.size()) + 1;
        QString nearest;
        for (const auto& [candidate, characters] : names_) {
            if (std::abs(candidate.size() - name.size()) >= best ||
                missing(name, characters) >= best)
                continue;
            const int d = editDistance(name, candidate, best - 1, foldCase_);
            if (d < best && d > 0) {
                best = d;
                nearest = candidate;
            }
        }
        return nearest;
    }

private:
    int missing(QStringView name, const CharacterSet& characters) const {
        int count = 0;
        for (QChar c : name)
            count += !characters.test(std::min<char16_t>(folded(c, foldCase_), 127));
        return count;
    }

    bool foldCase_;
    std::vector<std::pair<QString, CharacterSet>> names_;
};

const NearNames& nearCvars(Engine engine) {
    static std::array<std::optional<NearNames>, std::size(AllEngines)> names;
    auto& near = names[size_t(engine)];
    if (!near)
        near.emplace(engineCvarNames(engine), false);
    return *near;
}

const NearNames& nearKeys(Engine engine) {
    static std::array<std::optional<NearNames>, std::size(AllEngines)> names;
    auto& near = names[size_t(engine)];
    if (!near)
        near.emplace(engineKeyNames(engine), true);
    return *near;
}

// Each registered cvar filed under its name with the letter case folded.
const FoldedHashMap<QString>& cvarsByFoldedName(Engine engine) {
    static std::array<std::optional<FoldedHashMap<QString>>, std::size(AllEngines)> maps;
    auto& map = maps[size_t(engine)];
    if (!map) {
        map.emplace();
        for (const QString& name : engineCvarNames(engine))
            map->try_emplace(name, name);
    }
    return *map;
}

QString quoted(QStringView text) {
    return QLatin1Char('\'') + text.toString() + QLatin1Char('\'');
}

// ---- The check of one script ----

class Checker {
public:
    explicit Checker(Engine engine)
        : engine_(engine), facts_(engineFacts(engine)),
          engineName_(QString::fromLatin1(facts_.displayName)), aliases_(aliasMap<bool>(engine)) {}

    void command(const ScriptCommand& command);
    QList<ConfigFinding> takeFindings() { return std::move(findings_); }

private:
    struct Binding {
        int line;
        QString command;
    };
    struct NameCheck {
        QString resolved; // the cvar the engine sets, or empty when it is none it reads
        std::optional<ConfigFinding> finding;
    };

    void add(int line, ConfigFinding::Kind kind, const QString& text) {
        findings_.append({line, kind, text});
    }
    bool runsCommand(const ScriptCommand& command, const ScriptCommandWord& word);
    void run(const ScriptCommand& command, ScriptVerb verb);
    void set(const ScriptCommand& command, ScriptVerb verb);
    void bind(const ScriptCommand& command);
    void unbind(const ScriptCommand& command);
    void cvarValue(int line, QStringView name, QStringView value, bool bySet);
    void engineTableValue(int line, const QString& cvar, QStringView value);
    QString flagList() const;
    static int lineOf(const ScriptCommand& command) { return int(command.line) + 1; }
    // `count` words from `first`: more than one are the rest of the command, joined.
    static QString valueOf(const CfgWords& words, qsizetype first, qsizetype count) {
        return count == 1 ? words[first].toString() : joinedWords(words, first);
    }
    QString cvarName(int line, QStringView name);
    NameCheck checkName(QStringView name) const;
    std::optional<QString> key(int line, QStringView name, bool binding);

    Engine engine_;
    const EngineFacts& facts_;
    QString engineName_;
    QList<ConfigFinding> findings_;
    AliasMap<bool> aliases_;
    QHash<QString, Binding> bindings_;
    mutable QHash<QString, NameCheck> names_;
};

void Checker::command(const ScriptCommand& command) {
    const int line = lineOf(command);
    if (command.unmatchedQuote) {
        add(line, ConfigFinding::UnmatchedQuote,
            command.startsLine
                ? QStringLiteral("unmatched quote: the game discards this line")
                : QStringLiteral("unmatched quote: the game discards the rest of this line"));
        return;
    }
    // A "$name" becomes the cvar's value only when the game runs the line.
    if (command.words.isEmpty() || command.expandsCvars)
        return;
    const QStringView word = command.words[0];
    if (const ScriptCommandWord* known = scriptCommandWord(word)) {
        if (runsCommand(command, *known))
            run(command, known->verb);
        return;
    }
    if (aliases_.count(word) > 0)
        return;
    // A cvar's name as a command sets it to the rest of the line (Q2PRO) or the next word.
    if (const qsizetype count = cvarValueWords(command.words, engine_))
        cvarValue(line, word, valueOf(command.words, 1, count), false);
}

// Whether the engine runs the command as written.
bool Checker::runsCommand(const ScriptCommand& command, const ScriptCommandWord& word) {
    const QStringView written = command.words[0];
    if (!hasCommand(word, engine_)) {
        add(lineOf(command), ConfigFinding::NotACommand,
            quoted(written) + QStringLiteral(" is not a command of ") + engineName_ +
                QStringLiteral(": the line does nothing"));
        return false;
    }
    if (!scriptVerb(written, engine_)) {
        add(lineOf(command), ConfigFinding::CommandCase,
            engineName_ + QStringLiteral(" knows only ") + quoted(QString::fromLatin1(word.name)) +
                QStringLiteral(" in lower case: ") + quoted(written) +
                QStringLiteral(" is an unknown command and the line does nothing"));
        return false;
    }
    return true;
}

void Checker::run(const ScriptCommand& command, ScriptVerb verb) {
    const qsizetype count = command.words.size();
    switch (verb) {
    case ScriptVerb::Set:
    case ScriptVerb::SetFlagged:
        set(command, verb);
        break;
    case ScriptVerb::Bind:
        bind(command);
        break;
    case ScriptVerb::Unbind:
        unbind(command);
        break;
    case ScriptVerb::Unbindall:
        bindings_.clear();
        break;
    case ScriptVerb::Alias:
        if (count >= 2)
            aliases_.try_emplace(command.words[1], true);
        break;
    case ScriptVerb::NamesCvar:
        if (count >= 2)
            cvarName(lineOf(command), command.words[1]);
        break;
    case ScriptVerb::Wait:
    case ScriptVerb::Other:
        break;
    }
}

// "set NAME VALUE [FLAG]": id and Yamagi refuse any other count of words and any other flag;
// Q2PRO joins the words after the name into the value (for seta, setu and sets always).
void Checker::set(const ScriptCommand& command, ScriptVerb verb) {
    const int line = lineOf(command);
    if (command.words.size() < 3) {
        add(line, ConfigFinding::SetRefused,
            quoted(command.words[0]) + QStringLiteral(" needs a name and a value: the game ignores "
                                                      "this line"));
        return;
    }
    const qsizetype count = setValueWords(command.words, verb, engine_);
    if (count == 0) {
        add(line, ConfigFinding::SetRefused,
            QStringLiteral("the game refuses this line: ") + quoted(command.words[0]) +
                QStringLiteral(" takes a name, one value and the flag ") + flagList() +
                QStringLiteral(" (put a value with blanks in quotes)"));
        return;
    }
    cvarValue(line, command.words[1], valueOf(command.words, 2, count), true);
}

// The engine's flags of "set": "u or s", "a, u or s".
QString Checker::flagList() const {
    QStringList flags;
    for (const char* flag = facts_.setFlags; *flag; ++flag)
        flags << QString(QLatin1Char(*flag));
    const QString last = flags.takeLast();
    return flags.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

void Checker::cvarValue(int line, QStringView name, QStringView value, bool bySet) {
    const QString cvar = cvarName(line, name);
    if (cvar.isEmpty())
        return;
    // config.cfg runs before the engine makes dedicated read-only; only "set" creates it then.
    if (bySet && cvar == u"dedicated" && cvarNumber(value) != 0)
        add(line, ConfigFinding::DedicatedServer,
            quoted(QStringLiteral("set dedicated ") + value.toString()) +
                QStringLiteral(" turns every start of the game into a dedicated server without a "
                               "window"));
    const CvarRange* range = cvarRange(engine_, cvar);
    if (!range) {
        engineTableValue(line, cvar, value);
        return;
    }
    if (isInRange(*range, cvarNumber(value)))
        return;
    const bool span = range->onlyThese.empty() && std::isfinite(range->high);
    const QString where = span ? QStringLiteral(" is outside ") : QStringLiteral(" is not ");
    add(line, ConfigFinding::ValueOutOfRange,
        quoted(cvar) + u' ' + value.toString() + where + describeRange(*range) +
            QStringLiteral(" (") + QLatin1String(range->outside) + u')');
}

// A value of one of the engine's own settings that its table does not list.
void Checker::engineTableValue(int line, const QString& cvar, QStringView value) {
    const EngineSetting* setting = findEngineSetting(engine_, cvar);
    if (!setting || engineSettingTakes(*setting, value))
        return;
    const bool span = setting->choices.isEmpty() && setting->high;
    add(line, ConfigFinding::ValueOutOfRange,
        quoted(cvar) + u' ' + value.toString() +
            (span ? QStringLiteral(" is outside ") : QStringLiteral(" is not ")) +
            describeEngineValues(*setting) + QStringLiteral(" (the values ") +
            QLatin1String(engineFacts(engine_).displayName) + QStringLiteral(" offers)"));
}

// The cvar the engine sets for the name, after any finding about the name; empty when it sets
// one the engine never reads.
QString Checker::cvarName(int line, QStringView name) {
    const NameCheck& check = checkName(name);
    if (check.finding) {
        ConfigFinding finding = *check.finding;
        finding.line = line;
        findings_.append(finding);
    }
    return check.resolved;
}

Checker::NameCheck Checker::checkName(QStringView name) const {
    const QString key = name.toString();
    if (const auto known = names_.constFind(key); known != names_.constEnd())
        return *known;
    NameCheck check;
    const auto& byFolded = cvarsByFoldedName(engine_);
    const auto same = byFolded.find(name);
    if (same != byFolded.end() && (same->second == name || engineRegistersCvar(engine_, name))) {
        check.resolved = key;
    } else if (const QString renamed = engineCvarRename(engine_, name); !renamed.isEmpty()) {
        check.resolved = renamed;
        check.finding = ConfigFinding{0, ConfigFinding::RenamedCvar,
                                      engineName_ + QStringLiteral(" sets ") + quoted(renamed) +
                                          QStringLiteral(" for the old name ") + quoted(name)};
    } else if (same != byFolded.end()) {
        check.finding = ConfigFinding{
            0, ConfigFinding::CvarCase,
            quoted(name) + QStringLiteral(" is not ") + quoted(same->second) +
                QStringLiteral(": cvar names keep their letter case, so this makes a new cvar ") +
                engineName_ + QStringLiteral(" never reads")};
    } else if (const QString near = nearCvars(engine_).nearest(name); !near.isEmpty()) {
        check.finding = ConfigFinding{0, ConfigFinding::UnknownCvar,
                                      quoted(name) + QStringLiteral(" is not a cvar of ") +
                                          engineName_ + QStringLiteral(": did you mean ") +
                                          quoted(near) + QStringLiteral("?")};
    }
    names_.insert(key, check);
    return check;
}

void Checker::bind(const ScriptCommand& command) {
    if (command.words.size() < 2)
        return;
    const std::optional<QString> id = key(lineOf(command), command.words[1], true);
    if (!id || command.words.size() < 3)
        return; // "bind KEY" only shows the binding
    const QString bound = joinedWords(command.words, 2);
    if (bound.isEmpty()) {
        bindings_.remove(*id);
        return;
    }
    const auto earlier = bindings_.constFind(*id);
    if (earlier != bindings_.constEnd() && earlier->command != bound)
        add(lineOf(command), ConfigFinding::DuplicateBinding,
            quoted(command.words[1]) +
                QStringLiteral(" is bound again: line %1 bound it to ").arg(earlier->line) +
                quoted(earlier->command) + QStringLiteral(", this line to ") + quoted(bound) +
                QStringLiteral(", and the game keeps only this one"));
    bindings_.insert(*id, {lineOf(command), bound});
}

void Checker::unbind(const ScriptCommand& command) {
    if (command.words.size() < 2)
        return;
    if (const std::optional<QString> id = key(lineOf(command), command.words[1], false))
        bindings_.remove(*id);
}

// The key the engine binds (or unbinds) for the name, the same for every spelling of it; nothing
// when the engine refuses it.
std::optional<QString> Checker::key(int line, QStringView name, bool binding) {
    QString id;
    if (name.size() == 1) {
        const QChar c = name[0];
        const bool capital = c >= u'A' && c <= u'Z';
        if (capital && facts_.lowersSingleCharacterKeys) {
            id = c.toLower();
        } else {
            id = c;
            if (capital)
                add(line, ConfigFinding::CapitalLetterKey,
                    quoted(name) + QStringLiteral(" never fires: ") + engineName_ +
                        QStringLiteral(" sends only lower-case letters (bind ") +
                        quoted(QString(c.toLower())) + u')');
        }
    } else {
        id = engineKeyName(engine_, name);
        if (id.isEmpty()) {
            const QString near = nearKeys(engine_).nearest(name);
            add(line, ConfigFinding::UnknownKey,
                quoted(name) + QStringLiteral(" is not a key name of ") + engineName_ +
                    (near.isEmpty() ? QStringLiteral(": the game refuses this line")
                                    : QStringLiteral(": did you mean ") + quoted(near) + u'?'));
            return std::nullopt;
        }
        if (id == u"SEMICOLON")
            id = QStringLiteral(";");
    }
    if (binding && engineRefusesToRebind(engine_, id)) {
        add(line, ConfigFinding::RefusedKey,
            engineName_ + QStringLiteral(" refuses to rebind ") + quoted(name));
        return std::nullopt;
    }
    return id;
}

} // namespace

QList<ConfigFinding> checkConfig(const QStringList& lines, Engine engine) {
    Checker checker(engine);
    forEachScriptCommand(lines, engine,
                         [&](const ScriptCommand& command) { checker.command(command); });
    QList<ConfigFinding> findings = checker.takeFindings();
    if (const QString tooLong = scriptSizeWarning(lines, engine); !tooLong.isEmpty())
        findings.prepend({1, ConfigFinding::TooLong, tooLong});
    return findings;
}

QString scriptSizeWarning(const QStringList& lines, Engine engine) {
    const EngineFacts& facts = engineFacts(engine);
    // Neither engine counts more than the lines and their line feeds: most files end here,
    // before the text is joined and read again.
    qsizetype upperBound = lines.size();
    for (const QString& line : lines)
        upperBound += line.size();
    if (upperBound < facts.commandBufferSize)
        return {};
    const qsizetype size = execSize(lines, engine);
    if (size < facts.commandBufferSize)
        return {};
    return QStringLiteral("%1 bytes%2: %3 runs no config of %4 bytes or more and skips every "
                          "line of it")
        .arg(size)
        .arg(facts.exactCommandCase ? QStringLiteral(" without comments") : QString())
        .arg(QLatin1String(facts.displayName))
        .arg(facts.commandBufferSize);
}

QString findingLine(const QString& fileName, const ConfigFinding& finding) {
    return fileName + u':' + QString::number(finding.line) +
           (finding.isNote() ? QStringLiteral(": note: ") : QStringLiteral(": warning: ")) +
           finding.text;
}
