#pragma once

#include <QString>
#include <QStringList>

class GameFiles;
class IniFile;

// The launch choices filled from the installation and from the two list files in the program's
// directory: start maps, saved games and servers. Names found on disk and in archives are listed
// in name order, each once; the list files' lines stay in their order.
namespace MapLists {

inline constexpr char MapListName[] = "maps.lst";
inline constexpr char ServerListName[] = "servers.txt";

QString mapListPath(const QString& programDir);
QString serverListPath(const QString& programDir);

// The lines of a list file; a missing file gives none. An existing file that cannot be read
// throws VexaError "Cannot open file %s".
QStringList readListFile(const QString& fileName);

// The base directory of the start-map search: [quake2] baseq2 when that key exists, otherwise
// [quake2] path (the default Quake 2 directory when missing too) with "baseq2" joined.
QString mapBaseDirectory(const IniFile& settings);

// A map name as the game gets it: the game takes a name's bytes as they stand, and archives and
// maps.lst hold them in 8-bit text. A name whose every character fits one byte is those bytes
// (Latin-1); any other name is its UTF-8, as the file system spells it.
QByteArray mapNameBytes(const QString& name);
// The name that mapNameBytes turns into `bytes`: their UTF-8 when that holds a character beyond
// Latin-1, otherwise one character per byte.
QString mapNameOf(const QByteArray& bytes);

// The maps of the game's data folders: every loose entry of "maps" (named by mapNameOf from its
// bytes on disk, so that the game gets those bytes) and every "maps/*.bsp" file of their archives,
// lower-cased with their last four characters cut off (a name of four characters or fewer becomes
// empty), "." and ".." left out.
QStringList mapNames(const GameFiles& files);

// The list's lines first, then each found name that the list does not hold yet (letter case
// ignored).
QStringList mergeMapNames(const QStringList& listed, const QStringList& found);

// The start maps: the lines of maps.lst in the program's directory, then the maps of the mod
// `game` (its folders in the home and the Quake 2 directory, loose and in its archives; none
// when blank or baseq2), then those found in the home's baseq2 and under the base directory of
// mapBaseDirectory.
QStringList buildMapList(const IniFile& settings, const QString& programDir,
                         const QString& game = {});

// The entries of "<folder>/save" of each folder in lower case, except those with a three-letter
// extension: the save slots, which are directories without one.
QStringList saveGameNames(const QStringList& folders);

// The lines of servers.txt in the program's directory.
QStringList serverNames(const QString& programDir);

} // namespace MapLists
