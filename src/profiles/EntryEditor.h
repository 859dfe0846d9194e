#pragma once

#include "ProfileFile.h"

#include <QDialog>
#include <QStringList>
#include <memory>

class Prompts;
class QBoxLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;

// Which entry of which profile an editor writes, as the tab hands it over.
struct EntryEditTarget {
    QString profileDirectory;
    QString profileName;   // "Global Aliases" or the game
    QString profileFile;   // the profile itself (a game's extension may be in capitals)
    int lineNumber = 0;    // the entry written is number lineNumber + 1
    int numberOfLines = 0; // what the count is worked out from
    bool isNew = true;
};

// The common part of the alias, binding and setting editors: the hidden fields that tell them
// what to edit, and the OK and Cancel buttons. OK writes through the subclass and closes; an
// entry without a name, or a failed write, shows its message and leaves the dialog open. Cancel,
// Esc and the title bar write nothing.
class EntryEditor : public QDialog {
    Q_OBJECT
public:
    // "Hidden Items": never shown, they carry the target as text.
    QGroupBox* hiddenItems() const { return hiddenItems_; }
    QLineEdit* lineNumberBox() const { return lineNumberBox_; }
    QLineEdit* numberOfLinesBox() const { return numberOfLinesBox_; }
    QLineEdit* currentGameBox() const { return currentGameBox_; }

    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

    void cancel();

protected:
    EntryEditor(QWidget* parent, Prompts& prompts, const EntryEditTarget& target,
                const QString& newFieldName, const QString& okCaption);

    // Writes the entry; throws VexaError when the profile refuses a write.
    virtual void writeEntry() = 0;

    // The fields go above the buttons; the focus starts in `first`. OK refuses to write while
    // `name` is empty (blanks alone count as empty), with `nameMissing` as the message.
    void setFields(QBoxLayout* fields, QWidget* first, QLineEdit* name, const QString& nameMissing);

    QLineEdit* newEntryField() const { return newEntryField_; }
    bool isNewEntry() const;
    int entryNumber() const; // the line number box + 1
    int numberOfLines() const;
    const QString& profile() const { return profile_; } // the file this editor writes
    const QString& profileDirectory() const { return profileDirectory_; }
    QString section(EntryKind kind) const;

private:
    void okClicked();

    Prompts& prompts_;
    QString profileDirectory_;
    QString profile_;
    QGroupBox* hiddenItems_;
    QLineEdit* lineNumberBox_;
    QLineEdit* numberOfLinesBox_;
    QLineEdit* currentGameBox_;
    QLineEdit* newEntryField_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    QLineEdit* name_ = nullptr;
    QString nameMissing_;
};

// The editor of an entry of that kind; a binding's editor offers the profile's aliases.
std::unique_ptr<EntryEditor> newEntryEditor(EntryKind kind, QWidget* parent, Prompts& prompts,
                                            const EntryEditTarget& target,
                                            const QStringList& aliases);
