#include "DirectoryOrder.h"

#include <QFile>

#include <dirent.h>

QStringList readdirOrder(const QString& directory) {
    QStringList names;
    DIR* dir = ::opendir(QFile::encodeName(directory).constData());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir))
        names << QFile::decodeName(entry->d_name);
    ::closedir(dir);
    return names;
}

QStringList inDirectoryOrder(const QString& directory, const QStringList& names) {
    QStringList ordered = readdirOrder(directory);
    ordered.removeIf([&](const QString& name) { return !names.contains(name); });
    return ordered;
}
