#include "SettingCommand.h"

#include "app/CfgWindowRows.h"
#include "app/HeadlessPrompts.h"
#include "app/MainWindow.h"
#include "config/CfgNumbers.h"
#include "config/CfgScript.h"
#include "config/SettingControls.h"
#include "controls/SettingControl.h"
#include "platform/Guard.h"
#include "platform/PlatformConventions.h"
#include "settings/Catalogue.h"
#include "settings/GameHome.h"

#include <QLineEdit>
#include <QTextStream>

#include <functional>
#include <memory>

namespace {

const QString BindPrefix = QStringLiteral("bind:");
const QString Default = QStringLiteral("default");

bool isKeyName(const QString& name) {
    return name.startsWith(BindPrefix, Qt::CaseInsensitive);
}

const CfgWindowRows::Row* findRow(const QString& name) {
    for (const CfgWindowRows::Row& row : CfgWindowRows::allRows()) {
        if (name.compare(QLatin1String(row.name), Qt::CaseInsensitive) == 0)
            return &row;
    }
    return nullptr;
}

SettingControl* findControl(const MainWindow& window, const QString& command) {
    return settingControlOf(window.settingControl(command));
}

// The binding boxes of the window, in the catalogue's order.
std::vector<SettingControl*> bindingControls(const MainWindow& window) {
    std::vector<SettingControl*> controls;
    for (const CatalogueRow& row : catalogue()) {
        SettingControl* control = findControl(window, QLatin1String(row.command));
        if (control && control->kind() == SettingKind::Binding)
            controls.push_back(control);
    }
    return controls;
}

bool isNumber(const QString& value) {
    bool ok = false;
    value.toDouble(&ok);
    return ok;
}

// The game's own files and Vexa's script, run once as the game runs them, with each asked
// setting in the slot of its place among `names`.
std::unique_ptr<CfgScript> runScripts(const MainWindow& window, const QStringList& names) {
    const Engine engine = window.engineChoice().engine;
    CfgVariables variables;
    for (int slot = 0; slot < names.size(); ++slot) {
        if (!isKeyName(names[slot]))
            addVariable(variables, names[slot], slot, engine);
    }
    const QString path = window.configFileEdit()->text();
    auto script = std::make_unique<CfgScript>(window.configLines(), variables, engine,
                                              window.gameFilesBefore(path));
    script->setScriptName(PlatformConventions::native().fileNameOf(path));
    return script;
}

QString settingLine(const MainWindow& window, const CfgScript& script, const QString& name,
                    int slot) {
    if (const auto value = script.value(slot))
        return name + u'\t' + *value + u'\t' + script.placeOfLine(script.valueLine(slot));
    if (const CfgWindowRows::Row* row = findRow(name))
        return name + u'\t' + row->current(window) + u'\t' + Default;
    const SettingControl* control = findControl(window, name);
    return name + u'\t' + (control ? controlValueText(*control) : QString()) + u'\t' + Default;
}

// The command a key ends up with; without any file, the defaults of the binding boxes.
QString keyLine(const MainWindow& window, const CfgScript& script, const QString& name) {
    const QString key = name.mid(BindPrefix.size());
    for (const CfgScript::Binding& binding : script.bindings()) {
        if (KeyEqual()(binding.key, key))
            return name + u'\t' + binding.command.toString() + u'\t' +
                   script.placeOfLine(binding.sourceLine);
    }
    if (script.isEmpty()) {
        for (const SettingControl* control : bindingControls(window)) {
            if (control->values().contains(key, Qt::CaseInsensitive))
                return name + u'\t' + control->supCommand() + u'\t' + Default;
        }
    }
    return name + QStringLiteral("\t\t");
}

bool isKnownSetting(const MainWindow& window, const QString& name) {
    if (isKeyName(name))
        return isWritableKey(name.mid(BindPrefix.size()));
    return findRow(name) || findControl(window, name) ||
           engineKnowsCvar(window.engineChoice().engine, name);
}

// A change checked against the window before anything is changed.
struct Change {
    std::function<void()> apply;
    QString problem;
};

Change bindChange(MainWindow& window, const QString& key, const QString& command) {
    if (!isWritableKey(key))
        return {{}, QStringLiteral("not a key: ") + key};
    SettingControl* target = command.isEmpty() ? nullptr : findControl(window, command);
    if (!command.isEmpty() && (!target || target->kind() != SettingKind::Binding))
        return {{}, QStringLiteral("no setting binds ") + command};
    return {[&window, key, target] {
                // A key does one thing: it leaves every other binding.
                for (SettingControl* control : bindingControls(window)) {
                    QStringList keys = control->values();
                    if (keys.removeIf([&key](const QString& k) { return KeyEqual()(k, key); }))
                        control->setValues(keys);
                }
                if (!target)
                    return;
                QStringList keys = target->values();
                keys.removeAll(QString());
                keys.prepend(key);
                target->setValues(keys.mid(0, target->valueCount()));
            },
            {}};
}

Change valueChange(MainWindow& window, const QString& name, const QString& value) {
    if (const CfgWindowRows::Row* row = findRow(name))
        return {[&window, row, value] { row->show(window, value); }, {}};
    SettingControl* control = findControl(window, name);
    if (!control || control->kind() == SettingKind::Binding)
        return {{}, QStringLiteral("unknown setting: ") + name};
    const bool fits = control->kind() == SettingKind::CheckBox ? (value == u"0" || value == u"1")
                                                               : isNumber(value);
    if (!fits)
        return {{}, QStringLiteral("%1 cannot be %2").arg(name, value)};
    return {[control, value] {
                control->setValues({control->kind() == SettingKind::Spin
                                        ? QString::number(roundedGameNumber(value))
                                        : value});
            },
            {}};
}

Change changeOf(MainWindow& window, const QString& assignment) {
    const qsizetype equals = assignment.indexOf(u'=');
    if (equals <= 0)
        return {{},
                QStringLiteral("--set takes NAME=VALUE or bind:KEY=COMMAND, not ") + assignment};
    const QString name = assignment.left(equals);
    const QString value = assignment.mid(equals + 1);
    if (isKeyName(name))
        return bindChange(window, name.mid(BindPrefix.size()), value);
    return valueChange(window, name, value);
}

} // namespace

