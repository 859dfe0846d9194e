#include "FileAccess.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
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

std::optional<QByteArray> readWholeFile(const QString& path) {
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

QString displayName(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}
