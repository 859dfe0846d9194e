#include "CfgFile.h"

#include "platform/TextFile.h"
#include "settings/Engine.h"

namespace {

// Q2PRO finds commands by their exact lower-case name: "Set" and "Bind" are unknown there.
QLatin1String commandWord(const char* word) {
    if (!engineFacts(currentEngine()).exactCommandCase)
        return QLatin1String(word);
    for (const char* lower : {CfgWord::set, CfgWord::bind, CfgWord::alias}) {
        if (qstricmp(word, lower) == 0)
            return QLatin1String(lower);
    }
    return QLatin1String(word);
}

} // namespace

QString cfgLine(const char* word, const QString& name, const QString& value) {
    // One allocation: a save writes several hundred of these.
    const QLatin1String start = commandWord(word);
    QString line;
    line.reserve(start.size() + name.size() + value.size() + 4);
    line.append(start).append(u' ').append(name).append(QLatin1String(" \"")).append(value);
    return line.append(u'"');
}

void appendCfgLine(QStringList& lines, const char* word, const QString& name,
                   const QString& value) {
    lines << cfgLine(word, name, value);
}

void appendClosingLines(QStringList& lines) {
    lines << QString() << QString() << QStringLiteral("//End of File")
          << QStringLiteral("//Thank you for using VEXA")
          << QStringLiteral("//") + QString(14, u' ') + QStringLiteral("Taskel");
}

FileVersion writeCfgFile(const QString& fileName, const QStringList& lines) {
    return TextFile::writeLines(fileName, lines, QStringLiteral("\r\n"));
}

void readCfgFile(const QString& fileName, QStringList& cfgLines, FileVersion* version) {
    cfgLines.clear();
    cfgLines = TextFile::readLines(fileName, TextEncoding::Latin1, version);
}
