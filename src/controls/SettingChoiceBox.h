#pragma once

#include "SettingControl.h"

#include <QComboBox>

// A choice among the values an engine offers for one cvar, each shown by the engine's own label.
// A value that is none of them (from a config file) is kept as an entry of its own, so reading
// and writing a file loses nothing.
class SettingChoiceBox : public QComboBox, public SettingControl {
    Q_OBJECT
public:
    explicit SettingChoiceBox(QWidget* owner = nullptr);
    // QComboBox reports the loss of its entries as a change while it is destroyed; its listeners
    // may be gone by then.
    ~SettingChoiceBox() override;

    // The values and their labels, in the order shown; the default's entry is chosen.
    void setChoices(const QList<std::pair<QString, QString>>& choices, const QString& defaultValue);

    QString valueText(int index = 0) const override;
    void setValues(const QStringList& values) override;
    QString defaultText() const override { return default_; }
    void resetToDefault() override;
    void setDefaultText(const QString& text) override;
    QMetaObject::Connection connectChange(QObject* context, std::function<void()> handler) override;

    // The list is as wide as its longest label, also where the box shows fewer letters; measured
    // when it first opens, not for every box at start-up.
    void showPopup() override;

protected:
    QString shownText(const QString& value) const override;

private:
    // The entry of `value`, added when the box has none.
    int entryOf(const QString& value);

    QString default_;
};
