#pragma once

#include "EntryEditor.h"

// Edits one custom console setting: a variable and its value.
class SettingDialog : public EntryEditor {
    Q_OBJECT
public:
    SettingDialog(QWidget* parent, Prompts& prompts, const EntryEditTarget& target);

    QLineEdit* txtSetting;
    QLineEdit* txtSettingValue;
    QLineEdit* txtNewSetting; // hidden: "true" for a new setting

    // Loads the setting being edited; a new one starts empty.
    void formActivate();

protected:
    void writeEntry() override;
};
