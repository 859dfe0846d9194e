#include "EngineControls.h"

#include "SettingCheckBox.h"
#include "SettingChoiceBox.h"
#include "SettingSpinBox.h"
#include "SettingTextEdit.h"

#include <QLabel>

#include <limits>

namespace {

int whole(std::optional<double> bound, int otherwise) {
    if (!bound)
        return otherwise;
    return int(
        qBound<double>(std::numeric_limits<int>::min(), *bound, std::numeric_limits<int>::max()));
}

SettingControl* newCheckBox(const EngineSetting& setting, QWidget* parent) {
    auto* box = new SettingCheckBox(parent);
    box->setText(setting.caption);
    const bool on = setting.defaultValue == QLatin1String("1");
    box->setSupValue(on);
    box->setSupDefault(on);
    return box;
}

SettingControl* newSpin(const EngineSetting& setting, QWidget* parent) {
    auto* spin = new SettingSpinBox(parent);
    // Equal limits mean none: a range open above ends at the largest number.
    spin->setMinValue(whole(setting.low, 0));
    spin->setMaxValue(whole(setting.high, setting.low ? std::numeric_limits<int>::max() : 0));
    spin->setSupValue(setting.defaultValue.toInt());
    spin->setSupDefault(setting.defaultValue.toInt());
    return spin;
}

SettingControl* newChoice(const EngineSetting& setting, QWidget* parent) {
    auto* box = new SettingChoiceBox(parent);
    QList<std::pair<QString, QString>> choices;
    for (const EngineChoice& choice : setting.choices)
        choices.append({choice.value, choice.label});
    box->setChoices(choices, setting.defaultValue);
    return box;
}

SettingControl* newEdit(const EngineSetting& setting, QWidget* parent) {
    const bool number = setting.kind == EngineSettingKind::Float;
    auto* edit = new SettingTextEdit(number ? SettingKind::Number : SettingKind::Text, parent);
    edit->setSupDefault(setting.defaultValue);
    return edit;
}

SettingControl* newControl(const EngineSetting& setting, QWidget* parent) {
    switch (setting.kind) {
    case EngineSettingKind::Bool:
        return newCheckBox(setting, parent);
    case EngineSettingKind::Int:
        return newSpin(setting, parent);
    case EngineSettingKind::Choice:
        return newChoice(setting, parent);
    case EngineSettingKind::Float:
    case EngineSettingKind::Text:
        break;
    }
    return newEdit(setting, parent);
}

// What the info dialog's notes say of the values.
QStringList valueNotes(const EngineSetting& setting) {
    QStringList notes;
    for (const EngineChoice& choice : setting.choices) {
        const QString value = choice.value.isEmpty() ? QStringLiteral("\"\"") : choice.value;
        notes << (choice.label == choice.value ? value
                                               : value + QStringLiteral(" = ") + choice.label);
    }
    if (const QString range = describeEngineValues(setting); notes.isEmpty() && !range.isEmpty())
        notes << QStringLiteral("Values: ") + range;
    return notes;
}

} // namespace

CreatedSetting createEngineControl(Engine engine, const EngineSetting& setting, QWidget* parent) {
    SettingControl* control = newControl(setting, parent);
    control->setOwnEngine(engine);
    control->setSupCommand(setting.cvar);
    control->setSupDescription(setting.description);
    control->setSupNotes(valueNotes(setting));
    // Named apart from a catalogue control of the same cvar and from another engine's.
    const QString suffix = u'_' + engineIniName(engine);
    control->widget().setObjectName(control->widget().objectName() + suffix);
    if (control->kind() == SettingKind::CheckBox)
        return {&control->widget(), nullptr};
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    control->setSupLabel(label);
    control->setSupLabelPosition(PosLeft);
    control->setSupLabelCaption(setting.caption);
    label->setObjectName(label->objectName() + suffix);
    return {&control->widget(), label};
}
