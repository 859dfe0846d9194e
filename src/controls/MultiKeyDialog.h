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

    QLineEdit* txtDefault;
    KeyCaptureEdit* keyValue1;
    KeyCaptureEdit* keyValue2;
    KeyCaptureEdit* keyValue3;
    KeyCaptureEdit* keyValue4;
    QPushButton* okButton_;
    QPushButton* cancelButton_;

public slots:
    void acceptKeys();

private:
    std::array<KeyCaptureEdit*, 4> keyBoxes() const;

    std::array<QString, 4> keys_;
};
