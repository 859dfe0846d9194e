#pragma once

#include "EntryEditor.h"

class QPlainTextEdit;

// Edits one alias: its descriptive name (what the lists show), the name a key binding calls it
// by, a description and its lines of console script.
class AliasDialog : public EntryEditor {
    Q_OBJECT
public:
    AliasDialog(QWidget* parent, Prompts& prompts, const EntryEditTarget& target);

    QLineEdit* txtDescriptiveName;
    QLineEdit* txtAliasName;
    QPlainTextEdit* mmoDescription;
    QPlainTextEdit* mmoAlias;
    QLineEdit* txtNewAlias; // hidden: "true" for a new alias

    // Loads the entry being edited; a new alias starts empty.
    void formActivate();

protected:
    void writeEntry() override;
};
