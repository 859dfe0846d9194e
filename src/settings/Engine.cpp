#include "Engine.h"

#include <QFile>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>

namespace {

constexpr const char* NoKeys[] = {nullptr};
// Yamagi answers "You can't bind the special key"; Q2PRO takes every key (its console keys
// still open the console, so a binding on them fires only with Shift held).
constexpr const char* YamagiRefusedKeys[] = {"ESCAPE", "^", "`", "~", nullptr};

// id reads only pak0.pak to pak9.pak; Yamagi any *.pak and the zips; Q2PRO never a .pk3 or .zip.
constexpr const char* IdArchives[] = {"pak*.pak", nullptr};
constexpr const char* YamagiArchives[] = {"*.pak", "*.pk2", "*.pk3", "*.pkz", "*.zip", nullptr};
constexpr const char* Q2proArchives[] = {"*.pak", "*.pkz", nullptr};

constexpr const char* IdPrograms[] = {"quake2", nullptr};
constexpr const char* YamagiPrograms[] = {"quake2", "yquake2", nullptr};
constexpr const char* Q2proPrograms[] = {"q2pro", nullptr};

constexpr EngineFacts Facts[] = {
    {Engine::id, "id", "id 3.21", false, false, IdArchives, 1.0, NoKeys, IdPrograms, 8192, "us"},
    {Engine::yamagi, "yamagi", "Yamagi Quake II", false, false, YamagiArchives, 1.2,
     YamagiRefusedKeys, YamagiPrograms, 32768, "aus"},
    {Engine::q2pro, "q2pro", "Q2PRO", true, true, Q2proArchives, 1.0, NoKeys, Q2proPrograms, 65536,
     "us"},
};

// The engines' name lists ship as resources, one name a line; each is read on first use.
QStringList readLines(const QString& resource) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (!line.trimmed().isEmpty())
            lines << QString::fromLatin1(line.trimmed());
    }
    return lines;
}

QString resourcePath(Engine engine, const char* file) {
    return QStringLiteral(":/engines/") + engineIniName(engine) + u'/' + QLatin1String(file);
}

struct NameData {
    QStringList keys;
    QHash<QString, QString> keysByUpperName;
    QStringList cvars;
    QSet<QString> cvarSet;
    QList<std::pair<QString, QString>> renames;
};

NameData loadNames(Engine engine) {
    NameData data;
    data.keys = engineResourceLines(engine, "keys.txt");
    for (const QString& key : data.keys)
        data.keysByUpperName.insert(key.toUpper(), key);
    data.cvars = engineResourceLines(engine, "cvars.txt");
    std::sort(data.cvars.begin(), data.cvars.end());
    data.cvarSet = QSet<QString>(data.cvars.cbegin(), data.cvars.cend());
    if (engine == Engine::yamagi) {
        for (const QString& line : engineResourceLines(engine, "cvar-renames.tsv")) {
            const QStringList pair = line.split(u'\t');
            if (pair.size() == 2)
                data.renames.append({pair[0], pair[1]});
        }
    }
    return data;
}

const NameData& names(Engine engine) {
    static std::array<std::optional<NameData>, std::size(Facts)> loaded;
    auto& slot = loaded[size_t(engine)];
    if (!slot)
        slot = loadNames(engine);
    return *slot;
}

} // namespace

const EngineFacts& engineFacts(Engine engine) {
    return Facts[size_t(engine)];
}

QStringList engineResourceLines(Engine engine, const char* file) {
    return readLines(resourcePath(engine, file));
}

namespace {
Engine chosenEngine = Engine::id;
} // namespace

Engine currentEngine() {
    return chosenEngine;
}

void setCurrentEngine(Engine engine) {
    chosenEngine = engine;
}

std::optional<Engine> engineFromIniName(QStringView name) {
    for (const EngineFacts& facts : Facts) {
        if (name.compare(QLatin1String(facts.iniName), Qt::CaseInsensitive) == 0)
            return facts.engine;
    }
    return std::nullopt;
}

QStringList engineArchivePatterns(Engine engine) {
    QStringList patterns;
    for (const char* const* pattern = engineFacts(engine).archivePatterns; *pattern; ++pattern)
        patterns << QLatin1String(*pattern);
    return patterns;
}

const QStringList& engineKeyNames(Engine engine) {
    return names(engine).keys;
}

QString engineKeyName(Engine engine, QStringView name) {
    if (name.size() == 1)
        return name.toString();
    return names(engine).keysByUpperName.value(name.toString().toUpper());
}

bool engineRefusesToRebind(Engine engine, QStringView name) {
    for (const char* const* key = engineFacts(engine).refusedKeys; *key; ++key) {
        if (name.compare(QLatin1String(*key), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

const QStringList& engineCvarNames(Engine engine) {
    return names(engine).cvars;
}

bool engineRegistersCvar(Engine engine, QStringView name) {
    return names(engine).cvarSet.contains(name.toString());
}

QString engineCvarRename(Engine engine, QStringView name) {
    for (const auto& [from, to] : names(engine).renames) {
        if (from == name)
            return to;
    }
    return {};
}

QStringList engineCvarsRenamedTo(Engine engine, QStringView name) {
    QStringList from;
    for (const auto& [old, renamed] : names(engine).renames) {
        if (renamed == name)
            from << old;
    }
    return from;
}
