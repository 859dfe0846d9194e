#pragma once

#include "FoldedText.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The text of an INI file (Latin-1 bytes, kept as they are) with an index of its first matching
// sections and keys. Parsing is one pass over the text; lookups are hash look-ups. The edits
// return the new text and leave every line they do not concern byte for byte as it was.
class IniDocument {
public:
    IniDocument() = default;
    explicit IniDocument(QByteArray bytes);

    const QByteArray& bytes() const { return bytes_; }

    // The value with its blanks and one enclosing pair of quotes removed; nothing when the
    // section or key is missing, or the key line has no '='.
    std::optional<QString> value(const QString& section, const QString& key) const;
    bool hasSection(const QString& section) const;
    bool hasKey(const QString& section, const QString& key) const;
    // The sections as spelled at their first occurrence, in file order.
    QStringList sectionNames() const;

    QByteArray withValue(const QString& section, const QString& key, const QString& value) const;
    QByteArray withoutSection(const QString& section) const;
    QByteArray withoutKey(const QString& section, const QString& key) const;

private:
    struct Line {
        qsizetype begin;
        qsizetype end;  // where the line ending starts
        qsizetype next; // where the next line starts (end when the last line has no ending)
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

    void splitLines();
    void parseLine(int index);
    void addSection(int index, QString name);
    void addKey(int index, qsizetype begin, qsizetype end);
    const Section* findSection(const QString& section) const;
    const Key* findKey(const QString& section, const QString& key) const;
    qsizetype lineStart(int index) const;
    QByteArray replaced(qsizetype from, qsizetype to, const QByteArray& text) const;

    QByteArray bytes_;
    QList<Line> lines_;
    std::vector<Section> sections_;
    FoldedHashMap<int> sectionIndex_; // name -> first section
};
