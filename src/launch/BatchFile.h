#pragma once

#include "CommandLine.h"
#include "platform/PlatformConventions.h"
#include "platform/TextEncoding.h"

#include <QString>
#include <QStringList>
#include <optional>

// The launch script: one line naming the game program in the Quake 2 directory, followed by the
// command line, every value quoted for the shell (see ScriptWords.h) so that the script starts
// the game and nothing else.

// The script names directories and files, so it is written the way the system spells them; a map
// name is written in the bytes the game gets (see CommandLine's valueBytes).
inline constexpr TextEncoding ScriptEncoding = TextEncoding::Utf8;

// The encoding that keeps the script's bytes through an editor: UTF-8, unless a word of it is in
// other bytes (a map name in the game's 8-bit text); then Latin-1, one character per byte.
TextEncoding scriptEditEncoding(const QString& batchFile);

// The script's line (without its line ending). `program` is the game program's file name in the
// Quake 2 directory; empty for the platform's usual one.
QString batchFileLine(const QString& quake2Dir, const CommandLine& pieces,
                      const PlatformConventions& conventions = PlatformConventions::native(),
                      const QString& program = {});

// Writes the script's one line to `batchFile`, replacing it atomically. Throws VexaError
// "Cannot create file %s".
void writeBatchFile(const QString& batchFile, const QString& quake2Dir, const CommandLine& pieces,
                    const PlatformConventions& conventions = PlatformConventions::native(),
                    const QString& program = {});

// What a script holds. The launch controls take the values in the order of the members, from
// `game` to `server`; a value that is absent leaves its control alone (except `game`, whose
// absence unticks "Start Quake2 with this Game").
struct BatchFileContents {
    // The file was missing and has been created with the bare game program: apply nothing.
    bool created = false;
    // As MainWindow::configLines(): the program words, then one line per "+" command ("set game
    // ctf"); empty for an empty file.
    QStringList cfgLines;
    QList<CommandWords> commands;

    std::optional<QString> game;       // "set game"
    std::optional<QString> dedicated;  // "set dedicated": ticked when exactly "1"
    std::optional<QString> map;        // "map": the server's or the client's start map
    std::optional<QString> deathmatch; // "set deathmatch": choose DeathMatch
    std::optional<QString> coop;       // "set coop": choose Cooperative
    std::optional<QString> saveGame;   // "load": choose Load Saved Game
    std::optional<QString> server;     // "connect": choose Connect to Server
};

// Reads the script text: its first command, cut into "+" commands and looked up.
BatchFileContents parseBatchFile(const QString& text, PlatformConventions::Style style);

// Reads `batchFile`; a missing file is created holding the game program in `quake2Dir` alone.
// Throws VexaError "Cannot open file %s" or "Cannot create file %s".
BatchFileContents
readBatchFile(const QString& batchFile, const QString& quake2Dir,
              const PlatformConventions& conventions = PlatformConventions::native());
