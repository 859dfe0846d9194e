#include "TextEncoding.h"

#include <QStringDecoder>

#include <algorithm>

namespace TextCodec {

namespace {

bool isValidUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

bool isAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

QByteArray normalized(QByteArray bytes, TextEncoding encoding) {
    if (encoding == TextEncoding::Latin1 || isAscii(bytes) || isValidUtf8(bytes))
        return bytes;
    return QString::fromLatin1(bytes).toUtf8();
}

QString decodeWhole(QByteArray bytes, TextEncoding encoding) {
    return decode(normalized(std::move(bytes), encoding), encoding);
}

QString decode(QByteArrayView bytes, TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
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
