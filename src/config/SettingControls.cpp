#include "SettingControls.h"

#include "CfgNumbers.h"
#include "VexaCommon.h"
#include "controls/BindingEdit.h"
#include "controls/SettingCheckBox.h"
#include "controls/SettingSpinBox.h"
#include "settings/Engine.h"

#include <QStackedWidget>

#include <algorithm>

namespace {

template <typename... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
template <typename... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

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

std::optional<SettingControl> asSettingControl(QObject* object) {
    if (auto* box = qobject_cast<SettingCheckBox*>(object))
        return box;
    if (auto* spin = qobject_cast<SettingSpinBox*>(object))
        return spin;
    if (auto* binding = qobject_cast<BindingEdit*>(object))
        return binding;
    return std::nullopt;
}

const QString& commandOf(const SettingControl& control) {
    return std::visit([](auto* c) -> const QString& { return c->supCommand(); }, control);
}

QWidget* widgetOf(const SettingControl& control) {
    return std::visit([](auto* c) -> QWidget* { return c; }, control);
}

void forEachSettingControl(QWidget* root, const std::function<void(const SettingControl&)>& visit) {
    if (const auto control = asSettingControl(root))
        visit(*control);
    for (QWidget* child : childWidgets(root))
        forEachSettingControl(child, visit);
}

bool ownEnabled(const QWidget& widget) {
    // Qt marks every widget below a disabled one disabled too; only this flag is its own.
    return !widget.testAttribute(Qt::WA_ForceDisabled);
}

void markSettingsOfEngine(const ControlIndex& index, Engine engine) {
    static const char* const Lacks = "engineLacksSetting";
    for (const ControlEntry& entry : index.entries()) {
        if (std::holds_alternative<BindingEdit*>(entry.control))
            continue; // a binding's command is no cvar
        QWidget* widget = widgetOf(entry.control);
        const QString& name = commandOf(entry.control);
        const bool lacks =
            !engineRegistersCvar(engine, name) && engineCvarRename(engine, name).isEmpty();
        if (lacks == widget->property(Lacks).toBool())
            continue;
        widget->setProperty(Lacks, lacks);
        widget->setEnabled(!lacks);
        // The status tip keeps the hint the control was made with.
        widget->setToolTip(lacks
                               ? widget->statusTip() +
                                     QStringLiteral("\n%1 has no '%2': the game ignores it")
                                         .arg(QLatin1String(engineFacts(engine).displayName), name)
                               : widget->statusTip());
    }
}

QString keySlot(const BindingEdit& binding, int slot) {
    switch (slot) {
    case 1:
        return binding.supValue();
    case 2:
        return binding.supValue2();
    case 3:
        return binding.supValue3();
    case 4:
        return binding.supValue4();
    }
    return {};
}

void setKeySlot(BindingEdit& binding, int slot, const QString& key) {
    switch (slot) {
    case 1:
        binding.setSupValue(key);
        break;
    case 2:
        binding.setSupValue2(key);
        break;
    case 3:
        binding.setSupValue3(key);
        break;
    case 4:
        binding.setSupValue4(key);
        break;
    }
}

void ControlIndex::add(const SettingControl& control) {
    entries_.push_back(ControlEntry{control});
    byCommand_.try_emplace(commandOf(control), entries_.size() - 1);
}

ControlEntry* ControlIndex::find(QStringView command) {
    const auto at = byCommand_.find(command);
    return at == byCommand_.end() ? nullptr : &entries_[at->second];
}

ControlIndex indexSettingControls(QWidget* root) {
    ControlIndex index;
    forEachSettingControl(root, [&](const SettingControl& control) { index.add(control); });
    return index;
}

bool checkBoxValue(QStringView value) {
    // Blanks made "0" can never give "1", so only the value "1" itself is yes.
    return value == u"1";
}

void addControlVariables(CfgVariables& variables, const ControlIndex& index, int firstSlot,
                         Engine engine) {
    const auto& entries = index.entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!std::holds_alternative<BindingEdit*>(entries[i].control))
            addVariable(variables, commandOf(entries[i].control), firstSlot + int(i), engine);
    }
}

