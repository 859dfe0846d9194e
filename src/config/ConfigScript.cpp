#include "ConfigScript.h"

#include "platform/FileAccess.h"
#include "platform/VexaError.h"

#include <algorithm>

namespace {

// Stands in the text for a line feed that Q2PRO's "\" at the end of a line joins away: a blank to
// the words, a new line only to the line count. No Latin-1 file holds it.
constexpr QChar JoinedLineFeed = QChar(0xE000);

bool isBlank(QChar c) {
    return c.unicode() <= u' ' || c == JoinedLineFeed;
}

QString joinedText(const QStringList& lines) {
    return lines.join(u'\n');
}

// ---- Q2PRO's comment removal (COM_Compress), keeping every character's place ----

void blankOut(QString& text, qsizetype from, qsizetype to) {
    for (qsizetype i = from; i < to; ++i) {
        if (text[i] != u'\n')
            text[i] = u' ';
    }
}

// Past the "//" comment that starts at `at`: up to the line feed.
qsizetype lineCommentEnd(const QString& text, qsizetype at) {
    const qsizetype feed = text.indexOf(u'\n', at);
    return feed < 0 ? text.size() : feed;
}

// Past the "/* */" comment that starts at `at`, or the end of the text.
qsizetype blockCommentEnd(const QString& text, qsizetype at) {
    const qsizetype close = text.indexOf(QLatin1String("*/"), at + 2);
    return close < 0 ? text.size() : close + 2;
}

// Past the quoted string that starts at `at`: a quote in Q2PRO's comment removal runs over line
// feeds to the next quote.
qsizetype quotedEnd(const QString& text, qsizetype at) {
    const qsizetype close = text.indexOf(u'"', at + 1);
    return close < 0 ? text.size() : close + 1;
}

// The length of a "\" line feed escape at `at` ("\" LF or "\" CR LF), or 0.
qsizetype escapedLineFeed(const QString& text, qsizetype at) {
    if (text[at] != u'\\')
        return 0;
    if (at + 1 < text.size() && text[at + 1] == u'\n')
        return 2;
    if (at + 2 < text.size() && text[at + 1] == u'\r' && text[at + 2] == u'\n')
        return 3;
    return 0;
}

bool startsWith(const QString& text, qsizetype at, char a, char b) {
    return at + 1 < text.size() && text[at] == QLatin1Char(a) && text[at + 1] == QLatin1Char(b);
}

void removeQ2proComments(QString& text) {
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i].unicode() <= u' ') {
            ++i;
        } else if (startsWith(text, i, '/', '/')) {
            const qsizetype end = lineCommentEnd(text, i);
            blankOut(text, i, end);
            i = end;
        } else if (startsWith(text, i, '/', '*')) {
            const qsizetype end = blockCommentEnd(text, i);
            blankOut(text, i, end);
            i = end;
        } else if (text[i] == u'"') {
            i = quotedEnd(text, i);
        } else if (const qsizetype escape = escapedLineFeed(text, i)) {
            text[i] = u' ';
            if (escape == 3)
                text[i + 1] = u' ';
            text[i + escape - 1] = JoinedLineFeed;
            i += escape;
        } else {
            while (i < text.size() && text[i].unicode() > u' ')
                ++i;
        }
    }
}

// COM_Compress's length: each word and quoted string, one blank or line feed between them.
qsizetype compressedSize(const QString& text) {
    qsizetype size = 0;
    bool blankPending = false;
    for (const QChar c : text) {
        if (isBlank(c)) {
            blankPending = size > 0;
            continue;
        }
        size += blankPending ? 2 : 1;
        blankPending = false;
    }
    return size;
}

// ---- Words ----

void addWords(ScriptCommand& command, QStringView text, Engine engine) {
    const bool q2pro = engineFacts(engine).exactCommandCase;
    qsizetype i = 0;
    while (true) {
        while (i < text.size() && isBlank(text[i]))
            ++i;
        if (i == text.size())
            return;
        if (!q2pro && text.mid(i).startsWith(u"//"))
            return;
        if (text[i] == u'"') {
            const qsizetype close = text.indexOf(u'"', i + 1);
            const qsizetype end = close < 0 ? text.size() : close;
            command.words.append(text.sliced(i + 1, end - i - 1));
            i = close < 0 ? end : end + 1;
            continue;
        }
        const qsizetype start = i;
        while (i < text.size() && !isBlank(text[i]) && !(q2pro && text[i] == u'"'))
            ++i;
        command.words.append(text.sliced(start, i - start));
    }
}

// Where the first thing other than a blank is, or the text's size.
qsizetype firstWord(QStringView text) {
    const auto found = std::find_if_not(text.begin(), text.end(), isBlank);
    return found - text.begin();
}

bool hasOddQuotes(QStringView text) {
    return text.count(u'"') % 2 == 1;
}

bool expandsCvars(QStringView text) {
    bool quoted = false;
    for (QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (c == u'$' && !quoted)
            return true;
    }
    return false;
}

// One command of the split: its words, or only that it is discarded.
ScriptCommand readCommand(QStringView text, Engine engine, int line, bool startsLine) {
    ScriptCommand command;
    command.line = line;
    command.startsLine = startsLine;
    if (hasOddQuotes(text)) {
        command.unmatchedQuote = true;
        return command;
    }
    command.expandsCvars = expandsCvars(text);
    addWords(command, text, engine);
    return command;
}

// Where the command starting at `from` ends: a line feed, or a semicolon after an even count
// of quotes.
qsizetype commandEnd(const QString& text, qsizetype from) {
    int quotes = 0;
    for (qsizetype i = from; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"')
            ++quotes;
        else if ((c == u';' && quotes % 2 == 0) || c == u'\n')
            return i;
    }
    return text.size();
}

} // namespace

void forEachScriptCommand(const QStringList& lines, Engine engine,
                          const std::function<void(const ScriptCommand&)>& visit) {
    QString text = joinedText(lines);
    if (engineFacts(engine).exactCommandCase)
        removeQ2proComments(text);
    int line = 1;
    bool atLineStart = true;
    qsizetype from = 0;
    while (from <= text.size()) {
        const qsizetype end = commandEnd(text, from);
        const QStringView command = QStringView(text).sliced(from, end - from);
        const qsizetype start = firstWord(command);
        if (start < command.size()) {
            const int startLine = line + int(command.first(start).count(JoinedLineFeed));
            visit(readCommand(command, engine, startLine, atLineStart));
        }
        line += int(command.count(JoinedLineFeed));
        if (end == text.size())
            break;
        atLineStart = text[end] == u'\n';
        if (atLineStart)
            ++line;
        from = end + 1;
    }
}

qsizetype execSize(const QStringList& lines, Engine engine) {
    QString text = joinedText(lines);
    if (engineFacts(engine).exactCommandCase) {
        removeQ2proComments(text);
        return compressedSize(text);
    }
    const qsizetype nul = text.indexOf(QChar(0));
    // The line feed that ended the last line is not among the lines.
    return nul >= 0 ? nul : text.size() + 1;
}

QStringList readScriptLines(const QString& fileName) {
    const std::optional<QByteArray> bytes = readWholeFile(fileName);
    if (!bytes)
        throw VexaError(ErrorText::cannotOpen(displayName(fileName)));
    QStringList lines = QString::fromLatin1(*bytes).split(u'\n');
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast(); // a final line feed ends the last line
    return lines;
}
