#pragma once

#include "platform/PlatformConventions.h"
#include "settings/Engine.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The launch choices of the main window, read from its widgets. A combo box is given as its text
// when one of its entries is selected, and as nothing otherwise.
struct LaunchChoices {
    enum class ClientMode { None, StartNewGame, LoadSavedGame, ConnectToServer };

    QString baseDir;                       // the game's basedir: [quake2] path
    QString cdrom;                         // [quake2] cdrom, as stored
    bool startServer = false;              // cbxStartServer
    bool dedicated = false;                // sbcdedicated
    bool deathmatch = true;                // rbDeathMatch; rbCooperative otherwise
    std::optional<QString> serverStartMap; // cboServerStartMap
    ClientMode clientMode = ClientMode::None;
    std::optional<QString> clientStartMap; // cboClientStartMap
    std::optional<QString> saveGame;       // cboSaveGames
    std::optional<QString> server;         // cboServerList
    bool startWithGame = false;            // cbxStartWithGame
    QString currentGame;                   // txtCurrentGame
    QString configFile;                    // txtConfigFile, a full path
    Engine engine = Engine::id;            // how the game takes its base directory
};

// One "+" command of the game's command line: its fixed words ("+set game") and its value, which
// always travels as one argument, whatever it holds. A piece whose command does not begin with
// "+" is a switch of the program ("-datadir"), which comes before the commands.
struct CommandPiece {
    QString command;
    QString argument;

    // The command line's spelling: command, blank, argument, blank.
    QString text() const;
    // The program arguments: the command's words, then the argument as one word, in the game's
    // console quotes when the console would split it otherwise (gameValue).
    QStringList words() const;
    bool operator==(const CommandPiece&) const = default;
};
using CommandLine = QList<CommandPiece>;

// A "+" command as words, the first beginning with "+" (parsed back from a script, or a piece).
using CommandWords = QStringList;

// The pieces in the game's order: base directory ("-datadir" for Yamagi, which deprecates "+set
// basedir"), CD-ROM directory, the server's variables, game, config file to execute, then the
// map, saved game or server that starts play.
CommandLine
buildCommandPieces(const LaunchChoices& choices,
                   const PlatformConventions& conventions = PlatformConventions::native());

// The pieces' texts one after the other, leading and trailing blanks removed.
QString commandLineText(const CommandLine& pieces);

QString buildCommandLine(const LaunchChoices& choices,
                         const PlatformConventions& conventions = PlatformConventions::native());

// The arguments for starting the game program directly, without a shell: the same words a shell
// passes for the launch script. The game joins its arguments with blanks and cuts the result
// into commands at each "+", so "+map" and "q2dm1" may travel as separate arguments; a value
// stays one argument even when it holds blanks, and an empty value is an empty argument (so that
// "+set game" with no name cannot swallow the next "+" command as its value).
QStringList gameArguments(const CommandLine& pieces);

// The value as the game's console is to read it. The console splits a line into words at blanks
// and at every byte beyond ASCII (it takes them as signed characters below the blank), so a map
// name holding either is put in double quotes, which it reads as one word, byte for byte; every
// other value stays as it is.
QString gameValue(const CommandPiece& piece);

// The bytes the game gets for a command's value: a map name as MapLists::mapNameBytes gives it,
// any other value (directories, files, addresses) as the system spells file names.
QByteArray valueBytes(const QString& command, const QString& value);
// The value for bytes the game gets (as valueBytes turns it into them, when it can).
QString valueOf(const QString& command, const QByteArray& bytes);

// gameArguments as the bytes the game gets.
QList<QByteArray> gameArgumentBytes(const CommandLine& pieces);

// The "+" commands' words; the switches are left out.
QList<CommandWords> commandWords(const CommandLine& pieces);

// A command as a config line: its words joined by blanks, the leading "+" dropped ("set game ctf").
QString commandText(const CommandWords& command);

// MainWindow::configLines() for a command line: what precedes the commands (the switches), then
// one line per command, the way the status box and the script reader leave them.
QStringList cfgLinesOf(const CommandLine& pieces);

// The value of the first command that begins with `key` (letter case ignored) and has a value
// that is not blank. When the key ends where a word ends, the value is the following words as
// they stand; a key that ends inside a word (key "map" on "+mapx y") gives the trimmed rest. A
// value in double quotes is given without them, as the game's console reads it.
std::optional<QString> findCommandValue(const QList<CommandWords>& commands, const QString& key);
