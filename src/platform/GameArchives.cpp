#include "GameArchives.h"

#include "FileAccess.h"

#include <QFile>
#include <QHash>
#include <QtEndian>

#include <algorithm>

namespace {

constexpr qsizetype PakHeaderSize = 12;
constexpr qsizetype PakEntrySize = 64;
constexpr qsizetype PakNameSize = 56;

qint64 littleEndian32(const char* bytes) {
    return qFromLittleEndian<qint32>(bytes);
}

// A span of `length` bytes at `offset` that lies within a file of `size` bytes.
bool withinFile(qint64 offset, qint64 length, qint64 size) {
    return offset >= 0 && length >= 0 && offset <= size && length <= size - offset;
}

QByteArrayView upToNul(QByteArrayView bytes) {
    const qsizetype end = bytes.indexOf('\0');
    return end < 0 ? bytes : bytes.first(end);
}

// A span of a device read in pieces of at most a chunk (or one record, when longer), so that a
// directory is never held whole, whatever length it claims.
class SpanReader {
public:
    SpanReader(QIODevice& device, qint64 offset, qint64 length)
        : device_(device), next_(offset), end_(offset + length) {}

    // The next `length` bytes of the span, valid until the next call; nothing when the span or
    // the device ends first.
    std::optional<QByteArrayView> take(qsizetype length) {
        if (buffer_.size() - at_ < length && !fill(length))
            return std::nullopt;
        const QByteArrayView bytes = QByteArrayView(buffer_).sliced(at_, length);
        at_ += length;
        return bytes;
    }

private:
    static constexpr qint64 Chunk = 64 * 1024;

    bool fill(qsizetype length) {
        buffer_.remove(0, at_);
        at_ = 0;
        const qint64 wanted =
            std::min(std::max<qint64>(length - buffer_.size(), Chunk), end_ - next_);
        if (buffer_.size() + wanted < length || !device_.seek(next_))
            return false;
        const QByteArray more = device_.read(wanted);
        if (more.size() != wanted)
            return false;
        buffer_ += more;
        next_ += wanted;
        return true;
    }

