#include "ConfigScript.h"

#include "platform/FileAccess.h"
#include "platform/FoldedText.h"
#include "platform/VexaError.h"

#include <algorithm>

namespace {

constexpr QChar Quote = u'"';

bool isBlank(QChar c) {
    return c.unicode() <= u' ';
}

bool startsWith(QStringView text, qsizetype at, char a, char b) {
    return at + 1 < text.size() && text[at] == QLatin1Char(a) && text[at + 1] == QLatin1Char(b);
}

// ---- Pieces: the parts of the lines the command buffer sees ----

// A part of a line between comments; the gap between two pieces is a blank.
struct Piece {
    QStringView text;
    qsizetype line;
};
using Pieces = QVarLengthArray<Piece, 4>;

// Q2PRO's comment removal at exec (COM_Compress), a line at a time: a comment starts where a
// word could, a quoted string runs over line ends to the next quote, and a lone "\" at the
// end of a line joins the next.
class Q2proComments {
public:
    // Appends the parts of the line outside comments; true when the line joins the next.
    bool cut(QStringView line, qsizetype index, Pieces& pieces) {
        qsizetype i = 0;
        if (inBlock_ && !leaveBlock(line, i))
            return false;
        qsizetype start = i;
        if (inQuote_ && !leaveQuote(line, i)) {
            pieces.append({line.sliced(start), index});
            return false;
        }
        const auto piece = [&](qsizetype end) {
            if (end > start)
                pieces.append({line.sliced(start, end - start), index});
        };
        while (i < line.size()) {
            if (isBlank(line[i])) {
                ++i;
            } else if (startsWith(line, i, '/', '/')) {
                piece(i);
                return false;
            } else if (startsWith(line, i, '/', '*')) {
                piece(i);
                i += 2;
                if (!leaveBlock(line, i))
                    return false;
                start = i;
            } else if (line[i] == Quote) {
                ++i;
                leaveQuote(line, i);
            } else if (isJoin(line, i)) {
                piece(i);
                return true;
            } else {
                while (i < line.size() && !isBlank(line[i]))
                    ++i;
            }
        }
        piece(line.size());
        return false;
    }

private:
    bool leaveBlock(QStringView line, qsizetype& i) {
        const qsizetype close = line.indexOf(u"*/", i);
        inBlock_ = close < 0;
        i = inBlock_ ? line.size() : close + 2;
        return !inBlock_;
    }
    bool leaveQuote(QStringView line, qsizetype& i) {
        const qsizetype close = line.indexOf(Quote, i);
        inQuote_ = close < 0;
        i = inQuote_ ? line.size() : close + 1;
        return !inQuote_;
    }
    static bool isJoin(QStringView line, qsizetype i) {
        return line[i] == u'\\' &&
               (i + 1 == line.size() || (i + 2 == line.size() && line[i + 1] == u'\r'));
    }

    bool inBlock_ = false;
    bool inQuote_ = false;
};

// Every line's pieces in order, and whether it joins the next.
template <typename Visit>
void forEachLinePieces(const QStringList& lines, Engine engine, Visit visit) {
    const bool q2pro = engineFacts(engine).exactCommandCase;
    Q2proComments comments;
    Pieces pieces;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        pieces.clear();
        bool joins = false;
        if (q2pro)
            joins = comments.cut(lines[i], i, pieces) && i + 1 < lines.size();
        else
            pieces.append({lines[i], i});
        visit(pieces, joins);
    }
}

// ---- Commands and words ----

// Where the command from `from` ends: a line feed, or a semicolon after an even count of quotes
// (`quoted` carries the count's parity in and out).
qsizetype commandEnd(QStringView text, qsizetype from, bool& quoted) {
    bool inQuotes = quoted;
    qsizetype i = from;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == Quote)
            inQuotes = !inQuotes;
        else if ((c == u';' && !inQuotes) || c == u'\n')
            break;
    }
    quoted = inQuotes;
    return i;
}

