#pragma once

#include "Prompts.h"

#include <functional>
#include <initializer_list>
#include <type_traits>
#include <utility>

// Exceptions never cross the event loop: every handler runs through runGuarded, which shows the
// message of a std::exception through Prompts::error and returns false.
bool runGuarded(Prompts& prompts, const std::function<void()>& handler);

// Runs each step in a guard of its own, so that a step that fails keeps none of the later ones
// from running. A message is shown once however many steps fail with it (a settings file that
// cannot be written fails every step that writes it). False when a step failed.
bool runEachGuarded(Prompts& prompts, std::initializer_list<std::function<void()>> steps);

// Calls the handler with the signal's arguments, or without them when it takes none. A function
// template of its own, so that the call it does not make is never compiled.
template <typename Handler, typename... Args>
void callHandler(const Handler& handler, Args&&... args) {
    if constexpr (std::is_invocable_v<const Handler&, Args...>)
        handler(std::forward<Args>(args)...);
    else
        handler();
}

// Wraps a handler for QObject::connect: guarded(prompts, [this] { ... }).
template <typename Handler> auto guarded(Prompts& prompts, Handler handler) {
    return [&prompts, handler = std::move(handler)](auto&&... args) {
        runGuarded(prompts, [&] { callHandler(handler, std::forward<decltype(args)>(args)...); });
    };
}
