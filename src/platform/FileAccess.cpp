#include "FileAccess.h"

#include "VexaError.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <algorithm>
#include <cstring>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
qint64 nanoseconds(const struct timespec& t) {
    return static_cast<qint64>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

bool writeDenied(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st;
    if (::stat(native.constData(), &st) != 0)
        return false; // missing: the write itself reports what is wrong
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
           ::access(native.constData(), W_OK) != 0;
}
#else
bool writeDenied(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isWritable();
}
#endif

} // namespace

FileStamp fileStamp(const QString& path) {
    FileStamp stamp;
#ifdef Q_OS_UNIX
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return stamp;
    stamp.exists = true;
    stamp.size = st.st_size;
    stamp.modifiedNs = nanoseconds(st.st_mtim);
    stamp.changedNs = nanoseconds(st.st_ctim);
    stamp.inode = st.st_ino;
    stamp.device = st.st_dev;
#else
    const QFileInfo info(path);
    if (!info.exists())
        return stamp;
    stamp.exists = true;
    stamp.size = info.size();
    stamp.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1000000;
    stamp.changedNs = info.metadataChangeTime().toMSecsSinceEpoch() * 1000000;
#endif
    return stamp;
}

bool isWriteProtected(const QString& path) {
    // The replacement is created in the directory of the file a link points to, so that
    // directory has to be writable as well as the file.
    const QFileInfo info(path);
    const QString target = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    return writeDenied(target) || writeDenied(QFileInfo(target).absolutePath());
}

#ifdef Q_OS_UNIX
namespace {

// The temporary copy of a save is named "<file>.vexa-XXXXXX", and locked while its save runs: a
// copy of that name nobody holds locked was left by a save that was killed.
constexpr char CopyMark[] = ".vexa-";
constexpr int CopySuffixLength = 6;

// A path's directory, its last '/' included.
QByteArray directoryPart(const QByteArray& path) {
    return path.left(path.lastIndexOf('/') + 1);
}

QByteArray namePart(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

// Where a write to the absolute `path` lands: links followed to their end (a missing end
// included, which the write then creates). A loop ends at a link, which no save replaces.
QByteArray linkEnd(QByteArray path) {
    for (int hop = 0; hop < 40; ++hop) {
        char target[PATH_MAX];
        const ssize_t size = ::readlink(path.constData(), target, sizeof target);
        if (size < 0 || size == ssize_t(sizeof target))
            return path;
        QByteArray next(target, size);
        path = next.startsWith('/') ? next : directoryPart(path) + next;
    }
    return path;
}

// What a save does not replace, named for the message; empty for a regular or missing file.
QString irregularKind(const QByteArray& path) {
    struct stat st;
    if (::lstat(path.constData(), &st) != 0 || S_ISREG(st.st_mode))
        return {};
    static const struct {
        mode_t type;
        const char* name;
    } kinds[] = {
        {S_IFCHR, "a device"},    {S_IFBLK, "a device"},  {S_IFIFO, "a FIFO"},
        {S_IFDIR, "a directory"}, {S_IFSOCK, "a socket"}, {S_IFLNK, "a loop of links"},
    };
    for (const auto& kind : kinds)
        if ((st.st_mode & S_IFMT) == kind.type)
            return QLatin1String(kind.name);
    return QStringLiteral("no regular file");
}

bool isCopyName(const char* entry, const QByteArray& prefix) {
    const qsizetype length = qsizetype(strlen(entry));
    if (length != prefix.size() + CopySuffixLength ||
        strncmp(entry, prefix.constData(), size_t(prefix.size())) != 0)
        return false;
    return std::all_of(entry + prefix.size(), entry + length,
                       [](char c) { return isalnum(static_cast<unsigned char>(c)); });
}

// Removes the copies of `target` whose save is over: those nobody holds locked.
void removeStaleCopies(const QByteArray& target) {
    DIR* dir = ::opendir(directoryPart(target).constData());
    if (!dir)
        return;
    const QByteArray prefix = namePart(target) + CopyMark;
    while (const dirent* entry = ::readdir(dir)) {
        if (!isCopyName(entry->d_name, prefix))
            continue;
        const int fd =
            ::openat(::dirfd(dir), entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat opened, named;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
            ::fstatat(::dirfd(dir), entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(opened.st_mode) && opened.st_ino == named.st_ino)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

QByteArray randomSuffix() {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray suffix(CopySuffixLength, '0');
    for (char& c : suffix)
        c = letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
    return suffix;
}

// A new copy beside `target`; -1 when none can be made.
int createCopy(const QByteArray& target, QByteArray& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + CopyMark + randomSuffix();
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The copy locked through a descriptor of its own, which outlives the written one: the copy is
// closed before the rename (so that whoever watches the file sees one finished write) and stays
// locked until it has its name.
int lockCopy(const QByteArray& name) {
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0)
        ::flock(fd, LOCK_EX | LOCK_NB);
    return fd;
}

bool writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

// The replacement keeps the permissions of the file it replaces.
void keepMode(int fd, const QByteArray& target) {
    struct stat st;
    if (::stat(target.constData(), &st) == 0)
        ::fchmod(fd, st.st_mode & 07777);
}

} // namespace

bool replaceFile(const QString& path, const QByteArray& bytes) {
    const QByteArray target = linkEnd(QFile::encodeName(QFileInfo(path).absoluteFilePath()));
    removeStaleCopies(target);
    QByteArray copy;
    const int fd = createCopy(target, copy);
    if (fd < 0)
        return false;
    const int lock = lockCopy(copy);
    keepMode(fd, target);
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const bool done =
        ::close(fd) == 0 && written && ::rename(copy.constData(), target.constData()) == 0;
    if (!done)
        ::unlink(copy.constData());
    if (lock >= 0)
        ::close(lock);
    return done;
}

void saveFile(const QString& path, const QByteArray& bytes, const QString& failure) {
    const QByteArray absolute = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    const QByteArray end = linkEnd(absolute);
    if (const QString kind = irregularKind(end); !kind.isEmpty()) {
        const QString name = displayName(path);
        throw VexaError(end == absolute
                            ? QStringLiteral("%1 is %2, not a regular file: it was not replaced")
                                  .arg(name, kind)
                            : QStringLiteral("%1 leads to %2, which is %3, not a regular file: it "
                                             "was not replaced")
                                  .arg(name, QFile::decodeName(end), kind));
    }
    if (isWriteProtected(path) || !replaceFile(path, bytes))
        throw VexaError(failure);
}
#else
bool replaceFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // commit() does not notice when the last buffered bytes fail to go out (a full disk) and
    // would put the cut-off copy in place, so the bytes are flushed and checked first.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting(); // the temporary file goes with the object
        return false;
    }
    return file.commit();
}

void saveFile(const QString& path, const QByteArray& bytes, const QString& failure) {
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile())
        throw VexaError(
            QStringLiteral("%1 is not a regular file: it was not replaced").arg(displayName(path)));
    if (isWriteProtected(path) || !replaceFile(path, bytes))
        throw VexaError(failure);
}
#endif

std::optional<QByteArray> readWholeFile(const QString& path) {
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt; // a read cut short is no contents
    return bytes;
}

QString displayName(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}