// Adds the words of one piece of a command; false when a "//" ends the command (id, Yamagi).
bool addWords(CfgWords& words, QStringView text, bool q2pro, qsizetype limit) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (words.size() != limit) {
        while (i < n && isBlank(text[i]))
            ++i;
        if (i >= n)
            return true;
        if (!q2pro && startsWith(text, i, '/', '/'))
            return false;
        if (text[i] == Quote) {
            const qsizetype start = i + 1;
            qsizetype end = text.indexOf(Quote, start);
            if (end < 0)
                end = n;
            words.append(text.sliced(start, end - start));
            i = end + 1;
        } else {
            const qsizetype start = i;
            while (i < n && !isBlank(text[i]) && !(q2pro && text[i] == Quote))
                ++i;
            words.append(text.sliced(start, i - start));
        }
    }
    return true;
}

// Whether a "$" stands outside quotes: the game puts a cvar's value there.
bool expandsCvars(QStringView text, bool& quoted) {
    bool found = false;
    for (QChar c : text) {
        if (c == Quote)
            quoted = !quoted;
        else if (c == u'$' && !quoted)
            found = true;
    }
    return found;
}

// One command made of pieces, as the visitor gets it.
class CommandBuilder {
public:
    explicit CommandBuilder(Engine engine) : q2pro_(engineFacts(engine).exactCommandCase) {}

    void add(QStringView text, qsizetype line) {
        if (!text.isEmpty())
            parts_.append({text, line});
    }
    // Visits the command made of the parts added since the last one, if it has any.
    void finish(bool startsLine, const std::function<void(const ScriptCommand&)>& visit) {
        if (!parts_.isEmpty()) {
            command_.line = parts_.front().line;
            command_.lastLine = parts_.back().line;
            command_.startsLine = startsLine;
            read();
            visit(command_);
        }
        parts_.clear();
    }

private:
    void read() {
        command_.words.clear();
        qsizetype quotes = 0;
        bool dollar = false;
        for (const Piece& part : parts_) {
            quotes += part.text.count(Quote);
            dollar = dollar || part.text.contains(u'$');
        }
        command_.unmatchedQuote = quotes % 2 != 0;
        command_.expandsCvars = false;
        if (command_.unmatchedQuote)
            return;
        bool quoted = false;
        for (const Piece& part : parts_) {
            if (dollar && expandsCvars(part.text, quoted))
                command_.expandsCvars = true;
        }
        for (const Piece& part : parts_) {
            if (!addWords(command_.words, part.text, q2pro_, -1))
                return;
        }
    }

    bool q2pro_;
    Pieces parts_;
    ScriptCommand command_;
};

} // namespace

CfgCommands splitCfgCommands(QStringView line) {
    CfgCommands commands;
    qsizetype start = 0;
    bool quoted = false;
    while (true) {
        const qsizetype end = commandEnd(line, start, quoted);
        commands.append(line.sliced(start, end - start));
        if (end == line.size())
            return commands;
        start = end + 1;
    }
}

