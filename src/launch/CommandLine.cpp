#include "CommandLine.h"

#include "platform/TextEncoding.h"
#include "profiles/MapLists.h"

#include <QFile>

#include <algorithm>

namespace {

const QString Exec = QStringLiteral("+exec");
const QString Map = QStringLiteral("+map");

void addPiece(CommandLine& pieces, const char* command, const QString& argument) {
    pieces << CommandPiece{QString::fromLatin1(command), argument};
}

bool isSwitch(const CommandPiece& piece) {
    return !piece.command.startsWith(u'+');
}

void addServerPieces(CommandLine& pieces, const LaunchChoices& c) {
    // The game matches variable names with exact letter case, and only "+set" reaches them from
    // the command line.
    addPiece(pieces, "+set dedicated", c.dedicated ? QStringLiteral("1") : QStringLiteral("0"));
    if (c.deathmatch)
        addPiece(pieces, "+set deathmatch", QStringLiteral("1"));
    else
        addPiece(pieces, "+set coop", QStringLiteral("1"));
}

// What starts play: a map, a saved game or a server. It comes after the config's "+exec": the
// game runs its "+" commands in order once it has started, and a server takes the latched
// variables a config sets (maxclients, deathmatch, ...) only when a map starts, so a map started
// before the config would run with the engine's values ("maxclients will be changed for next
// game").
void addStartPiece(CommandLine& pieces, const LaunchChoices& c) {
    using Mode = LaunchChoices::ClientMode;
    if (c.startServer) {
        if (c.serverStartMap)
            addPiece(pieces, "+map", *c.serverStartMap);
        return;
    }
    if (c.clientMode == Mode::StartNewGame && c.clientStartMap)
        addPiece(pieces, "+map", *c.clientStartMap);
    if (c.clientMode == Mode::LoadSavedGame && c.saveGame)
        addPiece(pieces, "+load", *c.saveGame);
    if (c.clientMode == Mode::ConnectToServer && c.server)
        addPiece(pieces, "+connect", *c.server);
}

// Where the key ends within the command's text, counted in whole words; -1 inside a word.
qsizetype wordsCovered(const CommandWords& command, qsizetype keyLength) {
    qsizetype length = -1; // the "+" is not part of the text
    for (qsizetype i = 0; i < command.size(); ++i) {
        length += command[i].size() + (i > 0 ? 1 : 0);
        if (length == keyLength)
            return i + 1;
        if (length > keyLength)
            return -1;
    }
    return -1;
}

// A value in the console's double quotes, without them.
QString unquoted(const QString& value) {
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        return value.mid(1, value.size() - 2);
    return value;
}

} // namespace

QString CommandPiece::text() const {
    return command + QLatin1Char(' ') + argument + QLatin1Char(' ');
}

QStringList CommandPiece::words() const {
    return command.split(QLatin1Char(' '), Qt::SkipEmptyParts) << gameValue(*this);
}

QString gameValue(const CommandPiece& piece) {
    const bool split = std::any_of(piece.argument.cbegin(), piece.argument.cend(), [](QChar c) {
        return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c.unicode() >= 0x80;
    });
    if (piece.command != Map || !split)
        return piece.argument;
    return QLatin1Char('"') + piece.argument + QLatin1Char('"');
}

CommandLine buildCommandPieces(const LaunchChoices& c, const PlatformConventions& conventions) {
    CommandLine pieces;
    // "+set basedir": the game refuses a bare "+basedir" (the variable is write-protected). The
    // game adds "baseq2" itself, so the value is the Quake 2 directory. Yamagi takes it by its
    // switch and calls "+set basedir" deprecated.
    if (!c.baseDir.isEmpty())
        addPiece(pieces, c.engine == Engine::yamagi ? "-datadir" : "+set basedir", c.baseDir);
    if (!c.cdrom.trimmed().isEmpty())
        addPiece(pieces, "+set cddir", c.cdrom);
    if (c.startServer)
        addServerPieces(pieces, c);
    if (c.startWithGame)
        addPiece(pieces, "+set game", c.currentGame);
    pieces << CommandPiece{Exec, conventions.fileNameOf(c.configFile)};
    addStartPiece(pieces, c);
    return pieces;
}

QString commandLineText(const CommandLine& pieces) {
    QString text;
    for (const CommandPiece& piece : pieces)
        text += piece.text();
    return text.trimmed();
}

QString buildCommandLine(const LaunchChoices& choices, const PlatformConventions& conventions) {
    return commandLineText(buildCommandPieces(choices, conventions));
}

QStringList gameArguments(const CommandLine& pieces) {
    QStringList arguments;
    for (const CommandPiece& piece : pieces)
        arguments << piece.words();
    return arguments;
}

QByteArray valueBytes(const QString& command, const QString& value) {
    return command == Map ? MapLists::mapNameBytes(value) : QFile::encodeName(value);
}

QString valueOf(const QString& command, const QByteArray& bytes) {
    return command == Map ? MapLists::mapNameOf(bytes)
                          : TextCodec::decodeWhole(bytes, TextEncoding::Utf8);
}

QList<QByteArray> gameArgumentBytes(const CommandLine& pieces) {
    QList<QByteArray> arguments;
    for (const CommandPiece& piece : pieces) {
        for (const QString& word : piece.command.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            arguments << word.toLatin1();
        arguments << valueBytes(piece.command, gameValue(piece));
    }
    return arguments;
}

QList<CommandWords> commandWords(const CommandLine& pieces) {
    QList<CommandWords> commands;
    for (const CommandPiece& piece : pieces) {
        if (!isSwitch(piece))
            commands << piece.words();
    }
    return commands;
}

QString commandText(const CommandWords& command) {
    return command.join(QLatin1Char(' ')).mid(1);
}

QStringList cfgLinesOf(const CommandLine& pieces) {
    QStringList switches;
    for (const CommandPiece& piece : pieces) {
        if (isSwitch(piece))
            switches << piece.words();
    }
    QStringList lines{switches.join(u' ')};
    for (const CommandWords& command : commandWords(pieces))
        lines << commandText(command);
    return lines;
}

std::optional<QString> findCommandValue(const QList<CommandWords>& commands, const QString& key) {
    for (const CommandWords& command : commands) {
        const QString text = commandText(command);
        if (!text.startsWith(key, Qt::CaseInsensitive))
            continue;
        const qsizetype covered = wordsCovered(command, key.size());
        const QString value = covered < 0 ? text.mid(key.size()).trimmed()
                                          : command.mid(covered).join(QLatin1Char(' '));
        if (!value.trimmed().isEmpty())
            return unquoted(value);
    }
    return std::nullopt;
}
