#include "TextEncoding.h"

#include "VexaError.h"

#include <QList>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>

namespace TextCodec {

namespace {

bool isAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

bool isUtf8(QByteArrayView bytes) {
    if (isAscii(bytes))
        return true;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

void requireEncodable(QStringView text, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8)
        return;
    QList<uint> beyond;
    for (const uint c : text.toUcs4())
        if (c > 0xff && !beyond.contains(c))
            beyond << c;
    if (beyond.isEmpty())
        return;
    QStringList shown;
    for (const uint c : std::as_const(beyond))
        shown << QStringLiteral("\"%1\" (U+%2)")
                     .arg(QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1),
                          QString::number(c, 16).toUpper().rightJustified(4, u'0'));
    throw VexaError(
        QStringLiteral("%1 cannot be saved: this file holds Latin-1 text only. Please take %2 out.")
            .arg(shown.join(QStringLiteral(", ")),
                 beyond.size() == 1 ? QStringLiteral("it") : QStringLiteral("them")));
}

QByteArray normalized(QByteArray bytes, TextEncoding encoding) {
    if (encoding == TextEncoding::Latin1 || isUtf8(bytes))
        return bytes;
    return QString::fromLatin1(bytes).toUtf8();
}

QString decodeWhole(QByteArray bytes, TextEncoding encoding) {
    return decode(normalized(std::move(bytes), encoding), encoding);
}

QString decode(QByteArrayView bytes, TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}

QString decodeLine(QByteArrayView bytes, TextEncoding encoding) {
    const bool latin1 = encoding == TextEncoding::Latin1 || !isUtf8(bytes);
    return decode(bytes, latin1 ? TextEncoding::Latin1 : TextEncoding::Utf8);
}

QByteArray encode(QStringView text, TextEncoding encoding) {
    QByteArray bytes;
    appendEncoded(bytes, text, encoding);
    return bytes;
}

void appendEncoded(QByteArray& out, QStringView text, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) {
        out.append(text.toUtf8());
        return;
    }
    const qsizetype at = out.size();
    out.resize(at + text.size());
    // As toLatin1 converts: beyond Latin-1 is '?'.
    std::transform(text.begin(), text.end(), out.begin() + at,
                   [](QChar c) { return c.unicode() < 0x100 ? char(c.unicode()) : '?'; });
}

} // namespace TextCodec
