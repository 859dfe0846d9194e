#include "TextFile.h"

#include "FileAccess.h"
#include "VexaError.h"

#include <algorithm>

namespace {

// LF ends a line, as the game and the shell end them: a CR before it belongs to the ending, a
// lone CR to the line. A final line ending gives no empty last line.
template <typename Char, typename MakeLine>
QStringList splitAtLineEnds(const Char* begin, const Char* end, MakeLine makeLine) {
    QStringList lines;
    while (begin < end) {
        const Char* stop = std::find(begin, end, Char('\n'));
        const Char* lineEnd =
            stop < end && stop > begin && stop[-1] == Char('\r') ? stop - 1 : stop;
        lines.append(makeLine(begin, lineEnd - begin));
        begin = stop + 1;
    }
    return lines;
}

} // namespace

namespace TextFile {

QStringList readLines(const QString& fileName, TextEncoding encoding, FileVersion* version) {
    if (version)
        *version = FileVersion(fileName); // the stamp before the read: a change during it shows
    std::optional<QByteArray> bytes = readWholeFile(fileName);
    if (!bytes)
        throw VexaError(ErrorText::cannotOpen(displayName(fileName)));
    if (version)
        version->setContents(*bytes);
    // Each line straight from the bytes: no copy of the whole text first.
    return splitAtLineEnds(bytes->constData(), bytes->constData() + bytes->size(),
                           [encoding](const char* line, qsizetype size) {
                               return TextCodec::decodeLine(QByteArrayView(line, size), encoding);
                           });
}

FileVersion writeLines(const QString& fileName, const QStringList& lines, const QString& lineEnding,
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
    saveFile(fileName, bytes, ErrorText::cannotCreate(displayName(fileName)));
    return FileVersion::written(fileName, bytes);
}

QStringList splitLines(const QString& text) {
    return splitAtLineEnds(text.constData(), text.constData() + text.size(),
                           [](const QChar* line, qsizetype size) { return QString(line, size); });
}

} // namespace TextFile
