#include "SettingCheckBox.h"

#include <QMenu>

namespace {
QString yesNo(bool value) {
    return value ? QStringLiteral("Yes") : QStringLiteral("No");
}
} // namespace

SettingCheckBox::SettingCheckBox(QWidget* owner) : QCheckBox(owner) {
    connect(this, &QCheckBox::toggled, this, &SettingCheckBox::onToggled);
    popup_ =
        new PopupMenuOnDemand(*this, [this] { return newInfoMenu(this, [this] { showInfo(); }); });
    updateHint();
}

void SettingCheckBox::setSupValue(bool value) {
    setChecked(value);
    value_ = value;
}

void SettingCheckBox::setSupDefault(bool value) {
    setChecked(value);
    default_ = value;
    updateHint();
}

void SettingCheckBox::setSupCommand(const QString& command) {
    command_ = command;
    setObjectName(QStringLiteral("sbc") + command);
}

void SettingCheckBox::setSupDescription(const QString& description) {
    description_ = description;
    updateHint();
}

void SettingCheckBox::setSupNotes(const QStringList& notes) {
    notes_ = notes;
}

void SettingCheckBox::onToggled(bool checked) {
    emit supClick();
    value_ = checked;
}

void SettingCheckBox::updateHint() {
    setHint(*this, yesNo(default_) + QStringLiteral(" (") + description_ + QLatin1Char(')'));
}

void SettingCheckBox::showInfo() {
    InfoContent content;
    content.command = command_;
    content.current[0] = yesNo(value_);
    content.defaultValue = yesNo(default_);
    content.description = description_;
    content.notes = notes_;
    showInfoDialog(this, content);
}
