#include "EngineWords.h"

#include <QSet>

#include <algorithm>
#include <array>
#include <optional>

namespace {

struct Commands {
    QStringList names;
    QSet<QString> exact;
    QSet<QString> folded;
};

const Commands& commands(Engine engine) {
    static std::array<std::optional<Commands>, std::size(AllEngines)> loaded;
    auto& slot = loaded[size_t(engine)];
    if (!slot) {
        slot.emplace();
        slot->names = engineResourceLines(engine, "commands.txt");
        for (const QString& name : std::as_const(slot->names)) {
            slot->exact.insert(name);
            slot->folded.insert(name.toLower());
        }
    }
    return *slot;
}

// Catalogue commands an engine spells otherwise; an empty replacement: the engine has none.
// Yamagi plays music from Ogg files ("ogg toggle" pauses and resumes), Q2PRO opens its menus
// by name and has no music player in the usual build.
struct CommandWords {
    Engine engine;
    const char* command;
    const char* replacement;
};

constexpr CommandWords Equivalents[] = {
    {Engine::yamagi, "togglemenu", "menu_main"},
    {Engine::yamagi, "cd pause", "ogg toggle"},
    {Engine::yamagi, "cd stop", "ogg stop"},
    {Engine::q2pro, "togglemenu", "pushmenu main"},
    {Engine::q2pro, "menu_game", "pushmenu singleplayer"},
    {Engine::q2pro, "menu_savegame", "pushmenu savegame"},
    {Engine::q2pro, "menu_loadgame", "pushmenu loadgame"},
    {Engine::q2pro, "menu_keys", "pushmenu keys"},
    {Engine::q2pro, "menu_startserver", "pushmenu startserver"},
    {Engine::q2pro, "menu_multiplayer", "pushmenu multiplayer"},
    {Engine::q2pro, "menu_options", "pushmenu options"},
    {Engine::q2pro, "menu_playerconfig", "pushmenu players"},
    {Engine::q2pro, "menu_video", "pushmenu video"},
    {Engine::q2pro, "menu_addressbook", "pushmenu addressbook"},
    {Engine::q2pro, "menu_dmoptions", "pushmenu gameflags"},
};

QString verbOf(const QString& command) {
    return command.section(u' ', 0, 0);
}

} // namespace

const QStringList& engineCommandNames(Engine engine) {
    return commands(engine).names;
}

bool engineHasCommand(Engine engine, QStringView verb) {
    if (engine == Engine::id)
        return true;
    const Commands& known = commands(engine);
    return engineFacts(engine).exactCommandCase ? known.exact.contains(verb.toString())
                                                : known.folded.contains(verb.toString().toLower());
}

QString engineBindingCommand(Engine engine, const QString& command) {
    for (const CommandWords& words : Equivalents) {
        if (words.engine == engine &&
            command.compare(QLatin1String(words.command), Qt::CaseInsensitive) == 0)
            return QLatin1String(words.replacement);
    }
    QString spelled = command;
    if (engineFacts(engine).exactCommandCase) {
        const qsizetype verbLength = verbOf(command).size();
        spelled = command.left(verbLength).toLower() + command.mid(verbLength);
    }
    return engineHasCommand(engine, verbOf(spelled)) ? spelled : QString();
}

namespace {

QString sizeCaption(int width, int height) {
    return QStringLiteral("%1 x %2").arg(width).arg(height);
}

// A numbered table ("mode TAB width TAB height"); Yamagi names its two special modes by the
// words it reads their size from.
QList<VideoMode> numberedModes(Engine engine) {
    QList<VideoMode> modes;
    for (const QString& line : engineResourceLines(engine, "modes.tsv")) {
        const QStringList fields = line.split(u'\t');
        if (fields.size() != 3)
            continue;
        VideoMode mode{fields[0], fields[1].toInt(), fields[2].toInt(), {}};
        const int number = fields[0].toInt();
        mode.caption = fields[0] + QStringLiteral(" - ") +
                       (number == DesktopMode  ? QStringLiteral("desktop")
                        : number == CustomMode ? QStringLiteral("custom")
                                               : sizeCaption(mode.width, mode.height));
        modes << mode;
    }
    return modes;
}

// Q2PRO takes any size: the desktop's, then every size of the other engines' tables, smallest
// first.
QList<VideoMode> sizedModes() {
    QList<VideoMode> modes{{QStringLiteral("desktop"), 0, 0, QStringLiteral("desktop")}};
    QList<std::pair<int, int>> sizes;
    for (Engine engine : {Engine::id, Engine::yamagi}) {
        for (const VideoMode& mode : engineVideoModes(engine)) {
            if (mode.width > 0 && !sizes.contains(std::pair{mode.width, mode.height}))
                sizes << std::pair{mode.width, mode.height};
        }
    }
    std::sort(sizes.begin(), sizes.end());
    for (const auto& [width, height] : sizes)
        modes << VideoMode{QStringLiteral("%1x%2").arg(width).arg(height), width, height,
                           sizeCaption(width, height)};
    return modes;
}

} // namespace

const QList<VideoMode>& engineVideoModes(Engine engine) {
    static std::array<std::optional<QList<VideoMode>>, std::size(AllEngines)> loaded;
    auto& slot = loaded[size_t(engine)];
    if (!slot)
        slot = engine == Engine::q2pro ? sizedModes() : numberedModes(engine);
    return *slot;
}

const VideoMode* engineModeOfSize(Engine engine, int width, int height) {
    for (const VideoMode& mode : engineVideoModes(engine)) {
        if (mode.width == width && mode.height == height && width > 0)
            return &mode;
    }
    return nullptr;
}

QString engineDefaultMode(Engine engine) {
    switch (engine) {
    case Engine::yamagi:
        return QStringLiteral("4");
    case Engine::q2pro:
        return QStringLiteral("640x480");
    case Engine::id:
        break;
    }
    return QStringLiteral("0");
}

namespace {

struct EngineValue {
    const char* cvar;
    const char* yamagi;
    const char* q2pro;
};

// The engines' own defaults where Vexa's differ from them (id 3.21 keeps Vexa's).
constexpr EngineValue Defaults[] = {
    {"s_khz", "44", "44"},
    {"s_volume", "0.7", "0.7"},
    {"s_mixahead", "0.14", "0.1"},
    {"sensitivity", "3", "3"},
    {"gl_texturemode", "GL_LINEAR_MIPMAP_NEAREST", "GL_LINEAR_MIPMAP_LINEAR"},
    {"rate", "8000", "15000"},
};

} // namespace

QString engineDefault(Engine engine, QStringView cvar) {
    if (engine == Engine::id)
        return {};
    for (const EngineValue& value : Defaults) {
        if (cvar == QLatin1String(value.cvar))
            return QLatin1String(engine == Engine::yamagi ? value.yamagi : value.q2pro);
    }
    return {};
}

QList<int> engineSoundRates(Engine engine) {
    if (engine == Engine::id)
        return {22, 11};
    return {48, 44, 22, 11};
}
