#include "IniDocument.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

// The blanks the system trims around names and values (line breaks never reach here).
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}
bool isBlank(QChar c) {
    return c.unicode() < 128 && isBlank(static_cast<char>(c.unicode()));
}

// A name without the blanks around it, as the tables file it (letter case is their concern).
QStringView trimmedName(const QString& name) {
    qsizetype begin = 0;
    qsizetype end = name.size();
    while (begin < end && isBlank(name[begin]))
        ++begin;
    while (end > begin && isBlank(name[end - 1]))
        --end;
    return QStringView(name).sliced(begin, end - begin);
}

QString unquoted(const QString& value) {
    if (value.size() >= 2 && (value[0] == QLatin1Char('"') || value[0] == QLatin1Char('\'')) &&
        value.back() == value[0])
        return value.mid(1, value.size() - 2);
    return value;
}

const QByteArray lineEnding = QByteArrayLiteral("\r\n");
constexpr char Utf8Bom[] = "\xef\xbb\xbf";

} // namespace

IniDocument::IniDocument(QByteArray bytes, TextEncoding encoding)
    : bytes_(std::move(bytes)), encoding_(encoding) {
    splitLines();
    for (int i = 0; i < lines_.size(); ++i)
        parseLine(i);
}

QString IniDocument::text(int line, const char* data, qsizetype size) const {
    return TextCodec::decode(QByteArrayView(data, size),
                             lines_[line].latin1 ? TextEncoding::Latin1 : encoding_);
}

