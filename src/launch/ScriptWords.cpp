#include "ScriptWords.h"

#include <algorithm>

namespace {

using Style = PlatformConventions::Style;

bool isPosixSafe(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
           QStringView(u"_-./,:@%+").contains(c);
}

QString quotePosix(const QString& word) {
    const bool plain = !word.isEmpty() && !word.startsWith(QLatin1Char('+')) &&
                       std::all_of(word.begin(), word.end(), isPosixSafe);
    if (plain)
        return word;
    QString inner = word;
    inner.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + inner + QLatin1Char('\'');
}

QString quoteWindows(const QString& word) {
    QString text = word;
    text.replace(QLatin1Char('%'), QStringLiteral("%%"));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const bool plain = !text.isEmpty() && !text.startsWith(QLatin1Char('+')) &&
                       std::none_of(text.begin(), text.end(), [](QChar c) {
                           return QStringView(u" \t\"&|<>^(),;=!").contains(c);
                       });
    if (plain)
        return text;
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// Collects the words; a word exists once any part of it (even empty quotes) has been seen.
class WordCollector {
public:
    void begin(bool startsCommand) {
        if (!open_) {
            open_ = true;
            current_ = {QString(), startsCommand};
        }
    }
    void add(QChar c) { current_.text += c; }
    void finish() {
        if (open_)
            words_ << current_;
        open_ = false;
    }
    bool open() const { return open_; }
    QList<ScriptWord> take() {
        finish();
        return words_;
    }

private:
    QList<ScriptWord> words_;
    ScriptWord current_;
    bool open_ = false;
};

// The shell's reading of one line: see the header for what it understands.
class PosixSplitter {
public:
    explicit PosixSplitter(const QString& text) : s_(text) {}

    QList<ScriptWord> run() {
        while (i_ < s_.size()) {
            const QChar c = s_[i_];
            if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r')) {
                words_.finish();
                ++i_;
            } else if (c == QLatin1Char('\n') || QStringView(u";&|<>()").contains(c) ||
                       (c == QLatin1Char('#') && !words_.open())) {
                break;
            } else if (c == QLatin1Char('\\')) {
                backslash();
            } else if (c == QLatin1Char('\'')) {
                singleQuoted();
            } else if (c == QLatin1Char('"')) {
                doubleQuoted();
            } else {
                words_.begin(c == QLatin1Char('+'));
                words_.add(c);
                ++i_;
            }
        }
        return words_.take();
    }

private:
    QChar at(qsizetype i) const { return i < s_.size() ? s_[i] : QChar(); }

    void backslash() {
        if (at(i_ + 1) == QLatin1Char('\n')) { // a continued line
            i_ += 2;
            return;
        }
        words_.begin(false);
        words_.add(i_ + 1 < s_.size() ? s_[i_ + 1] : QLatin1Char('\\'));
        i_ += 2;
    }

    void singleQuoted() {
        words_.begin(false);
        for (++i_; i_ < s_.size() && s_[i_] != QLatin1Char('\''); ++i_)
            words_.add(s_[i_]);
        ++i_;
    }

    void doubleQuoted() {
        words_.begin(false);
        for (++i_; i_ < s_.size() && s_[i_] != QLatin1Char('"'); ++i_) {
            const QChar next = at(i_ + 1);
            if (s_[i_] == QLatin1Char('\\') && QStringView(u"$`\"\\\n").contains(next)) {
                ++i_;
                if (next != QLatin1Char('\n'))
                    words_.add(next);
            } else {
                words_.add(s_[i_]);
            }
        }
        ++i_;
    }

    const QString& s_;
    qsizetype i_ = 0;
    WordCollector words_;
};

QList<ScriptWord> splitWindows(const QString& s) {
    WordCollector words;
    bool quoted = false;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        const QChar next = i + 1 < s.size() ? s[i + 1] : QChar();
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            break;
        if (!quoted && (c == QLatin1Char(' ') || c == QLatin1Char('\t'))) {
            words.finish();
            continue;
        }
        words.begin(!quoted && c == QLatin1Char('+'));
        if (c == QLatin1Char('"') && quoted && next == QLatin1Char('"')) {
            words.add(c);
            ++i;
        } else if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (c == QLatin1Char('%') && next == QLatin1Char('%')) {
            words.add(c);
            ++i;
        } else {
            words.add(c);
        }
    }
    return words.take();
}

} // namespace

namespace ScriptWords {

QString quote(const QString& word, Style style) {
    return style == Style::Posix ? quotePosix(word) : quoteWindows(word);
}

QList<ScriptWord> split(const QString& script, Style style) {
    return style == Style::Posix ? PosixSplitter(script).run() : splitWindows(script);
}

} // namespace ScriptWords
