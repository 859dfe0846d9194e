#pragma once

#include "CfgFile.h"
#include "CfgScript.h"
#include "controls/SettingControl.h"
#include "platform/FoldedText.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <optional>
#include <vector>

class QWidget;

// The setting controls of a window as the config reader and writer see them, through the
// SettingControl interface and their kinds: found by walking the widget tree, filed under their
// commands, given values from config lines, written as lines.

// Visits `root` (when it is a setting control) and every widget below it, depth first: children
// in creation order, except that the pages of a stacked widget (and so of a tab widget) come in
// page order. Separate windows owned by a widget (dialogs, popup menus) are not entered.
void forEachSettingControl(QWidget* root, const std::function<void(SettingControl&)>& visit);

// Whether the widget itself is enabled, whatever its parents are.
bool ownEnabled(const QWidget& widget);

// ---- Reading ----

struct ControlEntry {
    SettingControl* control;
};

// Setting controls filed under their commands, in walking order; a lookup ignores letter case
// and returns the first control filed under the command.
class ControlIndex {
public:
    void add(SettingControl& control);
    ControlEntry* find(QStringView command);
    qsizetype size() const { return qsizetype(entries_.size()); }
    std::vector<ControlEntry>& entries() { return entries_; }
    const std::vector<ControlEntry>& entries() const { return entries_; }

private:
    std::vector<ControlEntry> entries_;
    FoldedHashMap<size_t> byCommand_;
};

// Files every setting control below `root`, enabled or not. The controls keep their values.
ControlIndex indexSettingControls(QWidget* root);

// Whether the engine registers the cvar or renames it to one it registers.
bool engineKnowsCvar(Engine engine, const QString& name);

// Disables the widget when `missing` names what the engine lacks for it (the game ignores it: a
// new config leaves it out, a value read from a file is still written back) and says so in its
// tooltip; enables again a widget it marked once the engine has it (`missing` empty).
void markLackedByEngine(QWidget& widget, const QString& missing, Engine engine);
bool lackedByEngine(const QWidget& widget);

// Marks each check box and spin whose cvar the engine neither registers nor renames, and each
// binding whose command the engine has no word for.
void markSettingsOfEngine(const ControlIndex& index, Engine engine);

// A check box's value from a config value: blanks made "0", then "1" is yes, anything else no.
bool checkBoxValue(QStringView value);

// Files the variables of the index's check boxes and spins, each in slot `firstSlot` + its
// place in the index, under every name the engine takes for it.
void addControlVariables(CfgVariables& variables, const ControlIndex& index, int firstSlot,
                         Engine engine);

// Gives the controls of the index what the script ends with: a check box or a spin the value of
// its variable (a control whose variable the script does not set keeps its value; a spin shows
// the value rounded, whatever text the game would take); every binding the keys bound to its
// command, the last four in the order they were bound, which it takes from the script (a
// binding no key is bound to ends up with none). Returns what each control read, for the writer.
// A binding also takes the keys bound to the command the engine has in its place. With
// `gameFiles` (the game's own files run without the script), each origin also says what the
// control would hold without the script.
std::vector<CfgOrigin> applyCfgScript(ControlIndex& index, CfgScript& script, int firstSlot,
                                      Engine engine, CfgScript* gameFiles = nullptr);

// The value a check box or spin shows for a config value: "1" or "0", the rounded number.
QString shownControlValue(SettingKind kind, const QString& value);

// ---- Writing ----

// The value a control stands for, as its lines carry it: "1" or "0", the number, the keys.
QString controlValueText(const SettingControl& control);

// Appends the lines of one control, enabled or not: "Set <command> "<value>"" for a check box
// or spin, "Bind <key> "<command>"" per non-blank key slot of a binding, the command in the
// current engine's words. With optimized saving,
// a control at its default gives none (a binding when its first slot equals its default, letter
// case included). `value` replaces a check box's or spin's own value text.
void appendControlLines(QStringList& lines, const SettingControl& control, bool optimizedSaving,
                        const std::optional<QString>& value = std::nullopt);

// Appends the lines of the index's controls in walking order. With optimized saving, a control
// that holds what it would hold without the file (its origin's `under`) writes nothing. A
// control that read its value from the file (its origin, at the same place in `origins`)
// otherwise writes it: the file's own text while the control is unchanged, else its value. A control the file said nothing about
// writes nothing while unchanged. In a new config (no origins, or none from a file) and once
// changed, a control writes when it is enabled (controls in disabled containers count as
// enabled). "dedicated" never writes: the command line carries it, and in a config it would
// make every later start of the game a server.
void writeControlLines(QStringList& lines, const ControlIndex& index, bool optimizedSaving,
                       const std::vector<CfgOrigin>& origins = {});

// ---- Defaults ----

// Gives each check box and spin the engine's own default where it differs from the catalogue's
// ("rate"), the catalogue's otherwise; a control at its old default moves to the new one, unless
// its value came from the file (its origin, at the same place in `origins`).
void applyEngineDefaults(const ControlIndex& index, Engine engine,
                         const std::vector<CfgOrigin>& origins = {});

// Every setting control of the index back to its default; bindings keep only the default key.
void resetSettingControls(const ControlIndex& index);
