#include "CommandLineCommand.h"

#include "app/HeadlessPrompts.h"
#include "app/VexaMain.h"

#include <QTextStream>

int printCommandLine(QTextStream& out, QTextStream& messages) {
    HeadlessPrompts prompts(messages);
    TfrmVexaMain window(prompts);
    if (prompts.failed())
        return 1;
    out << window.BuildCommandLine() << Qt::endl;
    return 0;
}
