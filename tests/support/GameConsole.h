#pragma once

#include "settings/Engine.h"

#include <QMap>
#include <QString>
#include <QStringList>

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

    // What a player would notice between this state and `after`: cvars, binds and aliases lost,
    // changed (numbers compared as numbers) or added, other commands no longer run or run in
    // another order; one text each, "cvar fov: 90 -> 100".
    QStringList differences(const GameState& after) const;
};

GameState playConfig(const QStringList& lines, Engine engine = Engine::id);
// The file's lines (any line end), Latin-1.
GameState playConfigFile(const QString& path, Engine engine = Engine::id);
