#include "app/Application.h"
#include "app/Demo.h"
#include "app/QtPrompts.h"
#include "app/VexaMain.h"
#include "platform/Guard.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    applyApplicationLook(app);
    QtPrompts prompts;
    // --demo: the same program on a demo installation of its own, away from the user's settings.
    if (QCoreApplication::arguments().mid(1).contains(QStringLiteral("--demo")) &&
        !runGuarded(prompts, [] { enterDemo(); }))
        return 1;
    TfrmVexaMain window(prompts);
    prompts.setParent(&window);
    window.adjustSize();
    centreOnScreen(window);
    window.show();
    return QApplication::exec();
}
