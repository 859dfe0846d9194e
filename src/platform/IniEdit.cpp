#include "IniEdit.h"

#include <algorithm>

bool IniEdit::KeyNames::contains(QStringView name) const {
    if (names_.size() >= Indexed)
        return index_.find(name) != index_.end();
    return std::any_of(names_.begin(), names_.end(),
                       [&](const QString& known) { return FoldedEqual()(known, name); });
}

bool IniEdit::KeyNames::insert(QStringView name) {
    if (contains(name))
        return false;
    names_.append(name.toString());
    if (names_.size() == Indexed) {
        for (const QString& known : std::as_const(names_))
            index_.try_emplace(known, true);
    } else if (names_.size() > Indexed) {
        index_.try_emplace(names_.back(), true);
    }
    return true;
}

IniEdit::IniEdit(const IniDocument& original) : original_(original) {
    const std::vector<IniDocument::Span> spans = original.sectionSpans();
    chunks_.resize(spans.size());
    byName_.reserve(spans.size());
    for (std::size_t i = 0; i < spans.size(); ++i) {
        chunks_[i].begin = spans[i].begin;
        chunks_[i].end = spans[i].end;
        chunks_[i].indexed = spans[i].indexed;
    }
    // The sections of one name chained in file order, the first filed by name.
    std::vector<std::size_t> last(spans.size(), None);
    for (std::size_t i = 1; i < spans.size(); ++i) {
        const auto [it, first] = byName_.try_emplace(spans[i].name, i);
        if (!first)
            chunks_[last[it->second]].nextOfName = i;
        last[it->second] = i;
        ++sections_;
    }
}

void IniEdit::link(const QString& name, std::size_t chunk) {
    lastName_ = QString();
    const auto [it, first] = byName_.try_emplace(name, chunk);
    if (first)
        return;
    if (it->second == None) {
        it->second = chunk;
        return;
    }
    std::size_t tail = it->second;
    while (chunks_[tail].nextOfName != None)
        tail = chunks_[tail].nextOfName;
    chunks_[tail].nextOfName = chunk;
}

IniEdit::Chunk* IniEdit::find(const QString& section) const {
    // Edits come in runs on one section: the same name spelt the same way needs no second hash.
    if (lastName_.isNull() || section != lastName_) {
        const auto it = byName_.find(IniDocument::nameOf(section));
        lastName_ = section;
        lastChunk_ = it == byName_.end() ? None : it->second;
    }
    return lastChunk_ == None ? nullptr : &chunks_[lastChunk_];
}

QByteArrayView IniEdit::originalText(const Chunk& chunk) const {
    return QByteArrayView(original_.bytes()).sliced(chunk.begin, chunk.end - chunk.begin);
}

IniDocument& IniEdit::parsed(Chunk& chunk) const {
    if (chunk.state == State::Original)
        chunk.section.emplace(originalText(chunk).toByteArray(), original_.encoding());
    else if (chunk.state == State::Added)
        chunk.section.emplace(std::move(chunk.added), original_.encoding());
    chunk.state = State::Parsed;
    chunk.addedKeys = KeyNames();
    return *chunk.section;
}

QString IniEdit::readString(const QString& section, const QString& key, const QString& def) const {
    Chunk* chunk = find(section);
    if (!chunk)
        return def;
    if (chunk->state == State::Original && chunk->indexed)
        return original_.value(section, key).value_or(def);
    return parsed(*chunk).value(section, key).value_or(def);
}

bool IniEdit::keyExists(const QString& section, const QString& key) const {
    Chunk* chunk = find(section);
    if (!chunk)
        return false;
    if (chunk->state == State::Original && chunk->indexed)
        return original_.hasKey(section, key);
    if (chunk->state == State::Added)
        return chunk->addedKeys.contains(IniDocument::nameOf(key));
    return parsed(*chunk).hasKey(section, key);
}

int IniEdit::keyCount(const QString& section) const {
    Chunk* chunk = find(section);
    if (!chunk)
        return 0;
    if (chunk->state == State::Original && chunk->indexed)
        return original_.keyCount(section);
    if (chunk->state == State::Added)
        return chunk->addedKeys.size();
    return parsed(*chunk).keyCount(section);
}

QByteArrayView IniEdit::textOf(const Chunk& chunk) const {
    switch (chunk.state) {
    case State::Original:
        return originalText(chunk);
    case State::Parsed:
        return chunk.section->bytes();
    case State::Added:
        return chunk.added;
    case State::Erased:
        break;
    }
    return {};
}

// A new section goes at the end of the text, after a line ending of its own for a last line that
// has none.
void IniEdit::endLastLine() {
    for (auto it = chunks_.rbegin(); it != chunks_.rend(); ++it) {
        const QByteArrayView text = textOf(*it);
        if (text.isEmpty())
            continue;
        if (text.back() != '\n' && text.back() != '\r') {
            IniDocument& document = parsed(*it);
            document = IniDocument(document.withLineEnding(), original_.encoding());
        }
        return;
    }
}

IniEdit::Chunk& IniEdit::addSection(const QString& section) {
    endLastLine();
    Chunk chunk;
    chunk.state = State::Added;
    chunk.added = original_.headerLine(section);
    const QStringView name = IniDocument::nameOf(section);
    link(name.size() == section.size() ? section : name.toString(), chunks_.size());
    ++sections_;
    chunks_.push_back(std::move(chunk));
    return chunks_.back();
}

void IniEdit::writeString(const QString& section, const QString& key, const QString& value) {
    Chunk* chunk = find(section);
    if (!chunk)
        chunk = &addSection(section);
    // A key the new section does not hold yet is one more line at its end.
    if (chunk->state == State::Added && chunk->addedKeys.insert(IniDocument::nameOf(key))) {
        original_.appendEntryLine(chunk->added, key, value);
        return;
    }
    IniDocument& document = parsed(*chunk);
    document = IniDocument(document.withValue(section, key, value), original_.encoding());
}

void IniEdit::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

void IniEdit::eraseSection(const QString& section) {
    const auto it = byName_.find(IniDocument::nameOf(section));
    if (it == byName_.end() || it->second == None)
        return;
    Chunk& chunk = chunks_[it->second];
    it->second = chunk.nextOfName;
    lastName_ = QString();
    chunk = Chunk();
    chunk.state = State::Erased;
    --sections_;
}

void IniEdit::deleteKey(const QString& section, const QString& key) {
    Chunk* chunk = find(section);
    if (!chunk || !keyExists(section, key))
        return;
    IniDocument& document = parsed(*chunk);
    document = IniDocument(document.withoutKey(section, key), original_.encoding());
}

QByteArray IniEdit::bytes() const {
    QByteArray text;
    text.reserve(original_.bytes().size());
    for (const Chunk& chunk : chunks_)
        text.append(textOf(chunk));
    return text;
}
