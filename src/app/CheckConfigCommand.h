#pragma once

#include "settings/Engine.h"

#include <QString>
#include <optional>

class IniFile;
class QTextStream;

// The engine vexa.ini names ([quake2] engine); id 3.21 when it names none, or one Vexa does not
// know (its name then goes to `unknown`).
Engine configuredEngine(const IniFile& ini, QString* unknown = nullptr);

// vexa --check-config FILE [--engine NAME]: reads FILE as the game would and prints every finding
// to `out` as "FILE:LINE: warning: text" (or "note:"). The engine is `engine` ("id", "yamagi",
// "q2pro"), else the one vexa.ini names, else id 3.21. Shows no window. Returns the exit code:
// 0 when nothing but notes was found, 1 after a warning, 2 for an unknown engine or an unreadable
// file (the message goes to `messages`).
int checkConfigFile(const QString& fileName, const std::optional<QString>& engine, QTextStream& out,
                    QTextStream& messages);
