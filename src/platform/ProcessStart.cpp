#include "ProcessStart.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
bool isExecutableFile(const QByteArray& path) {
    struct stat st;
    return ::stat(path.constData(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.constData(), X_OK) == 0;
}
#else
bool isExecutableFile(const QByteArray& path) {
    const QFileInfo info(QFile::decodeName(path));
    return info.isFile() && info.isExecutable();
}
#endif

} // namespace

bool startDetached(const QString& program, const QStringList& arguments,
                   const QString& workingDirectory) {
    return QProcess::startDetached(program, arguments, workingDirectory);
}

bool isRunnable(const QByteArray& program, const QString& workingDirectory) {
    // The shell runs in the working directory: relative names start there.
    const auto located = [&](const QByteArray& path) {
        return path.startsWith('/') ? path : QFile::encodeName(workingDirectory) + '/' + path;
    };
    if (program.isEmpty())
        return false;
    if (program.contains('/'))
        return isExecutableFile(located(program));
    for (const QByteArray& directory : qgetenv("PATH").split(':')) {
        if (isExecutableFile(
                located((directory.isEmpty() ? QByteArray(".") : directory) + '/' + program)))
            return true;
    }
    return false;
}
