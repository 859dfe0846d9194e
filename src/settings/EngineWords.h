#pragma once

#include "Engine.h"

#include <QList>
#include <QString>
#include <QStringView>

// What Vexa writes said in the chosen engine's own words: the commands a key is bound to, the
// video modes and the defaults the engine starts from.

// Whether the engine has this console command (id 3.21: every command of the catalogue). Q2PRO
// finds commands by their exact case, Yamagi and id without regard to it.
bool engineHasCommand(Engine engine, QStringView verb);
// Every console command of the engine (and its game library), as the engine spells them; empty
// for id 3.21, whose list Vexa does not carry.
const QStringList& engineCommandNames(Engine engine);

// A catalogue binding's command as the engine takes it: its own menu and music commands where it
// has equivalents ("menu_main" for "togglemenu" in Yamagi, "pushmenu savegame" in Q2PRO), the
// command word in the case the engine needs ("load quick"); empty when the engine has no such
// command.
QString engineBindingCommand(Engine engine, const QString& command);

// One entry of the engine's mode list.
struct VideoMode {
    QString value; // what the game reads: the mode number, or Q2PRO's "1024x768"/"desktop"
    int width = 0; // 0 for the desktop's size and for a custom size
    int height = 0;
    QString caption; // as the mode box lists it: "10 - 1024 x 768", "desktop", "-1 - custom"
};

// The modes the engine offers, in its order: id's ten numbers; Yamagi's r_mode table with its
// desktop (-2) and custom (-1) modes first; Q2PRO's "desktop" and the sizes its mode list and
// window geometry take.
const QList<VideoMode>& engineVideoModes(Engine engine);
// The engine's mode giving `width` x `height`, or nullptr.
const VideoMode* engineModeOfSize(Engine engine, int width, int height);

// The mode the engine starts in when no config names one ("4" in Yamagi, "640x480" in Q2PRO);
// id's first, as the mode boxes have always shown.
QString engineDefaultMode(Engine engine);

// Yamagi's mode numbers for the desktop's size and for r_customwidth x r_customheight.
inline constexpr int DesktopMode = -2;
inline constexpr int CustomMode = -1;

// The engine's own value of a setting Vexa shows outside the catalogue ("s_khz", "s_volume",
// "sensitivity", "gl_texturemode", "s_mixahead") or of a catalogue setting whose default
// differs from the catalogue's ("rate"); empty when Vexa keeps its own.
QString engineDefault(Engine engine, QStringView cvar);

// The sound rates the engine can mix at, in kHz.
QList<int> engineSoundRates(Engine engine);
