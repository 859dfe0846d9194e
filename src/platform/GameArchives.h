#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QIODevice;

// The names of the files inside the game's archives: Quake 2 PAK files ("pak0.pak") and zip files
// (".pk3", ".pkz", ".zip"). Only an archive's directory is read, never the files it holds.

// The names of one archive as stored: bytes, "/" between folders, in the archive's order; all
// of them, or those below some top folders only.
class ArchiveNames {
public:
    ArchiveNames() = default;
    // Keeps only the names below these folders ("maps"), ASCII letter case ignored.
    explicit ArchiveNames(const QList<QByteArray>& topFolders);

    // Adds the name as stored up to its first NUL, unless it is empty or lies outside the
    // folders kept.
    void add(QByteArrayView stored);
    qsizetype count() const { return count_; }
    template <typename Visit> void forEach(Visit visit) const {
        for (qsizetype at = 0; at < names_.size();) {
            const qsizetype end = names_.indexOf('\0', at);
            visit(QByteArrayView(names_).sliced(at, end - at));
            at = end + 1;
        }
    }

private:
    bool kept(QByteArrayView name) const;

    QList<QByteArray> prefixes_; // lower case, each ending in "/"; none: every name
    QByteArray names_;           // each name followed by a NUL
    qsizetype count_ = 0;
};

// A PAK file's directory: "PACK", the directory's offset and length (32-bit little-endian), and
// at that place one 64-byte entry per file: its name in 56 bytes (NUL-padded), its offset and its
// length. Nothing when the data is not such a file or is cut short: a directory that overlaps
// the header, a directory or a file that lies beyond the end, or a length that is not whole
// entries. Empty names are left out.
// Its names go into `names`, which may keep only some. The directory is read piece by piece, so
// a directory that claims most of a huge file costs no more memory than a small one.
std::optional<ArchiveNames> readPakDirectory(QIODevice& device, ArchiveNames names = {});

// A zip file's names, from its central directory (zip64 too), as stored: the end record at the
// end of the file, the zip64 end record it may point to, then one header per file. Nothing when
// the data is not such a file or is cut short. Only these parts are read, never the files, and
// the central directory piece by piece.
std::optional<ArchiveNames> readZipDirectory(QIODevice& device, ArchiveNames names = {});
std::optional<ArchiveNames> readZipDirectory(const QString& path);

// A name found directly inside a folder of an archive.
struct ArchiveEntry {
    QString name; // Latin-1, as the game takes the bytes
    bool folder = false;
    bool operator==(const ArchiveEntry&) const = default;
};

// The entries directly inside each folder of some names, found in one pass over them, so that
// asking for every folder of an archive costs no more than reading its names once.
class ArchiveFolders {
public:
    ArchiveFolders() = default;
    explicit ArchiveFolders(const ArchiveNames& names);

    // The entries directly inside `folder` ("players/male", "/" between folders, ASCII letter
    // case ignored): the files there, and the folders that longer names continue in. Each name
    // once, a folder when any name continues below it, in the order first found.
    QList<ArchiveEntry> children(const QString& folder) const;

private:
    QHash<QByteArray, QList<ArchiveEntry>> children_; // by folder, lower case
};

// What one archive holds, or that it is damaged.
struct ArchiveListing {
    bool damaged = false;
    ArchiveNames names;
    ArchiveFolders folders;
};

// The folders of an archive whose contents Vexa lists: models and skins, maps.
inline const QList<QByteArray> ListedFolders{"players", "maps"};

// The archive's names below ListedFolders: a PAK file for the extension ".pak" (any letter
// case), a zip otherwise. Each archive is read once for as long as its size, modification time
// and inode stay the same.
std::shared_ptr<const ArchiveListing> archiveListing(const QString& path);

// The entries directly inside `folder` of these names (see ArchiveFolders::children).
QList<ArchiveEntry> archiveChildren(const ArchiveNames& names, const QString& folder);

// Archives of empty files under the given names ("players/male/tris.md2"), for installations made
// to try Vexa on: a PAK file, and a zip file of stored files. False when the file cannot be
// written or a name does not fit (a PAK name holds at most 55 bytes, a zip at most 65,535 names).
bool writePakArchive(const QString& path, const QStringList& names);
bool writeZipArchive(const QString& path, const QStringList& names);
