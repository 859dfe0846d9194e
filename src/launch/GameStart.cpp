#include "GameStart.h"

#include "platform/ProcessStart.h"

#include <QFileInfo>

GameStart scriptStart(const QString& script, const QString& quake2Dir,
                      const PlatformConventions& conventions) {
    GameStart start;
    start.workingDirectory = quake2Dir;
    start.file = script;
    start.script = script;
    // The script is never run through its own permissions or first line: the shell reads it.
    if (conventions.style() == PlatformConventions::Style::Windows) {
        start.program = QStringLiteral("cmd.exe");
        start.arguments = QStringList{QStringLiteral("/c"), script};
    } else {
        start.program = QStringLiteral("/bin/sh");
        start.arguments = QStringList{script};
    }
    // The script was just written to start this program; checking it here turns a missing game
    // into a message instead of a shell error nobody sees.
    start.gameProgram = conventions.join(quake2Dir, conventions.gameExecutable());
    return start;
}

GameStart directStart(const CommandLine& pieces, const QString& quake2Dir,
                      const PlatformConventions& conventions) {
    GameStart start;
    start.program = conventions.join(quake2Dir, conventions.gameExecutable());
    start.arguments = gameArguments(pieces);
    start.workingDirectory = quake2Dir;
    start.file = start.program;
    start.gameProgram = start.program;
    return start;
}

std::optional<QString> startGame(const GameStart& start) {
    if (!start.script.isEmpty() && !QFileInfo(start.script).isFile())
        return start.script;
    const QFileInfo game(start.gameProgram);
    if (!game.isFile() || !game.isExecutable())
        return start.gameProgram;
    if (!startDetached(start.program, start.arguments, start.workingDirectory))
        return start.file;
    return std::nullopt;
}
