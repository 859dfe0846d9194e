#pragma once

#include "config/CfgScript.h"
#include "platform/FileVersion.h"

#include <QStringList>

#include <optional>
#include <vector>

// What the main window remembers of the config file it read last, for the saves that follow:
// the lines no setting shows, what each setting read, and the keys the settings took; and the
// names of its variables for the engine it reads files for.
struct CfgFileMemory {
    QStringList keptLines;
    std::vector<CfgOrigin> rows;     // by the number of the window's row (CfgWindowRows)
    std::vector<CfgOrigin> controls; // by the place of the setting control in its index
    // Keys the file bound to a setting's command; a save unbinds those no setting binds now.
    QStringList takenKeys;
    // The config as read or written last: a save over it checks that nobody changed it since.
    FileVersion file;

    std::optional<Engine> variablesEngine;
    CfgVariables variables;
};
