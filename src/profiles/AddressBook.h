#pragma once

#include "settings/GameHome.h"

#include <QString>
#include <QStringList>
#include <optional>

// The game's address book: the cvars adr0 to adr8, which the "join server" menu of id 3.21 and
// Yamagi lists and edits, held in the scripts the game runs.
namespace AddressBook {

inline constexpr int Slots = 9;

// "adr0" .. "adr8".
QString slotName(int slot);

// Where the game writes its scripts: the home's baseq2, else the base directory (id 3.21).
QString gameScriptFolder(const EngineChoice& choice, const QString& baseDir);

// The scripts that hold the book, in the order the game runs them: config.cfg, autoexec.cfg,
// then Vexa's own vexa.cfg, all in `folder` (the game's writable baseq2).
QStringList scriptFiles(const QString& folder);
// Vexa's own script in that folder, where favourites are written.
QString favouritesScript(const QString& folder);

// The book's Slots values after running `files` one after the other as the engine would (a
// missing file runs nothing); empty for a slot none sets. Throws VexaError "Cannot open file %s"
// for a file that exists but cannot be read.
QStringList read(const QStringList& files, Engine engine);

// The first slot `book` leaves empty; nothing when all are taken.
std::optional<int> firstFreeSlot(const QStringList& book);

// Writes `set adrN "address"` at the end of the script at `scriptPath` (created when missing),
// keeping its other lines; a line that only set that slot before goes. Throws VexaError "Cannot
// create file %s" (the file is then as it was).
void writeSlot(const QString& scriptPath, int slot, const QString& address, Engine engine);

} // namespace AddressBook
