#include "CommandLineCommand.h"

#include "app/HeadlessPrompts.h"
#include "app/MainWindow.h"

#include <QTextStream>

int printCommandLine(QTextStream& out, QTextStream& messages) {
    HeadlessPrompts prompts(messages);
    MainWindow window(prompts);
    // What the window shows on its hint line is said here.
    if (const QString missing = window.missingConfigNotice(); !missing.isEmpty())
        prompts.notice(missing);
    if (prompts.failed())
        return 1;
    out << window.buildCommandLine() << Qt::endl;
    return 0;
}
