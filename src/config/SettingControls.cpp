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

std::vector<KeySlots> boundKeys(ControlIndex& index, CfgScript& script, Engine engine) {
    std::vector<KeySlots> keys(size_t(index.size()));
    std::vector<int> counts(size_t(index.size()), 0);
    const FoldedHashMap<size_t> spelled = engineCommandIndex(index, engine);
    const std::vector<CfgScript::Binding> bindings = script.bindings();
    for (auto bound = bindings.rbegin(); bound != bindings.rend(); ++bound) {
        const ControlEntry* entry = bindingEntry(index, spelled, bound->command);
        if (!entry || entry->control->kind() != SettingKind::Binding || !isWritableKey(bound->key))
            continue;
        const size_t at = size_t(entry - index.entries().data());
        if (counts[at] == 4)
            continue;
        keys[at][size_t(counts[at]++)] = bound->key.toString();
        script.take(*bound);
    }
    for (size_t at = 0; at < keys.size(); ++at)
        std::reverse(keys[at].begin(), keys[at].begin() + counts[at]);
    return keys;
}

} // namespace

namespace {

// Takes the value of the control's variable, when the script sets it.
std::optional<QString> takeValue(SettingControl& control, const CfgScript& script, int slot) {
    std::optional<QString> read = script.value(slot);
    if (!read)
        return read;
    switch (control.kind()) {
    case SettingKind::Spin:
        control.setValues({QString::number(roundedGameNumber(*read))});
        break;
    case SettingKind::CheckBox:
        control.setValues({checkBoxValue(*read) ? QStringLiteral("1") : QStringLiteral("0")});
        break;
    case SettingKind::Binding:
        break;
    case SettingKind::Choice:
    case SettingKind::Number:
    case SettingKind::Text:
        control.setValues({*read});
        break;
    }
    return read;
}

} // namespace

std::vector<CfgOrigin> applyCfgScript(ControlIndex& index, CfgScript& script, int firstSlot,
                                      Engine engine) {
    const std::vector<KeySlots> keys = boundKeys(index, script, engine);
    const std::vector<EngineRole> roles = engineRoles(index, engine);
    std::vector<CfgOrigin> origins(size_t(index.size()));
    for (size_t i = 0; i < origins.size(); ++i) {
        SettingControl& control = *index.entries()[i].control;
        CfgOrigin& origin = origins[i];
        if (control.kind() == SettingKind::Binding) {
            control.setValues({keys[i].begin(), keys[i].end()});
            if (!keys[i][0].isEmpty())
                origin.read = controlValueText(control);
        } else if (roles[i].kind == EngineRole::Own || roles[i].kind == EngineRole::Mirror) {
            // Only these have a variable (addControlVariables).
            origin.read = takeValue(control, script, firstSlot + int(i));
        }
        origin.loaded = controlValueText(control);
        origin.fileRead = !script.isEmpty();
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
        if (origin.read)
            appendControlLines(lines, control, false, origin.textFor(current));
        else if (origin.followsRules(current) &&
                 (ownEnabled(control.widget()) || greyedForRenderer(control.widget())))
            appendControlLines(lines, control, optimizedSaving);
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
        const bool fromFile = i < origins.size() && origins[i].read;
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
