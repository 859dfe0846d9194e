#pragma once

#include <QString>
#include <optional>

class QTextStream;

// The config files of one run without a window: read `load` into the settings, then write the
// settings to `save`; either may be missing.
struct ConfigFiles {
    std::optional<QString> load;
    std::optional<QString> save;
};

// Runs the main window's start-up without showing the window and without asking anything, then
// reads and writes the files the way Load Config and Save Config do, but without the overwrite
// question, and ends without the closing questions and saves, so vexa.ini keeps its file names.
// Relative names are taken from the current directory. Notices and errors go to `messages`.
// Returns the exit code: 0 when every step worked, 1 after the first error.
int runConfigFiles(const ConfigFiles& files, QTextStream& messages);
