// The launch script's quoting: any values, quoted and joined into a script line, split back into
// the same values, for both shells; and a whole script line built from "+" commands reads back
// with every command's value intact.

#include "launch/BatchFile.h"
#include "launch/ScriptWords.h"

#include "FuzzWorld.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

namespace {

using Style = PlatformConventions::Style;

QString describe(const QStringList& words, const QString& script) {
    QString text = QStringLiteral("script: ") + script;
    for (const QString& word : words)
        text += QStringLiteral("\nword:   ") + word;
    return text;
}

// What survives a cmd line: line breaks become blanks.
QString carried(QString word, Style style) {
    if (style == Style::Windows)
        word.replace(u'\r', u' ').replace(u'\n', u' ');
    return word;
}

void checkWords(const QStringList& words, Style style) {
    QStringList quoted;
    for (const QString& word : words)
        quoted << ScriptWords::quote(word, style);
    const QString script = quoted.join(u' ');
    const QList<ScriptWord> split = ScriptWords::split(script, style);
    FUZZ_CHECK(split.size() == words.size(), describe(words, script).toUtf8());
    for (qsizetype i = 0; i < words.size(); ++i)
        FUZZ_CHECK(split[i].text == carried(words[i], style) && !split[i].startsCommand,
                   describe(words, script).toUtf8());
}

// The script line of commands with these values reads back with the values as the last words.
void checkCommands(const QString& quake2Dir, const QStringList& values,
                   const PlatformConventions& conventions) {
    static const char* const commands[] = {"+set game", "+map", "+connect", "+exec", "+load"};
    CommandLine pieces;
    for (qsizetype i = 0; i < values.size(); ++i)
        pieces << CommandPiece{QLatin1String(commands[i % std::size(commands)]), values[i]};
    const QString line = batchFileLine(quake2Dir, pieces, conventions);
    const BatchFileContents read = parseBatchFile(line, conventions.style());
    FUZZ_CHECK(read.commands.size() == pieces.size(), describe(values, line).toUtf8());
    // Each value as the game's console is to read it: a map name with a blank in its quotes.
    for (qsizetype i = 0; i < pieces.size(); ++i)
        FUZZ_CHECK(read.commands[i].last() == carried(gameValue(pieces[i]), conventions.style()),
                   describe(values, line).toUtf8());
    // A double quote is the game's own (Run refuses a value holding one): the game is read back
    // without the quotes around it.
    if (!values.isEmpty() && !carried(values[0], conventions.style()).trimmed().isEmpty() &&
        !values[0].contains(u'"'))
        FUZZ_CHECK(read.game == carried(values[0], conventions.style()),
                   describe(values, line).toUtf8());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const bool windows = input.ConsumeBool();
    const QString quake2Dir = QString::fromLatin1(input.ConsumeRandomLengthString(64));
    QStringList words;
    while (input.remaining_bytes() > 0 && words.size() < 32)
        words << QString::fromLatin1(input.ConsumeRandomLengthString(64));
    const auto& conventions =
        windows ? PlatformConventions::windows() : PlatformConventions::posix();
    checkWords(words, conventions.style());
    checkCommands(quake2Dir, words, conventions);
    // Any text as a script: the reader takes it apart without harm.
    (void)ScriptWords::split(
        QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)),
        conventions.style());
    return 0;
}
