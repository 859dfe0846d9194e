#include "EngineSettings.h"

#include "CvarRanges.h"

#include <QHash>

#include <array>
#include <cmath>

namespace {

constexpr const char* KindNames[] = {"bool", "int", "float", "choice", "text"};

EngineSettingKind kindOf(const QString& name) {
    for (size_t i = 0; i < std::size(KindNames); ++i) {
        if (name == QLatin1String(KindNames[i]))
            return EngineSettingKind(i);
    }
    return EngineSettingKind::Text;
}

std::optional<double> bound(const QString& text) {
    if (text.isEmpty())
        return std::nullopt;
    return cvarNumber(text);
}

// "min..max", "min.." or "value=label|value|...".
void readValues(EngineSetting& setting, const QString& values) {
    if (values.isEmpty())
        return;
    if (const qsizetype dots = values.indexOf(QLatin1String("..")); dots >= 0) {
        setting.low = bound(values.left(dots));
        setting.high = bound(values.mid(dots + 2));
        return;
    }
    for (const QString& item : values.split(u'|')) {
        const qsizetype equals = item.indexOf(u'=');
        setting.choices.append(equals < 0 ? EngineChoice{item, item}
                                          : EngineChoice{item.left(equals), item.mid(equals + 1)});
    }
}

// Columns: cvar kind default values caption description menu source.
std::optional<EngineSetting> parseSetting(const QString& line) {
    const QStringList fields = line.split(u'\t');
    if (fields.size() < 6 || fields[0] == QLatin1String("cvar"))
        return std::nullopt;
    EngineSetting setting;
    setting.cvar = fields[0];
    setting.kind = kindOf(fields[1]);
    setting.defaultValue = fields[2];
    readValues(setting, fields[3]);
    setting.caption = fields[4];
    setting.description = fields[5];
    return setting;
}

struct SettingTable {
    QList<EngineSetting> settings;
    QStringList groups;
    QList<CvarEquivalent> equivalents;
};

// A mapping that keeps the value ("same value", "same 0/1", "0/1 same", "renamed") or inverts
// it; anything else ("none: ...", a part of another value) is no equivalent.
std::optional<bool> invertedMapping(const QString& mapping) {
    if (mapping.startsWith(QLatin1String("inverse")))
        return true;
    for (const char* same : {"same", "0/1 same", "renamed"}) {
        if (mapping.startsWith(QLatin1String(same)))
            return false;
    }
    return std::nullopt;
}

QList<CvarEquivalent> readEquivalents(Engine engine) {
    QList<CvarEquivalent> equivalents;
    for (const QString& line : engineResourceLines(engine, "equivalents.tsv")) {
        const QStringList fields = line.split(u'\t');
        if (fields.size() < 3 || fields[1] == QLatin1String("none") || fields[0] == fields[1])
            continue;
        if (const std::optional<bool> inverted = invertedMapping(fields[2]))
            equivalents.append({fields[0], fields[1], *inverted});
    }
    return equivalents;
}

SettingTable readTable(Engine engine) {
    SettingTable table;
    QHash<QString, EngineSetting> byCvar;
    for (const QString& line : engineResourceLines(engine, "settings.tsv")) {
        if (std::optional<EngineSetting> setting = parseSetting(line))
            byCvar.insert(setting->cvar, *setting);
    }
    QList<QStringList> grouped;
    for (const QString& line : engineResourceLines(engine, "groups.tsv")) {
        const QStringList fields = line.split(u'\t');
        if (fields.size() != 2 || !byCvar.contains(fields[0]))
            continue;
        grouped << fields;
        if (!table.groups.contains(fields[1]))
            table.groups << fields[1];
    }
    // Rows in their group's order; a row no group names comes last, under "Other".
    for (const QString& group : std::as_const(table.groups)) {
        for (const QStringList& fields : std::as_const(grouped)) {
            if (fields[1] == group && byCvar.contains(fields[0])) {
                table.settings.append(byCvar.take(fields[0]));
                table.settings.last().group = group;
            }
        }
    }
    for (EngineSetting& rest : byCvar) {
        rest.group = QStringLiteral("Other");
        if (!table.groups.contains(rest.group))
            table.groups << rest.group;
        table.settings.append(rest);
    }
    table.equivalents = readEquivalents(engine);
    return table;
}

const SettingTable& table(Engine engine) {
    static std::array<std::optional<SettingTable>, std::size(AllEngines)> loaded;
    auto& slot = loaded[size_t(engine)];
    if (!slot)
        slot = engine == Engine::id ? SettingTable() : readTable(engine);
    return *slot;
}

QString number(double value) {
    return QString::number(value, 'g', 10);
}

bool isNumber(QStringView text) {
    bool ok = false;
    (void)text.trimmed().toDouble(&ok);
    return ok;
}

} // namespace

