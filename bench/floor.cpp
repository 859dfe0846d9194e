// The floor for the start-up benchmark: a bare Qt window with the widgets vexa_bench_startup
// found in Vexa's main window (same kinds, same counts, same tab pages), shown with the same look
// and ended once exposed. It reads no settings and fills nothing.
//
//   vexa_bench_floor INVENTORY

#include "Exposure.h"
#include "WidgetInventory.h"

#include "app/Application.h"

#include <QFile>
#include <QMainWindow>
#include <QTextStream>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: vexa_bench_floor INVENTORY" << Qt::endl;
        return 2;
    }
    applyApplicationLook(app);
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const std::unique_ptr<QMainWindow> window = buildWindow(QString::fromUtf8(file.readAll()));
    if (!window)
        return 1;
    centreOnScreen(*window);
    QuitWhenExposed quit(*window);
    window->show();
    return QApplication::exec();
}
