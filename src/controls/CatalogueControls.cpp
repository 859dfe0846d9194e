#include "CatalogueControls.h"

#include "controls/BindingEdit.h"
#include "controls/SettingCheckBox.h"
#include "controls/SettingSpinBox.h"

#include <QLabel>

namespace {

QString text(const char* s) {
    return QString::fromUtf8(s);
}

QLabel* newLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

// The properties after the value and the default, in the catalogue's order; spins and bindings
// then get their caption label.
CreatedSetting describe(SettingControl& control, const CatalogueRow& row, QWidget* parent) {
    control.setSupCommand(text(row.command));
    control.setSupDescription(text(row.description));
    control.setSupNotes(notesLines(row));
    if (row.kind == SettingKind::CheckBox)
        return {&control.widget(), nullptr};
    QLabel* label = newLabel(parent);
    control.setSupLabel(label);
    control.setSupLabelPosition(row.labelPosition);
    control.setSupLabelCaption(text(row.caption));
    return {&control.widget(), label};
}

CreatedSetting createCheckBox(const CatalogueRow& row, QWidget* parent) {
    auto* box = new SettingCheckBox(parent);
    box->setText(text(row.caption));
    box->setSupValue(defaultChecked(row));
    box->setSupDefault(defaultChecked(row));
    return describe(*box, row, parent);
}

CreatedSetting createSpin(const CatalogueRow& row, QWidget* parent) {
    auto* spin = new SettingSpinBox(parent);
    spin->setMaxValue(0);
    spin->setMinValue(0);
    spin->setSupValue(defaultNumber(row));
    spin->setSupDefault(defaultNumber(row));
    return describe(*spin, row, parent);
}

CreatedSetting createBinding(const CatalogueRow& row, QWidget* parent) {
    auto* bind = new BindingEdit(parent);
    const QString key = text(row.defaultValue);
    bind->setSupValue(key);
    bind->setSupDefault(key);
    return describe(*bind, row, parent);
}

} // namespace

CreatedSetting createSettingControl(const CatalogueRow& row, QWidget* parent) {
    switch (row.kind) {
    case SettingKind::CheckBox:
        return createCheckBox(row, parent);
    case SettingKind::Spin:
        return createSpin(row, parent);
    case SettingKind::Binding:
        return createBinding(row, parent);
    case SettingKind::Choice:
    case SettingKind::Number:
    case SettingKind::Text:
        break; // only an engine's own settings come as these
    }
    return {};
}
