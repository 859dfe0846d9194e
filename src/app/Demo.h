#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

// A small Quake 2 installation of our own with its own settings file and program directory, so
// that Vexa can be tried without the game and without touching a real setup. The program runs
// on it exactly as it runs on a real one; only where vexa.ini lives (XDG_CONFIG_HOME) and the
// current directory differ.
struct DemoPaths {
    QString root;
    QString configHome; // XDG_CONFIG_HOME while the demo runs: holds vexa.ini
    QString programDir; // the current directory: profiles, maps.lst, servers.txt
    QString quake2Dir;  // the installation, with the stand-in game program
    QString baseDir;    // quake2Dir/baseq2
    QString gameHome;   // the game's own directory, laid out as Yamagi Quake II keeps it
};

// What a demo installation holds. The program only ever looks at the names of the game's
// files, so they are written empty; the config and the profiles are written in full.
struct DemoModel {
    QString name;
    QStringList skins;
};
// An archive in baseq2 ("pak0.pak", or a zip such as "maps.pk3") and what it holds.
struct DemoArchive {
    QString fileName;
    QList<DemoModel> models;
    QStringList maps;       // names without ".bsp"
    QStringList otherFiles; // further names, as stored ("sound/misc/menu1.wav")
};
struct DemoAlias {
    QString descriptiveName;
    QString aliasName;
    QString description;
    QStringList lines;
    bool checked = false;
};
struct DemoPair {
    QString first;
    QString second;
    bool checked = false;
};
struct DemoProfile {
    QList<DemoAlias> aliases;
    QList<DemoPair> bindings;
    QList<DemoPair> settings;
};
struct DemoContent {
    QList<DemoModel> models; // loose in baseq2/players
    QStringList maps;        // loose in baseq2/maps, names without ".bsp"
    QList<DemoArchive> archives;
    QStringList saveSlots; // in the game's own directory; each holds saveFiles
    QStringList saveFiles;
    QStringList mods;
    QStringList drivers;     // file names in the Quake 2 directory
    QStringList configLines; // the game's config.cfg in its own directory
    DemoProfile globalProfile;
    QList<std::pair<QString, DemoProfile>> gameProfiles; // game name, its profile
    QStringList mapListLines;
    QStringList serverLines;
};

// The demo's own content: a few models and maps in a pak0.pak and a pk3, mods, and the game's
// own directory with its config and saved games.
const DemoContent& standardDemoContent();

// $XDG_DATA_HOME/vexa/demo, by default ~/.local/share/vexa/demo.
QString demoRoot();

// The directories of a demo under `root`.
DemoPaths demoPaths(const QString& root);

// The directories of the demo under demoRoot().
DemoPaths demoEnvironment();

// The program copied into the demo as the game: vexa_standin_game beside the running program.
QString standInGameProgram();

// Creates the demo under `root` unless `root` already exists, so a second call changes nothing
// and the user's changes stay. The tree is built beside `root` and renamed into place at the
// end, so an interrupted creation leaves no half demo behind. The game program is a copy of
// `standInGame`; when that program does not exist, a shell script takes its place that records
// its working directory and arguments in "quake2.log" beside it. Throws VexaError when a file
// cannot be created.
DemoPaths createDemoInstallation(const QString& root,
                                 const QString& standInGame = standInGameProgram(),
                                 const DemoContent& content = standardDemoContent());

// Makes the running program use the demo under `root`, creating it first when missing: vexa.ini
// is then read from the demo's config home (XDG_CONFIG_HOME) and the demo's program directory
// becomes the current directory. Call it before the main window is created. Throws VexaError
// when the demo cannot be created or entered.
DemoPaths enterDemo(const QString& root = demoRoot(),
                    const DemoContent& content = standardDemoContent());