CfgWords cfgCommandWords(QStringView command, Engine engine, qsizetype limit) {
    CfgWords words;
    if (command.count(Quote) % 2 != 0)
        return words;
    addWords(words, command, engineFacts(engine).exactCommandCase, limit);
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

void forEachScriptCommand(const QStringList& lines, Engine engine,
                          const std::function<void(const ScriptCommand&)>& visit) {
    CommandBuilder command(engine);
    bool quoted = false;
    bool startsLine = true;
    forEachLinePieces(lines, engine, [&](const Pieces& pieces, bool joinsNext) {
        // Most lines are one command: no semicolon, and no quotes counted past the line's end.
        const bool carries = pieces.size() > 1 || joinsNext;
        for (const Piece& piece : pieces) {
            if (!piece.text.contains(u';')) {
                command.add(piece.text, piece.line);
                if (carries && piece.text.count(Quote) % 2 != 0)
                    quoted = !quoted;
                continue;
            }
            qsizetype from = 0;
            while (true) {
                const qsizetype end = commandEnd(piece.text, from, quoted);
                command.add(piece.text.sliced(from, end - from), piece.line);
                if (end == piece.text.size())
                    break;
                command.finish(startsLine, visit);
                startsLine = false;
                quoted = false;
                from = end + 1;
            }
        }
        if (joinsNext)
            return;
        command.finish(startsLine, visit);
        startsLine = true;
        quoted = false;
    });
}

// ---- Verbs ----

namespace {

constexpr unsigned EveryEngine = 0b111;
constexpr unsigned bit(Engine engine) {
    return 1u << unsigned(engine);
}
constexpr unsigned YamagiAndQ2pro = bit(Engine::yamagi) | bit(Engine::q2pro);

// From each engine's command registrations (cmd.c, cvar.c, keys.c).
constexpr ScriptCommandWord Commands[] = {
    {"set", ScriptVerb::Set, EveryEngine},
    {"seta", ScriptVerb::SetFlagged, bit(Engine::q2pro)},
    {"setu", ScriptVerb::SetFlagged, bit(Engine::q2pro)},
    {"sets", ScriptVerb::SetFlagged, bit(Engine::q2pro)},
    {"bind", ScriptVerb::Bind, EveryEngine},
    {"unbind", ScriptVerb::Unbind, EveryEngine},
    {"unbindall", ScriptVerb::Unbindall, EveryEngine},
    {"alias", ScriptVerb::Alias, EveryEngine},
    {"wait", ScriptVerb::Wait, EveryEngine},
    {"toggle", ScriptVerb::NamesCvar, YamagiAndQ2pro},
    {"inc", ScriptVerb::NamesCvar, YamagiAndQ2pro},
    {"dec", ScriptVerb::NamesCvar, YamagiAndQ2pro},
    {"reset", ScriptVerb::NamesCvar, YamagiAndQ2pro},
    {"resetall", ScriptVerb::Other, YamagiAndQ2pro},
    {"vstr", ScriptVerb::Other, bit(Engine::yamagi)},
    {"unalias", ScriptVerb::Other, bit(Engine::q2pro)},
    {"exec", ScriptVerb::Other, EveryEngine},
    {"echo", ScriptVerb::Other, EveryEngine},
    {"cmdlist", ScriptVerb::Other, EveryEngine},
    {"cvarlist", ScriptVerb::Other, EveryEngine},
    {"bindlist", ScriptVerb::Other, EveryEngine},
    // Commands that take a word and lie near a cvar's name (skin, paused, skill).
    {"skins", ScriptVerb::Other, EveryEngine},
    {"pause", ScriptVerb::Other, EveryEngine},
    {"kill", ScriptVerb::Other, EveryEngine},
};

} // namespace

namespace {

// The word is the lower-case name in any letter case (ASCII only, as the engines compare).
bool isName(QStringView word, const char* name) {
    qsizetype i = 0;
    for (; name[i]; ++i) {
        if (i == word.size())
            return false;
        char16_t c = word[i].unicode();
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c + 32);
        if (c != char16_t(name[i]))
            return false;
    }
    return i == word.size();
}

} // namespace

const ScriptCommandWord* scriptCommandWord(QStringView word) {
    if (word.size() > 9) // "unbindall", the longest
        return nullptr;
    const auto found =
        std::find_if(std::begin(Commands), std::end(Commands),
                     [&](const ScriptCommandWord& c) { return isName(word, c.name); });
    return found == std::end(Commands) ? nullptr : found;
}

bool hasCommand(const ScriptCommandWord& command, Engine engine) {
    return (command.engines & bit(engine)) != 0;
}

std::optional<ScriptVerb> scriptVerb(QStringView word, Engine engine) {
    const ScriptCommandWord* command = scriptCommandWord(word);
    if (!command || !hasCommand(*command, engine))
        return std::nullopt;
    if (engineFacts(engine).exactCommandCase && word != QLatin1String(command->name))
        return std::nullopt;
    return command->verb;
}

namespace {

// A flag the engine's "set" takes as its fourth word, in lower case.
bool isSetFlag(QStringView word, Engine engine) {
    for (const char* flag = engineFacts(engine).setFlags; *flag; ++flag) {
        if (word == QLatin1String(flag, 1))
            return true;
    }
    return false;
}

} // namespace

