#pragma once

#include "settings/Engine.h"

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

// What the game holds after running a config script, read by the engine's rules as Vexa's
// reader reads it (config/ConfigScript): commands and words as the engine cuts them, the verb
// looked up among the engine's commands, then the aliases (whose commands run next, as often as
// the engine lets a looping alias run), then the cvars (a registered cvar's name sets it). Cvar
// names keep their letter case; Yamagi's renamed cvars take their new names.
struct GameState {
    QMap<QString, QString> cvars;
    QMap<QString, QString> binds;   // by key: a single character as it is, a name in capitals
    QMap<QString, QString> aliases; // by name as defined
    QStringList commands;           // every other command run, in order, words joined by blanks
    QSet<QString> archivedBySet;    // cvars set with the archive flag ("set NAME VALUE a", "seta")

    // What a player would notice between this state and `after`: cvars, binds and aliases lost,
    // changed (numbers compared as numbers) or added, other commands no longer run or run in
    // another order; one text each, "cvar fov: 90 -> 100".
    QStringList differences(const GameState& after) const;
};

// A console that runs script after script into one state, as the game's console does from
// start to quit. An `exec` goes to `execFile` (when given) and runs the lines it gives there.
// Until the client starts, a cvar answers to its name only when a script created it: the client
// and the renderer register theirs when they start.
class GameConsole {
public:
    using ExecFile = std::function<std::optional<QStringList>(const QString& name)>;

    explicit GameConsole(Engine engine, ExecFile execFile = {}, bool clientStarted = true);
    ~GameConsole();
    GameConsole(const GameConsole&) = delete;
    GameConsole& operator=(const GameConsole&) = delete;

    void run(const QStringList& lines);
    // One command given as its words, as a "+" command of the command line.
    void runCommand(const QStringList& words);
    const GameState& state() const;
    void startClient();

private:
    class Console;
    std::unique_ptr<Console> console_;
};

GameState playConfig(const QStringList& lines, Engine engine = Engine::id);
// The file's lines (any line end), Latin-1.
GameState playConfigFile(const QString& path, Engine engine = Engine::id);
