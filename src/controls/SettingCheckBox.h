#pragma once

#include "SettingControl.h"

#include <QCheckBox>

// A check box carrying one on/off console variable. Its value follows the check mark.
//
// Handlers that must see every change of the check mark, by the user or by program (assigning
// supValue or supDefault), connect to supClick(). It is emitted after the mark has changed and
// before supValue follows it, so handlers read isChecked().
class SettingCheckBox : public QCheckBox, public SettingControl {
    Q_OBJECT
public:
    explicit SettingCheckBox(QWidget* owner = nullptr);

    bool supValue() const { return value_; }
    void setSupValue(bool value);
    bool supDefault() const { return default_; }
    void setSupDefault(bool value);

    QString valueText(int index = 0) const override;
    QString shownValueText() const override;
    void setValues(const QStringList& values) override;
    QString defaultText() const override;
    void resetToDefault() override;
    void setDefaultText(const QString& text) override;
    QMetaObject::Connection connectChange(QObject* context, std::function<void()> handler) override;

signals:
    void supClick();

protected:
    QString shownText(const QString& value) const override;
    void updateHint() override;

private:
    void onToggled(bool checked);

    bool value_ = false;
    bool default_ = false;
};
