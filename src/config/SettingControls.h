#pragma once

#include "CfgFile.h"
#include "controls/SupCommon.h"
#include "platform/FoldedText.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

class QObject;
class QWidget;
class TSupBind;
class TSupCheckBox;
class TSupSpinEdit;

// The setting controls of a window as the config reader and writer see them: found by walking
// the widget tree, filed under their commands, given values from config lines, written as lines.

using SettingControl = std::variant<TSupCheckBox*, TSupSpinEdit*, TSupBind*>;

// The setting control `object` is, if it is one.
std::optional<SettingControl> asSettingControl(QObject* object);
const QString& commandOf(const SettingControl& control);
QWidget* widgetOf(const SettingControl& control);

// Visits `root` (when it is a setting control) and every widget below it, depth first: children
// in creation order, except that the pages of a stacked widget (and so of a tab widget) come in
// page order. Separate windows owned by a widget (dialogs, popup menus) are not entered.
void forEachSettingControl(QWidget* root, const std::function<void(const SettingControl&)>& visit);

// Whether the widget itself is enabled, whatever its parents are.
bool ownEnabled(const QWidget& widget);

// The key slots SupValue .. SupValue4 of a binding as slots 1 .. 4.
QString keySlot(const TSupBind& binding, int slot);
void setKeySlot(TSupBind& binding, int slot, const QString& key);

// ---- Reading ----

struct ControlEntry {
    SettingControl control;
    int BindCount = 0;           // bind lines already given to a binding
    std::array<QString, 4> Keys; // a binding's keys from those lines, slots 1 .. 4
};

// Setting controls filed under their commands, in walking order; a lookup ignores letter case
// and returns the first control filed under the command.
class ControlIndex {
public:
    void add(const SettingControl& control);
    ControlEntry* find(QStringView command);
    qsizetype size() const { return qsizetype(entries_.size()); }
    std::vector<ControlEntry>& entries() { return entries_; }
    const std::vector<ControlEntry>& entries() const { return entries_; }

private:
    std::vector<ControlEntry> entries_;
    FoldedHashMap<size_t> byCommand_;
};

// Files every setting control below `root`, enabled or not. The controls keep their values.
ControlIndex IndexSettingControls(QWidget* root);

// A check box's value from a config value: blanks made "0", then "1" is yes, anything else no.
TChecked checkBoxValue(QStringView value);

// Gives one value to the entry's control: a spin's whole number (VexaError "'%s' is not a valid
// integer value" otherwise), a check box's mark; a binding notes the key in its next slot (the
// first four bind lines fill slots 1 .. 4, later ones are ignored) until GiveBindingsTheirKeys.
void ApplySettingLine(ControlEntry& entry, QStringView value);

// Every binding takes the keys its entry noted, and then notes none.
void GiveBindingsTheirKeys(ControlIndex& index);

// Every config line whose command is filed, in file order, as splitCfgLine splits it; then every
// binding has the keys of its first four bind lines and no others. Stops at the first error;
// what was applied before stays applied, bindings included.
void ApplySettingLines(ControlIndex& index, const QStringList& cfgLines);

// IndexSettingControls and ApplySettingLines over the controls below `root`.
void applyCfgLinesToControls(QWidget* root, const QStringList& cfgLines);

// ---- Writing ----

// Appends the lines of one control, enabled or not: "Set <command> "1"/"0"" for a check box,
// "Set <command> "<number>"" for a spin, "Bind <key> "<command>"" per non-blank key slot of a
// binding. With optimized saving, a control at its default gives none (a binding when its first
// slot equals its default, letter case included).
void appendControlLines(QStringList& lines, const SettingControl& control, bool optimizedSaving);

// Appends the lines of every enabled setting control of the index in walking order; controls in
// disabled containers count as enabled.
void WriteControlLines(QStringList& lines, const ControlIndex& index, bool optimizedSaving);

// ---- Defaults ----

// Every setting control of the index back to its default; bindings keep only the default key.
void resetSettingControls(const ControlIndex& index);
