#include "SupCheckBox.h"

#include <QMenu>

namespace {
QString yesNo(TChecked value) {
    return value == TChecked::yes ? QStringLiteral("Yes") : QStringLiteral("No");
}
} // namespace

TSupCheckBox::TSupCheckBox(QWidget* owner) : QCheckBox(owner) {
    connect(this, &QCheckBox::toggled, this, &TSupCheckBox::Click);
    popup_ =
        new PopupMenuOnDemand(*this, [this] { return newInfoMenu(this, [this] { ShowInfo(); }); });
    updateHint();
}

void TSupCheckBox::setSupValue(TChecked value) {
    setChecked(YesNoToBoolean(static_cast<int>(value)));
    value_ = value;
}

void TSupCheckBox::setSupDefault(TChecked value) {
    setChecked(YesNoToBoolean(static_cast<int>(value)));
    default_ = value;
    updateHint();
}

void TSupCheckBox::setSupCommand(const QString& command) {
    command_ = command;
    setObjectName(QStringLiteral("sbc") + command);
}

void TSupCheckBox::setSupDescription(const QString& description) {
    description_ = description;
    updateHint();
}

void TSupCheckBox::setSupNotes(const QStringList& notes) {
    notes_ = notes;
}

void TSupCheckBox::Click(bool checked) {
    emit supClick();
    value_ = checked ? TChecked::yes : TChecked::no;
}

void TSupCheckBox::updateHint() {
    setHint(*this, yesNo(default_) + QStringLiteral(" (") + description_ + QLatin1Char(')'));
}

void TSupCheckBox::ShowInfo() {
    InfoContent content;
    content.command = command_;
    content.current[0] = yesNo(value_);
    content.defaultValue = yesNo(default_);
    content.description = description_;
    content.notes = notes_;
    ShowInfoDialog(this, content);
}
