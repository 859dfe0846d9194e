#pragma once

#include <QDialog>
#include <QLabel>
#include <array>

class QLineEdit;
class QPlainTextEdit;

// "More Information" about one setting control: command, default, up to four current values,
// description and notes. Fixed size, closed with the title bar's close box only.
class SettingInfoDialog : public QDialog {
    Q_OBJECT
public:
    explicit SettingInfoDialog(QWidget* owner = nullptr);

    QLineEdit* focusHolder() const { return focusHolder_; }
    QLineEdit* commandBox() const { return commandBox_; }
    QLineEdit* defaultBox() const { return defaultBox_; }
    // The box of current value `index`, 0 to 3.
    QLineEdit* currentBox(int index) const { return currentBoxes_[static_cast<size_t>(index)]; }
    QPlainTextEdit* descriptionText() const { return descriptionText_; }
    QPlainTextEdit* notesText() const { return notesText_; }
    // "Current Values", followed by where they came from when a file gave them.
    QLabel* currentCaption() const { return currentCaption_; }

public slots:
    void commandFocused();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* focusHolder_;
    QLineEdit* commandBox_;
    QLineEdit* defaultBox_;
    std::array<QLineEdit*, 4> currentBoxes_;
    QPlainTextEdit* descriptionText_;
    QPlainTextEdit* notesText_;
    QLabel* currentCaption_;
};
