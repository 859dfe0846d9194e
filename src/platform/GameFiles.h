#pragma once

#include "GameArchives.h"

#include <QString>
#include <QStringList>

// The game's data folders ("baseq2" of the installation, of the game's own directory) as the game
// sees them: each folder's loose files and the files inside the archives the engine reads (names
// matching its patterns: "pak*.pak", "*.pkz", ...). Archives are read by their names only.
class GameFiles {
public:
    GameFiles() = default;
    // Empty folder names are left out: they must not stand for the current directory.
    GameFiles(const QStringList& folders, const QStringList& archivePatterns);

    const QStringList& folders() const { return folders_; }
    // Every archive of every folder, folder by folder, each folder's in name order.
    const QStringList& archives() const { return archives_; }
    // The archives that could not be read: not of their kind, or cut short.
    QStringList damagedArchives() const;

    // The loose entries of `relative` ("players/male") in each folder, hidden ones left out, in
    // name order folder by folder. A folder along the way that is not named exactly takes the
    // first entry of its name in another ASCII letter case, as where names ignore letter case.
    QStringList looseEntries(const QString& relative, const QString& pattern) const;
    // The archived entries directly in `relative` that match `pattern`, archive by archive.
    QList<ArchiveEntry> archivedEntries(const QString& relative, const QString& pattern) const;

private:
    QStringList folders_;
    QStringList archives_;
};
