#include "VexaIni.h"

#include <QDir>
#include <QStandardPaths>

namespace VexaIni {

QString fileName() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    QDir().mkpath(base);
    return QDir(base).filePath(QStringLiteral("vexa.ini"));
}

} // namespace VexaIni
