#pragma once

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;
class KeyCaptureEdit;

// Edits the four keys of one binding: each key box captures a key or takes one from its popup.
// The default is shown for reference only.
class MultiKeyDialog : public QDialog {
    Q_OBJECT
public:
    MultiKeyDialog(QWidget* owner, const QString& command, const QString& defaultValue,
                   const std::array<QString, 4>& keys);

    // The keys as given, or as the boxes showed them when OK was pressed.
    const std::array<QString, 4>& keys() const { return keys_; }

    QLineEdit* defaultBox() const { return defaultBox_; }
    // The box of key slot `index`, 0 to 3.
    KeyCaptureEdit* keyBox(int index) const { return keyBoxes_[static_cast<size_t>(index)]; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

private:
    void acceptKeys();

    std::array<QString, 4> keys_;
    QLineEdit* defaultBox_;
    std::array<KeyCaptureEdit*, 4> keyBoxes_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};
