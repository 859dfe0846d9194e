#pragma once

#include "GameConsole.h"

#include <QString>
#include <QStringList>

// Whether the engine archives the cvar once the code registering it has run.
bool archivedByRegistration(Engine engine, const QString& cvar);

// One game session by an engine's rules, on the layout TestEnvironment and RealEngine make: the
// start runs the game's own files and the command line in the engine's order, each file found
// where the engine looks first (home before the Quake 2 directory, the mod before baseq2); quit
// writes config.cfg as the engine does, with the bindings and the archived cvars only.
class GameSession {
public:
    // `home` is "" for id 3.21, which keeps its files in the installation. The command line's
    // "-datadir", "+set basedir" and "+set homedir" take the place of these.
    GameSession(Engine engine, const QString& home, const QString& quake2Dir);

    // Starts the game with the words after the program's name; what it then holds.
    const GameState& start(const QStringList& arguments);
    const GameState& state() const { return console_.state(); }

    // Quits: writes config.cfg into the mod's (or baseq2's) writable folder; gives its path.
    QString quit() const;

private:
    void readArguments(const QStringList& arguments);
    QStringList gameDirs() const; // the mod's folder first
    // The first of `gameDirs` (home before the Quake 2 directory in each) holding `name`.
    QString find(const QString& name, const QStringList& gameDirs) const;
    // The lines the engine runs for the file at `path`; nothing when there is none to run.
    std::optional<QStringList> execFile(const QString& path) const;

    Engine engine_;
    QString home_, baseDir_, mod_;
    QList<QStringList> sets_, commands_; // the command line's "+set" and other "+" commands
    GameConsole console_;
};
