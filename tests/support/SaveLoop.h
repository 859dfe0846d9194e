#pragma once

#include <QString>

// The files the program saves, each written through the program's own code, large enough that a
// save takes a while: tests interrupt a process that saves them over and over.
namespace SaveLoop {

enum class Kind { Config, LaunchScript, Profile, VexaIni };

QString kindName(Kind kind);
// False when `name` is no kind's name.
bool kindFromName(const QString& name, Kind& kind);

// Lays down the file's starting contents at `path` (directories included).
void prepare(Kind kind, const QString& path);

// Saves version 0 or 1 of the file the way the program does.
void save(Kind kind, const QString& path, int version);

} // namespace SaveLoop
