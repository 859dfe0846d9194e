#pragma once

#include "Engine.h"
#include "platform/GameFiles.h"

#include <QString>
#include <QStringList>
#include <optional>

class IniFile;

// The engine the game runs on and its own directory ("home"): where that engine reads and writes
// config.cfg and keeps its saved games. Id 3.21 has none: it writes into the installation.
struct EngineChoice {
    Engine engine = Engine::id;
    QString home; // empty for none
    bool operator==(const EngineChoice&) const = default;
};

inline const QString BaseGame = QStringLiteral("baseq2");

// [quake2] engine and home; nothing when vexa.ini names no engine Vexa knows.
std::optional<EngineChoice> readEngineChoice(const IniFile& settings);
void writeEngineChoice(IniFile& settings, const EngineChoice& choice);

// Where the engine keeps its own directory: Yamagi ~/.yq2 when that exists, else
// $XDG_DATA_HOME/YamagiQ2 (default ~/.local/share/YamagiQ2); Q2PRO ~/.q2pro; none for id 3.21.
QString usualHome(Engine engine);

// The engine this machine runs: a game program in the Quake 2 directory whose name only one
// engine uses (q2pro, yquake2); else the first existing directory of ~/.yq2 and
// $XDG_DATA_HOME/YamagiQ2 (Yamagi) and ~/.q2pro (Q2PRO); else id 3.21 without a home. A
// "quake2", which several engines install, decides nothing.
EngineChoice detectEngine(const QString& quake2Dir);

// The engine found and why, as Options tells it ("its program /games/quake2/q2pro").
struct EngineDetection {
    EngineChoice choice;
    QString reason;
};
EngineDetection findEngine(const QString& quake2Dir);

// The stored choice, or id 3.21 without a home when vexa.ini holds none yet.
EngineChoice storedEngineChoice(const IniFile& settings);

// The file name of the engine's program in the Quake 2 directory: the first of its usual names
// found there, else the first (a Q2PRO installation has no "quake2" to start).
QString gameProgramName(Engine engine, const QString& quake2Dir);

// "<home>/<game>"; empty without a home.
QString homeGameFolder(const EngineChoice& choice, const QString& game = BaseGame);

// Where models, skins and maps are found: the home's baseq2 and `baseDir`, with the archives the
// engine reads.
GameFiles gameDataFiles(const EngineChoice& choice, const QString& baseDir);

// Where the mod `game` keeps its own files: its folder in the home and in the Quake 2 directory,
// with the archives the engine reads; nothing for a blank game or baseq2.
GameFiles modDataFiles(const EngineChoice& choice, const QString& quake2Dir, const QString& game);

// Vexa's own script: a file the game never writes, run last with "+exec".
inline const QString VexaScriptName = QStringLiteral("vexa.cfg");
// The config the game writes itself, and rewrites whenever it quits.
inline const QString GameConfigName = QStringLiteral("config.cfg");

// The config file to start with: Vexa's script in the game's writable baseq2, the home's with a
// home, else `baseDir`'s. The game's exec finds it there whatever mod is chosen.
QString defaultConfigFile(const EngineChoice& choice, const QString& baseDir);

// The game's own config.cfg in its writable baseq2 (the home's with a home, else `baseDir`'s).
QString gameConfigFile(const EngineChoice& choice, const QString& baseDir);

// The files the engine runs by itself at start-up, before the command line's "+exec", in its
// order (id: config.cfg, autoexec.cfg; Yamagi: yq2.cfg first; Q2PRO: baseq2's autoexec.cfg
// before the mod's, then postexec.cfg), each the first found in the engine's search folders
// for the mod `game`; only those that exist.
QStringList gameStartupFiles(const EngineChoice& choice, const QString& quake2Dir,
                             const QString& game);

// The folders the game looks for a file in, in its order: the mod's before baseq2's, each the
// home's before the installation's. A blank `game` is baseq2.
QStringList gameSearchFolders(const EngineChoice& choice, const QString& quake2Dir,
                              const QString& game);

// The file "+exec <name of chosen>" runs instead of `chosen` (written or still to be written):
// the first file of that name in the folders that come before the chosen file's own folder, or
// in any of them when it lies elsewhere. Nothing when the chosen file is the one found.
std::optional<QString> fileReadInstead(const QStringList& folders, const QString& chosen);

// The file "+exec <name of chosen>" runs: the one read instead, or `chosen` itself.
QString fileTheGameReads(const QStringList& folders, const QString& chosen);
