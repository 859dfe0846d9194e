#pragma once

#include "Engine.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// The settings an engine offers beyond id's 1998 set, from its own settings table
// (resources/engines/<engine>/settings.tsv) and grouped as a player looks for them (groups.tsv);
// and the engine's equivalents of id's cvars (equivalents.tsv). Id 3.21 has none of either.

enum class EngineSettingKind { Bool, Int, Float, Choice, Text };

struct EngineChoice {
    QString value; // as the game reads it
    QString label; // the engine's own menu label, or the value where it has none
};

struct EngineSetting {
    QString cvar;
    EngineSettingKind kind = EngineSettingKind::Text;
    QString defaultValue;
    QList<EngineChoice> choices; // "value=label|..." or "value|..."; empty for a range
    std::optional<double> low;   // "min..max"; "0.." has no upper end
    std::optional<double> high;
    QString caption;
    QString description;
    QString group; // "Display", "HUD", ...
};

// Every setting of the engine's table, in the order of its groups and, within one, of groups.tsv.
const QList<EngineSetting>& engineSettings(Engine engine);
// The groups in the order the page shows them.
QStringList engineSettingGroups(Engine engine);
const EngineSetting* findEngineSetting(Engine engine, QStringView cvar);

// "1 to 160", "at least 0", "0, 1 or 2"; empty when the table sets no bounds.
QString describeEngineValues(const EngineSetting& setting);
// Whether the value is one the table allows: within the range, or one of the choices (numbers
// compared as numbers). A choice of words (texture modes, colours) takes any text: the engines
// take more spellings than their menus list.
bool engineSettingTakes(const EngineSetting& setting, QStringView value);
// The label of a value, or the value itself when it is no choice.
QString engineChoiceLabel(const EngineSetting& setting, const QString& value);

// The renderer that alone reads the cvar ("gl1", "gl3", "soft" in Yamagi), or an empty text.
QString cvarRenderer(Engine engine, QStringView cvar);
// Whether `renderer`, a value of Yamagi's vid_renderer, reads cvars of `cvarRenderer`
// (gles3 reads gl3's).
bool rendererReads(QStringView renderer, QStringView cvarRenderer);

// An id cvar the engine knows by another name, the value the same or inverted (0 and 1).
struct CvarEquivalent {
    QString idCvar;
    QString engineCvar;
    bool inverted = false;
};
// The equivalent whose value maps one to one, or nothing when the table gives none (or only a
// loose one such as a resolution for a window position).
std::optional<CvarEquivalent> cvarEquivalent(Engine engine, QStringView idCvar);
// A value mapped through the equivalent, either way: inverted, "1" gives "0" and any other "1".
QString mapEquivalentValue(const CvarEquivalent& equivalent, const QString& value);
