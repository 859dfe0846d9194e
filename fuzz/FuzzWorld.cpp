#include "FuzzWorld.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

FuzzWorld& FuzzWorld::get() {
    static FuzzWorld world;
    return world;
}

namespace {

// Memory-backed where the system has it: every save syncs its file, which a disk makes slow.
QString scratchDir() {
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    return shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
}

} // namespace

FuzzWorld::FuzzWorld() : dir_(scratchDir() + QStringLiteral("/vexa-fuzz-XXXXXX")) {
    if (!dir_.isValid()) {
        std::fprintf(stderr, "cannot make a temporary directory\n");
        std::abort();
    }
    for (const QString& sub : {configHome(), baseDir(), root() + QStringLiteral("/home"),
                               root() + QStringLiteral("/data")})
        QDir().mkpath(sub);
    writeFile(QStringLiteral("quake2/baseq2/config.cfg"), {});
    qputenv("XDG_CONFIG_HOME", configHome().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (root() + QStringLiteral("/data")).toLocal8Bit());
    qputenv("HOME", (root() + QStringLiteral("/home")).toLocal8Bit());
    const QString runtime = root() + QStringLiteral("/runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
}

QString FuzzWorld::writeFile(const QString& relativePath, const QByteArray& content) const {
    const QString path = root() + u'/' + relativePath;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(content) != content.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

QByteArray FuzzWorld::readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void fuzzFailure(const char* what, const QByteArray& detail) {
    std::fprintf(stderr, "property failed: %s\n%s\n", what, detail.constData());
    std::abort();
}
