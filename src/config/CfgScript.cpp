#include "CfgScript.h"

#include "VexaCommon.h"

#include <algorithm>

namespace {

constexpr QChar Quote = u'"';

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

} // namespace

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

namespace {

QStringList gameFilesThenScript(const std::vector<CfgGameFile>& gameFiles,
                                const QStringList& lines) {
    QStringList all;
    for (const CfgGameFile& file : gameFiles)
        all += file.lines;
    return all + lines;
}

} // namespace

CfgScript::CfgScript(const QStringList& lines, const CfgVariables& variables, Engine engine,
                     const std::vector<CfgGameFile>& gameFiles)
    : lines_(gameFilesThenScript(gameFiles, lines)), engine_(engine), variables_(&variables),
      open_(size_t(lines_.size()), NoWords), values_(size_t(variables.slotCount())),
      valueLines_(size_t(variables.slotCount()), -1), aliases_(aliasMap<Alias>(engine)),
      aliasRunner_(engine) {
    for (const CfgGameFile& file : gameFiles) {
        gameFiles_.emplace_back(file.name, firstScriptLine_);
        runLines(firstScriptLine_, file.lines.size());
        firstScriptLine_ += file.lines.size();
    }
    const CfgLineRange closing = ownClosingLines(lines);
    if (closing.to > closing.from)
        own_ = {closing.from + firstScriptLine_, closing.to + firstScriptLine_};
    runLines(firstScriptLine_, lines.size());
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        if (open_[size_t(i)] == NoWords && isBlankLine(lines_[i]))
            open_[size_t(i)] = Blank;
    }
    variables_ = nullptr;
}

// Runs the lines of one file; the views point into lines_, which shares the texts.
void CfgScript::runLines(qsizetype from, qsizetype count) {
    forEachScriptCommand(lines_.mid(from, count), engine_, [&](const ScriptCommand& command) {
        ScriptCommand placed = command;
        placed.line += from;
        placed.lastLine += from;
        if (!own_.contains(placed.line))
            runCommand(placed);
    });
}

std::optional<QString> CfgScript::value(int slot) const {
    if (slot < 0 || size_t(slot) >= values_.size())
        return std::nullopt; // a setting that has no variable here
    const std::optional<QStringView>& value = values_[size_t(slot)];
    return value ? std::optional<QString>(value->toString()) : std::nullopt;
}

bool CfgScript::setByScript(int slot) const {
    return value(slot) && isScriptLine(valueLines_[size_t(slot)]);
}

QString CfgScript::sourceOf(int slot) const {
    return value(slot) ? sourceOfLine(valueLines_[size_t(slot)]) : QString();
}

std::pair<QString, qsizetype> CfgScript::fileAndLine(qsizetype line) const {
    if (isScriptLine(line))
        return {scriptName_, line - firstScriptLine_ + 1};
    const auto file = std::find_if(gameFiles_.rbegin(), gameFiles_.rend(),
                                   [line](const auto& f) { return f.second <= line; });
    return {file->first, line - file->second + 1};
}

QString CfgScript::sourceOfLine(qsizetype line) const {
    if (line < 0)
        return {};
    const auto [name, number] = fileAndLine(line);
    const QString place = QStringLiteral("line %1").arg(number);
    return name.isEmpty() ? place : name + QStringLiteral(", ") + place;
}

QString CfgScript::placeOfLine(qsizetype line) const {
    if (line < 0)
        return {};
    const auto [name, number] = fileAndLine(line);
    return name + u':' + QString::number(number);
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
        result.push_back({binding->key, binding->command, binding->line, binding->sourceLine});
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
    return isScriptLine(line) && !own_.contains(line) && open_[size_t(line)] != 0;
}

QStringList CfgScript::keptLines() const {
    QStringList kept;
    for (qsizetype i = firstScriptLine_; i < lines_.size(); ++i) {
        if (isKept(i))
            kept << lines_[i];
    }
    return kept;
}

qsizetype CfgScript::keptLineCount() const {
    qsizetype count = 0;
    for (qsizetype i = firstScriptLine_; i < lines_.size(); ++i) {
        if (isKept(i) && open_[size_t(i)] != Blank)
            ++count;
    }
    return count;
}

// A command that sets a variable of the window is taken: the window writes it itself. Any
// other keeps its lines (a command Q2PRO joins over lines keeps each).
void CfgScript::runCommand(const ScriptCommand& command) {
    if (command.words.isEmpty())
        return; // a comment, or dropped for its unmatched quote
    bool taken = false;
    runningLine_ = command.line;
    if (const std::optional<QStringView> body = run(command.words, command.line, taken)) {
        aliasRunner_.call(*body, [this](const CfgWords& words) {
            bool ignored = false;
            return run(words, -1, ignored);
        });
    }
    for (qsizetype line = command.line; line <= command.lastLine; ++line) {
        int& open = open_[size_t(line)];
        open = std::max(open, 0) + (taken ? 0 : 1);
    }
}

