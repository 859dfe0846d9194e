#pragma once

#include "CommandLine.h"
#include "platform/PlatformConventions.h"

#include <QString>
#include <QStringList>
#include <optional>

// How Run starts the game: either the launch script, or the game program directly with the
// command line's arguments (no shell in between). The game runs in the Quake 2 directory.
struct GameStart {
    QString program;
    QList<QByteArray> arguments; // as the program gets them
    QString workingDirectory;
    // The file the user knows: the script, or the game program. Named when the start fails.
    QString file;
    // What has to be there for the start to reach the game: for a script start, the script and
    // the program it names (read back from the script, as the shell will read it); for a direct
    // start, the game program.
    QString script;
    PlatformConventions::Style scriptStyle = PlatformConventions::Style::Posix;
    QString gameProgram;
};

GameStart scriptStart(const QString& script, const QString& quake2Dir,
                      const PlatformConventions& conventions = PlatformConventions::native());

// `program` is the game program's file name in the Quake 2 directory; empty for the platform's
// usual one.
GameStart directStart(const CommandLine& pieces, const QString& quake2Dir,
                      const PlatformConventions& conventions = PlatformConventions::native(),
                      const QString& program = {});

// Checks that the start can reach the game, then starts it detached. Returns nothing when the
// game was started; otherwise, having started nothing, the file that could not be executed: the
// script when it is missing or names no program, the program when it is missing or not
// executable, `file` when the system refuses the start.
std::optional<QString> startGame(const GameStart& start);