    QIODevice& device_;
    qint64 next_;
    qint64 end_;
    QByteArray buffer_;
    qsizetype at_ = 0;
};

std::optional<ArchiveNames> readPakEntries(SpanReader directory, qint64 entries, qint64 fileSize,
                                           ArchiveNames names) {
    for (qint64 n = 0; n < entries; ++n) {
        const auto entry = directory.take(PakEntrySize);
        if (!entry)
            return std::nullopt;
        const char* bytes = entry->data();
        if (!withinFile(littleEndian32(bytes + PakNameSize),
                        littleEndian32(bytes + PakNameSize + 4), fileSize))
            return std::nullopt; // its data was cut off
        names.add({bytes, PakNameSize});
    }
    return names;
}

// A zip's central directory is found through the end record at the end of the file (after it
// only a comment of up to 64 KiB), or through the zip64 end record it points to.
constexpr qsizetype EndRecordSize = 22;
constexpr qsizetype MaxZipComment = 0xFFFF;
constexpr qsizetype Zip64LocatorSize = 20;
constexpr qsizetype Zip64EndRecordSize = 56;
constexpr qsizetype CentralHeaderSize = 46;
const QByteArray EndRecordMark("PK\x05\x06", 4);
const QByteArray Zip64LocatorMark("PK\x06\x07", 4);
const QByteArray Zip64EndRecordMark("PK\x06\x06", 4);
const QByteArray CentralHeaderMark("PK\x01\x02", 4);

QByteArray le16Bytes(quint16 value) {
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}
QByteArray le32Bytes(quint32 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

quint64 le16(const char* bytes) {
    return qFromLittleEndian<quint16>(bytes);
}
quint64 le32(const char* bytes) {
    return qFromLittleEndian<quint32>(bytes);
}
quint64 le64(const char* bytes) {
    return qFromLittleEndian<quint64>(bytes);
}

struct CentralDirectory {
    quint64 offset = 0;
    quint64 size = 0;
    quint64 entries = 0;
};

QByteArray readAt(QIODevice& device, qint64 offset, qint64 length) {
    if (!device.seek(offset))
        return {};
    return device.read(length);
}

// The zip64 end record named by the locator just before the end record at `endAt`.
std::optional<CentralDirectory> zip64Directory(QIODevice& device, qint64 endAt) {
    if (endAt < Zip64LocatorSize + Zip64EndRecordSize)
        return std::nullopt;
    const QByteArray locator = readAt(device, endAt - Zip64LocatorSize, Zip64LocatorSize);
    if (locator.size() != Zip64LocatorSize || !locator.startsWith(Zip64LocatorMark))
        return std::nullopt;
    const quint64 recordAt = le64(locator.constData() + 8);
    if (recordAt > quint64(endAt - Zip64LocatorSize - Zip64EndRecordSize))
        return std::nullopt;
    const QByteArray record = readAt(device, qint64(recordAt), Zip64EndRecordSize);
    if (record.size() != Zip64EndRecordSize || !record.startsWith(Zip64EndRecordMark))
        return std::nullopt;
    return CentralDirectory{le64(record.constData() + 48), le64(record.constData() + 40),
                            le64(record.constData() + 32)};
}

// The directory the end record at `at` of `tail` (the file's last bytes, from `tailStart`)
// describes, when the record is whole, of a single-part archive, and the directory lies before
// it.
std::optional<CentralDirectory> centralDirectory(QIODevice& device, const QByteArray& tail,
                                                 qsizetype at, qint64 tailStart) {
    const char* record = tail.constData() + at;
    if (tail.size() - at < EndRecordSize ||
        le16(record + 20) > quint64(tail.size() - at - EndRecordSize) || le16(record + 4) != 0 ||
        le16(record + 6) != 0)
        return std::nullopt;
    const qint64 endAt = tailStart + at;
    CentralDirectory directory{le32(record + 16), le32(record + 12), le16(record + 10)};
    if (directory.entries == 0xFFFF || directory.size == 0xFFFFFFFF ||
        directory.offset == 0xFFFFFFFF) {
        const auto zip64 = zip64Directory(device, endAt);
        if (!zip64)
            return std::nullopt;
        directory = *zip64;
    }
    if (directory.offset > quint64(endAt) || directory.size > quint64(endAt) - directory.offset ||
        directory.entries > directory.size / CentralHeaderSize)
        return std::nullopt;
    return directory;
}

// The names of the directory's file headers: a fixed part, then the name, extra field and
// comment whose lengths it gives.
std::optional<ArchiveNames>
readCentralDirectory(QIODevice& device, const CentralDirectory& directory, ArchiveNames names) {
    SpanReader headers(device, qint64(directory.offset), qint64(directory.size));
    for (quint64 n = 0; n < directory.entries; ++n) {
        const auto fixed = headers.take(CentralHeaderSize);
        if (!fixed || !fixed->startsWith(CentralHeaderMark))
            return std::nullopt;
        const qsizetype nameLength = qsizetype(le16(fixed->data() + 28));
        const qsizetype rest =
            nameLength + qsizetype(le16(fixed->data() + 30) + le16(fixed->data() + 32));
        const auto variable = headers.take(rest);
        if (!variable)
            return std::nullopt;
        names.add(variable->first(nameLength));
    }
    return names;
}

bool hasPakExtension(const QString& path) {
    return path.endsWith(QLatin1String(".pak"), Qt::CaseInsensitive);
}

std::shared_ptr<const ArchiveListing> readListing(const QString& path) {
    auto listing = std::make_shared<ArchiveListing>();
    std::optional<ArchiveNames> names;
    QFile file(path);
    const ArchiveNames listed(ListedFolders);
    if (file.open(QIODevice::ReadOnly))
        names =
            hasPakExtension(path) ? readPakDirectory(file, listed) : readZipDirectory(file, listed);
    listing->damaged = !names;
    if (names) {
        listing->names = std::move(*names);
        listing->folders = ArchiveFolders(listing->names);
    }
    return listing;
}

// The place kept for `key`; a new key is given `next`.
template <typename Key>
qsizetype placeOf(QHash<Key, qsizetype>& table, const Key& key, qsizetype next) {
    auto found = table.constFind(key);
    if (found == table.cend())
        found = table.insert(key, next);
    return *found;
}

bool sameLetters(QByteArrayView name, QByteArrayView lowerPrefix) {
    for (qsizetype i = 0; i < lowerPrefix.size(); ++i) {
        char c = name[i];
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
        if (c != lowerPrefix[i])
            return false;
    }
    return true;
}

QByteArray lowerAscii(QByteArrayView text) {
    QByteArray bytes = text.toByteArray();
    for (char& c : bytes) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return bytes;
}

} // namespace

ArchiveNames::ArchiveNames(const QList<QByteArray>& topFolders) {
    for (const QByteArray& folder : topFolders)
        prefixes_ << lowerAscii(folder) + '/';
}

bool ArchiveNames::kept(QByteArrayView name) const {
    if (prefixes_.isEmpty())
        return true;
    // Most names of a game's archive lie elsewhere: their first letter tells at once.
    const char first = name.isEmpty() ? '\0' : char(name.front() | 0x20);
    return std::any_of(prefixes_.cbegin(), prefixes_.cend(), [name, first](const QByteArray& p) {
        return first == p.front() && name.size() > p.size() && sameLetters(name, p);
    });
}

void ArchiveNames::add(QByteArrayView stored) {
    if (!kept(stored))
        return;
    const QByteArrayView name = upToNul(stored);
    if (name.isEmpty())
        return;
    names_.append(name.data(), name.size()).append('\0');
    ++count_;
}

std::optional<ArchiveNames> readPakDirectory(QIODevice& device, ArchiveNames names) {
    const qint64 size = device.size();
    if (!device.seek(0))
        return std::nullopt;
    const QByteArray header = device.read(PakHeaderSize);
    if (header.size() != PakHeaderSize || !header.startsWith("PACK"))
        return std::nullopt;
    const qint64 offset = littleEndian32(header.constData() + 4);
    const qint64 length = littleEndian32(header.constData() + 8);
    // The directory lies after the header, within the file, in whole entries.
    if ((length > 0 && offset < PakHeaderSize) || !withinFile(offset, length, size) ||
        length % PakEntrySize != 0)
        return std::nullopt;
    return readPakEntries(SpanReader(device, offset, length), length / PakEntrySize, size,
                          std::move(names));
}

std::optional<ArchiveNames> readZipDirectory(QIODevice& device, ArchiveNames names) {
    const qint64 size = device.size();
    const qint64 tailStart = std::max<qint64>(0, size - EndRecordSize - MaxZipComment);
    if (size < EndRecordSize)
        return std::nullopt;
    // Most zips have no comment: their end record closes the file.
    const QByteArray last = readAt(device, size - EndRecordSize, EndRecordSize);
    if (last.startsWith(EndRecordMark) && le16(last.constData() + 20) == 0) {
        if (const auto directory = centralDirectory(device, last, 0, size - EndRecordSize))
            return readCentralDirectory(device, *directory, std::move(names));
    }
    const QByteArray tail = readAt(device, tailStart, size - tailStart);
    // The first end record that fits, from the front: a fake one in the comment comes later.
    for (qsizetype at = tail.indexOf(EndRecordMark); at >= 0;
         at = tail.indexOf(EndRecordMark, at + 1)) {
        if (const auto directory = centralDirectory(device, tail, at, tailStart))
            return readCentralDirectory(device, *directory, std::move(names));
    }
    return std::nullopt;
}

std::optional<ArchiveNames> readZipDirectory(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return readZipDirectory(file);
}

std::shared_ptr<const ArchiveListing> archiveListing(const QString& path) {
    struct Cached {
        FileStamp stamp;
        std::shared_ptr<const ArchiveListing> listing;
    };
    static QHash<QString, Cached> cache;
    const FileStamp stamp = fileStamp(path);
    Cached& cached = cache[path];
    // The change time moves on every rename into place; size, times and inode tell a new file.
    if (!cached.listing || cached.stamp.size != stamp.size ||
        cached.stamp.modifiedNs != stamp.modifiedNs || cached.stamp.inode != stamp.inode ||
        cached.stamp.device != stamp.device)
        cached = {stamp, readListing(path)};
    return cached.listing;
}

ArchiveFolders::ArchiveFolders(const ArchiveNames& names) {
    // Each child by its folder's place and its name, a view into the names: one table for the
    // whole archive, however many folders it has.
    QHash<QByteArray, qsizetype> folders;
    QList<QList<ArchiveEntry>> lists;
    QHash<std::pair<qsizetype, QByteArrayView>, qsizetype> seen;
    names.forEach([&](QByteArrayView name) {
        for (qsizetype slash = name.indexOf('/'); slash >= 0;) {
            const qsizetype next = name.indexOf('/', slash + 1);
            const QByteArrayView child =
                name.sliced(slash + 1, (next < 0 ? name.size() : next) - slash - 1);
            if (!child.isEmpty()) {
                const qsizetype folder =
                    placeOf(folders, lowerAscii(name.first(slash)), lists.size());
                if (folder == lists.size())
                    lists.emplaceBack();
                QList<ArchiveEntry>& entries = lists[folder];
                const qsizetype at = placeOf(seen, std::pair(folder, child), entries.size());
                if (at == entries.size())
                    entries << ArchiveEntry{QString::fromLatin1(child), false};
                entries[at].folder |= next >= 0;
            }
            slash = next;
        }
    });
    for (auto folder = folders.cbegin(); folder != folders.cend(); ++folder)
        children_.insert(folder.key(), std::move(lists[folder.value()]));
}

QList<ArchiveEntry> ArchiveFolders::children(const QString& folder) const {
    return children_.value(lowerAscii(folder.toLatin1()));
}

QList<ArchiveEntry> archiveChildren(const ArchiveNames& names, const QString& folder) {
    return ArchiveFolders(names).children(folder);
}

bool writePakArchive(const QString& path, const QStringList& names) {
    QByteArray bytes("PACK");
    const qint32 count = qint32(names.size());
    bytes += QByteArray(8, '\0');
    qToLittleEndian<qint32>(qint32(PakHeaderSize), bytes.data() + 4);
    qToLittleEndian<qint32>(count * qint32(PakEntrySize), bytes.data() + 8);
    for (const QString& name : names) {
        QByteArray entry = name.toLatin1();
        if (entry.isEmpty() || entry.size() >= PakNameSize)
            return false;
        entry.resize(PakEntrySize, '\0');
        // Every file empty, its data where the directory begins.
        qToLittleEndian<qint32>(qint32(PakHeaderSize), entry.data() + PakNameSize);
        bytes += entry;
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

bool writeZipArchive(const QString& path, const QStringList& names) {
    // Stored, empty files: a local header per file, the central directory, the end record.
    constexpr quint16 Version = 20;
    constexpr quint16 FirstDay = 0x21; // 1 January 1980, the format's first date
    if (names.size() > 0xFFFF)
        return false;
    QByteArray files;
    QByteArray directory;
    for (const QString& name : names) {
        const QByteArray stored = name.toLatin1();
        if (stored.isEmpty() || stored.size() > 0xFFFF)
            return false;
        const QByteArray common = le16Bytes(Version) + le16Bytes(0) + le16Bytes(0) + le16Bytes(0) +
                                  le16Bytes(FirstDay) + QByteArray(12, '\0') +
                                  le16Bytes(quint16(stored.size())) + le16Bytes(0);
        // Made by version 20; no comment, disk 0, no attributes; where the local header lies.
        directory += CentralHeaderMark + le16Bytes(Version) + common + QByteArray(10, '\0') +
                     le32Bytes(quint32(files.size())) + stored;
        files += "PK\x03\x04" + common + stored;
    }
    const QByteArray end = EndRecordMark + QByteArray(4, '\0') + le16Bytes(quint16(names.size())) +
                           le16Bytes(quint16(names.size())) + le32Bytes(quint32(directory.size())) +
                           le32Bytes(quint32(files.size())) + le16Bytes(0);
    QFile file(path);
    const QByteArray bytes = files + directory + end;
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}