// Runs one command as the engine does: its own commands first, then aliases, then a
// variable's own name. Gives the text of the alias it calls; `taken` when it sets a variable
// of the window. An alias's commands run where it is called: what they set counts, but the call
// keeps its line.
std::optional<QStringView> CfgScript::run(const CfgWords& words, qsizetype line, bool& taken) {
    const QStringView verb = words[0];
    if (const std::optional<ScriptVerb> known = scriptVerb(verb, engine_)) {
        switch (*known) {
        case ScriptVerb::Set:
        case ScriptVerb::SetFlagged:
            taken = runSet(words, *known);
            break;
        case ScriptVerb::Bind:
            runBind(words, line);
            break;
        case ScriptVerb::Unbind:
            if (words.size() >= 2)
                keys_.erase(words[1]);
            break;
        case ScriptVerb::Unbindall:
            keys_.clear();
            break;
        case ScriptVerb::Alias:
            runAlias(words, line);
            break;
        case ScriptVerb::Wait:
            aliasRunner_.waited();
            break;
        case ScriptVerb::NamesCvar:
        case ScriptVerb::Other:
            break;
        }
        return std::nullopt;
    }
    if (const auto alias = aliases_.find(verb); alias != aliases_.end())
        return alias->second.body;
    if (const qsizetype count = cvarValueWords(words, engine_))
        taken = setVariable(verb, value(words, 1, count));
    return std::nullopt;
}

// A form the engine refuses sets nothing.
bool CfgScript::runSet(const CfgWords& words, ScriptVerb verb) {
    const qsizetype count = setValueWords(words, verb, engine_);
    return count > 0 && setVariable(words[1], value(words, 2, count));
}

void CfgScript::runBind(const CfgWords& words, qsizetype line) {
    if (words.size() < 3)
        return; // "bind KEY" only shows the binding
    const QStringView command = joined(words, 2);
    if (command.isEmpty()) {
        keys_.erase(words[1]);
        return;
    }
    const auto [bound, added] =
        keys_.try_emplace(words[1], KeyBinding{words[1], command, line, 0, runningLine_});
    if (!added)
        bound->second = {bound->second.key, command, line, 0, runningLine_};
    bound->second.order = order_++;
}

// The body stays where it is when the alias redefines itself while it runs.
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

// A value of `count` words from `first`: more than one are the rest of the command, joined.
QStringView CfgScript::value(const CfgWords& words, qsizetype first, qsizetype count) {
    return count == 1 ? words[first] : joined(words, first);
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
    valueLines_[size_t(slot)] = runningLine_;
    return true;
}

// ---- CfgOverrides ----

CfgOverrides::CfgOverrides(const QStringList& lines, Engine engine) : engine_(engine) {
    add(lines);
}

void CfgOverrides::add(const QStringList& lines) {
    forEachScriptCommand(lines, engine_, [this](const ScriptCommand& command) {
        const CfgWords& words = command.words;
        if (words.isEmpty())
            return;
        const std::optional<ScriptVerb> verb = scriptVerb(words[0], engine_);
        if (!verb) {
            if (isWord(words[0], u"setmaster"))
                master_ = true;
            return;
        }
        if ((*verb == ScriptVerb::Set || *verb == ScriptVerb::SetFlagged) && words.size() >= 3)
            variables_.try_emplace(words[1].toString(), true);
        else if ((*verb == ScriptVerb::Bind || *verb == ScriptVerb::Unbind) && words.size() >= 2)
            keys_.try_emplace(words[1].toString(), true);
        else if (*verb == ScriptVerb::Unbindall)
            allKeys_ = true;
        else if (*verb == ScriptVerb::Alias && words.size() >= 2)
            aliases_.try_emplace(words[1].toString(), true);
    });
}

bool CfgOverrides::overrides(const CfgWords& words) const {
    const QStringView verb = words[0];
    const std::optional<ScriptVerb> known = scriptVerb(verb, engine_);
    if (!known) {
        if (isWord(verb, u"setmaster"))
            return master_;
        // A variable's own name as the command.
        return words.size() >= 2 && variables_.count(verb) > 0;
    }
    if (words.size() < 2)
        return false;
    switch (*known) {
    case ScriptVerb::Set:
    case ScriptVerb::SetFlagged:
        return variables_.count(words[1]) > 0;
    case ScriptVerb::Bind:
        return allKeys_ || keys_.count(words[1]) > 0;
    case ScriptVerb::Alias:
        return aliases_.count(words[1]) > 0;
    default:
        return false;
    }
}

bool CfgOverrides::bindsKey(QStringView key) const {
    return keys_.count(key) > 0;
}

namespace {

// What a kept line's commands leave after later lines.
enum class LineEffect : char { NoCommand, AllOverridden, Kept };

} // namespace

QStringList keptLinesBefore(const QStringList& kept, const CfgOverrides& later) {
    std::vector<LineEffect> effects(size_t(kept.size()), LineEffect::NoCommand);
    forEachScriptCommand(kept, later.engine(), [&](const ScriptCommand& command) {
        if (command.words.isEmpty())
            return;
        const bool lost = later.overrides(command.words);
        for (qsizetype line = command.line; line <= command.lastLine; ++line) {
            LineEffect& effect = effects[size_t(line)];
            effect =
                lost && effect != LineEffect::Kept ? LineEffect::AllOverridden : LineEffect::Kept;
        }
    });
    QStringList lines;
    for (qsizetype i = 0; i < kept.size(); ++i) {
        if (effects[size_t(i)] != LineEffect::AllOverridden)
            lines << kept[i];
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
