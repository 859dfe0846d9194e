#include "BatchFile.h"

#include "ScriptWords.h"
#include "platform/FileAccess.h"
#include "platform/TextFile.h"
#include "platform/VexaError.h"

#include <QFile>
#include <QStringDecoder>

namespace {

// The lookups in the order the launch controls take them.
struct Lookup {
    const char* key;
    std::optional<QString> BatchFileContents::*value;
};
const Lookup lookups[] = {
    {"set game", &BatchFileContents::game},  {"set dedicated", &BatchFileContents::dedicated},
    {"map", &BatchFileContents::map},        {"set deathmatch", &BatchFileContents::deathmatch},
    {"set coop", &BatchFileContents::coop},  {"load", &BatchFileContents::saveGame},
    {"connect", &BatchFileContents::server},
};

QString gameProgram(const QString& quake2Dir, const PlatformConventions& conventions,
                    const QString& name) {
    const QString program =
        conventions.join(quake2Dir, name.isEmpty() ? conventions.gameExecutable() : name);
    // A bare name would be looked up along PATH and could start some other program.
    if (conventions.style() == PlatformConventions::Style::Posix &&
        !program.contains(QLatin1Char('/')))
        return QStringLiteral("./") + program;
    return program;
}

// The whole file: a quoted value may run over several lines.
QByteArray readScript(const QString& fileName) {
    std::optional<QByteArray> bytes = readWholeFile(fileName);
    if (!bytes)
        throw VexaError(ErrorText::cannotOpen(displayName(fileName)));
    return std::move(*bytes);
}

// The script's line with each word given by `word` from its text and the command it belongs to
// (none for the program).
template <typename Word>
QString scriptLine(const QString& quake2Dir, const CommandLine& pieces,
                   const PlatformConventions& conventions, const QString& program, Word word) {
    const auto style = conventions.style();
    QString line =
        ScriptWords::quote(word(QString(), gameProgram(quake2Dir, conventions, program)), style);
    // The commands' own words are fixed texts that need no quoting and must stay unquoted: an
    // unquoted leading "+" is what marks a command when the script is read back.
    for (const CommandPiece& piece : pieces)
        line += QLatin1Char(' ') + piece.command + QLatin1Char(' ') +
                ScriptWords::quote(word(piece.command, gameValue(piece)), style);
    return line;
}

// The script's text one character per byte: each word in the bytes the game gets for it (map
// names in the game's 8-bit text, file names as the system spells them), so the shell hands
// exactly those on.
QString scriptBytesLine(const QString& quake2Dir, const CommandLine& pieces,
                        const PlatformConventions& conventions, const QString& program) {
    return scriptLine(quake2Dir, pieces, conventions, program,
                      [](const QString& command, const QString& text) {
                          return QString::fromLatin1(valueBytes(command, text));
                      });
}

BatchFileContents contentsOf(const QList<ScriptWord>& words) {
    BatchFileContents contents;
    QStringList program;
    for (const ScriptWord& word : words) {
        if (word.startsCommand)
            contents.commands << CommandWords{word.text};
        else if (contents.commands.isEmpty())
            program << word.text;
        else
            contents.commands.last() << word.text;
    }
    contents.cfgLines << program.join(QLatin1Char(' '));
    for (const CommandWords& command : contents.commands)
        contents.cfgLines << commandText(command);
    for (const Lookup& lookup : lookups)
        contents.*lookup.value = findCommandValue(contents.commands, QLatin1String(lookup.key));
    return contents;
}

// Words read one byte a character, each turned into the text it stands for: a map name as the
// game takes its bytes, any other word as the system spells file names.
QList<ScriptWord> decodedWords(QList<ScriptWord> words) {
    QString command;
    for (ScriptWord& word : words) {
        if (word.startsCommand)
            command = word.text;
        word.text = valueOf(command, word.text.toLatin1());
    }
    return words;
}

} // namespace

TextEncoding scriptEditEncoding(const QString& batchFile) {
    const std::optional<QByteArray> bytes = readWholeFile(batchFile);
    if (!bytes)
        return ScriptEncoding;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString text = utf8.decode(*bytes);
    return utf8.hasError() ? TextEncoding::Latin1 : ScriptEncoding;
}

QString batchFileLine(const QString& quake2Dir, const CommandLine& pieces,
                      const PlatformConventions& conventions, const QString& program) {
    return scriptLine(quake2Dir, pieces, conventions, program,
                      [](const QString&, const QString& text) { return text; });
}

void writeBatchFile(const QString& batchFile, const QString& quake2Dir, const CommandLine& pieces,
                    const PlatformConventions& conventions, const QString& program) {
    TextFile::writeLines(batchFile, {scriptBytesLine(quake2Dir, pieces, conventions, program)},
                         conventions.lineEnding(), TextEncoding::Latin1);
}

BatchFileContents parseBatchFile(const QString& text, PlatformConventions::Style style) {
    if (text.isEmpty()) // no line at all
        return {};
    return contentsOf(ScriptWords::split(text, style));
}

BatchFileContents readBatchFile(const QString& batchFile, const QString& quake2Dir,
                                const PlatformConventions& conventions) {
    if (!QFile::exists(batchFile)) {
        writeBatchFile(batchFile, quake2Dir, {}, conventions);
        BatchFileContents contents;
        contents.created = true;
        return contents;
    }
    const QByteArray bytes = readScript(batchFile);
    if (bytes.isEmpty()) // no line at all
        return {};
    return contentsOf(
        decodedWords(ScriptWords::split(QString::fromLatin1(bytes), conventions.style())));
}
