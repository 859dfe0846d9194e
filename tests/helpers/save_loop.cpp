// Saves one file over and over, alternating its two versions, until the process is killed.
// Usage: save_loop KIND PATH. Prints one line once the saving starts.

#include "support/SaveLoop.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    SaveLoop::Kind kind;
    if (args.size() != 3 || !SaveLoop::kindFromName(args[1], kind)) {
        std::fprintf(stderr, "usage: save_loop config|script|profile|ini PATH\n");
        return 2;
    }
    std::printf("saving\n");
    std::fflush(stdout);
    for (int version = 1;; version ^= 1)
        SaveLoop::save(kind, args[2], version);
}
