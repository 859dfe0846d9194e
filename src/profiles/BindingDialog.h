#pragma once

#include "EntryEditor.h"

#include <QStringList>

class QComboBox;

// Edits one custom key binding: the key is captured by pressing it, the command is typed or
// chosen among the shown profile's aliases, which are then bound by their alias name.
class BindingDialog : public EntryEditor {
    Q_OBJECT
public:
    // aliasNames: the descriptive names of the shown profile's aliases, in order.
    BindingDialog(QWidget* parent, Prompts& prompts, const EntryEditTarget& target,
                  const QStringList& aliasNames);

    QLineEdit* bindKeyBox() const { return bindKeyBox_; }
    QComboBox* bindValueBox() const { return bindValueBox_; }

    // Fills the choice box and loads the binding being edited.
    void formActivate();

protected:
    void writeEntry() override;

private:
    void showCommand(const QString& command);
    int aliasItemFor(const QString& descriptiveName, const QString& command) const;
    int chosenAlias() const;
    QString aliasNameAt(int index) const;

    QStringList aliasNames_;
    QLineEdit* bindKeyBox_;
    QComboBox* bindValueBox_;
};
