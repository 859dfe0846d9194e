#pragma once

#include "platform/PlatformConventions.h"

#include <QString>
#include <QStringList>

class GameFiles;
class IniFile;

// What is installed, as the items of the model, skin and driver boxes: names lower-cased (ASCII
// letters only), in name order, each once, found in folders and inside the game's archives;
// hidden entries never listed. A missing directory gives an empty list.
namespace Discovery {

// The directory holding "players": [quake2] baseq2, or the default Quake 2 directory when the
// key is missing. Read afresh at every call, so a change made in Options counts at once.
QString playersBaseDirectory(const IniFile& settings);

// The directory holding the driver files: [quake2] path (empty when missing).
QString driverDirectory(const IniFile& settings);

// The entries of "players" without a three-letter extension: the model folders.
QStringList modelNames(const GameFiles& files);

// The "*.pcx" pictures of "players/<model>" without their extension, leaving out the icons (a
// name whose second-to-last character is "_") and the weapon picture. An empty model name
// searches "players" itself.
QStringList skinNames(const GameFiles& files, const QString& model);

// The driver files of the Quake 2 directory ("*.so" or "*.dll") without their extension,
// leaving out names that start with "_", and the renderer modules ("ref_gl1") unless
// `rendererModules`: only id 3.21 has always listed its own beside the GL libraries.
QStringList driverNames(const QString& quake2Dir,
                        const PlatformConventions& platform = PlatformConventions::native(),
                        bool rendererModules = true);

// The notice for an archive that could not be read and was left out of the lists.
QString damagedArchiveNotice(const QString& archive);

} // namespace Discovery
