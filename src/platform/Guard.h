#pragma once

#include "Prompts.h"

#include <functional>
#include <type_traits>
#include <utility>

// Exceptions never cross the event loop: every handler runs through runGuarded, which shows the
// message of a std::exception through Prompts::error and returns false.
bool runGuarded(Prompts& prompts, const std::function<void()>& handler);

// Wraps a handler for QObject::connect: guarded(prompts, [this] { ... }).
template <typename Handler> auto guarded(Prompts& prompts, Handler handler) {
    return [&prompts, handler = std::move(handler)](auto&&... args) {
        runGuarded(prompts, [&] {
            if constexpr (std::is_invocable_v<const Handler&, decltype(args)...>)
                handler(std::forward<decltype(args)>(args)...);
            else
                handler(); // the handler ignores the signal's arguments
        });
    };
}
