// Renders the main window (every tab and Video sub-page), and the dialogs, to PNG files, offscreen.
//
//   vexa_screenshots OUTPUT_DIRECTORY [POINT_SIZE] [dark]
//
// It runs on a demo installation in a temporary directory (settings file, program directory,
// Quake 2 directory), so the lists are filled and the real settings are never touched. The servers
// of its Connect list are stand-ins on the loopback, two answering and one silent. A point size
// renders at that font, as a desktop would set it; "dark" in a dark palette.

#include "app/Application.h"
#include "app/Demo.h"
#include "support/Scenes.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// Long enough for every server to answer or stay silent.
constexpr int ServerRoundMs = 2300;

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyApplicationLook(app);
    const QString outputDir =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(outputDir);
    if (argc > 2)
        useFontSize(QString::fromLocal8Bit(argv[2]).toDouble());
    if (argc > 3 && QByteArray(argv[3]) == "dark")
        QApplication::setPalette(darkPalette());

    // The demo installation in a temporary place: the lists are filled, the real settings
    // untouched.
    QTemporaryDir world;
    const DemoPaths demo = enterDemo(world.filePath(QStringLiteral("demo")));
    const auto servers = standInServers(demo.programDir);

    SilentPrompts prompts;
    showScenes(
        demo, prompts,
        [&outputDir](QWidget&, const QString& name, const QPixmap& picture) {
            const QString file = QDir(outputDir).filePath(name + QStringLiteral(".png"));
            if (!picture.save(file))
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            else
                std::printf("%s\n", qPrintable(file));
        },
        ServerRoundMs);
    return 0;
}
