#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// How a file's bytes stand for characters.
enum class TextEncoding {
    // The game's 8-bit text (configs, profiles, maps.lst, servers.txt): every byte is one
    // character and writes back unchanged. A character beyond Latin-1 is written as '?' in a
    // config; profiles and the lists refuse it (requireEncodable).
    Latin1,
    // Text holding file names (vexa.ini, the launch script): UTF-8, as the system spells them. A
    // line that is not valid UTF-8 was written in Latin-1 and is read that way.
    Utf8,
};

namespace TextCodec {

// Whether the bytes are valid UTF-8 (ASCII included).
bool isUtf8(QByteArrayView bytes);

// Throws VexaError naming the characters of `text` that the encoding cannot hold (beyond
// Latin-1), each once, in their order, rather than writing them as '?'.
void requireEncodable(QStringView text, TextEncoding encoding);

// A whole file's bytes in the encoding's own form: for UTF-8, a file that is not valid UTF-8 is
// converted from Latin-1, so that every later slice of it decodes alone.
QByteArray normalized(QByteArray bytes, TextEncoding encoding);

// A whole file's text.
QString decodeWhole(QByteArray bytes, TextEncoding encoding);

// One line of a file: in a UTF-8 file, a line that is not UTF-8 is read as Latin-1.
QString decodeLine(QByteArrayView bytes, TextEncoding encoding);

// A piece of normalized bytes cut at ASCII characters (line ends, "=", blanks).
QString decode(QByteArrayView bytes, TextEncoding encoding);

QByteArray encode(QStringView text, TextEncoding encoding);
// The same, appended to `out` (for Latin-1 without a buffer of its own).
void appendEncoded(QByteArray& out, QStringView text, TextEncoding encoding);

} // namespace TextCodec
