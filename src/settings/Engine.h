#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// The Quake 2 engines Vexa writes for. They differ in where they keep their own files, in the
// names their bind command and cvars take, and in how strictly they compare letter case.
enum class Engine { id, yamagi, q2pro };

inline constexpr Engine AllEngines[] = {Engine::id, Engine::yamagi, Engine::q2pro};

// What one engine does, from its public sources and checked on a real run.
struct EngineFacts {
    Engine engine;
    const char* iniName;     // its value in vexa.ini [quake2] engine
    const char* displayName; // as the Options dialog names it
    // Commands ("set", "bind", "alias") are found by their exact lower-case name.
    bool exactCommandCase;
    // `bind A` reaches the key: the engine lowers a single character (the others only ever send
    // lower-case letter codes, so a capital letter's binding never fires).
    bool lowersSingleCharacterKeys;
    // The names of the archives the engine reads in a game folder ("pak*.pak", "*.pkz").
    const char* const* archivePatterns;
    // The game's own default of vid_gamma.
    double defaultGamma;
    // Keys the engine refuses to rebind.
    const char* const* refusedKeys;
    // Its usual program names on Linux, the one it installs as first.
    const char* const* programNames;
    // The command buffer exec puts a whole script into: a script of this many bytes or more is
    // skipped, every line of it ("Cbuf_AddText: overflow").
    int commandBufferSize;
    // The flags "set NAME VALUE FLAG" takes as a fourth word (u: userinfo, s: serverinfo, a:
    // archive); Q2PRO joins any other words into the value.
    const char* setFlags;
};

const EngineFacts& engineFacts(Engine engine);

// The engine of the installation Vexa works on, for the code that spells what the game reads
// (key names, command words), deep in controls that know no settings file. One installation per
// process: the main window sets it at start-up and when Options changes it. Id 3.21 until then.
Engine currentEngine();
void setCurrentEngine(Engine engine);

// "id", "yamagi" or "q2pro", letter case ignored.
std::optional<Engine> engineFromIniName(QStringView name);
inline QString engineIniName(Engine engine) {
    return QString::fromLatin1(engineFacts(engine).iniName);
}

// The lines of one of the engine's lists shipped as resources ("keys.txt"), blanks trimmed,
// empty lines left out.
QStringList engineResourceLines(Engine engine, const char* file);

// The engine's archive name patterns, for GameFiles.
QStringList engineArchivePatterns(Engine engine);

// Every key name the engine's bind command accepts, in its own spelling.
const QStringList& engineKeyNames(Engine engine);
// The engine's spelling of a key name (the game compares them without regard to letter case), a
// single character as it is, or an empty text when the engine has no such key.
QString engineKeyName(Engine engine, QStringView name);
bool engineRefusesToRebind(Engine engine, QStringView name);

// Every cvar name the engine or its game library registers, sorted.
const QStringList& engineCvarNames(Engine engine);
// Whether the engine registers exactly this name (cvars are looked up with their letter case).
bool engineRegistersCvar(Engine engine, QStringView name);
// The name an old cvar is renamed to when it is set (Yamagi), or an empty text.
QString engineCvarRename(Engine engine, QStringView name);
// Every old name that becomes `name`, in the engine's table order.
QStringList engineCvarsRenamedTo(Engine engine, QStringView name);
