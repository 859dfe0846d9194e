#include "BatchFile.h"

#include "ScriptWords.h"
#include "platform/FileAccess.h"
#include "platform/TextFile.h"
#include "platform/VexaError.h"

#include <QFile>

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
QString readScript(const QString& fileName) {
    std::optional<QByteArray> bytes = readWholeFile(fileName);
    if (!bytes)
        throw VexaError(ErrorText::cannotOpen(displayName(fileName)));
    return TextCodec::decodeWhole(std::move(*bytes), ScriptEncoding);
}

} // namespace

QString batchFileLine(const QString& quake2Dir, const CommandLine& pieces,
                      const PlatformConventions& conventions, const QString& program) {
    const auto style = conventions.style();
    QString line = ScriptWords::quote(gameProgram(quake2Dir, conventions, program), style);
    // The commands' own words are fixed texts that need no quoting and must stay unquoted: an
    // unquoted leading "+" is what marks a command when the script is read back.
    for (const CommandPiece& piece : pieces)
        line += QLatin1Char(' ') + piece.command + QLatin1Char(' ') +
                ScriptWords::quote(piece.argument, style);
    return line;
}

void writeBatchFile(const QString& batchFile, const QString& quake2Dir, const CommandLine& pieces,
                    const PlatformConventions& conventions, const QString& program) {
    TextFile::writeLines(batchFile, {batchFileLine(quake2Dir, pieces, conventions, program)},
                         conventions.lineEnding(), ScriptEncoding);
}

BatchFileContents parseBatchFile(const QString& text, PlatformConventions::Style style) {
    BatchFileContents contents;
    if (text.isEmpty()) // no line at all
        return contents;
    const QList<ScriptWord> words = ScriptWords::split(text, style);
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

BatchFileContents readBatchFile(const QString& batchFile, const QString& quake2Dir,
                                const PlatformConventions& conventions) {
    if (!QFile::exists(batchFile)) {
        writeBatchFile(batchFile, quake2Dir, {}, conventions);
        BatchFileContents contents;
        contents.created = true;
        return contents;
    }
    return parseBatchFile(readScript(batchFile), conventions.style());
}
