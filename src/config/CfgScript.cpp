#include "CfgScript.h"

#include "VexaCommon.h"

#include <algorithm>

namespace {

constexpr QChar Quote = u'"';

// The game counts alias runs between two "wait" commands and refuses the sixteenth.
constexpr int AliasRunsPerWait = 15;
// Beyond the game's own rule, a bound on the whole script keeps a hostile file linear.
constexpr int AliasRunsPerScript = 4096;
// The game takes no alias name of 32 characters or more.
constexpr qsizetype LongestAliasName = 31;

bool isSpace(QChar c) {
    return c.unicode() <= u' ';
}

bool isWord(QStringView word, QStringView name) {
    return equalsIgnoringAsciiCase(word, name);
}

bool isBlankLine(const QString& line) {
    return trimmedOfBlanks(line).isEmpty();
}

const QString GlobalsHeader = QStringLiteral("//Globals Settings");
const QString EndOfFile = QStringLiteral("//End of File");
const QString ThankYou = QStringLiteral("//Thank you for using VEXA");

bool isSignature(const QString& line) {
    const QStringView text = trimmedOfBlanks(line);
    return text.startsWith(u"//") && trimmedOfBlanks(text.mid(2)) == u"Taskel";
}

// The index of the closing comments' first line at or after `from`, or -1.
qsizetype closingAt(const QStringList& lines, qsizetype from) {
    for (qsizetype i = std::max<qsizetype>(from, 0); i + 1 < lines.size(); ++i) {
        if (lines[i] == EndOfFile && lines[i + 1] == ThankYou)
            return i;
    }
    return -1;
}

qsizetype lastIndexOf(const QStringList& lines, const QString& line) {
    for (qsizetype i = lines.size(); i-- > 0;) {
        if (lines[i] == line)
            return i;
    }
    return -1;
}

// Each command of the text (an alias's commands may also be separated by line ends).
template <typename Visit> void forEachCommand(QStringView text, Visit visit) {
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        for (QStringView command : splitCfgCommands(text.sliced(start, end - start)))
            visit(command);
        start = end + 1;
    }
}

} // namespace

CfgCommands splitCfgCommands(QStringView line) {
    CfgCommands commands;
    if (!line.contains(u';')) {
        commands.append(line);
        return commands;
    }
    bool quoted = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == Quote)
            quoted = !quoted;
        else if (line[i] == u';' && !quoted) {
            commands.append(line.sliced(start, i - start));
            start = i + 1;
        }
    }
    commands.append(line.sliced(start));
    return commands;
}

CfgWords cfgCommandWords(QStringView command, qsizetype limit) {
    CfgWords words;
    if (std::count(command.begin(), command.end(), Quote) % 2 != 0)
        return words;
    qsizetype i = 0;
    const qsizetype n = command.size();
    while (words.size() != limit) {
        while (i < n && isSpace(command[i]))
            ++i;
        if (i >= n || (command[i] == u'/' && i + 1 < n && command[i + 1] == u'/'))
            return words;
        if (command[i] == Quote) {
            const qsizetype start = i + 1;
            qsizetype end = command.indexOf(Quote, start);
            if (end < 0)
                end = n;
            words.append(command.sliced(start, end - start));
            i = end + 1;
        } else {
            const qsizetype start = i;
            while (i < n && !isSpace(command[i]))
                ++i;
            words.append(command.sliced(start, i - start));
        }
    }
    return words;
}

QString joinedWords(const CfgWords& words, qsizetype first) {
    QString joined;
    for (qsizetype i = first; i < words.size(); ++i) {
        if (i > first)
            joined += u' ';
        joined += words[i];
    }
    return joined;
}

bool isWritableKey(QStringView key) {
    return !key.isEmpty() && !key.startsWith(u"//") &&
           std::none_of(key.begin(), key.end(),
                        [](QChar c) { return isSpace(c) || c == Quote || c == u';'; });
}

size_t KeyHash::operator()(QStringView key) const {
    return key.size() == 1 ? qHash(key.front()) : FoldedHash()(key);
}

bool KeyEqual::operator()(QStringView a, QStringView b) const {
    return a.size() == 1 || b.size() == 1 ? a == b : FoldedEqual()(a, b);
}

// ---- CfgVariables ----

void CfgVariables::add(QStringView name, int slot) {
    slots_.try_emplace(name.toString(), slot);
    slotCount_ = std::max(slotCount_, slot + 1);
}

int CfgVariables::slotOf(QStringView name) const {
    const auto at = slots_.find(name);
    return at == slots_.end() ? -1 : at->second;
}

namespace {

// Names Vexa once wrote for a variable the game knows under another.
const struct {
    const char* name;
    const char* former;
} FormerNames[] = {{"s_wavonly", "s_waveonly"}};

} // namespace

