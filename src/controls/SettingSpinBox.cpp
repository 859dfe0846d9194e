#include "SettingSpinBox.h"

#include "FontScale.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <limits>

SettingSpinBox::SettingSpinBox(QWidget* owner)
    : QSpinBox(owner), SettingControl(*this, SettingKind::Spin), formWidth_(fontScaled(FormWidth)) {
    applyLimits();
    // Typing reaches the field's own signal; program changes, the buttons and the clamp on leaving
    // change the text with the field's signals blocked and show up in the spin's signals.
    notifiedText_ = lineEdit()->text();
    connect(lineEdit(), &QLineEdit::textChanged, this, &SettingSpinBox::onTextChange);
    connect(this, &QSpinBox::textChanged, this, &SettingSpinBox::onTextChange);
    connect(this, &QAbstractSpinBox::editingFinished, this, &SettingSpinBox::onTextChange);
    // The field is a child of its own: its right presses and context menus come here first.
    // The edit field takes the mouse itself, so the menu watches it too.
    makePopupMenu().watch(*lineEdit());
    setSupDefault(0);
    // The form's width; a longer text asks for more (see widenToFitText).
    setMinimumWidth(formWidth_);
    setMaximumWidth(formWidth_);
    setSizePolicy(QSizePolicy::Maximum, sizePolicy().verticalPolicy());
    // Its own height from the start, so that a label placed before showing sits right.
    resize(formWidth_, sizeHint().height());
}

QSize SettingSpinBox::sizeHint() const {
    return {textWidth_, QSpinBox::sizeHint().height()};
}

QSize SettingSpinBox::minimumSizeHint() const {
    return {formWidth_, QSpinBox::minimumSizeHint().height()};
}

void SettingSpinBox::setMinValue(int value) {
    minValue_ = value;
    applyLimits();
}

void SettingSpinBox::setMaxValue(int value) {
    maxValue_ = value;
    applyLimits();
}

void SettingSpinBox::applyLimits() {
    if (limited())
        setRange(qMin(minValue_, maxValue_), qMax(minValue_, maxValue_));
    else
        setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
}

int SettingSpinBox::clamped(int value) const {
    return qBound(minimum(), value, maximum());
}

int SettingSpinBox::valueOfText(const QString& text) const {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : minValue_;
}

int SettingSpinBox::Value() const {
    return valueOfText(lineEdit()->text());
}

QValidator::State SettingSpinBox::validate(QString& input, int&) const {
    bool ok = false;
    const int value = input.trimmed().toInt(&ok);
    // Anything may be typed; text that is no number in range waits for fixup on leaving.
    return ok && clamped(value) == value ? QValidator::Acceptable : QValidator::Intermediate;
}

void SettingSpinBox::fixup(QString& input) const {
    input = textFromValue(valueFromText(input));
}

int SettingSpinBox::valueFromText(const QString& text) const {
    return clamped(valueOfText(text));
}

QString SettingSpinBox::textFromValue(int value) const {
    return QString::number(value);
}

void SettingSpinBox::widenToFitText() {
    // Only a text longer than any before can need more room (digits are of one width).
    if (text().size() <= longestText_)
        return;
    longestText_ = text().size();
    // As QAbstractSpinBox sizes itself: the text, room for the cursor, then the buttons and frame.
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QSize content(fontMetrics().horizontalAdvance(text()) + 2 + 2 * TextMargin, height());
    const int needed =
        style()->sizeFromContents(QStyle::CT_SpinBox, &option, content, this).width();
    if (needed <= textWidth_)
        return;
    textWidth_ = needed;
    setMaximumWidth(needed);
    // On its own it takes the width at once; in a layout it gets what its row can give without
    // squeezing its neighbours, and the text scrolls inside it when that is less.
    resize(needed, height());
    updateGeometry();
}

void SettingSpinBox::onTextChange() {
    widenToFitText();
    const QString text = lineEdit()->text();
    if (text == notifiedText_)
        return;
    notifiedText_ = text;
    emit supChange();
    value_ = Value();
}

void SettingSpinBox::setSupValue(int value) {
    value_ = value;
    // The same value would still lay out the box's text again; a half-typed text is replaced.
    if (this->value() != value || cleanText() != textFromValue(value))
        setValue(value);
}

void SettingSpinBox::setSupDefault(int value) {
    default_ = value;
    setValue(value);
    updateHint();
}

QString SettingSpinBox::valueText(int index) const {
    return index == 0 ? QString::number(value_) : QString();
}

QString SettingSpinBox::shownValueText() const {
    return QString::number(Value());
}

void SettingSpinBox::setValues(const QStringList& values) {
    setSupValue(values.value(0).toInt());
}

QString SettingSpinBox::defaultText() const {
    return QString::number(default_);
}

void SettingSpinBox::resetToDefault() {
    setSupValue(default_);
}

QMetaObject::Connection SettingSpinBox::connectChange(QObject* context,
                                                      std::function<void()> handler) {
    return connect(this, &SettingSpinBox::supChange, context, std::move(handler));
}

void SettingSpinBox::setDefaultText(const QString& text) {
    default_ = text.toInt();
    updateHint();
}
