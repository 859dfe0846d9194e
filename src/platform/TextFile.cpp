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

QStringList readLines(const QString& fileName, TextEncoding encoding) {
    std::optional<QByteArray> bytes = readWholeFile(fileName);
    if (!bytes)
        throw VexaError(ErrorText::cannotOpen(displayName(fileName)));
    const QByteArray text = TextCodec::normalized(std::move(*bytes), encoding);
    // Each line straight from the bytes: no copy of the whole text first.
    return splitAtLineEnds(text.constData(), text.constData() + text.size(),
                           [encoding](const char* line, qsizetype size) {
                               return TextCodec::decode(QByteArrayView(line, size), encoding);
                           });
}

void writeLines(const QString& fileName, const QStringList& lines, const QString& lineEnding,
                TextEncoding encoding) {
    const QByteArray ending = lineEnding.toLatin1();
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + ending.size();
    QByteArray bytes;
    bytes.reserve(size);
    for (const QString& line : lines) {
        TextCodec::appendEncoded(bytes, line, encoding);
        bytes.append(ending);
    }
    if (isWriteProtected(fileName) || !replaceFile(fileName, bytes))
        throw VexaError(ErrorText::cannotCreate(displayName(fileName)));
}

QStringList splitLines(const QString& text) {
    return splitAtLineEnds(text.constData(), text.constData() + text.size(),
                           [](const QChar* line, qsizetype size) { return QString(line, size); });
}

} // namespace TextFile
