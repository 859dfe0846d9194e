#include "CommandLineCommand.h"

#include "app/HeadlessPrompts.h"
#include "app/MainWindow.h"

#include <QTextStream>

int printCommandLine(QTextStream& out, QTextStream& messages) {
    HeadlessPrompts prompts(messages);
    MainWindow window(prompts);
    if (prompts.failed())
        return 1;
    out << window.buildCommandLine() << Qt::endl;
    return 0;
}
