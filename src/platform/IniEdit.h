#pragma once

#include "FoldedText.h"
#include "IniDocument.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// Many edits of one INI text made in memory, so that one user operation replaces the file once.
// Reads see the edits made before them. The text comes out as the same edits made one at a time
// through IniDocument would leave it (for every name a line can carry: no line break, and a key
// without "=" that does not start with ";" or "["), but each edit costs the size of the section
// it touches, not the size of the file: the text is kept cut at its section headers and a
// section is parsed on its own once it is read apart or changed.
class IniEdit {
public:
    explicit IniEdit(const IniDocument& original);

    QString readString(const QString& section, const QString& key, const QString& def) const;
    bool keyExists(const QString& section, const QString& key) const;
    // Every section the text holds now, a repeated name counted each time.
    int sectionCount() const { return sections_; }
    int keyCount(const QString& section) const;

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void eraseSection(const QString& section);
    void deleteKey(const QString& section, const QString& key);

    QByteArray bytes() const;

private:
    static constexpr std::size_t None = std::size_t(-1);

    // The keys of a new section: a short list looked through, a long one indexed.
    class KeyNames {
    public:
        // Files the name; false when it is there already.
        bool insert(QStringView name);
        bool contains(QStringView name) const;
        int size() const { return int(names_.size()); }

    private:
        static constexpr int Indexed = 16;
        QList<QString> names_;
        FoldedHashMap<bool> index_; // from Indexed names on
    };

    // The part before the first section, or one section from its header to the next one.
    struct Chunk {
        enum class State { Original, Parsed, Added, Erased };
        State state = State::Original;
        qsizetype begin = 0; // Original: the slice of the original text
        qsizetype end = 0;
        bool indexed = false;               // Original: the original's lookups find it
        std::optional<IniDocument> section; // Parsed: the section alone
        QByteArray added;                   // Added: a new section, only ever given new keys
        KeyNames addedKeys;
        std::size_t nextOfName = None; // the next live section of the same name
    };
    using State = Chunk::State;

    Chunk* find(const QString& section) const;
    // The chunk as a document of its own, for reads and edits that need its lines.
    IniDocument& parsed(Chunk& chunk) const;
    QByteArrayView originalText(const Chunk& chunk) const;
    QByteArrayView textOf(const Chunk& chunk) const;
    // Files a new chunk as the last live section of its name.
    void link(const QString& name, std::size_t chunk);
    Chunk& addSection(const QString& section);
    void endLastLine();

    const IniDocument& original_;
    mutable std::vector<Chunk> chunks_; // [0]: the part before the first section
    FoldedHashMap<std::size_t> byName_; // the first live section of each name
    mutable QString lastName_;          // the last name looked up, and its section
    mutable std::size_t lastChunk_ = None;
    int sections_ = 0;
};
