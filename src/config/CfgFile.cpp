#include "CfgFile.h"

#include "VexaCommon.h"
#include "platform/TextFile.h"

namespace {

// Quotes removed, then trimmed.
QString bare(const QString& part) {
    return trimBlanks(ReplaceChar(part, u'"', QString()));
}

} // namespace

QString cfgLine(const char* word, const QString& name, const QString& value) {
    return QLatin1String(word) + u' ' + name + QStringLiteral(" \"") + value + u'"';
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

void writeCfgFile(const QString& fileName, const QStringList& lines) {
    TextFile::writeLines(fileName, lines, QStringLiteral("\r\n"));
}

void readCfgFile(const QString& fileName, QStringList& cfgLines) {
    cfgLines.clear();
    cfgLines = TextFile::readLines(fileName);
}

SettingLine splitCfgLine(const QString& line) {
    const ThreeParts parts = SplitInThree(line, u' ');
    const QString word = parts.first.toLower();
    if (word == QLatin1String("set"))
        return {bare(parts.second), bare(parts.third).toLower()};
    if (word == QLatin1String("bind"))
        return {bare(parts.third).toLower(), bare(parts.second)};
    return {QStringLiteral("Other"), QStringLiteral("Nothing")};
}

QVector<SettingLine> SplitCfgLines(const QStringList& cfgLines) {
    QVector<SettingLine> split;
    split.reserve(cfgLines.size());
    for (const QString& line : cfgLines)
        split.push_back(splitCfgLine(line));
    return split;
}
