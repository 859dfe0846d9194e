#include "GameFiles.h"

#include "DirectorySearch.h"
#include "EntryNames.h"
#include "PlatformConventions.h"

#include <QFileInfo>

#include <algorithm>

namespace {

QString join(const QString& directory, const QString& name) {
    return PlatformConventions::native().join(directory, name);
}

// The folder's archives, regular files only, in name order: one search for every pattern.
QStringList archivesIn(const QString& folder, const QStringList& patterns) {
    QStringList paths;
    for (const QString& name : EntryNames::searchEntries(folder, QStringLiteral("*"))) {
        const QString path = join(folder, name);
        if (std::any_of(patterns.cbegin(), patterns.cend(),
                        [&](const QString& p) { return matchesFilePattern(name, p); }) &&
            QFileInfo(path).isFile())
            paths << path;
    }
    return paths;
}

QString subfolder(const QString& directory, const QString& name) {
    const QString exact = join(directory, name);
    if (QFileInfo(exact).isDir())
        return exact;
    const QString wanted = EntryNames::asciiLower(name);
    for (const QString& entry : EntryNames::searchEntries(directory, QStringLiteral("*"))) {
        if (EntryNames::asciiLower(entry) == wanted)
            return join(directory, entry);
    }
    return exact;
}

QString resolvedFolder(const QString& folder, const QString& relative) {
    QString directory = folder;
    for (const QString& name : relative.split(QLatin1Char('/'), Qt::SkipEmptyParts))
        directory = subfolder(directory, name);
    return directory;
}

} // namespace

GameFiles::GameFiles(const QStringList& folders, const QStringList& archivePatterns) {
    for (const QString& folder : folders) {
        if (folder.isEmpty())
            continue;
        folders_ << folder;
        archives_ << archivesIn(folder, archivePatterns);
    }
}

QStringList GameFiles::damagedArchives() const {
    QStringList damaged;
    for (const QString& archive : archives_) {
        if (archiveListing(archive)->damaged)
            damaged << archive;
    }
    return damaged;
}

QStringList GameFiles::looseEntries(const QString& relative, const QString& pattern) const {
    QStringList entries;
    for (const QString& folder : folders_)
        entries << EntryNames::searchEntries(resolvedFolder(folder, relative), pattern);
    return entries;
}

QList<ArchiveEntry> GameFiles::archivedEntries(const QString& relative,
                                               const QString& pattern) const {
    QList<ArchiveEntry> entries;
    for (const QString& archive : archives_) {
        for (const ArchiveEntry& entry : archiveListing(archive)->folders.children(relative)) {
            if (matchesFilePattern(entry.name, pattern))
                entries << entry;
        }
    }
    return entries;
}
