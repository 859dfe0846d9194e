#include "GameConsole.h"

#include <QFile>
#include <QSet>

#include <optional>

namespace {

constexpr int AliasLoopCount = 16;
constexpr int MaxAliasName = 32;

// The engine's word parser: blanks skipped, "//" ends the text, a quoted word runs to the next
// quote, any other word to the next blank.
QStringList parseWords(const QString& text) {
    QStringList words;
    qsizetype i = 0;
    for (;;) {
        while (i < text.size() && text[i].unicode() <= ' ')
            ++i;
        if (i >= text.size())
            return words;
        if (text[i] == '/' && i + 1 < text.size() && text[i + 1] == '/')
            return words;
        QString word;
        if (text[i] == '"') {
            ++i;
            while (i < text.size() && text[i] != '"')
                word += text[i++];
            ++i;
        } else {
            while (i < text.size() && text[i].unicode() > ' ')
                word += text[i++];
        }
        words << word;
    }
}

bool isNumber(const QString& text, double& value) {
    bool ok = false;
    value = text.trimmed().toDouble(&ok);
    return ok;
}

bool sameValue(const QString& a, const QString& b) {
    double x = 0, y = 0;
    if (isNumber(a, x) && isNumber(b, y))
        return x == y;
    return a == b;
}

class Console {
public:
    explicit Console(Engine engine) : engine_(engine) {
        const QStringList& names = engineCvarNames(engine);
        registered_ = QSet<QString>(names.cbegin(), names.cend());
        for (const QString& key : engineKeyNames(engine))
            keyNames_.insert(key.toUpper());
    }

    GameState run(const QString& text) {
        buffer_ = text;
        while (!buffer_.isEmpty())
            execute(nextCommand());
        return state_;
    }

private:
    // Up to a line end, or a semicolon outside quotes.
    QString nextCommand() {
        int quotes = 0;
        qsizetype i = 0;
        for (; i < buffer_.size(); ++i) {
            if (buffer_[i] == '"')
                ++quotes;
            if ((quotes % 2 == 0 && buffer_[i] == ';') || buffer_[i] == '\n')
                break;
        }
        const QString command = buffer_.left(i);
        buffer_.remove(0, i + 1);
        return command;
    }

    void execute(const QString& command) {
        if (command.count('"') % 2 != 0)
            return; // "Line has unmatched quote, discarded."
        const QStringList argv = parseWords(command);
        if (argv.isEmpty())
            return;
        // Q2PRO finds its commands by their exact lower-case names ("Set" is unknown).
        const QString verb = engineFacts(engine_).exactCommandCase ? argv[0] : argv[0].toLower();
        if (verb == "set" || (verb == "seta" && engine_ == Engine::q2pro))
            set(argv);
        else if (verb == "bind")
            bind(argv);
        else if (verb == "unbind")
            unbind(argv);
        else if (verb == "unbindall")
            state_.binds.clear();
        else if (verb == "alias")
            alias(argv);
        else if (verb == "wait")
            waitCommand(argv);
        else if (const auto body = aliasBody(verb))
            runAlias(*body);
        else if (!setByName(argv))
            state_.commands << argv.join(' ');
    }

    QString cvarName(const QString& name) const {
        const QString renamed = engineCvarRename(engine_, name);
        return renamed.isEmpty() ? name : renamed;
    }

    void set(const QStringList& argv) {
        if (argv.size() == 4 && argv[3] != "u" && argv[3] != "s")
            return;
        if (argv.size() == 3 || argv.size() == 4)
            state_.cvars[cvarName(argv[1])] = argv[2];
    }

    bool setByName(const QStringList& argv) {
        const QString name = cvarName(argv[0]);
        if (!state_.cvars.contains(name) && !registered_.contains(name))
            return false;
        if (argv.size() > 1)
            state_.cvars[name] = argv[1];
        return true;
    }

    // The key as the game numbers it, or nothing for a name it does not know.
    QString key(const QString& name) const {
        if (name.size() == 1)
            return name;
        return keyNames_.contains(name.toUpper()) ? name.toUpper() : QString();
    }

    void bind(const QStringList& argv) {
        if (argv.size() < 3)
            return;
        const QString k = key(argv[1]);
        // A player's config runs after the game's defaults, when these keys are no longer
        // rebound.
        if (k.isEmpty() || engineRefusesToRebind(engine_, k))
            return;
        const QString command = argv.mid(2).join(' ');
        if (command.isEmpty())
            state_.binds.remove(k);
        else
            state_.binds[k] = command;
    }

    void unbind(const QStringList& argv) {
        if (argv.size() == 2)
            state_.binds.remove(key(argv[1]));
    }

    void alias(const QStringList& argv) {
        if (argv.size() < 2 || argv[1].size() >= MaxAliasName)
            return;
        if (!state_.aliases.contains(argv[1]))
            aliasOrder_.prepend(argv[1]);
        state_.aliases[argv[1]] = argv.mid(2).join(' ');
    }

    // The newest alias of that name, letter case ignored.
    std::optional<QString> aliasBody(const QString& name) const {
        for (const QString& defined : aliasOrder_) {
            if (defined.compare(name, Qt::CaseInsensitive) == 0)
                return state_.aliases.value(defined);
        }
        return std::nullopt;
    }

    void runAlias(const QString& body) {
        if (++aliasCount_ == AliasLoopCount)
            return;
        buffer_.prepend(body + '\n');
    }

    // The rest runs in the next frame, with a fresh count of alias runs.
    void waitCommand(const QStringList& argv) {
        aliasCount_ = 0;
        state_.commands << argv.join(' ');
    }

    Engine engine_;
    QSet<QString> registered_;
    QSet<QString> keyNames_;
    GameState state_;
    QStringList aliasOrder_;
    QString buffer_;
    int aliasCount_ = 0;
};

template <typename Map>
void compareMaps(QStringList& out, const char* kind, const Map& before, const Map& after) {
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (!after.contains(it.key()))
            out << QStringLiteral("%1 %2 lost: %3").arg(kind, it.key(), it.value());
        else if (!sameValue(it.value(), after.value(it.key())))
            out << QStringLiteral("%1 %2: %3 -> %4")
                       .arg(kind, it.key(), it.value(), after.value(it.key()));
    }
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!before.contains(it.key()))
            out << QStringLiteral("%1 %2 added: %3").arg(kind, it.key(), it.value());
    }
}

} // namespace

QStringList GameState::differences(const GameState& after) const {
    QStringList out;
    compareMaps(out, "cvar", cvars, after.cvars);
    compareMaps(out, "bind", binds, after.binds);
    compareMaps(out, "alias", aliases, after.aliases);
    if (commands != after.commands)
        out << QStringLiteral("commands: %1 -> %2")
                   .arg(commands.join(QStringLiteral(" | ")),
                        after.commands.join(QStringLiteral(" | ")));
    return out;
}

GameState playConfig(const QStringList& lines, Engine engine) {
    return Console(engine).run(lines.join('\n'));
}

GameState playConfigFile(const QString& path, Engine engine) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromLatin1(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace('\r', '\n');
    return Console(engine).run(text);
}
