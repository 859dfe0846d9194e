#include "CfgFile.h"

#include "VexaCommon.h"
#include "platform/TextFile.h"

namespace {

bool isBlankOrQuote(QChar c) {
    return c.unicode() <= u' ' || c == u'"';
}

// Quotes removed, then trimmed (blanks and quotes at the ends go together), in one copy.
QString bare(QStringView part) {
    qsizetype begin = 0, end = part.size();
    while (begin < end && isBlankOrQuote(part[begin]))
        ++begin;
    while (end > begin && isBlankOrQuote(part[end - 1]))
        --end;
    QString text;
    text.reserve(end - begin);
    for (QChar c : part.sliced(begin, end - begin)) {
        if (c != u'"')
            text += c;
    }
    return text;
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
    const ThreeViews parts = SplitInThreeViews(line, u' ');
    if (EqualsIgnoringAsciiCase(parts.first, u"set"))
        return {bare(parts.second), bare(parts.third).toLower()};
    if (EqualsIgnoringAsciiCase(parts.first, u"bind"))
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
