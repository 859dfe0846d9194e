#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class IniDocument;

// One key at a time access to an INI file, with the rules of the Windows private-profile
// functions: section and key names trimmed and compared without regard to letter case, values
// trimmed and unquoted on read, the first matching section and key winning, CR, LF and CR LF
// ending lines. Every read sees the last write, also one made by another program: a parsed copy
// per file is kept and re-validated against the file's size, modification time and inode on each
// call. Writes keep every other line byte for byte, write CR LF, and replace the file atomically;
// a refused write throws VexaError "Unable to write to %s".
class IniFile {
public:
    explicit IniFile(QString fileName);
    // Parses the file at its first read and answers every later read from that parse, until it
    // writes: for many reads made at one moment, each of which would otherwise check the file.
    static IniFile snapshot(QString fileName);

    const QString& fileName() const { return fileName_; }

    QString readString(const QString& section, const QString& key, const QString& def) const;
    // Decimal, or hexadecimal after "0x"/"0X"; anything unconvertible gives def.
    int readInteger(const QString& section, const QString& key, int def) const;
    // Read as an integer: non-zero is true; unconvertible text (such as "true") gives def.
    bool readBool(const QString& section, const QString& key, bool def) const;

    bool sectionExists(const QString& section) const;
    bool keyExists(const QString& section, const QString& key) const;
    QStringList sectionNames() const;

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value); // "1" / "0"

    // Removes the section's header and every line under it up to the next section.
    void eraseSection(const QString& section);
    void deleteKey(const QString& section, const QString& key);

    // Drops every cached parse (tests that tamper with files behind the cache's back).
    static void clearCache();

private:
    const IniDocument& document() const;

    QString fileName_;
    QString path_; // absolute, fixed when the object is made
    bool snapshot_ = false;
    mutable std::shared_ptr<const IniDocument> pinned_; // a snapshot's parse, once read
};
