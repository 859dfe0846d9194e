#include "SettingControls.h"

#include "CfgNumbers.h"
#include "EngineRoles.h"
#include "VexaCommon.h"
#include "settings/Catalogue.h"
#include "settings/Engine.h"
#include "settings/EngineWords.h"

#include <QStackedWidget>

#include <algorithm>
#include <array>

namespace {

// The widgets to walk below `parent`, in walking order.
QList<QWidget*> childWidgets(QWidget* parent) {
    QList<QWidget*> children;
    const auto* stack = qobject_cast<QStackedWidget*>(parent);
    if (stack) {
        for (int i = 0; i < stack->count(); ++i)
            children << stack->widget(i);
    }
    for (QObject* object : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(object);
        if (!widget || widget->isWindow() || (stack && stack->indexOf(widget) >= 0))
            continue;
        children << widget;
    }
    return children;
}

} // namespace

void forEachSettingControl(QWidget* root, const std::function<void(SettingControl&)>& visit) {
    if (SettingControl* control = settingControlOf(root))
        visit(*control);
    for (QWidget* child : childWidgets(root))
        forEachSettingControl(child, visit);
}

bool ownEnabled(const QWidget& widget) {
    // Qt marks every widget below a disabled one disabled too; only this flag is its own.
    return !widget.testAttribute(Qt::WA_ForceDisabled);
}

namespace {

// The name the engine would have to know for the control to act: a binding's command word in
// the engine's words, another cvar's; none where the engine has an equivalent. Another engine's
// own settings are all missing.
QString missingName(const SettingControl& control, const EngineRole& role, Engine engine) {
    const QString& name = control.supCommand();
    if (role.kind == EngineRole::OtherEngine)
        return name;
    if (control.kind() == SettingKind::Binding)
        return engineBindingCommand(engine, name).isEmpty() ? name.section(u' ', 0, 0) : QString();
    if (role.kind == EngineRole::Mirror || role.cvar != name || control.ownEngine())
        return {};
    return engineKnowsCvar(engine, name) ? QString() : name;
}

} // namespace

bool engineKnowsCvar(Engine engine, const QString& name) {
    return engineRegistersCvar(engine, name) || !engineCvarRename(engine, name).isEmpty();
}

void markLackedByEngine(QWidget& widget, const QString& missing, Engine engine) {
    static const char* const Lacks = "engineLacksSetting";
    const bool lacks = !missing.isEmpty();
    if (lacks == widget.property(Lacks).toBool() && widget.toolTip().contains(missing))
        return;
    widget.setProperty(Lacks, lacks);
    widget.setEnabled(!lacks);
    // The status tip keeps the hint the widget was made with.
    widget.setToolTip(lacks ? widget.statusTip() +
                                  QStringLiteral("\n%1 has no '%2': the game ignores it")
                                      .arg(QLatin1String(engineFacts(engine).displayName), missing)
                            : widget.statusTip());
}

bool lackedByEngine(const QWidget& widget) {
    return widget.property("engineLacksSetting").toBool();
}

void markSettingsOfEngine(const ControlIndex& index, Engine engine) {
    const std::vector<EngineRole> roles = engineRoles(index, engine);
    const auto& entries = index.entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        SettingControl& control = *entries[i].control;
        markLackedByEngine(control.widget(), missingName(control, roles[i], engine), engine);
    }
    linkEngineSettings(index, engine);
}

void ControlIndex::add(SettingControl& control) {
    entries_.push_back(ControlEntry{&control});
    byCommand_.try_emplace(control.supCommand(), entries_.size() - 1);
}

ControlEntry* ControlIndex::find(QStringView command) {
    const auto at = byCommand_.find(command);
    return at == byCommand_.end() ? nullptr : &entries_[at->second];
}

ControlIndex indexSettingControls(QWidget* root) {
    ControlIndex index;
    forEachSettingControl(root, [&](SettingControl& control) { index.add(control); });
    return index;
}

bool checkBoxValue(QStringView value) {
    // Blanks made "0" can never give "1", so only the value "1" itself is yes.
    return value == u"1";
}

namespace {

// A mirror of a control that shows a fixed field's variable gives that variable its name too
// (the field reads and writes it); false when it did. An inverted one cannot: it keeps its own.
bool addFixedFieldName(CfgVariables& variables, const ControlIndex& index,
                       const std::vector<EngineRole>& roles, size_t mirror, Engine engine) {
    const EngineRole& role = roles[mirror];
    if (roles[role.primary].kind != EngineRole::FixedField || role.inverted)
        return true;
    const int slot = variables.slotOf(index.entries()[role.primary].control->supCommand());
    if (slot < 0)
        return true;
    addVariable(variables, index.entries()[mirror].control->supCommand(), slot, engine);
    return false;
}

} // namespace

