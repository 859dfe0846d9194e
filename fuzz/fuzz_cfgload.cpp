// Any file read as a config into the main window (offscreen). Saving what was read and reading
// that again gives the same file: the reader and the writer agree on everything they carry.

#include "app/HeadlessPrompts.h"
#include "app/MainWindow.h"
#include "platform/IniFile.h"
#include "platform/VexaError.h"

#include "FuzzWorld.h"

#include <QApplication>
#include <QTextStream>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

QString messages;
QTextStream messageStream(&messages);
HeadlessPrompts prompts(messageStream);
MainWindow* window = nullptr;

QByteArray saved(const QString& fileName) {
    const FuzzWorld& world = FuzzWorld::get();
    window->saveCfgFile(world.root(), fileName);
    return FuzzWorld::readFile(world.root() + u'/' + fileName);
}

// Reads a file the window wrote (holding `text`) and saves the window again.
QByteArray resaved(const QByteArray& text, const QString& from, const QString& to) {
    try {
        window->loadCfgFile(FuzzWorld::get().root(), from);
    } catch (const VexaError& e) {
        fuzzFailure("the reader refuses the writer's file", e.message().toUtf8() + '\n' + text);
    }
    return saved(to);
}

} // namespace

// Font look-up keeps a cache of its own until the process ends; that is none of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    const FuzzWorld& world = FuzzWorld::get();
    IniFile ini(world.iniPath());
    ini.writeString(QStringLiteral("quake2"), QStringLiteral("path"), world.quake2Dir());
    ini.writeString(QStringLiteral("quake2"), QStringLiteral("baseq2"), world.baseDir());
    new QApplication(*argc, *argv); // lives as long as the process
    window = new MainWindow(prompts);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const FuzzWorld& world = FuzzWorld::get();
    world.writeFile(QStringLiteral("in.cfg"),
                    QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    try {
        window->loadCfgFile(world.root(), QStringLiteral("in.cfg"));
    } catch (const VexaError&) {
        return 0; // a number that is no number stops the read with its message
    }
    // The first save may still gain the walk and run defaults the reader fills in for lines the
    // writer leaves out; from then on reading and writing change nothing.
    const QByteArray first = resaved(saved(QStringLiteral("out.cfg")), QStringLiteral("out.cfg"),
                                     QStringLiteral("again.cfg"));
    const QByteArray second =
        resaved(first, QStringLiteral("again.cfg"), QStringLiteral("third.cfg"));
    FUZZ_CHECK(first == second,
               "a save:\n" + first + "\nthe same read and saved again:\n" + second);
    FUZZ_CHECK(!prompts.failed(), messages.toUtf8());
    return 0;
}
