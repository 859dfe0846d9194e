#pragma once

#include "platform/VexaError.h"

#include <QString>

#include <functional>

// The message of the VexaError that `call` throws; empty when it throws none.
inline QString errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const VexaError& error) {
        return error.message();
    }
    return {};
}
