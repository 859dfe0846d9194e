#include "app/Application.h"
#include "app/QtPrompts.h"
#include "app/VexaMain.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    applyApplicationLook(app);
    QtPrompts prompts;
    TfrmVexaMain window(prompts);
    prompts.setParent(&window);
    window.adjustSize();
    centreOnScreen(window);
    window.show();
    return QApplication::exec();
}
