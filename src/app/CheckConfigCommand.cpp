#include "CheckConfigCommand.h"

#include "config/ConfigCheck.h"
#include "config/ConfigScript.h"
#include "platform/VexaError.h"
#include "platform/VexaIni.h"

#include <QTextStream>

#include <algorithm>

namespace {

const QString EngineNames = QStringLiteral("id, yamagi or q2pro");

} // namespace

Engine configuredEngine(const IniFile& ini, QString* unknown) {
    const QString name = VexaIni::readString(ini, VexaIni::GameEngine, QString());
    if (name.isEmpty())
        return Engine::id;
    if (const auto engine = engineFromIniName(name))
        return *engine;
    if (unknown)
        *unknown = name;
    return Engine::id;
}

int checkConfigFile(const QString& fileName, const std::optional<QString>& engineName,
                    QTextStream& out, QTextStream& messages) {
    std::optional<Engine> engine;
    if (engineName) {
        engine = engineFromIniName(*engineName);
        if (!engine) {
            messages << "vexa: unknown engine '" << *engineName << "': " << EngineNames << Qt::endl;
            return 2;
        }
    } else {
        QString unknown;
        engine = configuredEngine(IniFile(VexaIni::fileName()), &unknown);
        if (!unknown.isEmpty())
            messages << "vexa: vexa.ini names the unknown engine '" << unknown
                     << "'; checking for id 3.21" << Qt::endl;
    }
    QStringList lines;
    try {
        lines = readScriptLines(fileName);
    } catch (const VexaError& error) {
        messages << "vexa: " << error.message() << Qt::endl;
        return 2;
    }
    const QList<ConfigFinding> findings = checkConfig(lines, *engine);
    for (const ConfigFinding& finding : findings)
        out << findingLine(fileName, finding) << '\n';
    out.flush();
    const bool warned = std::any_of(findings.cbegin(), findings.cend(),
                                    [](const ConfigFinding& f) { return !f.isNote(); });
    return warned ? 1 : 0;
}
