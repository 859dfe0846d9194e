#include "ProcessStart.h"

#include <QProcess>

bool startDetached(const QString& program, const QStringList& arguments,
                   const QString& workingDirectory) {
    return QProcess::startDetached(program, arguments, workingDirectory);
}
