#pragma once

#include "SettingControl.h"

#include <QLineEdit>

// A field carrying one cvar's text as the config gives it: a number with decimals (kind Number,
// which takes only numbers as typed) or any text (kind Text). What a file gives is shown as it
// stands, so a value the game reads otherwise is still written back unchanged.
class SettingTextEdit : public QLineEdit, public SettingControl {
    Q_OBJECT
public:
    SettingTextEdit(SettingKind kind, QWidget* owner = nullptr);

    void setSupDefault(const QString& text);

    QString valueText(int index = 0) const override;
    void setValues(const QStringList& values) override;
    QString defaultText() const override { return default_; }
    void resetToDefault() override;
    void setDefaultText(const QString& text) override;
    QMetaObject::Connection connectChange(QObject* context, std::function<void()> handler) override;

private:
    QString default_;
};
