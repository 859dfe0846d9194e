#pragma once

#include <QString>
#include <QStringList>

// The entries of a directory in the order the file system hands them out ("." and ".."
// included), straight from readdir, to check that searches keep that order.
QStringList readdirOrder(const QString& directory);

// `names` (entry names of `directory`) rearranged into the directory's order; names that are
// not entries are left out.
QStringList inDirectoryOrder(const QString& directory, const QStringList& names);
