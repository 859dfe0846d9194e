#pragma once

#include "CfgScript.h"
#include "settings/Engine.h"

#include <QString>

#include <vector>

class ControlIndex;
class SettingControl;
class QWidget;

// How each setting control stands for a variable of the chosen engine. The engine's own page
// carries the settings of its table; a catalogue control whose cvar (or id's name of it) is one
// of them shows that control's value (a mirror) and writes nothing itself; a catalogue control
// with an equivalent the page lacks writes the engine's name. The pages of other engines are
// greyed: what they read from a file they write back, unless a control of the chosen engine took
// it over.
struct EngineRole {
    // FixedField: a control of the engine's page showing a variable that one of the window's
    // fixed fields reads and writes (the video mode, the sound rate); the page keeps them alike.
    enum Kind { Own, Mirror, OtherEngine, FixedField };
    Kind kind = Own;
    QString cvar;       // the name read and written (Own), or the control's command
    size_t primary = 0; // Mirror: the index entry it shows
    bool inverted = false;
};

std::vector<EngineRole> engineRoles(const ControlIndex& index, Engine engine);

// Marks a control of an engine's page as showing a fixed field's variable (see FixedField).
void setShownByFixedField(SettingControl& control);

// The name a control writes for the chosen engine (set by linkEngineSettings).
QString writtenCvar(const SettingControl& control);
bool isMirror(const SettingControl& control);

// Links each mirror to its control (each change shows on the other, mapped) and gives the
// catalogue controls the engine's names; says so in their tooltips. Links of an earlier engine go.
void linkEngineSettings(const ControlIndex& index, Engine engine);

// A control that writes for the chosen engine takes the value another read from the file where
// it read none itself (a mirror's, an other engine's control of the same cvar), so the value is
// written once, under the engine's name; then each mirror shows its control's value.
void settleSharedSettings(const ControlIndex& index, std::vector<CfgOrigin>& origins,
                          Engine engine);

// Greys the controls only another renderer reads (Yamagi's gl1_, gl3_ and sw_ cvars) while
// `renderer` (vid_renderer's value) is chosen, naming the renderer in the tooltip; they still
// write what they hold. An empty renderer lifts every such mark.
void markRendererSettings(const ControlIndex& index, Engine engine, const QString& renderer);
bool greyedForRenderer(const QWidget& widget);
