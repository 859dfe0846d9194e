#pragma once

#include "EntryEditor.h"

class QPlainTextEdit;

// Edits one alias: its descriptive name (what the lists show), the name a key binding calls it
// by, a description and its lines of console script.
class AliasDialog : public EntryEditor {
    Q_OBJECT
public:
    AliasDialog(QWidget* parent, Prompts& prompts, const EntryEditTarget& target);

    QLineEdit* descriptiveNameBox() const { return descriptiveNameBox_; }
    QLineEdit* aliasNameBox() const { return aliasNameBox_; }
    QPlainTextEdit* descriptionText() const { return descriptionText_; }
    QPlainTextEdit* aliasText() const { return aliasText_; }
    QLineEdit* newAliasBox() const { return newEntryField(); } // hidden: "true" for a new alias

    // Loads the entry being edited; a new alias starts empty.
    void formActivate();

protected:
    void writeEntry() override;

private:
    QLineEdit* descriptiveNameBox_;
    QLineEdit* aliasNameBox_;
    QPlainTextEdit* descriptionText_;
    QPlainTextEdit* aliasText_;
};