const QList<EngineSetting>& engineSettings(Engine engine) {
    return table(engine).settings;
}

QStringList engineSettingGroups(Engine engine) {
    return table(engine).groups;
}

const EngineSetting* findEngineSetting(Engine engine, QStringView cvar) {
    for (const EngineSetting& setting : engineSettings(engine)) {
        if (setting.cvar == cvar)
            return &setting;
    }
    return nullptr;
}

QString describeEngineValues(const EngineSetting& setting) {
    if (!setting.choices.isEmpty()) {
        QStringList values;
        for (const EngineChoice& choice : setting.choices)
            values << (choice.value.isEmpty() ? QStringLiteral("\"\"") : choice.value);
        const QString last = values.takeLast();
        return values.isEmpty() ? last
                                : values.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
    }
    if (setting.low && setting.high)
        return number(*setting.low) + QStringLiteral(" to ") + number(*setting.high);
    if (setting.low)
        return QStringLiteral("at least ") + number(*setting.low);
    return {};
}

bool engineSettingTakes(const EngineSetting& setting, QStringView value) {
    if (!setting.choices.isEmpty()) {
        bool numbers = true;
        for (const EngineChoice& choice : setting.choices) {
            if (choice.value == value)
                return true;
            numbers = numbers && isNumber(choice.value);
        }
        if (!numbers)
            return true;
        for (const EngineChoice& choice : setting.choices) {
            if (isNumber(value) && cvarNumber(choice.value) == cvarNumber(value))
                return true;
        }
        return false;
    }
    if (!setting.low && !setting.high)
        return true;
    const double number = cvarNumber(value);
    return (!setting.low || number >= *setting.low) && (!setting.high || number <= *setting.high);
}

QString engineChoiceLabel(const EngineSetting& setting, const QString& value) {
    for (const EngineChoice& choice : setting.choices) {
        if (choice.value == value)
            return choice.label;
    }
    return value;
}

namespace {

struct RendererPrefix {
    const char* prefix;
    const char* renderer;
};

// Yamagi's renderer libraries register their own cvars under these prefixes.
constexpr RendererPrefix YamagiRenderers[] = {{"gl1_", "gl1"}, {"gl3_", "gl3"}, {"sw_", "soft"}};

} // namespace

QString cvarRenderer(Engine engine, QStringView cvar) {
    if (engine != Engine::yamagi)
        return {};
    for (const RendererPrefix& entry : YamagiRenderers) {
        if (cvar.startsWith(QLatin1String(entry.prefix)))
            return QLatin1String(entry.renderer);
    }
    return {};
}

bool rendererReads(QStringView renderer, QStringView cvarRenderer) {
    if (cvarRenderer.isEmpty() || renderer == cvarRenderer)
        return true;
    return renderer == u"gles3" && cvarRenderer == u"gl3";
}

std::optional<CvarEquivalent> cvarEquivalent(Engine engine, QStringView idCvar) {
    for (const CvarEquivalent& equivalent : table(engine).equivalents) {
        if (equivalent.idCvar == idCvar)
            return equivalent;
    }
    return std::nullopt;
}

QString mapEquivalentValue(const CvarEquivalent& equivalent, const QString& value) {
    if (!equivalent.inverted)
        return value;
    return value == QLatin1String("1") ? QStringLiteral("0") : QStringLiteral("1");
}
