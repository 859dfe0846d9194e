#include "TextFile.h"

#include "FileAccess.h"
#include "VexaError.h"

#include <algorithm>

namespace {

// CR, LF or CR LF ends a line; a final line ending gives no empty last line.
template <typename Char, typename MakeLine>
QStringList splitAtLineEnds(const Char* begin, const Char* end, MakeLine makeLine) {
    QStringList lines;
    while (begin < end) {
        const Char* stop =
            std::find_if(begin, end, [](Char c) { return c == Char('\r') || c == Char('\n'); });
        lines.append(makeLine(begin, stop - begin));
        if (stop + 1 < end && *stop == Char('\r') && stop[1] == Char('\n'))
            ++stop;
        begin = stop + 1;
    }
    return lines;
}

} // namespace

namespace TextFile {

QStringList readLines(const QString& fileName) {
    const std::optional<QByteArray> bytes = readWholeFile(fileName);
    if (!bytes)
        throw VexaError(ErrorText::cannotOpen(displayName(fileName)));
    // Each line straight from the bytes: no copy of the whole text first.
    return splitAtLineEnds(
        bytes->constData(), bytes->constData() + bytes->size(),
        [](const char* line, qsizetype size) { return QString::fromLatin1(line, size); });
}

void writeLines(const QString& fileName, const QStringList& lines, const QString& lineEnding) {
    const QByteArray ending = lineEnding.toLatin1();
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + ending.size();
    QByteArray bytes(size, Qt::Uninitialized);
    char* out = bytes.data();
    for (const QString& line : lines) {
        // As toLatin1 converts, without a copy per line: beyond Latin-1 is '?'.
        out = std::transform(line.cbegin(), line.cend(), out,
                             [](QChar c) { return c.unicode() < 0x100 ? char(c.unicode()) : '?'; });
        out = std::copy(ending.cbegin(), ending.cend(), out);
    }
    if (isWriteProtected(fileName) || !replaceFile(fileName, bytes))
        throw VexaError(ErrorText::cannotCreate(displayName(fileName)));
}

QStringList splitLines(const QString& text) {
    return splitAtLineEnds(text.constData(), text.constData() + text.size(),
                           [](const QChar* line, qsizetype size) { return QString(line, size); });
}

} // namespace TextFile