void addVariable(CfgVariables& variables, QStringView name, int slot, Engine engine) {
    variables.add(name, slot);
    const QString renamed = engineCvarRename(engine, name);
    const QString current = renamed.isEmpty() ? name.toString() : renamed;
    variables.add(current, slot);
    for (const QString& old : engineCvarsRenamedTo(engine, current))
        variables.add(old, slot);
    for (const auto& former : FormerNames) {
        if (name == QLatin1String(former.name))
            variables.add(QString::fromLatin1(former.former), slot);
    }
}

// ---- Own closing lines ----

CfgLineRange ownClosingLines(const QStringList& lines) {
    const qsizetype globals = lastIndexOf(lines, GlobalsHeader);
    const qsizetype closing = closingAt(lines, globals);
    qsizetype from = globals >= 0 ? globals : closing;
    if (from < 0)
        return {};
    while (from > 0 && isBlankLine(lines[from - 1]))
        --from;
    qsizetype to = lines.size();
    if (closing >= 0) {
        to = closing + 2;
        if (to < lines.size() && isSignature(lines[to]))
            ++to;
    }
    return {from, to};
}

// ---- CfgScript ----

CfgScript::CfgScript(const QStringList& lines, const CfgVariables& variables)
    : lines_(lines), variables_(&variables), own_(ownClosingLines(lines)),
      open_(size_t(lines.size()), 0), values_(size_t(variables.slotCount())) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!own_.contains(i))
            runLine(i);
    }
    variables_ = nullptr;
}

std::optional<QString> CfgScript::value(int slot) const {
    const std::optional<QStringView>& value = values_[size_t(slot)];
    return value ? std::optional<QString>(value->toString()) : std::nullopt;
}

std::vector<CfgScript::Binding> CfgScript::bindings() const {
    std::vector<const KeyBinding*> bound;
    bound.reserve(size_t(keys_.size()));
    for (const auto& [key, binding] : keys_)
        bound.push_back(&binding);
    std::sort(bound.begin(), bound.end(),
              [](const KeyBinding* a, const KeyBinding* b) { return a->order < b->order; });
    std::vector<Binding> result;
    result.reserve(bound.size());
    for (const KeyBinding* binding : bound)
        result.push_back({binding->key, binding->command, binding->line});
    return result;
}

std::optional<QString> CfgScript::aliasBody(QStringView name) const {
    const auto at = aliases_.find(name);
    return at == aliases_.end() ? std::nullopt : std::optional<QString>(at->second.body.toString());
}

void CfgScript::take(const Binding& binding) {
    release(binding.line);
}

void CfgScript::takeAlias(QStringView name) {
    if (const auto at = aliases_.find(name); at != aliases_.end())
        release(at->second.line);
}

void CfgScript::release(qsizetype line) {
    if (line >= 0 && open_[size_t(line)] > 0)
        --open_[size_t(line)];
}

bool CfgScript::isKept(qsizetype line) const {
    return !own_.contains(line) && open_[size_t(line)] != 0;
}

QStringList CfgScript::keptLines() const {
    QStringList kept;
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        if (isKept(i))
            kept << lines_[i];
    }
    return kept;
}

qsizetype CfgScript::keptLineCount() const {
    qsizetype count = 0;
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        if (isKept(i) && open_[size_t(i)] != Blank)
            ++count;
    }
    return count;
}

void CfgScript::runLine(qsizetype line) {
    int open = NoWords;
    for (QStringView command : splitCfgCommands(lines_[line])) {
        const CfgWords words = cfgCommandWords(command);
        if (words.isEmpty())
            continue;
        open = std::max(open, 0);
        if (!run(words, line))
            ++open;
    }
    open_[size_t(line)] = open == NoWords && isBlankLine(lines_[line]) ? Blank : open;
}

// Runs one command; true when it sets a variable of the window, which writes it itself.
bool CfgScript::run(const CfgWords& words, qsizetype line) {
    const QStringView verb = words[0];
    if (isWord(verb, u"set") || isWord(verb, u"seta"))
        return runSet(words);
    if (isWord(verb, u"bind")) {
        runBind(words, line);
    } else if (isWord(verb, u"unbind")) {
        if (words.size() >= 2)
            keys_.erase(words[1]);
    } else if (isWord(verb, u"unbindall")) {
        keys_.clear();
    } else if (isWord(verb, u"alias")) {
        runAlias(words, line);
    } else if (isWord(verb, u"wait")) {
        aliasRuns_ = 0;
    } else if (const auto alias = aliases_.find(verb); alias != aliases_.end()) {
        runAliasBody(alias->second.body);
    } else {
        // A variable's own name as the command sets it.
        return words.size() >= 2 && setVariable(verb, words[1]);
    }
    return false;
}

