#include "SettingTextEdit.h"

#include <QRegularExpressionValidator>

SettingTextEdit::SettingTextEdit(SettingKind kind, QWidget* owner)
    : QLineEdit(owner), SettingControl(*this, kind) {
    makePopupMenu();
    if (kind == SettingKind::Number) {
        // A sign, digits and one point, as the game's atof reads them.
        static const QRegularExpression Number(QStringLiteral("-?[0-9]*\\.?[0-9]*"));
        setValidator(new QRegularExpressionValidator(Number, this));
        setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-0000.000")) + 12);
    }
}

void SettingTextEdit::setSupDefault(const QString& text) {
    default_ = text;
    setText(text);
    updateHint();
}

QString SettingTextEdit::valueText(int index) const {
    return index == 0 ? text() : QString();
}

void SettingTextEdit::setValues(const QStringList& values) {
    const QString value = values.value(0);
    if (value != text())
        setText(value);
}

void SettingTextEdit::resetToDefault() {
    setValues({default_});
}

void SettingTextEdit::setDefaultText(const QString& text) {
    default_ = text;
    updateHint();
}

QMetaObject::Connection SettingTextEdit::connectChange(QObject* context,
                                                       std::function<void()> handler) {
    return connect(this, &QLineEdit::textChanged, context,
                   [handler = std::move(handler)](const QString&) { handler(); });
}
