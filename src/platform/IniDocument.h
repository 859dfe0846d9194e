#pragma once

#include "FoldedText.h"
#include "TextEncoding.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The text of an INI file (its bytes kept as they are; in a UTF-8 file each line that is not
// UTF-8 is read as Latin-1) with an index of its first matching sections and keys. Parsing is one
// pass over the text; lookups are hash look-ups. The edits return the new text and leave every
// line they do not concern byte for byte as it was. Text the encoding cannot hold throws
// VexaError naming its characters (see TextCodec::requireEncodable).
class IniDocument {
public:
    IniDocument() = default;
    explicit IniDocument(QByteArray bytes, TextEncoding encoding = TextEncoding::Latin1);

    const QByteArray& bytes() const { return bytes_; }
    TextEncoding encoding() const { return encoding_; }

    // The value with its blanks and one enclosing pair of quotes removed; nothing when the
    // section or key is missing, or the key line has no '='.
    std::optional<QString> value(const QString& section, const QString& key) const;
    bool hasSection(const QString& section) const;
    bool hasKey(const QString& section, const QString& key) const;
    // The sections as spelled at their first occurrence, in file order.
    QStringList sectionNames() const;
    // Every section the file holds, a repeated name counted each time.
    int sectionCount() const { return int(sections_.size()); }
    // The different keys of the section (0 when it is missing).
    int keyCount(const QString& section) const;

    // The text cut before each section header: the part before the first section, then each
    // section from its header to the next one. `indexed`: the first of its name, the one the
    // lookups above use.
    struct Span {
        QString name;
        qsizetype begin;
        qsizetype end;
        bool indexed;
    };
    std::vector<Span> sectionSpans() const;

    QByteArray withValue(const QString& section, const QString& key, const QString& value) const;
    // What withValue adds: a section's header line, and a key's line.
    QByteArray headerLine(const QString& section) const;
    QByteArray entryLine(const QString& key, const QString& value) const;
    void appendEntryLine(QByteArray& out, const QString& key, const QString& value) const;
    // The text with its last line ended, as withValue ends it before adding a section.
    QByteArray withLineEnding() const;
    // A section or key name as the lookups take it: without its blanks.
    static QStringView nameOf(const QString& name);
    QByteArray withoutSection(const QString& section) const;
    QByteArray withoutKey(const QString& section, const QString& key) const;

private:
    struct Line {
        qsizetype begin;
        qsizetype end;  // where the line ending starts
        qsizetype next; // where the next line starts (end when the last line has no ending)
        bool latin1;    // a UTF-8 file's line that is not UTF-8
    };
    struct Key {
        int line;
        qsizetype nameEnd;         // after the name, before its trailing blanks
        qsizetype valueBegin = -1; // after "=" and its blanks; -1 without "="
        qsizetype valueEnd = -1;   // before the trailing blanks
    };
    struct Section {
        QString name;
        int header;
        int lastEntry;
        int end;                 // the line after the section: the next header or the line count
        bool indexed;            // the first section of that name, the one reads and writes use
        FoldedHashMap<Key> keys; // name -> first occurrence (indexed sections only)
    };

    bool unterminated() const;
    QString text(int line, const char* data, qsizetype size) const;
    void appendFileText(QByteArray& out, QStringView text) const;
    QByteArray fileText(QStringView text) const;
    void splitLines();
    void parseLine(int index);
    void addSection(int index, QString name);
    void addKey(int index, qsizetype begin, qsizetype end);
    const Section* findSection(const QString& section) const;
    const Key* findKey(const QString& section, const QString& key) const;
    qsizetype lineStart(int index) const;
    QByteArray replaced(qsizetype from, qsizetype to, const QByteArray& text) const;
    QByteArray replacedInLine(int line, qsizetype from, const QByteArray& rest) const;

    QByteArray bytes_;
    TextEncoding encoding_ = TextEncoding::Latin1;
    QList<Line> lines_;
    std::vector<Section> sections_;
    FoldedHashMap<int> sectionIndex_; // name -> first section
    // The last section looked up, by the name as asked (the document never changes, and the
    // program reads on one thread).
    mutable QString lastSectionName_;
    mutable int lastSection_ = -1; // -1: not there
};
