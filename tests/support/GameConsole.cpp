#include "GameConsole.h"

#include "config/ConfigScript.h"

#include <QFile>
#include <QSet>

#include <deque>
#include <optional>
#include <utility>

namespace {

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

// `count` words from `first`: more than one are the rest of the command, joined.
QString valueOf(const CfgWords& words, qsizetype first, qsizetype count) {
    return count == 1 ? words[first].toString() : joinedWords(words, first);
}

} // namespace

class GameConsole::Console {
public:
    Console(Engine engine, ExecFile execFile, bool clientStarted)
        : engine_(engine), execFile_(std::move(execFile)), aliases_(aliasMap<QStringView>(engine)),
          runner_(engine) {
        if (clientStarted)
            startClient();
        for (const QString& key : engineKeyNames(engine))
            keyNames_.insert(key.toUpper());
    }

    void run(const QStringList& lines) {
        forEachScriptCommand(lines, engine_, [this](const ScriptCommand& command) {
            if (!command.words.isEmpty())
                runCommand(command.words);
        });
    }

    void runCommand(const CfgWords& words) {
        if (const std::optional<QStringView> body = execute(words))
            runner_.call(*body, [this](const CfgWords& called) { return execute(called); });
        runExecs();
    }

    const GameState& state() const { return state_; }

    void startClient() {
        const QStringList& names = engineCvarNames(engine_);
        registered_ = QSet<QString>(names.cbegin(), names.cend());
    }

private:
    // The files named by the command just run (and the aliases it called), each in turn. A file
    // that execs itself stops where the engine's buffer would have overflowed long before.
    void runExecs() {
        constexpr int DeepestExec = 32;
        const QStringList names = std::exchange(execs_, {});
        for (const QString& name : names) {
            const std::optional<QStringList> lines =
                depth_ < DeepestExec ? execFile_(name) : std::nullopt;
            if (!lines)
                continue;
            ++depth_;
            run(*lines);
            --depth_;
        }
    }

    bool isExec(const CfgWords& argv) const {
        return execFile_ && argv.size() >= 2 &&
               argv[0].compare(QLatin1String("exec"), Qt::CaseInsensitive) == 0;
    }

    // Yamagi's "set NAME VALUE FLAG" gives the cvar that flag alone; Q2PRO's "seta" adds it.
    void flagArchive(const CfgWords& argv, ScriptVerb verb, const QString& name) {
        const bool q2pro = engineFacts(engine_).exactCommandCase;
        if (verb == ScriptVerb::SetFlagged && argv[0] == QLatin1String("seta"))
            state_.archivedBySet.insert(name);
        else if (verb == ScriptVerb::Set && argv.size() == 4 && !q2pro && argv[3] == u'a')
            state_.archivedBySet.insert(name);
        else if (verb == ScriptVerb::Set && argv.size() == 4 && !q2pro)
            state_.archivedBySet.remove(name);
    }

    // Runs one command; gives the text of the alias it calls.
    std::optional<QStringView> execute(const CfgWords& argv) {
        if (const std::optional<ScriptVerb> verb = scriptVerb(argv[0], engine_)) {
            command(argv, *verb);
            return std::nullopt;
        }
        if (const auto alias = aliases_.find(argv[0]); alias != aliases_.end())
            return alias->second;
        if (!setByName(argv))
            state_.commands << joinedWords(argv, 0);
        return std::nullopt;
    }

    void command(const CfgWords& argv, ScriptVerb verb) {
        switch (verb) {
        case ScriptVerb::Set:
        case ScriptVerb::SetFlagged:
            if (const qsizetype count = setValueWords(argv, verb, engine_)) {
                const QString name = cvarName(argv[1]);
                state_.cvars[name] = valueOf(argv, 2, count);
                flagArchive(argv, verb, name);
            }
            break;
        case ScriptVerb::Bind:
            bind(argv);
            break;
        case ScriptVerb::Unbind:
            if (argv.size() == 2)
                state_.binds.remove(key(argv[1]));
            break;
        case ScriptVerb::Unbindall:
            state_.binds.clear();
            break;
        case ScriptVerb::Alias:
            alias(argv);
            break;
        case ScriptVerb::Wait:
            // The rest runs in a later frame; id and Yamagi count alias runs afresh.
            runner_.waited();
            state_.commands << joinedWords(argv, 0);
            break;
        case ScriptVerb::Other:
            if (isExec(argv)) {
                execs_ << argv[1].toString();
                break;
            }
            [[fallthrough]];
        case ScriptVerb::NamesCvar:
            state_.commands << joinedWords(argv, 0);
            break;
        }
    }

    QString cvarName(QStringView name) const {
        const QString renamed = engineCvarRename(engine_, name);
        return renamed.isEmpty() ? name.toString() : renamed;
    }

    bool setByName(const CfgWords& argv) {
        const QString name = cvarName(argv[0]);
        if (!state_.cvars.contains(name) && !registered_.contains(name))
            return false;
        if (const qsizetype count = cvarValueWords(argv, engine_))
            state_.cvars[name] = valueOf(argv, 1, count);
        return true;
    }

    // The key as the game numbers it, or nothing for a name it does not know.
    QString key(QStringView name) const {
        if (name.size() == 1)
            return name.toString();
        const QString upper = name.toString().toUpper();
        return keyNames_.contains(upper) ? upper : QString();
    }

    void bind(const CfgWords& argv) {
        if (argv.size() < 3)
            return;
        const QString k = key(argv[1]);
        // A player's config runs after the game's defaults, when these keys are no longer
        // rebound.
        if (k.isEmpty() || engineRefusesToRebind(engine_, k))
            return;
        const QString command = joinedWords(argv, 2);
        if (command.isEmpty())
            state_.binds.remove(k);
        else
            state_.binds[k] = command;
    }

    // The body is kept where it is, so that an alias that defines itself anew while it runs
    // runs on.
    void alias(const CfgWords& argv) {
        if (argv.size() < 2 || argv[1].size() > LongestAliasName)
            return;
        texts_.push_back(argv[1].toString());
        const QStringView name = texts_.back();
        texts_.push_back(joinedWords(argv, 2));
        const auto [defined, added] = aliases_.try_emplace(name, texts_.back());
        if (!added)
            defined->second = texts_.back();
        state_.aliases[defined->first.toString()] = texts_.back();
    }

    Engine engine_;
    ExecFile execFile_;
    QStringList execs_; // named by the command running
    int depth_ = 0;     // files exec'd inside each other
    QSet<QString> registered_;
    QSet<QString> keyNames_;
    GameState state_;
    std::deque<QString> texts_; // alias names and bodies, for the views on them
    AliasMap<QStringView> aliases_;
    AliasRunner runner_;
};

namespace {

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

GameConsole::GameConsole(Engine engine, ExecFile execFile, bool clientStarted)
    : console_(std::make_unique<Console>(engine, std::move(execFile), clientStarted)) {}

GameConsole::~GameConsole() = default;

void GameConsole::run(const QStringList& lines) {
    console_->run(lines);
}

void GameConsole::runCommand(const QStringList& words) {
    CfgWords views;
    for (const QString& word : words)
        views.append(word);
    if (!views.isEmpty())
        console_->runCommand(views);
}

const GameState& GameConsole::state() const {
    return console_->state();
}

void GameConsole::startClient() {
    console_->startClient();
}

GameState playConfig(const QStringList& lines, Engine engine) {
    GameConsole console(engine);
    console.run(lines);
    return console.state();
}

GameState playConfigFile(const QString& path, Engine engine) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromLatin1(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace('\r', '\n');
    return playConfig(text.split('\n'), engine);
}