void addControlVariables(CfgVariables& variables, const ControlIndex& index, int firstSlot,
                         Engine engine) {
    const std::vector<EngineRole> roles = engineRoles(index, engine);
    const auto& entries = index.entries();
    // The controls that write first: a mirror of the same name leaves the variable to them.
    for (const EngineRole::Kind kind : {EngineRole::Own, EngineRole::Mirror}) {
        for (size_t i = 0; i < entries.size(); ++i) {
            const SettingControl& control = *entries[i].control;
            if (control.kind() == SettingKind::Binding || roles[i].kind != kind)
                continue;
            if (kind == EngineRole::Mirror &&
                !addFixedFieldName(variables, index, roles, i, engine))
                continue;
            addVariable(variables, control.supCommand(), firstSlot + int(i), engine);
            if (roles[i].cvar != control.supCommand())
                addVariable(variables, roles[i].cvar, firstSlot + int(i), engine);
        }
    }
}

namespace {

using KeySlots = std::array<QString, 4>;

// The keys bound to each binding's command at the end, the last four in the order they were
// bound; the bindings that take them are taken from the script. An earlier key keeps its own
// line, which a save writes before the window's: read again, it is earlier still.
// The binding controls under the commands the engine takes in their place ("pushmenu keys"),
// where those differ from the catalogue's.
FoldedHashMap<size_t> engineCommandIndex(const ControlIndex& index, Engine engine) {
    FoldedHashMap<size_t> byCommand;
    const auto& entries = index.entries();
    for (size_t at = 0; at < entries.size(); ++at) {
        const SettingControl& control = *entries[at].control;
        if (control.kind() != SettingKind::Binding)
            continue;
        const QString spelled = engineBindingCommand(engine, control.supCommand());
        if (!spelled.isEmpty())
            byCommand.try_emplace(spelled, at);
    }
    return byCommand;
}

const ControlEntry* bindingEntry(ControlIndex& index, const FoldedHashMap<size_t>& spelled,
                                 QStringView command) {
    if (const ControlEntry* entry = index.find(command))
        return entry;
    const auto at = spelled.find(command);
    return at == spelled.end() ? nullptr : &index.entries()[at->second];
}

// The keys a binding ends with, and where the last of them was bound.
struct BoundKeys {
    KeySlots keys;
    int count = 0;
    bool fromScript = false; // a key was bound by the script, not by a game file
    qsizetype lastLine = -1;
};

std::vector<BoundKeys> boundKeys(ControlIndex& index, CfgScript& script, Engine engine) {
    std::vector<BoundKeys> bound(size_t(index.size()));
    const FoldedHashMap<size_t> spelled = engineCommandIndex(index, engine);
    const std::vector<CfgScript::Binding> bindings = script.bindings();
    for (auto binding = bindings.rbegin(); binding != bindings.rend(); ++binding) {
        const ControlEntry* entry = bindingEntry(index, spelled, binding->command);
        if (!entry || entry->control->kind() != SettingKind::Binding ||
            !isWritableKey(binding->key))
            continue;
        BoundKeys& keys = bound[size_t(entry - index.entries().data())];
        if (keys.count == 4)
            continue;
        if (keys.count == 0)
            keys.lastLine = binding->sourceLine;
        keys.keys[size_t(keys.count++)] = binding->key.toString();
        keys.fromScript = keys.fromScript || script.isScriptLine(binding->sourceLine);
        script.take(*binding);
    }
    for (BoundKeys& keys : bound)
        std::reverse(keys.keys.begin(), keys.keys.begin() + keys.count);
    return bound;
}

QString keysText(const BoundKeys& bound) {
    return QStringList(bound.keys.begin(), bound.keys.begin() + bound.count).join(u' ');
}

} // namespace

QString shownControlValue(SettingKind kind, const QString& value) {
    switch (kind) {
    case SettingKind::Spin:
        return QString::number(roundedGameNumber(value));
    case SettingKind::CheckBox:
        return checkBoxValue(value) ? QStringLiteral("1") : QStringLiteral("0");
    default:
        return value; // a choice, number or text as the file has it
    }
}

namespace {

// What the control would hold without the script: the game files' value, else its default. A
// binding's keys are known only when the game files bind keys at all: a config that binds none
// leaves the game with whatever it had (Yamagi's own config.cfg starts with "unbindall").
std::optional<QString> underlyingValue(const SettingControl& control, const CfgScript& gameFiles,
                                       int slot, const BoundKeys& keys, bool filesBindKeys) {
    if (control.kind() == SettingKind::Binding)
        return filesBindKeys ? std::optional<QString>(keysText(keys)) : std::nullopt;
    const std::optional<QString> value = gameFiles.value(slot);
    return value ? shownControlValue(control.kind(), *value) : control.defaultText();
}

} // namespace


