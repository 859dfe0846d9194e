#pragma once

#include "support/TestEnvironment.h"

#include <QString>
#include <QStringList>

// A Quake 2 installation laid out as it is on a Linux machine, in the test environment: the game
// data inside baseq2's pak0.pak and pak1.pak and a downloaded dmpack.pk3 (a PAK file's names do
// not say which holds what), the game program and a driver, a mod folder, an older config.cfg
// and save in the installation's baseq2, and the game's own directory as Yamagi Quake II keeps it
// (~/.yq2) with the config.cfg and a save the game wrote and a downloaded map. vexa.ini names the
// Quake 2 and base directories, and no engine: start-up finds it.
struct RealInstallation {
    explicit RealInstallation(TestEnvironment& env);

    QString home() const { return env.root() + QStringLiteral("/home/.yq2"); }
    QString homeConfig() const { return home() + QStringLiteral("/baseq2/config.cfg"); }
    QString baseConfig() const { return env.baseDir() + QStringLiteral("/config.cfg"); }

    // What Vexa lists, for an engine that reads zips and has this home, or for id 3.21.
    static QStringList models(bool yamagi);
    static QStringList maps(bool yamagi);
    static QStringList saves(bool yamagi);

    TestEnvironment& env;
};
