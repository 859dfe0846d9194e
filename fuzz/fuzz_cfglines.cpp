// The config reader's line functions on any text: lines split, looked up and taken apart, the
// numbers in them parsed, and the lines written and read back unchanged.

#include "config/CfgFile.h"
#include "config/CfgNumbers.h"
#include "config/VexaCommon.h"
#include "platform/TextFile.h"
#include "platform/VexaError.h"

#include "FuzzWorld.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace {

// The keys the window looks up, and one made by the input.
const char* const fixedKeys[] = {"set name", "set skin", "gl_mode", "set s_khz", "set dmflags"};

std::optional<double> decimal(const QString& text) {
    try {
        return parseDecimal(text);
    } catch (const VexaError&) {
        return std::nullopt;
    }
}

void takeNumbersFrom(const QString& value) {
    try {
        (void)parseWholeNumber(value);
    } catch (const VexaError&) {
    }
    (void)maskedNumberText(value);
    if (const auto number = decimal(value)) {
        (void)trackBarPosition(*number, TrackBarStep::Volume);
        // What the writer writes for a number, the reader takes again.
        const QString written = decimalText(*number);
        FUZZ_CHECK(decimal(written).has_value(),
                   (value + QStringLiteral(" -> ") + written).toLatin1());
    }
}

void lookUp(const QStringList& lines, const CfgLineFinder& finder, const QString& key) {
    const CfgLookup found = FindCfgValue(lines, key);
    FUZZ_CHECK(finder.find(key) == found, key.toLatin1());
    if (found.found)
        takeNumbersFrom(found.value);
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
    const QString key = QString::fromLatin1(input.ConsumeRandomLengthString(24));
    const QString text = QString::fromLatin1(input.ConsumeRemainingBytesAsString());
    const QStringList lines = TextFile::splitLines(text);

    for (const SettingLine& line : SplitCfgLines(lines)) {
        takeNumbersFrom(line.value);
        (void)SplitAtSeparator(line.value, u'/');
    }
    for (const QString& line : lines) {
        const ThreeParts parts = SplitInThree(line, u' ');
        FUZZ_CHECK(line.startsWith(parts.first), line.toLatin1());
        (void)unquoteValue(line);
    }
    const CfgLineFinder finder(lines);
    for (const char* fixed : fixedKeys)
        lookUp(lines, finder, QLatin1String(fixed));
    lookUp(lines, finder, key);
    checkWrittenLinesReadBack(lines);
    return 0;
}
