#include "Demo.h"

#include "platform/FileAccess.h"
#include "platform/IniFile.h"
#include "platform/PlatformConventions.h"
#include "platform/TextFile.h"
#include "platform/VexaError.h"
#include "platform/VexaIni.h"
#include "profiles/ProfileFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <utility>

namespace {

// ---------------------------------------------------------------------------------------------
// What the installation holds

struct PlayerModel {
    const char* name;
    QStringList skins;
};

const PlayerModel Models[] = {
    {"male", {"grunt", "cipher", "major", "razor", "viper"}},
    {"female", {"athena", "brianna", "cobalt", "jezebel", "venus"}},
    {"cyborg", {"oni911", "ps9000", "tyr574"}},
};

const char* const Maps[] = {"base1", "base2", "base3", "train", "bunk1", "fact1",
                            "city1", "boss1", "q2dm1", "q2dm2", "q2dm3", "q2dm8"};

const char* const SaveSlots[] = {"save0", "save1", "save2", "current"};
const char* const SaveFiles[] = {"game.ssv", "server.ssv", "base1.sav", "base1.sv2"};

const char* const Mods[] = {"ctf", "rogue", "xatrix"};
const char* const Drivers[] = {"ref_gl.so", "ref_soft.so"};

// The game writes its config this way: a warning line, the bindings, then the archived variables.
const char* const ConfigBindings[][2] = {
    {"TAB", "inven"},
    {"ENTER", "invuse"},
    {"ESCAPE", "togglemenu"},
    {"SPACE", "+moveup"},
    {"/", "weapnext"},
    {"0", "use bfg10k"},
    {"1", "use blaster"},
    {"2", "use shotgun"},
    {"3", "use super shotgun"},
    {"4", "use machinegun"},
    {"5", "use chaingun"},
    {"6", "use grenade launcher"},
    {"7", "use rocket launcher"},
    {"8", "use hyperblaster"},
    {"9", "use railgun"},
    {"[", "invprev"},
    {"]", "invnext"},
    {"`", "toggleconsole"},
    {"a", "+moveleft"},
    {"c", "+movedown"},
    {"d", "+moveright"},
    {"g", "use grenades"},
    {"s", "+back"},
    {"t", "messagemode"},
    {"w", "+forward"},
    {"x", "score"},
    {"BACKSPACE", "invdrop"},
    {"UPARROW", "+forward"},
    {"DOWNARROW", "+back"},
    {"LEFTARROW", "+left"},
    {"RIGHTARROW", "+right"},
    {"ALT", "+strafe"},
    {"CTRL", "+attack"},
    {"SHIFT", "+speed"},
    {"F1", "cmd help"},
    {"F2", "menu_savegame"},
    {"F3", "menu_loadgame"},
    {"F4", "menu_keys"},
    {"F5", "menu_startserver"},
    {"F6", "save quick"},
    {"F9", "load quick"},
    {"F10", "menu_quit"},
    {"F12", "screenshot"},
    {"INS", "+klook"},
    {"DEL", "+lookdown"},
    {"PGDN", "+lookup"},
    {"END", "centerview"},
    {"MOUSE1", "+attack"},
    {"MOUSE2", "+forward"},
    {"MOUSE3", "+moveup"},
    {"MWHEELUP", "weapnext"},
    {"MWHEELDOWN", "weapprev"},
    {"PAUSE", "pause"},
};

const char* const ConfigVariables[][2] = {
    {"name", "Newcomer"}, {"skin", "female/athena"}, {"hand", "0"},       {"fov", "90"},
    {"sensitivity", "6"}, {"freelook", "1"},         {"cl_run", "1"},     {"cl_maxfps", "90"},
    {"rate", "25000"},    {"crosshair", "1"},        {"vid_ref", "gl"},   {"gl_mode", "3"},
    {"vid_gamma", "0.8"}, {"s_volume", "0.5"},       {"maxclients", "8"}, {"fraglimit", "30"},
    {"timelimit", "20"},
};

// Profile entries: the global profile holds a few handy ones, the ctf profile its own.
struct AliasEntry {
    const char* descriptiveName;
    const char* aliasName;
    const char* description;
    QStringList lines;
    bool checked;
};
struct PairEntry {
    const char* first;
    const char* second;
    bool checked;
};
struct ProfileContent {
    QList<AliasEntry> aliases;
    QList<PairEntry> bindings;
    QList<PairEntry> settings;
};

const ProfileContent GlobalProfile{
    {
        {"Rocket Jump",
         "+rjump",
         "Jump and fire a rocket at your feet",
         {"alias +rjump \"+moveup; +attack\"", "alias -rjump \"-moveup; -attack\""},
         true},
        {"Zoom",
         "+zoom",
         "Narrow the view and slow the mouse while held",
         {"alias +zoom \"fov 30; sensitivity 2\"", "alias -zoom \"fov 90; sensitivity 6\""},
         true},
        {"Quick Grenade",
         "+gren",
         "Throw a hand grenade and take the last weapon back",
         {"alias +gren \"use grenades; +attack\"", "alias -gren \"-attack; weaplast\""},
         false},
    },
    {{"MOUSE2", "+rjump", true}, {"z", "+zoom", true}, {"f", "+gren", false}},
    {{"cl_gun", "1", true}, {"scr_centertime", "4", true}, {"m_pitch", "-0.022", false}},
};

const ProfileContent CtfProfile{
    {},
    {{"MOUSE3", "use grapple", true}, {"F7", "team red", false}},
    {{"ctf", "1", true}, {"capturelimit", "8", true}},
};

const char* const MapListLines[] = {"q2ctf1", "q2ctf2", "q2ctf3", "q2ctf4", "q2ctf5"};
const char* const ServerLines[] = {"192.0.2.10:27910", "198.51.100.7:27910", "203.0.113.42:27911"};

// Stands in for the game when the stand-in program has not been built.
const char StandInScript[] =
    "#!/bin/sh\n"
    "# Stand-in for the game: records where and how it was started.\n"
    "log=\"$0.log\"\n"
    "{ pwd; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > \"$log\"\n";

const QString CrLf = QStringLiteral("\r\n");

// ---------------------------------------------------------------------------------------------
// Writing files

template <typename Array> QStringList toList(const Array& texts) {
    QStringList list;
    for (const char* text : texts)
        list << QString::fromLatin1(text);
    return list;
}

void makeDirectory(const QString& path) {
    if (!QDir().mkpath(path))
        throw VexaError(ErrorText::cannotCreate(displayName(path)));
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    makeDirectory(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw VexaError(ErrorText::cannotCreate(displayName(path)));
}

// Empty files named like the real ones: the program only ever looks at the names.
void writePlaceholders(const QString& directory, const QStringList& names) {
    makeDirectory(directory);
    for (const QString& name : names)
        writeBytes(QDir(directory).filePath(name), {});
}

void makeExecutable(const QString& path) {
    const auto all = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                     QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                     QFileDevice::ExeOther;
    if (!QFile::setPermissions(path, all))
        throw VexaError(ErrorText::cannotCreate(displayName(path)));
}

// ---------------------------------------------------------------------------------------------
// The parts of the demo

void createPlayers(const QString& baseDir) {
    for (const PlayerModel& model : Models) {
        QStringList files{QStringLiteral("tris.md2"), QStringLiteral("weapon.pcx")};
        for (const QString& skin : model.skins)
            files << skin + QStringLiteral(".pcx") << skin + QStringLiteral("_i.pcx");
        writePlaceholders(QDir(baseDir).filePath(QStringLiteral("players/") + model.name), files);
    }
}

void createMapsAndSaves(const QString& baseDir) {
    QStringList maps;
    for (const char* map : Maps)
        maps << QString::fromLatin1(map) + QStringLiteral(".bsp");
    writePlaceholders(QDir(baseDir).filePath(QStringLiteral("maps")), maps);
    for (const char* slot : SaveSlots)
        writePlaceholders(QDir(baseDir).filePath(QStringLiteral("save/") + slot),
                          toList(SaveFiles));
}

void createConfig(const QString& baseDir) {
    QStringList lines{QStringLiteral("// generated by quake, do not modify")};
    for (const auto& binding : ConfigBindings)
        lines << QStringLiteral("bind %1 \"%2\"").arg(binding[0], binding[1]);
    for (const auto& variable : ConfigVariables)
        lines << QStringLiteral("set %1 \"%2\"").arg(variable[0], variable[1]);
    TextFile::writeLines(QDir(baseDir).filePath(QStringLiteral("config.cfg")), lines, CrLf);
}

void createGame(const QString& quake2Dir, const QString& standInGame) {
    const QString game = QDir(quake2Dir).filePath(QStringLiteral("quake2"));
    if (QFileInfo(standInGame).isFile()) {
        if (!QFile::copy(standInGame, game))
            throw VexaError(ErrorText::cannotCreate(displayName(game)));
    } else {
        writeBytes(game, QByteArray(StandInScript));
    }
    makeExecutable(game);
}

void createInstallation(const DemoPaths& paths, const QString& standInGame) {
    writePlaceholders(paths.baseDir, {QStringLiteral("pak0.pak")});
    createPlayers(paths.baseDir);
    createMapsAndSaves(paths.baseDir);
    createConfig(paths.baseDir);
    for (const char* mod : Mods)
        writePlaceholders(QDir(paths.quake2Dir).filePath(QLatin1String(mod)),
                          {QStringLiteral("pak0.pak")});
    writePlaceholders(paths.quake2Dir, toList(Drivers));
    createGame(paths.quake2Dir, standInGame);
}

void writeEntries(IniFile& profile, EntryKind kind, const QList<PairEntry>& entries,
                  const char* firstKey, const char* secondKey) {
    for (int n = 1; n <= entries.size(); ++n) {
        const PairEntry& entry = entries[n - 1];
        const QString section = ProfileFile::sectionName(kind, n);
        profile.writeString(section, QLatin1String(firstKey), QLatin1String(entry.first));
        profile.writeString(section, QLatin1String(secondKey), QLatin1String(entry.second));
        profile.writeString(
            section, QLatin1String(ProfileKeys::Checked),
            QLatin1String(entry.checked ? ProfileKeys::CheckedTrue : ProfileKeys::CheckedFalse));
    }
}

void writeProfile(const QString& path, const ProfileContent& content) {
    using namespace ProfileKeys;
    IniFile profile(path);
    // The counts come first, the way a person reading the file expects them.
    const std::pair<EntryKind, qsizetype> counts[] = {
        {EntryKind::Alias, content.aliases.size()},
        {EntryKind::Binding, content.bindings.size()},
        {EntryKind::Setting, content.settings.size()}};
    for (const auto& [kind, count] : counts)
        profile.writeInteger(QLatin1String(CountSection), ProfileFile::countKey(kind), int(count));
    for (int n = 1; n <= content.aliases.size(); ++n) {
        const AliasEntry& alias = content.aliases[n - 1];
        const QString section = ProfileFile::sectionName(EntryKind::Alias, n);
        profile.writeString(section, QLatin1String(DescriptiveName),
                            QLatin1String(alias.descriptiveName));
        profile.writeString(section, QLatin1String(AliasName), QLatin1String(alias.aliasName));
        profile.writeString(section, QLatin1String(Description), QLatin1String(alias.description));
        profile.writeInteger(section, QLatin1String(AliasLines), int(alias.lines.size()));
        for (int j = 1; j <= alias.lines.size(); ++j)
            profile.writeString(section, QLatin1String(AliasLinePrefix) + QString::number(j),
                                alias.lines[j - 1]);
        profile.writeString(section, QLatin1String(Checked),
                            QLatin1String(alias.checked ? CheckedTrue : CheckedFalse));
    }
    writeEntries(profile, EntryKind::Binding, content.bindings, BindKey, BindValue);
    writeEntries(profile, EntryKind::Setting, content.settings, Setting, SettingValue);
}

void createProgramDirectory(const QString& programDir) {
    makeDirectory(programDir);
    writeProfile(ProfileFile::globalProfilePath(programDir), GlobalProfile);
    writeProfile(ProfileFile::profilePath(programDir, QStringLiteral("ctf")), CtfProfile);
    const QString lineEnding = PlatformConventions::native().lineEnding();
    TextFile::writeLines(QDir(programDir).filePath(QStringLiteral("maps.lst")),
                         toList(MapListLines), lineEnding);
    TextFile::writeLines(QDir(programDir).filePath(QStringLiteral("servers.txt")),
                         toList(ServerLines), lineEnding);
}

// The settings name the final directories, also while the tree is still being built elsewhere.
void createSettings(const QString& configHome, const DemoPaths& target) {
    makeDirectory(configHome);
    IniFile ini(QDir(configHome).filePath(QStringLiteral("vexa.ini")));
    VexaIni::write(ini, VexaIni::Quake2Path, target.quake2Dir);
    VexaIni::write(ini, VexaIni::BaseDir, target.baseDir);
    VexaIni::write(ini, VexaIni::ProgramPath, target.programDir);
    VexaIni::write(ini, VexaIni::ConfigFile,
                   QDir(target.baseDir).filePath(QStringLiteral("config.cfg")));
    VexaIni::write(ini, VexaIni::BatchFile,
                   QDir(target.quake2Dir).filePath(QStringLiteral("vexa.sh")));
}

} // namespace

QString demoRoot() {
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir(dataHome).filePath(QStringLiteral("vexa/demo"));
}

DemoPaths demoPaths(const QString& root) {
    const QDir dir(root);
    const QString quake2Dir = dir.filePath(QStringLiteral("quake2"));
    return {root, dir.filePath(QStringLiteral("config")), dir.filePath(QStringLiteral("program")),
            quake2Dir, QDir(quake2Dir).filePath(QStringLiteral("baseq2"))};
}

DemoPaths demoEnvironment() {
    return demoPaths(demoRoot());
}

QString standInGameProgram() {
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("vexa_standin_game"));
}

DemoPaths createDemoInstallation(const QString& root, const QString& standInGame) {
    const DemoPaths target = demoPaths(root);
    if (QFileInfo::exists(root))
        return target;

    const QString stagingRoot = root + QStringLiteral(".partial");
    QDir(stagingRoot).removeRecursively(); // what an interrupted creation left
    const DemoPaths staging = demoPaths(stagingRoot);
    try {
        createInstallation(staging, standInGame);
        createProgramDirectory(staging.programDir);
        createSettings(staging.configHome, target);
        makeDirectory(QFileInfo(root).absolutePath());
        if (!QDir().rename(stagingRoot, root))
            throw VexaError(ErrorText::cannotCreate(displayName(root)));
    } catch (...) {
        QDir(stagingRoot).removeRecursively();
        throw;
    }
    return target;
}

DemoPaths enterDemo(const QString& root) {
    const DemoPaths demo = createDemoInstallation(root);
    if (!QDir::setCurrent(demo.programDir))
        throw VexaError(ErrorText::cannotOpen(displayName(demo.programDir)));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(demo.configHome));
    return demo;
}
