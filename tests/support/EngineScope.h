#pragma once

#include "settings/Engine.h"

// Makes `engine` the current one for as long as the object lives; the one before comes back.
class EngineScope {
public:
    explicit EngineScope(Engine engine) : previous_(currentEngine()) { setCurrentEngine(engine); }
    ~EngineScope() { setCurrentEngine(previous_); }
    EngineScope(const EngineScope&) = delete;
    EngineScope& operator=(const EngineScope&) = delete;

private:
    Engine previous_;
};
