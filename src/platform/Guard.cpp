#include "Guard.h"

#include "VexaError.h"

#include <QStringList>

#include <optional>

namespace {

// The message of what the handler threw; nothing when it ran through.
std::optional<QString> failureOf(const std::function<void()>& handler) {
    try {
        handler();
        return std::nullopt;
    } catch (const VexaError& e) {
        return e.message();
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    }
}

} // namespace

bool runGuarded(Prompts& prompts, const std::function<void()>& handler) {
    const std::optional<QString> failure = failureOf(handler);
    if (failure)
        prompts.error(*failure);
    return !failure;
}

bool runEachGuarded(Prompts& prompts, std::initializer_list<std::function<void()>> steps) {
    QStringList shown;
    for (const std::function<void()>& step : steps) {
        const std::optional<QString> failure = failureOf(step);
        if (failure && !shown.contains(*failure)) {
            shown << *failure;
            prompts.error(*failure);
        }
    }
    return shown.isEmpty();
}
