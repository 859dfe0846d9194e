#include "IniFile.h"

#include "FileAccess.h"
#include "IniDocument.h"
#include "IniEdit.h"
#include "VexaError.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <memory>

namespace {

struct CachedFile {
    FileStamp stamp;
    std::shared_ptr<const IniDocument> document;
};

std::shared_ptr<const IniDocument> parsed(QByteArray bytes, TextEncoding encoding) {
    return std::make_shared<const IniDocument>(std::move(bytes), encoding);
}

// One parsed copy per file, keyed by absolute path, shared by every IniFile on that file.
QHash<QString, CachedFile>& cache() {
    static QHash<QString, CachedFile> files;
    return files;
}

// What is no regular file (a FIFO, a device, a directory) reads as an empty one. A regular file
// that cannot be read is an error, never an empty file: the next write would drop every line.
QByteArray readBytes(const QString& path) {
    if (std::optional<QByteArray> bytes = readWholeFile(path))
        return *std::move(bytes);
    if (QFileInfo(path).isFile())
        throw VexaError(ErrorText::cannotRead(displayName(path)));
    return {};
}

// The file as it is on disk now; the cached parse serves as long as the stamp matches. A file
// changed between the stamp and the read is read again on the next call, as its stamp differs.
// (A file read in another encoding than the cached parse's is parsed again.)
const std::shared_ptr<const IniDocument>& current(const QString& path, TextEncoding encoding) {
    const FileStamp stamp = fileStamp(path);
    auto it = cache().find(path);
    if (it == cache().end() || !(it->stamp == stamp) || it->document->encoding() != encoding)
        it = cache().insert(
            path, {stamp, parsed(stamp.exists ? readBytes(path) : QByteArray(), encoding)});
    return it->document;
}

// Applies an edit to the current text and replaces the file when the text changes.
template <typename Edit> void update(const QString& path, TextEncoding encoding, Edit edit) {
    const std::shared_ptr<const IniDocument> before = current(path, encoding);
    QByteArray after = edit(*before);
    if (after == before->bytes())
        return;
    saveFile(path, after, ErrorText::unableToWrite(displayName(path)));
    cache().insert(path, {fileStamp(path), parsed(std::move(after), encoding)});
}

int digitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return 99;
}

// Decimal with an optional sign, or hexadecimal after "0x"/"0X". A hexadecimal value is a bit
// pattern of up to 32 bits ("0xFFFFFFFF" is -1); anything out of range does not convert.
std::optional<int> parseInteger(QStringView text) {
    int base = 10;
    bool negative = false;
    if (text.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        text = text.mid(2);
    } else if (text.startsWith(u'+') || text.startsWith(u'-')) {
        negative = text.startsWith(u'-');
        text = text.mid(1);
    }
    const qint64 limit = base == 16 ? 0xFFFFFFFFLL : (negative ? 0x80000000LL : 0x7FFFFFFFLL);
    if (text.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (QChar c : text) {
        const int digit = digitValue(c);
        if (digit >= base)
            return std::nullopt;
        value = value * base + digit;
        if (value > limit)
            return std::nullopt;
    }
    if (base == 16)
        return static_cast<int>(static_cast<quint32>(value));
    return static_cast<int>(negative ? -value : value);
}

} // namespace

IniFile::IniFile(QString fileName, TextEncoding encoding)
    : fileName_(std::move(fileName)),
      path_(QDir::cleanPath(QDir::current().absoluteFilePath(fileName_))), encoding_(encoding) {}

IniFile IniFile::snapshot(QString fileName, TextEncoding encoding) {
    IniFile file(std::move(fileName), encoding);
    file.snapshot_ = true;
    return file;
}

const IniDocument& IniFile::document() const {
    if (!snapshot_)
        return *current(path_, encoding_);
    if (!pinned_)
        pinned_ = current(path_, encoding_);
    return *pinned_;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const {
    return document().value(section, key).value_or(def);
}

int IniFile::readInteger(const QString& section, const QString& key, int def) const {
    const std::optional<QString> text = document().value(section, key);
    return text ? parseInteger(*text).value_or(def) : def;
}

bool IniFile::readBool(const QString& section, const QString& key, bool def) const {
    const std::optional<QString> text = document().value(section, key);
    const std::optional<int> number = text ? parseInteger(*text) : std::nullopt;
    return number ? *number != 0 : def;
}

bool IniFile::sectionExists(const QString& section) const {
    return document().hasSection(section);
}

bool IniFile::keyExists(const QString& section, const QString& key) const {
    return document().hasKey(section, key);
}

QStringList IniFile::sectionNames() const {
    return document().sectionNames();
}

int IniFile::sectionCount() const {
    return document().sectionCount();
}

int IniFile::keyCount(const QString& section) const {
    return document().keyCount(section);
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    pinned_.reset();
    update(path_, encoding_,
           [&](const IniDocument& d) { return d.withValue(section, key, value); });
}

void IniFile::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::eraseSection(const QString& section) {
    pinned_.reset();
    update(path_, encoding_, [&](const IniDocument& d) { return d.withoutSection(section); });
}

void IniFile::deleteKey(const QString& section, const QString& key) {
    pinned_.reset();
    update(path_, encoding_, [&](const IniDocument& d) { return d.withoutKey(section, key); });
}

void IniFile::edit(const std::function<void(IniEdit&)>& edits) {
    pinned_.reset();
    update(path_, encoding_, [&](const IniDocument& d) {
        IniEdit editing(d);
        edits(editing);
        return editing.bytes();
    });
}

void IniFile::clearCache() {
    cache().clear();
}
