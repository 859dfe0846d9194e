#include "GameArchives.h"

#include "FileAccess.h"

#include <QFile>
#include <QHash>
#include <QtEndian>

#include <zip.h>

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

QByteArrayView nameField(const char* entry) {
    const QByteArrayView field(entry, PakNameSize);
    const qsizetype end = field.indexOf('\0');
    return end < 0 ? field : field.first(end);
}

std::optional<ArchiveNames> readPakEntries(const QByteArray& directory, qint64 fileSize) {
    ArchiveNames names;
    for (qsizetype at = 0; at < directory.size(); at += PakEntrySize) {
        const char* entry = directory.constData() + at;
        if (!withinFile(littleEndian32(entry + PakNameSize),
                        littleEndian32(entry + PakNameSize + 4), fileSize))
            return std::nullopt; // its data was cut off
        if (const QByteArrayView name = nameField(entry); !name.isEmpty())
            names.add(name);
    }
    return names;
}

bool hasPakExtension(const QString& path) {
    return path.endsWith(QLatin1String(".pak"), Qt::CaseInsensitive);
}

std::shared_ptr<const ArchiveListing> readListing(const QString& path) {
    auto listing = std::make_shared<ArchiveListing>();
    std::optional<ArchiveNames> names;
    if (hasPakExtension(path)) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            names = readPakDirectory(file);
    } else {
        names = readZipDirectory(path);
    }
    listing->damaged = !names;
    if (names)
        listing->names = std::move(*names);
    return listing;
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

QByteArray lowerAscii(const QString& text) {
    QByteArray bytes = text.toLatin1();
    for (char& c : bytes) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return bytes;
}

} // namespace

void ArchiveNames::add(QByteArrayView name) {
    names_.append(name.data(), name.size()).append('\0');
    ++count_;
}

std::optional<ArchiveNames> readPakDirectory(QIODevice& device) {
    const qint64 size = device.size();
    if (!device.seek(0))
        return std::nullopt;
    const QByteArray header = device.read(PakHeaderSize);
    if (header.size() != PakHeaderSize || !header.startsWith("PACK"))
        return std::nullopt;
    const qint64 offset = littleEndian32(header.constData() + 4);
    const qint64 length = littleEndian32(header.constData() + 8);
    if (!withinFile(offset, length, size) || length % PakEntrySize != 0 || !device.seek(offset))
        return std::nullopt;
    const QByteArray directory = device.read(length);
    if (directory.size() != length)
        return std::nullopt;
    return readPakEntries(directory, size);
}

std::optional<ArchiveNames> readZipDirectory(const QString& path) {
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!zip)
        return std::nullopt;
    std::optional<ArchiveNames> names(std::in_place);
    const zip_int64_t count = zip_get_num_entries(zip, 0);
    for (zip_int64_t i = 0; i < count && names; ++i) {
        // The stored bytes, as the game compares them.
        if (const char* name = zip_get_name(zip, zip_uint64_t(i), ZIP_FL_ENC_RAW))
            names->add(QByteArrayView(name));
        else
            names.reset();
    }
    zip_discard(zip);
    return names;
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

QList<ArchiveEntry> archiveChildren(const ArchiveNames& names, const QString& folder) {
    const QByteArray prefix = lowerAscii(folder) + '/';
    QList<ArchiveEntry> entries;
    QHash<QByteArray, qsizetype> seen;
    names.forEach([&](QByteArrayView name) {
        if (name.size() <= prefix.size() || !sameLetters(name, prefix))
            return;
        const QByteArrayView rest = name.sliced(prefix.size());
        const qsizetype slash = rest.indexOf('/');
        const QByteArrayView child = slash < 0 ? rest : rest.first(slash);
        if (child.isEmpty())
            return;
        const QByteArray key = child.toByteArray();
        if (const auto found = seen.constFind(key); found != seen.cend()) {
            entries[*found].folder = entries[*found].folder || slash >= 0;
            return;
        }
        seen.insert(key, entries.size());
        entries << ArchiveEntry{QString::fromLatin1(child), slash >= 0};
    });
    return entries;
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
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip)
        return false;
    for (const QString& name : names) {
        zip_source_t* empty = zip_source_buffer(zip, nullptr, 0, 0);
        if (!empty || zip_file_add(zip, name.toLatin1().constData(), empty, ZIP_FL_ENC_RAW) < 0) {
            zip_source_free(empty);
            zip_discard(zip);
            return false;
        }
    }
    return zip_close(zip) == 0;
}