// A line break inside a name or value would split the entry into lines of its own (and could
// forge a section), so it is written as a blank (in either encoding a line break is one byte that
// no other character's bytes contain).
void IniDocument::appendFileText(QByteArray& out, QStringView text) const {
    TextCodec::requireEncodable(text, encoding_);
    const qsizetype from = out.size();
    TextCodec::appendEncoded(out, text, encoding_);
    std::replace_if(
        out.begin() + from, out.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
}

QByteArray IniDocument::fileText(QStringView text) const {
    QByteArray bytes;
    appendFileText(bytes, text);
    return bytes;
}

void IniDocument::splitLines() {
    const char* d = bytes_.constData();
    const qsizetype n = bytes_.size();
    qsizetype pos = 0;
    while (pos < n) {
        qsizetype end = pos;
        while (end < n && d[end] != '\r' && d[end] != '\n')
            ++end;
        qsizetype next = end;
        if (next < n)
            next += (d[next] == '\r' && next + 1 < n && d[next + 1] == '\n') ? 2 : 1;
        // In a UTF-8 file, a line that is not UTF-8 was written in Latin-1: decided per line, so
        // that one such line leaves the others as they are.
        const bool latin1 = encoding_ == TextEncoding::Utf8 &&
                            !TextCodec::isUtf8(QByteArrayView(d + pos, end - pos));
        lines_.append({pos, end, next, latin1});
        pos = next;
    }
}

void IniDocument::parseLine(int index) {
    const char* d = bytes_.constData();
    qsizetype begin = lines_[index].begin;
    qsizetype end = lines_[index].end;
    // Editors that save UTF-8 may put a byte-order mark first; it must not hide the first section.
    if (index == 0 && bytes_.startsWith(Utf8Bom))
        begin += qsizetype(std::size(Utf8Bom)) - 1;
    while (begin < end && isBlank(d[begin]))
        ++begin;
    while (end > begin && isBlank(d[end - 1]))
        --end;
    if (begin == end || d[begin] == ';')
        return;
    if (d[begin] == '[') {
        // The name runs to the last ']'; a line without one is read as a key.
        qsizetype close = end - 1;
        while (close > begin && d[close] != ']')
            --close;
        if (close > begin) {
            addSection(index,
                       trimmedName(text(index, d + begin + 1, close - begin - 1)).toString());
            return;
        }
    }
    if (!sections_.empty()) // lines before the first section belong to none
        addKey(index, begin, end);
}

void IniDocument::addSection(int index, QString name) {
    if (!sections_.empty())
        sections_.back().end = index;
    const bool first = sectionIndex_.try_emplace(name, static_cast<int>(sections_.size())).second;
    sections_.push_back(
        {std::move(name), index, index, static_cast<int>(lines_.size()), first, {}});
}

void IniDocument::addKey(int index, qsizetype begin, qsizetype end) {
    Section& section = sections_.back();
    section.lastEntry = index;
    if (!section.indexed)
        return;
    const char* d = bytes_.constData();
    const char* equals =
        static_cast<const char*>(memchr(d + begin, '=', static_cast<size_t>(end - begin)));
    Key key{index, equals ? equals - d : end};
    while (key.nameEnd > begin && isBlank(d[key.nameEnd - 1]))
        --key.nameEnd;
    if (equals) {
        key.valueBegin = equals - d + 1;
        while (key.valueBegin < end && isBlank(d[key.valueBegin]))
            ++key.valueBegin;
        key.valueEnd = end;
    }
    // The first occurrence wins.
    section.keys.try_emplace(text(index, d + begin, key.nameEnd - begin), key);
}

const IniDocument::Section* IniDocument::findSection(const QString& section) const {
    // Readers ask for several keys of one section in a row: the same name spelt the same way
    // needs no second hash.
    if (lastSectionName_.isNull() || section != lastSectionName_) {
        const auto it = sectionIndex_.find(trimmedName(section));
        lastSectionName_ = section;
        lastSection_ = it == sectionIndex_.end() ? -1 : it->second;
    }
    return lastSection_ < 0 ? nullptr : &sections_[size_t(lastSection_)];
}

const IniDocument::Key* IniDocument::findKey(const QString& section, const QString& key) const {
    const Section* s = findSection(section);
    if (!s)
        return nullptr;
    const auto it = s->keys.find(trimmedName(key));
    return it == s->keys.end() ? nullptr : &it->second;
}

qsizetype IniDocument::lineStart(int index) const {
    return index < lines_.size() ? lines_[index].begin : bytes_.size();
}

QByteArray IniDocument::replaced(qsizetype from, qsizetype to, const QByteArray& text) const {
    QByteArray result;
    result.reserve(bytes_.size() - (to - from) + text.size());
    result.append(bytes_.constData(), from);
    result.append(text);
    result.append(bytes_.constData() + to, bytes_.size() - to);
    return result;
}

// The line's bytes from `from` on replaced by `text`. A line read as Latin-1 in a UTF-8 file is
// written whole in UTF-8 then, so that it reads back in one encoding.
QByteArray IniDocument::replacedInLine(int line, qsizetype from, const QByteArray& rest) const {
    const Line& l = lines_[line];
    if (!l.latin1)
        return replaced(from, l.end, rest);
    const QString head = text(line, bytes_.constData() + l.begin, from - l.begin);
    return replaced(l.begin, l.end, fileText(head) + rest);
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const {
    const Key* k = findKey(section, key);
    if (!k || k->valueBegin < 0)
        return std::nullopt;
    return unquoted(text(k->line, bytes_.constData() + k->valueBegin, k->valueEnd - k->valueBegin));
}

bool IniDocument::hasSection(const QString& section) const {
    return findSection(section);
}

bool IniDocument::hasKey(const QString& section, const QString& key) const {
    return findKey(section, key);
}

QStringList IniDocument::sectionNames() const {
    QStringList names;
    for (const Section& s : sections_)
        if (s.indexed)
            names << s.name;
    return names;
}

QByteArray IniDocument::headerLine(const QString& section) const {
    QByteArray line;
    line.reserve(section.size() + 4);
    line += '[';
    appendFileText(line, trimmedName(section));
    return line.append(']').append(lineEnding);
}

QByteArray IniDocument::entryLine(const QString& key, const QString& value) const {
    QByteArray line;
    line.reserve(key.size() + value.size() + 3);
    appendEntryLine(line, key, value);
    return line;
}

void IniDocument::appendEntryLine(QByteArray& out, const QString& key, const QString& value) const {
    appendFileText(out, trimmedName(key));
    out += '=';
    appendFileText(out, value);
    out += lineEnding;
}

QByteArray IniDocument::withLineEnding() const {
    return unterminated() ? bytes_ + lineEnding : bytes_;
}

bool IniDocument::unterminated() const {
    return !lines_.isEmpty() && lines_.back().next == lines_.back().end;
}

QStringView IniDocument::nameOf(const QString& name) {
    return trimmedName(name);
}

int IniDocument::keyCount(const QString& section) const {
    const Section* s = findSection(section);
    return s ? int(s->keys.size()) : 0;
}

std::vector<IniDocument::Span> IniDocument::sectionSpans() const {
    std::vector<Span> spans;
    spans.reserve(sections_.size() + 1);
    const qsizetype first = sections_.empty() ? bytes_.size() : lineStart(sections_[0].header);
    spans.push_back({QString(), 0, first, false});
    for (const Section& s : sections_)
        spans.push_back({s.name, lineStart(s.header), lineStart(s.end), s.indexed});
    return spans;
}

QByteArray IniDocument::withValue(const QString& section, const QString& key,
                                  const QString& value) const {
    const QByteArray text = fileText(value);
    const Section* s = findSection(section);
    const QByteArray entry = entryLine(key, value);
    if (!s) {
        return replaced(bytes_.size(), bytes_.size(),
                        (unterminated() ? lineEnding : QByteArray()) + headerLine(section) + entry);
    }
    const auto it = s->keys.find(trimmedName(key));
    if (it != s->keys.end()) {
        const Key& k = it->second;
        // Only the value changes; the name keeps its spelling and the line its ending.
        const qsizetype lineEnd = lines_[k.line].end;
        if (k.valueBegin < 0)
            return replacedInLine(k.line, k.nameEnd, '=' + text);
        // A value that brings blanks of its own, or none at all, replaces the blanks after the
        // "=": otherwise writing the same value again would change the line again.
        qsizetype from = k.valueBegin;
        if (text.isEmpty() || isBlank(text[0]))
            while (isBlank(bytes_[from - 1]))
                --from;
        if (this->text(k.line, bytes_.constData() + from, lineEnd - from) ==
            TextCodec::decode(text, encoding_))
            return bytes_;
        return replacedInLine(k.line, from, text);
    }
    const Line& last = lines_[s->lastEntry];
    return replaced(last.next, last.next,
                    (last.next == last.end ? lineEnding : QByteArray()) + entry);
}

QByteArray IniDocument::withoutSection(const QString& section) const {
    const Section* s = findSection(section);
    if (!s)
        return bytes_;
    return replaced(lineStart(s->header), lineStart(s->end), {});
}

QByteArray IniDocument::withoutKey(const QString& section, const QString& key) const {
    const Key* k = findKey(section, key);
    if (!k)
        return bytes_;
    return replaced(lines_[k->line].begin, lines_[k->line].next, {});
}