int printSettings(const QStringList& names, QTextStream& out, QTextStream& messages) {
    HeadlessPrompts prompts(messages);
    MainWindow window(prompts);
    if (prompts.failed())
        return 1;
    for (const QString& name : names) {
        if (!isKnownSetting(window, name)) {
            messages << "vexa: unknown setting: " << name << Qt::endl;
            return 2;
        }
    }
    const std::unique_ptr<CfgScript> script = runScripts(window, names);
    for (int slot = 0; slot < names.size(); ++slot) {
        const QString& name = names[slot];
        out << (isKeyName(name) ? keyLine(window, *script, name)
                                : settingLine(window, *script, name, slot))
            << '\n';
    }
    return 0;
}

int changeSettings(const QStringList& assignments, QTextStream& messages) {
    HeadlessPrompts prompts(messages);
    MainWindow window(prompts);
    if (prompts.failed())
        return 1;
    std::vector<Change> changes;
    for (const QString& assignment : assignments) {
        changes.push_back(changeOf(window, assignment));
        if (!changes.back().problem.isEmpty()) {
            messages << "vexa: " << changes.back().problem << Qt::endl;
            return 2;
        }
    }
    for (const Change& change : changes)
        change.apply();
    const auto& platform = PlatformConventions::native();
    const QString script = window.configFileEdit()->text();
    runGuarded(prompts, [&] {
        window.saveCfgFile(platform.directoryOf(script), platform.fileNameOf(script));
    });
    return prompts.failed() ? 1 : 0;
}
