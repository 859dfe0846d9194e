#pragma once

#include "platform/PlatformConventions.h"

#include <QString>
#include <QStringList>

class IniFile;

// What is installed, as the items of the model, skin and driver boxes: names in the file
// system's order, lower-cased (ASCII letters only), hidden entries never listed. A missing
// directory gives an empty list.
namespace Discovery {

// The directory holding "players": [quake2] baseq2, or the default Quake 2 directory when the
// key is missing. Read afresh at every call, so a change made in Options counts at once.
QString playersBaseDirectory(const IniFile& settings);

// The directory holding the driver files: [quake2] path (empty when missing).
QString driverDirectory(const IniFile& settings);

// The entries of "<base>/players" without a three-letter extension: the model folders.
QStringList modelNames(const QString& baseDir);

// The "*.pcx" pictures of "<base>/players/<model>" without their extension, leaving out the
// icons (a name whose second-to-last character is "_") and the weapon picture. An empty model
// name searches "players" itself.
QStringList skinNames(const QString& baseDir, const QString& model);

// The driver files of the Quake 2 directory ("*.so" or "*.dll") without their extension,
// leaving out names that start with "_".
QStringList driverNames(const QString& quake2Dir,
                        const PlatformConventions& platform = PlatformConventions::native());

} // namespace Discovery
