#pragma once

#include "app/Demo.h"

#include <QString>
#include <QStringList>

// A realistic Quake 2 installation for the benchmarks: the layout of the demo, the sizes of a
// well-used game (many models, skins, maps, mods, a long config and full profiles).
namespace BenchInstallation {

// About 30 models of 20 skins, 150 maps, 20 save slots, 40 mods, 10 drivers, a 600-line
// config.cfg and a global profile of 100 aliases, 200 bindings and 100 settings; besides, in
// baseq2, three paks of 3,000 names and a pk3 of 10,000 (more models and maps among textures and
// sounds), read by the Yamagi Quake II the installation is set up for.
DemoContent realisticContent();

// A config script the way the game writes it, `count` lines long: comments, set lines for the
// built-in settings and other variables, bind lines and aliases, in a fixed repeating mix.
QStringList gameStyleConfig(int count);

// A profile of the given sizes, every entry different.
DemoProfile profile(int aliases, int bindings, int settings);

// Creates the installation under `root` (when missing) and makes the running program use it:
// vexa.ini from its config home and its program directory as the current directory.
DemoPaths enter(const QString& root, const DemoContent& content);
// The same with the realistic content, made only when the installation is missing: making it
// costs a measured start-up more than some of its own steps.
DemoPaths enter(const QString& root);

} // namespace BenchInstallation