std::vector<CfgOrigin> applyCfgScript(ControlIndex& index, CfgScript& script, int firstSlot,
                                      Engine engine, CfgScript* gameFiles) {
    const std::vector<BoundKeys> bound = boundKeys(index, script, engine);
    const std::vector<BoundKeys> underlying =
        gameFiles ? boundKeys(index, *gameFiles, engine) : std::vector<BoundKeys>();
    const bool filesBindKeys = gameFiles && !gameFiles->bindings().empty();
    const std::vector<EngineRole> roles = engineRoles(index, engine);
    std::vector<CfgOrigin> origins(size_t(index.size()));
    for (size_t i = 0; i < origins.size(); ++i) {
        SettingControl& control = *index.entries()[i].control;
        CfgOrigin& origin = origins[i];
        const int slot = firstSlot + int(i);
        // Only these have a variable (addControlVariables).
        const bool hasVariable =
            roles[i].kind == EngineRole::Own || roles[i].kind == EngineRole::Mirror;
        if (control.kind() == SettingKind::Binding) {
            const BoundKeys& keys = bound[i];
            control.setValues({keys.keys.begin(), keys.keys.end()});
            if (keys.fromScript)
                origin.read = controlValueText(control);
            origin.source = script.sourceOfLine(keys.lastLine);
        } else if (const std::optional<QString> value =
                       hasVariable ? script.value(slot) : std::nullopt) {
            control.setValues({shownControlValue(control.kind(), *value)});
            if (script.setByScript(slot))
                origin.read = value;
            origin.source = script.sourceOf(slot);
        }
        origin.loaded = controlValueText(control);
        origin.fileRead = !script.isEmpty();
        if (gameFiles && (hasVariable || control.kind() == SettingKind::Binding))
            origin.under =
                underlyingValue(control, *gameFiles, slot,
                                underlying.empty() ? BoundKeys() : underlying[i], filesBindKeys);
    }
    settleSharedSettings(index, origins, engine);
    return origins;
}

QString controlValueText(const SettingControl& control) {
    if (control.valueCount() == 1)
        return control.valueText();
    // A binding's blank slots carry no key.
    QStringList keys;
    for (int slot = 0; slot < control.valueCount(); ++slot) {
        if (QString key = control.valueText(slot); !trimBlanks(key).isEmpty())
            keys << std::move(key);
    }
    return keys.join(u' ');
}

void appendControlLines(QStringList& lines, const SettingControl& control, bool optimizedSaving,
                        const std::optional<QString>& value) {
    if (optimizedSaving && control.atDefault())
        return;
    if (control.kind() != SettingKind::Binding) {
        appendCfgLine(lines, CfgWord::Set, writtenCvar(control),
                      value.value_or(controlValueText(control)));
        return;
    }
    // A key the engine keeps for itself only earns a refusal at each start. A command the
    // engine lacks is written as the player's file had it.
    const Engine engine = currentEngine();
    const QString spelled = engineBindingCommand(engine, control.supCommand());
    const QString command = spelled.isEmpty() ? control.supCommand() : spelled;
    for (int slot = 0; slot < control.valueCount(); ++slot) {
        const QString key = control.valueText(slot);
        if (!trimBlanks(key).isEmpty() && !engineRefusesToRebind(engine, trimBlanks(key)))
            appendCfgLine(lines, CfgWord::Bind, key, command);
    }
}

namespace {

// Settings the command line carries and a config must not.
bool isLaunchOnly(const QString& command) {
    return command == QLatin1String("dedicated");
}

} // namespace

void writeControlLines(QStringList& lines, const ControlIndex& index, bool optimizedSaving,
                       const std::vector<CfgOrigin>& origins) {
    const auto& entries = index.entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        const SettingControl& control = *entries[i].control;
        // A mirror shows what another control writes.
        if (isLaunchOnly(control.supCommand()) || isMirror(control))
            continue;
        const CfgOrigin origin = i < origins.size() ? origins[i] : CfgOrigin{};
        const QString current = controlValueText(control);
        // Left out, the game holds the same: what its own files give, or the default.
        if (optimizedSaving && origin.under && current == *origin.under)
            continue;
        if (origin.read)
            appendControlLines(lines, control, false, origin.textFor(current));
        else if (origin.followsRules(current) &&
                 (ownEnabled(control.widget()) || greyedForRenderer(control.widget())))
            appendControlLines(lines, control, optimizedSaving && !origin.under);
    }
}

namespace {

QString catalogueDefaultText(const CatalogueRow& row) {
    if (row.kind == SettingKind::CheckBox)
        return QLatin1String(defaultChecked(row) ? "1" : "0");
    return QString::number(defaultNumber(row));
}

} // namespace

void applyEngineDefaults(const ControlIndex& index, Engine engine,
                         const std::vector<CfgOrigin>& origins) {
    const auto& entries = index.entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        SettingControl& control = *entries[i].control;
        const CatalogueRow* row = findCatalogueRow(control.supCommand());
        if (control.kind() == SettingKind::Binding || control.ownEngine() || !row)
            continue;
        QString wanted = engineDefault(engine, control.supCommand());
        if (wanted.isEmpty())
            wanted = catalogueDefaultText(*row);
        if (wanted == control.defaultText())
            continue;
        const bool fromFile = i < origins.size() && origins[i].cameFromFile();
        const bool untouched = control.atDefault() && !fromFile;
        control.setDefaultText(wanted);
        if (untouched)
            control.resetToDefault();
    }
}

void resetSettingControls(const ControlIndex& index) {
    for (const ControlEntry& entry : index.entries())
        entry.control->resetToDefault();
}
