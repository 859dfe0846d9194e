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

QWidget* createCheckBox(const CatalogueRow& row, QWidget* parent) {
    auto* box = new SettingCheckBox(parent);
    box->setText(text(row.caption));
    box->setSupValue(defaultChecked(row));
    box->setSupDefault(defaultChecked(row));
    box->setSupCommand(text(row.command));
    box->setSupDescription(text(row.description));
    box->setSupNotes(notesLines(row));
    return box;
}

CreatedSetting createSpin(const CatalogueRow& row, QWidget* parent) {
    auto* spin = new SettingSpinBox(parent);
    spin->setMaxValue(0);
    spin->setMinValue(0);
    spin->setSupValue(defaultNumber(row));
    spin->setSupDefault(defaultNumber(row));
    spin->setSupCommand(text(row.command));
    spin->setSupDescription(text(row.description));
    spin->setSupNotes(notesLines(row));
    QLabel* label = newLabel(parent);
    spin->setSupLabel(label);
    spin->setSupLabelPosition(row.labelPosition);
    spin->setSupLabelCaption(text(row.caption));
    return {spin, label};
}

CreatedSetting createBinding(const CatalogueRow& row, QWidget* parent) {
    auto* bind = new BindingEdit(parent);
    const QString key = text(row.defaultValue);
    bind->setSupValue(key);
    bind->setSupDefault(key);
    bind->setSupCommand(text(row.command));
    bind->setSupDescription(text(row.description));
    bind->setSupNotes(notesLines(row));
    QLabel* label = newLabel(parent);
    bind->setSupLabel(label);
    bind->setSupLabelPosition(row.labelPosition);
    bind->setSupLabelCaption(text(row.caption));
    return {bind, label};
}

} // namespace

CreatedSetting createSettingControl(const CatalogueRow& row, QWidget* parent) {
    switch (row.kind) {
    case SettingKind::CheckBox:
        return {createCheckBox(row, parent), nullptr};
    case SettingKind::Spin:
        return createSpin(row, parent);
    case SettingKind::Binding:
        return createBinding(row, parent);
    }
    return {};
}
