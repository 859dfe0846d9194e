#include "ProcessStart.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#ifdef Q_OS_UNIX
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>
#include <vector>

extern char** environ;
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

#ifdef Q_OS_UNIX
bool startDetached(const QString& program, const QList<QByteArray>& arguments,
                   const QString& workingDirectory) {
    // QProcess would spell every argument in UTF-8: a map name in the game's 8-bit text would
    // reach the game in other bytes. A name with a "/" is taken from here, not from the working
    // directory, as QProcess takes it.
    const QByteArray path = QFile::encodeName(
        program.contains(QLatin1Char('/')) ? QFileInfo(program).absoluteFilePath() : program);
    const QByteArray directory = QFile::encodeName(workingDirectory);
    std::vector<char*> argv{const_cast<char*>(path.constData())};
    for (const QByteArray& argument : arguments)
        argv.push_back(const_cast<char*>(argument.constData()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, directory.constData());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    const int failed =
        posix_spawnp(&pid, path.constData(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (failed)
        return false;
    // The game's end is collected, so that it leaves no zombie behind while Vexa stays open.
    std::thread([pid] { ::waitpid(pid, nullptr, 0); }).detach();
    return true;
}
#else
bool startDetached(const QString& program, const QList<QByteArray>& arguments,
                   const QString& workingDirectory) {
    QStringList words;
    for (const QByteArray& argument : arguments)
        words << QFile::decodeName(argument);
    return QProcess::startDetached(program, words, workingDirectory);
}
#endif

bool startDetached(const QString& program, const QStringList& arguments,
                   const QString& workingDirectory) {
    QList<QByteArray> bytes;
    for (const QString& argument : arguments)
        bytes << QFile::encodeName(argument);
    return startDetached(program, bytes, workingDirectory);
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
