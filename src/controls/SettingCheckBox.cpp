#include "SettingCheckBox.h"

#include <QMenu>

namespace {
QString yesNo(TChecked value) {
    return value == TChecked::yes ? QStringLiteral("Yes") : QStringLiteral("No");
}
} // namespace

SettingCheckBox::SettingCheckBox(QWidget* owner) : QCheckBox(owner) {
    connect(this, &QCheckBox::toggled, this, &SettingCheckBox::Click);
    popup_ =
        new PopupMenuOnDemand(*this, [this] { return newInfoMenu(this, [this] { ShowInfo(); }); });
    updateHint();
}

void SettingCheckBox::setSupValue(TChecked value) {
    setChecked(YesNoToBoolean(static_cast<int>(value)));
    value_ = value;
}

void SettingCheckBox::setSupDefault(TChecked value) {
    setChecked(YesNoToBoolean(static_cast<int>(value)));
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

void SettingCheckBox::Click(bool checked) {
    emit supClick();
    value_ = checked ? TChecked::yes : TChecked::no;
}

void SettingCheckBox::updateHint() {
    setHint(*this, yesNo(default_) + QStringLiteral(" (") + description_ + QLatin1Char(')'));
}

void SettingCheckBox::ShowInfo() {
    InfoContent content;
    content.command = command_;
    content.current[0] = yesNo(value_);
    content.defaultValue = yesNo(default_);
    content.description = description_;
    content.notes = notes_;
    ShowInfoDialog(this, content);
}
