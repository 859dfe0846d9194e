#include "GameStart.h"

#include "ScriptWords.h"
#include "platform/FileAccess.h"
#include "platform/ProcessStart.h"
#include "platform/TextEncoding.h"

#include <QFile>

namespace {

// The program the script's command starts, as the bytes of its name: the shell runs exactly
// those bytes, whatever encoding they were written in. Nothing for a script that names none.
std::optional<QByteArray> scriptProgram(const QString& script, PlatformConventions::Style style) {
    const std::optional<QByteArray> bytes = readWholeFile(script);
    if (!bytes)
        return std::nullopt;
    // Latin-1 takes every byte as one character and gives it back, so the words keep their bytes.
    const QList<ScriptWord> words = ScriptWords::split(QString::fromLatin1(*bytes), style);
    if (words.isEmpty() || words.first().startsCommand)
        return std::nullopt;
    return words.first().text.toLatin1();
}

} // namespace

GameStart scriptStart(const QString& script, const QString& quake2Dir,
                      const PlatformConventions& conventions) {
    GameStart start;
    start.workingDirectory = quake2Dir;
    start.file = script;
    start.script = script;
    start.scriptStyle = conventions.style();
    // The script is never run through its own permissions or first line: the shell reads it.
    if (conventions.style() == PlatformConventions::Style::Windows) {
        start.program = QStringLiteral("cmd.exe");
        start.arguments = {"/c", QFile::encodeName(script)};
    } else {
        start.program = QStringLiteral("/bin/sh");
        start.arguments = {QFile::encodeName(script)};
    }
    return start;
}

GameStart directStart(const CommandLine& pieces, const QString& quake2Dir,
                      const PlatformConventions& conventions, const QString& program) {
    GameStart start;
    start.program =
        conventions.join(quake2Dir, program.isEmpty() ? conventions.gameExecutable() : program);
    start.arguments = gameArgumentBytes(pieces);
    start.workingDirectory = quake2Dir;
    start.file = start.program;
    start.gameProgram = start.program;
    return start;
}

std::optional<QString> startGame(const GameStart& start) {
    // The shell starting is no sign that the game will: what the script names is checked first,
    // so that a script that cannot start the game is reported instead of failing unseen.
    if (!start.script.isEmpty()) {
        const std::optional<QByteArray> program = scriptProgram(start.script, start.scriptStyle);
        if (!program)
            return start.script;
        if (!isRunnable(*program, start.workingDirectory))
            return TextCodec::decodeWhole(*program, TextEncoding::Utf8);
    } else if (!isRunnable(QFile::encodeName(start.gameProgram), start.workingDirectory)) {
        return start.gameProgram;
    }
    if (!startDetached(start.program, start.arguments, start.workingDirectory))
        return start.file;
    return std::nullopt;
}
