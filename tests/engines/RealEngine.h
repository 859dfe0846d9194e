#pragma once

#include "settings/Engine.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

class TestEnvironment;

// What a real engine holds after a run, as its own listings print it.
struct EngineHold {
    QMap<QString, QString> cvars;   // by name, exact case
    QMap<QString, QString> binds;   // by key name as the engine prints it
    QMap<QString, QString> aliases; // by name
    QByteArray configAtQuit;        // <home>/baseq2/config.cfg after the run ("" when none)
    QString log;                    // everything the engine printed
};

// A real Yamagi Quake II or Q2PRO build from the folder VEXA_TEST_ENGINES names (laid out like
// shared/engines/peers: yamagi/, q2pro/, data/), installed into a test environment: the engine's
// files in the environment's Quake 2 directory, the test pictures the client needs, and the
// engine's home where the engine itself looks for it ($HOME/.yq2, $HOME/.q2pro), so that Vexa's
// own discovery finds the same places.
class RealEngine {
public:
    // The folder of the engine builds, or "" when the tests against them are not enabled.
    static QString buildsDir();
    // Why `engine` cannot run here ("" when it can).
    static QString unavailableReason(Engine engine);

    RealEngine(Engine engine, TestEnvironment& env);

    Engine engine() const { return engine_; }
    QString home() const;     // the game's own directory
    QString baseHome() const; // <home>/baseq2: where the game writes config.cfg
    QString dataDir() const;  // the Quake 2 directory: the programs and baseq2/

    // The switches every headless run starts with, before the game's own arguments.
    QStringList headlessArguments() const;

    // Adds the one-map archive, so that `+map q2dm1` loads the game library.
    void addMap() const;

    // Runs the client (or the dedicated server) with `arguments` as the game's command line
    // after the switches a headless run needs, then lists what it holds and quits.
    EngineHold run(const QStringList& arguments, bool dedicated = false) const;
    // Runs `program` (a path in the Quake 2 directory) with exactly `arguments` (as a launch
    // script gives them), then lists and quits.
    EngineHold runProgram(const QString& program, const QStringList& arguments) const;

private:
    Engine engine_;
    TestEnvironment& env_;
};

// Differences a player would notice between two holds: one text each, "cvar fov: 90 -> 110",
// "bind MOUSE1: +attack -> (none)", "alias foo: (none) -> say hi". Cvars that change on every run
// (a time stamp) are left out.
QStringList holdDifferences(const EngineHold& before, const EngineHold& after);
