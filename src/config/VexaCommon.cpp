#include "VexaCommon.h"

#include <algorithm>

namespace {

char16_t upperAscii(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') ? char16_t(u - (u'a' - u'A')) : u;
}

bool isBlank(QChar c) {
    return c.unicode() <= u' ';
}

} // namespace

QString replaceChar(const QString& text, QChar c, const QString& replacement) {
    QString result = text;
    return result.replace(c, replacement);
}

QStringList splitAtSeparator(const QString& text, QChar separator) {
    return text.split(separator, Qt::KeepEmptyParts);
}

bool equalsIgnoringAsciiCase(QStringView a, QStringView b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](QChar x, QChar y) {
               return upperAscii(x) == upperAscii(y);
           });
}

QStringView trimmedWhere(QStringView text, bool (*trims)(QChar)) {
    qsizetype begin = 0, end = text.size();
    while (begin < end && trims(text[begin]))
        ++begin;
    while (end > begin && trims(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

QStringView trimmedOfBlanks(QStringView text) {
    return trimmedWhere(text, isBlank);
}

QString trimBlanks(const QString& text) {
    const QStringView trimmed = trimmedOfBlanks(text);
    return trimmed.size() == text.size() ? text : trimmed.toString();
}

QString trimBlanks(QStringView text) {
    return trimmedOfBlanks(text).toString();
}
