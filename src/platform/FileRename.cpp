#include "FileRename.h"

#include <QFile>
#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef Q_OS_UNIX
namespace {

// link() refuses an existing target; the old name goes once the new one stands.
enum class LinkResult { Done, Refused, Unsupported };
LinkResult linkThenUnlink(const QByteArray& from, const QByteArray& to) {
    if (::link(from.constData(), to.constData()) != 0)
        return errno == EPERM || errno == EXDEV || errno == ENOTSUP || errno == EOPNOTSUPP ||
                       errno == EMLINK
                   ? LinkResult::Unsupported
                   : LinkResult::Refused;
    if (::unlink(from.constData()) != 0) {
        ::unlink(to.constData()); // keep one name only
        return LinkResult::Refused;
    }
    return LinkResult::Done;
}

// Last resort on file systems without hard links: the check and the rename are two steps.
bool checkThenRename(const QByteArray& from, const QByteArray& to) {
    struct stat info;
    if (::lstat(to.constData(), &info) == 0 || errno != ENOENT)
        return false;
    return ::rename(from.constData(), to.constData()) == 0;
}

} // namespace
#endif

bool renameNoReplace(const QString& from, const QString& to) {
#ifdef Q_OS_UNIX
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
#endif
    switch (linkThenUnlink(source, target)) {
    case LinkResult::Done:
        return true;
    case LinkResult::Refused:
        return false;
    case LinkResult::Unsupported:
        break;
    }
    return checkThenRename(source, target);
#else
    // MoveFile, which QFile::rename uses here, never replaces an existing file.
    return QFile::rename(from, to);
#endif
}
