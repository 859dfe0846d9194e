// Vexa's start-up as main() runs it (the look, the main window created, sized, centred and shown,
// the event loop run) on a realistic installation, ending once the window is exposed.
//
//   vexa_bench_startup --prepare ROOT        creates the installation under ROOT
//   vexa_bench_startup ROOT                  starts up on it
//   vexa_bench_startup --inventory FILE ROOT starts up, then writes the window's widgets to FILE
//                                            for vexa_bench_floor

#include "Exposure.h"
#include "Installation.h"
#include "WidgetInventory.h"

#include "app/Application.h"
#include "app/HeadlessPrompts.h"
#include "app/MainWindow.h"
#include "platform/VexaError.h"

#include <QFile>
#include <QTextStream>

namespace {

int prepare(int argc, char** argv, const QString& root) {
    QCoreApplication app(argc, argv);
    try {
        createDemoInstallation(root, QString(), BenchInstallation::realisticContent());
        return 0;
    } catch (const VexaError& error) {
        QTextStream(stderr) << error.what() << Qt::endl;
        return 1;
    }
}

int startUp(int argc, char** argv, const QString& root, const QString& inventoryFile) {
    QApplication app(argc, argv);
    applyApplicationLook(app);
    QTextStream messages(stderr);
    // Nobody answers a question here: any prompt is reported and fails the run.
    HeadlessPrompts prompts(messages);
    try {
        BenchInstallation::enter(root);
    } catch (const VexaError& error) {
        messages << error.what() << Qt::endl;
        return 1;
    }
    MainWindow window(prompts);
    window.adjustSize();
    centreOnScreen(window);
    QuitWhenExposed quit(window);
    window.show();
    const int result = QApplication::exec();
    if (result != 0 || prompts.failed())
        return result != 0 ? result : 1;
    if (!inventoryFile.isEmpty()) {
        QFile file(inventoryFile);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 1;
        QTextStream(&file) << describeWindow(window);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const QString first = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (first == QLatin1String("--prepare") && argc == 3)
        return prepare(argc, argv, QString::fromLocal8Bit(argv[2]));
    if (first == QLatin1String("--inventory") && argc == 4)
        return startUp(argc, argv, QString::fromLocal8Bit(argv[3]),
                       QString::fromLocal8Bit(argv[2]));
    if (argc == 2 && !first.startsWith(QLatin1String("--")))
        return startUp(argc, argv, first, QString());
    QTextStream(stderr)
        << "usage: vexa_bench_startup [--prepare ROOT | --inventory FILE ROOT | ROOT]" << Qt::endl;
    return 2;
}
