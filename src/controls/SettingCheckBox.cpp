#include "SettingCheckBox.h"

namespace {

QString textOf(bool value) {
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

SettingCheckBox::SettingCheckBox(QWidget* owner)
    : QCheckBox(owner), SettingControl(*this, SettingKind::CheckBox) {
    connect(this, &QCheckBox::toggled, this, &SettingCheckBox::onToggled);
    makePopupMenu();
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

QString SettingCheckBox::valueText(int index) const {
    return index == 0 ? textOf(value_) : QString();
}

QString SettingCheckBox::shownValueText() const {
    return textOf(isChecked());
}

void SettingCheckBox::setValues(const QStringList& values) {
    setSupValue(values.value(0) == QLatin1String("1"));
}

QString SettingCheckBox::defaultText() const {
    return textOf(default_);
}

void SettingCheckBox::resetToDefault() {
    setSupValue(default_);
}

QMetaObject::Connection SettingCheckBox::connectChange(QObject* context,
                                                       std::function<void()> handler) {
    return connect(this, &SettingCheckBox::supClick, context, std::move(handler));
}

void SettingCheckBox::onToggled(bool checked) {
    emit supClick();
    value_ = checked;
}

QString SettingCheckBox::shownText(const QString& value) const {
    return value == QLatin1String("1") ? QStringLiteral("Yes") : QStringLiteral("No");
}

// One blank before the description, where spins and bindings have two.
void SettingCheckBox::updateHint() {
    setHint(*this,
            shownText(defaultText()) + QStringLiteral(" (") + hintDescription() + QLatin1Char(')'));
}

void SettingCheckBox::setDefaultText(const QString& text) {
    default_ = text == QLatin1String("1");
    updateHint();
}
