#pragma once

#include <QString>

// Renames a file, never replacing one: when `to` exists in any form (file, directory, even a
// dangling symbolic link) nothing happens and false comes back. The check and the rename are one
// step where the system allows it, so a target created in between is not overwritten either.
bool renameNoReplace(const QString& from, const QString& to);
