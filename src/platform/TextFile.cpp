#include "TextFile.h"

#include "FileAccess.h"
#include "VexaError.h"

namespace TextFile {

QStringList readLines(const QString& fileName) {
    const std::optional<QByteArray> bytes = readWholeFile(fileName);
    if (!bytes)
        throw VexaError(ErrorText::cannotOpen(displayName(fileName)));
    return splitLines(QString::fromLatin1(*bytes));
}

void writeLines(const QString& fileName, const QStringList& lines, const QString& lineEnding) {
    const QByteArray ending = lineEnding.toLatin1();
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + ending;
    if (isWriteProtected(fileName) || !replaceFile(fileName, bytes))
        throw VexaError(ErrorText::cannotCreate(displayName(fileName)));
}

QStringList splitLines(const QString& text) {
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype begin = 0;
    while (begin < n) {
        qsizetype end = begin;
        while (end < n && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        lines << text.mid(begin, end - begin);
        if (end + 1 < n && text[end] == QLatin1Char('\r') && text[end + 1] == QLatin1Char('\n'))
            ++end;
        begin = end + 1;
    }
    return lines;
}

} // namespace TextFile