qsizetype setValueWords(const CfgWords& words, ScriptVerb verb, Engine engine) {
    const qsizetype count = words.size();
    if (count < 3)
        return 0;
    if (count == 3 || (verb == ScriptVerb::Set && count == 4 && isSetFlag(words[3], engine)))
        return 1;
    // Q2PRO joins the words after the name into the value; the others refuse the line.
    return engineFacts(engine).exactCommandCase ? count - 2 : 0;
}

qsizetype cvarValueWords(const CfgWords& words, Engine engine) {
    if (words.size() < 2)
        return 0;
    return engineFacts(engine).exactCommandCase ? words.size() - 1 : 1;
}

// ---- Aliases ----

size_t AliasNameHash::operator()(QStringView name) const {
    return exact ? qHash(name) : FoldedHash()(name);
}

bool AliasNameEqual::operator()(QStringView a, QStringView b) const {
    return exact ? a == b : FoldedEqual()(a, b);
}

namespace {

// Every engine refuses the sixteenth alias run ("ALIAS_LOOP_COUNT"; Q2PRO allows sixteen but
// counts the exec of the file as one) and starts counting again after a "wait", which leaves the
// rest for the next frame: a looping alias with a wait runs for ever (seen on Yamagi and Q2PRO).
constexpr int AliasRunsPerWait = 15;
// Beyond the engine's own count: the runs and the text run in a whole script. A game's config
// runs a few hundred aliases of a few dozen characters each.
constexpr int AliasRunsPerScript = 4096;
constexpr qsizetype AliasTextPerScript = qsizetype(1) << 22;

} // namespace

AliasRunner::AliasRunner(Engine engine) : engine_(engine) {}

void AliasRunner::waited() {
    runs_ = 0;
}

bool AliasRunner::admits(QStringView body) {
    // A text the command buffer cannot hold is not run ("Cbuf_InsertText: overflow").
    if (runs_ >= AliasRunsPerWait || body.size() >= engineFacts(engine_).commandBufferSize ||
        allRuns_ >= AliasRunsPerScript || text_ + body.size() > AliasTextPerScript)
        return false;
    ++runs_;
    ++allRuns_;
    text_ += body.size();
    return true;
}

void AliasRunner::call(QStringView body, const Run& run) {
    if (!admits(body))
        return;
    stack_.assign(1, body);
    while (!stack_.empty()) {
        QStringView& text = stack_.back();
        bool quoted = false;
        const qsizetype end = commandEnd(text, 0, quoted);
        const QStringView command = text.first(end);
        // A finished text leaves before its last command runs, so a call at the end of an
        // alias does not deepen the stack.
        if (end == text.size())
            stack_.pop_back();
        else
            text = text.sliced(end + 1);
        const CfgWords words = cfgCommandWords(command, engine_);
        if (words.isEmpty())
            continue;
        if (const std::optional<QStringView> called = run(words); called && admits(*called))
            stack_.push_back(*called);
    }
}

// ---- Files ----

qsizetype execSize(const QStringList& lines, Engine engine) {
    if (!engineFacts(engine).exactCommandCase) {
        qsizetype size = 0;
        for (const QString& line : lines) {
            if (const qsizetype nul = line.indexOf(QChar(0)); nul >= 0)
                return size + nul;
            size += line.size() + 1; // the line feed that ended it
        }
        return size;
    }
    // What is left without comments, each word and quoted string with one blank or line feed
    // between them.
    qsizetype size = 0;
    bool blankPending = false;
    forEachLinePieces(lines, engine, [&](const Pieces& pieces, bool) {
        for (const Piece& piece : pieces) {
            blankPending = size > 0;
            for (const QChar c : piece.text) {
                if (isBlank(c)) {
                    blankPending = size > 0;
                    continue;
                }
                size += blankPending ? 2 : 1;
                blankPending = false;
            }
        }
        blankPending = size > 0;
    });
    return size;
}

QStringList readScriptLines(const QString& fileName) {
    const std::optional<QByteArray> bytes = readWholeFile(fileName);
    if (!bytes)
        throw VexaError(ErrorText::cannotOpen(displayName(fileName)));
    QStringList lines = QString::fromLatin1(*bytes).split(u'\n');
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast(); // a final line feed ends the last line
    return lines;
}
