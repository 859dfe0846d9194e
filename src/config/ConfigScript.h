#pragma once

#include "settings/Engine.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVarLengthArray>

#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

// The game's script language, read as the engine's exec and command buffer read it. The loader,
// the writer's kept lines, the checker and the test console all read scripts through these.
//
// The buffer splits the text into commands at line feeds and at semicolons outside quotes (an
// odd count of quotes so far keeps the semicolon); a command with an odd count of quotes is
// discarded whole ("Line has unmatched quote"). Each command is then cut into words at blanks,
// a quoted word running to the next quote. id and Yamagi end a command at a "//" that starts a
// word (after the split, so a semicolon inside such a comment still starts a new command).
// Q2PRO's exec first takes "//" and "/* */" comments out of the whole file and joins a line
// ending in a lone "\" to the next; its words end a bare word at a quote.

using CfgCommands = QVarLengthArray<QStringView, 4>;
using CfgWords = QVarLengthArray<QStringView, 8>;

// The commands of one line, as views into it.
CfgCommands splitCfgCommands(QStringView line);
// The words of one command as the engine cuts them, as views into it: none for a blank
// command, a comment, or a command the game drops for its unmatched quote. With `limit`, no
// more than that many.
CfgWords cfgCommandWords(QStringView command, Engine engine, qsizetype limit = -1);

// The words from `first` on, joined by single blanks, as the game joins a binding's or an alias's
// command.
QString joinedWords(const CfgWords& words, qsizetype first);

struct ScriptCommand {
    qsizetype line = 0;          // the line it starts on, from 0
    qsizetype lastLine = 0;      // the line it ends on: Q2PRO joins a line ending in "\"
    CfgWords words;              // views into the lines
    bool unmatchedQuote = false; // the game discards the command
    bool startsLine = false;     // nothing but blanks before it on its line
    bool expandsCvars = false;   // a "$" outside quotes: the game puts a value there
};

// Each command of the lines (split at line ends, as read from the file) in order; a blank
// command, or one that is only a comment, comes without words.
void forEachScriptCommand(const QStringList& lines, Engine engine,
                          const std::function<void(const ScriptCommand&)>& visit);

// ---- What the engine does with a command ----

enum class ScriptVerb { Other, Set, SetFlagged, Bind, Unbind, Unbindall, Alias, NamesCvar, Wait };

struct ScriptCommandWord {
    const char* name;
    ScriptVerb verb;
    unsigned engines; // a bit per engine that has the command
};

// The command of some engine that the word names in any letter case, or null.
const ScriptCommandWord* scriptCommandWord(QStringView word);
bool hasCommand(const ScriptCommandWord& command, Engine engine);
// What the engine runs for a command's first word: its own command when it has one by that
// name (Q2PRO finds commands by their exact lower-case name), else nothing: an alias, a cvar,
// or unknown.
std::optional<ScriptVerb> scriptVerb(QStringView word, Engine engine);

// How many words from the third on make the value of a "set": one, or more when Q2PRO joins
// them; 0 when the engine refuses the command's form.
qsizetype setValueWords(const CfgWords& words, ScriptVerb verb, Engine engine);
// How many words from the second on a cvar's own name as the command sets it to: id and
// Yamagi take the next word, Q2PRO the rest joined; 0 when it only shows the value.
qsizetype cvarValueWords(const CfgWords& words, Engine engine);

// ---- Aliases ----

// The engine takes no alias name of 32 characters or more.
inline constexpr qsizetype LongestAliasName = 31;

// Alias names as the engine compares them: exactly in Q2PRO, without regard to case elsewhere.
struct AliasNameHash {
    bool exact = false;
    size_t operator()(QStringView name) const;
};
struct AliasNameEqual {
    bool exact = false;
    bool operator()(QStringView a, QStringView b) const;
};
template <typename T>
using AliasMap = std::unordered_map<QStringView, T, AliasNameHash, AliasNameEqual>;
template <typename T> AliasMap<T> aliasMap(Engine engine) {
    const bool exact = engineFacts(engine).exactCommandCase;
    return AliasMap<T>(16, AliasNameHash{exact}, AliasNameEqual{exact});
}

// Runs aliases as the engine's command buffer does: the commands of an alias run in place of
// its call, and the engine stops a looping alias after 15 runs without a "wait". Where the engine
// would loop for ever, one frame after another, a bound on the runs and on the text they run
// keeps the whole script's cost linear in its size. Runs without recursion.
class AliasRunner {
public:
    // Runs one command; gives the text of the alias the command calls, or nothing.
    using Run = std::function<std::optional<QStringView>(const CfgWords& words)>;

    explicit AliasRunner(Engine engine);
    // Runs the alias's text for a call; every command of it goes to `run`.
    void call(QStringView body, const Run& run);
    // A "wait" ran.
    void waited();

private:
    bool admits(QStringView body);

    Engine engine_;
    int runs_ = 0;       // as the engine counts them
    int allRuns_ = 0;    // in the whole script
    qsizetype text_ = 0; // characters run, in the whole script
    std::vector<QStringView> stack_;
};

// ---- Files ----

// How many bytes of the script exec puts into the command buffer: id 3.21 and Yamagi copy the
// text up to its first NUL byte; Q2PRO first takes out comments and runs of blanks.
qsizetype execSize(const QStringList& lines, Engine engine);

// The lines of a config file as the game sees them: bytes as Latin-1, split at line feeds only (a
// lone CR is a blank to the game). Throws VexaError "Cannot open file %s".
QStringList readScriptLines(const QString& fileName);
