// The INI reader and writer on any text: parse, write one key through IniFile, parse again. The
// written value reads back, and every line the write does not concern stays byte for byte.

#include "platform/IniDocument.h"
#include "platform/IniEdit.h"
#include "platform/IniFile.h"
#include "platform/VexaError.h"

#include "FuzzWorld.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

namespace {

struct Line {
    QByteArray text;
    QByteArray ending;
    bool operator==(const Line&) const = default;
};

// CR, LF and CR LF end a line, as the reader has it.
QList<Line> linesOf(const QByteArray& bytes) {
    QList<Line> lines;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        qsizetype end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        qsizetype next = end;
        if (next < bytes.size())
            next += bytes.mid(next, 2) == "\r\n" ? 2 : 1;
        lines.append({bytes.mid(pos, end - pos), bytes.mid(end, next - end)});
        pos = next;
    }
    return lines;
}

QByteArray describe(const QByteArray& before, const QByteArray& after) {
    return "before: " + before.toPercentEncoding() + "\nafter:  " + after.toPercentEncoding();
}

// The lines that differ form one run: at most one old line goes, at most three new ones come (an
// unterminated last line gaining its ending, a section header, the entry).
void checkOtherLinesKept(const QByteArray& before, const QByteArray& after) {
    const QList<Line> a = linesOf(before);
    const QList<Line> b = linesOf(after);
    qsizetype head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    qsizetype tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    const qsizetype removed = a.size() - head - tail;
    const qsizetype added = b.size() - head - tail;
    FUZZ_CHECK(removed <= 1 && added >= removed && added - removed <= 2, describe(before, after));
    if (removed == 1 && added > 1) // only an unterminated last line may change, by its ending
        FUZZ_CHECK(a[head].ending.isEmpty() && a[head].text == b[head].text && head + 1 == a.size(),
                   describe(before, after));
    if (removed == 1 && added == 1)
        FUZZ_CHECK(a[head].ending == b[head].ending, describe(before, after));
}

// `after` is `before` with the bytes of one whole line, its ending included, taken out.
bool isWithoutOneLine(const QByteArray& before, const QByteArray& after) {
    qsizetype start = 0;
    for (const Line& line : linesOf(before)) {
        const qsizetype length = line.text.size() + line.ending.size();
        if (before.left(start) + before.mid(start + length) == after)
            return true;
        start += length;
    }
    return false;
}

// Names the file layout can carry: no line break, nothing the reader would take for a comment or
// a header, no "=" in a key, and not empty once trimmed.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}
QByteArray trimmed(const QByteArray& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}
bool carriesSection(const QByteArray& name) {
    return !trimmed(name).isEmpty() && !name.contains('\r') && !name.contains('\n');
}
bool carriesKey(const QByteArray& name) {
    const QByteArray t = trimmed(name);
    return carriesSection(name) && !name.contains('=') && t[0] != ';' && t[0] != '[';
}

QByteArray expectedValue(QByteArray value) {
    value.replace('\r', ' ').replace('\n', ' ');
    value = trimmed(value);
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.mid(1, value.size() - 2);
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const QByteArray section = QByteArray::fromStdString(input.ConsumeRandomLengthString(40));
    const QByteArray key = QByteArray::fromStdString(input.ConsumeRandomLengthString(40));
    const QByteArray value = QByteArray::fromStdString(input.ConsumeRandomLengthString(80));
    const QByteArray before = QByteArray::fromStdString(input.ConsumeRemainingBytesAsString());

    // The document on its own: every look-up and edit on it.
    const IniDocument document(before);
    const QString s = QString::fromLatin1(section);
    const QString k = QString::fromLatin1(key);
    (void)document.sectionNames();
    (void)document.value(s, k);
    checkOtherLinesKept(before, document.withValue(s, k, QString::fromLatin1(value)));
    const QByteArray withoutKey = document.withoutKey(s, k);
    FUZZ_CHECK(withoutKey == before || isWithoutOneLine(before, withoutKey),
               describe(before, withoutKey));
    const QByteArray withoutSection = document.withoutSection(s);
    qsizetype kept = 0; // a run of whole lines goes, the rest stays
    while (kept < withoutSection.size() && withoutSection[kept] == before[kept])
        ++kept;
    FUZZ_CHECK(before.endsWith(withoutSection.mid(kept)), describe(before, withoutSection));
    // The same through the file: write, then read back from disk.
    IniFile::clearCache();
    const QString path = FuzzWorld::get().writeFile(QStringLiteral("fuzz.ini"), before);
    IniFile ini(path);
    try {
        ini.writeString(s, k, QString::fromLatin1(value));
    } catch (const VexaError&) {
        fuzzFailure("a write to a writable file failed");
    }
    const QByteArray after = FuzzWorld::readFile(path);
    checkOtherLinesKept(before, after);
    IniFile::clearCache();
    if (carriesSection(section) && carriesKey(key)) {
        const QString read = IniFile(path).readString(s, k, QStringLiteral("<none>"));
        FUZZ_CHECK(read == QString::fromLatin1(expectedValue(value)),
                   describe(before, after) + "\nread:   " + read.toLatin1().toPercentEncoding());
        FUZZ_CHECK(IniDocument(after).withValue(s, k, QString::fromLatin1(value)) == after,
                   describe(before, after));
        // Edits made in memory give the text the same edits give one at a time.
        IniEdit edit(document);
        edit.writeString(s, k, QString::fromLatin1(value));
        edit.writeString(s + QLatin1Char('x'), k, QString::fromLatin1(value));
        edit.eraseSection(s);
        const IniDocument written(document.withValue(s, k, QString::fromLatin1(value)));
        const IniDocument added(
            written.withValue(s + QLatin1Char('x'), k, QString::fromLatin1(value)));
        FUZZ_CHECK(edit.bytes() == added.withoutSection(s), describe(before, edit.bytes()));
    }
    return 0;
}
