#pragma once

#include "TextEncoding.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class IniDocument;
class IniEdit;

// One key at a time access to an INI file, with the rules of the Windows private-profile
// functions: section and key names trimmed and compared without regard to letter case, values
// trimmed and unquoted on read, the first matching section and key winning, CR, LF and CR LF
// ending lines. Every read sees the last write, also one made by another program: a parsed copy
// per file is kept and re-validated against the file's size, modification time and inode on each
// call. Writes keep every other line byte for byte, write CR LF, and replace the file atomically;
// a refused write throws VexaError "Unable to write to %s". A regular file that cannot be read
// throws VexaError "Cannot read file %s" at every call, so it is never taken as empty and
// overwritten. Text is Latin-1 unless told otherwise (see TextEncoding); in a UTF-8 file each line
// that is not valid UTF-8 reads as Latin-1, and keeps its bytes until a write changes it.
class IniFile {
public:
    explicit IniFile(QString fileName, TextEncoding encoding = TextEncoding::Latin1);
    // Parses the file at its first read and answers every later read from that parse, until it
    // writes: for many reads made at one moment, each of which would otherwise check the file.
    static IniFile snapshot(QString fileName, TextEncoding encoding = TextEncoding::Latin1);

    const QString& fileName() const { return fileName_; }

    QString readString(const QString& section, const QString& key, const QString& def) const;
    // Decimal, or hexadecimal after "0x"/"0X"; anything unconvertible gives def.
    int readInteger(const QString& section, const QString& key, int def) const;
    // Read as an integer: non-zero is true; unconvertible text (such as "true") gives def.
    bool readBool(const QString& section, const QString& key, bool def) const;

    bool sectionExists(const QString& section) const;
    bool keyExists(const QString& section, const QString& key) const;
    QStringList sectionNames() const;
    // Every section the file holds, a repeated name counted each time.
    int sectionCount() const;
    // The different keys of the section.
    int keyCount(const QString& section) const;

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value); // "1" / "0"

    // Removes the section's header and every line under it up to the next section.
    void eraseSection(const QString& section);
    void deleteKey(const QString& section, const QString& key);

    // Makes the edits on the file's current text in memory, then replaces the file once when the
    // text changed: one user operation, one replace, and nothing written when an edit throws.
    void edit(const std::function<void(IniEdit&)>& edits);

    // Drops every cached parse (tests that tamper with files behind the cache's back).
    static void clearCache();

private:
    const IniDocument& document() const;

    QString fileName_;
    QString path_; // absolute, fixed when the object is made
    TextEncoding encoding_;
    bool snapshot_ = false;
    mutable std::shared_ptr<const IniDocument> pinned_; // a snapshot's parse, once read
};
