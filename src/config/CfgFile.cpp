#include "CfgFile.h"

#include "VexaCommon.h"
#include "platform/TextFile.h"
#include "settings/Engine.h"

namespace {

bool isBlankOrQuote(QChar c) {
    return c.unicode() <= u' ' || c == u'"';
}

// Blanks and quotes at the ends trimmed together.
QStringView trimBlanksAndQuotes(QStringView part) {
    return trimmedWhere(part, isBlankOrQuote);
}

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

void writeCfgFile(const QString& fileName, const QStringList& lines) {
    TextFile::writeLines(fileName, lines, QStringLiteral("\r\n"));
}

void readCfgFile(const QString& fileName, QStringList& cfgLines) {
    cfgLines.clear();
    cfgLines = TextFile::readLines(fileName);
}

CfgLineParts cfgLineParts(QStringView line) {
    const ThreeViews parts = SplitInThreeViews(line, u' ');
    if (EqualsIgnoringAsciiCase(parts.first, u"set"))
        return {CfgLineParts::Set, trimBlanksAndQuotes(parts.second),
                trimBlanksAndQuotes(parts.third)};
    if (EqualsIgnoringAsciiCase(parts.first, u"bind"))
        return {CfgLineParts::Bind, trimBlanksAndQuotes(parts.third),
                trimBlanksAndQuotes(parts.second)};
    return {};
}

QString withoutQuotes(QStringView part) {
    if (indexOfChar(part, u'"') < 0)
        return part.toString();
    QString text(part.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (QChar c : part) {
        if (c != u'"')
            *out++ = c;
    }
    text.truncate(out - text.constData());
    return text;
}

SettingLine splitCfgLine(const QString& line) {
    const CfgLineParts parts = cfgLineParts(line);
    switch (parts.word) {
    case CfgLineParts::Set:
        return {withoutQuotes(parts.command), withoutQuotes(parts.value).toLower()};
    case CfgLineParts::Bind:
        return {withoutQuotes(parts.command).toLower(), withoutQuotes(parts.value)};
    case CfgLineParts::Other:
        break;
    }
    return {QStringLiteral("Other"), QStringLiteral("Nothing")};
}

QVector<SettingLine> SplitCfgLines(const QStringList& cfgLines) {
    QVector<SettingLine> split;
    split.reserve(cfgLines.size());
    for (const QString& line : cfgLines)
        split.push_back(splitCfgLine(line));
    return split;
}