namespace {

using KeySlots = std::array<QString, 4>;

// The keys bound to each binding's command at the end, the last four in the order they were
// bound; the bindings that take them are taken from the script. An earlier key keeps its own
// line, which a save writes before the window's: read again, it is earlier still.
std::vector<KeySlots> boundKeys(ControlIndex& index, CfgScript& script) {
    std::vector<KeySlots> keys(size_t(index.size()));
    std::vector<int> counts(size_t(index.size()), 0);
    const std::vector<CfgScript::Binding> bindings = script.bindings();
    for (auto bound = bindings.rbegin(); bound != bindings.rend(); ++bound) {
        const ControlEntry* entry = index.find(bound->command);
        if (!entry || !std::holds_alternative<BindingEdit*>(entry->control) ||
            !isWritableKey(bound->key))
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

std::vector<CfgOrigin> applyCfgScript(ControlIndex& index, CfgScript& script, int firstSlot) {
    const std::vector<KeySlots> keys = boundKeys(index, script);
    std::vector<CfgOrigin> origins(size_t(index.size()));
    for (size_t i = 0; i < origins.size(); ++i) {
        const SettingControl& control = index.entries()[i].control;
        CfgOrigin& origin = origins[i];
        std::visit(Overloaded{
                       [&](BindingEdit* binding) {
                           binding->setKeys(keys[i]);
                           if (!keys[i][0].isEmpty())
                               origin.read = controlValueText(control);
                       },
                       [&](SettingSpinBox* spin) {
                           origin.read = script.value(firstSlot + int(i));
                           if (origin.read)
                               spin->setSupValue(roundedGameNumber(*origin.read));
                       },
                       [&](SettingCheckBox* box) {
                           origin.read = script.value(firstSlot + int(i));
                           if (origin.read)
                               box->setSupValue(checkBoxValue(*origin.read));
                       },
                   },
                   control);
        origin.loaded = controlValueText(control);
        origin.fileRead = !script.isEmpty();
    }
    return origins;
}

QString controlValueText(const SettingControl& control) {
    return std::visit(Overloaded{
                          [](SettingCheckBox* box) {
                              return box->supValue() ? QStringLiteral("1") : QStringLiteral("0");
                          },
                          [](SettingSpinBox* spin) { return QString::number(spin->supValue()); },
                          [](BindingEdit* binding) {
                              QStringList keys;
                              for (int slot = 1; slot <= 4; ++slot) {
                                  if (!trimBlanks(keySlot(*binding, slot)).isEmpty())
                                      keys << keySlot(*binding, slot);
                              }
                              return keys.join(u' ');
                          },
                      },
                      control);
}

void appendControlLines(QStringList& lines, const SettingControl& control, bool optimizedSaving,
                        const std::optional<QString>& value) {
    std::visit(Overloaded{
                   [&](SettingCheckBox* box) {
                       if (optimizedSaving && box->supValue() == box->supDefault())
                           return;
                       appendCfgLine(lines, CfgWord::Set, box->supCommand(),
                                     value.value_or(controlValueText(control)));
                   },
                   [&](SettingSpinBox* spin) {
                       if (optimizedSaving && spin->supValue() == spin->supDefault())
                           return;
                       appendCfgLine(lines, CfgWord::Set, spin->supCommand(),
                                     value.value_or(controlValueText(control)));
                   },
                   [&](BindingEdit* binding) {
                       if (optimizedSaving && binding->supValue() == binding->supDefault())
                           return;
                       // A key the engine keeps for itself only earns a refusal at each start.
                       const Engine engine = currentEngine();
                       for (int slot = 1; slot <= 4; ++slot) {
                           const QString key = keySlot(*binding, slot);
                           if (!trimBlanks(key).isEmpty() &&
                               !engineRefusesToRebind(engine, trimBlanks(key)))
                               appendCfgLine(lines, CfgWord::Bind, key, binding->supCommand());
                       }
                   },
               },
               control);
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
        const SettingControl& control = entries[i].control;
        if (isLaunchOnly(commandOf(control)))
            continue;
        const CfgOrigin origin = i < origins.size() ? origins[i] : CfgOrigin{};
        const QString current = controlValueText(control);
        if (origin.read)
            appendControlLines(lines, control, false, origin.textFor(current));
        else if (origin.followsRules(current) && ownEnabled(*widgetOf(control)))
            appendControlLines(lines, control, optimizedSaving);
    }
}

void resetSettingControls(const ControlIndex& index) {
    for (const ControlEntry& entry : index.entries()) {
        std::visit(Overloaded{
                       [](BindingEdit* binding) { binding->setKeys({binding->supDefault()}); },
                       [](auto* other) { other->setSupValue(other->supDefault()); },
                   },
                   entry.control);
    }
}
