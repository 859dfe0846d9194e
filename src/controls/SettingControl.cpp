#include "SettingControl.h"

#include "BindingEdit.h"
#include "SettingCheckBox.h"
#include "SettingChoiceBox.h"
#include "SettingSpinBox.h"
#include "SettingTextEdit.h"

#include <QLabel>
#include <QWidget>

namespace {

QString objectNamePrefix(SettingKind kind) {
    switch (kind) {
    case SettingKind::CheckBox:
        return QStringLiteral("sbc");
    case SettingKind::Spin:
        return QStringLiteral("sse");
    case SettingKind::Binding:
        return QStringLiteral("sub");
    case SettingKind::Choice:
        return QStringLiteral("cbo");
    case SettingKind::Number:
    case SettingKind::Text:
        return QStringLiteral("edt");
    }
    return {};
}

} // namespace

SettingControl::SettingControl(QWidget& widget, SettingKind kind) : widget_(widget), kind_(kind) {}

void SettingControl::setSupCommand(const QString& command) {
    command_ = command;
    widget_.setObjectName(objectNamePrefix(kind_) + commandKey());
    if (label_)
        label_->setObjectName(QStringLiteral("lbl") + commandKey());
}

void SettingControl::setSupDescription(const QString& description) {
    description_ = description;
    updateHint();
}

void SettingControl::setSupSource(const QString& source) {
    if (source == source_)
        return;
    source_ = source;
    updateHint();
}

void SettingControl::setSupNotes(const QStringList& notes) {
    notes_ = notes;
}

void SettingControl::setSupLabel(QLabel* label) {
    label_ = label;
    if (!label_)
        return;
    label_->setObjectName(QStringLiteral("lbl") + commandKey());
    placeSupLabel();
}

void SettingControl::setSupLabelPosition(LabelPosition position) {
    labelPosition_ = position;
    placeSupLabel();
}

void SettingControl::setSupLabelCaption(const QString& caption) {
    if (label_) {
        label_->setText(caption);
        // A new text changes the label's size, which a label on the left depends on.
        placeSupLabel();
    }
    labelCaption_ = caption;
}

void SettingControl::placeSupLabel() {
    if (label_)
        placeLabel(widget_, *label_, labelPosition_);
}

QStringList SettingControl::values() const {
    QStringList all;
    for (int index = 0; index < valueCount(); ++index)
        all << valueText(index);
    return all;
}

bool SettingControl::atDefault() const {
    return valueText() == defaultText();
}

QString SettingControl::hintDescription() const {
    return source_.isEmpty() ? description_ : description_ + QStringLiteral("; from ") + source_;
}

void SettingControl::updateHint() {
    setHint(widget_, defaultHint(shownText(defaultText()), hintDescription()));
}

PopupMenuOnDemand& SettingControl::makePopupMenu(PopupMenuOnDemand::Builder build) {
    if (!build)
        build = [this] { return newInfoMenu(&widget_, [this] { showInfo(); }); };
    popup_ = new PopupMenuOnDemand(widget_, std::move(build));
    return *popup_;
}

void SettingControl::showInfo() {
    InfoContent content;
    content.command = command_;
    for (int index = 0; index < valueCount() && index < 4; ++index)
        content.current[index] = shownText(valueText(index));
    content.defaultValue = shownText(defaultText());
    content.description = description_;
    content.notes = notes_;
    content.source = source_;
    showInfoDialog(&widget_, content);
}

SettingControl* settingControlOf(QObject* object) {
    if (auto* box = qobject_cast<SettingCheckBox*>(object))
        return box;
    if (auto* spin = qobject_cast<SettingSpinBox*>(object))
        return spin;
    if (auto* binding = qobject_cast<BindingEdit*>(object))
        return binding;
    if (auto* choice = qobject_cast<SettingChoiceBox*>(object))
        return choice;
    if (auto* edit = qobject_cast<SettingTextEdit*>(object))
        return edit;
    return nullptr;
}
