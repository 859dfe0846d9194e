#include "Guard.h"

#include "VexaError.h"

bool runGuarded(Prompts& prompts, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const VexaError& e) {
        prompts.error(e.message());
    } catch (const std::exception& e) {
        prompts.error(QString::fromLocal8Bit(e.what()));
    }
    return false;
}