// "set NAME VALUE", or with a fourth word "u" or "s"; the game refuses any other form.
bool CfgScript::runSet(const CfgWords& words) {
    const bool flagged = words.size() == 4 && (words[3] == u"u" || words[3] == u"s");
    if (words.size() != 3 && !flagged)
        return false;
    return setVariable(words[1], words[2]);
}

void CfgScript::runBind(const CfgWords& words, qsizetype line) {
    if (words.size() < 3)
        return; // "bind KEY" only shows the binding
    const QStringView command = joined(words, 2);
    if (command.isEmpty()) {
        keys_.erase(words[1]);
        return;
    }
    const auto [bound, added] = keys_.try_emplace(words[1], KeyBinding{words[1], command, line, 0});
    if (!added)
        bound->second = {bound->second.key, command, line, 0};
    bound->second.order = order_++;
}

void CfgScript::runAlias(const CfgWords& words, qsizetype line) {
    if (words.size() < 2 || words[1].size() > LongestAliasName)
        return;
    aliases_[words[1]] = {joined(words, 2), line};
}

// The words from `first` on as the game joins them; one word as it stands.
QStringView CfgScript::joined(const CfgWords& words, qsizetype first) {
    if (words.size() == first + 1)
        return words[first];
    joined_.push_back(joinedWords(words, first));
    return joined_.back();
}

// The alias's commands run where it is called; what they set counts, but the call keeps its line.
// The body stays where it is when the alias redefines itself while it runs.
void CfgScript::runAliasBody(QStringView body) {
    if (++aliasRuns_ > AliasRunsPerWait || ++totalAliasRuns_ > AliasRunsPerScript)
        return;
    forEachCommand(body, [&](QStringView command) {
        const CfgWords words = cfgCommandWords(command);
        if (!words.isEmpty())
            run(words, -1);
    });
}

bool CfgScript::setVariable(QStringView name, QStringView value) {
    const int slot = variables_->slotOf(name);
    if (slot < 0)
        return false;
    if (value.contains(Quote)) {
        values_[size_t(slot)].reset();
        return false;
    }
    values_[size_t(slot)] = value;
    return true;
}

// ---- CfgOverrides ----

CfgOverrides::CfgOverrides(const QStringList& lines) {
    add(lines);
}

void CfgOverrides::add(const QStringList& lines) {
    for (const QString& line : lines) {
        for (QStringView command : splitCfgCommands(line)) {
            const CfgWords words = cfgCommandWords(command);
            if (words.isEmpty())
                continue;
            const QStringView verb = words[0];
            if ((isWord(verb, u"set") || isWord(verb, u"seta")) && words.size() >= 3)
                variables_.try_emplace(words[1].toString(), true);
            else if ((isWord(verb, u"bind") || isWord(verb, u"unbind")) && words.size() >= 2)
                keys_.try_emplace(words[1].toString(), true);
            else if (isWord(verb, u"unbindall"))
                allKeys_ = true;
            else if (isWord(verb, u"alias") && words.size() >= 2)
                aliases_.try_emplace(words[1].toString(), true);
            else if (isWord(verb, u"setmaster"))
                master_ = true;
        }
    }
}

bool CfgOverrides::overrides(const CfgWords& words) const {
    const QStringView verb = words[0];
    if (isWord(verb, u"set") || isWord(verb, u"seta"))
        return words.size() >= 2 && variables_.count(words[1]) > 0;
    if (isWord(verb, u"bind"))
        return words.size() >= 2 && (allKeys_ || keys_.count(words[1]) > 0);
    if (isWord(verb, u"alias"))
        return words.size() >= 2 && aliases_.count(words[1]) > 0;
    if (isWord(verb, u"setmaster"))
        return master_;
    // A variable's own name as the command.
    return words.size() >= 2 && variables_.count(verb) > 0;
}

bool CfgOverrides::overridesAll(QStringView line) const {
    bool any = false;
    for (QStringView command : splitCfgCommands(line)) {
        // The command and its first word tell what it sets.
        const CfgWords words = cfgCommandWords(command, 2);
        if (words.isEmpty())
            continue;
        if (!overrides(words))
            return false;
        any = true;
    }
    return any;
}

bool CfgOverrides::bindsKey(QStringView key) const {
    return keys_.count(key) > 0;
}

QStringList keptLinesBefore(const QStringList& kept, const CfgOverrides& later) {
    QStringList lines;
    for (const QString& line : kept) {
        if (!later.overridesAll(line))
            lines << line;
    }
    while (!lines.isEmpty() && isBlankLine(lines.back()))
        lines.removeLast();
    if (!lines.isEmpty())
        lines << QString();
    return lines;
}

QStringList unbindLines(const QStringList& takenKeys, const CfgOverrides& later, Engine engine) {
    QStringList lines;
    for (const QString& key : takenKeys) {
        if (!later.bindsKey(key) && !engineRefusesToRebind(engine, key))
            lines << QStringLiteral("unbind ") + key;
    }
    return lines;
}
