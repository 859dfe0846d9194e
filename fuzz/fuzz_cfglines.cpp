// The config reader's line functions on any text: lines split into commands and words, run as
// a script by every engine's rules (and once more as the body of an alias that calls itself),
// the numbers in them taken, and the lines written and read back unchanged.

#include "config/CfgFile.h"
#include "config/CfgNumbers.h"
#include "config/CfgScript.h"
#include "platform/TextFile.h"

#include "FuzzWorld.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

namespace {

const char* const Variables[] = {"name", "fov", "gl_mode", "s_mixahead", "dmflags"};

void takeNumbersFrom(QStringView value) {
    (void)roundedGameNumber(value);
    (void)truncatedGameNumber(value);
    if (const auto shown = maskedFieldText(value, 3)) {
        // A value a field shows exactly is the same number there.
        FUZZ_CHECK(gameNumber(*shown) == gameNumber(value), value.toLatin1());
    }
    // What the writer writes for a number, the reader takes again.
    const double number = gameNumber(value);
    const QString written = decimalText(number);
    FUZZ_CHECK(qAbs(gameNumber(written) - number) <= qAbs(number) * 1e-14,
               (value.toString() + QStringLiteral(" -> ") + written).toLatin1());
}

// Commands cover the line, in order, and words lie within their command.
void splitEachLine(const QStringList& lines) {
    for (const QString& line : lines) {
        QStringList commands;
        for (QStringView command : splitCfgCommands(line)) {
            commands << command.toString();
            for (QStringView word : cfgCommandWords(command, Engine::id)) {
                FUZZ_CHECK(word.data() >= command.data() &&
                               word.data() + word.size() <= command.data() + command.size(),
                           line.toLatin1());
                takeNumbersFrom(word);
            }
        }
        FUZZ_CHECK(commands.join(u';') == line, line.toLatin1());
    }
}

// Kept lines are lines of the file, in file order; a second run of them keeps them all.
void runScript(const QStringList& lines, Engine engine) {
    CfgVariables variables;
    for (int slot = 0; slot < int(std::size(Variables)); ++slot)
        addVariable(variables, QString::fromLatin1(Variables[slot]), slot, engine);
    CfgScript script(lines, variables, engine);
    for (const CfgScript::Binding& binding : script.bindings())
        script.take(binding);
    const QStringList kept = script.keptLines();
    qsizetype next = 0;
    for (const QString& line : kept) {
        while (next < lines.size() && lines[next] != line)
            ++next;
        FUZZ_CHECK(next < lines.size(), line.toLatin1());
        ++next;
    }
    (void)keptLinesBefore(kept, CfgOverrides(lines, engine));
}

// The text as an alias that runs itself again after its commands, called once: the expansion
// stays within its bounds however the text loops.
void runAsLoopingAlias(const QStringList& lines, Engine engine) {
    const QString body = lines.join(u';') + QStringLiteral(";z;z");
    const QStringList script{QStringLiteral("alias z \"") + body + u'"', QStringLiteral("z")};
    CfgVariables variables;
    addVariable(variables, u"fov", 0, engine);
    (void)CfgScript(script, variables, engine).value(0);
}

void checkWrittenLinesReadBack(const QStringList& lines) {
    const QString path = FuzzWorld::get().root() + QStringLiteral("/lines.cfg");
    writeCfgFile(path, lines);
    QStringList read{QStringLiteral("stale")};
    readCfgFile(path, read);
    FUZZ_CHECK(read == lines, lines.join(u'\n').toLatin1());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const QString text = QString::fromLatin1(input.ConsumeRemainingBytesAsString());
    const QStringList lines = TextFile::splitLines(text);
    splitEachLine(lines);
    for (Engine engine : AllEngines) {
        runScript(lines, engine);
        runAsLoopingAlias(lines, engine);
    }
    checkWrittenLinesReadBack(lines);
    return 0;
}
