#include "Demo.h"

#include "platform/FileAccess.h"
#include "platform/GameArchives.h"
#include "platform/IniFile.h"
#include "platform/PlatformConventions.h"
#include "platform/TextFile.h"
#include "platform/VexaError.h"
#include "platform/VexaIni.h"
#include "profiles/ProfileFile.h"
#include "settings/GameHome.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <utility>

namespace {

// ---------------------------------------------------------------------------------------------
// What the installation holds

const DemoModel PakModels[] = {
    {"male", {"grunt", "cipher", "major", "razor", "viper"}},
    {"female", {"athena", "brianna", "cobalt", "jezebel", "venus"}},
};
const DemoModel ZipModels[] = {
    {"cyborg", {"oni911", "ps9000", "tyr574"}},
};

const char* const PakMaps[] = {"base1", "base2", "base3", "train", "bunk1",
                               "fact1", "city1", "boss1", "q2dm1", "q2dm2"};
const char* const ZipMaps[] = {"q2dm3", "q2dm8"};
// A few of the other files a real pak0.pak holds, so that the lists must pick theirs out.
const char* const PakOtherFiles[] = {"pics/colormap.pcx", "sound/misc/menu1.wav",
                                     "models/weapons/v_blast/tris.md2",
                                     "textures/e1u1/floor1_3.wal", "players/readme.txt"};

const char* const SaveSlots[] = {"save0", "save1", "current"};
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
const DemoProfile GlobalProfile{
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

const DemoProfile CtfProfile{
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

// A model's files: its skins with their icons, its mesh and its weapon picture.
QStringList modelFiles(const DemoModel& model) {
    QStringList files{QStringLiteral("tris.md2"), QStringLiteral("weapon.pcx")};
    for (const QString& skin : model.skins)
        files << skin + QStringLiteral(".pcx") << skin + QStringLiteral("_i.pcx");
    return files;
}

QString mapFile(const QString& map) {
    return map + QStringLiteral(".bsp");
}

void createPlayers(const QString& baseDir, const QList<DemoModel>& models) {
    for (const DemoModel& model : models)
        writePlaceholders(QDir(baseDir).filePath(QStringLiteral("players/") + model.name),
                          modelFiles(model));
}

void createMaps(const QString& baseDir, const QStringList& maps) {
    QStringList files;
    for (const QString& map : maps)
        files << mapFile(map);
    writePlaceholders(QDir(baseDir).filePath(QStringLiteral("maps")), files);
}

QStringList archiveEntries(const DemoArchive& archive) {
    QStringList entries;
    for (const DemoModel& model : archive.models) {
        for (const QString& file : modelFiles(model))
            entries << QStringLiteral("players/%1/%2").arg(model.name, file);
    }
    for (const QString& map : archive.maps)
        entries << QStringLiteral("maps/") + mapFile(map);
    return entries + archive.otherFiles;
}

void createArchive(const QString& directory, const DemoArchive& archive) {
    makeDirectory(directory);
    const QString path = QDir(directory).filePath(archive.fileName);
    const bool pak = archive.fileName.endsWith(QLatin1String(".pak"), Qt::CaseInsensitive);
    const QStringList entries = archiveEntries(archive);
    if (!(pak ? writePakArchive(path, entries) : writeZipArchive(path, entries)))
        throw VexaError(ErrorText::cannotCreate(displayName(path)));
}

// The game's own directory as the game leaves it: its config and its saved games.
void createGameHome(const QString& gameHome, const DemoContent& content) {
    const QString game = QDir(gameHome).filePath(QStringLiteral("baseq2"));
    makeDirectory(game);
    TextFile::writeLines(QDir(game).filePath(QStringLiteral("config.cfg")), content.configLines,
                         CrLf);
    for (const QString& slot : content.saveSlots)
        writePlaceholders(QDir(game).filePath(QStringLiteral("save/") + slot), content.saveFiles);
}

QStringList standardConfigLines() {
    QStringList lines{QStringLiteral("// generated by quake, do not modify")};
    for (const auto& binding : ConfigBindings)
        lines << QStringLiteral("bind %1 \"%2\"").arg(binding[0], binding[1]);
    for (const auto& variable : ConfigVariables)
        lines << QStringLiteral("set %1 \"%2\"").arg(variable[0], variable[1]);
    return lines;
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

void createInstallation(const DemoPaths& paths, const QString& standInGame,
                        const DemoContent& content) {
    makeDirectory(paths.baseDir);
    createPlayers(paths.baseDir, content.models);
    createMaps(paths.baseDir, content.maps);
    for (const DemoArchive& archive : content.archives)
        createArchive(paths.baseDir, archive);
    for (const QString& mod : content.mods)
        createArchive(QDir(paths.quake2Dir).filePath(mod),
                      {QStringLiteral("pak0.pak"), {}, {}, {}});
    writePlaceholders(paths.quake2Dir, content.drivers);
    createGame(paths.quake2Dir, standInGame);
    createGameHome(paths.gameHome, content);
}

// The profile's text in one piece: written key by key, every key would rewrite the whole file.
class ProfileText {
public:
    void add(const QString& section, const QString& key, const QString& value) {
        if (section != section_) {
            text_ << u'[' + section + u']';
            section_ = section;
        }
        text_ << key + u'=' + value;
    }
    void addFlag(const QString& section, bool checked) {
        using namespace ProfileKeys;
        add(section, Checked, checked ? CheckedTrue : CheckedFalse);
    }
    const QStringList& lines() const { return text_; }

private:
    QStringList text_;
    QString section_;
};

void addEntries(ProfileText& profile, EntryKind kind, const QList<DemoPair>& entries,
                const QString& firstKey, const QString& secondKey) {
    for (int n = 1; n <= entries.size(); ++n) {
        const DemoPair& entry = entries[n - 1];
        const QString section = ProfileFile::sectionName(kind, n);
        profile.add(section, firstKey, entry.first);
        profile.add(section, secondKey, entry.second);
        profile.addFlag(section, entry.checked);
    }
}

void addAliases(ProfileText& profile, const QList<DemoAlias>& aliases) {
    using namespace ProfileKeys;
    for (int n = 1; n <= aliases.size(); ++n) {
        const DemoAlias& alias = aliases[n - 1];
        const QString section = ProfileFile::sectionName(EntryKind::Alias, n);
        profile.add(section, DescriptiveName, alias.descriptiveName);
        profile.add(section, AliasName, alias.aliasName);
        profile.add(section, Description, alias.description);
        profile.add(section, AliasLines, QString::number(alias.lines.size()));
        for (int j = 1; j <= alias.lines.size(); ++j)
            profile.add(section, AliasLinePrefix + QString::number(j), alias.lines[j - 1]);
        profile.addFlag(section, alias.checked);
    }
}

void writeProfile(const QString& path, const DemoProfile& content) {
    ProfileText profile;
    // The counts come first, the way a person reading the file expects them.
    const std::pair<EntryKind, qsizetype> counts[] = {
        {EntryKind::Alias, content.aliases.size()},
        {EntryKind::Binding, content.bindings.size()},
        {EntryKind::Setting, content.settings.size()}};
    for (const auto& [kind, count] : counts)
        profile.add(ProfileKeys::CountSection, ProfileFile::countKey(kind), QString::number(count));
    addAliases(profile, content.aliases);
    addEntries(profile, EntryKind::Binding, content.bindings, ProfileKeys::BindKey,
               ProfileKeys::BindValue);
    addEntries(profile, EntryKind::Setting, content.settings, ProfileKeys::Setting,
               ProfileKeys::SettingValue);
    TextFile::writeLines(path, profile.lines(), CrLf);
}

void createProgramDirectory(const QString& programDir, const DemoContent& content) {
    makeDirectory(programDir);
    writeProfile(ProfileFile::globalProfilePath(programDir), content.globalProfile);
    for (const auto& [game, profile] : content.gameProfiles)
        writeProfile(ProfileFile::profilePath(programDir, game), profile);
    const QString lineEnding = PlatformConventions::native().lineEnding();
    TextFile::writeLines(QDir(programDir).filePath(QStringLiteral("maps.lst")),
                         content.mapListLines, lineEnding);
    TextFile::writeLines(QDir(programDir).filePath(QStringLiteral("servers.txt")),
                         content.serverLines, lineEnding);
}

// The settings name the final directories, also while the tree is still being built elsewhere.
void createSettings(const QString& configHome, const DemoPaths& target) {
    makeDirectory(configHome);
    IniFile ini(QDir(configHome).filePath(QStringLiteral("vexa.ini")), VexaIni::Encoding);
    VexaIni::write(ini, VexaIni::Quake2Path, target.quake2Dir);
    VexaIni::write(ini, VexaIni::BaseDir, target.baseDir);
    // The demo's own game directory, never the player's real one.
    writeEngineChoice(ini, {Engine::yamagi, target.gameHome});
    VexaIni::write(ini, VexaIni::ProgramPath, target.programDir);
    VexaIni::write(ini, VexaIni::ConfigFile,
                   QDir(target.gameHome).filePath(QStringLiteral("baseq2/vexa.cfg")));
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
    return {root,
            dir.filePath(QStringLiteral("config")),
            dir.filePath(QStringLiteral("program")),
            quake2Dir,
            QDir(quake2Dir).filePath(QStringLiteral("baseq2")),
            dir.filePath(QStringLiteral("home"))};
}

DemoPaths demoEnvironment() {
    return demoPaths(demoRoot());
}

QString standInGameProgram() {
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("vexa_standin_game"));
}

const DemoContent& standardDemoContent() {
    static const DemoContent content{
        {},
        {},
        {{QStringLiteral("pak0.pak"),
          {std::begin(PakModels), std::end(PakModels)},
          toList(PakMaps),
          toList(PakOtherFiles)},
         {QStringLiteral("dmpack.pk3"),
          {std::begin(ZipModels), std::end(ZipModels)},
          toList(ZipMaps),
          {}}},
        toList(SaveSlots),
        toList(SaveFiles),
        toList(Mods),
        toList(Drivers),
        standardConfigLines(),
        GlobalProfile,
        {{QStringLiteral("ctf"), CtfProfile}},
        toList(MapListLines),
        toList(ServerLines),
    };
    return content;
}

DemoPaths createDemoInstallation(const QString& root, const QString& standInGame,
                                 const DemoContent& content) {
    const DemoPaths target = demoPaths(root);
    if (QFileInfo::exists(root))
        return target;

    const QString stagingRoot = root + QStringLiteral(".partial");
    QDir(stagingRoot).removeRecursively(); // what an interrupted creation left
    const DemoPaths staging = demoPaths(stagingRoot);
    try {
        createInstallation(staging, standInGame, content);
        createProgramDirectory(staging.programDir, content);
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

DemoPaths enterDemo(const QString& root, const DemoContent& content) {
    const DemoPaths demo = createDemoInstallation(root, standInGameProgram(), content);
    if (!QDir::setCurrent(demo.programDir))
        throw VexaError(ErrorText::cannotOpen(displayName(demo.programDir)));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(demo.configHome));
    return demo;
}
