#pragma once

#include "EntryEditor.h"

// Edits one custom console setting: a variable and its value.
class SettingDialog : public EntryEditor {
    Q_OBJECT
public:
    SettingDialog(QWidget* parent, Prompts& prompts, const EntryEditTarget& target);

    QLineEdit* settingBox() const { return settingBox_; }
    QLineEdit* settingValueBox() const { return settingValueBox_; }

    // Loads the setting being edited; a new one starts empty.
    void formActivate();

protected:
    void writeEntry() override;

private:
    QLineEdit* settingBox_;
    QLineEdit* settingValueBox_;
};
